// Plug-in libraries from a script's view: where uselibrary looks for a file,
// how loading fails, a module_init that refuses, missing exports, errors
// raised at the call, and the live data of the test plug-in read and changed
// through the exports in a context without the self-test extension.
#include "driver/commandlinescript.h"
#include "extensions/library.h"
#include "extensions/librarymodule.h"
#include "filetestsupport.h"
#include "selftests/testcontext.h"

#include <gtest/gtest.h>

#include <fstream>

namespace vornscriptunittests {
namespace {

void createfile(const std::string& path, const std::string& content = {}) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path) << content;
}

TEST(LibrarySearch, FollowsTheSearchOrder) {
    TemporaryFolder folder;
    const std::string& d = folder.path();
    vornscript::VornScriptContextBase context;
    context.librarypaths = {d + "first", d + "second/"};
    context.setbasefolder(d + "base/");
    context.includepaths = {d + "include"};
    const auto find = [&](const std::string& name) {
        return vornscript::findlibraryfile(context, name);
    };

    EXPECT_EQ(find("plug"), "");
    createfile(d + "include/plug.so");
    EXPECT_EQ(find("plug"), d + "include/plug.so");
    createfile(d + "base/plug.so");
    EXPECT_EQ(find("plug"), d + "base/plug.so");
    createfile(d + "second/plug.so");
    EXPECT_EQ(find("plug"), d + "second/plug.so");
    createfile(d + "first/plug.so");
    EXPECT_EQ(find("plug"), d + "first/plug.so");

    // A name with a "." gets no ".so"; an existing path is taken as it is;
    // a folder is no library.
    createfile(d + "second/plug.v2");
    EXPECT_EQ(find("plug.v2"), d + "second/plug.v2");
    EXPECT_EQ(find(d + "base/plug.so"), d + "base/plug.so");
    std::filesystem::create_directories(d + "first/folder.so");
    EXPECT_EQ(find("folder"), "");

    // Relative to the current folder, after the search list; last, the
    // program's own folder, where the test plug-ins are built.
    createfile(d + "here.so");
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(d);
    const std::string here = find("here");
    const std::string testlibrary = find("vornscripttestlibrary");
    std::filesystem::current_path(previous);
    EXPECT_EQ(here, "here.so");
    EXPECT_EQ(testlibrary, vornscript::programfilefolder() + "vornscripttestlibrary.so");
}

TEST(UseLibrary, FailsClearlyAndStopsAtTheFirstFailure) {
    TemporaryFolder folder;
    createfile(folder.path() + "broken.so", "not a shared object");
    std::filesystem::copy_file(vornscript::programfilefolder() + "vornscripttestlibrary.so",
                               folder.path() + "copied.so");
    checkfolderrows(
        folder.path(),
        {
            {"uselibrary('nosuchlibrary')",
             "<error> test Line 1 Col 1 library not found: nosuchlibrary"},
            {"uselibrary('{d}broken.so')",
             "<error> test Line 1 Col 1 cannot load library: {d}broken.so"},
            {"uselibrary('vornscripttestlibrary', 'nosuch')", "!library not found: nosuch"},
            {"uselibrary('vornscripttestlibrary', 'vornscripttestlibrary')", "1"},
            {"setlibrarypath('{d}nofolder')",
             "<error> test Line 1 Col 1 library folder does not found: {d}nofolder"},
            {"setlibrarypath('{d}'); uselibrary('copied'); MYLIBCONSTANT", "my lib value"},
            // A refused module_init yields 0 and registers nothing.
            {"uselibrary('vornscriptrefusinglibrary')", "0"},
            {"uselibrary('vornscriptrefusinglibrary'); "
             "getlibrarysummary('vornscriptrefusinglibrary')",
             "!library is not loaded: vornscriptrefusinglibrary"},
        });

    // The -libpath list reaches the run as the library search list.
    vornscript::VornScriptRunRequest request;
    request.scriptname = "test";
    request.scripttext = "uselibrary('copied'); multiply(2, 3)";
    request.librarypaths = {folder.path()};
    EXPECT_EQ(vornscript::runscript(request).result, "6");
}

TEST(UseLibrary, RegistersOnceAndUnloadsARefusedLibrary) {
    vornscript::VornCommandlineScript context;
    std::string error;
    const size_t before = context.extensions().size();
    EXPECT_EQ(vornscript::uselibrary(context, "vornscripttestlibrary", error),
              vornscript::VornLibraryUse::loaded);
    EXPECT_EQ(vornscript::uselibrary(context, "vornscripttestlibrary", error),
              vornscript::VornLibraryUse::loaded);
    EXPECT_EQ(context.extensions().size(), before + 1);

    EnvironmentOverride exitmark("VORNPLUGIN_MINIMAL_EXIT", nullptr);
    EXPECT_EQ(vornscript::uselibrary(context, "vornscriptrefusinglibrary", error),
              vornscript::VornLibraryUse::refused);
    EXPECT_EQ(context.extensions().size(), before + 1);
    EXPECT_NE(std::getenv("VORNPLUGIN_MINIMAL_EXIT"), nullptr) << "module_exit before unloading";
}

