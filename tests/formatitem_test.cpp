// The direct printf item writer against the C library's snprintf: every
// combination of flags, widths, precisions and values of each conversion must
// give the same bytes, including the 1023-byte cut and the end at a NUL.
#include "sysfunctions/formatitem.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace vornscriptunittests {

using vornscript::FormatField;
using vornscript::VornFormatItemWriter;

namespace {

constexpr size_t buffersize = 1024;

std::vector<FormatField> allfields() {
    std::vector<FormatField> fields;
    for (int flags = 0; flags < 8; ++flags) {
        for (const int width : {-1, 0, 1, 5, 12, 1500}) {
            for (const int precision : {-1, 0, 1, 3, 8, 45}) {
                fields.push_back(
                    {(flags & 1) != 0, (flags & 2) != 0, (flags & 4) != 0, width, precision});
            }
        }
    }
    return fields;
}

std::string cformat(const FormatField& field, char conversion) {
    char format[48];
    std::snprintf(format, sizeof(format), "%%%s%s%s", field.leftjustify ? "-" : "",
                  field.plussign ? "+" : "", field.zeropad ? "0" : "");
    std::string text = format;
    if (field.width >= 0) {
        text += std::to_string(field.width);
    }
    if (field.precision >= 0) {
        text.push_back('.');
        text += std::to_string(field.precision);
    }
    text.push_back(conversion);
    return text;
}

// snprintf's item as sprintf shows it: cut at 1023 bytes and at a NUL.
template <class Value> std::string expected(const std::string& format, Value value) {
    char buffer[buffersize];
    std::snprintf(buffer, sizeof(buffer), format.c_str(), value);
    return buffer;
}

template <class Write> std::string written(Write write) {
    char buffer[buffersize];
    VornFormatItemWriter writer(buffer, sizeof(buffer));
    write(writer);
    return std::string(writer.item());
}

TEST(FormatItemTest, WholeNumbersAndCharactersMatchSnprintf) {
    const int64_t values[] = {
        0,           1, -1, 7, -42, 255, 65, 2147483647, -2147483648LL, 5000000000LL, -5000000000LL,
        4294967295LL};
    for (const FormatField& field : allfields()) {
        for (const char conversion : {'d', 'u', 'x', 'X', 'c'}) {
            const std::string format = cformat(field, conversion);
            for (const int64_t value : values) {
                const std::string got = written([&](VornFormatItemWriter& writer) {
                    writer.writeinteger(field, conversion, value);
                });
                std::string want;
                if (conversion == 'd') {
                    want = expected(format, static_cast<int>(static_cast<int32_t>(value)));
                } else if (conversion == 'c') {
                    want = expected(format, static_cast<int>(static_cast<unsigned char>(value)));
                } else {
                    want = expected(format, static_cast<unsigned>(static_cast<uint32_t>(value)));
                }
                ASSERT_EQ(got, want) << format << " of " << value;
            }
        }
    }
}

TEST(FormatItemTest, DoublesMatchSnprintf) {
    const double values[] = {0.0,
                             -0.0,
                             0.5,
                             2.25,
                             -2.25,
                             0.125,
                             3.14159265,
                             -1e-7,
                             0.05,
                             2.5,
                             -0.5,
                             123456.789,
                             1e15,
                             99999999999.5,
                             1e19,
                             -1e19,
                             1e25,
                             -3e300,
                             5e-324,
                             std::numeric_limits<double>::infinity(),
                             -std::numeric_limits<double>::infinity(),
                             std::nan("")};
    for (const FormatField& field : allfields()) {
        const std::string format = cformat(field, 'f');
        for (const double value : values) {
            const std::string got =
                written([&](VornFormatItemWriter& writer) { writer.writedouble(field, value); });
            ASSERT_EQ(got, expected(format, value)) << format << " of " << value;
        }
    }
}

TEST(FormatItemTest, TextsMatchSnprintfUpToTheirFirstNul) {
    const std::string texts[] = {
        "", "a", "abc", "hello world", std::string("a\0bc", 4), std::string(2000, 'x')};
    for (const FormatField& field : allfields()) {
        const std::string format = cformat(field, 's');
        for (const std::string& text : texts) {
            const std::string got =
                written([&](VornFormatItemWriter& writer) { writer.writetext(field, text); });
            ASSERT_EQ(got, expected(format, text.c_str())) << format << " of " << text.size();
        }
    }
}

} // namespace

} // namespace vornscriptunittests
