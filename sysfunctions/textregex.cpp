// Replace, wildcard and regular-expression functions, and the regular
// expression test shared with the operators =~ and !~. Every regular
// expression goes through the string library's one engine wrapper; its
// exception never leaves this file, it becomes the function's message.
#include "support/phrasetranslator.h"
#include "support/regularexpression.h"
#include "support/replaceoptions.h"
#include "support/wildcard.h"
#include "sysfunctions/textfunctions.h"
#include "sysfunctions/textfunctionsupport.h"
#include "values/structurehandler.h"

#include <boost/container/small_vector.hpp>

#include <string>

namespace vornscript {

namespace {

constexpr const char* syntaxerrorphrase = "regular expression syntax error";

// Searches [pattern] in [text]; [match] receives the first match when given.
bool searchregex(std::string_view text, std::string_view pattern,
                 vornstdstring::VornRegexMatch* match, bool& found, std::string& error) {
    try {
        const vornstdstring::VornRegularExpression expression(pattern, false);
        found = match != nullptr ? expression.search(text, *match) : expression.search(text);
        return true;
    } catch (const vornstdstring::VornRegularExpressionError&) {
        error = translate(syntaxerrorphrase, "interpreter");
        return false;
    }
}

} // namespace

bool scriptregexmatch(std::string_view text, std::string_view pattern, bool& matched,
                      std::string& error) {
    return searchregex(text, pattern, nullptr, matched, error);
}

bool readsargumentsonly(VornSystemFunctionImpl impl) {
    // match writes only to outputs bound to variables, which a literal never is.
    return impl == textfunctions::matchfunction || impl == textfunctions::substitutefunction;
}

namespace textfunctions {

namespace {

// The options of replace: the defaults, overridden by the members of a
// structure that are present and defined.
vornstdstring::VornReplaceOptions readreplaceoptions(const VornScriptObjectPtr& structure) {
    vornstdstring::VornReplaceOptions options;
    if (isundefined(structure) || structure->getobjecttype() != VornObjectType::structure) {
        return options;
    }
    for (const vornstdstring::VornReplaceOptionField& field :
         vornstdstring::replaceoptionfields()) {
        VornScriptObjectPtr member;
        std::string missing;
        if (structure->getstructuremember(std::string(field.name), member, missing) &&
            !isundefined(member)) {
            options.*field.member = member->istrue();
        }
    }
    return options;
}

} // namespace

bool replacefunction(VornSystemCall& call) {
    const ArgumentText text(call.arguments[0]);
    const ArgumentText pattern(call.arguments[1]);
    const ArgumentText replacement(call.arguments[2]);
    const vornstdstring::VornReplaceOptions options = readreplaceoptions(call.arguments[3]);
    try {
        return succeedtext(call, vornstdstring::replace(text, pattern, replacement, options));
    } catch (const vornstdstring::VornRegularExpressionError& error) {
        call.error = error.what();
        return false;
    }
}

bool defaultreplaceoptionsfunction(VornSystemCall& call) {
    const vornstdstring::VornReplaceOptions defaults;
    VornScriptMemberMap members;
    for (const vornstdstring::VornReplaceOptionField& field :
         vornstdstring::replaceoptionfields()) {
        members.emplace(field.name, makeboolvalue(defaults.*field.member));
    }
    return succeed(call,
                   makehandlervalue(makeref<VornScriptObjectStructureHandler>(std::move(members))));
}

bool likefunction(VornSystemCall& call) {
    const ArgumentText text(call.arguments[0]);
    const ArgumentText pattern(call.arguments[1]);
    return succeedbool(call, vornstdstring::like(text, pattern, false));
}

bool matchfunction(VornSystemCall& call) {
    // Reused: nothing between the search and the copies below runs script
    // code, so no other search can meet this match half read.
    thread_local vornstdstring::VornRegexMatch match;
    bool found = false;
    // Outputs are the arguments after the pattern that are bound to variables;
    // null (or any other temporary) only holds a place.
    const auto isoutput = [&](size_t index) {
        const VornScriptObjectPtr& output = call.arguments[index];
        return output && !output->getname().empty();
    };
    // The group texts of the outputs are copied before any output is
    // assigned, since an output variable may be the very value the match
    // views. Only groups that reach an output are copied.
    boost::container::small_vector<std::string, 8> texts;
    {
        const ArgumentText text(call.arguments[0]);
        if (!searchregex(text, ArgumentText(call.arguments[1]), &match, found, call.error)) {
            return false;
        }
        for (size_t index = 2;
             found && index - 2 < match.groupcount() && index < call.arguments.size(); ++index) {
            if (isoutput(index)) {
                texts.emplace_back(match.group(index - 2));
            }
        }
    }
    auto nexttext = texts.begin();
    for (size_t index = 2; index < call.arguments.size(); ++index) {
        if (!isoutput(index)) {
            continue;
        }
        VornScriptObject& output = *call.arguments[index];
        bool assigned = false;
        if (nexttext == texts.end()) {
            assigned = output.assign(makeundefinedvalue(), call.error);
        } else if (output.getobjecttype() != VornObjectType::string &&
                   output.plainstring() == nullptr) {
            // What assigning a new text value does to an output that holds
            // no text, without making that value and a copy of it.
            assigned = output.setstring(*nexttext++, call.error);
        } else {
            assigned = output.assign(makestringvalue(std::move(*nexttext++)), call.error);
        }
        if (!assigned) {
            return false;
        }
    }
    return succeedbool(call, found);
}

bool substitutefunction(VornSystemCall& call) {
    const ArgumentText text(call.arguments[0]);
    const ArgumentText pattern(call.arguments[1]);
    const ArgumentText format(call.arguments[2]);
    const ArgumentText flags(call.arguments[3]);
    try {
        return succeedtext(call, vornstdstring::regexreplace(text, pattern, format, flags));
    } catch (const vornstdstring::VornRegularExpressionError&) {
        return fail(call, syntaxerrorphrase);
    }
}

} // namespace textfunctions

} // namespace vornscript
