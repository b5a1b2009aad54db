// Number-range list parser: a single left-to-right pass over the text.
#include "support/intrangelist.h"

#include "support/phrasetranslator.h"

namespace vornstdstring {

namespace {

constexpr size_t maxdigits = 18; // every 18-digit number fits in 64 bits

bool isblankbyte(char c) {
    return c == ' ' || c == '\t';
}
bool isitemseparator(char c) {
    return c == ',' || c == ';' || isblankbyte(c);
}

size_t skipblanks(std::string_view text, size_t position) {
    while (position < text.size() && isblankbyte(text[position])) {
        ++position;
    }
    return position;
}

bool readnumber(std::string_view text, size_t& position, std::int64_t& number) {
    size_t start = position;
    number = 0;
    while (position < text.size() && text[position] >= '0' && text[position] <= '9') {
        if (position - start < maxdigits) {
            number = number * 10 + (text[position] - '0');
        }
        ++position;
    }
    return position > start && position - start <= maxdigits;
}

bool appendrange(std::int64_t first, std::int64_t last, std::vector<std::int64_t>& numbers) {
    std::int64_t step = last < first ? -1 : 1;
    auto count = static_cast<size_t>((last - first) * step) + 1;
    if (count > maxintrangelistsize - numbers.size()) {
        return false;
    }
    for (std::int64_t number = first; number != last; number += step) {
        numbers.push_back(number);
    }
    numbers.push_back(last);
    return true;
}

} // namespace

bool parseintrangelist(std::string_view text, std::vector<std::int64_t>& numbers,
                       std::string& errortext) {
    numbers.clear();
    size_t i = 0;
    while (true) {
        while (i < text.size() && isitemseparator(text[i])) {
            ++i;
        }
        if (i == text.size()) {
            return true;
        }
        std::int64_t first = 0;
        std::int64_t last = 0;
        bool valid = readnumber(text, i, first);
        size_t afteritem = skipblanks(text, i);
        if (valid && afteritem < text.size() && text[afteritem] == '-') {
            i = skipblanks(text, afteritem + 1);
            valid = readnumber(text, i, last);
            afteritem = skipblanks(text, i);
        } else {
            last = first;
        }
        // An item ends at the text's end or at a separator.
        valid = valid && (i == text.size() || isitemseparator(text[i]));
        if (!valid || !appendrange(first, last, numbers)) {
            numbers.clear();
            errortext = vornscript::translate("parseintrangelist invalid range list syntax",
                                              "parseintrangelist");
            return false;
        }
        i = afteritem;
    }
}

} // namespace vornstdstring
