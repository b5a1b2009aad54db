// CSV parsing and writing. Messages pass the translator with the tag
// "parsecsvline".
#include "support/csv.h"

#include "support/phrasetranslator.h"

namespace vornstdstring {

namespace {

constexpr std::string_view blankbytes = " \t\r\n";

bool isseparatorcandidate(char c) {
    auto byte = static_cast<unsigned char>(c);
    if (c == '\t') {
        return true;
    }
    bool punctuation =
        byte > ' ' && byte < 0x7F &&
        !((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'));
    return punctuation && c != '"' && c != '\'';
}

bool contains(std::string_view set, char c) {
    return set.find(c) != std::string_view::npos;
}

bool failcsv(const char* message, std::vector<std::string>& fields, std::string& errortext) {
    fields.clear();
    errortext = vornscript::translate(message, "parsecsvline");
    return false;
}

} // namespace

std::string csvfieldseparators(std::string_view requested) {
    std::string result;
    for (char c : requested) {
        if (isseparatorcandidate(c)) {
            result += c;
        }
    }
    return result.empty() ? std::string(defaultcsvseparators) : result;
}

bool parsecsvline(std::string_view line, std::string_view separators, std::string_view quotes,
                  std::vector<std::string>& fields, std::string& errortext) {
    const std::string usedseparators = csvfieldseparators(separators);
    if (quotes.empty()) {
        quotes = defaultcsvquotes;
    }
    fields.clear();
    std::string field;
    bool collected = false; // something (a byte or a quoted section) belongs to [field]
    char openquote = 0;
    bool inquotes = false;
    size_t i = 0;
    for (; i < line.size(); ++i) {
        char c = line[i];
        if (inquotes) {
            if (c != openquote) {
                field += c;
            } else if (i + 1 < line.size() && line[i + 1] == openquote) {
                field += c;
                ++i;
            } else {
                inquotes = false;
            }
            continue;
        }
        if (contains(quotes, c)) {
            if (field.find_first_not_of(blankbytes) == std::string::npos) {
                field.clear();
            }
            inquotes = true;
            openquote = c;
            collected = true;
        } else if (c == '\r' || c == '\n') {
            break;
        } else if (contains(usedseparators, c)) {
            fields.push_back(std::move(field));
            field.clear();
            collected = false;
        } else {
            field += c;
            collected = true;
        }
    }
    if (inquotes) {
        return failcsv("missing ending quote", fields, errortext);
    }
    if (line.find_first_not_of(blankbytes, i) != std::string_view::npos) {
        return failcsv("extra characters before end of line", fields, errortext);
    }
    if (collected) {
        fields.push_back(std::move(field));
    }
    return true;
}

std::vector<std::string> splitcsvlines(std::string_view text, std::string_view quotes) {
    if (quotes.empty()) {
        quotes = defaultcsvquotes;
    }
    std::vector<std::string> lines;
    size_t linestart = 0;
    char openquote = 0;
    bool inquotes = false;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (inquotes) {
            inquotes = c != openquote;
        } else if (contains(quotes, c)) {
            inquotes = true;
            openquote = c;
        } else if (c == '\r' || c == '\n') {
            lines.emplace_back(text.substr(linestart, i - linestart));
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
            linestart = i + 1;
        }
    }
    if (linestart < text.size()) {
        lines.emplace_back(text.substr(linestart));
    }
    return lines;
}

std::string makecsvline(std::span<const std::string> fields, std::string_view separator) {
    std::string line;
    for (size_t i = 0; i < fields.size(); ++i) {
        const std::string& field = fields[i];
        if (i > 0) {
            line += separator;
        }
        bool quoted = field.find_first_of(" \"\r\n") != std::string::npos ||
                      (!separator.empty() && field.find(separator) != std::string::npos);
        if (!quoted) {
            line += field;
            continue;
        }
        line += '"';
        for (char c : field) {
            if (c == '"') {
                line += '"';
            }
            line += c;
        }
        line += '"';
    }
    line += '\n';
    return line;
}

} // namespace vornstdstring
