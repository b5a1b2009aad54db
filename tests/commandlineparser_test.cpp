// Command-line parsing: abbreviation lookup over the program's own option
// table, value checks by kind, unregistered and positional arguments, error
// texts, and the two passes around the settings file.
#include "driver/commandlineparser.h"
#include "driver/programentry.h"

#include <gtest/gtest.h>

namespace vornscriptunittests {
using vornscript::VornCommandLineParser;
using vornscript::VornOptionKind;

namespace {

VornCommandLineParser programparser() {
    VornCommandLineParser parser;
    vornscript::registerprogramoptions(parser);
    return parser;
}

std::vector<std::string> commandline(std::initializer_list<const char*> arguments) {
    std::vector<std::string> words{"vornscript"};
    words.insert(words.end(), arguments.begin(), arguments.end());
    return words;
}

// "name=value" pairs in map order, joined with ","; then "|" and the positionals.
std::string parsedtext(const VornCommandLineParser& parser) {
    std::string text;
    for (const auto& [name, value] : parser.values()) {
        text += (text.empty() ? "" : ",") + name + "=" + value;
    }
    text += "|";
    for (const std::string& word : parser.positionals()) {
        text += (text.back() == '|' ? "" : ",") + word;
    }
    return text;
}

// The parse result as one text: the parsed values or "error: " and the text.
std::string parseresult(VornCommandLineParser& parser, const std::vector<std::string>& words,
                        const vornscript::VornSettingsLookup& settings = {}) {
    return parser.parse(words, settings) ? parsedtext(parser) : "error: " + parser.errortext();
}

} // namespace

TEST(CommandLineParser, AbbreviationsSelectTheProgramOptions) {
    const VornCommandLineParser parser = programparser();
    struct Row {
        const char* argument;
        const char* option; // "" when no option qualifies
    } rows[] = {
        {"h", "help"},
        {"he", "help"},
        {"help", "help"},
        {"help=0", "help"},
        {"helpx", ""},
        {"hx", ""},
        {"?", "?"},
        {"??", ""},
        {"d", "debug"},
        {"debugger", ""},
        {"la", ""},
        {"lan", "lang"},
        {"lang=de", "lang"},
        {"c", "check"},
        {"sour", ""},
        {"sourc", "source"},
        {"source=0", "source"},
        {"sourcex", ""},
        {"sc", ""},
        {"s", ""},
        {"scan", "scanner"},
        {"scanne", "scanner"},
        {"scanners", ""},
        {"par", ""},
        {"pars", "parser"},
        {"parse", "parser"},
        {"tes", ""},
        {"test", "tests"},
        {"tests=calc", "tests"},
        {"line", ""},
        {"lines", "lines"},
        {"scrip", ""},
        {"script", "script"},
        {"p", ""},
        {"profile=+count", "profile"},
        {"libpath=a;b", "libpath"},
        {"", ""},
        {"=x", ""},
        {"Help", ""},
    };
    for (const Row& row : rows) {
        const vornscript::VornOptionRecord* found = parser.findoption(row.argument);
        EXPECT_EQ(found == nullptr ? "" : found->name, row.option) << row.argument;
    }
}

TEST(CommandLineParser, TiesGoToTheFirstRegisteredOption) {
    VornCommandLineParser parser;
    parser.registeroption("a*lpha", VornOptionKind::boolean);
    parser.registeroption("a*lps", VornOptionKind::boolean);
    parser.registeroption("alp*ine", VornOptionKind::boolean);
    EXPECT_EQ(parser.findoption("alp")->name, "alpha");
    EXPECT_EQ(parser.findoption("alps")->name, "alps");
    EXPECT_EQ(parser.findoption("alpi")->name, "alpine");
}

TEST(CommandLineParser, ProgramCommandLines) {
    struct Row {
        std::vector<std::string> words;
        const char* expected;
    } rows[] = {
        // options, positionals and where option parsing ends
        {commandline({"-sc"}), "sc=1|"},
        {commandline({"-x=5", "file", "-debug"}), "x=5|file,-debug"},
        {commandline({"-d", "-sourc", "-script", "1+2"}), "debug=1,script=1,source=1|1+2"},
        {commandline({"/?", "/tmp/x.vs", "/h"}), "?=1|/tmp/x.vs,/h"},
        {commandline({"-a=b=c", "-=3", "-", "-lang=a=b"}), "a=b=c,lang=a=b|"},
        {commandline({"-lang", "-tests", "-profile"}), "lang=,profile=,tests=|"},
        {commandline({"-source=YES", "-check=no", "-scan=0"}), "check=no,scanner=0,source=YES|"},
        {commandline({"-source=1", "-source=0"}), "source=0|"},
        // errors name the registered option, not the abbreviation given
        {commandline({"-help=maybe"}), "error: option needs a value true/false/yes/no/1/0: -help"},
        {commandline({"-d=2", "x"}), "error: option needs a value true/false/yes/no/1/0: -debug"},
        {commandline({"-sourc="}), "error: option needs a value true/false/yes/no/1/0: -source"},
    };
    for (const Row& row : rows) {
        VornCommandLineParser parser = programparser();
        EXPECT_EQ(parseresult(parser, row.words), row.expected) << row.words.back();
    }
}

TEST(CommandLineParser, KindsFlagsAndLimits) {
    VornCommandLineParser parser;
    parser.registeroption("n*umber", VornOptionKind::number);
    parser.registeroption("f*ile", VornOptionKind::text, false, true);
    parser.registeroption("r*equired", VornOptionKind::boolean, true);
    parser.setpositionallimits(1, 2);
    struct Row {
        std::vector<std::string> words;
        const char* expected;
    } rows[] = {
        {commandline({"-r", "-n", "a"}), "number=0,required=1|a"},
        {commandline({"-r", "-n=-1.5e3", "a"}), "number=-1.5e3,required=1|a"},
        {commandline({"-r", "-n=+7", "a"}), "number=+7,required=1|a"},
        {commandline({"-r", "-n=1x", "a"}), "error: option needs a number value: -number"},
        {commandline({"-r", "-n=", "a"}), "error: option needs a number value: -number"},
        {commandline({"-r", "-n= 1", "a"}), "error: option needs a number value: -number"},
        {commandline({"-r", "-n=nan", "a"}), "error: option needs a number value: -number"},
        {commandline({"-r", "-f", "-x", "a"}), "file=-x,required=1|a"},
        {commandline({"-r", "-f=y", "a"}), "file=y,required=1|a"},
        {commandline({"-r", "a", "-f"}), "required=1|a,-f"},
        {commandline({"-r", "-f"}), "error: option needs a value parameter: -file"},
        {commandline({"-n", "a"}), "error: required option missing: -required"},
        {commandline({"-r", "-zz", "a"}), "error: invalid option: -zz"},
        {commandline({"-r", "a", "b", "c"}), "error: invalid argument: c"},
        {commandline({"-r"}), "error: not enough arguments"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(parseresult(parser, row.words), row.expected) << row.words[2];
    }
}

TEST(CommandLineParser, QueriesDistinguishSetPresentAndValue) {
    VornCommandLineParser parser = programparser();
    ASSERT_TRUE(parser.parse(commandline({"-source=no", "-d=Yes", "-lang", "-sc", "f"})));
    struct Row {
        const char* name;
        bool set, present;
        const char* value;
    } rows[] = {
        {"source", false, true, "no"}, {"debug", true, true, "Yes"}, {"lang", false, true, ""},
        {"sc", true, true, "1"},       {"check", false, false, ""},  {"f", false, false, ""},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(parser.isset(row.name), row.set) << row.name;
        EXPECT_EQ(parser.ispresent(row.name), row.present) << row.name;
        EXPECT_EQ(parser.value(row.name), row.value) << row.name;
    }
    EXPECT_EQ(parser.programname(), "vornscript");
}

TEST(CommandLineParser, SettingsGiveDefaultsThatTheCommandLineOverrides) {
    using Settings = std::map<std::string, std::string>;
    struct Row {
        Settings settings;
        std::vector<std::string> words;
        const char* expected;
    } rows[] = {
        {{{"source", "1"}}, commandline({"f"}), "source=1|f"},
        {{{"source", "1"}}, commandline({"-source=0", "f"}), "source=0|f"},
        {{{"lang", "de"}, {"debug", "yes"}}, commandline({"-lan=en"}), "debug=yes,lang=en|"},
        {{{"source", "maybe"}},
         commandline({"f"}),
         "error: option needs a value true/false/yes/no/1/0: -source"},
        // keys are full option names; unregistered keys and empty values are not read
        {{{"sourc", "1"}, {"x", "5"}, {"tests", ""}}, commandline({}), "|"},
        {{{"?", "1"}}, commandline({}), "?=1|"},
        // a bad command line fails in the first pass, before the settings
        {{{"source", "maybe"}},
         commandline({"-help=2"}),
         "error: option needs a value true/false/yes/no/1/0: -help"},
    };
    for (const Row& row : rows) {
        VornCommandLineParser parser = programparser();
        auto lookup = [&row](const std::string& name) -> std::optional<std::string> {
            auto found = row.settings.find(name);
            return found == row.settings.end() ? std::nullopt : std::optional(found->second);
        };
        EXPECT_EQ(parseresult(parser, row.words, lookup), row.expected) << row.expected;
    }
}

TEST(CommandLineParser, ParsingAgainStartsFromNothing) {
    VornCommandLineParser parser = programparser();
    ASSERT_TRUE(parser.parse(commandline({"-source", "-x", "a"})));
    ASSERT_TRUE(parser.parse(commandline({"b"})));
    EXPECT_FALSE(parser.ispresent("source"));
    EXPECT_EQ(parsedtext(parser), "|b");
}

} // namespace vornscriptunittests
