// Packets across the plug-in boundary: the header layout, the UTF-16 texts,
// values through packets and back (every kind, nested), the program's live
// values as references valid within one call, and bounded nesting. The
// sanitizer build checks that every packet is freed exactly once.
#include "driver/commandlinescript.h"
#include "extensions/packets.h"
#include "filetestsupport.h"
#include "selftests/livedata.h"
#include "values/scriptobject.h"

#include <gtest/gtest.h>

namespace vornscriptunittests {
namespace {

using vornscript::VornPacket;
using vornscript::VornScriptObjectPtr;

uint32_t word(const void* packet, size_t offset) {
    uint32_t value = 0;
    std::memcpy(&value, static_cast<const unsigned char*>(packet) + offset, sizeof value);
    return value;
}

// The value of an expression, evaluated in a fresh context.
VornScriptObjectPtr evaluate(const std::string& expression) {
    vornscript::VornCommandlineScript context;
    const auto source = vornscript::makescriptsource("test", expression);
    vornscript::VornScriptParser parser(source, &vornscript::programconstcontext());
    const auto root = parser.parse();
    context.bindscript(root, source);
    vornscript::preparenode(*root, context);
    return vornscript::evaluatewrapped(*root, context);
}

TEST(PluginPackets, HeaderWordsAndHandlesFollowTheLayout) {
    const VornPacket none(vornplugin::makenonepacket());
    EXPECT_EQ(word(none.get(), 0), 0u);
    EXPECT_EQ(word(none.get(), 16), 0u);

    const VornPacket reference(vornplugin::makereferencepacket(77, 0x1122334455667788ull));
    EXPECT_EQ(word(reference.get(), 0), 4u);
    EXPECT_EQ(word(reference.get(), 4), 0u);
    EXPECT_EQ(word(reference.get(), 8), 0x55667788u);
    EXPECT_EQ(word(reference.get(), 12), 0x11223344u);
    EXPECT_EQ(word(reference.get(), 16), 1u);
    EXPECT_EQ(word(reference.get(), 20), 77u);

    // Windows-1252 in the program, UTF-16 in the packet, with the BSTR's
    // byte length before its units and a 0 unit after them.
    const VornPacket text(vornscript::maketextpacket("caf\xe9 \x80"));
    EXPECT_EQ(word(text.get(), 0), 1u);
    EXPECT_EQ(word(text.get(), 16), 1u);
    const auto* units = static_cast<const char16_t*>(vornplugin::detail::readhandle(text.get(), 0));
    EXPECT_EQ(std::u16string(units), u"caf\u00e9 \u20ac");
    EXPECT_EQ(vornplugin::SysStringLen(units), 6u);
    EXPECT_EQ(word(reinterpret_cast<const char*>(units) - 4, 0), 12u);
    EXPECT_EQ(vornscript::packettext(text.get()), "caf\xe9 \x80");

    EXPECT_EQ(vornplugin::packettext(nullptr), u"");
    EXPECT_EQ(vornplugin::packetitem(text.get(), 0), nullptr) << "a text has no packet items";
    EXPECT_EQ(vornplugin::packetobjectid(text.get()), 0u);
}

TEST(PluginPackets, ValuesComeBackAsTheyWent) {
    const char* expressions[] = {
        "'text'",
        "42",
        "-2.500000",
        "''",
        "[]",
        "var empty = {}; empty",
        "[1,'two',[3,[4,[]]],{a: 1}]",
        "var s = {b: [1,2], a: 'x'}; s['odd name'] = {inner: 'deep'}; s",
    };
    for (const char* expression : expressions) {
        const VornScriptObjectPtr value = evaluate(expression);
        const VornPacket packet(vornscript::valuetopacket(value, nullptr, nullptr));
        const VornScriptObjectPtr back = vornscript::packettovalue(packet.get(), {}, nullptr);
        ASSERT_TRUE(back) << expression;
        EXPECT_EQ(back->tostring(), value->tostring()) << expression;
        EXPECT_EQ(back->getobjecttype(), value->getobjecttype()) << expression;
    }

    const VornPacket list(vornscript::valuetopacket(evaluate("[1,[2,3]]"), nullptr, nullptr));
    EXPECT_EQ(vornplugin::packetkind(list.get()), 2u);
    EXPECT_EQ(vornplugin::packetcount(list.get()), 2u);
    EXPECT_EQ(vornplugin::packettag(list.get()), 0u) << "no owner tag without references";
    const VornPacket pairs(
        vornscript::valuetopacket(evaluate("var s = {a: 1, b: 2}; s"), nullptr, nullptr));
    EXPECT_EQ(vornplugin::packetkind(pairs.get()), 3u);
    EXPECT_EQ(vornplugin::packetcount(pairs.get()), 4u);
    EXPECT_EQ(vornscript::packettext(vornplugin::packetitem(pairs.get(), 2)), "b");

    // No value, and packets of no known kind, give no value.
    const VornPacket none(vornscript::valuetopacket(nullptr, nullptr, nullptr));
    EXPECT_EQ(vornplugin::packetkind(none.get()), 0u);
    EXPECT_FALSE(vornscript::packettovalue(none.get(), {}, nullptr));
    EXPECT_FALSE(vornscript::packettovalue(nullptr, {}, nullptr));
    const VornPacket strange(vornplugin::detail::newpacket(9, 0, 0, 0));
    EXPECT_FALSE(vornscript::packettovalue(strange.get(), {}, nullptr));
}

TEST(PluginPackets, LiveValuesGoAsReferencesOnlyWithinACall) {
    const VornScriptObjectPtr clock =
        vornscript::makehandlervalue(vornscript::makeref<SystemTimeVar>());
    vornscript::VornHostReferences references;
    const VornPacket sent(vornscript::valuetopacket(clock, nullptr, &references));
    EXPECT_EQ(vornplugin::packetkind(sent.get()), 4u);
    EXPECT_EQ(vornplugin::packettag(sent.get()), vornplugin::hostownertag);
    EXPECT_EQ(vornscript::packettovalue(sent.get(), {}, &references).get(), clock.get());
    // Outside the call the reference means nothing.
    EXPECT_FALSE(vornscript::packettovalue(sent.get(), {}, nullptr));
    const VornPacket unknown(vornplugin::makereferencepacket(5, vornplugin::hostownertag));
    EXPECT_FALSE(vornscript::packettovalue(unknown.get(), {}, &references));
    // Without references a live value goes by its content.
    const VornPacket content(vornscript::valuetopacket(clock, nullptr, nullptr));
    EXPECT_EQ(vornplugin::packetkind(content.get()), 1u);
    // A list of arguments carries the program's tag.
    const VornPacket arguments(vornscript::valuetopacket(evaluate("[1]"), nullptr, &references));
    EXPECT_EQ(vornplugin::packettag(arguments.get()), vornplugin::hostownertag);
}

TEST(PluginPackets, NestingIsBounded) {
    // A list packet that contains itself: reading it stops at the nesting
    // limit instead of overflowing the stack.
    void* loop =
        vornplugin::detail::newpacket(vornplugin::listpacket, 0, 1, vornplugin::handlesize);
    vornplugin::detail::writehandle(loop, 0, loop);
    const VornScriptObjectPtr value = vornscript::packettovalue(loop, {}, nullptr);
    EXPECT_TRUE(value && value->getobjecttype() == vornscript::VornObjectType::vector);
    vornplugin::GlobalFree(loop);
}

TEST(PluginPackets, CallPositionIsAPairsPacket) {
    vornscript::VornScriptSourcePosition position;
    position.filename = "script.vs";
    position.line = 3;
    position.column = 14;
    position.charpos = 41;
    const VornPacket packet(vornscript::positionpacket(position));
    const VornScriptObjectPtr value = vornscript::packettovalue(packet.get(), {}, nullptr);
    ASSERT_TRUE(value);
    EXPECT_EQ(value->tostring(), "{charpos: 41, columnnr: 14, filename: 'script.vs', linenr: 3}");
}

TEST(PluginHeader, Utf8AndUtf16ConvertBothWays) {
    EXPECT_EQ(vornplugin::utf16("a\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80"),
              u"a\u00e9\u20ac\U0001F600");
    EXPECT_EQ(vornplugin::utf8(u"a\u00e9\u20ac\U0001F600"),
              "a\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80");
    // Broken input never fails: each bad byte or unit becomes U+FFFD.
    EXPECT_EQ(vornplugin::utf16("\xc3("), u"\uFFFD(");
    EXPECT_EQ(vornplugin::utf16("\xc0\xaf"), u"\uFFFD\uFFFD") << "overlong";
    EXPECT_EQ(vornplugin::utf16("\xed\xa0\x80"), u"\uFFFD\uFFFD\uFFFD") << "encoded surrogate";
    EXPECT_EQ(vornplugin::utf16("\xf0\x9f\x98"), u"\uFFFD\uFFFD\uFFFD") << "truncated";
    EXPECT_EQ(vornplugin::utf16("\xf8\x88\x80\x80"), u"\uFFFD\uFFFD\uFFFD\uFFFD") << "no lead byte";
    EXPECT_EQ(vornplugin::utf8(std::u16string(1, char16_t(0xD800))), "\xef\xbf\xbd");
}

} // namespace
} // namespace vornscriptunittests
