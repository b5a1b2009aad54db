// The program entry of vornscript: registers the options, reads the settings
// file, parses the command line, obtains the script (a file or a -script
// text), shows the -source and -scan views, hands the script to the run and
// turns its result into output and an exit code. The options and the driver
// state are process-wide because the run, the debugger and the profiler read them.
#pragma once

#include <string>
#include <vector>

namespace vornscript {

class VornCommandLineParser;

struct VornScriptDriverState {
    bool debug = false;
    bool check = false;
    bool source = false;
    bool lines = false;
    bool scanner = false;
    bool parser = false;
    bool scriptmode = false;     // the positional arguments are the script text
    std::string language = "en"; // "ge" is stored as "de"
    std::string testfilter;      // non-empty selects the self-test run
    std::string profilesort;     // empty: no profile
    std::vector<std::string> librarypaths;
    std::string logfilename = "vornscript.log"; // from the settings file, for the log file
    int exitcode = 0;                           // a script may set it through exit()
};

VornScriptDriverState& driverstate();

// The settings file: vornscript.ini in the user's documents folder.
std::string settingsfilepath();
extern const char* const settingssection;

// Registers the program's options once, with positional limits 0 to 1000 and
// unregistered options accepted.
void registerprogramoptions(VornCommandLineParser& parser);

// The whole program: the words are the command line, the program name first.
// Returns the process exit code.
int programentry(const std::vector<std::string>& words);

// The Run step: the -source and -scan views, then the script run. Returns the
// run's result text.
std::string runwithviews(const std::string& scriptname, const std::string& scripttext);

} // namespace vornscript
