// Whole-text number reading on top of std::from_chars, which never depends
// on the locale and never skips blanks.
#include "support/numbertext.h"

#include <charconv>
#include <cmath>

namespace vornscript {

std::optional<double> parsenumbertext(std::string_view text) {
    // from_chars accepts a leading "-" but not "+".
    if (!text.empty() && text.front() == '+' && (text.size() < 2 || text[1] != '-')) {
        text.remove_prefix(1);
    }
    double number = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        !std::isfinite(number)) {
        return std::nullopt;
    }
    return number;
}

} // namespace vornscript
