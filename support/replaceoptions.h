// Replace with options: plain or regular-expression search, case, whole words,
// whole text, first or all occurrences, and an ASCII-only encoding of the
// text around the replace. VornReplaceOptions has virtual operations so that a
// caller may redefine what a word character is and how bytes >= 0x80 are
// encoded. The boolean fields carry the script-visible option names, so the
// encode and decode operations are named encodenotasciitext/decodenotasciitext.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace vornstdstring {

class VornReplaceOptions {
public:
    VornReplaceOptions() = default;
    VornReplaceOptions(const VornReplaceOptions&) = default;
    VornReplaceOptions& operator=(const VornReplaceOptions&) = default;
    virtual ~VornReplaceOptions();

    // An ASCII letter or digit, "_", or one of the Latin-1 letters
    // äöüÄÖÜßáéíóúàèìòù.
    virtual bool iswordcharacter(unsigned char byte) const;
    // True at position 0 or after a byte that is not a word character.
    virtual bool iswordstart(std::string_view text, size_t position) const;
    // True when the occurrence ends the text or is followed by a non-word byte.
    virtual bool iswordend(std::string_view text, size_t position, size_t length) const;
    // Every byte >= 0x80 written as "Q_x", two upper-case hex digits, "_E".
    virtual std::string encodenotasciitext(std::string_view text) const;
    // The reverse: each such sequence becomes its byte again.
    virtual std::string decodenotasciitext(std::string_view text) const;

    bool ignorecase = false;
    bool regularexpressions = false; // pattern is ECMAScript, replacement a $-format
    bool wordsonly = false;          // only occurrences that are whole words
    bool wholeonly = false;          // only when the pattern covers the whole text
    bool replaceall = true;          // false: the first occurrence only
    bool encodenotascii = false;     // patterns are given in the encoded form
};

// The options under their script names, in alphabetical order (the order in
// which defaultreplaceoptions() lists them).
struct VornReplaceOptionField {
    std::string_view name;
    bool VornReplaceOptions::*member;
};
std::span<const VornReplaceOptionField> replaceoptionfields();

// Replaces [pattern] by [replacement] in [text] under [options]. With
// regularexpressions, throws VornRegularExpressionError for a bad pattern.
std::string replace(std::string_view text, std::string_view pattern, std::string_view replacement,
                    const VornReplaceOptions& options);

} // namespace vornstdstring
