// Program flow of vornscript, step by step. The registered options and the
// usage text are data tables; each failure prints its own fixed texts to the
// streams the users' scripts and tools expect and ends with exit code 1.
#include "driver/programentry.h"

#include "driver/commandlineparser.h"
#include "driver/logfile.h"
#include "driver/phrasetranslator.h"
#include "driver/scriptrun.h"
#include "driver/selftestrun.h"
#include "frontend/scanner.h"
#include "support/iniprofile.h"
#include "support/phrasetranslator.h"
#include "support/platformfolders.h"
#include "support/wholefile.h"

#include <algorithm>
#include <iostream>
#include <string_view>

namespace vornscript {

const char* const settingssection = "Settings";

namespace {

constexpr std::string_view programname = "vornscript";
constexpr std::string_view programversion = "1.0";
constexpr std::string_view messagetag = "vornscript";
constexpr std::string_view defaultlogfilename = "vornscript.log";
constexpr size_t maximumpositionals = 1000;

struct OptionRow {
    std::string_view registeredname; // "*" marks the shortest abbreviation
    VornOptionKind kind;
};

constexpr OptionRow optiontable[] = {
    {"h*elp", VornOptionKind::boolean},   {"?", VornOptionKind::boolean},
    {"d*ebug", VornOptionKind::boolean},  {"lan*g", VornOptionKind::text},
    {"c*heck", VornOptionKind::boolean},  {"sourc*e", VornOptionKind::boolean},
    {"lines", VornOptionKind::boolean},   {"scan*ner", VornOptionKind::boolean},
    {"pars*er", VornOptionKind::boolean}, {"test*s", VornOptionKind::text},
    {"script", VornOptionKind::boolean},  {"profile", VornOptionKind::text},
    {"libpath", VornOptionKind::text},
};

// Printed after the banner line.
constexpr std::string_view usagelines[] = {
    "usage:\n",
    "vornscript [options] -tests=[testnamefilter]\n",
    "vornscript [options] -script text\n",
    "vornscript [options] filename [params]\n",
    "options:\n",
    "-source        show source code\n",
    "-lines         show all breakable lines\n",
    "-scan          show scanner token list\n",
    "-parse         show parser tree\n",
    "-check         check if parser errors occur\n",
    "-debug         use console debugger\n",
    "-lang=xx       use language translations (en, de) for translatable text\n",
    "-profile=xxx   print times and calling counts sorted ascending or descending\n",
    "               by method +xxx or -xxx\n",
    "               xxx can be: count,sumbrutto,sumnetto,singlebrutto,singlenetto\n",
};

void printusage() {
    std::cout << programname << " " << programversion << "\n";
    for (std::string_view line : usagelines) {
        std::cout << line;
    }
}

std::string message(std::string_view phrase) {
    return translate(std::string(phrase), std::string(messagetag));
}

} // namespace

void registerprogramoptions(VornCommandLineParser& parser) {
    if (!parser.options().empty()) {
        return;
    }
    for (const OptionRow& row : optiontable) {
        parser.registeroption(row.registeredname, row.kind);
    }
    parser.setpositionallimits(0, maximumpositionals);
    parser.setacceptunregistered(true);
}

namespace {

// The text of an option given without a value takes the stand-in value.
std::string valueorstandin(const VornCommandLineParser& parser, std::string_view name,
                           std::string_view standin) {
    if (!parser.ispresent(name)) {
        return std::string();
    }
    std::string value = parser.value(name);
    return value.empty() ? std::string(standin) : value;
}

std::vector<std::string> splitlibrarypaths(const std::string& text) {
    std::vector<std::string> paths;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = std::min(text.find(';', start), text.size());
        if (end > start) {
            paths.push_back(text.substr(start, end - start));
        }
        start = end + 1;
    }
    return paths;
}

void readoptions(const VornCommandLineParser& parser, VornScriptDriverState& state) {
    state.debug = parser.isset("debug");
    state.check = parser.isset("check");
    state.source = parser.isset("source");
    state.lines = parser.isset("lines");
    state.scanner = parser.isset("scanner");
    state.parser = parser.isset("parser");
    state.scriptmode = parser.isset("script");
    state.language = parser.value("lang");
    if (state.language.empty()) {
        state.language = "en";
    } else if (state.language == "ge") {
        state.language = "de";
    }
    state.profilesort = valueorstandin(parser, "profile", "-sumnetto");
    state.testfilter = valueorstandin(parser, "tests", "all");
    state.librarypaths = splitlibrarypaths(parser.value("libpath"));
}

struct ScriptToRun {
    std::string name;
    std::string text;
};

// The script named by the positional arguments; false after printing why
// there is none.
bool obtainscript(const VornCommandLineParser& parser, bool scriptmode, ScriptToRun& script) {
    const std::vector<std::string>& positionals = parser.positionals();
    if (scriptmode) {
        if (positionals.empty()) {
            std::cerr << message("-script requires a script text argument") << "\n";
            printusage();
            return false;
        }
        script.name = "console";
        for (const std::string& word : positionals) {
            script.text += (&word == &positionals.front() ? "" : " ") + word;
        }
        return true;
    }
    if (positionals.empty()) {
        std::cerr << message("missing script filename argument ") << "\n";
        printusage();
        return false;
    }
    script.name = positionals.front();
    if (!readwholefile(script.name, script.text)) {
        std::cerr << message("error reading from file") << "\n" << script.name;
        return false;
    }
    return true;
}

// The -scan view: every token's listing line. A scanner error goes to
// standard error and ends the run with an empty result.
bool printtokenlist(const std::string& scriptname, const std::string& scripttext) {
    std::cout << "scanner result:\n";
    try {
        VornScriptScanner scanner(makescriptsource(scriptname, scripttext));
        for (TokenKind kind = scanner.start(); kind != TOKEN_ENDOFFILE; kind = scanner.next()) {
            std::cout << scanner.describetoken() << "\n";
        }
    } catch (const VornScriptErrorException& error) {
        std::cerr << error.fullerrortext() << "\n";
        return false;
    }
    return true;
}

// The folder part of a script file name, with its final "/"; empty when the
// name has none.
std::string scriptfolder(const std::string& scriptname) {
    size_t slash = scriptname.find_last_of('/');
    return slash == std::string::npos ? std::string() : scriptname.substr(0, slash + 1);
}

} // namespace

