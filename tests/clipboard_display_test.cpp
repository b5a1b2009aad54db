// The clipboard on an X display: under a virtual X server (Xvfb) the script
// functions must go through xclip, so the text is visible to other programs.
// Without Xvfb and xclip the test is skipped with a note.
#include "filetestsupport.h"

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <random>

extern char** environ;

namespace vornscriptunittests {
namespace {

bool onpath(const char* program) {
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
        const char* command[] = {"Xvfb", "-displayfd", fd.c_str(), "-nolisten", "tcp", nullptr};
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

std::string readxclipboard() {
    std::string text;
    if (FILE* pipe = ::popen("xclip -selection clipboard -out", "r")) {
        char buffer[256];
        for (size_t count; (count = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
            text.append(buffer, count);
        }
        ::pclose(pipe);
    }
    return text;
}

TEST(Clipboard, RoundTripThroughXclipOnAVirtualDisplay) {
    if (!onpath("Xvfb") || !onpath("xclip")) {
        GTEST_SKIP() << "Xvfb or xclip is not installed: the X display clipboard is not tested";
    }
    VirtualDisplay display;
    ASSERT_FALSE(display.name().empty()) << "Xvfb did not start";
    EnvironmentOverride wayland("WAYLAND_DISPLAY", nullptr);
    EnvironmentOverride x("DISPLAY", display.name().c_str());
    const std::string text = "clip " + std::to_string(std::random_device()());
    EXPECT_EQ(runtestscript("setclipboardtext('" + text + "'); getclipboardtext()"), text);
    EXPECT_EQ(readxclipboard(), text) << "the text did not reach the X clipboard";
}

} // namespace
} // namespace vornscriptunittests
