// Program starts (see process.h). posix_spawn reports a failed exec as its
// own result, which is how start errors reach the caller without a shell.
#include "support/process.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace vornscript {

namespace {

bool isset(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr && *value != '\0';
}

std::string searchpath(std::string_view name, bool executable) {
    if (name.empty()) {
        return {};
    }
    const char* path = std::getenv("PATH");
    std::string_view folders = path != nullptr ? path : "";
    while (!folders.empty()) {
        const size_t end = folders.find(':');
        const std::string_view folder = folders.substr(0, end);
        folders = end == std::string_view::npos ? std::string_view() : folders.substr(end + 1);
        if (folder.empty()) {
            continue;
        }
        std::string candidate(folder);
        if (candidate.back() != '/') {
            candidate += '/';
        }
        candidate += name;
        struct stat status {};
        if (::stat(candidate.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
            (!executable || ::access(candidate.c_str(), X_OK) == 0)) {
            return candidate;
        }
    }
    return {};
}

int exitstatus(int waitstatus) {
    if (WIFSIGNALED(waitstatus)) {
        return 128 + WTERMSIG(waitstatus);
    }
    return WEXITSTATUS(waitstatus);
}

// Waits for [child], retrying after signals; its exit status, or -1.
int waitforexit(pid_t child) {
    int waitstatus = 0;
    while (::waitpid(child, &waitstatus, 0) < 0) {
        if (errno != EINTR) {
            return -1;
        }
    }
    return exitstatus(waitstatus);
}

std::vector<char*> argumentpointers(const std::vector<std::string>& arguments) {
    std::vector<char*> pointers;
    for (const std::string& argument : arguments) {
        pointers.push_back(const_cast<char*>(argument.c_str()));
    }
    pointers.push_back(nullptr);
    return pointers;
}

// Reads everything from [descriptor] until the end.
void readall(int descriptor, std::string& text) {
    char buffer[4096];
    for (;;) {
        const ssize_t count = ::read(descriptor, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            return;
        }
        text.append(buffer, static_cast<size_t>(count));
    }
}

// The helper process of startinbackground: starts the program, watches it
// for the wait time and reports through [report]; never returns.
[[noreturn]] void runbackgroundhelper(char* const* arguments, bool quiet, int waitmilliseconds,
                                      int report) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    if (quiet) {
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
    }
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID);
    VornBackgroundStart start;
    pid_t program = 0;
    start.starterror =
        posix_spawnp(&program, arguments[0], &actions, &attributes, arguments, environ);
    const timespec pause{0, 10'000'000};
    for (int waited = 0; start.starterror == 0; waited += 10) {
        int waitstatus = 0;
        if (::waitpid(program, &waitstatus, WNOHANG) == program) {
            start.exited = true;
            start.status = exitstatus(waitstatus);
            break;
        }
        if (waited >= waitmilliseconds) {
            break;
        }
        ::nanosleep(&pause, nullptr);
    }
    const ssize_t written = ::write(report, &start, sizeof start);
    ::_exit(written == sizeof start ? 0 : 1);
}

} // namespace

std::string findonpath(std::string_view program) {
    return searchpath(program, true);
}

std::string findfileonpath(std::string_view name) {
    return searchpath(name, false);
}

bool displayavailable() {
    return isset("WAYLAND_DISPLAY") || isset("DISPLAY");
}

bool runshellcommand(const std::string& commandline, std::string& output, int& status) {
    // Output the script printed so far comes before the command's own.
    std::fflush(nullptr);
    FILE* pipe = ::popen(commandline.c_str(), "r");
    if (pipe == nullptr) {
        return false;
    }
    char piece[128];
    size_t count = 0;
    while ((count = std::fread(piece, 1, sizeof piece, pipe)) > 0) {
        output.append(piece, count);
    }
    const int waitstatus = ::pclose(pipe);
    status = waitstatus < 0 ? -1 : exitstatus(waitstatus);
    return true;
}

VornProgramRun runprogram(const std::vector<std::string>& arguments) {
    VornProgramRun run;
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) {
        run.starterror = errno;
        return run;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, ends[1], 1);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<char*> pointers = argumentpointers(arguments);
    pid_t child = 0;
    run.starterror = posix_spawnp(&child, pointers[0], &actions, nullptr, pointers.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(ends[1]);
    if (run.starterror == 0) {
        readall(ends[0], run.output);
        run.status = waitforexit(child);
    }
    ::close(ends[0]);
    return run;
}

VornBackgroundStart startinbackground(const std::vector<std::string>& arguments,
                                      int waitmilliseconds, bool quiet) {
    VornBackgroundStart start;
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) {
        start.starterror = errno;
        return start;
    }
    // Everything the helper needs is made before the fork.
    std::vector<char*> pointers = argumentpointers(arguments);
    std::fflush(nullptr);
    const pid_t helper = ::fork();
    if (helper == 0) {
        ::close(ends[0]);
        runbackgroundhelper(pointers.data(), quiet, waitmilliseconds, ends[1]);
    }
    ::close(ends[1]);
    if (helper < 0) {
        start.starterror = errno;
    } else {
        std::string report;
        readall(ends[0], report);
        if (waitforexit(helper) != 0 || report.size() != sizeof start) {
            start.starterror = ECHILD;
        } else {
            report.copy(reinterpret_cast<char*>(&start), sizeof start);
        }
    }
    ::close(ends[0]);
    return start;
}

} // namespace vornscript
