// Basic byte-string helpers: comparison, search and trimming.
#include "support/stringbasics.h"

namespace vornstdstring {

namespace {
constexpr std::string_view trimmedbytes = " \t\r\n";
}

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

std::string trimleft(std::string_view text) {
    size_t first = text.find_first_not_of(trimmedbytes);
    return first == std::string_view::npos ? std::string() : std::string(text.substr(first));
}

std::string trimright(std::string_view text) {
    size_t last = text.find_last_not_of(trimmedbytes);
    return last == std::string_view::npos ? std::string() : std::string(text.substr(0, last + 1));
}

std::string trim(std::string_view text) { return trimleft(trimright(text)); }

} // namespace vornstdstring
