// Replace with options. The plain replace builds its result left to right and
// never rescans inserted text; word checks before an occurrence look at the
// result built so far, which is exactly the text as an in-place replace would
// see it.
#include "support/replaceoptions.h"

#include "support/regularexpression.h"
#include "support/stringbasics.h"

#include <array>

namespace vornstdstring {

namespace {

constexpr std::array<VornReplaceOptionField, 6> optionfields{{
    {"encodenotascii", &VornReplaceOptions::encodenotascii},
    {"ignorecase", &VornReplaceOptions::ignorecase},
    {"regularexpressions", &VornReplaceOptions::regularexpressions},
    {"replaceall", &VornReplaceOptions::replaceall},
    {"wholeonly", &VornReplaceOptions::wholeonly},
    {"wordsonly", &VornReplaceOptions::wordsonly},
}};

// The Latin-1 letters that count as word characters besides "_" and ASCII
// letters and digits: äöüÄÖÜßáéíóúàèìòù.
constexpr std::string_view latin1wordbytes = "_\xE4\xF6\xFC\xC4\xD6\xDC\xDF\xE1\xE9\xED\xF3\xFA"
                                             "\xE0\xE8\xEC\xF2\xF9";

constexpr std::string_view encodedprefix = "Q_x";
constexpr std::string_view encodedsuffix = "_E";
constexpr size_t encodedlength = 7; // "Q_x" + two hex digits + "_E"

int hexdigitvalue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

long findoccurrence(std::string_view text, std::string_view pattern, size_t start,
                    bool ignorecase) {
    if (ignorecase) {
        return indexnocase(text, pattern, start);
    }
    size_t found = text.find(pattern, start);
    return found == std::string_view::npos ? -1 : static_cast<long>(found);
}

// The plain replace when the replacement is as long as the pattern: the
// result keeps the text's layout, so the occurrences are overwritten in a
// copy of it instead of the result being assembled piece by piece.
std::string samelengthreplace(std::string_view text, std::string_view pattern,
                              std::string_view replacement, bool replaceall) {
    std::string result(text);
    if (pattern.size() == 1) {
        for (size_t found = text.find(pattern[0]); found != std::string_view::npos;
             found = text.find(pattern[0], found + 1)) {
            result[found] = replacement[0];
            if (!replaceall) {
                break;
            }
        }
        return result;
    }
    for (size_t found = text.find(pattern); found != std::string_view::npos;
         found = text.find(pattern, found + pattern.size())) {
        result.replace(found, replacement.size(), replacement);
        if (!replaceall) {
            break;
        }
    }
    return result;
}

std::string plainreplace(std::string_view text, std::string_view pattern,
                         std::string_view replacement, const VornReplaceOptions& options) {
    // An empty pattern occurs everywhere and would never advance.
    if (pattern.empty()) {
        return std::string(text);
    }
    if (replacement.size() == pattern.size() && !options.ignorecase && !options.wholeonly &&
        !options.wordsonly) {
        return samelengthreplace(text, pattern, replacement, options.replaceall);
    }
    std::string result;
    result.reserve(text.size());
    size_t copied = 0; // bytes of [text] already in [result]
    size_t searchstart = 0;
    while (searchstart <= text.size()) {
        long found = findoccurrence(text, pattern, searchstart, options.ignorecase);
        if (found < 0) {
            break;
        }
        size_t position = static_cast<size_t>(found);
        if (options.wholeonly) {
            // Position and length as in the text with the replacements so far.
            size_t currentposition = result.size() + position - copied;
            size_t currentlength = result.size() + text.size() - copied;
            if (currentposition != 0 || pattern.size() != currentlength) {
                break;
            }
        }
        result.append(text.substr(copied, position - copied));
        copied = position;
        if (options.wordsonly && !(options.iswordstart(result, result.size()) &&
                                   options.iswordend(text, position, pattern.size()))) {
            searchstart = position + 1;
            continue;
        }
        result.append(replacement);
        copied = searchstart = position + pattern.size();
        if (!options.replaceall) {
            break;
        }
    }
    result.append(text.substr(copied));
    return result;
}

// The pattern with the word and whole-text anchors the options ask for.
std::string anchoredpattern(std::string_view pattern, const VornReplaceOptions& options) {
    if (!options.wordsonly && !options.wholeonly) {
        return std::string(pattern);
    }
    bool caret = pattern.starts_with('^');
    if (caret) {
        pattern.remove_prefix(1);
    }
    bool dollar = pattern.ends_with('$');
    if (dollar) {
        pattern.remove_suffix(1);
    }
    bool wordstart = options.wordsonly && !pattern.starts_with("\\b");
    bool wordend = options.wordsonly && !pattern.ends_with("\\b");
    if (options.wholeonly) {
        caret = !(wordstart ? std::string_view("\\b") : pattern).starts_with('^');
        dollar = !(wordend ? std::string_view("\\b") : pattern).ends_with('$');
    }
    // Assembled as ^ \b pattern \b $, each part only where wanted.
    std::string result;
    result.reserve(pattern.size() + 6);
    result += caret ? "^" : "";
    result += wordstart ? "\\b" : "";
    result += pattern;
    result += wordend ? "\\b" : "";
    result += dollar ? "$" : "";
    return result;
}

std::string regularexpressionreplace(std::string_view text, std::string_view pattern,
                                     std::string_view replacement,
                                     const VornReplaceOptions& options) {
    std::string flags = "s";
    if (options.replaceall) {
        flags += 'g';
    }
    if (options.ignorecase) {
        flags += 'i';
    }
    return regexreplace(text, anchoredpattern(pattern, options), replacement, flags);
}

} // namespace

VornReplaceOptions::~VornReplaceOptions() = default;

bool VornReplaceOptions::iswordcharacter(unsigned char byte) const {
    if ((byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
        (byte >= '0' && byte <= '9')) {
        return true;
    }
    return latin1wordbytes.find(static_cast<char>(byte)) != std::string_view::npos;
}

bool VornReplaceOptions::iswordstart(std::string_view text, size_t position) const {
    return position == 0 || position > text.size() ||
           !iswordcharacter(static_cast<unsigned char>(text[position - 1]));
}

bool VornReplaceOptions::iswordend(std::string_view text, size_t position, size_t length) const {
    size_t end = position + length;
    return end >= text.size() || !iswordcharacter(static_cast<unsigned char>(text[end]));
}

std::string VornReplaceOptions::encodenotasciitext(std::string_view text) const {
    static constexpr char hexdigits[] = "0123456789ABCDEF";
    std::string result;
    result.reserve(text.size());
    for (char c : text) {
        auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            result += c;
            continue;
        }
        result += encodedprefix;
        result += hexdigits[byte >> 4];
        result += hexdigits[byte & 0x0F];
        result += encodedsuffix;
    }
    return result;
}

std::string VornReplaceOptions::decodenotasciitext(std::string_view text) const {
    std::string result;
    result.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        if (text.substr(i, encodedprefix.size()) == encodedprefix &&
            i + encodedlength <= text.size() && text.substr(i + 5, 2) == encodedsuffix) {
            int high = hexdigitvalue(text[i + 3]);
            int low = hexdigitvalue(text[i + 4]);
            if (high >= 0 && low >= 0) {
                result += static_cast<char>(high * 16 + low);
                i += encodedlength;
                continue;
            }
        }
        result += text[i++];
    }
    return result;
}

std::span<const VornReplaceOptionField> replaceoptionfields() {
    return optionfields;
}

std::string replace(std::string_view text, std::string_view pattern, std::string_view replacement,
                    const VornReplaceOptions& options) {
    std::string encoded;
    if (options.encodenotascii) {
        encoded = options.encodenotasciitext(text);
        text = encoded;
    }
    std::string result = options.regularexpressions
                             ? regularexpressionreplace(text, pattern, replacement, options)
                             : plainreplace(text, pattern, replacement, options);
    return options.encodenotascii ? options.decodenotasciitext(result) : result;
}

} // namespace vornstdstring
