// Script-level tests of the closed-file, open-file, copy, move, delete and
// backup functions, each run in a private temporary folder ({d}).
#include "filetestsupport.h"
#include "support/backupname.h"
#include "support/trash.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace vornscriptunittests {
namespace {

namespace fs = std::filesystem;

std::string filecontent(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream content;
    content << file.rdbuf();
    return content.str();
}

// 4 December 2026, 20:15:07 UTC.
constexpr time_t stamptime = 1796415307;
constexpr const char* stamptext = "[2026_12_04 20_15_07 UTC]";

void setlastwritetime(const std::string& path, time_t seconds) {
    const timespec times[2] = {{seconds, 0}, {seconds, 0}};
    ::utimensat(AT_FDCWD, path.c_str(), times, 0);
}

TEST(FileFunctions, ExistenceSizeAndComparison) {
    TemporaryFolder folder;
    checkfolderrows(folder.path(),
                    {
                        {"fileexists('{d}invented.dat')", "0"},
                        {"filesize('{d}invented.dat')", "0"},
                        {"createdirectory('{d}sub'); fileexists('{d}sub')", "0"},
                        {"closedfilewritetext('{d}a.txt', 'abcdef'); fileexists('{d}a.txt')", "1"},
                        {"filesize('{d}a.txt')", "6"},
                        {"equalfiles('{d}a.txt', '{d}a.txt')", "1"},
                        {"closedfilewritetext('{d}b.txt', 'abcxef'); equalfiles('{d}a.txt', "
                         "'{d}b.txt')",
                         "0"},
                        {"closedfilewritetext('{d}c.txt', 'abcdefg'); equalfiles('{d}a.txt', "
                         "'{d}c.txt')",
                         "0"},
                        {"equalfiles('{d}a.txt', '{d}invented.dat')", "0"},
                    });
}

TEST(FileFunctions, ClosedFileReadingAndWriting) {
    TemporaryFolder folder;
    checkfolderrows(
        folder.path(),
        {
            {"closedfilewritetext('{d}l.txt', 'line 1\\nline2\\nline3\\n'); var v = "
             "closedfilereadlines('{d}l.txt'); v[0] + '|' + v[2] + '|' + v[3]",
             "line 1|line3|"},
            {"closedfilewritetext('{d}l.txt', 'a\\r\\nb'); closedfilereadlines('{d}l.txt')",
             "['a','b']"},
            {"closedfilewritetext('{d}e.txt', ''); closedfilereadlines('{d}e.txt')", "[]"},
            // Text is written as bytes: 26 letters and one line end.
            {"closedfilewritetext('{d}t.txt', 'abcdefghijklmnopqrstuvwxyz'); "
             "closedfileappendtext('{d}t.txt', '\\n'); filesize('{d}t.txt') + ',' + "
             "closedfilereadbinary('{d}t.txt')",
             "27,abcdefghijklmnopqrstuvwxyz\n"},
            {"closedfileappendtext('{d}new.txt', 'x'); closedfilereadtext('{d}new.txt')", "x"},
            {"var b = 'by\\x00te'; closedfilewritebinary('{d}bin.dat', b); filesize('{d}bin.dat')",
             "5"},
            {"closedfilewritebinary('{d}bin.dat', [1,2])",
             "!closedfilewritebinary(filename,&buffer) requires a string buffer"},
            {"closedfilereadtext('{d}invented.dat')", "!error reading from file"},
            {"closedfilereadlines('{d}')", "!error reading from file"},
            {"closedfilewritetext('{d}nofolder/x.txt', 'x')", "!error writing to file"},
        });
}

// Every byte value, written and read back in binary and in text form, stays
// the same on disk and in the script.
TEST(FileFunctions, EveryByteValueSurvivesARoundTrip) {
    TemporaryFolder folder;
    std::string allbytes;
    for (int value = 0; value < 256; ++value) {
        allbytes += static_cast<char>(value);
    }
    const std::string makebytes = "var s = ''; for (var i = 0; i < 256; i++) s += chr(i); ";
    // Byte by byte, so no comparison rule for texts can hide a difference.
    const std::string samebytes = "var same = 1; for (var i = 0; i < 256; i++) "
                                  "if (ord(mid(r, i, 1)) != i) same = 0; same + ',' + r.length()";
    const std::string binary = makebytes +
                               "closedfilewritebinary('{d}b.dat', s); "
                               "var r = closedfilereadbinary('{d}b.dat'); " +
                               samebytes;
    const std::string text = makebytes +
                             "closedfilewritetext('{d}t.txt', s); "
                             "var r = closedfilereadtext('{d}t.txt'); " +
                             samebytes;
    checkfolderrows(folder.path(), {{binary.c_str(), "1,256"}, {text.c_str(), "1,256"}});
    EXPECT_EQ(filecontent(folder.path() + "b.dat"), allbytes);
    EXPECT_EQ(filecontent(folder.path() + "t.txt"), allbytes);
}

TEST(FileFunctions, OpenFiles) {
    TemporaryFolder folder;
    checkfolderrows(
        folder.path(),
        {
            {"var f = fileopen('{d}o.txt', 'w'); openfilewritebinary(f, 'hello\\ndorvash'); "
             "openfilepos(f) + ',' + openfilesize(f)",
             "13,13"},
            {"var f = fileopen('{d}o.txt', 'w'); openfilewritetext(f, 'hello\\ndorvash'); "
             "openfilechangesize(f, 5); openfileclose(f); closedfilereadtext('{d}o.txt') + "
             "filesize('{d}o.txt')",
             "hello5"},
            {"var f = fileopen('{d}o.txt', 'w'); openfilewritetext(f, 'hello\\ndorvash')", "14"},
            // Reading: lines without line ends, then failure at the end.
            {"closedfilewritetext('{d}r.txt', 'one\\r\\ntwo\\nthree'); var f = "
             "fileopen('{d}r.txt'); openfilereadline(f) + '|' + openfilereadline(f) + '|' + "
             "openfilereadline(f) + '|' + openfilepos(f)",
             "one|two|three|14"},
            {"var f = fileopen('{d}r.txt', 'r'); openfileseekend(f); openfilereadline(f)",
             "!openfilereadline failed"},
            {"var f = fileopen('{d}r.txt'); openfileseekbegin(f, 5) + ',' + "
             "openfilereadbinary(f, 3) + ',' + openfileseekcurrent(f, -2) + ',' + "
             "openfileseekend(f, -1) + ',' + openfileseekbegin(f)",
             "5,two,6,13,0"},
            {"var f = fileopen('{d}r.txt'); openfilereadbinary(f, 1000)", "one\r\ntwo\nthree"},
            {"var f = fileopen('{d}r.txt'); openfilereadbinary(f, -1)",
             "!size must be a positive number"},
            {"var f = fileopen('{d}r.txt'); openfilechangesize(f, 'x')",
             "!size must be a positive number"},
            // Appending writes at the end; a reading mode creates a missing file.
            {"var f = fileopen('{d}r.txt', 'a'); openfilewritebinary(f, '!'); openfileclose(f); "
             "closedfilereadtext('{d}r.txt')",
             "one\r\ntwo\nthree!"},
            {"var f = fileopen('{d}created.txt'); openfileclose(f); fileexists('{d}created.txt')",
             "1"},
            // Members, debug text and the value's rules.
            {"var f = fileopen('{d}m.txt', 'w'); var g = f; (f.filepath == '{d}m.txt') + ',' + "
             "(g.filehandle == f.filehandle)",
             "1,1"},
            {"var f = fileopen('{d}m.txt', 'w'); f.other",
             "!exception has no structure member other"},
            {"fileopen('')", "!fileopen missing file name argument"},
            {"fileopen('{d}missing/x.txt', 'w')", "!file open failed: {d}missing/x.txt"},
            // Sharing: a writer excludes everyone, readers exclude writers only.
            {"var f = fileopen('{d}s.txt', 'w'); fileopen('{d}s.txt', 'r')",
             "!file open failed: {d}s.txt"},
            {"var f = fileopen('{d}s.txt', 'r'); var g = fileopen('{d}s.txt', 'r'); "
             "fileopen('{d}s.txt', 'a')",
             "!file open failed: {d}s.txt"},
            // The last reference closes the file, so a new writer may open it.
            {"var f = fileopen('{d}s.txt', 'w'); f = 0; var g = fileopen('{d}s.txt', 'w'); 1", "1"},
            {"openfilepos('{d}s.txt')", "!open file expected as first argument of openfilepos"},
        });
}

TEST(FileFunctions, CopyMoveAndDelete) {
    TemporaryFolder folder;
    EnvironmentOverride datahome("XDG_DATA_HOME", (folder.path() + "share").c_str());
    checkfolderrows(
        folder.path(),
        {
            {"closedfilewritetext('{d}src.txt', 'content'); copyfile('{d}dst.txt', '{d}src.txt') "
             "+ closedfilereadtext('{d}dst.txt') + fileisnewer('{d}src.txt', '{d}dst.txt')",
             "1content0"},
            {"copyfile('{d}dst.txt', '{d}invented.dat')", "0"},
            {"movefile('{d}moved.txt', '{d}dst.txt') + ',' + fileexists('{d}dst.txt') + ',' + "
             "fileexists('{d}moved.txt')",
             "1,0,1"},
            {"movefile('{d}moved.txt', '{d}src.txt') + ',' + fileexists('{d}src.txt')", "0,1"},
            {"var before = fileexists('{d}moved.txt'); var success = "
             "deletefileforever('{d}moved.txt'); 'before=' + before + ', success=' + success + "
             "', after=' + fileexists('{d}moved.txt')",
             "before=1, success=1, after=0"},
            {"deletefileforever('{d}moved.txt')", "0"},
            {"deletefile('{d}src.txt') + ',' + fileexists('{d}src.txt')", "1,0"},
            {"closedfilewritetext('{d}src.txt', 'again'); deletefile('{d}src.txt')", "1"},
            {"deletefile('{d}src.txt')", "0"},
        });
    // Both deletions are in the trash, each with its info entry.
    const std::string trash = folder.path() + "share/Trash/";
    EXPECT_EQ(filecontent(trash + "files/src.txt"), "content");
    EXPECT_EQ(filecontent(trash + "files/src.2.txt"), "again");
    const std::string info = filecontent(trash + "info/src.txt.trashinfo");
    EXPECT_TRUE(info.starts_with("[Trash Info]\nPath=" + folder.path() + "src.txt\nDeletionDate="))
        << info;
    EXPECT_EQ(vornscript::trashinfopath("/a b/ü%.txt"), "/a%20b/%C3%BC%25.txt");
}

TEST(FileFunctions, Backups) {
    TemporaryFolder folder;
    const std::string source = folder.path() + "song.mid";
    std::ofstream(source) << "midi";
    setlastwritetime(source, stamptime);
    checkfolderrows(
        folder.path(),
        {
            {"createfilebackup('{d}song.mid')", "{d}_song [2026_12_04 20_15_07 UTC].mid"},
            {"createfilebackup('{d}song.mid', '{d}back/up')",
             "{d}back/up/_song [2026_12_04 20_15_07 UTC].mid"},
            {"equalfiles('{d}song.mid', '{d}back/up/_song [2026_12_04 20_15_07 UTC].mid')", "1"},
            {"createfilebackup('{d}invented.mid')", ""},
            {"createfilebackup('{d}back')", ""},
            {"isbackupfilename('{d}_song [2026_12_04 20_15_07 UTC].mid')", "1"},
            {"isbackupfilename('_x [2026_12_04 20_15_07 UTC]')", "1"},
            {"isbackupfilename('song [2026_12_04 20_15_07 UTC].mid')", "0"},
            {"isbackupfilename('_song [2026_12_04 20_15_0 UTC].mid')", "0"},
            {"isbackupfilename('_song [].mid')", "0"},
        });
    EXPECT_EQ(vornscript::backuptimestamp(-1), "[]");
}

// A name that would make the backup path reach 261 characters is cut, numbered
// and recorded in a .nam file; taken numbers are skipped.
TEST(FileFunctions, LongBackupNamesAreCutAndNumbered) {
    const std::string folder = "/f/";
    const std::string stamp = stamptext;
    const std::string longname = std::string(240, 'n') + ".mid";
    vornscript::VornBackupPlan plan;
    ASSERT_TRUE(vornscript::planbackup(
        folder, std::string(224, 's') + ".mid", stamp, [](const std::string&) { return false; },
        plan));
    EXPECT_EQ(plan.backuppath.size(), 258u);
    EXPECT_TRUE(plan.namefilepath.empty());

    const auto takenfirst = [&](const std::string& path) { return path.ends_with("_1.nam"); };
    ASSERT_TRUE(vornscript::planbackup(folder, longname, stamp, takenfirst, plan));
    const std::string cut(260 - 29 - 5 - folder.size() - 4, 'n');
    EXPECT_EQ(plan.namefilepath, folder + cut + "_2.nam");
    EXPECT_EQ(plan.namefiletext, longname + "\n");
    EXPECT_EQ(plan.backuppath, folder + "_" + cut + "_2 " + stamp + ".mid");
    EXPECT_TRUE(vornscript::isbackupfilename(plan.backuppath));
    EXPECT_FALSE(vornscript::planbackup(
        folder, longname, stamp, [](const std::string&) { return true; }, plan));

    TemporaryFolder real;
    std::ofstream(real.path() + longname) << "x";
    setlastwritetime(real.path() + longname, stamptime);
    const std::string backup = runtestscript("createfilebackup('" + real.path() + longname + "')");
    EXPECT_TRUE(backup.ends_with("_1 " + stamp + ".mid")) << backup;
    EXPECT_LT(backup.size(), 261u);
    EXPECT_EQ(filecontent(backup), "x");
    EXPECT_EQ(filecontent(
                  backup.substr(0, backup.find("/_") + 1) +
                  backup.substr(backup.find("/_") + 2, backup.find(" [") - backup.find("/_") - 2) +
                  ".nam"),
              longname + "\n");
}

} // namespace
} // namespace vornscriptunittests
