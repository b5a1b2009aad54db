// Reading a whole text as one number, for option values and profile words.
// Only the complete text counts: blanks, trailing characters, infinities and
// "nan" are not numbers.
#pragma once

#include <optional>
#include <string_view>

namespace vornscript {

// The number the text spells (an optional sign, digits, a fraction, an
// exponent); nullopt for anything else.
std::optional<double> parsenumbertext(std::string_view text);

} // namespace vornscript