TEST(UseLibrary, MissingExportsAnswerFalseOrFailWithTheirMessage) {
    EnvironmentOverride exitmark("VORNPLUGIN_MINIMAL_EXIT", nullptr);
    EnvironmentOverride destroyed("VORNPLUGIN_MINIMAL_DESTROYED", nullptr);
    checkcases({
        {"uselibrary('vornscriptminimallibrary'); length(bare)",
         "<error> test Line 1 Col 41 vectorsize not implemented"},
        {"uselibrary('vornscriptminimallibrary'); push(bare, 1)",
         "<error> test Line 1 Col 41 pushvectorelement not implemented"},
        {"uselibrary('vornscriptminimallibrary'); bare[0]",
         "<error> test Line 1 Col 41 accessvectorelement not implemented"},
        {"uselibrary('vornscriptminimallibrary'); broken()",
         "<error> test Line 1 Col 41 calluserfunction not implemented"},
        {"uselibrary('vornscriptminimallibrary'); getlibrarysummary('vornscriptminimallibrary')",
         ""},
        // Its plain copy is live again: the text form gives up at the
        // nesting limit.
        {"uselibrary('vornscriptminimallibrary'); bare", ""},
        {"uselibrary('vornscriptminimallibrary'); MYLIBCONSTANT",
         "<error> test Line 1 Col 41 variable not defined: MYLIBCONSTANT"},
    });
    // Every value of the plug-in was released, and the library ended.
    ASSERT_NE(std::getenv("VORNPLUGIN_MINIMAL_DESTROYED"), nullptr);
    EXPECT_STREQ(std::getenv("VORNPLUGIN_MINIMAL_DESTROYED"), "4");
    EXPECT_NE(std::getenv("VORNPLUGIN_MINIMAL_EXIT"), nullptr);
}

TEST(PluginCalls, ErrorsAreRaisedAtTheCall) {
    checkcases({
        {"uselibrary('vornscripttestlibrary');\n   sum(1, 'x')",
         "<error> test Line 2 Col 4 double value expected"},
        {"uselibrary('vornscripttestlibrary'); multiply(1)",
         "<error> test Line 1 Col 38 function not existing: multiply($)"},
        {"uselibrary('vornscripttestlibrary'); sum(0.5, 0.25)", "0.750000"},
        // A live text of the plug-in goes as its id and is read there.
        {"uselibrary('vornscripttestlibrary'); sum(tickcount, 1) > 1001", "1"},
    });
}

// The program's live values reach a plug-in function as references and come
// back as the same values; the plug-in's own values go as their ids.
TEST(PluginCalls, ArgumentsComeBackAsTheyWent) {
    TestScriptRunner runner; // its context offers the live variable persons
    const std::string load = "uselibrary('vornscripttestlibrary'); ";
    const ScriptCase rows[] = {
        {"echo([1,'two',[3],{a: 'b'}])", "[1,'two',[3],{a: 'b'}]"},
        {"echo(null)", ""},
        {"var e = echo(persons); e[0].name = 'changed'; persons[0].name", "changed"},
        {"var e = echo(persons[1]); "
         "substitute(e.getdebuginfo(), '0x[0-9A-F]+', '0x0')",
         "OBJECT TYPE=structure L-VALUE NAME=e data=0x0 LivePerson"},
        {"var e = echo(users); push(e, newuser()); length(users)", "4"},
    };
    for (const ScriptCase& row : rows) {
        EXPECT_EQ(runner.runscript("echo", load + row.script), row.expected) << row.script;
    }
}

TEST(PluginData, LiveDataWorksThroughTheExports) {
    const std::string load = "uselibrary('vornscripttestlibrary'); ";
    const ScriptCase rows[] = {
        {"tickcount > 1000", "1"},
        {"tickcount = 5", "!SystemTimeVar setstring not supported"},
        {"shift(users); users[0].name + length(users)", "kelmir2"},
        {"var p = pop(users); p.name + length(users)", "isolet2"},
        {"removekey(users[0], 'color'); users[0]",
         "{day: 13, month: 5, name: 'dorvash', year: 1967}"},
        {"users[5]", "!invalid index"},
        {"insert(users, 9, newuser())", "!invalid index"},
        {"push(users, 5)", "!structure expected"},
        {"push(users, {name: 'plain', year: 1}); users[3].name + users[3].year", "plain1"},
        {"var u = users; u[0].name = 'shared'; users[0].name", "shared"},
        {"var c = (vector)users; c[0].name = 'copy'; users[0].name", "dorvash"},
        {"var n = newuser(); n.name = 'x'; n", "{name: 'x'}"},
    };
    for (const ScriptCase& row : rows) {
        const std::string result = runtestscript(load + row.script);
        const std::string expected = row.expected;
        if (expected.front() == '!') {
            EXPECT_TRUE(result.starts_with("<error> ") &&
                        result.ends_with(" " + expected.substr(1)))
                << row.script << "\nresult: " << result;
        } else {
            EXPECT_EQ(result, expected) << row.script;
        }
    }
}

} // namespace
} // namespace vornscriptunittests
