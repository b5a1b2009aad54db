// The driver's phrase translator: loads the translation files of a folder and
// answers translate(phrase, tag) in the selected language. Translation files
// are UTF-8 while program texts are Windows-1252, so phrases are compared as
// UTF-16 text and translations converted back to 8-bit text on the way out.
//
// A file is used only when its section [INIT] declares the program and version
// the translator was initialised with, next to its language:
//     [INIT]
//     program = vornscript
//     version = 1.0
//     language = de
// A file without a "language" entry takes the code from its file name.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "support/phrasetranslator.h"

namespace vornscript {

class VornScriptTranslator : public VornPhraseTranslator {
public:
    // The one instance the driver installs.
    static VornScriptTranslator& instance();

    // Replaces the loaded tables by those of every file in folder named
    // programname + "_v" + version + "_" + language + ".translation" that
    // declares programname and version. False when the folder cannot be read.
    bool initialise(const std::string& folder, const std::string& programname,
                    const std::string& version);
    // Makes the table of code current ("ge" is not mapped here: callers pass
    // "de"). Without a table for code, phrases stay untranslated.
    void selectlanguage(const std::string& code);
    const std::string& selectedlanguage() const { return selectedcode; }
    const std::string& folder() const { return translationfolder; }

    // The translation of phrase from the entries of section tag; failing
    // that, from another section; failing that, phrase itself.
    std::string translate(const std::string& phrase, const std::string& tag) override;

private:
    struct VornTranslationEntry {
        std::u16string section;
        std::u16string translation;
    };
    // Entries of one language by phrase, each list in load order.
    using VornTranslationTable =
        std::unordered_map<std::u16string, std::vector<VornTranslationEntry>>;
    // One line's worth of a file being loaded, before the file is accepted.
    struct VornLoadedEntry {
        std::u16string section;
        std::u16string phrase;
        std::u16string translation;
    };

    // Reads path and the files it includes into entries; false when path
    // cannot be opened. includestack holds the files being loaded, so a file
    // that includes itself fails instead of recursing forever.
    bool loadfile(const std::filesystem::path& path, std::vector<VornLoadedEntry>& entries,
                  std::vector<std::filesystem::path>& includestack);
    // Checks the [INIT] declaration and adds the entries to their language.
    void acceptfile(const std::vector<VornLoadedEntry>& entries, const std::string& filelanguage);

    std::string programname;
    std::string programversion;
    std::string translationfolder;
    std::string selectedcode = "en";
    std::map<std::string, VornTranslationTable> tables;
    // The table of selectedcode, or nullptr when there is none.
    const VornTranslationTable* selectedtable = nullptr;
};

// Start-up calls for the program entry.
// Makes VornScriptTranslator::instance() the process-wide translator.
void installtranslator();
// Loads the translations of scriptfolder (the current working directory when
// empty, as for -script) for vornscript 1.0 and selects language, taking "ge"
// as "de". Returns what initialise returns.
bool setuptranslator(const std::string& scriptfolder, const std::string& language);

} // namespace vornscript
