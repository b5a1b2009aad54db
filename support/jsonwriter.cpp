// The JSON writer's layout (see jsonwriter.h).
#include "support/jsonwriter.h"

#include "support/stringescape.h"

namespace vornjson {

namespace {

// One or more decimal digits, blanks around them allowed.
bool isbarenumber(std::string_view text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return false;
    }
    const size_t last = text.find_last_not_of(' ');
    for (size_t i = first; i <= last; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
    }
    return true;
}

} // namespace

void vornjsonwriter::scalar(std::string_view text) {
    if (isbarenumber(text)) {
        out += text;
        return;
    }
    out += '"';
    vornstdstring::appendescapedstring(out, text);
    out += '"';
}

void vornjsonwriter::indent(size_t depth) {
    out.append((static_cast<size_t>(basedepth) + depth) * 4, ' ');
}

void vornjsonwriter::begin(char open) {
    out += open;
    out += '\n';
    hasentries.push_back(false);
}

void vornjsonwriter::startentry() {
    if (hasentries.back()) {
        out += ",\n";
    }
    hasentries.back() = true;
    indent(hasentries.size());
}

void vornjsonwriter::member(std::string_view key) {
    startentry();
    out += '"';
    out += key;
    out += "\": ";
}

void vornjsonwriter::end(char close) {
    if (hasentries.back()) {
        out += '\n';
    }
    hasentries.pop_back();
    indent(hasentries.size());
    out += close;
    out += '\n';
}

} // namespace vornjson
