// Splitting texts at separator texts, separator sets and line ends; joining.
#include "support/stringsplit.h"

#include "support/stringbasics.h"
#include "support/stringnumbers.h"

namespace vornstdstring {

std::vector<std::string> split(std::string_view text, std::string_view separator) {
    std::vector<std::string> parts;
    eachsplitpart(text, separator, [&parts](std::string_view part) { parts.emplace_back(part); });
    return parts;
}

std::vector<std::string> splitwords(std::string_view text, std::string_view separators) {
    if (separators.empty()) {
        separators = defaultwordseparators;
    }
    auto isseparator = [separators](char c) {
        return static_cast<unsigned char>(c) < 0x80 && separators.find(c) != std::string_view::npos;
    };
    std::vector<std::string> words;
    size_t position = 0;
    while (position < text.size()) {
        while (position < text.size() && isseparator(text[position])) {
            ++position;
        }
        size_t start = position;
        while (position < text.size() && !isseparator(text[position])) {
            ++position;
        }
        if (position > start) {
            words.emplace_back(text.substr(start, position - start));
        }
    }
    return words;
}

std::vector<std::string> splitlines(std::string_view text, bool trimends) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t lineend = text.find_first_of("\r\n", start);
        size_t next = text.size();
        if (lineend == std::string_view::npos) {
            lineend = text.size();
        } else {
            bool crlf =
                text[lineend] == '\r' && lineend + 1 < text.size() && text[lineend + 1] == '\n';
            next = lineend + (crlf ? 2 : 1);
        }
        if (trimends) {
            while (lineend > start && (text[lineend - 1] == ' ' || text[lineend - 1] == '\t')) {
                --lineend;
            }
            lines.emplace_back(text.substr(start, lineend - start));
        } else {
            lines.emplace_back(text.substr(start, next - start));
        }
        start = next;
    }
    return lines;
}

bool splitPair(std::string_view text, std::string_view separator, std::string& first,
               std::string& second) {
    size_t found = separator.empty() ? std::string_view::npos : text.find(separator);
    if (found == std::string_view::npos) {
        first.clear();
        second.clear();
        return false;
    }
    first.assign(text.substr(0, found));
    second.assign(text.substr(found + separator.size()));
    return true;
}

bool parseIntPair(std::string_view text, std::string_view separator, int64_t& first,
                  int64_t& second) {
    std::string firsttext, secondtext;
    if (splitPair(text, separator, firsttext, secondtext) &&
        parsewholenumber(trim(firsttext), first) && parsewholenumber(trim(secondtext), second)) {
        return true;
    }
    first = 0;
    second = 0;
    return false;
}

std::string join(const std::vector<std::string>& parts, std::string_view separator) {
    std::string result;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) {
            result.append(separator);
        }
        result.append(parts[i]);
    }
    return result;
}

} // namespace vornstdstring
