// The driver's phrase translator (see phrasetranslator.h).
#include "driver/phrasetranslator.h"

#include <algorithm>
#include <fstream>

#include "driver/logfile.h"
#include "support/stringbasics.h"

namespace vornscript {

namespace {

// MERGE: replace with vornstdstring conversions (ansi2wstring, wstring2ansi,
// utf82wstring) once the string library's conversions are merged.
// Windows-1252 bytes 0x80..0x9F; the five unassigned ones map to the C1
// control of the same number so that the round trip is lossless.
constexpr char16_t cp1252high[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::u16string ansitowide(std::string_view text) {
    std::u16string wide;
    wide.reserve(text.size());
    for (char c : text) {
        auto byte = static_cast<unsigned char>(c);
        wide += (byte >= 0x80 && byte < 0xA0) ? cp1252high[byte - 0x80] : char16_t(byte);
    }
    return wide;
}

std::string widetoansi(std::u16string_view text) {
    std::string ansi;
    ansi.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char16_t c = text[i];
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            ansi += static_cast<char>(c);
            continue;
        }
        const char16_t* found = std::find(std::begin(cp1252high), std::end(cp1252high), c);
        ansi +=
            found != std::end(cp1252high) ? static_cast<char>(0x80 + (found - cp1252high)) : '?';
        // One "?" for a whole surrogate pair.
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] < 0xE000) {
            ++i;
        }
    }
    return ansi;
}

// Invalid or truncated sequences become U+FFFD and decoding goes on at the
// next byte.
std::u16string utf8towide(std::string_view text) {
    std::u16string wide;
    wide.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        auto lead = static_cast<unsigned char>(text[i]);
        int length = lead < 0x80                   ? 1
                     : lead >= 0xC2 && lead < 0xE0 ? 2
                     : lead >= 0xE0 && lead < 0xF0 ? 3
                     : lead >= 0xF0 && lead < 0xF5 ? 4
                                                   : 0;
        char32_t code = length == 1   ? lead
                        : length == 2 ? lead & 0x1F
                        : length == 3 ? lead & 0x0F
                                      : lead & 0x07;
        bool valid = length > 0 && i + length <= text.size();
        for (int k = 1; valid && k < length; ++k) {
            auto next = static_cast<unsigned char>(text[i + k]);
            valid = (next & 0xC0) == 0x80;
            code = (code << 6) | (next & 0x3F);
        }
        // Reject overlong forms, surrogates and values beyond Unicode.
        valid = valid && !(length == 3 && code < 0x800) && !(length == 4 && code < 0x10000) &&
                !(code >= 0xD800 && code < 0xE000) && code <= 0x10FFFF;
        if (!valid) {
            wide += u'\uFFFD';
            ++i;
            continue;
        }
        if (code >= 0x10000) {
            code -= 0x10000;
            wide += static_cast<char16_t>(0xD800 + (code >> 10));
            wide += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
        } else {
            wide += static_cast<char16_t>(code);
        }
        i += length;
    }
    return wide;
}

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
            return vornstdstring::trim(widetoansi(entry.translation));
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
    std::error_code error;
    std::filesystem::directory_iterator files(folder, error);
    if (error) {
        return false;
    }
    // (file name, language code from the name), loaded in name order so the
    // result does not depend on the directory's order.
    std::vector<std::pair<std::filesystem::path, std::string>> matches;
    for (const auto& file : files) {
        std::string filename = file.path().filename().string();
        if (filename.size() > prefix.size() + suffix.size() && filename.starts_with(prefix) &&
            filename.ends_with(suffix)) {
            matches.emplace_back(
                file.path(),
                filename.substr(prefix.size(), filename.size() - prefix.size() - suffix.size()));
        }
    }
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
            section = utf8towide(name);
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
            entries.push_back({section, utf8towide(std::string_view(line).substr(0, split)),
                               utf8towide(std::string_view(line).substr(split + splitlength))});
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
    auto found = selectedtable->find(ansitowide(phrase));
    if (found == selectedtable->end()) {
        return phrase;
    }
    const std::vector<VornTranslationEntry>& candidates = found->second;
    if (!tag.empty()) {
        std::u16string widetag = ansitowide(tag);
        for (const VornTranslationEntry& entry : candidates) {
            if (entry.section == widetag) {
                return widetoansi(entry.translation);
            }
        }
    }
    // No entry under the tag: the first one of any other section serves.
    return widetoansi(candidates.front().translation);
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
