// Ini profile reading and editing. Lines are classified on demand (section
// header, key line, anything else) instead of being parsed into a map, so
// that comments, blank lines and unusual spellings survive every edit.
#include "support/iniprofile.h"

#include "support/numbertext.h"
#include "support/stringbasics.h"
#include "support/wholefile.h"

namespace vornscript {

namespace {

constexpr std::string_view utf8bom = "\xEF\xBB\xBF";

enum class LineKind { other, section, key };

struct ParsedLine {
    LineKind kind = LineKind::other;
    std::string name;  // section name or key name, trimmed
    std::string value; // key value, trimmed
};

std::string_view withoutlineend(std::string_view line) {
    if (!line.empty() && line.back() == '\n') {
        line.remove_suffix(1);
    }
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    return line;
}

// One pair of matching single or double quotes around a value is dropped.
std::string unquoted(std::string value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

// Lines starting with ";" are comments; key lines need a non-empty name.
ParsedLine parseline(std::string_view rawline, bool firstline) {
    std::string_view body = withoutlineend(rawline);
    if (firstline && body.substr(0, utf8bom.size()) == utf8bom) {
        body.remove_prefix(utf8bom.size());
    }
    std::string line = vornstdstring::trim(body);
    ParsedLine parsed;
    if (line.empty() || line.front() == ';') {
        return parsed;
    }
    if (line.front() == '[') {
        size_t close = line.find(']');
        parsed.kind = LineKind::section;
        parsed.name = vornstdstring::trim(std::string_view(line).substr(1, close - 1));
        return parsed;
    }
    size_t equals = line.find('=');
    if (equals == std::string::npos) {
        return parsed;
    }
    parsed.name = vornstdstring::trim(std::string_view(line).substr(0, equals));
    if (parsed.name.empty()) {
        return parsed;
    }
    parsed.kind = LineKind::key;
    parsed.value = unquoted(vornstdstring::trim(std::string_view(line).substr(equals + 1)));
    return parsed;
}

bool isblankline(std::string_view line) {
    return vornstdstring::trim(withoutlineend(line)).empty();
}

} // namespace

bool VornIniProfile::load(const std::string& path) {
    std::string content;
    if (!readwholefile(path, content)) {
        lines_.clear();
        return false;
    }
    settext(content);
    return true;
}

bool VornIniProfile::save(const std::string& path) const {
    return writewholefile(path, text());
}

void VornIniProfile::settext(std::string_view text) {
    lines_.clear();
    while (!text.empty()) {
        size_t end = text.find('\n');
        size_t length = end == std::string_view::npos ? text.size() : end + 1;
        lines_.emplace_back(text.substr(0, length));
        text.remove_prefix(length);
    }
}

std::string VornIniProfile::text() const {
    std::string joined;
    for (const std::string& line : lines_) {
        joined += line;
    }
    return joined;
}

std::optional<VornIniProfile::SectionRange>
VornIniProfile::findsection(std::string_view section) const {
    for (size_t index = 0; index < lines_.size(); ++index) {
        ParsedLine parsed = parseline(lines_[index], index == 0);
        if (parsed.kind != LineKind::section ||
            !vornstdstring::isequalnocase(parsed.name, section)) {
            continue;
        }
        size_t end = index + 1;
        while (end < lines_.size() && parseline(lines_[end], false).kind != LineKind::section) {
            ++end;
        }
        return SectionRange{index, end};
    }
    return std::nullopt;
}

std::optional<std::string> VornIniProfile::getvalue(std::string_view section,
                                                    std::string_view key) const {
    std::optional<SectionRange> range = findsection(section);
    if (!range) {
        return std::nullopt;
    }
    for (size_t index = range->header + 1; index < range->end; ++index) {
        ParsedLine parsed = parseline(lines_[index], false);
        if (parsed.kind == LineKind::key && vornstdstring::isequalnocase(parsed.name, key)) {
            return std::move(parsed.value);
        }
    }
    return std::nullopt;
}

std::string VornIniProfile::getstring(std::string_view section, std::string_view key,
                                      std::string_view defaultvalue) const {
    std::optional<std::string> value = getvalue(section, key);
    return value ? std::move(*value) : std::string(defaultvalue);
}

std::vector<std::string> VornIniProfile::sectionkeys(std::string_view section) const {
    std::vector<std::string> keys;
    if (std::optional<SectionRange> range = findsection(section)) {
        for (size_t index = range->header + 1; index < range->end; ++index) {
            ParsedLine parsed = parseline(lines_[index], false);
            if (parsed.kind == LineKind::key) {
                keys.push_back(std::move(parsed.name));
            }
        }
    }
    return keys;
}

std::vector<std::string> VornIniProfile::sectionnames() const {
    std::vector<std::string> names;
    for (size_t index = 0; index < lines_.size(); ++index) {
        ParsedLine parsed = parseline(lines_[index], index == 0);
        if (parsed.kind == LineKind::section) {
            names.push_back(std::move(parsed.name));
        }
    }
    return names;
}

// New lines follow the file's own line-end style.
std::string VornIniProfile::lineend() const {
    if (!lines_.empty() && lines_.front().ends_with("\r\n")) {
        return "\r\n";
    }
    return "\n";
}

void VornIniProfile::insertline(size_t index, std::string text) {
    std::string end = lineend();
    // A last line without terminator gets one before anything follows it.
    if (index > 0 && index == lines_.size() && !lines_.back().ends_with('\n')) {
        lines_.back() += end;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(index), std::move(text) + end);
}

void VornIniProfile::setvalue(std::string_view section, std::string_view key,
                              std::string_view value) {
    std::optional<SectionRange> range = findsection(section);
    if (!range) {
        if (!lines_.empty() && !isblankline(lines_.back())) {
            insertline(lines_.size(), "");
        }
        std::string header(1, '[');
        header.append(section).push_back(']');
        insertline(lines_.size(), std::move(header));
        insertline(lines_.size(), std::string(key) + "=" + std::string(value));
        return;
    }
    for (size_t index = range->header + 1; index < range->end; ++index) {
        ParsedLine parsed = parseline(lines_[index], false);
        if (parsed.kind == LineKind::key && vornstdstring::isequalnocase(parsed.name, key)) {
            std::string_view terminator =
                std::string_view(lines_[index]).substr(withoutlineend(lines_[index]).size());
            lines_[index] = parsed.name + "=" + std::string(value) + std::string(terminator);
            return;
        }
    }
    // After the section's last non-blank line, so blank separators stay below it.
    size_t insertat = range->end;
    while (insertat > range->header + 1 && isblankline(lines_[insertat - 1])) {
        --insertat;
    }
    insertline(insertat, std::string(key) + "=" + std::string(value));
}

bool VornIniProfile::removekey(std::string_view section, std::string_view key) {
    std::optional<SectionRange> range = findsection(section);
    if (!range) {
        return false;
    }
    bool removed = false;
    for (size_t index = range->end; index > range->header + 1; --index) {
        ParsedLine parsed = parseline(lines_[index - 1], false);
        if (parsed.kind == LineKind::key && vornstdstring::isequalnocase(parsed.name, key)) {
            lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(index - 1));
            removed = true;
        }
    }
    return removed;
}

bool VornIniProfile::removesection(std::string_view section) {
    std::optional<SectionRange> range = findsection(section);
    if (!range) {
        return false;
    }
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(range->header),
                 lines_.begin() + static_cast<std::ptrdiff_t>(range->end));
    return true;
}

