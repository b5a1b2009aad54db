// A virtual X server for the tests that need a display: Xvfb on a free
// display number (it picks one and reports it), stopped when the object
// goes. Tests skip with a note when Xvfb is missing or does not start.
#pragma once

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

extern char** environ;

namespace vornscriptunittests {

inline bool onpath(const char* program) {
    const std::string command = std::string("command -v ") + program + " >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

// An Xvfb server on a free display number, stopped when the object goes.
class VirtualDisplay {
public:
    VirtualDisplay() {
        int ends[2];
        if (::pipe(ends) != 0) {
            return;
        }
        const std::string fd = std::to_string(ends[1]);
        // -noreset: the server would otherwise reset whenever its last client
        // leaves, refusing connections meanwhile; each script run is a new client.
        const char* command[] = {"Xvfb", "-displayfd", fd.c_str(), "-nolisten",
                                 "tcp",  "-noreset",   nullptr};
        if (posix_spawnp(&server_, "Xvfb", nullptr, nullptr, const_cast<char* const*>(command),
                         environ) != 0) {
            server_ = 0;
        }
        ::close(ends[1]);
        // Xvfb writes its display number once it accepts clients.
        pollfd ready{ends[0], POLLIN, 0};
        char number[16] = {};
        if (server_ != 0 && ::poll(&ready, 1, 10000) == 1 &&
            ::read(ends[0], number, sizeof number - 1) > 0) {
            // Formatted, not joined: GCC 12 warns falsely (-Wrestrict) on joining here.
            char display[sizeof number + 1];
            std::snprintf(display, sizeof display, ":%.*s",
                          static_cast<int>(std::strcspn(number, "\n")), number);
            name_ = display;
        }
        ::close(ends[0]);
    }
    ~VirtualDisplay() {
        if (server_ != 0) {
            ::kill(server_, SIGTERM);
            ::waitpid(server_, nullptr, 0);
        }
    }
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;

    const std::string& name() const { return name_; }

private:
    pid_t server_ = 0;
    std::string name_;
};

} // namespace vornscriptunittests
