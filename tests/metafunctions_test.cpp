// Meta and introspection functions (source positions, versions, types and
// texts, variable queries, copies, errors, exit, eval, include,
// callfunction) and the print family's output streams.
#include "scripttesthelper.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace vornscriptunittests {
namespace {

void checknamedcases(const char* name, const std::vector<ScriptCase>& cases) {
    for (const ScriptCase& row : cases) {
        EXPECT_EQ(runtestscript(row.script, name), row.expected) << "script: " << row.script;
    }
}

TEST(MetaFunctions, SourcePositions) {
    checkcases({
        {"1;\n2;\n3;\n4; __LINE__()", "4"},
        {"1;\n2;\n3;\n4; __CODE__()", "4; __CODE__()"},
        {"1;\n  __POS__()", "L2C3"},
        {"__FILE__()", "test"},
        {"__FOLDER__()", ""},
        {"function where() { return __LINE__(1) + '/' + __LINE__(0); }\n\nwhere()", "3/1"},
        {"function inner() { return __LINE__(2); }\nfunction outer() {\n return inner(); }\n"
         "outer()",
         "4"},
        {"__LINE__(-3)", "1"},
        {"__LINE__(1)", "<error> test Line 1 Col 1 current function not found on callstack"},
        {"eval('__LINE__()')", "<error> test Line 1 Col 1 <evalerror> Line 1 Col 1 __LINE__() is "
                               "not allowed during eval"},
        {"eval('__CODEPOS__(1)')", "<error> test Line 1 Col 1 <evalerror> Line 1 Col 1 "
                                   "__CODEPOS__() is not allowed during eval"},
        // A user function called back by callfunction reports the callfunction call.
        {"function f() { return __POS__(1); }\n callfunction('f')", "L2C2"},
    });
    checknamedcases("sysfunccodepos1",
                    {{"1;\n2;\n3;\n4; __CODEPOS__()", "sysfunccodepos1 L4C4: 4; __CODEPOS__()"}});
    checknamedcases("sysfunccodepos3",
                    {{"function callsub() {\n return __CODEPOS__(1);\n}\n\n\n6;callsub();",
                      "sysfunccodepos3 L6C3: 6;callsub();"}});
    checknamedcases(
        "/source/folder/sysfuncfolder2",
        {{"__FOLDER__() + '|' + __FILE__()", "/source/folder/|/source/folder/sysfuncfolder2"}});
}

TEST(MetaFunctions, VersionsTypesAndTexts) {
    checkcases({
        {"__VERSION__()", "1.2"},
        {"__USEVERSION__('1.0')", "1"},
        {"__USEVERSION__(1.2)", "1"},
        {"__USEVERSION__('2.3')",
         "<error> test Line 1 Col 1 vornscript version is older than required version: 1.2"},
        {"__USEVERSION__('one')", "<error> test Line 1 Col 1 function __USEVERSION__ requires a "
                                  "version number argument (e.g. 1.0)"},
        {"var s; s.gettype()", "null"},
        {"var s = 3/2; s.gettype()", "double"},
        {"var s = (string) [1,3,5]; s.gettype()", "string"},
        {"gettype(7) + gettype('x') + gettype([]) + gettype({})", "longstringvectorstructure"},
        {"[1,'a'].tostring()", "[1,'a']"},
        {"var s; s.tostring() + '|'", "|"},
        {"hexdump('hello')", "0000: 68 65 6C 6C 6F | hello\n"},
        {"hexdump(13.5)", "0000: 31 33 2E 35 | 13.5\n"},
        {"hexdump(null)", "<null>"},
        {"hexdump('')", "<empty>"},
        {"hexdump('abcdefghijklmnop\\tq')",
         "0000: 61 62 63 64 65 66 67 68 69 6A 6B 6C 6D 6E 6F 70 | abcdefghijklmnop\n"
         "0010: 09 71                                           | .q\n"},
        {"translate('invalid syntax:', 'scriptscanner')", "invalid syntax:"},
        {"translate('hello')", "hello"},
    });
}

TEST(MetaFunctions, Variables) {
    checkcases({
        {"var x = ''; isdefined(x)", "1"},
        {"var x; isdefined(x)", "0"},
        {"var s = {a: 1}; isdefined(s.a) + '|' + isdefined(s.b)", "1|0"},
        {"isdefined('x')", "0"},
        {"var x; isdefined('x')", "1"},
        {"isdefined(null)", "0"},
        {"isdefined(y)", "<error> test Line 1 Col 11 variable not defined: y"},
        {"isvariabledefined('not')", "0"},
        {"var isnull = null; isvariabledefined('isnull')", "1"},
        {"function f() { return isvariabledefined('local'); } var local = 1; { var inner; "
         "f() + '|' + isvariabledefined('inner'); }",
         "1|1"},
        {"getarg('notdef')", ""},
        {"getarg('notdef', 'def')", "def"},
        {"var zero = 0; getarg('zero', 'def')", "0"},
        {"var undefined; getarg('undefined', 'def')", "def"},
        {"var v = [1]; var w = getarg('v'); w[0] = 2; v", "[1]"},
        {"getarg('')", "<error> test Line 1 Col 1 function getarg requires a variable name as "
                       "argument"},
        {"var s = {a: [1]}; var d = s.duplicate(); d.a[0] = 2; s + '|' + d", "{a: [1]}|{a: [2]}"},
        {"var v = [1,[2]]; var d = duplicate(v); d[1][0] = 3; v", "[1,[2]]"},
        {"var s = 'abc'; var d = s.duplicate(); d += 'd'; s + '|' + d", "abc|abcd"},
        {"gettype(duplicate(null))", "null"},
    });
}

TEST(MetaFunctions, ErrorsAndExit) {
    checkcases({
        {"try { throwexception('myexception'); } catch (var e) { e.what }", "myexception"},
        {"throwexception('my reason')", "<error> test Line 1 Col 1 my reason"},
        {"die()", "<error> test Line 1 Col 1 script aborted"},
        {"abort('stop here')", "<error> test Line 1 Col 1 stop here"},
        {"1; exit(3); 2", ""},
        {"function f() { exit(); return 1; } f(); 'after'", ""},
        {"for (var i = 0; i < 5; i++) { if (i == 2) exit(1); }", ""},
    });
    checknamedcases("sysfuncdie", {{"die('abort')", "<error> sysfuncdie Line 1 Col 1 abort"}});

    vornscript::VornScriptRunRequest request;
    request.scriptname = "exit";
    request.scripttext = "print('before'); exit(3); print('after');";
    const vornscript::VornScriptRunOutcome outcome = vornscript::runscript(request);
    EXPECT_EQ(outcome.exitcode, 3);
    EXPECT_EQ(outcome.output, "before");
    EXPECT_EQ(outcome.result, "");
}

TEST(MetaFunctions, EvalIncludeCallfunction) {
    checkcases({
        {"eval('0x13')", "19"},
        {"eval('3+4*5')", "23"},
        {"var v = []; for (var i = 1; i <= 10; i++) v[i - 1] = eval('i * 7'); v",
         "[7,14,21,28,35,42,49,56,63,70]"},
        {"var x = 1; eval('x = 5; var y = 2;'); x + y", "7"},
        {"eval('function twice(v) { return v * 2; }'); callfunction('twice', 4)", "8"},
        {"gettype(eval(''))", "null"},
        {"eval('eval(\\'1/0\\')')", "<error> test Line 1 Col 1 <evalerror> Line 1 Col 1 "
                                    "<evalerror> Line 1 Col 3 division by 0"},
        {"include('notexistentinclude.vornscript')", "<error> test Line 1 Col 1 include file not "
                                                     "found in include path: "
                                                     "notexistentinclude.vornscript"},
        {"include('')", "<error> test Line 1 Col 1 cannot include file with empty name"},
        {"callfunction('gettype', 2)", "long"},
        {"callfunction('pow', 2, 4)", "16"},
        {"callfunction('max', 2, 4, 3, -3)", "4"},
        {"callfunction('eval', '2*3')", "6"},
    });
    checknamedcases("sysfunceval2", {{"eval('3/0')", "<error> sysfunceval2 Line 1 Col 1 "
                                                     "<evalerror> Line 1 Col 3 division by 0"}});
    checknamedcases("sysfunceval3",
                    {{"eval('3+(4*')", "<error> sysfunceval3 Line 1 Col 1 <evalerror> Line 1 "
                                       "Col 6 invalid syntax: unexpected token "}});
}

TEST(MetaFunctions, IncludeFile) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / "vornscript_include_test";
    std::filesystem::create_directories(folder);
    const std::string good = (folder / "good.vornscript").string();
    const std::string bad = (folder / "bad.vornscript").string();
    std::ofstream(good) << "var included = 'yes';\nfunction doubled(x) { return x * 2; }\n";
    std::ofstream(bad) << "var a = 1;\n  3/0;\n";
    checkcases({
        {("include('" + good + "'); doubled(21) + included").c_str(), "42yes"},
        {("include('" + bad + "')").c_str(),
         ("<error> test Line 1 Col 1 " + bad + " Line 2 Col 5 division by 0").c_str()},
    });
    // The including script's folder is searched first; for an included file
    // that is its own folder, not the folder of the run's script.
    EXPECT_EQ(runtestscript("include('good.vornscript'); included", (folder / "main").string()),
              "yes");
    std::filesystem::create_directories(folder / "sub");
    std::ofstream((folder / "sub" / "outer.vornscript").string())
        << "include('inner.vornscript');\nvar outer = inner + 1;\n";
    std::ofstream((folder / "sub" / "inner.vornscript").string()) << "var inner = 41;\n";
    EXPECT_EQ(runtestscript("include('sub/outer.vornscript'); outer", (folder / "main").string()),
              "42");
    std::filesystem::remove_all(folder);
}

