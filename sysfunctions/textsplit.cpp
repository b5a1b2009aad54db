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
    return succeed(call, makestringvector(vornstdstring::split(text, used)));
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
    std::vector<std::string> texts;
    if (!collectargumenttexts(call, 1, call.arguments.size(), true, texts)) {
        return false;
    }
    return succeedtext(call, vornstdstring::join(texts, ArgumentText(call.arguments[0])));
}

bool concatfunction(VornSystemCall& call) {
    std::vector<std::string> texts;
    if (!collectargumenttexts(call, 0, call.arguments.size(), true, texts)) {
        return false;
    }
    return succeedtext(call, vornstdstring::join(texts, {}));
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
