// Basic byte-string helpers: comparison, search, classification and trimming.
#include "support/stringbasics.h"

namespace vornstdstring {

namespace {
constexpr std::string_view trimmedbytes = " \t\r\n";

// Length of the run of decimal digits at the start of text.
size_t digitrun(std::string_view text) {
    size_t count = 0;
    while (count < text.size() && isdigitbyte(text[count])) {
        ++count;
    }
    return count;
}

std::string_view withoutsign(std::string_view text) {
    if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
        text.remove_prefix(1);
    }
    return text;
}
} // namespace

bool isequalnocase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (tolowerbyte(a[i]) != tolowerbyte(b[i])) {
            return false;
        }
    }
    return true;
}

bool containsnocase(std::string_view text, std::string_view subtext) {
    return indexnocase(text, subtext) >= 0;
}

long indexnocase(std::string_view text, std::string_view subtext, size_t start) {
    if (subtext.size() > text.size()) {
        return -1;
    }
    for (size_t position = start; position + subtext.size() <= text.size(); ++position) {
        if (isequalnocase(text.substr(position, subtext.size()), subtext)) {
            return static_cast<long>(position);
        }
    }
    return -1;
}

bool isNumber(std::string_view text) {
    size_t whole = digitrun(text);
    if (whole == 0) {
        return false;
    }
    if (whole == text.size()) {
        return true;
    }
    if (text[whole] != '.') {
        return false;
    }
    std::string_view fraction = text.substr(whole + 1);
    size_t fractiondigits = digitrun(fraction);
    return fractiondigits > 0 && fractiondigits == fraction.size();
}

bool isSignedNumber(std::string_view text) {
    return isNumber(withoutsign(text));
}

bool isSignedWholeNumber(std::string_view text) {
    std::string_view digits = withoutsign(text);
    return !digits.empty() && digitrun(digits) == digits.size();
}

bool isHexNumber(std::string_view text) {
    if (text.empty()) {
        return false;
    }
    for (char c : text) {
        if (!ishexdigitbyte(c)) {
            return false;
        }
    }
    return true;
}

bool isIdentifier(std::string_view text) {
    if (text.empty() || !(isletterbyte(text[0]) || text[0] == '_')) {
        return false;
    }
    for (char c : text.substr(1)) {
        if (!(isletterbyte(c) || isdigitbyte(c) || c == '_')) {
            return false;
        }
    }
    return true;
}

std::string trimleft(std::string_view text) {
    size_t first = text.find_first_not_of(trimmedbytes);
    return first == std::string_view::npos ? std::string() : std::string(text.substr(first));
}

std::string trimright(std::string_view text) {
    size_t last = text.find_last_not_of(trimmedbytes);
    return last == std::string_view::npos ? std::string() : std::string(text.substr(0, last + 1));
}

std::string trim(std::string_view text) {
    size_t first = text.find_first_not_of(trimmedbytes);
    if (first == std::string_view::npos) {
        return std::string();
    }
    return std::string(text.substr(first, text.find_last_not_of(trimmedbytes) + 1 - first));
}

std::string chomp(std::string_view text) {
    if (text.ends_with("\r\n")) {
        text.remove_suffix(2);
    } else if (text.ends_with('\n') || text.ends_with('\r')) {
        text.remove_suffix(1);
    }
    return std::string(text);
}

std::string removelastmatchtillend(std::string_view text, std::string_view subtext) {
    size_t position = subtext.empty() ? std::string_view::npos : text.rfind(subtext);
    return std::string(position == std::string_view::npos ? text : text.substr(0, position));
}

} // namespace vornstdstring
