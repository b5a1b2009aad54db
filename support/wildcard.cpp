// Wildcard matching. The result equals that of trying the rest of the pattern
// at every position after a "*" (shortest first): since every other pattern
// element consumes exactly one byte, retrying from the most recent "*" alone
// finds a match whenever any choice of the earlier stars would.
#include "support/wildcard.h"

#include "support/stringbasics.h"

namespace vornstdstring {

namespace {

unsigned char foldbyte(char c, bool ignorecase) {
    return static_cast<unsigned char>(ignorecase ? tolowerbyte(c) : c);
}

// Matches [c] against the set that starts after the "[" at [position] and
// returns the pattern position after the closing "]" (or the pattern end).
size_t matchset(std::string_view pattern, size_t position, unsigned char c, bool ignorecase,
                bool& matched) {
    matched = false;
    bool haveprevious = false;
    unsigned char previous = 0;
    while (position < pattern.size() && pattern[position] != ']') {
        unsigned char current = foldbyte(pattern[position], ignorecase);
        bool isrange = current == '-' && haveprevious && position + 1 < pattern.size() &&
                       pattern[position + 1] != ']';
        if (isrange) {
            unsigned char upper = foldbyte(pattern[position + 1], ignorecase);
            matched = matched || (c >= previous && c <= upper);
            haveprevious = false;
            position += 2;
            continue;
        }
        matched = matched || c == current;
        previous = current;
        haveprevious = true;
        ++position;
    }
    return position < pattern.size() ? position + 1 : position;
}

// Matches one byte against the pattern element at [position] (never "*");
// on success [next] is the position after the element.
bool matchelement(std::string_view pattern, size_t position, char c, bool ignorecase,
                  size_t& next) {
    char element = pattern[position];
    next = position + 1;
    switch (element) {
    case '?':
        return true;
    case '#':
        return c >= '0' && c <= '9';
    case '[': {
        bool matched = false;
        next = matchset(pattern, position + 1, foldbyte(c, ignorecase), ignorecase, matched);
        return matched;
    }
    default:
        return foldbyte(element, ignorecase) == foldbyte(c, ignorecase);
    }
}

} // namespace

bool like(std::string_view text, std::string_view pattern, bool ignorecase) {
    constexpr size_t nostar = std::string_view::npos;
    size_t t = 0;
    size_t p = 0;
    size_t afterstar = nostar; // pattern position after the most recent "*"
    size_t startretry = 0;     // text position that "*" last stopped at
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            afterstar = ++p;
            startretry = t;
            continue;
        }
        size_t next = 0;
        if (p < pattern.size() && matchelement(pattern, p, text[t], ignorecase, next)) {
            p = next;
            ++t;
            continue;
        }
        if (afterstar == nostar) {
            return false;
        }
        // Let the last "*" take one byte more and retry the rest after it.
        p = afterstar;
        t = ++startretry;
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}

} // namespace vornstdstring
