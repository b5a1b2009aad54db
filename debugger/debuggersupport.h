// Texts shared by the debugger's hooks, commands and console: its messages
// (translated with the tag "debugger" before any detail is appended) and the
// location line that names a statement by file, line and column.
#pragma once

#include "frontend/syntaxtree.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vornscript {

// The phrase in the selected language.
std::string debuggermessage(const char* phrase);

// "name L007C003 text\n": the file name and a blank only when the name is
// not empty, line and column padded with "0" to at least three digits.
std::string locationline(const VornScriptSourcePosition& position, const std::string& statement);

// The node's source text trimmed of white space at both ends.
std::string statementtext(const VornScriptExpressionBase& node);

// A whole number made of decimal digits only, or nothing (also on overflow).
std::optional<int32_t> parselinenumber(std::string_view text);

} // namespace vornscript
