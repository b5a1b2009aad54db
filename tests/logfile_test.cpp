// The process-wide log file: line formats, buffering before a name is set,
// folder creation and lost writes.
#include "driver/logfile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <unistd.h>

namespace vornscriptunittests {
using vornscript::VornLogFile;
namespace fs = std::filesystem;

namespace {
std::string readwhole(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// A fresh folder per test; the log file is reset to no name afterwards.
class LogFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("vornlogtest_" + std::to_string(::getpid()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
        VornLogFile::instance().setfilename("");
    }
    void TearDown() override {
        VornLogFile::instance().setfilename("");
        fs::remove_all(folder);
    }
    fs::path folder;
};
} // namespace

TEST_F(LogFileTest, LinesWithAndWithoutTime) {
    fs::path name = folder / "vornscript.log";
    VornLogFile::instance().setfilename(name.string());
    EXPECT_EQ(VornLogFile::instance().filename(), name.string());
    VornLogFile::instance().write("plain text", false);
    VornLogFile::instance().write("timed text", true);
    VornLogFile::instance().write("", false);
    std::string text = readwhole(name);
    std::regex expected(R"(plain text\n\[(Sun|Mon|Tue|Wed|Thu|Fri|Sat) )"
                        R"((Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) )"
                        R"(\d\d \d\d:\d\d:\d\d \d{4}\] timed text\n\n)");
    EXPECT_TRUE(std::regex_match(text, expected)) << text;
}

TEST_F(LogFileTest, LinesWaitForAFileName) {
    VornLogFile::instance().write("early one", false);
    VornLogFile::instance().write("early two", false);
    fs::path name = folder / "late.log";
    EXPECT_FALSE(fs::exists(name));
    VornLogFile::instance().setfilename(name.string());
    EXPECT_EQ(readwhole(name), "early one\nearly two\n");
    VornLogFile::instance().write("later", false);
    EXPECT_EQ(readwhole(name), "early one\nearly two\nlater\n");
}

TEST_F(LogFileTest, NewNameTakesOnlyLaterLinesAndCreatesFolders) {
    fs::path first = folder / "first.log";
    fs::path second = folder / "deep" / "er" / "second.log";
    VornLogFile::instance().setfilename(first.string());
    VornLogFile::instance().write("to first", false);
    VornLogFile::instance().setfilename(second.string());
    EXPECT_TRUE(fs::is_directory(folder / "deep" / "er"));
    EXPECT_FALSE(fs::exists(second)); // naming alone writes nothing
    VornLogFile::instance().write("to second", false);
    EXPECT_EQ(readwhole(first), "to first\n");
    EXPECT_EQ(readwhole(second), "to second\n");
}

TEST_F(LogFileTest, UnopenableFileLosesThatWriteOnly) {
    // A folder cannot be opened as a file.
    VornLogFile::instance().setfilename(folder.string());
    VornLogFile::instance().write("lost", false);
    fs::path good = folder / "good.log";
    VornLogFile::instance().setfilename(good.string());
    VornLogFile::instance().write("kept", false);
    EXPECT_EQ(readwhole(good), "kept\n");
}

TEST_F(LogFileTest, SinkForwardsToTheLogFile) {
    fs::path name = folder / "sink.log";
    VornLogFile::instance().setfilename(name.string());
    auto sink = vornscript::logfilesink();
    sink("through the sink", false);
    sink("timed", true);
    std::string text = readwhole(name);
    EXPECT_TRUE(text.starts_with("through the sink\n[")) << text;
    EXPECT_TRUE(text.ends_with("] timed\n")) << text;
}

} // namespace vornscriptunittests
