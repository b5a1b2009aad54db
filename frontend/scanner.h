// The scanner: turns a script text into tokens, one at a time, for the parser
// and for the -scan listing. It reads the shared source text in place and
// tracks line and column for every token; all its errors are syntax errors
// ("invalid syntax: ...") raised at the current token's start position.
#pragma once

#include "frontend/scriptsource.h"
#include "frontend/tokenkinds.h"
#include "values/errorexception.h"

#include <string>

namespace vornscript {

class VornScriptScanner {
public:
    explicit VornScriptScanner(VornScriptSourcePtr source);

    // Resets to line 1, column 1 and reads the first token; returns its kind.
    TokenKind start();
    // Reads the next token; returns its kind, which becomes the current kind.
    TokenKind next();

    TokenKind kind() const { return kind_; }
    TokenKind previouskind() const { return previouskind_; }
    const std::string& text() const { return text_; }
    // Start position of the current token (a copy, with the script name).
    VornScriptSourcePosition tokenposition() const;
    VornScriptSourcePosition previoustokenposition() const;
    const VornScriptSourcePtr& source() const { return source_; }

    // Fails with "missing <kind name>" unless the current kind is the expected
    // one; otherwise reads the next token.
    void expect(TokenKind expected);

    // Throws "invalid syntax: <message>" at the current token's start.
    [[noreturn]] void raisesyntaxerror(const std::string& message) const;

    // The -scan listing line of the current token, e.g. "console L1C1 NUMBER 1".
    std::string describetoken() const;

    // True for the identifiers the parser accepts as cast types.
    static bool iscasttype(const std::string& identifier);

private:
    // (implementation state: positions, current character access, readers)
    VornScriptSourcePtr source_;
    TokenKind kind_ = 0;
    TokenKind previouskind_ = 0;
    std::string text_;
};

} // namespace vornscript
