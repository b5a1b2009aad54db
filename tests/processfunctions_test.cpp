// Pauses, window messages and program starts: runprocess and its permission,
// findapplication along PATH, shellexecute's starts and error messages, and
// the slicing of sleep and wait with wait ending at the quit mark.
#include "filetestsupport.h"
#include "support/messagepump.h"
#include "support/shellexecute.h"
#include "sysfunctions/osfunctions.h"

#include <cerrno>
#include <chrono>
#include <fstream>
#include <thread>

namespace vornscriptunittests {
namespace {

using vornscript::shellexecutemessage;

void writefile(const std::string& path, const std::string& text, bool executable) {
    std::ofstream(path) << text;
    if (executable) {
        std::filesystem::permissions(path, std::filesystem::perms::owner_exec,
                                     std::filesystem::perm_options::add);
    }
}

// The text a program started in the background writes into [path], given
// up to two seconds to appear.
std::string writtenby(const std::string& path) {
    std::string written;
    for (int tries = 0; tries < 200 && written.empty(); ++tries) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::getline(std::ifstream(path), written);
    }
    return written;
}

TEST(ProcessFunctions, RunprocessGivesStatusAndOutput) {
    checkfolderrows(
        "", {
                {"var out = 'old'; var s = runprocess('printf abc; exit 3', out); s + ':' + out",
                 "3:abc"},
                {"runprocess('true')", "0"},
                // Output longer than one read piece arrives whole.
                {"var out; runprocess('seq 1 100', out); length(out)", "292"},
                {"runprocess('kill -9 $$')", "137"},
                {"runprocess('no_such_command_vorn 2>/dev/null')", "127"},
                {"var out = [1, 2]; runprocess('printf x', out); out", "x"},
            });
    checkfolderrows("", {{"runprocess('true')", "!no permission to execute command"}}, true);
}

TEST(ProcessFunctions, FindapplicationSearchesPathInOrder) {
    TemporaryFolder folder;
    const std::string& d = folder.path();
    checkfolderrows(
        d,
        {
            {"runprocess('mkdir -p {d}a {d}b/sub && touch {d}a/tool {d}b/tool {d}b/other')", "0"},
        });
    EnvironmentOverride path("PATH", (d + "none::" + d + "a:" + d + "b/").c_str());
    checkfolderrows(
        d, {
               {"findapplication('tool')", "{d}a/tool"},
               {"findapplication('other')", "{d}b/other"},
               {"findapplication('missing')", ""},
               {"findapplication('sub')", ""}, // a folder is no application
               {"findapplication('')", "!function findapplication requires argument appname"},
               {"var u; findapplication(u)", "!function findapplication requires argument appname"},
           });
}

TEST(ProcessFunctions, ShellexecuteMessagesByResult) {
    const struct {
        int result;
        const char* message;
    } rows[] = {
        {0, "The operating system is out of memory or resources"},
        {8, "The operating system is out of memory or resources"},
        {1, "The file was not found: f.txt"},
        {2, "The file was not found: f.txt"},
        {3, "The file was not found: f.txt"},
        {5, "The operating system denied access to file: f.txt"},
        {26, "The operating system denied access to file: f.txt"},
        {11, "The file name is invalid: f.txt"},
        {27, "There is no application associated with the extension of file: f.txt"},
        {31, "There is no application associated with the extension of file: f.txt"},
        {4, "cannot run application"},
        {32, "cannot run application"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(shellexecutemessage(row.result, "f.txt"), row.message) << row.result;
    }
    using vornscript::shellresultoferror;
    EXPECT_EQ(shellresultoferror(ENOENT), 2);
    EXPECT_EQ(shellresultoferror(ENOTDIR), 3);
    EXPECT_EQ(shellresultoferror(EACCES), 5);
    EXPECT_EQ(shellresultoferror(ENOEXEC), 11);
    EXPECT_EQ(shellresultoferror(ENOMEM), 8);
    EXPECT_EQ(shellresultoferror(EIO), vornscript::shellresultfailed);
    using vornscript::shellresultofopener;
    EXPECT_GT(shellresultofopener(0), 32);
    EXPECT_EQ(shellresultofopener(2), 2);
    EXPECT_EQ(shellresultofopener(3), 31);
    EXPECT_LE(shellresultofopener(4), 32);
}

TEST(ProcessFunctions, ShellexecuteStartsProgramsAndReportsFailures) {
    TemporaryFolder folder;
    const std::string& d = folder.path();
    writefile(d + "tool", "#!/bin/sh\nprintf %s \"$2\" > \"$1\"\n", true);
    writefile(d + "bad", "garbage", true);
    writefile(d + "doc.txt", "text", false);
    // Without xdg-open a document has no application to open it.
    EnvironmentOverride path("PATH", (d + "empty").c_str());
    checkfolderrows(
        d, {
               {"shellexecute('{d}tool', '{d}out \"two words\"')", "1"},
               {"shellexecute('tool')", "!The file was not found: tool"},
               {"shellexecute('{d}missing')", "!The file was not found: {d}missing"},
               {"shellexecute('{d}doc.txt/x')", "!The file was not found: {d}doc.txt/x"},
               {"shellexecute('')", "!The file was not found: "},
               {"shellexecute('{d}bad')", "!The file name is invalid: {d}bad"},
               {"shellexecute('{d}doc.txt')",
                "!There is no application associated with the extension of file: {d}doc.txt"},
               {"shellexecute('https://example.org/')",
                "!There is no application associated with the extension of file: "
                "https://example.org/"},
           });
    // A name in the current folder starts that program, not one along PATH.
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(d);
    EXPECT_EQ(runtestscript("shellexecute('tool', 'here x')"), "1");
    std::filesystem::current_path(previous);
    EXPECT_EQ(writtenby(d + "out"), "two words");
    EXPECT_EQ(writtenby(d + "here"), "x");
}

TEST(ProcessFunctions, PausesAreSliced) {
    std::vector<int64_t> slept;
    const auto sleep = [&](int64_t milliseconds) { slept.push_back(milliseconds); };
    int after = 0;
    const auto always = [&] { return ++after > 0; };
    EXPECT_TRUE(vornscript::pauseinslices(25000, 10000, sleep, always));
    EXPECT_EQ(slept, (std::vector<int64_t>{10000, 10000, 5000}));
    EXPECT_EQ(after, 3);
    slept.clear();
    EXPECT_TRUE(vornscript::pauseinslices(500, 250, sleep, always));
    EXPECT_EQ(slept, (std::vector<int64_t>{250, 250}));
    slept.clear();
    EXPECT_TRUE(vornscript::pauseinslices(0, 250, sleep, always));
    EXPECT_TRUE(vornscript::pauseinslices(-5, 250, sleep, always));
    EXPECT_TRUE(slept.empty());
    // An answer of false ends the pause after that slice.
    int calls = 0;
    EXPECT_FALSE(vornscript::pauseinslices(1000, 250, sleep, [&] { return ++calls < 2; }));
    EXPECT_EQ(slept, (std::vector<int64_t>{250, 250}));
}

// A window system whose message queue holds the quit message.
class QuittingSource : public vornscript::VornMessageSource {
public:
    bool dispatchpending(int limit) override {
        limits.push_back(limit);
        return true;
    }
    std::vector<int> limits;
};

TEST(ProcessFunctions, WaitEndsAtTheQuitMark) {
    vornscript::clearquit();
    checkfolderrows("", {
                            {"allowmessageprocessing()", "1"},
                            {"wait(20)", "1"},
                            {"sleep('soon')", "!integer value expected"},
                        });
    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(runtestscript("sleep(30)"), "1");
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(30));
    QuittingSource source;
    vornscript::setmessagesource(&source);
    start = std::chrono::steady_clock::now();
    EXPECT_EQ(runtestscript("wait(60000)"), "0");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
    EXPECT_EQ(runtestscript("allowmessageprocessing()"), "0");
    EXPECT_EQ(source.limits, std::vector<int>{5});
    vornscript::setmessagesource(nullptr);
    vornscript::clearquit();
}

} // namespace
} // namespace vornscriptunittests
