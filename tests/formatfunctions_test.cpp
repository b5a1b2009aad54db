// sprintf's formatting engine (conversions, flags, "*" arguments, the item
// limit, the missing-argument rule and every message), logmessage and the
// clock and calendar functions.
#include "support/logsink.h"
#include "sysfunctions/formatfunctions.h"
#include "systemcalltesthelper.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <regex>

namespace vornscriptunittests {
using namespace vornscript;

namespace {

std::string callformat(const std::string& name, std::vector<VornScriptObjectPtr> arguments) {
    const VornSystemFunctionTable tables[] = {formatfunctiontable()};
    return callsystemfunction(tables, name, std::move(arguments));
}

VornScriptObjectPtr t(const char* text) {
    return textvalue(text);
}

struct SprintfCase {
    std::vector<VornScriptObjectPtr> arguments;
    std::string expected;
};

void checksprintf(const std::vector<SprintfCase>& cases) {
    for (const SprintfCase& row : cases) {
        EXPECT_EQ(callformat("sprintf", row.arguments), row.expected)
            << "format: " << (row.arguments.empty() ? "" : row.arguments[0]->tostring());
    }
}

} // namespace

TEST(FormatFunctions, SprintfConversions) {
    checksprintf({
        {{t("%05d-%s=%c%5.3f"), t("23"), t("tax"), t("43"), t("3.14")}, "00023-tax=+3.140"},
        {{t("%4.3f"), t("3.1415927")}, "3.142"},
        {{t("%04X %03x"), t("63"), t("42")}, "003F 02a"},
        {{t("%+d|%-4d|%u"), t("5"), t("7"), t("8")}, "+5|7   |8"},
        {{t("100%% sure")}, "100% sure"},
        // Whole-number conversions format a 32-bit long.
        {{t("%d"), t("5000000000")}, "705032704"},
        {{t("%x %u"), t("-1"), t("-1")}, "ffffffff 4294967295"},
        // Each letter reads the value its own way.
        {{t("%d %d %d"), t("3.9"), t("-3.9"), t("abc")}, "3 -3 0"},
        {{t("%f|%f"), t("abc"), t("2")}, "0.000000|2.000000"},
        {{t("[%s]"), makeundefinedvalue()}, "[]"},
        {{t("%s"), vectorvalue({t("1"), t("a b")})}, "[1,'a b']"},
        {{t("%.2s|%5s"), t("abcdef"), t("ab")}, "ab|   ab"},
        {{t("%c%c"), t("65"), t("321")}, "AA"},
        // A NUL character ends its item, as a C string would.
        {{t("<%c>"), t("0")}, "<>"},
    });
}

TEST(FormatFunctions, SprintfStarArguments) {
    checksprintf({
        {{t("%0*d-%s=%c%*.*f"), t("5"), t("23"), t("tax"), t("43"), t("5"), t("3"), t("3.14")},
         "00023-tax=+3.140"},
        {{t("%*.*f|"), t("7"), t("3"), t("3.14")}, "  3.140|"},
        // A negative width left-justifies, a negative precision is none.
        {{t("%*d|"), t("-4"), t("7")}, "7   |"},
        {{t("%.*f"), t("-1"), t("3.14")}, "3.140000"},
        {{t("%***d"), t("1"), t("2"), t("3"), t("4")}, "<error> too many format * arguments"},
    });
}

TEST(FormatFunctions, SprintfMissingArgumentsAndErrors) {
    checksprintf({
        // Without values the rest of the format stays as written, "%%" included.
        {{t("a %d b %% c")}, "a %d b %% c"},
        {{t("%d and %d %%"), t("1")}, "1 and %d %%"},
        {{t("%*d"), t("5")}, "%*d"},
        {{t("50% off")}, "50% off"},
        {{t("50%"), t("1")}, "50%"},
        {{t("%5"), t("1")}, "%5"},
        {{t("%q"), t("1")}, "<error> invalid q format character"},
        {{t("%ld"), t("1")}, "<error> invalid l format character"},
        {{t("% d"), t("1")}, "<error> invalid   format character"},
        {{t("")}, "<error> sprintf requires format parameter as first argument"},
        {{makeundefinedvalue(), t("1")},
         "<error> sprintf requires format parameter as first argument"},
    });
}

TEST(FormatFunctions, SprintfItemsAreCutAt1023Bytes) {
    const std::string longtext(2000, 'x');
    EXPECT_EQ(callformat("sprintf", {t("%s!"), t(longtext.c_str())}), std::string(1023, 'x') + "!");
    EXPECT_EQ(callformat("sprintf", {t("%2000d")}), "%2000d");
    EXPECT_EQ(callformat("sprintf", {t("%2000d|"), t("5")}), std::string(1023, ' ') + "|");
    EXPECT_EQ(callformat("sprintf", {t("%-2000d|"), t("5")}),
              std::string("5").append(1022, ' ').append("|"));
    // Absurd widths and precisions give the same cut item, without delay.
    EXPECT_EQ(callformat("sprintf", {t("%*d|"), t("1000000000000"), t("5")}),
              std::string(1023, ' ') + "|");
    EXPECT_EQ(callformat("sprintf", {t("%.99999999999999f|"), t("1")}),
              std::string("1.").append(1021, '0').append("|"));
}

TEST(FormatFunctions, LogmessageWritesOneTimedEntry) {
    std::vector<std::pair<std::string, bool>> lines;
    setlogsink(
        [&lines](const std::string& text, bool withtime) { lines.emplace_back(text, withtime); });
    EXPECT_EQ(callformat("logmessage", {t("hello world")}), "hello world");
    EXPECT_EQ(callformat("logmessage", {t("a"), makeundefinedvalue(), t("3")}), "a3");
    setlogsink(nullptr);
    const std::vector<std::pair<std::string, bool>> expected = {{"hello world", true},
                                                                {"a3", true}};
    EXPECT_EQ(lines, expected);
}

TEST(FormatFunctions, ClockAndCalendar) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);

    const std::string date = callformat("getdatestring", {});
    EXPECT_EQ(date, std::to_string(local.tm_mday) + "." + std::to_string(local.tm_mon + 1) + "." +
                        std::to_string(local.tm_year + 1900));
    EXPECT_TRUE(std::regex_match(callformat("gettimestring", {}),
                                 std::regex("([1-9]|1[0-9]|2[0-3]|0):[0-5][0-9]:[0-5][0-9]")));
    EXPECT_EQ(callformat("gettimestring", {t("9769")}), "2:42:49");
    EXPECT_EQ(callformat("gettimestring", {t("0")}), "0:00:00");
    EXPECT_EQ(callformat("gettimestring", {t("x")}), "0:00:00");

    const std::string datetime = callformat("getdatetime", {});
    EXPECT_TRUE(std::regex_match(datetime, std::regex("\\{day: [0-9]+, hour: [0-9]+, minute: "
                                                      "[0-9]+, month: [0-9]+, second: [0-9]+, "
                                                      "year: 20[2-9][0-9]\\}")))
        << datetime;

    const int64_t seconds = std::stoll(callformat("timeseconds", {}));
    EXPECT_LE(std::abs(seconds - static_cast<int64_t>(now)), 2);

    // The tick count of the monotonic clock, cut to 32 bits.
    using namespace std::chrono;
    const auto ticks = static_cast<uint32_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    const int64_t milliseconds = std::stoll(callformat("timemilliseconds", {}));
    EXPECT_GE(milliseconds, 0);
    EXPECT_LE(milliseconds, int64_t{0xFFFFFFFF});
    EXPECT_LE(static_cast<uint32_t>(milliseconds) - ticks, 1000u);
}

} // namespace vornscriptunittests
