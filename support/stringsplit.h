// Splitting texts into parts and joining parts into a text. Parts are
// returned as owned strings in a vector; separators are byte texts or byte
// sets, never patterns. Splitting never fails: an empty text gives no parts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vornstdstring {

// The separators splitwords uses when the caller gives none.
inline constexpr std::string_view defaultwordseparators = ",;: \t\r\n";

// Parts between occurrences of separator, empty parts kept ("a,,b," gives a,
// "", b, ""). An empty separator gives the whole text as one part.
std::vector<std::string> split(std::string_view text, std::string_view separator);
// The same parts handed to [part] one by one as views into [text], for
// callers that store them in their own form.
template <class Part>
void eachsplitpart(std::string_view text, std::string_view separator, Part&& part) {
    if (text.empty()) {
        return;
    }
    if (separator.empty()) {
        part(text);
        return;
    }
    size_t start = 0;
    for (size_t found = text.find(separator); found != std::string_view::npos;
         found = text.find(separator, start)) {
        part(text.substr(start, found - start));
        start = found + separator.size();
    }
    part(text.substr(start));
}
// Words between runs of bytes from separators (defaultwordseparators when
// empty); bytes >= 0x80 never separate, no word is empty and words are not
// trimmed.
std::vector<std::string> splitwords(std::string_view text, std::string_view separators = {});
// Lines ending after LF, CR LF or a lone CR. Without trimends each line keeps
// its line end; with trimends it loses the line end and the blanks and tabs
// before it, keeping its leading blanks.
std::vector<std::string> splitlines(std::string_view text, bool trimends);

// Splits at the first occurrence of separator into two untrimmed parts; false
// (and both parts empty) when the separator does not occur.
bool splitPair(std::string_view text, std::string_view separator, std::string& first,
               std::string& second);
// The same, with both trimmed parts read as whole numbers (optional sign and
// digits); false (and both 0) when either part is not one.
bool parseIntPair(std::string_view text, std::string_view separator, int64_t& first,
                  int64_t& second);

std::string join(const std::vector<std::string>& parts, std::string_view separator);

} // namespace vornstdstring
