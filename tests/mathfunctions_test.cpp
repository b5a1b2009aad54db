// The math family: results and their text forms, every error message, the
// write-back of swap and the exact sequence of the random generator.
#include "sysfunctions/mathfunctions.h"
#include "sysfunctions/randomgenerator.h"
#include "systemcalltesthelper.h"

#include <gtest/gtest.h>

namespace vornscriptunittests {
using namespace vornscript;

namespace {

struct MathCase {
    const char* name;
    std::vector<VornScriptObjectPtr> arguments;
    const char* expected;
};

std::string callmath(const std::string& name, std::vector<VornScriptObjectPtr> arguments) {
    const VornSystemFunctionTable tables[] = {mathfunctiontable()};
    return callsystemfunction(tables, name, std::move(arguments));
}

void checkmath(const std::vector<MathCase>& cases) {
    for (const MathCase& row : cases) {
        std::string description = row.name;
        for (const VornScriptObjectPtr& argument : row.arguments) {
            description += " '" + argument->tostring() + "'";
        }
        EXPECT_EQ(callmath(row.name, row.arguments), row.expected) << description;
    }
}

VornScriptObjectPtr t(const char* text) {
    return textvalue(text);
}

} // namespace

TEST(MathFunctions, AbsMinMaxSumAverage) {
    checkmath({
        {"abs", {t("-3")}, "3"},
        {"abs", {t("-3.5")}, "3.500000"},
        {"abs", {t("-9223372036854775808")}, "9223372036854775808.000000"},
        {"abs", {t("x")}, "<error> function abs requires a number argument"},
        {"min", {t("0"), t("-3"), t("2")}, "-3"},
        {"min", {vectorvalue({t("-3"), t("3.5"), t("2")})}, "-3"},
        {"max", {t("-3"), t("1.5"), t("2")}, "2"},
        // The winner keeps its own text.
        {"max", {vectorvalue({t("-3"), t("3.5"), t("2")})}, "3.5"},
        {"max", {t("7")}, "7"},
        {"max", {t("9223372036854775807"), t("9223372036854775806")}, "9223372036854775807"},
        {"max", {vectorvalue({})}, ""},
        {"min", {t("1"), t("a")}, "<error> function min requires a number argument"},
        {"max",
         {vectorvalue({t("1"), vectorvalue({})})},
         "<error> function max requires a number argument"},
        {"sum", {t("0"), t("-3"), t("2")}, "-1"},
        {"sum", {t("-3"), t("1.5"), t("2")}, "0.500000"},
        {"sum", {t("1.5"), t("1.5")}, "3"},
        {"sum", {t("9223372036854775807"), t("1")}, "9223372036854775808.000000"},
        {"sum", {t("1"), t("x")}, "<error> function sum requires a number argument"},
        {"average",
         {t("1"), t("2"), t("3"), t("4"), t("5"), t("6"), t("7"), t("8"), t("9"), t("10")},
         "5.500000"},
        {"average", {t("1"), t("2"), t("3")}, "2"},
        {"average", {t("1"), t("")}, "<error> function sum requires a number argument"},
    });
}

TEST(MathFunctions, ElementaryAndRoundingFunctions) {
    checkmath({
        // pi as the script sees it: its six-decimal text.
        {"sin", {t("3.141593")}, "-0.000000"},
        {"cos", {t("3.141593")}, "-1.000000"},
        {"exp", {t("0")}, "1.000000"},
        {"log10", {t("1000")}, "3.000000"},
        {"tan", {t("x")}, "<error> function tan($) requires a number argument"},
        {"sqrt", {t("16")}, "4"},
        {"sqr", {t("4.000000")}, "16"},
        {"sqrt", {t("-16")}, "<error> function sqrt requires a positive number argument"},
        {"sqrt", {t("x")}, "<error> function sqrt($) requires a number argument"},
        {"ceil", {t("3.2")}, "4"},
        {"ceil", {t("-3.2")}, "-3"},
        {"floor", {t("3.14")}, "3"},
        {"floor", {t("-3.14")}, "-4"},
        {"floor", {vectorvalue({})}, "<error> function floor($) requires a number argument"},
        {"fract", {t("3.14")}, "0.140000"},
        {"fract", {t("-3.14")}, "-0.140000"},
        {"modf", {t("3.14")}, "3"},
        {"modf", {t("-3.94")}, "-3"},
        {"pow", {t("2.0"), t("4.0")}, "16"},
        {"pow", {t("16"), t("-2")}, "0.003906"},
        {"pow", {t("2"), t("x")}, "<error> function pow($$) requires two number arguments"},
        {"atan2", {t("x"), t("1")}, "<error> function atan2($$) requires two number arguments"},
        {"fmod", {t("5.1"), t("3")}, "2.100000"},
        {"fmod", {t("5.1"), t("0")}, "<error> division by 0"},
        {"div", {t("16"), t("3")}, "5"},
        {"div", {t("-16"), t("3")}, "-5"},
        {"div", {t("16.5"), t("3.2")}, "5"},
        {"div", {t("16"), t("0.000")}, "<error> division by 0"},
        {"div", {t("-9223372036854775808"), t("-1")}, "-9223372036854775808"},
        {"div", {t("a"), t("1")}, "<error> integer value expected"},
        {"odd", {t("65")}, "1"},
        {"odd", {t("66")}, "0"},
        {"odd", {t("-3")}, "1"},
        {"odd", {t("3.7")}, "<error> function odd($) requires an integer number argument"},
        {"round", {t("3.1")}, "3"},
        {"round", {t("3.5")}, "4"},
        {"round", {t("-3.9")}, "-3"},
        {"round", {t("3.75"), t("1")}, "3.800000"},
        {"round", {t("3.753211"), t("2")}, "3.750000"},
        {"round", {t("3"), t("0")}, "3.000000"},
        {"round",
         {t("13a"), t("2")},
         "<error> function round($) requires a number as first argument"},
        {"round", {t("13a")}, "<error> function round($) requires a number as first argument"},
        {"round",
         {t("3.753211"), t("17")},
         "<error> function round($$) requires an integer number 0-10 as second argument"},
        {"round",
         {t("3.753211"), t("-1")},
         "<error> function round($$) requires an integer number 0-10 as second argument"},
        {"round",
         {t("3.753211"), t("1.5")},
         "<error> function round($$) requires an integer number 0-10 as second argument"},
    });
}

TEST(MathFunctions, SwapExchangesVariablesWhole) {
    VornScriptObjectPtr a = variablevalue("a", t("A"));
    VornScriptObjectPtr b = variablevalue("b", t("B"));
    EXPECT_EQ(callmath("swap", {a, b}), "");
    EXPECT_EQ(a->tostring() + b->tostring(), "BA");

    VornScriptObjectPtr s = variablevalue("s", makevalueoftype(VornObjectType::structure));
    std::string error;
    ASSERT_TRUE(s->insertstructuremember("day", t("13"), error));
    VornScriptObjectPtr v = variablevalue("v", vectorvalue({t("1"), t("x y")}));
    EXPECT_EQ(callmath("swap", {s, v}), "");
    EXPECT_EQ(s->tostring() + " " + v->tostring(), "[1,'x y'] {day: 13}");

    // A value not bound to a variable cannot take the other's content.
    EXPECT_EQ(callmath("swap", {a, t("B")}),
              "<error> function swap requires references to variables");
    EXPECT_EQ(a->tostring(), "B");

    // A const variable refuses, and the other one keeps its content.
    b->setconst(true);
    EXPECT_EQ(callmath("swap", {a, b}), "<error> const object must not be changed");
    EXPECT_EQ(a->tostring() + b->tostring(), "BA");
}

TEST(MathFunctions, RandomSequenceIsReproducible) {
    // startrandom gives no value, and the seed fixes the sequence.
    EXPECT_EQ(callmath("startrandom", {t("0")}), "");
    EXPECT_EQ(callmath("random", {t("1000000")}), "454315");
    EXPECT_EQ(callmath("startrandom", {t("0")}), "");
    EXPECT_EQ(callmath("random", {t("1000000")}), "454315");
    EXPECT_EQ(callmath("startrandom", {t("x")}), "<error> integer value expected");

    // The seed keeps its low 32 bits.
    setrandomseed(int64_t{1} << 32);
    const uint32_t first = nextrandomstep();
    setrandomseed(0);
    EXPECT_EQ(nextrandomstep(), first);

    setrandomseed(7);
    for (int i = 0; i < 200; ++i) {
        const int64_t small = randomwholenumber(10);
        EXPECT_TRUE(small >= 0 && small <= 9) << small;
        const double fraction = randomfraction();
        EXPECT_TRUE(fraction >= 0.0 && fraction < 1.0) << fraction;
    }
    EXPECT_EQ(randomwholenumber(1), 0);
    EXPECT_EQ(randomwholenumber(-5), 0);
    EXPECT_EQ(callmath("random", {t("abc")}), "0");
}

// The summing procedure of random(maxvalue), one step at a time.
int64_t randombysteps(int64_t maxvalue) {
    int64_t sum = 0;
    int64_t rest = maxvalue;
    do {
        sum += nextrandomstep() % 32767;
        rest -= 32767;
    } while (rest > 32766);
    if (rest > 1) {
        sum += nextrandomstep() % rest;
    }
    return sum;
}

TEST(MathFunctions, LargeRandomRangesFollowTheSteps) {
    // Long runs of steps are summed in closed form; the sum and the state
    // after it must equal those of the step-by-step procedure.
    for (int64_t maxvalue : {int64_t{32768}, int64_t{65536}, int64_t{32767} * 0x40001 + 5,
                             int64_t{32767} * 1000003 + 32766}) {
        for (uint32_t seed : {0u, 12345u, 4000000000u}) {
            setrandomseed(seed);
            const int64_t summed = randomwholenumber(maxvalue);
            const uint32_t nextsummed = nextrandomstep();
            setrandomseed(seed);
            EXPECT_EQ(summed, randombysteps(maxvalue)) << maxvalue << " seed " << seed;
            EXPECT_EQ(nextsummed, nextrandomstep()) << maxvalue << " seed " << seed;
        }
    }
    // Whole periods of 2^32 steps add a fixed sum and leave the state alone.
    setrandomseed(1);
    EXPECT_EQ(randomwholenumber(int64_t{32767} << 32), 70362301857792);
    EXPECT_EQ(nextrandomstep(), (1u * 214013 + 2531011) >> 16 & 0x7FFF);
}

} // namespace vornscriptunittests