bool readprofilebool(std::string_view value, bool defaultvalue) {
    using vornstdstring::isequalnocase;
    std::string word = vornstdstring::trim(value);
    if (isequalnocase(word, "TRUE") || isequalnocase(word, "YES")) {
        return true;
    }
    if (isequalnocase(word, "FALSE") || isequalnocase(word, "NEIN")) {
        return false;
    }
    std::optional<double> number = parsenumbertext(word);
    if (!number) {
        return defaultvalue;
    }
    return *number != 0;
}

namespace {

VornIniProfile loadprofile(const std::string& path) {
    VornIniProfile profile;
    profile.load(path);
    return profile;
}

} // namespace

std::string getprofilestring(const std::string& path, std::string_view section,
                             std::string_view key, std::string_view defaultvalue) {
    return loadprofile(path).getstring(section, key, defaultvalue);
}

bool getprofilebool(const std::string& path, std::string_view section, std::string_view key,
                    bool defaultvalue) {
    std::optional<std::string> value = loadprofile(path).getvalue(section, key);
    return value ? readprofilebool(*value, defaultvalue) : defaultvalue;
}

std::vector<std::string> getprofilesectionkeys(const std::string& path, std::string_view section) {
    return loadprofile(path).sectionkeys(section);
}

std::vector<std::string> getprofilesectionnames(const std::string& path) {
    return loadprofile(path).sectionnames();
}

bool writeprofilestring(const std::string& path, std::string_view section, std::string_view key,
                        std::string_view value) {
    VornIniProfile profile = loadprofile(path);
    profile.setvalue(section, key, value);
    return profile.save(path);
}

bool writeprofilebool(const std::string& path, std::string_view section, std::string_view key,
                      bool value) {
    return writeprofilestring(path, section, key, value ? "1" : "0");
}

bool deleteprofilekey(const std::string& path, std::string_view section, std::string_view key) {
    VornIniProfile profile = loadprofile(path);
    return !profile.removekey(section, key) || profile.save(path);
}

bool deleteprofilesection(const std::string& path, std::string_view section) {
    VornIniProfile profile = loadprofile(path);
    return !profile.removesection(section) || profile.save(path);
}

} // namespace vornscript
