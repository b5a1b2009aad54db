// The debugger's commands: a command word (the first run of letters of the
// line, any case) chooses a row of the command table by its one-letter short
// form or one of its long forms; the rest of the line is the argument. The
// command table and the help texts are data; each command is one function.
#include "interpreter/debuggerbase.h"

#include "debugger/debuggersupport.h"
#include "debugger/expressionprobe.h"
#include "interpreter/context.h"
#include "support/stringbasics.h"

#include <cctype>
#include <cstdint>
#include <optional>
#include <string_view>

namespace vornscript {
namespace {

struct CommandRow {
    std::string_view shortform;
    std::string_view longforms[2];
    int32_t code;
};

constexpr CommandRow commandtable[] = {
    {"h", {"help", ""}, debugcommand::help},
    {"r", {"return", ""}, debugcommand::toreturn},
    {"l", {"list", ""}, debugcommand::list},
    {"c", {"continue", ""}, debugcommand::continuerun},
    {"q", {"quit", ""}, debugcommand::quit},
    {"s", {"stepinto", ""}, debugcommand::stepinto},
    {"n", {"stepover", "next"}, debugcommand::stepover},
    {"b", {"breakpoint", "break"}, debugcommand::breakpoint},
    {"v", {"variablechange", "variable"}, debugcommand::variablechange},
    {"p", {"print", ""}, debugcommand::print},
};

struct HelpRow {
    int32_t code;
    const char* text;
};

constexpr HelpRow helptable[] = {
    {debugcommand::toreturn,
     "Return                        execute till end of current function call"},
    {debugcommand::list, "List                          show current source code line"},
    {debugcommand::list, "List linenumber               show source code line"},
    {debugcommand::list, "List line1-line2              show source code line range"},
    {debugcommand::continuerun,
     "Continue                      execute till end of script or until breakpoint"},
    {debugcommand::quit, "Quit                          terminate script"},
    {debugcommand::stepinto,
     "Stepinto                      execute next command, step into functions"},
    {debugcommand::stepover,
     "Stepover                      execute next command, step over function call"},
    {debugcommand::breakpoint, "Breakpoint linenumber         set breakpoint at script line"},
    {debugcommand::variablechange,
     "Variablechange variablename   set breakpoint at variable changes"},
    {debugcommand::print,
     "Print                         evaluate a script expression and show the result"},
};

bool isletter(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) != 0;
}

// Splits a line into its command word (leading white space skipped) and the rest.
std::string_view commandword(std::string_view line, std::string_view& rest) {
    size_t start = 0;
    while (start < line.size() && std::isspace(static_cast<unsigned char>(line[start])) != 0) {
        ++start;
    }
    size_t end = start;
    while (end < line.size() && isletter(line[end])) {
        ++end;
    }
    rest = line.substr(end);
    return line.substr(start, end - start);
}

bool sameword(std::string_view word, std::string_view form) {
    if (form.empty() || word.size() != form.size()) {
        return false;
    }
    for (size_t index = 0; index < word.size(); ++index) {
        if (std::tolower(static_cast<unsigned char>(word[index])) != form[index]) {
            return false;
        }
    }
    return true;
}

// The result code of a command word, debugcommand::invalid for none.
int32_t commandcode(std::string_view word) {
    for (const CommandRow& row : commandtable) {
        if (sameword(word, row.shortform) || sameword(word, row.longforms[0]) ||
            sameword(word, row.longforms[1])) {
            return row.code;
        }
    }
    return debugcommand::invalid;
}

} // namespace

// The commands, with access to the debugger's state.
class VornScriptDebuggerCommands {
public:
    VornScriptDebuggerCommands(VornScriptDebuggerBase& debugger, VornScriptContextBase& context)
        : debugger_(debugger), context_(context) {}

    int32_t execute(std::string_view line) {
        std::string_view rest;
        const int32_t code = commandcode(commandword(line, rest));
        const std::string argument = vornstdstring::trim(rest);
        switch (code) {
        case debugcommand::help:
            return help(argument);
        case debugcommand::toreturn:
            debugger_.returndepth = static_cast<uint32_t>(context_.callstack.size());
            debugger_.setdebugmode(debugmode::toreturn);
            return code;
        case debugcommand::list:
            return list(argument);
        case debugcommand::continuerun:
            return continuerun(argument);
        case debugcommand::quit:
            return code;
        case debugcommand::stepinto:
            debugger_.setdebugmode(debugmode::stepinto);
            return code;
        case debugcommand::stepover:
            debugger_.setdebugmode(debugmode::stepover);
            return code;
        case debugcommand::breakpoint:
            return breakpoint(argument);
        case debugcommand::variablechange:
            return variablechange(argument);
        case debugcommand::print:
            show(printedresult(probeexpression(context_, argument)));
            return code;
        default:
            show(debuggermessage("invalid command"));
            return debugcommand::invalid;
        }
    }

private:
    void show(const std::string& text) {
        if (VornScriptAbstractDebugger* ui = debugger_.debugger()) {
            ui->showmessage(text);
        }
    }

    // All help lines, or those of the command named by the argument.
    int32_t help(std::string_view argument) {
        std::string_view rest;
        const int32_t topic = commandcode(commandword(argument, rest));
        for (const HelpRow& row : helptable) {
            if (topic == debugcommand::invalid || topic == debugcommand::help ||
                row.code == topic) {
                show(debuggermessage(row.text));
            }
        }
        return debugcommand::help;
    }

