// Fuzz target: the readers of free-form text outside the script language:
// the JSON reader and writer, and the text utilities that take patterns,
// format strings or number texts. The first input byte picks the utility;
// the rest is split into the texts it takes. Each returns its result or its
// error (a regular-expression error for a bad pattern); a crash, a
// sanitizer report or a hang is a finding.
#include "support/csv.h"
#include "support/intrangelist.h"
#include "support/jsontree.h"
#include "support/numbertext.h"
#include "support/regularexpression.h"
#include "support/replaceoptions.h"
#include "support/stringescape.h"
#include "support/stringnumbers.h"
#include "support/wildcard.h"
#include "support/xmltag.h"
#include "sysfunctions/formatting.h"
#include "values/scriptobject.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>
#include <vector>

using namespace vornstdstring;

namespace {

// Format arguments: texts, whole numbers and doubles, as scripts pass them.
std::vector<vornscript::VornScriptObjectPtr> formatarguments(FuzzedDataProvider& input) {
    std::vector<vornscript::VornScriptObjectPtr> arguments;
    arguments.push_back(vornscript::makestringvalue(input.ConsumeRandomLengthString(256)));
    const size_t count = input.ConsumeIntegralInRange<size_t>(0, 6);
    for (size_t index = 0; index < count; ++index) {
        switch (input.ConsumeIntegralInRange(0, 2)) {
        case 0:
            arguments.push_back(vornscript::makelongvalue(input.ConsumeIntegral<int64_t>()));
            break;
        case 1:
            arguments.push_back(vornscript::makedoublevalue(input.ConsumeFloatingPoint<double>()));
            break;
        default:
            arguments.push_back(vornscript::makestringvalue(input.ConsumeRandomLengthString(64)));
        }
    }
    return arguments;
}

void regularexpressions(FuzzedDataProvider& input) {
    const bool ignorecase = input.ConsumeBool();
    const std::string pattern = input.ConsumeRandomLengthString(128);
    const std::string format = input.ConsumeRandomLengthString(64);
    const std::string text = input.ConsumeRemainingBytesAsString();
    try {
        const VornRegularExpression expression(pattern, ignorecase);
        VornRegexMatch match;
        expression.search(text, match);
        expression.matchwhole(text);
        expression.foreachmatch(text, [](const VornRegexMatch& each) {
            for (size_t group = 0; group < each.groupcount(); ++group) {
                each.group(group);
            }
            return true;
        });
        expression.replace(text, format, true);
        regexreplace(text, pattern, format, ignorecase ? "gi" : "");
    } catch (const VornRegularExpressionError&) {
    }
}

void replacewithoptions(FuzzedDataProvider& input) {
    VornReplaceOptions options;
    for (const VornReplaceOptionField& field : replaceoptionfields()) {
        options.*field.member = input.ConsumeBool();
    }
    const std::string pattern = input.ConsumeRandomLengthString(64);
    const std::string replacement = input.ConsumeRandomLengthString(64);
    const std::string text = input.ConsumeRemainingBytesAsString();
    try {
        replace(text, pattern, replacement, options);
    } catch (const VornRegularExpressionError&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider input(data, size);
    std::string error;
    switch (input.ConsumeIntegralInRange(0, 8)) {
    case 0: {
        vornjson::vornjsontree tree;
        vornjson::vornjsonposition position;
        if (tree.parse(input.ConsumeRemainingBytesAsString(), error, &position)) {
            tree.write();
        }
        break;
    }
    case 1: {
        const bool ignorecase = input.ConsumeBool();
        const std::string pattern = input.ConsumeRandomLengthString(128);
        like(input.ConsumeRemainingBytesAsString(), pattern, ignorecase);
        break;
    }
    case 2:
        regularexpressions(input);
        break;
    case 3:
        replacewithoptions(input);
        break;
    case 4: {
        std::string result;
        vornscript::formatscriptvalues("sprintf", formatarguments(input), result, error);
        break;
    }
    case 5: {
        const std::string text = input.ConsumeRemainingBytesAsString();
        vornscript::parsenumbertext(text);
        int64_t number = 0;
        parsewholenumber(text, number);
        std::vector<int64_t> numbers;
        parseintrangelist(text, numbers, error);
        break;
    }
    case 6: {
        const std::string text = input.ConsumeRemainingBytesAsString();
        unescapestring(text);
        unquotestring(text);
        unescapehtmlentities(text);
        escapestring(text);
        break;
    }
    case 7: {
        const std::string separators = input.ConsumeRandomLengthString(8);
        const std::string quotes = input.ConsumeRandomLengthString(4);
        const std::string text = input.ConsumeRemainingBytesAsString();
        std::vector<std::string> fields;
        for (const std::string& line : splitcsvlines(text, quotes)) {
            parsecsvline(line, separators, quotes, fields, error);
        }
        break;
    }
    default: {
        VornXMLTag tag;
        if (tag.parse(input.ConsumeRemainingBytesAsString(), error)) {
            tag.writetag();
        }
    }
    }
    return 0;
}
