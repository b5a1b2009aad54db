// Ini profiles with Windows profile rules: reading, editing that keeps every
// other line byte for byte, boolean words, and the file-level functions.
#include "support/iniprofile.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace vornscriptunittests {
using vornscript::VornIniProfile;

namespace {

VornIniProfile profileof(std::string_view text) {
    VornIniProfile profile;
    profile.settext(text);
    return profile;
}

constexpr const char* absent = "<absent>";

} // namespace

TEST(IniProfile, ReadingValues) {
    struct Row {
        const char* text;
        const char* section;
        const char* key;
        const char* expected;
    } rows[] = {
        {"[Settings]\nsource=1\n", "Settings", "source", "1"},
        {"[settings]\nSOURCE=1\n", "SETTINGS", "Source", "1"},
        {"  [ Settings ]  \n  key  =  a value  \n", "Settings", "key", "a value"},
        {"[S]\nk=\"quoted \"\nq='x'\nh=\"half\n", "S", "k", "quoted "},
        {"[S]\nq='x'\n", "S", "q", "x"},
        {"[S]\nh=\"half\n", "S", "h", "\"half"},
        {"[S]\nk=a=b\n", "S", "k", "a=b"},
        {"[S]\nk=\n", "S", "k", ""},
        {"[S]\nk=1\nk=2\n", "S", "k", "1"},
        {"[S]\nk=1\n[S]\nk=2\nj=3\n", "S", "j", absent},
        {"k=1\n[S]\n", "S", "k", absent},
        {"[S]\n;k=1\n", "S", "k", absent},
        {"[S]\nk 1\n", "S", "k 1", absent},
        {"[A]\nk=1\n[B]\n", "B", "k", absent},
        {"[S]\r\nk=1\r\n", "S", "k", "1"},
        {"\xEF\xBB\xBF[S]\nk=1", "S", "k", "1"},
        {"[open\nk=1\n", "open", "k", "1"},
        {"", "S", "k", absent},
    };
    for (const Row& row : rows) {
        std::optional<std::string> value = profileof(row.text).getvalue(row.section, row.key);
        EXPECT_EQ(value.value_or(absent), row.expected) << row.text;
    }
    EXPECT_EQ(profileof("[S]\n").getstring("S", "k", "dflt"), "dflt");
}

TEST(IniProfile, ListingKeysAndSections) {
    VornIniProfile profile = profileof("; top\n[One]\na=1\n; c=3\nB = 2\n\n[two]\n[One]\nz=9\n");
    EXPECT_EQ(profile.sectionnames(), (std::vector<std::string>{"One", "two", "One"}));
    EXPECT_EQ(profile.sectionkeys("one"), (std::vector<std::string>{"a", "B"}));
    EXPECT_TRUE(profile.sectionkeys("two").empty());
    EXPECT_TRUE(profile.sectionkeys("three").empty());
}

TEST(IniProfile, EditingKeepsEveryOtherLine) {
    enum class Edit { set, removekey, removesection };
    struct Row {
        const char* before;
        Edit edit;
        const char* section;
        const char* key;
        const char* after;
    } rows[] = {
        // replacing keeps the key's spelling and the line's own terminator
        {"; note\n[S]\n  Key = old \r\nother=1\n", Edit::set, "s", "KEY",
         "; note\n[S]\nKey=v\r\nother=1\n"},
        // a new key goes after the section's last line, above blank separators
        {"[S]\na=1\n\n[T]\nb=2\n", Edit::set, "S", "k", "[S]\na=1\nk=v\n\n[T]\nb=2\n"},
        {"[S]\n\n[T]\n", Edit::set, "S", "k", "[S]\nk=v\n\n[T]\n"},
        {"[S]\na=1", Edit::set, "S", "k", "[S]\na=1\nk=v\n"},
        // a new section is appended after a blank line, in the file's line-end style
        {"[S]\r\na=1\r\n", Edit::set, "New", "k", "[S]\r\na=1\r\n\r\n[New]\r\nk=v\r\n"},
        {"[S]\na=1\n\n", Edit::set, "New", "k", "[S]\na=1\n\n[New]\nk=v\n"},
        {"", Edit::set, "New", "k", "[New]\nk=v\n"},
        // removing a key removes all its lines in that section only
        {"[S]\nk=1\nx=2\nK=3\n[T]\nk=4\n", Edit::removekey, "s", "k", "[S]\nx=2\n[T]\nk=4\n"},
        {"[S]\nx=2\n", Edit::removekey, "S", "k", "[S]\nx=2\n"},
        {"[S]\na=1\n; c\n[T]\nb=2\n", Edit::removesection, "s", "", "[T]\nb=2\n"},
        {"[S]\na=1\n", Edit::removesection, "T", "", "[S]\na=1\n"},
    };
    for (const Row& row : rows) {
        VornIniProfile profile = profileof(row.before);
        switch (row.edit) {
        case Edit::set:
            profile.setvalue(row.section, row.key, "v");
            break;
        case Edit::removekey:
            profile.removekey(row.section, row.key);
            break;
        case Edit::removesection:
            profile.removesection(row.section);
            break;
        }
        EXPECT_EQ(profile.text(), row.after) << row.before;
    }
}

