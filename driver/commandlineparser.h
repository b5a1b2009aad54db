// The command-line argument parser: registered options matched by leading
// abbreviation ("sourc*e" accepts -sourc and -source), unregistered options
// kept as name/value pairs, and positional arguments. Parsing runs twice: the
// words alone first, then the settings file's defaults with the words parsed
// again on top, so the command line always overrides the settings file.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vornscript {

enum class VornOptionKind { text = 0, boolean = 1, number = 2 };

struct VornOptionRecord {
    std::string name; // registered name without the "*" marker
    VornOptionKind kind = VornOptionKind::text;
    size_t minimumlength = 0; // position of "*"; 0 means the whole name
    bool required = false;
    bool valuefromnextargument = false;
    bool present = false; // seen on the command line or in the settings
};

// Gives the settings file's value for an option's full name, or nullopt.
using VornSettingsLookup = std::function<std::optional<std::string>(const std::string& name)>;

class VornCommandLineParser {
public:
    // The name may carry a "*" marking the shortest accepted abbreviation.
    void registeroption(std::string_view registeredname, VornOptionKind kind, bool required = false,
                        bool valuefromnextargument = false);
    void setpositionallimits(size_t minimum, size_t maximum);
    void setacceptunregistered(bool accept) { acceptunregistered_ = accept; }

    // Parses the words (the first is the program name). The settings lookup
    // is asked for every registered option after the first pass. Returns
    // false with errortext() set on the first failure.
    bool parse(const std::vector<std::string>& words, const VornSettingsLookup& settings = {});

    // Present with a value that reads as true ("1", "true", "yes").
    bool isset(std::string_view name) const;
    // The value text, empty when the option was not given.
    std::string value(std::string_view name) const;
    bool ispresent(std::string_view name) const;

    // Every option value by name, registered and unregistered alike.
    const std::map<std::string, std::string, std::less<>>& values() const { return values_; }
    const std::vector<std::string>& positionals() const { return positionals_; }
    // Script variables for positional arguments are this name with 1, 2, ...
    static constexpr std::string_view positionalname = "param";
    const std::string& programname() const { return programname_; }
    const std::string& errortext() const { return errortext_; }
    const std::vector<VornOptionRecord>& options() const { return options_; }

    // The registered option an argument (text after "-" or "/", possibly with
    // "=value") selects: the qualifying option sharing the most leading
    // characters; nullptr when none qualifies.
    const VornOptionRecord* findoption(std::string_view argument) const;

private:
    void reset();
    bool parsewords(const std::vector<std::string>& words);
    bool applysettings(const VornSettingsLookup& settings);
    bool parseoption(const std::vector<std::string>& words, size_t& index);
    bool setoptionvalue(VornOptionRecord& option, const std::string& value);
    bool fail(std::string_view phrase, std::string_view suffix);
    const VornOptionRecord* findrecord(std::string_view name) const;

    std::vector<VornOptionRecord> options_; // in registration order
    std::map<std::string, std::string, std::less<>> values_;
    std::vector<std::string> positionals_;
    std::string programname_;
    std::string errortext_;
    size_t minimumpositionals_ = 0;
    size_t maximumpositionals_ = static_cast<size_t>(-1);
    bool acceptunregistered_ = false;
};

// The process-wide parser of the program's command line.
VornCommandLineParser& commandlineparser();

} // namespace vornscript
