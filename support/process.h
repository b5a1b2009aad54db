// Starting other programs: a shell command line whose output is collected, a
// program run to its end with its output captured, and a program started in
// the background. Programs are looked up along PATH as a shell would. The
// one thing to know: background programs are started through a short-lived
// helper process, so they never become zombies of the interpreter, and the
// helper reports whether the start worked.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vornscript {

// The full path of [program] in the first folder of PATH holding it as an
// executable regular file; "" when there is none. Empty PATH entries are
// skipped (they would mean the current folder, which a lookup should not
// search silently).
std::string findonpath(std::string_view program);
// The same search for any regular file, executable or not.
std::string findfileonpath(std::string_view name);

// True when a desktop session can show windows (WAYLAND_DISPLAY or DISPLAY).
bool displayavailable();

// Runs [commandline] through /bin/sh -c and collects its standard output.
// False when the shell cannot be started; otherwise [status] is the exit
// status (128 + the signal number when a signal ended it).
bool runshellcommand(const std::string& commandline, std::string& output, int& status);

struct VornProgramRun {
    // errno of a failed start, 0 when the program ran.
    int starterror = 0;
    // The exit status (128 + signal number for a signal).
    int status = 0;
    std::string output;
};

// Runs [arguments] (the program first, looked up along PATH) to its end with
// standard input and error on /dev/null and standard output captured.
VornProgramRun runprogram(const std::vector<std::string>& arguments);

struct VornBackgroundStart {
    // errno of a failed start, 0 when the program started.
    int starterror = 0;
    // False while the program still ran when the wait ended.
    bool exited = false;
    // The exit status when [exited].
    int status = 0;
};

// Starts [arguments] (the program as given: a path, or a name looked up
// along PATH) in its own session with standard input on /dev/null, and waits
// at most [waitmilliseconds] for it to end; a program still running then goes
// on alone. [quiet] sends its output to /dev/null too.
VornBackgroundStart startinbackground(const std::vector<std::string>& arguments,
                                      int waitmilliseconds, bool quiet);

} // namespace vornscript