TEST(IniProfile, BooleanWords) {
    struct Row {
        const char* value;
        bool whendefaultfalse, whendefaulttrue;
    } rows[] = {
        {"TRUE", true, true},   {" yes ", true, true},  {"False", false, false},
        {"NEIN", false, false}, {"nein", false, false}, {"2", true, true},
        {"-1", true, true},     {"0", false, false},    {"0.0", false, false},
        {"", false, true},      {"maybe", false, true}, {"1x", false, true},
        {"no", false, true},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(vornscript::readprofilebool(row.value, false), row.whendefaultfalse) << row.value;
        EXPECT_EQ(vornscript::readprofilebool(row.value, true), row.whendefaulttrue) << row.value;
    }
}

TEST(IniProfile, FileFunctionsReadTheCurrentFile) {
    namespace fs = std::filesystem;
    fs::path folder = fs::temp_directory_path() / ("iniprofile_test_" + std::to_string(getpid()));
    fs::create_directories(folder);
    const std::string ini = (folder / "settings.ini").string();

    EXPECT_EQ(vornscript::getprofilestring(ini, "Settings", "stringfeld1", "dflt"), "dflt");
    EXPECT_TRUE(vornscript::writeprofilestring(ini, "Settings", "stringfeld1", "feldwert"));
    EXPECT_EQ(vornscript::getprofilestring(ini, "settings", "STRINGFELD1"), "feldwert");
    EXPECT_TRUE(vornscript::writeprofilebool(ini, "Settings", "flag", true));
    EXPECT_TRUE(vornscript::getprofilebool(ini, "Settings", "flag"));
    EXPECT_TRUE(vornscript::writeprofilestring(ini, "Settings", "word", "yes"));
    EXPECT_TRUE(vornscript::getprofilebool(ini, "Settings", "word"));
    EXPECT_TRUE(vornscript::getprofilebool(ini, "Settings", "missing", true));
    EXPECT_EQ(vornscript::getprofilesectionkeys(ini, "Settings"),
              (std::vector<std::string>{"stringfeld1", "flag", "word"}));

    const std::string copy = (folder / "copy.ini").string();
    fs::copy_file(ini, copy);
    EXPECT_EQ(vornscript::getprofilestring(copy, "Settings", "stringfeld1"), "feldwert");

    EXPECT_TRUE(vornscript::deleteprofilekey(ini, "Settings", "word"));
    EXPECT_EQ(vornscript::getprofilestring(ini, "Settings", "word", "gone"), "gone");
    EXPECT_TRUE(vornscript::deleteprofilesection(ini, "settings"));
    EXPECT_TRUE(vornscript::getprofilesectionnames(ini).empty());

    EXPECT_FALSE(vornscript::writeprofilestring((folder / "no" / "x.ini").string(), "S", "k", "v"));
    fs::remove_all(folder);
}

} // namespace vornscriptunittests
