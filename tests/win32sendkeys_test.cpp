// SendKeys parsing: characters, groups with modifiers, pauses and key
// names, the order of presses and releases, and the errors of bad keys texts.
#include "extensions/win32sendkeys.h"

#include <gtest/gtest.h>

namespace vornscriptunittests {
namespace {

using vornscript::Win32KeyStep;
using Kind = vornscript::Win32KeyStep::Kind;

std::vector<Win32KeyStep> stepsof(const std::string& keys) {
    std::vector<vornscript::Win32KeyEvent> events;
    std::string error;
    EXPECT_TRUE(vornscript::parsesendkeys(keys, events, error)) << keys << ": " << error;
    return vornscript::keysteps(events);
}

Win32KeyStep press(int64_t key) {
    return {Kind::press, key};
}
Win32KeyStep release(int64_t key) {
    return {Kind::release, key};
}

TEST(Win32SendKeys, ModifiersWrapTheKeyInPressOrderAndReleaseInReverse) {
    EXPECT_EQ(stepsof("{CTRL+ESC}"),
              (std::vector<Win32KeyStep>{press(0x11), press(0x1B), release(0x1B), release(0x11)}));
    // Shift, Ctrl, Alt whatever order the group names them in; STRG is Ctrl.
    EXPECT_EQ(
        stepsof("{alt-strg:shift=F4}"),
        (std::vector<Win32KeyStep>{press(0x10), press(0x11), press(0x12), press(0x73),
                                   release(0x73), release(0x12), release(0x11), release(0x10)}));
}

TEST(Win32SendKeys, CharactersTypeTheirKeyWithShiftWhereTheLayoutNeedsIt) {
    EXPECT_EQ(stepsof("a"), (std::vector<Win32KeyStep>{press('A'), release('A')}));
    EXPECT_EQ(stepsof("A"),
              (std::vector<Win32KeyStep>{press(0x10), press('A'), release('A'), release(0x10)}));
    EXPECT_EQ(stepsof("!"),
              (std::vector<Win32KeyStep>{press(0x10), press('1'), release('1'), release(0x10)}));
    EXPECT_EQ(stepsof("7 "),
              (std::vector<Win32KeyStep>{press('7'), release('7'), press(0x20), release(0x20)}));
    EXPECT_EQ(vornscript::vkkeyscan(':'), 0xBA | 0x100);
    EXPECT_EQ(vornscript::vkkeyscan('\n'), 0x0D);
    EXPECT_EQ(vornscript::vkkeyscan('\xE4'), -1);
}

TEST(Win32SendKeys, DelayPausesWithoutAKeyAndBeforeTheGroupsKey) {
    EXPECT_EQ(stepsof("{DELAY=500}"), (std::vector<Win32KeyStep>{{Kind::pause, 500}}));
    EXPECT_EQ(stepsof("{delay:20+ENTER}x"),
              (std::vector<Win32KeyStep>{
                  {Kind::pause, 20}, press(0x0D), release(0x0D), press('X'), release('X')}));
    EXPECT_TRUE(stepsof("").empty());
}

TEST(Win32SendKeys, KeyNamesAndSingleCharactersInGroups) {
    const std::pair<const char*, int> names[] = {
        {"RETURN", 0x0D},   {"SPACE", 0x20},   {"F12", 0x7B},  {"NUMPAD9", 0x69}, {"DIVIDE", 0x6F},
        {"INS", 0x2D},      {"DEL", 0x2E},     {"HELP", 0x2F}, {"PRIOR", 0x21},   {"CAPITAL", 0x14},
        {"SNAPSHOT", 0x2C}, {"CONTROL", 0x11}, {"Q", 'Q'},     {"5", '5'},
    };
    for (const auto& [name, code] : names) {
        EXPECT_EQ(stepsof(std::string("{") + name + "}"),
                  (std::vector<Win32KeyStep>{press(code), release(code)}))
            << name;
    }
}

TEST(Win32SendKeys, BadKeysTextsFailWithAMessage) {
    const std::pair<const char*, const char*> cases[] = {
        {"{CTRL+ESC", "key group without closing brace: {CTRL+ESC"},
        {"{NOSUCHKEY}", "unknown key name: NOSUCHKEY"},
        {"{DELAY}", "DELAY requires milliseconds: DELAY"},
        {"{DELAY=x}", "DELAY requires milliseconds: DELAY=x"},
        {"ab\xE4", "no key for character: \xE4"},
    };
    for (const auto& [keys, message] : cases) {
        std::vector<vornscript::Win32KeyEvent> events;
        std::string error;
        EXPECT_FALSE(vornscript::parsesendkeys(keys, events, error)) << keys;
        EXPECT_EQ(error, message);
    }
}

} // namespace
} // namespace vornscriptunittests
