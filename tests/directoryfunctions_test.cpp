// Script-level tests of the folder, path text, profile, environment and
// clipboard functions, and of the sandbox of the restricted base context.
#include "filetestsupport.h"
#include "interpreter/pathpermission.h"

#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace vornscriptunittests {
namespace {

TEST(DirectoryFunctions, PathTexts) {
    checkcases({
        {"joinpath('/y/', 'util', 'a.mid')", "/y/util/a.mid"},
        {"joinpath(['/y/', 'util', 'a.mid'])", "/y/util/a.mid"},
        {"joinpath('y:\\\\', '\\\\util', '', 'a')", "y:\\util/a"},
        {"joinpath('a')", "a"},
        {"joinpath(['a'], 'b')",
         "<error> test Line 1 Col 1 joinpath(vector) has too many arguments"},
        {"getfilename('y:\\\\midi folder\\\\sweet toxic love.mId')", "sweet toxic love.mId"},
        {"getdirectory('y:\\\\midi folder\\\\sweet toxic love.mId')", "y:\\midi folder\\"},
        {"getfileextension('y:\\\\midi folder\\\\sweet toxic love.mId')", ".mId"},
        {"removefileextension('y:\\\\midi folder\\\\sweet toxic love.mId')",
         "y:\\midi folder\\sweet toxic love"},
        {"getfilename('/a.b/c') + '|' + getfileextension('/a.b/c') + '|' + getdirectory('c')",
         "c||"},
        {"quotepath('y:\\\\midi folder\\\\sweet toxic love.mid')",
         "\"y:\\midi folder\\sweet toxic love.mid\""},
        {"quotepath('y:\\\\mi\\'di fol\"der\\\\')", "\"y:\\mi'di fol\\\"der\\\\\""},
        {"getfullpath('/a/./b/../c/')", "/a/c/"},
    });
    EXPECT_EQ(runtestscript("getfullpath('x/../y.txt')"),
              std::filesystem::current_path().string() + "/y.txt");
}

TEST(DirectoryFunctions, SpecialAndTemporaryFolders) {
    TemporaryFolder folder;
    EnvironmentOverride temporary("TMPDIR", folder.path().c_str());
    EnvironmentOverride home("HOME", (folder.path() + "home").c_str());
    EnvironmentOverride documents("XDG_DOCUMENTS_DIR", nullptr);
    EnvironmentOverride config("XDG_CONFIG_HOME", nullptr);
    checkfolderrows(
        folder.path(),
        {
            {"gettemporaryfolder()", "{d}"},
            {"gettemporaryfolder('.mid')", "{d}.mid"},
            {"gettemporaryfolder('a', 'b/')", "{d}a/b/"},
            {"getpersonalfolder()", "{d}home/Documents/"},
            {"getmydocumentsfolder('x', 'y.txt')", "{d}home/Documents/x/y.txt"},
            {"getapplicationdatafolder('vorn')", "{d}home/.config/vorn"},
            {"getprogramfolder('Company', 'Product')", "/opt/Company/Product"},
            {"var n = gettemporaryfilename('.mid'); (getdirectory(n) == '{d}') + "
             "getfileextension(n) + fileexists(n)",
             "1.mid0"},
            {"var n = gettemporaryfoldername('hero', '.d'); (removefileextension(n) != '{d}hero') "
             "+ getfileextension(n) + directoryexists(n)",
             "1.d0"},
        });
}

TEST(DirectoryFunctions, TemporaryNamesAreFreeAndDifferent) {
    TemporaryFolder folder;
    EnvironmentOverride temporary("TMPDIR", folder.path().c_str());
    const std::string first = runtestscript("gettemporaryfilename('hero', '.mid')");
    const std::string second = runtestscript("gettemporaryfilename('hero', '.mid')");
    EXPECT_TRUE(first.starts_with(folder.path() + "hero")) << first;
    EXPECT_TRUE(first.ends_with(".mid")) << first;
    EXPECT_NE(first, second);
}

TEST(DirectoryFunctions, FoldersAndAttributes) {
    TemporaryFolder folder;
    const std::string file = folder.path() + "sub/file.txt";
    checkfolderrows(
        folder.path(),
        {
            {"directoryexists('{d}doesnotexist/')", "0"},
            {"createdirectory('{d}sub') + ',' + directoryexists('{d}sub') + ',' + "
             "directoryexists('{d}sub/')",
             "1,1,1"},
            {"createdirectory('{d}sub')", "!failed to create directory {d}sub"},
            {"closedfilewritetext('{d}sub/file.txt', 'x'); directoryexists('{d}sub/file.txt') + "
             "',' + fileexists('{d}sub/file.txt')",
             "0,1"},
            {"readdirectory('{d}sub')", "['{d}sub/file.txt']"},
            {"readdirectory('{d}sub/file.txt')",
             "!cannot get directory entries from {d}sub/file.txt"},
            {"createdirectories('{d}deep/er/est') + ',' + createdirectories('{d}deep/er')", "1,1"},
            {"createdirectories('{d}sub/file.txt/x')",
             "!failed to create directory {d}sub/file.txt/x"},
            {"deletedirectory('{d}deep')", "!failed to delete directory {d}deep"},
            {"deletedirectory('{d}deep/er/est') + ',' + directoryexists('{d}deep/er/est')", "1,0"},
            {"fileattributes('{d}sub')", "16"},
            {"fileattributes('{d}sub/file.txt')", "32"},
            {"closedfilewritetext('{d}.hidden', ''); fileattributes('{d}.hidden')", "34"},
            {"fileattributes('/dev/null')", "64"},
            {"fileattributes('{d}none')", "!cannot get file attributes for {d}none"},
            {"fileisnewer('{d}none', '{d}sub')", "!file not found {d}none"},
        });
    ::chmod(file.c_str(), 0444);
    ::symlink(file.c_str(), (folder.path() + "link").c_str());
    EXPECT_EQ(runtestscript("fileattributes('" + file + "')"), "33");
    EXPECT_EQ(runtestscript("fileattributes('" + folder.path() + "link')"), "1057");
    const timespec older[2] = {{1000, 0}, {1000, 0}};
    ::utimensat(AT_FDCWD, file.c_str(), older, 0);
    EXPECT_EQ(runtestscript("fileisnewer('" + folder.path() + "sub', '" + file + "')"), "1");
    EXPECT_EQ(runtestscript("fileisnewer('" + file + "', '" + folder.path() + "sub')"), "0");
}

TEST(DirectoryFunctions, Profiles) {
    TemporaryFolder folder;
    checkfolderrows(
        folder.path(),
        {
            {"writeprofilestring('{d}p.ini', 'Settings', 'stringfeld1', 'feldwert') + "
             "getprofilestring('{d}p.ini', 'Settings', 'stringfeld1')",
             "1feldwert"},
            {"getprofilestring('{d}p.ini', 'settings', 'STRINGFELD1')", "feldwert"},
            {"getprofilestring('{d}p.ini', 'Settings', 'missing') + '|' + "
             "getprofilestring('{d}p.ini', 'Settings', 'missing', 'default')",
             "|default"},
            {"writeprofilebool('{d}p.ini', 'Settings', 'b', true); getprofilebool('{d}p.ini', "
             "'Settings', 'b') + getprofilestring('{d}p.ini', 'Settings', 'b')",
             "2"},
            {"writeprofilestring('{d}p.ini', 'Settings', 'y', ' yes '); "
             "getprofilebool('{d}p.ini', 'Settings', 'y')",
             "1"},
            {"writeprofilestring('{d}p.ini', 'Settings', 'n', 'Nein'); "
             "getprofilebool('{d}p.ini', 'Settings', 'n', true)",
             "0"},
            {"writeprofilestring('{d}p.ini', 'Settings', 'x', 'maybe'); "
             "getprofilebool('{d}p.ini', 'Settings', 'x', true) + ',' + "
             "getprofilebool('{d}p.ini', 'Settings', 'x') + ',' + "
             "getprofilebool('{d}p.ini', 'Settings', 'absent', 1)",
             "1,0,1"},
            {"copyfile('{d}q.ini', '{d}p.ini'); getprofilestring('{d}q.ini', 'Settings', "
             "'stringfeld1') + getprofilebool('{d}q.ini', 'Settings', 'y')",
             "feldwert1"},
        });
}

TEST(DirectoryFunctions, EnvironmentAndClipboard) {
    EnvironmentOverride wayland("WAYLAND_DISPLAY", nullptr);
    EnvironmentOverride display("DISPLAY", nullptr);
    EnvironmentOverride variable("newenv", nullptr);
    checkcases({
        {"getenv('newenv')", ""},
        {"setenv('newenv', 13); getenv('newenv')", "13"},
        {"setenv('', 1)", "0"},
        {"setenv('a=b', 1)", "0"},
        {"var input = 'clip ' + 0.5; setclipboardtext(input); var output = getclipboardtext(); "
         "input == output ? 1 : 0",
         "1"},
    });
}

// The base context confines writing to the temporary folder, however the
// path is written; reading and information stay allowed everywhere.
TEST(FilePermissions, RestrictedContextWritesOnlyInsideTheTemporaryFolder) {
    TemporaryFolder outside;
    TemporaryFolder temporary;
    EnvironmentOverride tmpdir("TMPDIR", temporary.path().c_str());
    const std::string inside = temporary.path();
    std::ofstream(outside.path() + "existing.txt") << "outside";
    ::symlink(outside.path().c_str(), (inside + "linkout").c_str());
    ::symlink((outside.path() + "new.txt").c_str(), (inside + "dangling").c_str());
    checkfolderrows(
        inside,
        {
            {"closedfilewritetext('{d}ok.txt', 'x')", "1"},
            {"closedfilewritetext('/etc/vornscript_xxx.txt', 'x')", "!no permission to write file"},
            {"closedfilewritetext('{d}../vornfilestest_escape.txt', 'x')",
             "!no permission to write file"},
            {"closedfilewritetext('{d}linkout/x.txt', 'x')", "!no permission to write file"},
            {"closedfilewritetext('{d}dangling', 'x')", "!no permission to write file"},
            {"closedfilewritetext('relative.txt', 'x')", "!no permission to write file"},
            {"closedfileappendtext('{d}linkout/existing.txt', 'x')",
             "!no permission to write file"},
            {"closedfilereadtext('{d}linkout/existing.txt')", "outside"},
            {"fileexists('/etc/passwd')", "1"},
            {"copyfile('{d}linkout/copy.txt', '{d}ok.txt')", "!no permission to write file"},
            {"copyfile('{d}copy.txt', '{d}linkout/existing.txt')", "1"},
            {"movefile('{d}moved.txt', '{d}linkout/existing.txt')", "!no permission to move file"},
            {"deletefile('{d}linkout/existing.txt')", "!no permission to delete file"},
            {"deletefileforever('{d}linkout/existing.txt')", "!no permission to delete file"},
            {"createfilebackup('{d}ok.txt', '{d}linkout')", "!no permission to write file"},
            {"fileopen('{d}linkout/existing.txt', 'a')", "!file output is not permitted"},
            {"fileopen('{d}linkout/new.txt')", "!file open failed: {d}linkout/new.txt"},
            {"createdirectory('{d}linkout/d')", "!no permission to create directory {d}linkout/d"},
            {"deletedirectory('{d}linkout')", "!no permission to remove directory {d}linkout"},
            {"readdirectory('{d}linkout')", "['{d}linkout/existing.txt']"},
        },
        true);
    EXPECT_FALSE(std::filesystem::exists(outside.path() + "new.txt"));
    EXPECT_FALSE(std::filesystem::exists(outside.path() + "x.txt"));
    EXPECT_FALSE(std::filesystem::exists("/tmp/vornfilestest_escape.txt"));
}

TEST(FilePermissions, PathContainmentFollowsTheRealLocation) {
    TemporaryFolder folder;
    const std::string base = folder.path();
    ::mkdir((base + "in").c_str(), 0700);
    ::symlink("../in", (base + "in/self").c_str());
    ::symlink("loop", (base + "loop").c_str());
    const std::string inside = base + "in/";
    const std::string previous = std::filesystem::current_path();
    struct Row {
        std::string path;
        bool expected;
    };
    const Row rows[] = {
        {inside, true},
        {base + "in", true},
        {inside + "a/../b", true},
        {inside + "../in/x", true},
        {inside + "../x", false},
        {base + "inx/y", false},
        {inside + "self/self/x", true},
        {base + "loop/x", false},
        {"", false},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(vornscript::pathliesinsidefolder(row.path, inside), row.expected) << row.path;
    }
    ASSERT_EQ(::chdir(inside.c_str()), 0);
    EXPECT_TRUE(vornscript::pathliesinsidefolder("x.txt", inside));
    EXPECT_FALSE(vornscript::pathliesinsidefolder("../x.txt", inside));
    ASSERT_EQ(::chdir(previous.c_str()), 0);
}

} // namespace
} // namespace vornscriptunittests