TEST(OutputFunctions, StreamsOfThePrintFamily) {
    struct OutputCase {
        const char* script;
        const char* output;
        const char* erroroutput;
        const char* result;
    };
    const OutputCase cases[] = {
        {"print('abcdef','ghijklmnopqrst','uvwxyz\\n')", "abcdefghijklmnopqrstuvwxyz\n", "", "1"},
        {"println()", "\n", "", "1"},
        {"println('a', 1, null, [1,2])", "a1[1,2]\n", "", "1"},
        {"var u; println(u, u)", "\n", "", "1"},
        {"print()",
         "test Line 1 Col 1 function print() not existing maybe you mean: printf(a,...),"
         "print(a,...)\n",
         "",
         "<error> test Line 1 Col 1 function print() not existing maybe you mean: printf(a,...),"
         "print(a,...)"},
        {"printerror('abc', 'def\\n')", "", "abcdef\n", "1"},
        {"printerrorln()", "", "\n", "1"},
        {"printerrorln('x', 2)", "", "x2\n", "1"},
        {"print('ran'); doesnotexist(1)",
         "test Line 1 Col 15 function doesnotexist(a) not existing\n", "",
         "<error> test Line 1 Col 15 function doesnotexist(a) not existing"},
    };
    for (const OutputCase& row : cases) {
        vornscript::VornScriptRunRequest request;
        request.scriptname = "test";
        request.scripttext = row.script;
        const vornscript::VornScriptRunOutcome outcome = vornscript::runscript(request);
        EXPECT_EQ(outcome.output, row.output) << row.script;
        EXPECT_EQ(outcome.erroroutput, row.erroroutput) << row.script;
        EXPECT_EQ(outcome.result, row.result) << row.script;
    }
}

// Remembers what the stream held at each flush.
class FlushRecorder : public std::stringbuf {
public:
    std::vector<std::string> flushed;

protected:
    int sync() override {
        flushed.push_back(str());
        return 0;
    }
};

TEST(OutputFunctions, LineEndsFlushTheirStream) {
    FlushRecorder output;
    FlushRecorder erroroutput;
    std::ostream out(&output);
    std::ostream err(&erroroutput);
    vornscript::VornScriptRunRequest request;
    request.scriptname = "test";
    request.scripttext = "print('a'); println('b'); print('c'); printerrorln('x'); println()";
    int32_t exitcode = 0;
    vornscript::runscript(request, out, err, exitcode);
    ASSERT_GE(output.flushed.size(), 2u);
    EXPECT_EQ(output.flushed[0], "ab\n");
    EXPECT_EQ(output.flushed[1], "ab\nc\n");
    ASSERT_FALSE(erroroutput.flushed.empty());
    EXPECT_EQ(erroroutput.flushed[0], "x\n");
}

} // namespace
} // namespace vornscriptunittests
