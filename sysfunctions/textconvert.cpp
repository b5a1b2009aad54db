// Text conversions and classification: trimming, backslash escaping and
// quoting, character codes, ASCII case and the is... tests. Only ASCII
// letters have a case and count as letters; other bytes pass unchanged.
#include "support/stringbasics.h"
#include "support/stringescape.h"
#include "sysfunctions/textfunctionsupport.h"

#include <algorithm>

namespace vornscript::textfunctions {

namespace {

// The text of the first argument converted by [convert].
template <typename Convert> bool converttext(VornSystemCall& call, Convert convert) {
    const ArgumentText text(call.arguments[0]);
    return succeedtext(call, convert(text.view()));
}

// 1 when the text of the first argument is non-empty and every byte passes [test].
template <typename Test> bool allbytes(VornSystemCall& call, Test test) {
    const ArgumentText text(call.arguments[0]);
    const std::string_view bytes = text.view();
    return succeedbool(call, !bytes.empty() && std::all_of(bytes.begin(), bytes.end(), test));
}

std::string changecase(std::string_view text, char from, char to) {
    std::string result(text);
    for (char& c : result) {
        if (c >= from && c <= static_cast<char>(from + 25)) {
            c = static_cast<char>(c - from + to);
        }
    }
    return result;
}

bool iswhitespacebyte(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool isalphanumericbyte(char c) {
    return vornstdstring::isletterbyte(c) || vornstdstring::isdigitbyte(c);
}

} // namespace

bool trimfunction(VornSystemCall& call) {
    return converttext(call, vornstdstring::trim);
}

bool trimleftfunction(VornSystemCall& call) {
    return converttext(call, vornstdstring::trimleft);
}

bool trimrightfunction(VornSystemCall& call) {
    return converttext(call, vornstdstring::trimright);
}

bool escapestringfunction(VornSystemCall& call) {
    return converttext(call,
                       [](std::string_view text) { return vornstdstring::escapestring(text); });
}

bool unescapestringfunction(VornSystemCall& call) {
    return converttext(call, vornstdstring::unescapestring);
}

bool quotestringfunction(VornSystemCall& call) {
    return converttext(call, vornstdstring::quotestring);
}

bool unquotestringfunction(VornSystemCall& call) {
    return converttext(call, vornstdstring::unquotestring);
}

bool ordfunction(VornSystemCall& call) {
    const ArgumentText text(call.arguments[0]);
    if (text.view().size() != 1) {
        return failfunction(call, "requires a string with length 1 as argument");
    }
    return succeed(call, makelongvalue(static_cast<unsigned char>(text.view()[0])));
}

bool chrfunction(VornSystemCall& call) {
    int64_t code = 0;
    if (!readwholenumber(call.arguments[0], code) || code < 0 || code > 255) {
        return failfunction(call, "expects a number between 0 and 255");
    }
    return succeedtext(call, std::string(1, static_cast<char>(code)));
}

bool toupperfunction(VornSystemCall& call) {
    return converttext(call, [](std::string_view text) { return changecase(text, 'a', 'A'); });
}

bool tolowerfunction(VornSystemCall& call) {
    return converttext(call, [](std::string_view text) { return changecase(text, 'A', 'a'); });
}

bool isnumberfunction(VornSystemCall& call) {
    const VornScriptObjectPtr& value = call.arguments[0];
    if (isundefined(value)) {
        return succeedbool(call, false);
    }
    // A computed number counts whatever its text looks like ("1e+20" stays a number).
    const int32_t code = value->gettypecode();
    if (code == VornTypeCode::longnumber || code == VornTypeCode::doublenumber) {
        return succeedbool(call, true);
    }
    return succeedbool(call, vornstdstring::isSignedNumber(ArgumentText(value)));
}

bool ishexnumberfunction(VornSystemCall& call) {
    return succeedbool(call, vornstdstring::isHexNumber(ArgumentText(call.arguments[0])));
}

bool isalphafunction(VornSystemCall& call) {
    return allbytes(call, vornstdstring::isletterbyte);
}

bool isalphanumericfunction(VornSystemCall& call) {
    return allbytes(call, isalphanumericbyte);
}

bool iswhitespacefunction(VornSystemCall& call) {
    return allbytes(call, iswhitespacebyte);
}

} // namespace vornscript::textfunctions