VornScriptDriverState& driverstate() {
    static VornScriptDriverState state;
    return state;
}

std::string settingsfilepath() {
    return documentsfolder() + "vornscript.ini";
}

std::string runwithviews(const std::string& scriptname, const std::string& scripttext) {
    const VornScriptDriverState& state = driverstate();
    // Translation files are looked up beside the script; a -script text has
    // no folder of its own, so the current directory serves.
    setuptranslator(state.scriptmode ? std::string() : scriptfolder(scriptname), state.language);
    if (state.source) {
        std::cout << "source code: " << scriptname << "\n" << scripttext << "\n";
    }
    if (state.scanner && !printtokenlist(scriptname, scripttext)) {
        return std::string();
    }
    VornScriptRunRequest request;
    request.scriptname = scriptname;
    request.scripttext = scripttext;
    request.optionvalues = commandlineparser().values();
    request.parameters = commandlineparser().positionals();
    request.check = state.check;
    request.parse = state.parser;
    request.scan = state.scanner;
    request.lines = state.lines;
    request.debug = state.debug;
    request.textfromcommandline = state.scriptmode;
    request.profilesort = state.profilesort;
    request.librarypaths = state.librarypaths;
    int32_t exitcode = state.exitcode;
    std::string result = runscript(request, std::cout, exitcode);
    driverstate().exitcode = exitcode;
    return result;
}

int programentry(const std::vector<std::string>& words) {
    VornScriptDriverState& state = driverstate();
    VornCommandLineParser& parser = commandlineparser();
    registerprogramoptions(parser);

    VornIniProfile settings;
    settings.load(settingsfilepath());
    std::string logfilename = settings.getstring(settingssection, "logfile", "");
    state.logfilename = logfilename.empty() ? std::string(defaultlogfilename) : logfilename;
    VornLogFile::instance().setfilename(state.logfilename);
    installlogfilesink();

    auto settingslookup = [&settings](const std::string& name) {
        return settings.getvalue(settingssection, name);
    };
    if (!parser.parse(words, settingslookup)) {
        printusage();
        std::cerr << "error: " << parser.errortext() << "\n";
        return 1;
    }
    if (parser.isset("help") || parser.isset("?")) {
        printusage();
        return 1;
    }
    readoptions(parser, state);
    installtranslator();
    if (!state.testfilter.empty()) {
        return runselftests(state.testfilter);
    }
    if (words.size() <= 1) {
        printusage();
        return 1;
    }
    ScriptToRun script;
    if (!obtainscript(parser, state.scriptmode, script)) {
        return 1;
    }
    std::string result = runwithviews(script.name, script.text);
    if (state.scriptmode) {
        std::cout << result << "\n";
        return state.exitcode;
    }
    return result.find("<error>") != std::string::npos ? 1 : state.exitcode;
}

} // namespace vornscript
