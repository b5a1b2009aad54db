// sprintf's formatting engine (conversions, flags, "*" arguments, the item
// limit, the missing-argument rule and every message), logmessage and the
// clock and calendar functions.
#include "scripttesthelper.h"
#include "support/logsink.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <regex>

namespace vornscriptunittests {
using namespace vornscript;

TEST(FormatFunctions, SprintfConversions) {
    checkcases({
        {"sprintf('%05d-%s=%c%5.3f', 23, 'tax', 43, 3.14)", "00023-tax=+3.140"},
        {"sprintf('%4.3f', 3.1415927) == '3.142'", "1"},
        {"sprintf('%04X %03x', 63, 0x2A)", "003F 02a"},
        {"sprintf('%+d|%-4d|%u', 5, 7, 8)", "+5|7   |8"},
        {"sprintf('100%% sure')", "100% sure"},
        // Whole-number conversions format a 32-bit long.
        {"sprintf('%d', 5000000000)", "705032704"},
        {"sprintf('%x %u', -1, -1)", "ffffffff 4294967295"},
        // Each letter reads the value its own way.
        {"sprintf('%d %d %d', 3.9, -3.9, 'abc')", "3 -3 0"},
        {"sprintf('%f|%f', 'abc', 2)", "0.000000|2.000000"},
        {"var u; sprintf('[%s]', u)", "[]"},
        {"sprintf('%s', [1, 'a b'])", "[1,'a b']"},
        {"sprintf('%.2s|%5s', 'abcdef', 'ab')", "ab|   ab"},
        {"sprintf('%c%c', 65, 321)", "AA"},
        // A NUL character ends its item, as a C string would.
        {"sprintf('<%c>', 0)", "<>"},
        {"'%d items'.sprintf(3)", "3 items"},
    });
}

TEST(FormatFunctions, SprintfStarArguments) {
    checkcases({
        {"sprintf('%0*d-%s=%c%*.*f', 5, 23, 'tax', 43, 5, 3, 3.14)", "00023-tax=+3.140"},
        {"sprintf('%*.*f|', 7, 3, 3.14)", "  3.140|"},
        // A negative width left-justifies, a negative precision is none.
        {"sprintf('%*d|', -4, 7)", "7   |"},
        {"sprintf('%.*f', -1, 3.14)", "3.140000"},
        {"sprintf('%***d', 1, 2, 3, 4)", "<error> test Line 1 Col 1 too many format * arguments"},
    });
}

TEST(FormatFunctions, SprintfMissingArgumentsAndErrors) {
    checkcases({
        // Without values the rest of the format stays as written, "%%" included.
        {"sprintf('a %d b %% c')", "a %d b %% c"},
        {"sprintf('%d and %d %%', 1)", "1 and %d %%"},
        {"sprintf('%*d', 5)", "%*d"},
        {"sprintf('50% off')", "50% off"},
        {"sprintf('50%', 1)", "50%"},
        {"sprintf('%5', 1)", "%5"},
        {"sprintf('%q', 1)", "<error> test Line 1 Col 1 invalid q format character"},
        {"sprintf('%ld', 1)", "<error> test Line 1 Col 1 invalid l format character"},
        {"sprintf('% d', 1)", "<error> test Line 1 Col 1 invalid   format character"},
        {"sprintf('')", "<error> test Line 1 Col 1 sprintf requires format parameter as first "
                        "argument"},
        {"var u; sprintf(u, 1)", "<error> test Line 1 Col 8 sprintf requires format parameter "
                                 "as first argument"},
    });
}

TEST(FormatFunctions, SprintfItemsAreCutAt1023Bytes) {
    const std::string spaces(1023, ' ');
    EXPECT_EQ(runtestscript("var s = ''; for (var i = 0; i < 200; i++) s = s + 'xxxxxxxxxx'; "
                            "sprintf('%s!', s)"),
              std::string(1023, 'x') + "!");
    EXPECT_EQ(runtestscript("sprintf('%2000d|', 5)"), spaces + "|");
    EXPECT_EQ(runtestscript("sprintf('%-2000d|', 5)"),
              std::string("5").append(1022, ' ').append("|"));
    // Absurd widths and precisions give the same cut item, without delay.
    EXPECT_EQ(runtestscript("sprintf('%*d|', 1000000000000, 5)"), spaces + "|");
    EXPECT_EQ(runtestscript("sprintf('%.99999999999999f|', 1)"),
              std::string("1.").append(1021, '0').append("|"));
}

TEST(FormatFunctions, LogmessageWritesOneTimedEntry) {
    std::vector<std::pair<std::string, bool>> lines;
    setlogsink(
        [&lines](const std::string& text, bool withtime) { lines.emplace_back(text, withtime); });
    EXPECT_EQ(runtestscript("logmessage('hello world')"), "hello world");
    EXPECT_EQ(runtestscript("var u; logmessage('a', u, 3)"), "a3");
    setlogsink(nullptr);
    const std::vector<std::pair<std::string, bool>> expected = {{"hello world", true},
                                                                {"a3", true}};
    EXPECT_EQ(lines, expected);
}

TEST(FormatFunctions, ClockAndCalendar) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);

    EXPECT_EQ(runtestscript("getdatestring()"), std::to_string(local.tm_mday) + "." +
                                                    std::to_string(local.tm_mon + 1) + "." +
                                                    std::to_string(local.tm_year + 1900));
    EXPECT_TRUE(std::regex_match(runtestscript("gettimestring()"),
                                 std::regex("(1?[0-9]|2[0-3]):[0-5][0-9]:[0-5][0-9]")));
    checkcases({
        {"gettimestring(9769)", "2:42:49"},
        {"gettimestring(0)", "0:00:00"},
        {"gettimestring('x')", "0:00:00"},
        {"getdatetime().year >= 2020", "1"},
    });
    const std::string datetime = runtestscript("getdatetime()");
    EXPECT_TRUE(std::regex_match(datetime, std::regex("\\{day: [0-9]+, hour: [0-9]+, minute: "
                                                      "[0-9]+, month: [0-9]+, second: [0-9]+, "
                                                      "year: [0-9]+\\}")))
        << datetime;

    const int64_t seconds = std::stoll(runtestscript("timeseconds()"));
    EXPECT_LE(std::abs(seconds - static_cast<int64_t>(now)), 2);

    // The tick count of the monotonic clock, cut to 32 bits.
    using namespace std::chrono;
    const auto ticks = static_cast<uint32_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    const int64_t milliseconds = std::stoll(runtestscript("timemilliseconds()"));
    EXPECT_GE(milliseconds, 0);
    EXPECT_LE(milliseconds, int64_t{0xFFFFFFFF});
    EXPECT_LE(static_cast<uint32_t>(milliseconds) - ticks, 1000u);
}

} // namespace vornscriptunittests
