// Names of the token kinds, as the -scan listing and "missing" errors print
// them. The names are one data table; a lookup array indexed by kind is built
// from it at compile time, so naming a kind never searches.
#include "frontend/tokenkinds.h"

#include <array>
#include <string_view>

namespace vornscript {

namespace {

struct KindName {
    TokenKind kind;
    std::string_view name;
};

// Kinds that are not single characters. Single-character tokens are named by
// their character and need no entry.
constexpr KindName kindnames[] = {
    {TOKEN_ENDOFFILE, "Endoffile"},
    {TOKEN_LITERAL, "LITERAL"},
    {TOKEN_NUMBER, "NUMBER"},
    {TOKEN_IDENTIFIER, "IDENTIFIER"},
    {TOKEN_CASE, "CASE"},
    {TOKEN_DEFAULT, "DEFAULT"},
    {TOKEN_ELSE, "ELSE"},
    {TOKEN_FUNCTION, "FUNCTION"},
    {TOKEN_GOTO, "GOTO"},
    {TOKEN_CATCH, "CATCH"},
    {TOKEN_IF, "IF"},
    {TOKEN_SWITCH, "SWITCH"},
    {TOKEN_TRY, "TRY"},
    {TOKEN_VARIABLE, "VARIABLE"},
    {TOKEN_WHILE, "WHILE"},
    {TOKEN_BREAK, "BREAK"},
    {TOKEN_CONTINUE, "CONTINUE"},
    {TOKEN_DO, "DO"},
    {TOKEN_FOR, "FOR"},
    {TOKEN_RETURN, "RETURN"},
    {TOKEN_TRUE, "TRUE"},
    {TOKEN_UNTIL, "UNTIL"},
    {TOKEN_NULL, "NULL"},
    {TOKEN_FALSE, "FALSE"},
    {TOKEN_FOREACH, "FOREACH"},
    {TOKEN_IN, "IN"},
    {TOKEN_REPEAT, "REPEAT"},
    {TOKEN_UNDEFINE, "UNDEFINE"},
    {TOKEN_MATCHES, "=~"},
    {TOKEN_NOTMATCHES, "!~"},
    {TOKEN_ASSIGNREFERENCE, "=&"},
    {TOKEN_NOTEQUAL, "!="},
    {TOKEN_ANDAND, "&&"},
    {TOKEN_INCREMENT, "++"},
    {TOKEN_DECREMENT, "--"},
    {TOKEN_RANGE, ".."},
    {TOKEN_SHIFTLEFT, "<<"},
    {TOKEN_EQUAL, "=="},
    {TOKEN_SHIFTRIGHT, ">>"},
    {TOKEN_OROR, "||"},
    {TOKEN_ADDASSIGN, "+="},
    {TOKEN_SUBASSIGN, "-="},
    {TOKEN_MULASSIGN, "*="},
    {TOKEN_DIVASSIGN, "/="},
    {TOKEN_MODASSIGN, "%="},
    {TOKEN_ORASSIGN, "|="},
    {TOKEN_ANDASSIGN, "&="},
    // TOKEN_XORASSIGN has no name of its own.
    {TOKEN_LESSEQUAL, "<="},
    {TOKEN_GREATEREQUAL, ">="},
    {TOKEN_SHIFTLEFTASSIGN, "<<="},
    {TOKEN_SHIFTRIGHTASSIGN, ">>="},
    {TOKEN_ELLIPSIS, "..."},
};

constexpr TokenKind largestnamedkind = TOKEN_ELLIPSIS;

constexpr auto namebykind = [] {
    std::array<std::string_view, largestnamedkind + 1> names{};
    for (const KindName& entry : kindnames) {
        names[static_cast<size_t>(entry.kind)] = entry.name;
    }
    return names;
}();

} // namespace

std::string tokenkindname(TokenKind kind) {
    if (kind >= 0 && kind <= largestnamedkind) {
        std::string_view name = namebykind[static_cast<size_t>(kind)];
        if (!name.empty()) {
            return std::string(name);
        }
    }
    return std::string(1, static_cast<char>(kind));
}

} // namespace vornscript
