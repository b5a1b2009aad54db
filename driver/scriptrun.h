// The script run: parses a script, shows or checks its tree when asked,
// gives the command-line options and parameters to it as global variables,
// evaluates it in a fresh command-line context and returns the result text
// that the program entry prints. Errors never escape: an uncaught script
// error is printed and comes back as "<error> " plus its full text.
#pragma once

#include <cstdint>
#include <functional>
#include <istream>
#include <map>
#include <ostream>
#include <string>
#include <vector>

namespace vornscript {

struct VornScriptRunRequest {
    std::string scriptname; // the file name, "console" for -script texts
    std::string scripttext;
    // Every option of the command line (and settings file) by name; each
    // becomes a global variable holding its value text.
    std::map<std::string, std::string, std::less<>> optionvalues;
    // Positional arguments; they become param1, param2, ...
    std::vector<std::string> parameters;
    // The library search list of the -libpath option (folders searched first
    // by uselibrary).
    std::vector<std::string> librarypaths;
    bool check = false;               // only check the syntax
    bool parse = false;               // print the tree, do not run
    bool scan = false;                // the token list was shown, do not run
    bool lines = false;               // the breakable lines are listed, do not run
    bool debug = false;               // stop before the first statement in the console debugger
    bool textfromcommandline = false; // the text came with -script
    std::string profilesort;          // the -profile method; empty: no profile
    // Where the console debugger reads its commands; nullptr: standard input.
    std::istream* debuggerinput = nullptr;
};

// Runs the script. [out] receives the -parse view, the text of an uncaught
// error and what the script prints; [err] what it prints as errors. When the
// script asked to end through exit, [exitcode] receives its code; otherwise
// it is left unchanged.
std::string runscript(const VornScriptRunRequest& request, std::ostream& out, std::ostream& err,
                      int32_t& exitcode);
// The same with the script's error output on standard error.
std::string runscript(const VornScriptRunRequest& request, std::ostream& out, int32_t& exitcode);

struct VornScriptRunOutcome {
    std::string result;      // the result text
    std::string output;      // what the run printed to standard output
    std::string erroroutput; // what the script printed to standard error
    int32_t exitcode = 0;    // the code of an exit request, else 0
};

// The same run with its output captured, for tests and embedding.
VornScriptRunOutcome runscript(const VornScriptRunRequest& request);

} // namespace vornscript
