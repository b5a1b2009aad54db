// Token kinds of the scanner. A kind is a whole number: single-character
// tokens use their character code; every other token has a fixed code from
// the table below, mostly letters or Latin-1 codes so listings stay readable.
#pragma once

#include <string>

namespace vornscript {

using TokenKind = int;

enum : TokenKind {
    TOKEN_ENDOFFILE = 0,
    TOKEN_LITERAL = 34,
    TOKEN_NUMBER = 48,
    TOKEN_IDENTIFIER = 105,
    // keywords
    TOKEN_CASE = 67,
    TOKEN_DEFAULT = 68,
    TOKEN_ELSE = 69,
    TOKEN_FUNCTION = 70,
    TOKEN_GOTO = 71,
    TOKEN_CATCH = 72,
    TOKEN_IF = 73,
    TOKEN_SWITCH = 83,
    TOKEN_TRY = 84,
    TOKEN_VARIABLE = 86,
    TOKEN_WHILE = 87,
    TOKEN_BREAK = 98,
    TOKEN_CONTINUE = 99,
    TOKEN_DO = 100,
    TOKEN_FOR = 102,
    TOKEN_RETURN = 114,
    TOKEN_TRUE = 116,
    TOKEN_UNTIL = 117,
    TOKEN_NULL = 176,
    TOKEN_FALSE = 198,
    TOKEN_FOREACH = 230,
    TOKEN_IN = 233,
    TOKEN_REPEAT = 242,
    TOKEN_UNDEFINE = 245,
    // multi-character operators
    TOKEN_MATCHES = 77,           // =~
    TOKEN_NOTMATCHES = 109,       // !~
    TOKEN_ASSIGNREFERENCE = 82,   // =&
    TOKEN_NOTEQUAL = 161,         // !=
    TOKEN_ANDAND = 166,           // &&
    TOKEN_INCREMENT = 171,        // ++
    TOKEN_DECREMENT = 173,        // --
    TOKEN_RANGE = 174,            // ..
    TOKEN_SHIFTLEFT = 188,        // <<
    TOKEN_EQUAL = 189,            // ==
    TOKEN_SHIFTRIGHT = 190,       // >>
    TOKEN_OROR = 252,             // ||
    TOKEN_ADDASSIGN = 256,        // +=
    TOKEN_SUBASSIGN = 257,        // -=
    TOKEN_MULASSIGN = 258,        // *=
    TOKEN_DIVASSIGN = 259,        // /=
    TOKEN_MODASSIGN = 260,        // %=
    TOKEN_ORASSIGN = 261,         // |=
    TOKEN_ANDASSIGN = 262,        // &=
    TOKEN_XORASSIGN = 263,        // ^=
    TOKEN_LESSEQUAL = 264,        // <=
    TOKEN_GREATEREQUAL = 265,     // >=
    TOKEN_SHIFTLEFTASSIGN = 266,  // <<=
    TOKEN_SHIFTRIGHTASSIGN = 267, // >>=
    TOKEN_ELLIPSIS = 302,         // ...
};

// The name a listing or a "missing" error prints for a kind: the table name
// for named kinds, the character itself for single-character tokens and for
// any kind without a name, which is the low byte of its code (so `^=`, which
// has no name, prints as the control character 7).
std::string tokenkindname(TokenKind kind);

} // namespace vornscript
