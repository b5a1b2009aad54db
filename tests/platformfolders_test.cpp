// Special folders: the user-dirs file format and the final "/" rule.
#include "support/platformfolders.h"

#include <gtest/gtest.h>

namespace vornscriptunittests {

TEST(PlatformFolders, DocumentsFolderFromUserDirs) {
    struct Row {
        const char* text;
        const char* expected;
    } rows[] = {
        {"# comment\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\nXDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n",
         "/home/u/Dokumente"},
        {"  XDG_DOCUMENTS_DIR=\"${HOME}/Docs\"  ", "/home/u/Docs"},
        {"XDG_DOCUMENTS_DIR=\"/srv/docs\"\n", "/srv/docs"},
        {"XDG_DOCUMENTS_DIR=$HOME/plain\n", "/home/u/plain"},
        {"XDG_DOCUMENTS_DIR=\"$HOME\"\n", "/home/u"},
        {"XDG_DOCUMENTS_DIR=\"$HOMEWORK/x\"\n", ""},
        {"XDG_DOCUMENTS_DIR=\"relative\"\n", ""},
        {"#XDG_DOCUMENTS_DIR=\"/x\"\n", ""},
        {"", ""},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(vornscript::documentsfolderfromuserdirs(row.text, "/home/u"), row.expected)
            << row.text;
    }
}

TEST(PlatformFolders, FoldersEndWithOneSlash) {
    struct Row {
        const char* path;
        const char* expected;
    } rows[] = {
        {"/tmp", "/tmp/"}, {"/tmp/", "/tmp/"}, {"/tmp//", "/tmp/"}, {"/", "/"}, {"//", "/"}};
    for (const Row& row : rows) {
        EXPECT_EQ(vornscript::withfinalslash(row.path), row.expected) << row.path;
    }
    EXPECT_EQ(vornscript::programfolder(), "/opt/");
    EXPECT_EQ(vornscript::temporaryfolder().back(), '/');
    EXPECT_EQ(vornscript::documentsfolder().back(), '/');
}

} // namespace vornscriptunittests
