// Kept apart from terminal.cpp: the kernel's termios2 header clashes with <termios.h>.
#include <asm/termbits.h>
#include <sys/ioctl.h>

namespace vantor::sim {

int lineSpeed(int fd) {
    struct termios2 tio {};
    if (ioctl(fd, TCGETS2, &tio) != 0) return 0;
    return static_cast<int>(tio.c_ospeed);
}

bool setLineSpeed(int fd, int baud) {
    struct termios2 tio {};
    if (ioctl(fd, TCGETS2, &tio) != 0) return false;
    tio.c_cflag &= ~CBAUD;
    tio.c_cflag |= BOTHER;
    tio.c_ispeed = tio.c_ospeed = static_cast<speed_t>(baud);
    return ioctl(fd, TCSETS2, &tio) == 0;
}

}  // namespace vantor::sim
