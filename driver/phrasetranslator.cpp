// The driver's phrase translator (see phrasetranslator.h).
#include "driver/phrasetranslator.h"

#include <algorithm>
#include <dirent.h>
#include <fstream>
#include <string_view>

#include "driver/logfile.h"
#include "support/charconvert.h"
#include "support/stringbasics.h"

namespace vornscript {

namespace {

// The section name of a line starting with "[": up to "]", or the trimmed
// rest of the line when there is none.
std::string sectionname(const std::string& line) {
    size_t close = line.find(']');
    return close == std::string::npos ? vornstdstring::trim(std::string_view(line).substr(1))
                                      : line.substr(1, close - 1);
}

const std::u16string initsection = u"INIT";

// The first [INIT] entry for key, trimmed; empty when absent.
template <typename Entries> std::string initvalue(const Entries& entries, std::u16string_view key) {
    for (const auto& entry : entries) {
        if (entry.section == initsection && entry.phrase == key) {
            return vornstdstring::trim(vornstdstring::wstring2ansi(entry.translation));
        }
    }
    return {};
}

} // namespace

VornScriptTranslator& VornScriptTranslator::instance() {
    static VornScriptTranslator translator;
    return translator;
}

bool VornScriptTranslator::initialise(const std::string& folder, const std::string& name,
                                      const std::string& version) {
    programname = name;
    programversion = version;
    translationfolder = folder;
    tables.clear();
    selectedtable = nullptr;

    const std::string prefix = name + "_v" + version + "_";
    const std::string suffix = ".translation";
    // Every run scans the folder, so it reads the bare entry names and makes
    // paths only for the matches.
    DIR* directory = opendir(folder.c_str());
    if (directory == nullptr) {
        return false;
    }
    // (file name, language code from the name), loaded in name order so the
    // result does not depend on the directory's order.
    std::vector<std::pair<std::filesystem::path, std::string>> matches;
    while (const dirent* entry = readdir(directory)) {
        const std::string_view filename(entry->d_name);
        if (filename.size() > prefix.size() + suffix.size() && filename.starts_with(prefix) &&
            filename.ends_with(suffix)) {
            matches.emplace_back(
                std::filesystem::path(folder) / filename,
                std::string(filename.substr(prefix.size(),
                                            filename.size() - prefix.size() - suffix.size())));
        }
    }
    closedir(directory);
    std::sort(matches.begin(), matches.end());
    for (const auto& [path, filelanguage] : matches) {
        std::vector<VornLoadedEntry> entries;
        std::vector<std::filesystem::path> includestack;
        if (loadfile(path, entries, includestack)) {
            acceptfile(entries, filelanguage);
        }
    }
    selectlanguage(selectedcode);
    return true;
}

bool VornScriptTranslator::loadfile(const std::filesystem::path& path,
                                    std::vector<VornLoadedEntry>& entries,
                                    std::vector<std::filesystem::path>& includestack) {
    std::error_code error;
    std::filesystem::path identity = std::filesystem::weakly_canonical(path, error);
    if (error) {
        identity = path;
    }
    if (std::find(includestack.begin(), includestack.end(), identity) != includestack.end()) {
        return false;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return false;
    }
    includestack.push_back(identity);
    std::u16string section;
    bool ininclude = false;
    std::string line;
    bool firstline = true;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (firstline && line.starts_with("\xEF\xBB\xBF")) {
            line.erase(0, 3);
        }
        firstline = false;
        if (line.starts_with('[')) {
            std::string name = sectionname(line);
            section = vornstdstring::utf82wstring(name);
            ininclude = name == "include";
            continue;
        }
        if (ininclude) {
            // A path per line; blank lines and "--" comment lines are skipped.
            std::string includename = vornstdstring::trim(line);
            if (includename.empty() || includename.starts_with("--")) {
                continue;
            }
            std::filesystem::path included(includename);
            if (included.is_relative()) {
                included = path.parent_path() / included;
            }
            if (!loadfile(included, entries, includestack)) {
                VornLogFile::instance().write("Error including " + included.string(), false);
            }
            continue;
        }
        // Entries are taken as written, without trimming or escapes, so a
        // phrase may end in a blank.
        size_t split = line.find(" = ");
        size_t splitlength = 3;
        if (split == std::string::npos) {
            split = line.find('=');
            splitlength = 1;
        }
        if (split != std::string::npos) {
            entries.push_back(
                {section, vornstdstring::utf82wstring(std::string_view(line).substr(0, split)),
                 vornstdstring::utf82wstring(std::string_view(line).substr(split + splitlength))});
            continue;
        }
        if (!vornstdstring::trim(line.substr(0, line.find("--"))).empty()) {
            VornLogFile::instance().write("ignore line: " + line, false);
        }
    }
    includestack.pop_back();
    return true;
}

void VornScriptTranslator::acceptfile(const std::vector<VornLoadedEntry>& entries,
                                      const std::string& filelanguage) {
    if (initvalue(entries, u"program") != programname ||
        initvalue(entries, u"version") != programversion) {
        return;
    }
    std::string language = initvalue(entries, u"language");
    VornTranslationTable& table = tables[language.empty() ? filelanguage : language];
    for (const VornLoadedEntry& entry : entries) {
        table[entry.phrase].push_back({entry.section, entry.translation});
    }
}

void VornScriptTranslator::selectlanguage(const std::string& code) {
    selectedcode = code;
    auto found = tables.find(code);
    selectedtable = found == tables.end() || found->second.empty() ? nullptr : &found->second;
}

std::string VornScriptTranslator::translate(const std::string& phrase, const std::string& tag) {
    if (phrase.empty() || selectedtable == nullptr) {
        return phrase;
    }
    auto found = selectedtable->find(vornstdstring::ansi2wstring(phrase));
    if (found == selectedtable->end()) {
        return phrase;
    }
    const std::vector<VornTranslationEntry>& candidates = found->second;
    if (!tag.empty()) {
        std::u16string widetag = vornstdstring::ansi2wstring(tag);
        for (const VornTranslationEntry& entry : candidates) {
            if (entry.section == widetag) {
                return vornstdstring::wstring2ansi(entry.translation);
            }
        }
    }
    // No entry under the tag: the first one of any other section serves.
    return vornstdstring::wstring2ansi(candidates.front().translation);
}

void installtranslator() {
    setcurrenttranslator(&VornScriptTranslator::instance());
}

bool setuptranslator(const std::string& scriptfolder, const std::string& language) {
    std::string folder = scriptfolder;
    if (folder.empty()) {
        std::error_code error;
        folder = std::filesystem::current_path(error).string();
    }
    VornScriptTranslator& translator = VornScriptTranslator::instance();
    bool loaded = translator.initialise(folder, "vornscript", "1.0");
    translator.selectlanguage(language == "ge" ? "de" : language);
    return loaded;
}

} // namespace vornscript
