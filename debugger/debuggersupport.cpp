// Debugger messages, location lines and line-number arguments (see debuggersupport.h).
#include "debugger/debuggersupport.h"

#include "support/phrasetranslator.h"
#include "support/stringbasics.h"

#include <charconv>
#include <cstdio>

namespace vornscript {

std::string debuggermessage(const char* phrase) {
    return translate(phrase, "debugger");
}

std::string locationline(const VornScriptSourcePosition& position, const std::string& statement) {
    char numbers[40];
    std::snprintf(numbers, sizeof(numbers), "L%03dC%03d ", static_cast<int>(position.line),
                  static_cast<int>(position.column));
    std::string line;
    line.reserve(position.filename.size() + statement.size() + 16);
    if (!position.filename.empty()) {
        line += position.filename;
        line += ' ';
    }
    line += numbers;
    line += statement;
    line += '\n';
    return line;
}

std::string statementtext(const VornScriptExpressionBase& node) {
    return vornstdstring::trim(node.sourcetext());
}

std::optional<int32_t> parselinenumber(std::string_view text) {
    int32_t value = 0;
    if (text.empty() || text.front() < '0' || text.front() > '9') {
        return std::nullopt;
    }
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

} // namespace vornscript