    // The file whose statements List shows and line numbers refer to.
    const std::string& currentfile() const {
        static const std::string none;
        const auto& table = debugger_.linetable;
        if (table.empty()) {
            return none;
        }
        const int32_t index = debugger_.currentindex;
        return table[index >= 0 ? size_t(index) : 0]->scriptname();
    }

    // The first line-table entry of the current file on [line], -1 for none.
    int32_t breakableindex(int32_t line) const {
        const auto& table = debugger_.linetable;
        const std::string& file = currentfile();
        for (size_t index = 0; index < table.size(); ++index) {
            if (table[index]->line == line && table[index]->scriptname() == file) {
                return static_cast<int32_t>(index);
            }
        }
        return -1;
    }

    void showcannotbreak(int32_t line) {
        show(debuggermessage("cannot break at line") + " " + std::to_string(line));
    }

    int32_t continuerun(const std::string& argument) {
        if (argument.empty()) {
            debugger_.setdebugmode(debugmode::run);
            return debugcommand::continuerun;
        }
        const std::optional<int32_t> line = parselinenumber(argument);
        if (!line || *line < 1) {
            show(debuggermessage("c requires a valid line number"));
            return debugcommand::invalid;
        }
        if (breakableindex(*line) < 0) {
            showcannotbreak(*line);
            return debugcommand::invalid;
        }
        debugger_.targetline = *line;
        debugger_.setdebugmode(debugmode::runtoline);
        return debugcommand::continuerun;
    }

    // "b 12" or "b 12 condition": the line's leading digits, then the condition.
    int32_t breakpoint(const std::string& argument) {
        size_t digits = 0;
        while (digits < argument.size() && argument[digits] >= '0' && argument[digits] <= '9') {
            ++digits;
        }
        const std::optional<int32_t> line = parselinenumber(argument.substr(0, digits));
        if (!line || *line < 1) {
            show(debuggermessage("b requires a valid line number"));
            return debugcommand::breakpoint;
        }
        const int32_t index = breakableindex(*line);
        if (index < 0) {
            showcannotbreak(*line);
            return debugcommand::breakpoint;
        }
        debugger_.breakpoints[index] = vornstdstring::trim(argument.substr(digits));
        return debugcommand::breakpoint;
    }

    int32_t variablechange(const std::string& name) {
        VornScriptObjectPtr value;
        std::string error;
        if (name.empty() || !context_.getvariable(name, value, error)) {
            show(debuggermessage("cannot watch variable") + " " + name);
            return debugcommand::variablechange;
        }
        VornScriptDebuggerBase::Watch watch{name, value && !value->isnull(),
                                            value ? value->tostring() : std::string()};
        for (VornScriptDebuggerBase::Watch& existing : debugger_.watches) {
            if (existing.name == name) {
                existing = std::move(watch);
                return debugcommand::variablechange;
            }
        }
        debugger_.watches.push_back(std::move(watch));
        return debugcommand::variablechange;
    }

    // Shows the entries of the current file from [first] on whose line lies
    // in [fromline, toline], at most [limit] of them.
    void showlines(size_t first, int32_t fromline, int32_t toline, size_t limit) {
        VornScriptAbstractDebugger* ui = debugger_.debugger();
        const auto& table = debugger_.linetable;
        const std::string& file = currentfile();
        size_t shown = 0;
        for (size_t index = first; index < table.size() && shown < limit; ++index) {
            const VornScriptExpressionBase& node = *table[index];
            if (node.line >= fromline && node.line <= toline && node.scriptname() == file) {
                ui->showsourceline(node.position(), statementtext(node));
                ++shown;
            }
        }
    }

    int32_t list(const std::string& argument) {
        constexpr int32_t lastline = INT32_MAX;
        if (debugger_.debugger() == nullptr) {
            return debugcommand::list;
        }
        if (argument.empty()) {
            const int32_t current = debugger_.currentindex;
            showlines(current >= 0 ? size_t(current) : 0, 0, lastline, debugger_.listcount);
            return debugcommand::list;
        }
        const size_t dash = argument.find('-');
        const std::optional<int32_t> from =
            parselinenumber(vornstdstring::trim(std::string_view(argument).substr(0, dash)));
        if (!from || *from < 1) {
            show(debuggermessage("invalid line number"));
            return debugcommand::list;
        }
        if (dash == std::string::npos) {
            showlines(0, *from, lastline, debugger_.listcount);
            return debugcommand::list;
        }
        const std::optional<int32_t> to =
            parselinenumber(vornstdstring::trim(std::string_view(argument).substr(dash + 1)));
        if (!to || *to < *from) {
            show(debuggermessage("invalid line number"));
            return debugcommand::list;
        }
        showlines(0, *from, *to, debugger_.linetable.size());
        return debugcommand::list;
    }

    VornScriptDebuggerBase& debugger_;
    VornScriptContextBase& context_;
};

int32_t VornScriptDebuggerBase::executecommand(const std::string& line,
                                               VornScriptContextBase& context) {
    return VornScriptDebuggerCommands(*this, context).execute(line);
}

} // namespace vornscript
