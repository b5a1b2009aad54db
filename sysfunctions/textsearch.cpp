// Search and comparison functions on texts. Comparisons are byte-wise with
// bytes taken as unsigned (so "Ä" sorts after "z"), ignoring case for ASCII
// letters only; comparenumeric compares number texts by value first.
#include "support/stringbasics.h"
#include "support/stringnumbers.h"
#include "sysfunctions/collectioncompare.h"
#include "sysfunctions/textfunctionsupport.h"

#include <algorithm>
#include <charconv>

namespace vornscript::textfunctions {

namespace {

template <typename T> int64_t sign(T a, T b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

int64_t comparebytes(std::string_view a, std::string_view b) {
    return comparetexts(a, b, false);
}

int64_t comparebytesnocase(std::string_view a, std::string_view b) {
    return comparetexts(a, b, true);
}

// The whole text read as a floating number.
bool readfloating(std::string_view text, double& value) {
    const char* end = text.data() + text.size();
    const auto [stop, status] = std::from_chars(text.data(), end, value);
    return status == std::errc() && stop == end;
}

int64_t comparenumeric(std::string_view a, std::string_view b) {
    int64_t wholea = 0;
    int64_t wholeb = 0;
    if (vornstdstring::isSignedWholeNumber(a) && vornstdstring::isSignedWholeNumber(b) &&
        vornstdstring::parsewholenumber(a, wholea) && vornstdstring::parsewholenumber(b, wholeb)) {
        return sign(wholea, wholeb);
    }
    double floatinga = 0;
    double floatingb = 0;
    if (vornstdstring::contains(a, ".") && vornstdstring::contains(b, ".") &&
        readfloating(a, floatinga) && readfloating(b, floatingb)) {
        return sign(floatinga, floatingb);
    }
    return comparebytes(a, b);
}

// Runs [test] on the texts of the first two arguments and returns its number.
template <typename Test> bool ontwotexts(VornSystemCall& call, Test test) {
    const ArgumentText first(call.arguments[0]);
    const ArgumentText second(call.arguments[1]);
    return succeed(call, makelongvalue(static_cast<int64_t>(test(first.view(), second.view()))));
}

int64_t notfound(size_t position) {
    return position == std::string_view::npos ? -1 : static_cast<int64_t>(position);
}

} // namespace

bool indexfunction(VornSystemCall& call) {
    return ontwotexts(call, [](std::string_view text, std::string_view subtext) {
        return notfound(text.find(subtext));
    });
}

bool rindexfunction(VornSystemCall& call) {
    return ontwotexts(call, [](std::string_view text, std::string_view subtext) {
        return notfound(text.rfind(subtext));
    });
}

bool containsfunction(VornSystemCall& call) {
    return ontwotexts(call, vornstdstring::contains);
}

bool startswithfunction(VornSystemCall& call) {
    return ontwotexts(call, vornstdstring::startswith);
}

bool endswithfunction(VornSystemCall& call) {
    return ontwotexts(call, vornstdstring::endswith);
}

bool strcmpfunction(VornSystemCall& call) {
    return ontwotexts(call, comparebytes);
}

bool stricmpfunction(VornSystemCall& call) {
    return ontwotexts(call, comparebytesnocase);
}

bool comparenumericfunction(VornSystemCall& call) {
    return ontwotexts(call, comparenumeric);
}

} // namespace vornscript::textfunctions
