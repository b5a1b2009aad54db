// The one wrapper around the regular-expression engine (Boost.Regex with the
// ECMAScript grammar) used by match, substitute, =~, grep and replace.
// Compiled patterns come from a small per-thread cache keyed by pattern and
// case flag, because scripts match the same pattern in loops. A pattern that
// does not compile, or a match too complex for the engine, raises
// VornRegularExpressionError; the engine never recurses on the C++ stack.
#pragma once

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vornstdstring {

// what() is the script-visible "regular expression error"; [enginemessage]
// keeps the engine's own description for logs and diagnostics.
class VornRegularExpressionError : public std::runtime_error {
public:
    explicit VornRegularExpressionError(std::string enginemessage);
    const std::string& enginemessage() const { return enginemessage_; }

private:
    std::string enginemessage_;
};

// One match found in [text]. Group 0 is the whole match; each group is stored
// as (position, length) in [text], position -1 for a group that took no part.
struct VornRegexMatch {
    std::string_view text;
    std::vector<std::pair<long, long>> groups;

    size_t groupcount() const { return groups.size(); }
    bool matched(size_t group) const { return group < groups.size() && groups[group].first >= 0; }
    // The group's text, empty when it did not take part.
    std::string_view group(size_t group) const;
};

struct VornCompiledRegex; // the engine's object, defined in the .cpp

class VornRegularExpression {
public:
    // Compiles (or takes from the cache) the pattern; throws on a syntax error.
    VornRegularExpression(std::string_view pattern, bool ignorecase);

    // True when the expression matches somewhere in the text.
    bool search(std::string_view text) const;
    // The same, filling [match] with the first match and its groups.
    bool search(std::string_view text, VornRegexMatch& match) const;
    // True when the expression matches the whole text.
    bool matchwhole(std::string_view text) const;
    // Calls [visit] for each match from left to right (an empty match never
    // repeats at the same place); [visit] returns false to stop early.
    void foreachmatch(std::string_view text,
                      const std::function<bool(const VornRegexMatch&)>& visit) const;
    // Replaces the first or every match by [format], which follows the
    // ECMAScript rules: $& the match, $1 to $99 the groups, $` and $' the
    // texts before and after, $$ a dollar sign; anything else is literal.
    std::string replace(std::string_view text, std::string_view format, bool all) const;

private:
    std::shared_ptr<const VornCompiledRegex> compiled;
};

// Replace driven by flag letters, as substitute and replace use it: "g"
// replaces every match (else the first only), "i" ignores case; other letters
// are accepted and have no effect.
std::string regexreplace(std::string_view text, std::string_view pattern, std::string_view format,
                         std::string_view flags);

} // namespace vornstdstring
