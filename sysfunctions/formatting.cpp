// The formatting engine of sprintf and its relatives. After "%", the
// characters "0123456789.+-*" form the flags, width and precision; the next
// character is the conversion. Widths and precisions are clamped to a bound
// far above the 1023 bytes an item can show, which keeps the C library from
// producing megabytes that would be cut anyway.
#include "sysfunctions/formatting.h"

#include "support/phrasetranslator.h"
#include "sysfunctions/formatitem.h"
#include "sysfunctions/textfunctionsupport.h"
#include "values/scriptobject.h"

#include <algorithm>
#include <cmath>

namespace vornscript {

namespace {

constexpr const char* messagetag = "interpreter";
// The characters of a field between "%" and the conversion letter; a
// comparison per character, since every field of every call is scanned.
constexpr bool isfieldcharacter(char c) {
    return (c >= '0' && c <= '9') || c == '.' || c == '+' || c == '-' || c == '*';
}
constexpr std::string_view conversions = "duxXfsc";
constexpr size_t itembuffersize = 1024;
constexpr int maxstararguments = 2;
constexpr int64_t maxfieldsize = 1 << 20;

bool fail(std::string& error, std::string message) {
    error = std::move(message);
    return false;
}

// A script value read as a whole number: the whole-number reading, else the
// floating reading truncated toward zero (saturated to 64 bits), else 0.
int64_t wholenumberof(const VornScriptObjectPtr& value) {
    const VornNumberReading reading = value ? value->readnumber() : VornNumberReading{};
    switch (reading.kind) {
    case VornNumberKind::none:
        return 0;
    case VornNumberKind::integer:
        return reading.longvalue;
    default:
        break;
    }
    const double truncated = std::trunc(reading.doublevalue);
    if (std::isnan(truncated)) {
        return 0;
    }
    constexpr double limit = 9223372036854775808.0;
    if (truncated >= limit) {
        return INT64_MAX;
    }
    return truncated < -limit ? INT64_MIN : static_cast<int64_t>(truncated);
}

double doubleof(const VornScriptObjectPtr& value) {
    const VornNumberReading reading = value ? value->readnumber() : VornNumberReading{};
    return reading.kind == VornNumberKind::none ? 0.0 : reading.doublevalue;
}

int clampfieldsize(int64_t size) {
    return static_cast<int>(size > maxfieldsize ? maxfieldsize : size);
}

// Reads the field text between "%" and the conversion; [starvalues] are the
// values of its "*" characters in order. Characters after the precision (as
// in "5.3.2") have no meaning and are skipped.
FormatField parsefield(std::string_view field, const int64_t* starvalues) {
    FormatField parsed;
    size_t position = 0;
    auto readsize = [&]() -> int64_t {
        if (position < field.size() && field[position] == '*') {
            ++position;
            return std::clamp(*starvalues++, -maxfieldsize, maxfieldsize);
        }
        int64_t size = 0;
        for (; position < field.size() && field[position] >= '0' && field[position] <= '9';
             ++position) {
            size = std::min<int64_t>(size * 10 + (field[position] - '0'), maxfieldsize);
        }
        return size;
    };
    for (; position < field.size(); ++position) {
        const char flag = field[position];
        if (flag == '-') {
            parsed.leftjustify = true;
        } else if (flag == '+') {
            parsed.plussign = true;
        } else if (flag == '0') {
            parsed.zeropad = true;
        } else {
            break;
        }
    }
    const bool haswidth = position < field.size() && field[position] != '.';
    if (haswidth) {
        const int64_t width = readsize();
        parsed.leftjustify |= width < 0;
        parsed.width = clampfieldsize(width < 0 ? -width : width);
    }
    if (position < field.size() && field[position] == '.') {
        ++position;
        const int64_t precision = readsize();
        parsed.precision = precision < 0 ? -1 : clampfieldsize(precision);
    }
    return parsed;
}

// Converts one value and appends it; the item ends at 1023 bytes or at a NUL
// it contains ("%c" of 0), as the C library's output would.
void appenditem(std::string& result, const FormatField& field, char conversion,
                const VornScriptObjectPtr& value) {
    char buffer[itembuffersize];
    VornFormatItemWriter writer(buffer, sizeof(buffer));
    switch (conversion) {
    case 'f':
        writer.writedouble(field, doubleof(value));
        break;
    case 's':
        writer.writetext(field, textfunctions::ArgumentText(value));
        break;
    default:
        writer.writeinteger(field, conversion, wholenumberof(value));
        break;
    }
    result.append(writer.item());
}

} // namespace

bool formatscriptvalues(std::string_view functionname,
                        std::span<const VornScriptObjectPtr> arguments, std::string& result,
                        std::string& error) {
    const textfunctions::ArgumentText formattext(arguments.empty() ? VornScriptObjectPtr()
                                                                   : arguments[0]);
    const std::string_view format = formattext;
    if (format.empty()) {
        return fail(error,
                    std::string(functionname) + " " +
                        translate("requires format parameter as first argument", messagetag));
    }
    result.reserve(result.size() + format.size());
    size_t nextargument = 1;
    size_t position = 0;
    while (position < format.size()) {
        const size_t percent = format.find('%', position);
        if (percent == std::string_view::npos) {
            result.append(format.substr(position));
            break;
        }
        result.append(format.substr(position, percent - position));
        if (percent + 1 < format.size() && format[percent + 1] == '%') {
            result.push_back('%');
            position = percent + 2;
            continue;
        }
        size_t end = percent + 1;
        int starcount = 0;
        for (; end < format.size() && isfieldcharacter(format[end]); ++end) {
            if (format[end] == '*' && ++starcount > maxstararguments) {
                return fail(error, translate("too many format * arguments", messagetag));
            }
        }
        // Without a conversion letter or the values it needs, the rest of the
        // format is kept as written.
        const size_t needed = static_cast<size_t>(starcount) + 1;
        if (end == format.size() || arguments.size() - nextargument < needed) {
            result.append(format.substr(percent));
            break;
        }
        const char conversion = format[end];
        if (conversions.find(conversion) == std::string_view::npos) {
            return fail(error, translate("invalid", messagetag) + " " + conversion + " " +
                                   translate("format character", messagetag));
        }
        int64_t starvalues[maxstararguments] = {};
        for (int i = 0; i < starcount; ++i) {
            starvalues[i] = wholenumberof(arguments[nextargument++]);
        }
        const std::string_view field(format.data() + percent + 1, end - percent - 1);
        appenditem(result, parsefield(field, starvalues), conversion, arguments[nextargument++]);
        position = end + 1;
    }
    return true;
}

} // namespace vornscript
