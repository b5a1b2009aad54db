// Member and element access: the hash index of large structures (lookups,
// removals and the member order), the names elements and members carry
// (seen through getdebuginfo) when their parents are renamed or reached
// another way, computed indexes and keys, and the short byte comparison.
#include "scripttesthelper.h"

#include "support/shortbytes.h"
#include "values/scriptobject.h"
#include "values/structurehandler.h"

#include <algorithm>
#include <map>
#include <random>
#include <regex>

namespace vornscriptunittests {
namespace {

using namespace vornscript;

// The member name <prefix><number><suffix>.
std::string membername(unsigned number, char prefix = 'k', const char* suffix = "_") {
    std::string name(1, prefix);
    name += std::to_string(number);
    name += suffix;
    return name;
}

// The NAME= part of each getdebuginfo text in the result, joined by "|".
std::string debugnames(const std::string& script) {
    const std::string result = runtestscript(script);
    static const std::regex name("NAME=([^ ]*)");
    std::string names;
    for (auto match = std::sregex_iterator(result.begin(), result.end(), name);
         match != std::sregex_iterator(); ++match) {
        if (!names.empty()) {
            names += '|';
        }
        names += (*match)[1].str();
    }
    return names;
}

TEST(StructureAccess, LargeStructureMatchesOrderedModel) {
    std::string error;
    auto handler = makeref<VornScriptObjectStructureHandler>();
    std::map<std::string, VornScriptObject*> model;
    std::mt19937 random(7);
    // Inserts and removals interleaved across several growths of the index,
    // with names colliding in their first and last bytes.
    for (int step = 0; step < 20000; ++step) {
        const std::string name = membername(random() % 3000);
        if (random() % 3 == 0) {
            ASSERT_TRUE(handler->removestructuremember(name, error));
            model.erase(name);
        } else {
            VornScriptObjectPtr member;
            ASSERT_TRUE(handler->accessstructuremember(name, member, error));
            auto [place, added] = model.emplace(name, member.get());
            ASSERT_EQ(place->second, member.get()) << name;
        }
    }
    std::vector<std::string> names;
    ASSERT_TRUE(handler->getstructurefields(names, error));
    ASSERT_EQ(names.size(), model.size());
    EXPECT_TRUE(std::equal(names.begin(), names.end(), model.begin(),
                           [](const std::string& a, const auto& b) { return a == b.first; }));
    for (unsigned index = 0; index < 3000; ++index) {
        const std::string name = membername(index);
        VornScriptObjectPtr member;
        const bool found = handler->getstructuremember(name, member, error);
        ASSERT_EQ(found, model.count(name) == 1) << name;
        if (found) {
            EXPECT_EQ(member.get(), model[name]);
        }
    }
}

TEST(StructureAccess, IndexFollowsDirectEditsAndShrinking) {
    std::string error;
    auto handler = makeref<VornScriptObjectStructureHandler>();
    VornScriptObjectPtr member;
    for (unsigned index = 0; index < 20; ++index) {
        ASSERT_TRUE(handler->accessstructuremember(membername(index, 'm', ""), member, error));
    }
    // Members added and erased behind the index's back are seen afterwards.
    handler->members().erase("m5");
    handler->members().emplace("extra", makeundefinedvalue());
    EXPECT_FALSE(handler->getstructuremember("m5", member, error));
    EXPECT_TRUE(handler->getstructuremember("extra", member, error));
    // Down to a few members and back up: every name still found once.
    for (unsigned index = 0; index < 18; ++index) {
        ASSERT_TRUE(handler->removestructuremember(membername(index, 'm', ""), error));
    }
    EXPECT_EQ(handler->tostring(), "{extra: , m18: , m19: }");
    for (unsigned index = 0; index < 12; ++index) {
        ASSERT_TRUE(handler->accessstructuremember(membername(index, 'n', ""), member, error));
    }
    EXPECT_TRUE(handler->getstructuremember("m19", member, error));
    EXPECT_TRUE(handler->getstructuremember("n11", member, error));
    EXPECT_FALSE(handler->getstructuremember("m17", member, error));
    EXPECT_EQ(error, "structure has no member m17");
}

TEST(StructureAccess, NamesFollowParentsAndPaths) {
    // Reached again through the same parent name, through a renamed parent
    // (a reference binding renames the shared object) and by other keys.
    EXPECT_EQ(debugnames("var v = [1, [2, 3], {a: 1}]; var i = 1; getdebuginfo(v[i][i - 1]) + "
                         "getdebuginfo(v[1][0]) + getdebuginfo(v['1']) + getdebuginfo(v[2].a) + "
                         "getdebuginfo(v[2]['a'])"),
              "v[1][0]|v[1][0]|v[1]|v[2].a|v[2][a]");
    EXPECT_EQ(debugnames("var v = [[2, 3]]; var first = getdebuginfo(v[0][1]); var r =& v[0]; "
                         "first + getdebuginfo(r[1]) + getdebuginfo(v[0][1]) + getdebuginfo(r)"),
              "v[0][1]|r[1]|v[0][1]|v[0]");
    EXPECT_EQ(debugnames("var v = [[5]]; var a = getdebuginfo(v[0][0]); var y =& v; "
                         "a + getdebuginfo(y[0][0]) + getdebuginfo(v[0][0])"),
              "v[0][0]|y[0][0]|y[0][0]");
    EXPECT_EQ(debugnames("var s = {}; s[1 + 1] = 2; var key = 'k'; s{key} = 1; "
                         "getdebuginfo(s[2]) + getdebuginfo(s{'2'}) + getdebuginfo(s{key}) + "
                         "getdebuginfo(s.k)"),
              "s[2]|s.2|s.k|s.k");
    EXPECT_EQ(debugnames("function f(p) { return getdebuginfo(p[1]); } var v = [[1, 2], 3]; "
                         "f(v[0]) + f(v)"),
              "p[1]|p[1]");
    EXPECT_EQ(debugnames("var h = [0, 0]; for (var t = 0; t < 4; t++) h[t % 2] += 1; "
                         "getdebuginfo(h[1]) + getdebuginfo(h[0 + 1])"),
              "h[1]|h[1]");
}

TEST(StructureAccess, ComputedIndexesKeysAndTruth) {
    checkcases({
        {"var v = [[0, 1], [2, 3]]; var p = 0; [v[p + 1][p], v[1.0][0], v['1'][1]]", "[2,2,3]"},
        {"var v = [1]; var i = 1; v[i - 2]",
         "<error> test Line 1 Col 27 vector index must be a positive number"},
        {"var w; var i = 1; w[i + 1] = 'x'; w", "[,,'x']"},
        {"var s = {}; s[1 + 1] = 'two'; s", "{2: 'two'}"},
        {"var t; var i = 1; t['k' + i] = 1; t", "{k1: 1}"},
        {"[containskey({1: 'a'}, 1), containskey({1: 'a'}, 0.5 + 0.5), "
         "containskey({'1.0': 'a'}, 1.0)]",
         "[1,1,1]"},
        {"var s = {}; var k = 'x'; [!containskey(s, k), containskey(s, k)]", "[1,0]"},
        {"[!'0', !0.0, !2, !(1 - 1)]", "[1,1,0,1]"},
        {"var u; !u", "<error> test Line 1 Col 8 boolean value expected"},
        {"!'abc'", "<error> test Line 1 Col 1 boolean value expected"},
    });
}

TEST(StructureAccess, ShortByteComparison) {
    // Every length around the word sizes, with the one differing byte at
    // each position: the overlapping loads must see all of them.
    const std::string base = "abcdefghijklmnopqrstuvwxyz";
    for (size_t size = 0; size <= 20; ++size) {
        const std::string a = base.substr(0, size);
        EXPECT_TRUE(samebytes(a.data(), base.data(), size));
        for (size_t at = 0; at < size; ++at) {
            std::string b = a;
            b[at] = '#';
            EXPECT_FALSE(samebytes(a.data(), b.data(), size)) << size << " " << at;
        }
    }
    EXPECT_FALSE(sametext("ab", "abc"));
    EXPECT_TRUE(sametext("", ""));
}

} // namespace
} // namespace vornscriptunittests
