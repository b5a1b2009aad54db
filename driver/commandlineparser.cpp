// Command-line parsing: option lookup by abbreviation, value checks by kind,
// unregistered options, positional limits and the two passes around the
// settings file. Error texts are a translated phrase (tag VORNARG) followed
// by the option's registered name or the offending word.
#include "driver/commandlineparser.h"

#include "support/numbertext.h"
#include "support/phrasetranslator.h"
#include "support/stringbasics.h"

#include <algorithm>
#include <array>

namespace vornscript {

namespace {

constexpr std::string_view messagetag = "VORNARG";

constexpr std::array<std::string_view, 3> truewords = {"true", "yes", "1"};
constexpr std::array<std::string_view, 3> falsewords = {"false", "no", "0"};

bool isoneof(std::string_view word, const std::array<std::string_view, 3>& words) {
    return std::any_of(words.begin(), words.end(), [word](std::string_view candidate) {
        return vornstdstring::isequalnocase(word, candidate);
    });
}

size_t commonprefixlength(std::string_view argument, std::string_view name) {
    size_t length = 0;
    while (length < argument.size() && length < name.size() && argument[length] == name[length]) {
        ++length;
    }
    return length;
}

} // namespace

void VornCommandLineParser::registeroption(std::string_view registeredname, VornOptionKind kind,
                                           bool required, bool valuefromnextargument) {
    VornOptionRecord option;
    size_t marker = registeredname.find('*');
    if (marker == std::string_view::npos) {
        option.name = registeredname;
    } else {
        option.name = std::string(registeredname.substr(0, marker)) +
                      std::string(registeredname.substr(marker + 1));
        option.minimumlength = marker;
    }
    option.kind = kind;
    option.required = required;
    option.valuefromnextargument = valuefromnextargument;
    options_.push_back(std::move(option));
}

void VornCommandLineParser::setpositionallimits(size_t minimum, size_t maximum) {
    minimumpositionals_ = minimum;
    maximumpositionals_ = maximum;
}

const VornOptionRecord* VornCommandLineParser::findoption(std::string_view argument) const {
    const VornOptionRecord* best = nullptr;
    size_t bestlength = 0;
    for (const VornOptionRecord& option : options_) {
        size_t shared = commonprefixlength(argument, option.name);
        size_t needed = option.minimumlength == 0 ? option.name.size() : option.minimumlength;
        bool endsthere = shared == argument.size() || argument[shared] == '=';
        if (shared >= needed && endsthere && (best == nullptr || shared > bestlength)) {
            best = &option;
            bestlength = shared;
        }
    }
    return best;
}

const VornOptionRecord* VornCommandLineParser::findrecord(std::string_view name) const {
    auto found =
        std::find_if(options_.begin(), options_.end(),
                     [name](const VornOptionRecord& option) { return option.name == name; });
    return found == options_.end() ? nullptr : &*found;
}

bool VornCommandLineParser::fail(std::string_view phrase, std::string_view suffix) {
    errortext_ = translate(std::string(phrase), std::string(messagetag));
    errortext_ += suffix;
    return false;
}

void VornCommandLineParser::reset() {
    values_.clear();
    positionals_.clear();
    errortext_.clear();
    for (VornOptionRecord& option : options_) {
        option.present = false;
    }
}

bool VornCommandLineParser::parse(const std::vector<std::string>& words,
                                  const VornSettingsLookup& settings) {
    reset();
    programname_ = words.empty() ? std::string() : words.front();
    // The first pass lets the settings lookup see the command line (it could
    // name another settings file); its values are then discarded.
    if (!parsewords(words)) {
        return false;
    }
    reset();
    if (settings && !applysettings(settings)) {
        return false;
    }
    if (!parsewords(words)) {
        return false;
    }
    for (const VornOptionRecord& option : options_) {
        if (option.required && !option.present) {
            return fail("required option missing", ": -" + option.name);
        }
    }
    return true;
}

// Empty settings values count as absent: a blanked key must not switch an
// option on (an empty "tests" would otherwise start every self-test).
bool VornCommandLineParser::applysettings(const VornSettingsLookup& settings) {
    for (VornOptionRecord& option : options_) {
        std::optional<std::string> value = settings(option.name);
        if (value && !value->empty() && !setoptionvalue(option, *value)) {
            return false;
        }
    }
    return true;
}

// Only "-" words are always options: on Linux a "/" word is usually a path,
// so it is an option only when it names a registered one ("/?", "/help").
bool VornCommandLineParser::parsewords(const std::vector<std::string>& words) {
    bool positionalseen = false;
    for (size_t index = 1; index < words.size(); ++index) {
        const std::string& word = words[index];
        if (!positionalseen && !word.empty() &&
            (word.front() == '-' ||
             (word.front() == '/' && findoption(std::string_view(word).substr(1)) != nullptr))) {
            if (!parseoption(words, index)) {
                return false;
            }
            continue;
        }
        positionalseen = true;
        if (positionals_.size() >= maximumpositionals_) {
            return fail("invalid argument", ": " + word);
        }
        positionals_.push_back(word);
    }
    if (positionals_.size() < minimumpositionals_) {
        return fail("not enough arguments", "");
    }
    return true;
}

bool VornCommandLineParser::parseoption(const std::vector<std::string>& words, size_t& index) {
    const std::string& word = words[index];
    std::string_view argument = std::string_view(word).substr(1);
    const VornOptionRecord* found = findoption(argument);
    if (found == nullptr) {
        if (!acceptunregistered_) {
            return fail("invalid option", ": " + word);
        }
        size_t equals = argument.find('=');
        std::string name(argument.substr(0, equals));
        if (!name.empty()) {
            values_[name] = equals == std::string_view::npos
                                ? std::string("1")
                                : std::string(argument.substr(equals + 1));
        }
        return true;
    }
    VornOptionRecord& option = options_[static_cast<size_t>(found - options_.data())];
    std::string_view rest = argument.substr(commonprefixlength(argument, option.name));
    if (!rest.empty()) { // findoption guarantees it starts with "="
        return setoptionvalue(option, std::string(rest.substr(1)));
    }
    if (option.valuefromnextargument) {
        if (index + 1 >= words.size()) {
            return fail("option needs a value parameter", ": -" + option.name);
        }
        return setoptionvalue(option, words[++index]);
    }
    static constexpr std::array<std::string_view, 3> defaultvalues = {"", "1", "0"};
    return setoptionvalue(option, std::string(defaultvalues[static_cast<size_t>(option.kind)]));
}

bool VornCommandLineParser::setoptionvalue(VornOptionRecord& option, const std::string& value) {
    if (option.kind == VornOptionKind::boolean && !isoneof(value, truewords) &&
        !isoneof(value, falsewords)) {
        return fail("option needs a value true/false/yes/no/1/0", ": -" + option.name);
    }
    if (option.kind == VornOptionKind::number && !parsenumbertext(value)) {
        return fail("option needs a number value", ": -" + option.name);
    }
    values_[option.name] = value;
    option.present = true;
    return true;
}

bool VornCommandLineParser::isset(std::string_view name) const {
    auto found = values_.find(name);
    return ispresent(name) && found != values_.end() && isoneof(found->second, truewords);
}

std::string VornCommandLineParser::value(std::string_view name) const {
    auto found = values_.find(name);
    return found == values_.end() ? std::string() : found->second;
}

bool VornCommandLineParser::ispresent(std::string_view name) const {
    const VornOptionRecord* option = findrecord(name);
    return option != nullptr ? option->present : values_.find(name) != values_.end();
}

VornCommandLineParser& commandlineparser() {
    static VornCommandLineParser parser;
    return parser;
}

} // namespace vornscript
