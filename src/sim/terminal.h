#pragma once
// The module's end of the line: a pseudo-terminal it creates, or a real serial port.

#include <optional>
#include <string>

#include "sim/line_settings.h"

namespace vantor::sim {

class Terminal {
public:
    // Creates a pseudo-terminal whose far end is set raw at the given settings. The
    // module keeps the far end open too, so that clients may come and go without the
    // near end seeing a hang-up. Throws std::runtime_error on failure.
    static Terminal openPseudo(const LineSettings& settings);
    // Opens a serial device raw at the given settings. Throws std::runtime_error.
    static Terminal openDevice(const std::string& path, const LineSettings& settings);

    Terminal(Terminal&& other) noexcept;
    Terminal& operator=(Terminal&&) = delete;
    ~Terminal();

    int fd() const { return fd_; }
    // The path clients open: the pseudo-terminal's far end or the device itself.
    const std::string& path() const { return path_; }
    // The settings the line currently has (for a pseudo-terminal: what its client set).
    std::optional<LineSettings> currentSettings() const;
    // Whether parity and data bits survive on this line: some kernels' pseudo-terminals
    // refuse them, and then only the speed and the stop bits tell the settings apart.
    bool carriesCharacterFormat() const { return carriesFormat_; }
    // Sets the line to new settings (a real device after APLY).
    bool apply(const LineSettings& settings) const;

private:
    Terminal(int fd, int farFd, std::string path) : fd_(fd), farFd_(farFd), path_(std::move(path)) {}
    int fd_ = -1;
    int farFd_ = -1;  // the held far end of a pseudo-terminal, else -1
    bool carriesFormat_ = true;
    std::string path_;
};

// Raw mode with the given character format; the speed goes through setLineSpeed.
bool setRawFormat(int fd, const LineSettings& settings);
// Speed of a terminal in baud, arbitrary rates included (0 on failure).
int lineSpeed(int fd);
bool setLineSpeed(int fd, int baud);

}  // namespace vantor::sim
