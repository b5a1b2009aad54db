// The console debugger: scripted sessions whose commands come from a string
// stream, checked against the exact stops, prompts and messages; the
// commands one by one at a stop; the -lines listing.
#include "debugger/consoledebugger.h"
#include "driver/commandlinescript.h"
#include "driver/scriptrun.h"
#include "frontend/parser.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace vornscriptunittests {
namespace {

using vornscript::VornScriptRunRequest;

struct Session {
    std::string output;
    std::string result;
};

// Runs [script] (named "t") under the debugger, stopping first before its
// first statement, with [commands] as the typed lines.
Session debugsession(const std::string& script, const std::string& commands) {
    std::istringstream input(commands);
    VornScriptRunRequest request;
    request.scriptname = "t";
    request.scripttext = script;
    request.debug = true;
    request.debuggerinput = &input;
    const auto outcome = vornscript::runscript(request);
    return {outcome.output, outcome.result};
}

struct SessionCase {
    const char* topic;
    const char* script;
    const char* commands;
    const char* output;
    const char* result;
};

const char* const loopscript = "var i = 0;\n"
                               "while (i < 3) {\n"
                               "  i += 1;\n"
                               "}\n"
                               "i;\n";

TEST(Debugger, SessionsWithoutCalls) {
    const std::vector<SessionCase> cases = {
        {"step over stops once per line", "var a = 1;\nvar b = 2; b = 3;\na = b;\n", "n\nn\nn\n",
         "at t L001C001 var a = 1\n>> at t L002C001 var b = 2\n>> at t L003C001 a = b\n>> ", "3"},
        {"step into stops at every statement", "var a = 1;\nvar b = 2; b = 3;\n",
         "s\nS\nstepinto\n",
         "at t L001C001 var a = 1\n>> at t L002C001 var b = 2\n>> at t L002C012 b = 3\n>> ", "3"},
        {"continue without breakpoints runs to the end", loopscript, "c\n",
         "at t L001C001 var i = 0\n>> ", "3"},
        {"continue to a line", loopscript, "c 5\nc\n",
         "at t L001C001 var i = 0\n>> at t L005C001 i\n>> ", "3"},
        {"continue to a line without statements stays at the prompt", loopscript,
         "c 4\nc 0\nc x\nc\n",
         "at t L001C001 var i = 0\n>> cannot break at line 4\n>> c requires a valid line number\n"
         ">> c requires a valid line number\n>> ",
         "3"},
        {"breakpoint with a condition that becomes true", loopscript, "b 3 i == 2\nc\np i\nc\n",
         "at t L001C001 var i = 0\n>> >> breakpoint condition is true: i == 2\n"
         "at t L003C003 i += 1\n>> 2\n>> ",
         "3"},
        {"breakpoint without condition stops every time", loopscript, "b 3\nc\nc\nc\nc\n",
         "at t L001C001 var i = 0\n>> >> at t L003C003 i += 1\n>> at t L003C003 i += 1\n"
         ">> at t L003C003 i += 1\n>> ",
         "3"},
        {"a failing breakpoint condition never stops", loopscript, "break 3 nosuch > 1\nc\n",
         "at t L001C001 var i = 0\n>> >> "
         "breakpoint condition error: Line 1 Col 1 variable not defined: nosuch\n"
         "breakpoint condition error: Line 1 Col 1 variable not defined: nosuch\n"
         "breakpoint condition error: Line 1 Col 1 variable not defined: nosuch\n",
         "3"},
        {"a second breakpoint on a line replaces the condition", loopscript,
         "b 3 i == 1\nb 3 i == 0\nc\nc\n",
         "at t L001C001 var i = 0\n>> >> >> breakpoint condition is true: i == 0\n"
         "at t L003C003 i += 1\n>> ",
         "3"},
        {"a watch stops after each change", loopscript, "v i\nn\nv i\nc\nc\nc\nc\n",
         "at t L001C001 var i = 0\n>> cannot watch variable i\n>> at t L002C001 while (i < 3) {\n  "
         "i += 1;\n}\n>> >> variable changed: i=1\nat t L003C003 i += 1\n"
         ">> variable changed: i=2\nat t L003C003 i += 1\n>> variable changed: i=3\n"
         "at t L003C003 i += 1\n>> ",
         "3"},
        {"quit aborts the script", loopscript, "q\n",
         "at t L001C001 var i = 0\n>> exception occured:\nt Line 1 Col 1 aborted by user\n"
         "t Line 1 Col 1 aborted by user\n",
         "<error> t Line 1 Col 1 aborted by user"},
        {"ended input quits", loopscript, "",
         "at t L001C001 var i = 0\n>> exception occured:\nt Line 1 Col 1 aborted by user\n"
         "t Line 1 Col 1 aborted by user\n",
         "<error> t Line 1 Col 1 aborted by user"},
        {"an error stop allows inspection before the script ends", "var a = 7;\na / 0;\n",
         "c\np a\nc\n",
         "at t L001C001 var a = 7\n>> exception occured:\nt Line 2 Col 5 division by 0\n"
         ">> 7\n>> t Line 2 Col 5 division by 0\n",
         "<error> t Line 2 Col 5 division by 0"},
        {"an error caught by try only shows the message",
         "var a = 0, e;\ntry { a / 0; } catch (e) { a = 5; }\na;\n", "c\n",
         "at t L001C001 var a = 0, e\n>> exception occured:\nt Line 2 Col 11 division by 0\n", "5"},
        {"print evaluates in the running scope", "var a = 4;\n{ var b = a * 2;\n  b; }\n",
         "c 3\np b + a\np a = 9\nc\n",
         "at t L001C001 var a = 4\n>> at t L003C003 b\n>> 12\n>> 9\n>> ", "8"},
    };
    for (const SessionCase& row : cases) {
        const Session session = debugsession(row.script, row.commands);
        EXPECT_EQ(session.output, row.output) << row.topic;
        EXPECT_EQ(session.result, row.result) << row.topic;
    }
}

const char* const callscript = "function twice(v) {\n"
                               "  var r = v * 2;\n"
                               "  return r;\n"
                               "}\n"
                               "var a = twice(3);\n"
                               "a = a + 1;\n"
                               "a;\n";

TEST(Debugger, SessionsAcrossCalls) {
    const std::vector<SessionCase> cases = {
        {"step into enters the call", callscript, "s\ns\ns\ns\ns\ns\n",
         "at t L005C001 var a = twice(3)\n>> at t L005C009 twice(3)\n>> at t L002C003 var r = "
         "v * 2\n>> at t L003C003 return r\n>> at t L006C001 a = a + 1\n>> at t L007C001 a\n>> ",
         "7"},
        {"step over passes the call", callscript, "n\nnext\nN\n",
         "at t L005C001 var a = twice(3)\n>> at t L006C001 a = a + 1\n>> at t L007C001 a\n>> ",
         "7"},
        {"return stops at the caller's next statement", callscript, "s\ns\nr\nc\n",
         "at t L005C001 var a = twice(3)\n>> at t L005C009 twice(3)\n>> at t L002C003 var r = "
         "v * 2\n>> at t L006C001 a = a + 1\n>> ",
         "7"},
        {"return at the outermost level runs to the end", callscript, "return\n",
         "at t L005C001 var a = twice(3)\n>> ", "7"},
        {"a breakpoint inside a stepped-over call stops", callscript, "b 3\nn\np r + v\nn\nc\n",
         "at t L005C001 var a = twice(3)\n>> >> at t L003C003 return r\n>> 9\n>> at t "
         "L006C001 a = a + 1\n>> ",
         "7"},
        {"continue to a line inside the function", callscript, "c 3\np v\nc\n",
         "at t L005C001 var a = twice(3)\n>> at t L003C003 return r\n>> 3\n>> ", "7"},
    };
    for (const SessionCase& row : cases) {
        const Session session = debugsession(row.script, row.commands);
        EXPECT_EQ(session.output, row.output) << row.topic;
        EXPECT_EQ(session.result, row.result) << row.topic;
    }
}

// One command at a stop before line 1 of a three-line script.
struct CommandCase {
    const char* command;
    int32_t code;
    const char* output;
};

TEST(Debugger, CommandsAtAStop) {
    using namespace vornscript;
    const std::vector<CommandCase> cases = {
        {"next", debugcommand::stepover, ""},
        {"N", debugcommand::stepover, ""},
        {"  STEPOVER", debugcommand::stepover, ""},
        {"Next 12", debugcommand::stepover, ""},
        {"stepinto", debugcommand::stepinto, ""},
        {"R", debugcommand::toreturn, ""},
        {"quit", debugcommand::quit, ""},
        {"", debugcommand::invalid, "invalid command\n"},
        {"12", debugcommand::invalid, "invalid command\n"},
        {"go", debugcommand::invalid, "invalid command\n"},
        {"stepintox", debugcommand::invalid, "invalid command\n"},
        {"help List", debugcommand::help,
         "List                          show current source code line\n"
         "List linenumber               show source code line\n"
         "List line1-line2              show source code line range\n"},
        {"h n", debugcommand::help,
         "Stepover                      execute next command, step over function call\n"},
        {"b", debugcommand::breakpoint, "b requires a valid line number\n"},
        {"b 0", debugcommand::breakpoint, "b requires a valid line number\n"},
        {"breakpoint abc", debugcommand::breakpoint, "b requires a valid line number\n"},
        {"b 99", debugcommand::breakpoint, "cannot break at line 99\n"},
        {"b 2", debugcommand::breakpoint, ""},
        {"v nosuch", debugcommand::variablechange, "cannot watch variable nosuch\n"},
        {"variable ::g", debugcommand::variablechange, ""},
        {"p 1+", debugcommand::print, "<error>\n"},
        {"P g * 3", debugcommand::print, "15\n"},
        {"print", debugcommand::print, "<error>\n"},
        {"l", debugcommand::list, "t L001C001 var h = 1\nt L002C001 h = 2\nt L003C001 h = h + g\n"},
        {"List 2", debugcommand::list, "t L002C001 h = 2\nt L003C001 h = h + g\n"},
        {"l 2-2", debugcommand::list, "t L002C001 h = 2\n"},
        {"l 5-3", debugcommand::list, "invalid line number\n"},
        {"l 0", debugcommand::list, "invalid line number\n"},
        {"l x-3", debugcommand::list, "invalid line number\n"},
        {"l 2-", debugcommand::list, "invalid line number\n"},
    };
    for (const CommandCase& row : cases) {
        std::istringstream input;
        std::ostringstream output;
        VornCommandlineScript context;
        context.attachdebugger(std::make_unique<VornScriptConsoleDebugger>(input, output));
        std::string error;
        ASSERT_TRUE(context.setvariable("g", "5", error));
        VornScriptParser parser(makescriptsource("t", "var h = 1;\nh = 2;\nh = h + g;\n"));
        context.bindscript(parser.parse(), nullptr);
        EXPECT_EQ(context.executecommand(row.command, context), row.code) << row.command;
        EXPECT_EQ(output.str(), row.output) << row.command;
    }
}

TEST(Debugger, HelpShowsElevenLines) {
    std::istringstream input;
    std::ostringstream output;
    vornscript::VornCommandlineScript context;
    context.attachdebugger(std::make_unique<vornscript::VornScriptConsoleDebugger>(input, output));
    context.executecommand("HELP", context);
    const std::string text = output.str();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 11);
    EXPECT_EQ(
        text.rfind("Return                        execute till end of current function call\n", 0),
        0u);
}

TEST(Debugger, BreakableLinesListing) {
    VornScriptRunRequest request;
    request.scriptname = "t";
    request.scripttext = "var a = 1;\n  if (a) {\n    a = 2;   }\n";
    request.lines = true;
    const auto outcome = vornscript::runscript(request);
    EXPECT_EQ(outcome.output, "breakable lines:\nt L001C001 var a = 1\n"
                              "t L002C003 if (a) {\n    a = 2;   }\nt L003C005 a = 2\n");
    EXPECT_EQ(outcome.result, "");
}

} // namespace
} // namespace vornscriptunittests
