// The text-function table and the helpers its implementations share, plus the
// length and substring functions. Positions and lengths are checked here (a
// negative one is an error with the function's own message) and then handed
// to the string library, which clips them to the text.
#include "sysfunctions/textfunctions.h"

#include "support/phrasetranslator.h"
#include "support/stringedit.h"
#include "sysfunctions/textfunctionsupport.h"
#include "values/vectorhandler.h"

#include <cmath>
#include <limits>

namespace vornscript {

namespace textfunctions {

namespace {

constexpr const char* messagetag = "interpreter";

// Hands the text of one value to [sink] (sink.value with nullptr for the
// empty text); a collection hands over its elements. The plain vector's
// slots are read in place, its inline numbers handed over as numbers.
template <class Sink>
bool eachtext(const VornScriptObjectPtr& value, Sink& sink, std::string& error) {
    if (isundefined(value)) {
        sink.value(nullptr);
        return true;
    }
    if (value->getobjecttype() == VornObjectType::vector) {
        const VornScriptDataHandlerPtr& handler = value->getdatahandler();
        if (handler && handler->handlerkind() == VornHandlerKind::plainvector) {
            for (const VornVectorSlot& slot :
                 static_cast<const VornScriptObjectVectorHandler&>(*handler).slots()) {
                if (slot.isnumber()) {
                    sink.number(slot.numbervalue());
                } else {
                    sink.value(slot.object());
                }
            }
            return true;
        }
        VornScriptObjectList elements;
        if (!value->getvectorelements(elements, error)) {
            return false;
        }
        for (const VornScriptObjectPtr& element : elements) {
            sink.value(element.get());
        }
        return true;
    }
    if (value->getobjecttype() == VornObjectType::structure) {
        std::vector<std::string> names;
        if (!value->getstructurefields(names, error)) {
            return false;
        }
        for (const std::string& name : names) {
            VornScriptObjectPtr member;
            if (!value->getstructuremember(name, member, error)) {
                return false;
            }
            sink.value(member.get());
        }
        return true;
    }
    sink.value(value.get());
    return true;
}

// The texts as a list.
struct CollectSink {
    std::vector<std::string>& texts;
    void value(const VornScriptObject* text) {
        texts.push_back(text != nullptr ? text->tostring() : std::string());
    }
    void number(int64_t number) { texts.push_back(longtext(number)); }
};

// The texts written one after the other into one text, separated.
struct JoinSink {
    std::string& out;
    std::string_view separator;
    bool first = true;
    void next() {
        if (!first) {
            out.append(separator);
        }
        first = false;
    }
    void value(const VornScriptObject* text) {
        next();
        if (text != nullptr) {
            text->appendstring(out);
        }
    }
    void number(int64_t number) {
        next();
        appendlongtext(out, number);
    }
};

// Checks the arguments from [first] to before [last] as
// collectargumenttexts does and hands their texts to [sink].
template <class Sink>
bool eachargumenttext(VornSystemCall& call, size_t first, size_t last, bool collectiononly,
                      Sink& sink) {
    const auto& arguments = call.arguments;
    if (collectiononly && last == first + 1) {
        const VornScriptObjectPtr& only = arguments[first];
        if (isundefined(only) || (only->getobjecttype() != VornObjectType::vector &&
                                  only->getobjecttype() != VornObjectType::structure)) {
            return fail(call, "structure or vector expected");
        }
    }
    for (size_t index = first; index < last; ++index) {
        if (!eachtext(arguments[index], sink, call.error)) {
            return false;
        }
    }
    return true;
}

// A length or position argument: a number of at least 0.
bool readcount(const VornScriptObjectPtr& value, int64_t& count) {
    return readwholenumber(value, count) && count >= 0;
}

} // namespace

ArgumentText::ArgumentText(const VornScriptObjectPtr& value) {
    if (isundefined(value)) {
        return;
    }
    if (const VornScriptObjectStringHandler* text = value->plainstring()) {
        view_ = text->text();
        return;
    }
    owned_ = value->tostring();
    view_ = owned_;
}

bool readwholenumber(const VornScriptObjectPtr& value, int64_t& number) {
    if (isundefined(value)) {
        return false;
    }
    // The content decides, not the type code: a text "3" is a valid position.
    if (value->readlong(number)) {
        return true;
    }
    double floating = 0;
    if (!value->readdouble(floating) || std::isnan(floating)) {
        return false;
    }
    constexpr double limit = 9.2e18; // inside the int64 range, so the cast is defined
    number = floating >= limit    ? std::numeric_limits<int64_t>::max()
             : floating <= -limit ? std::numeric_limits<int64_t>::min()
                                  : static_cast<int64_t>(floating);
    return true;
}

bool fail(VornSystemCall& call, const char* phrase) {
    call.error = translate(phrase, messagetag);
    return false;
}

bool failfunction(VornSystemCall& call, const char* phrase) {
    call.error =
        translate("function", messagetag) + " " + call.name + " " + translate(phrase, messagetag);
    return false;
}

VornScriptObjectPtr makestringvector(std::vector<std::string> parts) {
    VornScriptObjectList elements;
    elements.reserve(parts.size());
    for (std::string& part : parts) {
        elements.push_back(makestringvalue(std::move(part)));
    }
    return makehandlervalue(makeref<VornScriptObjectVectorHandler>(std::move(elements)));
}

bool collectargumenttexts(VornSystemCall& call, size_t first, size_t last, bool collectiononly,
                          std::vector<std::string>& texts) {
    CollectSink sink{texts};
    return eachargumenttext(call, first, last, collectiononly, sink);
}

bool joinargumenttexts(VornSystemCall& call, size_t first, size_t last, bool collectiononly,
                       std::string_view separator, std::string& out) {
    JoinSink sink{out, separator};
    return eachargumenttext(call, first, last, collectiononly, sink);
}

bool strlenfunction(VornSystemCall& call) {
    const VornScriptObjectPtr& value = call.arguments[0];
    const int32_t type = isundefined(value) ? VornObjectType::undefined : value->getobjecttype();
    if (type == VornObjectType::string) {
        return succeed(call,
                       makelongvalue(static_cast<int64_t>(ArgumentText(value).view().size())));
    }
    if (type == VornObjectType::vector) {
        int64_t size = 0;
        return value->vectorsize(size, call.error) && succeed(call, makelongvalue(size));
    }
    if (type == VornObjectType::structure) {
        std::vector<std::string> names;
        return value->getstructurefields(names, call.error) &&
               succeed(call, makelongvalue(static_cast<int64_t>(names.size())));
    }
    return fail(call, "expected string or vector or structure");
}

bool isemptyfunction(VornSystemCall& call) {
    const VornScriptObjectPtr& value = call.arguments[0];
    if (isundefined(value)) {
        return succeedbool(call, true);
    }
    if (value->getobjecttype() == VornObjectType::vector) {
        int64_t size = 0;
        return value->vectorsize(size, call.error) && succeedbool(call, size == 0);
    }
    if (value->getobjecttype() == VornObjectType::structure) {
        std::vector<std::string> names;
        return value->getstructurefields(names, call.error) && succeedbool(call, names.empty());
    }
    return succeedbool(call, ArgumentText(value).view().empty());
}

bool midfunction(VornSystemCall& call) {
    int64_t position = 0;
    if (!readcount(call.arguments[1], position)) {
        return fail(call, "mid position argument must be a positive number");
    }
    const ArgumentText text(call.arguments[0]);
    if (isundefined(call.arguments[2])) {
        return succeedtext(call, vornstdstring::mid(text, position));
    }
    int64_t length = 0;
    if (!readcount(call.arguments[2], length)) {
        return fail(call, "mid optional length argument must be a positive number");
    }
    return succeedtext(call, vornstdstring::mid(text, position, length));
}

bool leftfunction(VornSystemCall& call) {
    int64_t length = 0;
    if (!readcount(call.arguments[1], length)) {
        return fail(call, "left optional length position argument must be a positive number");
    }
    return succeedtext(call, vornstdstring::left(ArgumentText(call.arguments[0]), length));
}

bool rightfunction(VornSystemCall& call) {
    int64_t length = 0;
    if (!readcount(call.arguments[1], length)) {
        return fail(call, "right optional length position argument must be a positive number");
    }
    return succeedtext(call, vornstdstring::right(ArgumentText(call.arguments[0]), length));
}

bool fillfunction(VornSystemCall& call) {
    const ArgumentText text(call.arguments[0]);
    int64_t length = 0;
    if (!readcount(call.arguments[2], length)) {
        return fail(call, "fill size must be a positive number");
    }
    int64_t position = 0;
    if (!readcount(call.arguments[1], position) ||
        position > static_cast<int64_t>(text.view().size())) {
        return fail(call, "fill pos must be a positive number inside text");
    }
    return succeedtext(
        call, vornstdstring::fill(text, position, length, ArgumentText(call.arguments[3])));
}

namespace {

// Call keys as the prototype table forms them; a key without ")" is a prefix
// for a variable argument count.
const VornSystemFunctionEntry textentries[] = {
    {"strlen($)", strlenfunction},
    {"length($)", strlenfunction},
    {"size($)", strlenfunction},
    {"isempty($)", isemptyfunction},
    {"mid($$)", midfunction},
    {"mid($$$)", midfunction},
    {"left($$)", leftfunction},
    {"right($$)", rightfunction},
    {"fill($$$$)", fillfunction},
    {"index($$)", indexfunction},
    {"rindex($$)", rindexfunction},
    {"containstext($$)", containsfunction},
    {"textcontains($$)", containsfunction},
    {"textstartswith($$)", startswithfunction},
    {"textendswith($$)", endswithfunction},
    {"strcmp($$)", strcmpfunction},
    {"comparetext($$)", strcmpfunction},
    {"stricmp($$)", stricmpfunction},
    {"comparetextignorecase($$)", stricmpfunction},
    {"comparenumeric($$)", comparenumericfunction},
    {"trim($)", trimfunction},
    {"trimleft($)", trimleftfunction},
    {"trimright($)", trimrightfunction},
    {"escapestring($)", escapestringfunction},
    {"unescapestring($)", unescapestringfunction},
    {"quotestring($)", quotestringfunction},
    {"unquotestring($)", unquotestringfunction},
    {"ord($)", ordfunction},
    {"chr($)", chrfunction},
    {"toupper($)", toupperfunction},
    {"tolower($)", tolowerfunction},
    {"isnumber($)", isnumberfunction},
    {"ishexnumber($)", ishexnumberfunction},
    {"isalpha($)", isalphafunction},
    {"isalphanumeric($)", isalphanumericfunction},
    {"iswhitespace($)", iswhitespacefunction},
    {"split($)", splitfunction},
    {"split($$)", splitfunction},
    {"splitlines($$)", splitlinesfunction},
    {"splitwords($)", splitwordsfunction},
    {"splitwords($$)", splitwordsfunction},
    {"join($$", joinfunction},
    {"concat($", concatfunction},
    {"parseintrangelist($)", parseintrangelistfunction},
    {"makecsvline($$)", makecsvlinefunction},
    {"parsecsvline($)", parsecsvlinefunction},
    {"parsecsvline($$)", parsecsvlinefunction},
    {"splitcsvlines($)", splitcsvlinesfunction},
    {"splitcsvlines($$)", splitcsvlinesfunction},
    {"replace($$$)", replacefunction},
    {"replace($$$$)", replacefunction},
    {"defaultreplaceoptions()", defaultreplaceoptionsfunction},
    {"like($$)", likefunction},
    {"match($$", matchfunction},
    {"substitute($$$)", substitutefunction},
    {"substitute($$$$)", substitutefunction},
};

} // namespace

} // namespace textfunctions

VornSystemFunctionTable textfunctiontable() {
    return textfunctions::textentries;
}

} // namespace vornscript
