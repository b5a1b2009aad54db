// The regular-expression wrapper: pattern cache, guarded engine calls and the
// ECMAScript replace format.
#include "support/regularexpression.h"

#include "support/phrasetranslator.h"

#include <algorithm>
#include <boost/regex.hpp>
#include <cstdint>

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
    // Use counter value of the last hit; the entry with the smallest is evicted.
    uint64_t lastuse;
};

bool isblankbyte(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// Boost.Regex 1.74 loops forever on a comment group after a possessive
// quantifier when more pattern follows ("a++(?#c)b"): its check for a
// second quantifier skips the comment and then never stops. A comment
// matches nothing, so those comments (with the blanks between them, which
// the engine skips there in free-spacing mode) are dropped before the engine
// sees the pattern. Returns the pattern, or [shortened] holding it without them.
std::string_view withoutstuckcomments(std::string_view pattern, std::string& shortened) {
    if (pattern.find("(?#") == std::string_view::npos) {
        return pattern;
    }
    shortened.clear();
    bool inclass = false;
    bool afterquantifier = false;
    size_t position = 0;
    while (position < pattern.size()) {
        const char c = pattern[position];
        if (c == '\\') {
            shortened.append(pattern.substr(position, 2));
            position += 2;
            afterquantifier = false;
            continue;
        }
        shortened.push_back(c);
        ++position;
        if (inclass) {
            inclass = c != ']';
            continue;
        }
        inclass = c == '[';
        const bool possessive = c == '+' && afterquantifier;
        afterquantifier = !possessive && (c == '*' || c == '+' || c == '?' || c == '}');
        if (!possessive) {
            continue;
        }
        for (size_t next = position;;) {
            while (next < pattern.size() && isblankbyte(pattern[next])) {
                ++next;
            }
            const size_t close = pattern.find(')', next);
            if (pattern.substr(next, 3) != "(?#" || close == std::string_view::npos) {
                break;
            }
            shortened.append(pattern.substr(position, next - position));
            position = next = close + 1;
        }
    }
    return shortened;
}

std::shared_ptr<const VornCompiledRegex> compile(std::string_view pattern, bool ignorecase) {
    thread_local std::vector<CacheEntry> cache;
    thread_local uint64_t usecounter = 0;
    ++usecounter;
    for (CacheEntry& entry : cache) {
        if (entry.ignorecase == ignorecase && entry.pattern == pattern) {
            entry.lastuse = usecounter;
            return entry.compiled;
        }
    }
    boost::regex::flag_type flags = syntaxflags | (ignorecase ? boost::regex::icase : 0);
    std::shared_ptr<const VornCompiledRegex> compiled;
    std::string shortened;
    const std::string_view enginepattern = withoutstuckcomments(pattern, shortened);
    try {
        compiled = std::make_shared<const VornCompiledRegex>(VornCompiledRegex{boost::regex(
            enginepattern.data(), enginepattern.data() + enginepattern.size(), flags)});
    } catch (const std::runtime_error& error) {
        throw VornRegularExpressionError(error.what());
    }
    CacheEntry added{std::string(pattern), ignorecase, compiled, usecounter};
    if (cache.size() < cachecapacity) {
        cache.push_back(std::move(added));
    } else {
        *std::min_element(cache.begin(), cache.end(), [](const CacheEntry& a, const CacheEntry& b) {
            return a.lastuse < b.lastuse;
        }) = std::move(added);
    }
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
    match.groups.reserve(found.size());
    for (size_t i = 0; i < found.size(); ++i) {
        if (found[i].matched) {
            match.groups.emplace_back(found[i].first - text.data(), found[i].length());
        } else {
            match.groups.emplace_back(-1, 0);
        }
    }
}

// The engine's result and our view of it for one walk over the matches,
// kept per thread so that a loop of walks allocates nothing. [visit] may run
// script code that walks again, so each nesting level leases its own pair.
struct SearchScratch {
    boost::cmatch found;
    VornRegexMatch match;
};

class ScratchLease {
public:
    ScratchLease() {
        Pool& pool = thepool();
        if (pool.leased == pool.items.size()) {
            pool.items.push_back(std::make_unique<SearchScratch>());
        }
        scratch = pool.items[pool.leased++].get();
    }
    ~ScratchLease() { --thepool().leased; }
    ScratchLease(const ScratchLease&) = delete;
    ScratchLease& operator=(const ScratchLease&) = delete;

    SearchScratch* operator->() const { return scratch; }

private:
    struct Pool {
        std::vector<std::unique_ptr<SearchScratch>> items;
        size_t leased = 0;
    };
    static Pool& thepool() {
        thread_local Pool pool;
        return pool;
    }
    SearchScratch* scratch;
};

// Calls [visit] for each match left to right until it returns false. Only the
// engine's steps are guarded: errors thrown by [visit] pass unchanged. The
// steps are those of boost::cregex_iterator (after an empty match the next
// search may not match empty at its start), without the iterator's shared
// state and copy of the expression.
template <typename Visitor>
void visitmatches(const boost::regex& engine, std::string_view text, Visitor&& visit) {
    const ScratchLease scratch;
    boost::cmatch& found = scratch->found;
    VornRegexMatch& match = scratch->match;
    const char* const begin = text.data();
    bool more = guarded([&] { return boost::regex_search(begin, textend(text), found, engine); });
    while (more) {
        fillmatch(found, text, match);
        if (!visit(match)) {
            return;
        }
        const boost::match_flag_type flags = found.length() == 0
                                                 ? boost::regex_constants::match_not_initial_null
                                                 : boost::regex_constants::match_default;
        const char* const nextstart = found[0].second;
        more = guarded([&] {
            return boost::regex_search(nextstart, textend(text), found, engine, flags, begin);
        });
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
    thread_local boost::cmatch found;
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
