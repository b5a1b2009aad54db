// The scanner: turns a script text into tokens, one at a time, for the parser
// and for the -scan listing. It reads the shared source text in place and
// tracks line and column for every token; all its errors are syntax errors
// ("invalid syntax: ...") raised at the current token's start position.
// The token text buffer is reused from token to token, so scanning allocates
// only when a token is longer than any before it.
#pragma once

#include "frontend/scriptsource.h"
#include "frontend/tokenkinds.h"
#include "values/errorexception.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vornscript {

struct VornScriptSpecialTextForm;

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
    // The parts of tokenposition() without copying the script name.
    int32_t tokenline() const { return tokenstart_.line; }
    int32_t tokencolumn() const { return tokenstart_.column; }
    int32_t tokencharpos() const { return tokenstart_.charpos; }

    // Fails with "missing <kind name>" unless the current kind is the expected
    // one; otherwise reads the next token.
    void expect(TokenKind expected);

    // Throws "invalid syntax: <message>" at the current token's start.
    [[noreturn]] void raisesyntaxerror(const std::string& message) const;

    // The -scan listing line of the current token, e.g. "console L1C1 NUMBER 1".
    std::string describetoken() const;

    // True for the identifiers the parser accepts as cast types.
    static bool iscasttype(const std::string& identifier);

    // Character access at the reading position (just after the current
    // token). The text ends at its end or at its first NUL; past that end
    // every character reads as 0.
    char currentchar() const { return charat(read_.charpos); }
    char peekchar(size_t offset) const { return charat(read_.charpos + offset); }
    // The first character from the reading position on that is not a blank,
    // tab, CR or LF; the parser tells a label ("name :") from an expression by it.
    char nextnonblankchar() const;
    bool startswithword(std::string_view word) const;

private:
    // A place in the text: line and column count from 1, charpos from 0.
    struct Cursor {
        int32_t line = 1;
        int32_t column = 1;
        int32_t charpos = 0;
    };

    char charat(size_t index) const { return index < length_ ? data_[index] : '\0'; }
    void advance();
    void skip(size_t count);

    // Raises the translated scanner phrase followed by an untranslated detail.
    [[noreturn]] void fail(const char* phrase, std::string_view detail = {}) const;

    void skipblanksandcomments();
    void appenddigits();
    void readnumber();
    void readhexnumber();
    void readidentifier();
    void readoperator();
    // Reads a quoted text or a (nested) special text form into text_.
    void readtext();
    void readquotedtext(bool multiline, bool noescape);
    void readescape();
    void readhexescape();
    const VornScriptSpecialTextForm* specialformhere() const;

    VornScriptSourcePtr source_;
    // The source text up to its first NUL: everything after is not scanned.
    const char* data_ = nullptr;
    size_t length_ = 0;

    Cursor read_;               // where the next character is read
    Cursor tokenstart_;         // first character of the current token
    Cursor previoustokenstart_; // first character of the token before
    TokenKind kind_ = 0;
    TokenKind previouskind_ = 0;
    std::string text_;
    // Open special text forms of the text being read, outermost first; kept
    // as a member so nested forms need neither recursion nor new buffers.
    std::vector<const VornScriptSpecialTextForm*> openforms_;
};

} // namespace vornscript
