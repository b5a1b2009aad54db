// Splitting texts into vectors and joining texts and vectors into one text,
// number-range lists and CSV lines. A missing optional argument (padded as
// undefined by the dispatcher) selects the string library's default.
#include "support/csv.h"
#include "support/intrangelist.h"
#include "support/stringsplit.h"
#include "sysfunctions/textfunctionsupport.h"
#include "values/vectorhandler.h"

namespace vornscript::textfunctions {

bool splitfunction(VornSystemCall& call) {
    const ArgumentText text(call.arguments[0]);
    const ArgumentText separator(call.arguments[1]);
    const std::string_view used = isundefined(call.arguments[1]) ? "," : separator.view();
    // Each part becomes an element straight from its view of the text, into
    // slots counted first, so the list is allocated once.
    size_t count = 0;
    vornstdstring::eachsplitpart(text, used, [&count](std::string_view) { ++count; });
    VornVectorSlots slots;
    slots.reserve(count);
    vornstdstring::eachsplitpart(text, used, [&slots](std::string_view part) {
        slots.emplace_back(makestringvalue(std::string(part)));
    });
    return succeed(call,
                   makehandlervalue(makeref<VornScriptObjectVectorHandler>(std::move(slots))));
}

bool splitlinesfunction(VornSystemCall& call) {
    const bool trimends = !isundefined(call.arguments[1]) && call.arguments[1]->istrue();
    return succeed(call, makestringvector(
                             vornstdstring::splitlines(ArgumentText(call.arguments[0]), trimends)));
}

bool splitwordsfunction(VornSystemCall& call) {
    const ArgumentText text(call.arguments[0]);
    const ArgumentText separators(call.arguments[1]);
    return succeed(call, makestringvector(vornstdstring::splitwords(text, separators)));
}

bool joinfunction(VornSystemCall& call) {
    std::string joined;
    return joinargumenttexts(call, 1, call.arguments.size(), true, ArgumentText(call.arguments[0]),
                             joined) &&
           succeedtext(call, std::move(joined));
}

bool concatfunction(VornSystemCall& call) {
    std::string joined;
    return joinargumenttexts(call, 0, call.arguments.size(), true, {}, joined) &&
           succeedtext(call, std::move(joined));
}

bool parseintrangelistfunction(VornSystemCall& call) {
    std::vector<int64_t> numbers;
    if (!vornstdstring::parseintrangelist(ArgumentText(call.arguments[0]), numbers, call.error)) {
        return false;
    }
    VornScriptObjectList elements;
    elements.reserve(numbers.size());
    for (const int64_t number : numbers) {
        elements.push_back(makelongvalue(number));
    }
    return succeed(call,
                   makehandlervalue(makeref<VornScriptObjectVectorHandler>(std::move(elements))));
}

bool makecsvlinefunction(VornSystemCall& call) {
    std::vector<std::string> fields;
    if (!collectargumenttexts(call, 0, 1, false, fields)) {
        return false;
    }
    return succeedtext(call, vornstdstring::makecsvline(fields, ArgumentText(call.arguments[1])));
}

bool parsecsvlinefunction(VornSystemCall& call) {
    std::vector<std::string> fields;
    if (!vornstdstring::parsecsvline(ArgumentText(call.arguments[0]),
                                     ArgumentText(call.arguments[1]),
                                     vornstdstring::defaultcsvquotes, fields, call.error)) {
        return false;
    }
    return succeed(call, makestringvector(std::move(fields)));
}

bool splitcsvlinesfunction(VornSystemCall& call) {
    const ArgumentText text(call.arguments[0]);
    const ArgumentText quotes(call.arguments[1]);
    return succeed(call, makestringvector(vornstdstring::splitcsvlines(text, quotes)));
}

} // namespace vornscript::textfunctions
