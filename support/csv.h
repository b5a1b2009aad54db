// CSV lines: parsing one line into fields, splitting a text into lines outside
// quoted sections, and writing one line. Separators are a set of bytes (any of
// them ends a field); quotes are a set of bytes, and a section opened by one
// quote byte is closed only by the same byte.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vornstdstring {

// Separators used when the caller's set filters down to nothing.
inline constexpr std::string_view defaultcsvseparators = ",;:\t";
inline constexpr std::string_view defaultcsvquotes = "\"";

// The caller's separators restricted to tab and ASCII punctuation other than
// the quotes; defaultcsvseparators when none remains.
std::string csvfieldseparators(std::string_view requested);

// Parses one line into [fields]. Separators are filtered as above, empty
// quotes mean the double quote. On failure returns false with the message
// ("missing ending quote", "extra characters before end of line") in
// [errortext] and [fields] empty.
bool parsecsvline(std::string_view line, std::string_view separators, std::string_view quotes,
                  std::vector<std::string>& fields, std::string& errortext);

// The lines of a CSV text, split at line ends (CR LF, LF or CR) outside quoted
// sections, without their line ends; a final line end adds no empty line.
// Empty quotes mean the double quote.
std::vector<std::string> splitcsvlines(std::string_view text,
                                       std::string_view quotes = defaultcsvquotes);

// The fields joined by [separator]; a field holding a blank, the separator, a
// double quote or a line end is quoted with inner quotes doubled. Ends in "\n".
std::string makecsvline(std::span<const std::string> fields, std::string_view separator);

} // namespace vornstdstring
