// Number texts: readings, canonical forms, boolean words, fixed double texts.
#include "values/numbers.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace vornscriptunittests {
using vornscript::VornNumberKind;

TEST(NumberTexts, ReadingClassifiesAndReadsValues) {
    struct Row {
        const char* text;
        VornNumberKind kind;
        double value;
    } rows[] = {
        {"3", VornNumberKind::integer, 3},
        {"0003", VornNumberKind::integer, 3},
        {"-03", VornNumberKind::integer, -3},
        {"+7", VornNumberKind::integer, 7},
        {" 42 ", VornNumberKind::integer, 42},
        {"20.00", VornNumberKind::integer, 20},
        {"0.00", VornNumberKind::integer, 0},
        {"3.", VornNumberKind::integer, 3},
        {"1e3", VornNumberKind::integer, 1000},
        {"10.01e3", VornNumberKind::integer, 10010},
        {"10.0e-1", VornNumberKind::integer, 1},
        {"0.5", VornNumberKind::decimal, 0.5},
        {" 1.2 ", VornNumberKind::decimal, 1.2},
        {"13.3330000", VornNumberKind::decimal, 13.333},
        {"-3.1415", VornNumberKind::decimal, -3.1415},
        {".5", VornNumberKind::decimal, 0.5},
        {"1.25e1", VornNumberKind::decimal, 12.5},
        {"1e-3", VornNumberKind::floating, 0.001},
        {"15e-1", VornNumberKind::floating, 1.5},
        {"99999999999999999999", VornNumberKind::floating, 1e20},
        {"", VornNumberKind::none, 0},
        {"   ", VornNumberKind::none, 0},
        {"a", VornNumberKind::none, 0},
        {"3a", VornNumberKind::none, 0},
        {"1 2", VornNumberKind::none, 0},
        {".", VornNumberKind::none, 0},
        {"-", VornNumberKind::none, 0},
        {"1e", VornNumberKind::none, 0},
        {"0x1F", VornNumberKind::none, 0},
        {"inf", VornNumberKind::none, 0},
        {"nan", VornNumberKind::none, 0},
        {"1e400", VornNumberKind::none, 0},
    };
    for (const Row& row : rows) {
        const vornscript::VornNumberReading reading = vornscript::readnumbertext(row.text);
        EXPECT_EQ(reading.kind, row.kind) << row.text;
        if (row.kind != VornNumberKind::none) {
            EXPECT_DOUBLE_EQ(reading.doublevalue, row.value) << row.text;
        }
        if (row.kind == VornNumberKind::integer) {
            EXPECT_EQ(reading.longvalue, static_cast<int64_t>(row.value)) << row.text;
        }
    }
    EXPECT_EQ(vornscript::readnumbertext("-9223372036854775808").longvalue, INT64_MIN);
    EXPECT_EQ(vornscript::readnumbertext("9223372036854775807").longvalue, INT64_MAX);
}

// Short decimal texts take a fast path; its value must be the one from_chars
// reads, bit for bit, also at the 15-digit edge and beyond it.
TEST(NumberTexts, DecimalReadingsMatchFromChars) {
    std::vector<std::string> texts = {"0.001", "-0.0",  "1.0000005",         "+2.675",
                                      "0.1",   "9.95",  "999999999999.999",  "0.000000000000001",
                                      "1.0e0", "-12.5", "123456789012345.6", "0.30000000000000004"};
    uint64_t seed = 42;
    for (int i = 0; i < 20000; ++i) {
        seed = seed * 6364136223846793005u + 1442695040888963407u;
        const uint64_t digits = seed >> 20;
        const int scale = static_cast<int>((seed >> 8) % 16);
        std::string text = (seed & 1) != 0 ? "-" : "";
        const std::string number = std::to_string(digits % 10000000000000000u);
        const size_t point = number.size() > static_cast<size_t>(scale) ? number.size() - scale : 0;
        text.append(number, 0, point).append(".").append(number, point);
        texts.push_back(text);
    }
    for (const std::string& text : texts) {
        double expected = 0.0;
        const std::string_view digits =
            text.front() == '+' ? std::string_view(text).substr(1) : std::string_view(text);
        std::from_chars(digits.data(), digits.data() + digits.size(), expected);
        const double value = vornscript::readnumbertext(text).doublevalue;
        EXPECT_EQ(std::signbit(value), std::signbit(expected)) << text;
        EXPECT_EQ(value, expected) << text;
    }
}

