// Suite 3: trimming, left/mid/right and the conversions between byte texts
// and wide texts, called directly. Wide results are shown as their code
// units in hex, so every row compares plain texts.
#include "selftests/selftestsuites.h"

#include "support/charconvert.h"
#include "support/stringbasics.h"
#include "support/stringedit.h"

namespace vornscriptunittests {

namespace {

using namespace vornstdstring;

// "Ändern €" as wide text.
const std::u16string widesample = u"\u00C4ndern \u20AC";

const DirectCallRow conversionrows[] = {
    {"trim1", "a b", [] { return trim("\r\n\t a b \t\r\n"); }},
    {"left1", "hel", [] { return left("hello", 3); }},
    {"left2", "", [] { return left("hello", -1); }},
    {"left3", "hello", [] { return left("hello", 5); }},
    {"mid1", "llo", [] { return mid("hello", 2); }},
    {"mid2", "el", [] { return mid("hello", 1, 2); }},
    {"mid3", "", [] { return mid("hello", 5); }},
    {"mid4", "hello", [] { return mid("hello", 0); }},
    {"mid5", "", [] { return mid("hello", 99, 2); }},
    {"mid6", "o", [] { return mid("hello", 4, 1); }},
    {"right1", "llo", [] { return right("hello", 3); }},
    {"right2", "hello", [] { return right("hello", 5); }},
    {"right3", "", [] { return right("hello", 0); }},
    // Windows-1252: 0xC4 is Ä and 0x80 the euro sign.
    {"ansi2wstring", "00C4 006E 0064 0065 0072 006E 0020 20AC",
     [] { return widecodeunits(ansi2wstring("\xC4ndern \x80")); }},
    {"wstring2ansi", "\xC4ndern \x80", [] { return wstring2ansi(widesample); }},
    {"utf82wstring", "00C4 006E 0064 0065 0072 006E 0020 20AC",
     [] { return widecodeunits(utf82wstring("\xC3\x84ndern \xE2\x82\xAC")); }},
    {"wstring2utf8", "\xC3\x84ndern \xE2\x82\xAC", [] { return wstring2utf8(widesample); }},
};

} // namespace

bool conversionsuite(vornscript::vornunittest& registry, const std::string& filter) {
    rundirectcallrows(registry, filter, conversionrows);
    return true;
}

} // namespace vornscriptunittests
