#include "platform/thread_priority.h"

#include <sys/resource.h>
#include <unistd.h>

namespace vantor {

void SetCurrentThreadPriority(ThreadPriority priority) {
    // On Linux the nice value belongs to the thread. The lowest one (19) still gets a
    // share of a busy processor, so sampling slows down but never stops; raising a
    // thread above normal needs the privilege to.
    const int nice = priority == ThreadPriority::Idle ? 19 : -1;
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), nice);
}

}  // namespace vantor
