// System-function registry: prototype table, keys, acceptance, similarity,
// suggestions for undefined calls and the selection of implementations.
#include "sysfunctions/callsuggestions.h"
#include "sysfunctions/prototypetable.h"
#include "sysfunctions/systemfunctiondispatcher.h"
#include "sysfunctions/systemfunctionregistry.h"

#include <gtest/gtest.h>

#include <set>

namespace vornscriptunittests {
using namespace vornscript;

TEST(PrototypeTable, HoldsEveryPrototypeOnceWithAReadableKey) {
    const auto prototypes = systemfunctionprototypes();
    ASSERT_EQ(prototypes.size(), 286u);
    EXPECT_STREQ(prototypes.front(), "__VERSION__()");
    EXPECT_STREQ(prototypes.back(), "parsejson(text)");
    std::set<std::string> keys;
    for (const char* prototype : prototypes) {
        const std::string key = prototypekey(prototype);
        EXPECT_NE(key, invalidprototypekey) << prototype;
        EXPECT_TRUE(keys.insert(key).second) << "shared key " << key;
    }
}

TEST(PrototypeTable, KeysOfPrototypesAndCalls) {
    const struct {
        const char* prototype;
        const char* key;
    } prototyperows[] = {
        {"mid(text,pos,len)", "mid($$$)"},
        {"concat(text1,...)", "concat($*)"},
        {"getpersonalfolder(...)", "getpersonalfolder(*)"},
        {"println()", "println()"},
        {"swap(&x,&y)", "swap($$)"},
        {"fill(text, pos, len, filltext)", "fill($$$$)"},
        {"sort(vector,comparefunctionname,...)", "sort($$*)"},
        {"mymax(a,b,...)", "mymax($$*)"},
        {"mid(text)x", "<error>"},
        {"println() ", "<error>"},
        {"f(a.b)", "<error>"},
        {"f(..)", "<error>"},
        {"f(....)", "<error>"},
        {"f(a,b", "<error>"},
        {"noparenthesis", "<error>"},
    };
    for (const auto& row : prototyperows) {
        EXPECT_EQ(prototypekey(row.prototype), row.key) << row.prototype;
    }
    EXPECT_EQ(callkey("mid", 3), "mid($$$)");
    EXPECT_EQ(callkey("random", 0), "random()");
    EXPECT_EQ(callkey("other::sum", 2), "other::sum($$)");
}

TEST(PrototypeTable, AcceptsNamesByExactOrVariableCount) {
    const struct {
        const char* name;
        size_t count;
        const char* prototype; // nullptr: not accepted
    } rows[] = {
        {"concat", 0, nullptr},
        {"concat", 1, "concat(vector)"},
        {"concat", 5, "concat(text1,...)"},
        {"print", 0, nullptr},
        {"print", 1, "print(format,...)"},
        {"print", 4, "print(format,...)"},
        {"println", 0, "println()"},
        {"println", 2, "println(text,...)"},
        {"mid", 1, nullptr},
        {"mid", 2, "mid(text,pos)"},
        {"mid", 3, "mid(text,pos,len)"},
        {"mid", 4, nullptr},
        {"getpersonalfolder", 0, "getpersonalfolder(...)"},
        {"getpersonalfolder", 3, "getpersonalfolder(...)"},
        {"random", 0, "random()"},
        {"random", 2, nullptr},
        {"sort", 0, nullptr},
        {"sort", 2, "sort(vector,comparefunctionname,...)"},
        {"printerror", 0, nullptr},
        {"printerrorln", 0, "printerrorln()"},
        {"filechooser", 5, "filechooser(initpath, caption, options, defaultext, filter)"},
        {"filechooser", 4, nullptr},
        {"Mid", 2, nullptr},
        {"pri", 1, nullptr},
        {"doesnotexist", 2, nullptr},
    };
    const VornPrototypeTable& table = systemprototypetable();
    // The second pass answers from the cache and must agree with the first.
    for (int pass = 0; pass < 2; ++pass) {
        for (const auto& row : rows) {
            const auto index = table.find(row.name, row.count);
            const char* found = index ? table.prototypes()[*index] : nullptr;
            EXPECT_STREQ(found, row.prototype) << row.name << " " << row.count << " pass " << pass;
        }
    }
}

TEST(PrototypeTable, FirstMatchingEntryWinsAndUnreadableEntriesNeverMatch) {
    const char* const prototypes[] = {"f(a,...)", "f(a,b)", "bad(a.b)", "g(x)", "bad(a,b)"};
    const VornPrototypeTable table(prototypes);
    EXPECT_EQ(table.find("f", 2), 0u);
    EXPECT_EQ(table.find("g", 1), 3u);
    EXPECT_EQ(table.find("bad", 2), 4u);
    EXPECT_FALSE(table.find("bad", 1));
    EXPECT_FALSE(table.find("f", 0));
}

TEST(CallSuggestions, EditDistanceAndSimilarity) {
    const struct {
        const char* a;
        const char* b;
        size_t distance;
        int similarity;
    } rows[] = {
        {"mymax", "mymax", 0, 100},  {"", "", 0, 100},
        {"mymax", "mymix", 1, 100},  {"Mid", "mid", 1, 100},
        {"abcd", "abxy", 2, 75},     {"flaw", "lawn", 2, 75},
        {"strlen", "strcmp", 3, 67}, {"kitten", "sitting", 3, 67},
        {"abcde", "vwxde", 3, 60},   {"abcdef", "uvwxef", 4, 50},
        {"abc", "xyz", 3, 0},        {"ab", "abcd", 2, 0},
        {"", "abc", 3, 0},           {"abc", "", 3, 0},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(editdistance(row.a, row.b), row.distance) << row.a << " " << row.b;
        EXPECT_EQ(namesimilarity(row.a, row.b), row.similarity) << row.a << " " << row.b;
        EXPECT_EQ(namesimilarity(row.b, row.a), row.similarity) << row.b << " " << row.a;
    }
}

TEST(CallSuggestions, DescribesCallsAndSignatures) {
    EXPECT_EQ(describecall("doesnotexist", 2), "doesnotexist(a,b)");
    EXPECT_EQ(describecall("f", 0), "f()");
    EXPECT_EQ(describecall("f", 26), "f(a,b,c,d,e,f,g,h,i,j,k,l,m,n,o,p,q,r,s,t,u,v,w,x,y,z)");
    EXPECT_EQ(describecall("f", 27), "f(a,b,c,d,e,f,g,h,i,j,k,l,m,n,o,p,q,r,s,t,u,v,w,x,y,z,...)");
    std::string description;
    ASSERT_TRUE(describesignature("mymax(&x, y,...)", description));
    EXPECT_EQ(description, "mymax(a,b,...)");
    EXPECT_FALSE(describesignature("mymax(x", description));
}

TEST(CallSuggestions, MessagesOfUndefinedCalls) {
    const std::vector<std::string> nosignatures;
    const std::vector<std::string> mymax = {"mymax(a,b,...)"};
    const std::vector<std::string> abx = {"abx(value)"};
    const struct {
        const char* name;
        size_t count;
        const std::vector<std::string>& signatures;
        const char* message;
    } rows[] = {
        {"doesnotexist", 2, nosignatures, "function doesnotexist(a,b) not existing"},
        {"mymax", 1, mymax, "function mymax(a) not existing maybe you mean: mymax(a,b,...)"},
        {"Mid", 5, nosignatures,
         "function Mid(a,b,c,d,e) not existing maybe you mean: mid(a,b),mid(a,b,c)"},
        {"prnt", 0, nosignatures, "function prnt() not existing maybe you mean: print(a,...)"},
        {"abz", 3, abx, "function abz(a,b,c) not existing maybe you mean: abx(a),abs(a)"},
    };
    for (const auto& row : rows) {
        std::string message;
        ASSERT_TRUE(undefinedcallmessage(row.name, row.count, row.signatures, message));
        EXPECT_EQ(message, row.message);
    }
    const char* const badprototypes[] = {"abs(x)", "bad(a.b)"};
    std::string message;
    EXPECT_FALSE(undefinedcallmessage("abs", 2, nosignatures, badprototypes, message));
    EXPECT_EQ(message, "invalid system function prototype: bad(a.b)");
}

namespace {
// Distinct implementations: the selector is checked by which one it returns.
template <int> bool implementation(VornSystemCall&) {
    return true;
}
const auto mid = implementation<1>, concatvector = implementation<2>,
           concatlist = implementation<3>, print = implementation<4>, sort = implementation<5>,
           joinvector = implementation<6>, joinlist = implementation<7>, fany = implementation<8>,
           ftwo = implementation<9>;

const VornSystemFunctionEntry textentries[] = {
    {"mid($$)", mid},         {"mid($$$)", mid},        {"concat($)", concatvector},
    {"concat($", concatlist}, {"join($$)", joinvector}, {"join($$$", joinlist},
};
const VornSystemFunctionEntry otherentries[] = {
    {"print(", print}, {"sort($)", sort}, {"sort($$", sort}, {"f(", fany}, {"f($$", ftwo},
};
const VornSystemFunctionTable testtables[] = {textentries, otherentries};
} // namespace

TEST(SystemFunctionSelector, ExactKeysFirstThenLongestPrefix) {
    const VornSystemFunctionSelector selector(testtables);
    const struct {
        const char* callkey;
        VornSystemFunctionImpl impl;
        size_t parametercount;
    } rows[] = {
        {"mid($$)", mid, 3},
        {"mid($$$)", mid, 3},
        {"mid($)", nullptr, 0},
        {"concat($)", concatvector, 1},
        {"concat($$$)", concatlist, 1},
        {"concat()", nullptr, 0},
        {"print()", print, 0},
        {"print($$)", print, 0},
        {"println()", nullptr, 0},
        {"sort($)", sort, 2},
        {"sort($$$$)", sort, 2},
        {"join($$)", joinvector, 2},
        {"join($$$)", joinlist, 3},
        {"f($)", fany, 0},
        {"f($$$)", ftwo, 2},
    };
    for (const auto& row : rows) {
        const VornSystemFunctionSelection selection = selector.select(row.callkey);
        EXPECT_EQ(selection.impl, row.impl) << row.callkey;
        EXPECT_EQ(selection.parametercount, row.parametercount) << row.callkey;
    }
}

TEST(SystemFunctionSelector, SelectionChecksTheTableThenTheImplementations) {
    const VornSystemFunctionSelector selector(testtables);
    const VornPrototypeTable& table = systemprototypetable();
    VornSystemFunctionSelection selection;
    std::string error;
    ASSERT_TRUE(selectsystemfunction(table, selector, "mid", 2, selection, error));
    EXPECT_EQ(selection.impl, mid);
    EXPECT_EQ(selection.parametercount, 3u);
    EXPECT_FALSE(selectsystemfunction(table, selector, "mid", 1, selection, error));
    EXPECT_EQ(error, "cannot call function mid");
    EXPECT_FALSE(selectsystemfunction(table, selector, "abs", 1, selection, error));
    EXPECT_EQ(error, "not implemented yet: abs");
}

TEST(SystemFunctionResolution, OnceAcceptedTheSelectionStaysAtOneAddress) {
    const struct Row {
        const char* name;
        size_t argumentcount;
        bool accepted;
        size_t parametercount;
    } rows[] = {
        {"mid", 2, true, 3},
        {"mid", 3, true, 3},
        {"mid", 1, false, 0},
        {"concat", 5, true, 1},
        {"nosuchfunction", 1, false, 0},
        {"strlen", 1, true, 1},
    };
    for (const Row& row : rows) {
        const VornSystemFunctionSelection* first =
            resolvesystemfunction(row.name, row.argumentcount);
        ASSERT_EQ(first != nullptr, row.accepted) << row.name << "/" << row.argumentcount;
        EXPECT_EQ(issystemfunction(row.name, row.argumentcount), row.accepted) << row.name;
        if (first != nullptr) {
            EXPECT_NE(first->impl, nullptr) << row.name;
            EXPECT_EQ(first->parametercount, row.parametercount) << row.name;
            EXPECT_EQ(resolvesystemfunction(row.name, row.argumentcount), first) << row.name;
        }
    }
    EXPECT_EQ(resolvesystemfunction("mid", 2)->impl, resolvesystemfunction("mid", 3)->impl);
}

} // namespace vornscriptunittests
