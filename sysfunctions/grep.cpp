// grepkeys and grepvalues: the members (elements) of a collection whose keys
// (values) satisfy every (operator, value) pair, or match one regular
// expression. The pairs are turned into conditions once, with their operand
// key, list items and compiled expression, before the entries are visited.
// Unlike the language's comparison operators, grep never fails on a number
// meeting a text: such pairs compare as texts.
#include "sysfunctions/collectionfunctions.h"

#include "interpreter/raise.h"
#include "support/regularexpression.h"
#include "sysfunctions/collectioncompare.h"
#include "sysfunctions/collectionsupport.h"
#include "values/conversions.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>
#include <vector>

namespace vornscript {

namespace {

enum class GrepOperator {
    equal,
    notequal,
    less,
    lessequal,
    greater,
    greaterequal,
    in,
    notin,
    matches,
    notmatches
};

struct GrepOperatorName {
    std::string_view name;
    GrepOperator op;
};

constexpr std::array<GrepOperatorName, 15> operatornames{{
    {"", GrepOperator::equal},
    {"=", GrepOperator::equal},
    {"==", GrepOperator::equal},
    {"!=", GrepOperator::notequal},
    {"!", GrepOperator::notequal},
    {"<>", GrepOperator::notequal},
    {"<", GrepOperator::less},
    {"<=", GrepOperator::lessequal},
    {">", GrepOperator::greater},
    {">=", GrepOperator::greaterequal},
    {"in", GrepOperator::in},
    {"!in", GrepOperator::notin},
    {"=~", GrepOperator::matches},
    {"~", GrepOperator::matches},
    {"!~", GrepOperator::notmatches},
}};

// The texts of one grep function's messages.
struct GrepMessages {
    const char* pairsfirstparameter; // operator form, wrong first argument
    const char* pairs;               // operator form, odd argument count
    const char* regexfirstparameter; // regular-expression form, wrong first argument
};

constexpr GrepMessages grepkeysmessages{
    "grepkeys(structure,operator,value,...) requires a structure object as first parameter",
    "grepkeys(structure,operator,value,...) requires pairs of operator names and values",
    "grepkeys(structure,regex) requires a structure object as first parameter"};

constexpr GrepMessages grepvaluesmessages{
    "grepvalues(collection,operator,value,...) requires a structure or vector object as first "
    "parameter",
    "grepvalues(collection,operator,value,...) requires pairs of operator names and values",
    "grepvalues(collection,regex) requires a structure or vector as first parameter"};

// One item of an "in" list: a text, or a range of whole numbers "a-b".
struct ListItem {
    std::string text;
    std::optional<std::pair<int64_t, int64_t>> range;
};

std::string_view trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::vector<ListItem> listitems(std::string_view list) {
    std::vector<ListItem> items;
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find_first_of(",;", start);
        end = end == std::string_view::npos ? list.size() : end;
        const std::string_view text = trimmed(list.substr(start, end - start));
        ListItem item{std::string(text), std::nullopt};
        // The dash after the first character, so "-3" stays a number.
        if (const size_t dash = text.find('-', 1); dash != std::string_view::npos) {
            const VornNumberReading from = readnumbertext(text.substr(0, dash));
            const VornNumberReading till = readnumbertext(text.substr(dash + 1));
            if (from.kind == VornNumberKind::integer && till.kind == VornNumberKind::integer) {
                item.range.emplace(from.longvalue, till.longvalue);
            }
        }
        items.push_back(std::move(item));
        start = end + 1;
    }
    return items;
}

bool inlist(const std::vector<ListItem>& items, const VornCompareKey& subject) {
    const bool whole = subject.number.kind == VornNumberKind::integer;
    for (const ListItem& item : items) {
        if (item.text == subject.text ||
            (whole && item.range && item.range->first <= subject.number.longvalue &&
             subject.number.longvalue <= item.range->second)) {
            return true;
        }
    }
    return false;
}

struct GrepCondition {
    GrepOperator op;
    VornCompareKey operand;
    std::vector<ListItem> items;                               // for in and !in
    std::optional<vornstdstring::VornRegularExpression> regex; // for the matches
};

bool holds(const GrepCondition& condition, const VornCompareKey& subject) {
    switch (condition.op) {
    case GrepOperator::in:
        return inlist(condition.items, subject);
    case GrepOperator::notin:
        return !inlist(condition.items, subject);
    case GrepOperator::matches:
        return condition.regex->search(subject.text);
    case GrepOperator::notmatches:
        return !condition.regex->search(subject.text);
    default:
        break;
    }
    const int order = comparekeys(subject, condition.operand, true, false);
    switch (condition.op) {
    case GrepOperator::equal:
        return order == 0;
    case GrepOperator::notequal:
        return order != 0;
    case GrepOperator::less:
        return order < 0;
    case GrepOperator::lessequal:
        return order <= 0;
    case GrepOperator::greater:
        return order > 0;
    default:
        return order >= 0;
    }
}

// The conditions of the (operator, value) arguments after the collection.
bool readconditions(VornSystemCall& call, std::vector<GrepCondition>& conditions) {
    for (size_t i = 1; i + 1 < call.arguments.size(); i += 2) {
        const std::string name = call.arguments[i]->tostring();
        const auto* entry = std::find_if(
            operatornames.begin(), operatornames.end(),
            [&name](const GrepOperatorName& candidate) { return candidate.name == name; });
        if (entry == operatornames.end()) {
            return failcall(call, interpretermessage("invalid compare operator"));
        }
        GrepCondition condition{entry->op, makecomparekey(call.arguments[i + 1]), {}, {}};
        if (condition.op == GrepOperator::in || condition.op == GrepOperator::notin) {
            condition.items = listitems(condition.operand.text);
        } else if (condition.op == GrepOperator::matches ||
                   condition.op == GrepOperator::notmatches) {
            condition.regex.emplace(condition.operand.text, false);
        }
        conditions.push_back(std::move(condition));
    }
    return true;
}

bool isstructure(const VornScriptObjectPtr& value) {
    return value->getobjecttype() == VornObjectType::structure;
}

bool iscollection(const VornScriptObjectPtr& value) {
    return isstructure(value) || value->getobjecttype() == VornObjectType::vector;
}

template <bool bykey> bool grep(VornSystemCall& call) {
    const GrepMessages& messages = bykey ? grepkeysmessages : grepvaluesmessages;
    const VornScriptObjectPtr& collection = call.arguments[0];
    const bool regexform = call.arguments.size() == 2;
    if (!(bykey ? isstructure(collection) : iscollection(collection))) {
        return failcall(call, interpretermessage(regexform ? messages.regexfirstparameter
                                                           : messages.pairsfirstparameter));
    }
    if (!regexform && call.arguments.size() % 2 == 0) {
        return failcall(call, interpretermessage(messages.pairs));
    }
    std::vector<std::string> names;
    VornScriptObjectList values;
    if (!collectionentries(collection, names, values, call.error)) {
        return false;
    }
    try {
        std::vector<GrepCondition> conditions;
        if (regexform) {
            conditions.push_back({GrepOperator::matches, {}, {}, {}});
            conditions.back().regex.emplace(call.arguments[1]->tostring(), false);
        } else if (!readconditions(call, conditions)) {
            return false;
        }
        VornScriptMemberMap members;
        VornScriptObjectList elements;
        for (size_t i = 0; i < values.size(); ++i) {
            const VornCompareKey subject =
                bykey ? makecomparekey(names[i]) : makecomparekey(values[i]);
            if (!std::all_of(conditions.begin(), conditions.end(),
                             [&subject](const GrepCondition& c) { return holds(c, subject); })) {
                continue;
            }
            VornScriptObjectPtr copy =
                values[i] ? copyelementvalue(values[i]) : makeundefinedvalue();
            if (isstructure(collection)) {
                members.emplace(names[i], std::move(copy));
            } else {
                elements.push_back(std::move(copy));
            }
        }
        call.result = isstructure(collection) ? makestructurevalue(std::move(members))
                                              : makevectorvalue(std::move(elements));
        return true;
    } catch (const vornstdstring::VornRegularExpressionError& error) {
        return failcall(call, error.what());
    }
}

constexpr VornSystemFunctionEntry entries[] = {
    {"grepkeys($", grep<true>},
    {"grepvalues($", grep<false>},
};

} // namespace

VornSystemFunctionTable grepfunctiontable() {
    return entries;
}

} // namespace vornscript
