// The regular-expression wrapper: pattern cache, guarded engine calls and the
// ECMAScript replace format.
#include "support/regularexpression.h"

#include "support/phrasetranslator.h"

#include <algorithm>
#include <boost/regex.hpp>

namespace vornstdstring {

struct VornCompiledRegex {
    boost::regex engine;
};

namespace {

// Patterns kept per thread; a loop over a few patterns never recompiles.
constexpr size_t cachecapacity = 32;

// ECMAScript semantics: "^" and "$" only at the ends of the text, "." never a
// line end (Boost's Perl defaults differ on both).
constexpr boost::regex::flag_type syntaxflags =
    boost::regex::ECMAScript | boost::regex::no_mod_m | boost::regex::no_mod_s;

struct CacheEntry {
    std::string pattern;
    bool ignorecase;
    std::shared_ptr<const VornCompiledRegex> compiled;
};

std::shared_ptr<const VornCompiledRegex> compile(std::string_view pattern, bool ignorecase) {
    thread_local std::vector<CacheEntry> cache;
    for (size_t i = 0; i < cache.size(); ++i) {
        if (cache[i].ignorecase == ignorecase && cache[i].pattern == pattern) {
            // Most recently used first, so the entry evicted is the one unused longest.
            std::rotate(cache.begin(), cache.begin() + static_cast<long>(i),
                        cache.begin() + static_cast<long>(i) + 1);
            return cache.front().compiled;
        }
    }
    boost::regex::flag_type flags = syntaxflags | (ignorecase ? boost::regex::icase : 0);
    std::shared_ptr<const VornCompiledRegex> compiled;
    try {
        compiled = std::make_shared<const VornCompiledRegex>(VornCompiledRegex{
            boost::regex(pattern.data(), pattern.data() + pattern.size(), flags)});
    } catch (const std::runtime_error& error) {
        throw VornRegularExpressionError(error.what());
    }
    if (cache.size() == cachecapacity) {
        cache.pop_back();
    }
    cache.insert(cache.begin(), CacheEntry{std::string(pattern), ignorecase, compiled});
    return compiled;
}

// Runs one engine call, turning the engine's errors (too complex, out of its
// own stack) into ours. Callbacks into script code must stay outside.
template <typename Operation> auto guarded(Operation operation) -> decltype(operation()) {
    try {
        return operation();
    } catch (const std::runtime_error& error) {
        throw VornRegularExpressionError(error.what());
    }
}

const char* textend(std::string_view text) {
    return text.data() + text.size();
}

void fillmatch(const boost::cmatch& found, std::string_view text, VornRegexMatch& match) {
    match.text = text;
    match.groups.clear();
    for (size_t i = 0; i < found.size(); ++i) {
        if (found[i].matched) {
            match.groups.emplace_back(found[i].first - text.data(), found[i].length());
        } else {
            match.groups.emplace_back(-1, 0);
        }
    }
}

// Calls [visit] for each match left to right until it returns false. Only the
// engine's steps are guarded: errors thrown by [visit] pass unchanged.
template <typename Visitor>
void visitmatches(const boost::regex& engine, std::string_view text, Visitor&& visit) {
    const boost::cregex_iterator end;
    boost::cregex_iterator next =
        guarded([&] { return boost::cregex_iterator(text.data(), textend(text), engine); });
    VornRegexMatch match;
    while (next != end) {
        fillmatch(*next, text, match);
        if (!visit(match)) {
            return;
        }
        guarded([&] { ++next; });
    }
}

bool isdigitbyte(char c) {
    return c >= '0' && c <= '9';
}

// Appends [format] with the ECMAScript substitutions of [match].
void appendformatted(std::string& out, std::string_view format, const VornRegexMatch& match) {
    size_t i = 0;
    while (i < format.size()) {
        size_t dollar = format.find('$', i);
        if (dollar == std::string_view::npos || dollar + 1 == format.size()) {
            out += format.substr(i);
            return;
        }
        out += format.substr(i, dollar - i);
        char next = format[dollar + 1];
        i = dollar + 2;
        size_t matchend = static_cast<size_t>(match.groups[0].first + match.groups[0].second);
        if (next == '$') {
            out += '$';
        } else if (next == '&') {
            out += match.group(0);
        } else if (next == '`') {
            out += match.text.substr(0, static_cast<size_t>(match.groups[0].first));
        } else if (next == '\'') {
            out += match.text.substr(matchend);
        } else if (isdigitbyte(next)) {
            size_t number = static_cast<size_t>(next - '0');
            // Two digits name a group only when that group exists ("$10" with
            // one group is group 1 followed by "0").
            if (i < format.size() && isdigitbyte(format[i])) {
                size_t twodigits = number * 10 + static_cast<size_t>(format[i] - '0');
                if (twodigits < match.groupcount()) {
                    number = twodigits;
                    ++i;
                }
            }
            out += match.group(number);
        } else {
            out += format.substr(dollar, 2);
        }
    }
}

} // namespace

VornRegularExpressionError::VornRegularExpressionError(std::string enginemessage)
    : std::runtime_error(vornscript::translate("regular expression error", "regularexpression")),
      enginemessage_(std::move(enginemessage)) {}

std::string_view VornRegexMatch::group(size_t group) const {
    if (!matched(group)) {
        return {};
    }
    return text.substr(static_cast<size_t>(groups[group].first),
                       static_cast<size_t>(groups[group].second));
}

VornRegularExpression::VornRegularExpression(std::string_view pattern, bool ignorecase)
    : compiled(compile(pattern, ignorecase)) {}

bool VornRegularExpression::search(std::string_view text) const {
    // One result object per thread: plain searches in loops allocate nothing.
    thread_local boost::cmatch found;
    return guarded(
        [&] { return boost::regex_search(text.data(), textend(text), found, compiled->engine); });
}

bool VornRegularExpression::search(std::string_view text, VornRegexMatch& match) const {
    boost::cmatch found;
    bool success = guarded(
        [&] { return boost::regex_search(text.data(), textend(text), found, compiled->engine); });
    if (success) {
        fillmatch(found, text, match);
    }
    return success;
}

bool VornRegularExpression::matchwhole(std::string_view text) const {
    thread_local boost::cmatch found;
    return guarded(
        [&] { return boost::regex_match(text.data(), textend(text), found, compiled->engine); });
}

void VornRegularExpression::foreachmatch(
    std::string_view text, const std::function<bool(const VornRegexMatch&)>& visit) const {
    visitmatches(compiled->engine, text, visit);
}

std::string VornRegularExpression::replace(std::string_view text, std::string_view format,
                                           bool all) const {
    std::string result;
    size_t copied = 0; // bytes of [text] already in [result]
    visitmatches(compiled->engine, text, [&](const VornRegexMatch& match) {
        size_t position = static_cast<size_t>(match.groups[0].first);
        result += text.substr(copied, position - copied);
        appendformatted(result, format, match);
        copied = position + static_cast<size_t>(match.groups[0].second);
        return all;
    });
    result += text.substr(copied);
    return result;
}

std::string regexreplace(std::string_view text, std::string_view pattern, std::string_view format,
                         std::string_view flags) {
    bool ignorecase = flags.find('i') != std::string_view::npos;
    bool all = flags.find('g') != std::string_view::npos;
    return VornRegularExpression(pattern, ignorecase).replace(text, format, all);
}

} // namespace vornstdstring