TEST(NumberTexts, CanonicalForm) {
    const char* rows[][2] = {
        {"0003", "3"},          {"00005", "5"},       {"0", "0"},
        {"0.5", "0.5"},         {"00.50", "0.5"},     {"1e3", "1000"},
        {"1E3", "1000"},        {"1e-3", "1e-3"},     {"20.00", "20"},
        {"0.00", "0"},          {"3.", "3"},          {"13.3330000", "13.333"},
        {"5.50", "5.5"},        {" 1.2 ", "1.2"},     {"-03", "-03"},
        {"abc", "abc"},         {" abc ", " abc "},   {"", ""},
        {"1.5e-10", "1.5e-10"}, {"10.01e3", "10010"}, {"3.500000", "3.5"},
        {"-0.000000", "0"},     {"7.0", "7"},         {"2.000001", "2.000001"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(vornscript::canonicalnumbertext(row[0]), row[1]) << row[0];
    }
}

TEST(NumberTexts, BooleanWords) {
    struct Row {
        const char* text;
        bool readable;
        bool value;
    } rows[] = {
        {"0", true, false},
        {"1", true, true},
        {"true", true, true},
        {"TRUE", true, true},
        {"Ja", true, true},
        {"yes", true, true},
        {"false", true, false},
        {"nein", true, false},
        {"No", true, false},
        {"13", true, true},
        {"-2", true, true},
        {"00", true, false},
        {"  yes  ", true, true},
        {"20.00", true, true},
        {"0.5", false, false},
        {"", false, false},
        {"   ", false, false},
        {"maybe", false, false},
        {"yes no", false, false},
        {"12345678901234567890", false, false},
        {"1234567890123456789", true, true},
    };
    for (const Row& row : rows) {
        bool value = !row.value;
        EXPECT_EQ(vornscript::readbooltext(row.text, value), row.readable) << row.text;
        if (row.readable) {
            EXPECT_EQ(value, row.value) << row.text;
        }
    }
}

TEST(NumberTexts, FixedTextsAndSnapping) {
    const struct {
        double value;
        const char* text;
    } doubles[] = {
        {3.5, "3.500000"},
        {7.5, "7.500000"},
        {3.0 / 13.0, "0.230769"},
        {-1.0, "-1.000000"},
        {-1e-9, "-0.000000"},
        {0.0078125, "0.007812"},
        {1e15, "1000000000000000.000000"},
    };
    for (const auto& row : doubles) {
        EXPECT_EQ(vornscript::doubletext(row.value), row.text);
        // The snapped value is exactly what its text reads back as.
        EXPECT_EQ(vornscript::snapdouble(row.value),
                  vornscript::readnumbertext(row.text).doublevalue)
            << row.text;
    }
    EXPECT_EQ(vornscript::snapdouble(1.0 / 3.0) * 3.0, 0.999999);
    EXPECT_TRUE(std::signbit(vornscript::snapdouble(-1e-9)));
    EXPECT_EQ(vornscript::longtext(INT64_MIN), "-9223372036854775808");

    int64_t whole = 0;
    EXPECT_TRUE(vornscript::doubleiswhole(8.0, whole));
    EXPECT_EQ(whole, 8);
    EXPECT_FALSE(vornscript::doubleiswhole(8.5, whole));
    EXPECT_FALSE(vornscript::doubleiswhole(1e19, whole));
    EXPECT_FALSE(vornscript::doubleiswhole(std::nan(""), whole));
}

// Snapping near a tie between two millionths takes a shortcut without the
// text; it must land exactly where the six-decimal text reads back, on
// both sides of every tie, on exact binary ties and for negative values.
TEST(NumberTexts, SnappingNearTiesMatchesTheText) {
    const auto throughtext = [](double value) {
        double parsed = 0.0;
        const std::string text = vornscript::doubletext(value);
        std::from_chars(text.data(), text.data() + text.size(), parsed);
        return parsed;
    };
    std::vector<double> values = {0.0078125, 0.0234375, 1.5 / 1e6, 2.5 / 1e6, 1e-6 / 2};
    for (int64_t k = 0; k < 4000; ++k) {
        // Products like x * 0.5 with x on a six-decimal grid end in a 5.
        const double tie = (static_cast<double>(k * 7919 % 20000000) + 0.5) / 1e6;
        values.push_back(tie);
        values.push_back(std::nextafter(tie, 0.0));
        values.push_back(std::nextafter(tie, 1e9));
        values.push_back(static_cast<double>(k * 104729) * 0.000001 * 0.5);
        values.push_back(4294967295.0 - static_cast<double>(k) - 0.0000005);
    }
    // Values of every magnitude the shortcut serves, far from ties too, and
    // values that round to zero.
    uint64_t bits = 0x9E3779B97F4A7C15U;
    for (int k = 0; k < 20000; ++k) {
        bits = bits * 6364136223846793005U + 1442695040888963407U;
        const double unit = static_cast<double>(bits >> 11) * 0x1p-53;
        values.push_back(std::ldexp(unit, static_cast<int>(bits % 60) - 26));
    }
    for (const double small : {1e-7, 4.9e-7, 5e-7, 5.1e-7, 0x1p-60}) {
        values.push_back(small);
    }
    for (const double value : values) {
        for (const double signedvalue : {value, -value}) {
            const double snapped = vornscript::snapdouble(signedvalue);
            const double expected = throughtext(signedvalue);
            EXPECT_EQ(snapped, expected) << vornscript::doubletext(signedvalue);
            EXPECT_EQ(std::signbit(snapped), std::signbit(expected));
        }
    }
}

TEST(NumberTexts, PlainDecimalTexts) {
    const struct {
        const char* text;
        bool plain;
    } rows[] = {{"1", true},   {"-12", true},  {"3.25", true}, {"-0.5", true},
                {"", false},   {"-", false},   {"1.", false},  {".5", false},
                {"+1", false}, {"1e3", false}, {" 1", false},  {"a", false}};
    for (const auto& row : rows) {
        EXPECT_EQ(vornscript::isplaindecimaltext(row.text), row.plain) << row.text;
    }
}

} // namespace vornscriptunittests
