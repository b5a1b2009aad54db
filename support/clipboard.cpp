// Clipboard through wl-copy/wl-paste or xclip, else in-process (see
// clipboard.h). The tools run as child processes joined by a pipe; SIGPIPE is
// held back while writing so a tool that quits early cannot end the program.
#include "support/clipboard.h"

#include "support/process.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace vornscript {

namespace {

struct ClipboardTool {
    const char* displayvariable; // the tool is used when this variable is set
    std::vector<const char*> copycommand;
    std::vector<const char*> pastecommand;
};

const ClipboardTool clipboardtools[] = {
    {"WAYLAND_DISPLAY", {"wl-copy", nullptr}, {"wl-paste", "--no-newline", nullptr}},
    {"DISPLAY",
     {"xclip", "-selection", "clipboard", "-in", nullptr},
     {"xclip", "-selection", "clipboard", "-out", nullptr}},
};

std::string& processclipboard() {
    static std::string text;
    return text;
}

bool isset(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr && *value != '\0';
}

const ClipboardTool* desktoptool() {
    for (const ClipboardTool& tool : clipboardtools) {
        if (isset(tool.displayvariable) && !findonpath(tool.copycommand.front()).empty()) {
            return &tool;
        }
    }
    return nullptr;
}

// Starts [command] with [childend] of a pipe as its standard input
// (childfd 0) or output (childfd 1); everything else goes to /dev/null.
bool spawntool(const std::vector<const char*>& command, int childend, int childfd, pid_t& child) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, childend, childfd);
    for (int quiet : {0, 1, 2}) {
        if (quiet != childfd) {
            posix_spawn_file_actions_addopen(&actions, quiet, "/dev/null", O_RDWR, 0);
        }
    }
    const int status = posix_spawnp(&child, command.front(), &actions, nullptr,
                                    const_cast<char* const*>(command.data()), environ);
    posix_spawn_file_actions_destroy(&actions);
    return status == 0;
}

bool succeeded(pid_t child) {
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) {
            return false;
        }
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Writes everything with SIGPIPE blocked; a SIGPIPE raised meanwhile is
// taken back before the mask is restored.
bool writetopipe(int descriptor, const std::string& text) {
    sigset_t pipesignal;
    sigset_t previous;
    sigemptyset(&pipesignal);
    sigaddset(&pipesignal, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipesignal, &previous);
    bool written = true;
    size_t offset = 0;
    while (offset < text.size()) {
        const ssize_t count = ::write(descriptor, text.data() + offset, text.size() - offset);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            written = false;
            break;
        }
        offset += static_cast<size_t>(count);
    }
    sigset_t pending;
    sigpending(&pending);
    if (sigismember(&pending, SIGPIPE) == 1) {
        const timespec nowait{0, 0};
        sigtimedwait(&pipesignal, nullptr, &nowait);
    }
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    return written;
}

bool copywithtool(const ClipboardTool& tool, const std::string& text) {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) {
        return false;
    }
    pid_t child = 0;
    if (!spawntool(tool.copycommand, ends[0], 0, child)) {
        ::close(ends[0]);
        ::close(ends[1]);
        return false;
    }
    ::close(ends[0]);
    const bool written = writetopipe(ends[1], text);
    ::close(ends[1]);
    return succeeded(child) && written;
}

std::string pastewithtool(const ClipboardTool& tool) {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) {
        return {};
    }
    pid_t child = 0;
    if (!spawntool(tool.pastecommand, ends[1], 1, child)) {
        ::close(ends[0]);
        ::close(ends[1]);
        return {};
    }
    ::close(ends[1]);
    std::string text;
    char buffer[4096];
    for (;;) {
        const ssize_t count = ::read(ends[0], buffer, sizeof buffer);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            break;
        }
        text.append(buffer, static_cast<size_t>(count));
    }
    ::close(ends[0]);
    // An empty clipboard makes the tools fail; that reads as no text.
    return succeeded(child) ? text : std::string();
}

} // namespace

bool setclipboardtext(const std::string& text) {
    if (const ClipboardTool* tool = desktoptool()) {
        return copywithtool(*tool, text);
    }
    processclipboard() = text;
    return true;
}

std::string getclipboardtext() {
    if (const ClipboardTool* tool = desktoptool()) {
        return pastewithtool(*tool);
    }
    return processclipboard();
}

} // namespace vornscript
