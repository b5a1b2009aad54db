// The driver's phrase translator: file syntax, includes, the [INIT]
// declaration, the section/tag rule, text conversions and the shipped German
// translation.
#include "driver/phrasetranslator.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "driver/logfile.h"

namespace vornscriptunittests {
using vornscript::VornLogFile;
using vornscript::VornScriptTranslator;
namespace fs = std::filesystem;

namespace {
const std::string initde = "[INIT]\nprogram = vornscript\nversion = 1.0\nlanguage = de\n";

// A fresh folder per test whose log lines go to log.txt in it.
class TranslatorTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("vorntranslatortest_" + std::to_string(::getpid()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
        VornLogFile::instance().setfilename((folder / "log.txt").string());
    }
    void TearDown() override {
        VornLogFile::instance().setfilename("");
        fs::remove_all(folder);
    }
    void writefile(const std::string& name, const std::string& text) {
        std::ofstream(folder / name, std::ios::binary) << text;
    }
    std::string logtext() {
        std::ifstream file(folder / "log.txt", std::ios::binary);
        std::stringstream text;
        text << file.rdbuf();
        return text.str();
    }
    // Loads the folder and selects German.
    void load() {
        ASSERT_TRUE(translator.initialise(folder.string(), "vornscript", "1.0"));
        translator.selectlanguage("de");
    }
    fs::path folder;
    VornScriptTranslator translator;
};

struct Row {
    const char* phrase;
    const char* tag;
    const char* expected;
};

void expectrows(VornScriptTranslator& translator, std::initializer_list<Row> rows) {
    for (const Row& row : rows) {
        EXPECT_EQ(translator.translate(row.phrase, row.tag), row.expected)
            << row.phrase << " / " << row.tag;
    }
}
} // namespace

TEST_F(TranslatorTest, FileSyntax) {
    writefile("vornscript_v1.0_de.translation",
              "\xEF\xBB\xBF-- a comment line\r\n" + initde +
                  "[scriptscanner]\r\n"
                  "missing = fehlt\r\n"
                  "a=b = c\n"                   // split at " = " before "="
                  "x=y\n"                       // no " = ": split at "="
                  "trailing  = mit Blank \n"    // sides kept as written
                  "dash -- in entry = bleibt\n" // "--" is no comment in an entry
                  "   -- indented comment\n"
                  "\n"
                  "stray words -- with comment\n"
                  "[unclosed section  \n"
                  "only here = nur hier\n");
    load();
    expectrows(translator, {
                               {"missing", "scriptscanner", "fehlt"},
                               {"a=b", "scriptscanner", "c"},
                               {"x", "scriptscanner", "y"},
                               {"trailing ", "scriptscanner", "mit Blank "},
                               {"dash -- in entry", "scriptscanner", "bleibt"},
                               {"only here", "unclosed section", "nur hier"},
                               {"unknown phrase", "scriptscanner", "unknown phrase"},
                               {"", "scriptscanner", ""},
                           });
    EXPECT_EQ(logtext(), "ignore line: stray words -- with comment\n");
}

TEST_F(TranslatorTest, SectionOfTheTagFirstThenAnyOther) {
    writefile("vornscript_v1.0_de.translation",
              initde + "[scriptscanner]\nmissing = fehlt (Scanner)\n"
                       "[scriptparser]\nmissing = fehlt (Parser)\n"
                       "[interpreter]\nmissing = fehlt (Interpreter)\n");
    load();
    expectrows(translator, {
                               {"missing", "scriptparser", "fehlt (Parser)"},
                               {"missing", "interpreter", "fehlt (Interpreter)"},
                               {"missing", "VORNARG", "fehlt (Scanner)"},
                               {"missing", "", "fehlt (Scanner)"},
                               {"Missing", "scriptparser", "Missing"},
                           });
}

TEST_F(TranslatorTest, IncludesLoadInPlace) {
    fs::create_directories(folder / "sub");
    fs::path absolute = folder / "absolute.part";
    writefile("sub/relative.part", "[interpreter]\nnumber required = Zahl erforderlich\n");
    writefile("absolute.part", "[interpreter]\nvalue is undefined = Wert undefiniert\n");
    writefile("self.part", "[include]\nself.part\n[interpreter]\nself = selbst\n");
    writefile("vornscript_v1.0_de.translation",
              initde + "[include]\n-- comment in include\nsub/relative.part\n" + absolute.string() +
                  "\n\nmissing.part\nself.part\n"
                  "[interpreter]\nnumber required = zuletzt geladen\n");
    load();
    expectrows(translator, {
                               {"number required", "interpreter", "Zahl erforderlich"},
                               {"value is undefined", "interpreter", "Wert undefiniert"},
                               {"self", "interpreter", "selbst"},
                           });
    EXPECT_EQ(logtext(), "Error including " + (folder / "missing.part").string() +
                             "\nError including " + (folder / "self.part").string() + "\n");
}

TEST_F(TranslatorTest, OnlyFilesDeclaringProgramAndVersionLoad) {
    struct FileRow {
        const char* name;
        std::string text;
    } files[] = {
        {"vornscript_v1.0_de.translation", initde + "[x]\nde = deutsch\n"},
        {"vornscript_v1.0_fr.translation",
         "[INIT]\nprogram = otherprogram\nversion = 1.0\nlanguage = fr\n[x]\nfr = faux\n"},
        {"vornscript_v1.0_it.translation",
         "[INIT]\nprogram = vornscript\nversion = 2.0\nlanguage = it\n[x]\nit = falso\n"},
        {"vornscript_v1.0_nl.translation", "[x]\nnl = nee\n"},
        // No "language" entry: the code comes from the file name.
        {"vornscript_v1.0_es.translation",
         "[INIT]\nprogram=vornscript\nversion=1.0\n[x]\nes = sí\n"},
        {"vornscript_v2.0_de.translation", initde + "[x]\nde = falsche Version\n"},
        {"vornscript_v1.0_.translation", initde + "[x]\nde = kein Sprachcode\n"},
    };
    for (const FileRow& file : files) {
        writefile(file.name, file.text);
    }
    load();
    EXPECT_EQ(translator.translate("de", "x"), "deutsch");
    for (const char* code : {"fr", "it", "nl", "es"}) {
        translator.selectlanguage(code);
        EXPECT_EQ(translator.translate(code, "x"), std::string(code) == "es" ? "s\xED" : code)
            << code;
    }
}

TEST_F(TranslatorTest, LanguageSelection) {
    writefile("vornscript_v1.0_de.translation", initde + "[x]\nyes = ja\n");
    ASSERT_TRUE(translator.initialise(folder.string(), "vornscript", "1.0"));
    EXPECT_EQ(translator.selectedlanguage(), "en");
    EXPECT_EQ(translator.translate("yes", "x"), "yes");
    translator.selectlanguage("ge"); // the caller maps "ge"
    EXPECT_EQ(translator.translate("yes", "x"), "yes");
    translator.selectlanguage("de");
    EXPECT_EQ(translator.translate("yes", "x"), "ja");
    // A new initialise keeps the selected language.
    writefile("vornscript_v1.0_de.translation", initde + "[x]\nyes = jawohl\n");
    ASSERT_TRUE(translator.initialise(folder.string(), "vornscript", "1.0"));
    EXPECT_EQ(translator.translate("yes", "x"), "jawohl");
    EXPECT_FALSE(translator.initialise((folder / "absent").string(), "vornscript", "1.0"));
    EXPECT_EQ(translator.translate("yes", "x"), "yes");
}

TEST_F(TranslatorTest, PhrasesCompareAsWideText) {
    // File in UTF-8, program texts in Windows-1252.
    writefile("vornscript_v1.0_de.translation",
              initde + "[x]\n"
                       "gr\xC3\xBC\xC3\x9F = Gr\xC3\xBC\xC3\x9F\x65\n" // grüß = Grüße
                       "euro \xE2\x82\xAC = Euro \xE2\x82\xAC\n"       // € is 0x80 in 1252
                       "smile = \xE2\x98\xBA \xF0\x9F\x98\x80!\n"      // not in 1252
                       "bad = \xC3\n");
    load();
    expectrows(translator, {
                               {"gr\xFC\xDF", "x", "Gr\xFC\xDF\x65"},
                               {"euro \x80", "x", "Euro \x80"},
                               {"smile", "x", "? ?!"},
                               {"bad", "x", "?"},
                               {"gr\xC3\xBC\xC3\x9F", "x", "gr\xC3\xBC\xC3\x9F"},
                           });
}

TEST_F(TranslatorTest, SetupMapsGeAndInstalls) {
    writefile("vornscript_v1.0_de.translation", initde + "[interpreter]\nunknown = unbekannt\n");
    EXPECT_TRUE(vornscript::setuptranslator(folder.string(), "ge"));
    VornScriptTranslator& shared = VornScriptTranslator::instance();
    EXPECT_EQ(shared.selectedlanguage(), "de");
    EXPECT_EQ(shared.folder(), folder.string());
    EXPECT_EQ(vornscript::translate("unknown", "interpreter"), "unknown"); // not installed yet
    vornscript::installtranslator();
    EXPECT_EQ(vornscript::translate("unknown", "interpreter"), "unbekannt");
    vornscript::setcurrenttranslator(nullptr);
    shared.selectlanguage("en");
}

TEST_F(TranslatorTest, ShippedGermanTranslation) {
    fs::path shipped = fs::path(__FILE__).parent_path().parent_path() / "translations";
    ASSERT_TRUE(translator.initialise(shipped.string(), "vornscript", "1.0"));
    translator.selectlanguage("de");
    expectrows(translator,
               {
                   {"invalid syntax:", "scriptscanner", "ung\xFCltige Syntax:"},
                   {"missing", "scriptparser", "es fehlt"},
                   {"division by", "interpreter", "Division durch"},
                   {"function identifier missing: ", "scriptparser", "Funktionsname fehlt: "},
                   {"invalid option", "VORNARG", "ung\xFCltige Option"},
               });
    EXPECT_EQ(logtext(), "");
}

} // namespace vornscriptunittests
