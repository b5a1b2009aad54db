// The scanner: reads one token at a time from the shared script text. The
// language's words (keywords, operators, special text forms, cast types) are
// data tables at the top; the readers below only walk the characters.
// Nested special text forms are read with an explicit list of open forms, so
// no script can drive the scanner into deep native recursion.
#include "frontend/scanner.h"

#include "support/phrasetranslator.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <utility>

namespace vornscript {

namespace {

const std::string translatortag = "scriptscanner";

struct Keyword {
    std::string_view text;
    TokenKind kind;
};

constexpr Keyword keywords[] = {
    {"break", TOKEN_BREAK},
    {"case", TOKEN_CASE},
    {"catch", TOKEN_CATCH},
    {"continue", TOKEN_CONTINUE},
    {"default", TOKEN_DEFAULT},
    {"do", TOKEN_DO},
    {"else", TOKEN_ELSE},
    {"false", TOKEN_FALSE},
    {"for", TOKEN_FOR},
    {"foreach", TOKEN_FOREACH},
    {"function", TOKEN_FUNCTION},
    {"goto", TOKEN_GOTO},
    {"if", TOKEN_IF},
    {"in", TOKEN_IN},
    {"null", TOKEN_NULL},
    {"repeat", TOKEN_REPEAT},
    {"return", TOKEN_RETURN},
    {"switch", TOKEN_SWITCH},
    {"true", TOKEN_TRUE},
    {"try", TOKEN_TRY},
    {"undef", TOKEN_UNDEFINE},
    {"until", TOKEN_UNTIL},
    {"var", TOKEN_VARIABLE},
    {"while", TOKEN_WHILE},
};

// Every keyword starts with a letter from b to w, so other identifiers skip the search.
constexpr char firstkeywordletter = 'b';
constexpr char lastkeywordletter = 'w';

struct Operator {
    std::string_view text;
    TokenKind kind;
};

// Operators grouped by their first character, longest first inside a group,
// so the first entry that matches at the reading position is the longest match.
constexpr Operator operators[] = {
    {"(", '('},
    {")", ')'},
    {"[", '['},
    {"]", ']'},
    {"{", '{'},
    {"}", '}'},
    {"?", '?'},
    {",", ','},
    {";", ';'},
    {"~", '~'},
    {":", ':'},
    {"==", TOKEN_EQUAL},
    {"=~", TOKEN_MATCHES},
    {"=&", TOKEN_ASSIGNREFERENCE},
    {"=", '='},
    {"++", TOKEN_INCREMENT},
    {"+=", TOKEN_ADDASSIGN},
    {"+", '+'},
    {"--", TOKEN_DECREMENT},
    {"-=", TOKEN_SUBASSIGN},
    {"-", '-'},
    {"!=", TOKEN_NOTEQUAL},
    {"!~", TOKEN_NOTMATCHES},
    {"!", '!'},
    {"<<=", TOKEN_SHIFTLEFTASSIGN},
    {"<=", TOKEN_LESSEQUAL},
    {"<<", TOKEN_SHIFTLEFT},
    {"<", '<'},
    {">>=", TOKEN_SHIFTRIGHTASSIGN},
    {">=", TOKEN_GREATEREQUAL},
    {">>", TOKEN_SHIFTRIGHT},
    {">", '>'},
    {"&&", TOKEN_ANDAND},
    {"&=", TOKEN_ANDASSIGN},
    {"&", '&'},
    {"||", TOKEN_OROR},
    {"|=", TOKEN_ORASSIGN},
    {"|", '|'},
    {"^=", TOKEN_XORASSIGN},
    {"^", '^'},
    {"*=", TOKEN_MULASSIGN},
    {"*", '*'},
    {"/=", TOKEN_DIVASSIGN},
    {"/", '/'},
    {"%=", TOKEN_MODASSIGN},
    {"%", '%'},
    {"...", TOKEN_ELLIPSIS},
    {"..", TOKEN_RANGE},
    {".", '.'},
};

constexpr size_t operatorcount = std::size(operators);

// Index of the first operator starting with a character, operatorcount when none does.
constexpr auto firstoperator = [] {
    std::array<size_t, 256> first{};
    first.fill(operatorcount);
    for (size_t i = operatorcount; i-- > 0;) {
        first[static_cast<unsigned char>(operators[i].text[0])] = i;
    }
    return first;
}();

constexpr bool operatorsaregrouped() {
    for (size_t i = 0; i < operatorcount; ++i) {
        for (size_t j = i + 2; j < operatorcount; ++j) {
            if (operators[j].text[0] == operators[i].text[0] &&
                operators[j - 1].text[0] != operators[i].text[0]) {
                return false;
            }
        }
    }
    return true;
}
static_assert(operatorsaregrouped(), "operators must be grouped by first character");

constexpr std::string_view casttypes[] = {"long",   "double",    "float", "int",
                                          "string", "structure", "vector"};

constexpr bool isdigit(char c) {
    return c >= '0' && c <= '9';
}
constexpr bool isletter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
constexpr bool isidentifierchar(char c) {
    return isletter(c) || isdigit(c) || c == '_';
}
constexpr bool isblank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Value of a hexadecimal digit, -1 for any other character.
constexpr int hexvalue(char c) {
    if (isdigit(c)) {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

} // namespace

struct VornScriptSpecialTextForm {
    // How the form changes one switch of the text inside it.
    enum class Switch { unchanged, on, off };

    std::string_view word;
    Switch multiline;
    Switch noescape;
    const char* missingopen;
    const char* missingclose;
};

namespace {

using TextSwitch = VornScriptSpecialTextForm::Switch;

// In the order the forms are tried at an underscore.
constexpr VornScriptSpecialTextForm specialforms[] = {
    {"__multiline__", TextSwitch::on, TextSwitch::unchanged, "__multiline__ missing (",
     "__multiline__ string missing closing ) before end of code"},
    {"__noescape__", TextSwitch::unchanged, TextSwitch::on, "__noescape__ missing (",
     "__noescape__ string missing closing )"},
    {"__escape__", TextSwitch::unchanged, TextSwitch::off, "__escape__ missing (",
     "__escape__ string missing closing )"},
    {"__singleline__", TextSwitch::off, TextSwitch::unchanged, "__singleline__ missing (",
     "__singleline__ string missing closing ) before end of line"},
};

void applyswitch(TextSwitch change, bool& value) {
    if (change != TextSwitch::unchanged) {
        value = change == TextSwitch::on;
    }
}

} // namespace

VornScriptScanner::VornScriptScanner(VornScriptSourcePtr source) : source_(std::move(source)) {
    if (!source_) {
        source_ = makescriptsource("", "");
    }
    const std::string& text = source_->text;
    data_ = text.data();
    length_ = std::min(text.size(), text.find('\0'));
}

TokenKind VornScriptScanner::start() {
    read_ = Cursor{};
    tokenstart_ = Cursor{};
    previoustokenstart_ = Cursor{};
    kind_ = 0;
    previouskind_ = 0;
    text_.clear();
    return next();
}

TokenKind VornScriptScanner::next() {
    previoustokenstart_ = tokenstart_;
    previouskind_ = kind_;
    text_.clear();
    kind_ = TOKEN_ENDOFFILE;
    // Runs before the start moves, so an unclosed comment reports the token before it.
    skipblanksandcomments();
    tokenstart_ = read_;
    const char c = currentchar();
    if (c == '\0') {
        return kind_;
    }
    if (c == '"' || c == '\'' || (c == '_' && specialformhere() != nullptr)) {
        readtext();
        kind_ = TOKEN_LITERAL;
    } else if (isdigit(c)) {
        readnumber();
        kind_ = TOKEN_NUMBER;
    } else if (isletter(c) || c == '_' || (c == ':' && peekchar(1) == ':')) {
        readidentifier();
    } else {
        readoperator();
    }
    return kind_;
}

VornScriptSourcePosition VornScriptScanner::tokenposition() const {
    return {tokenstart_.line, tokenstart_.column, tokenstart_.charpos, source_->name};
}

VornScriptSourcePosition VornScriptScanner::previoustokenposition() const {
    return {previoustokenstart_.line, previoustokenstart_.column, previoustokenstart_.charpos,
            source_->name};
}

void VornScriptScanner::expect(TokenKind expected) {
    if (kind_ != expected) {
        raisesyntaxerror(translate("missing", translatortag) + " " + tokenkindname(expected));
    }
    next();
}

void VornScriptScanner::raisesyntaxerror(const std::string& message) const {
    raiseerroratposition(tokenposition(),
                         translate("invalid syntax:", translatortag) + " " + message);
}

void VornScriptScanner::fail(const char* phrase, std::string_view detail) const {
    std::string message = translate(phrase, translatortag);
    message.append(detail);
    raisesyntaxerror(message);
}

std::string VornScriptScanner::describetoken() const {
    std::string line;
    if (!source_->name.empty()) {
        line = source_->name + " ";
    }
    if (tokenstart_.line != 0) {
        line += translate("L", translatortag) + std::to_string(tokenstart_.line);
        line += translate("C", translatortag) + std::to_string(tokenstart_.column);
    }
    const std::string name = tokenkindname(kind_);
    line += " " + name;
    if (text_ != name) {
        line += " " + text_;
    }
    return line;
}

bool VornScriptScanner::iscasttype(const std::string& identifier) {
    for (std::string_view type : casttypes) {
        if (identifier == type) {
            return true;
        }
    }
    return false;
}

char VornScriptScanner::nextnonblankchar() const {
    size_t index = static_cast<size_t>(read_.charpos);
    while (isblank(charat(index))) {
        ++index;
    }
    return charat(index);
}

bool VornScriptScanner::startswithword(std::string_view word) const {
    const size_t position = static_cast<size_t>(read_.charpos);
    return length_ - position >= word.size() &&
           std::memcmp(data_ + position, word.data(), word.size()) == 0;
}

void VornScriptScanner::advance() {
    const char c = currentchar();
    if (c == '\0') {
        return;
    }
    ++read_.charpos;
    if (c == '\r') {
        read_.column = 1;
    } else if (c == '\n') {
        ++read_.line;
        read_.column = 1;
    } else {
        ++read_.column;
    }
}

void VornScriptScanner::skip(size_t count) {
    for (; count > 0; --count) {
        advance();
    }
}

void VornScriptScanner::skipblanksandcomments() {
    for (;;) {
        const char c = currentchar();
        if (isblank(c)) {
            advance();
        } else if (c == '/' && peekchar(1) == '/') {
            while (currentchar() != '\0' && currentchar() != '\n') {
                advance();
            }
        } else if (c == '/' && peekchar(1) == '*') {
            const int32_t startline = read_.line;
            skip(2);
            while (!(currentchar() == '*' && peekchar(1) == '/')) {
                if (currentchar() == '\0') {
                    raisesyntaxerror(translate("block comment started in line", translatortag) +
                                     " " + std::to_string(startline) + " " +
                                     translate("not closed by */", translatortag));
                }
                advance();
            }
            skip(2);
        } else {
            return;
        }
    }
}

void VornScriptScanner::appenddigits() {
    while (isdigit(currentchar())) {
        text_.push_back(currentchar());
        advance();
    }
}

void VornScriptScanner::readnumber() {
    appenddigits();
    if (text_ == "0" && (currentchar() == 'x' || currentchar() == 'X')) {
        advance();
        readhexnumber();
        return;
    }
    // "3." and "0..1": a dot without a digit after it belongs to the next token.
    if (currentchar() == '.' && isdigit(peekchar(1))) {
        text_.push_back('.');
        advance();
        appenddigits();
    }
    const char e = currentchar();
    const char afterexponent = peekchar(1);
    const bool signeddigits =
        (afterexponent == '+' || afterexponent == '-') && isdigit(peekchar(2));
    if ((e == 'e' || e == 'E') && (isdigit(afterexponent) || signeddigits)) {
        text_.push_back(e);
        advance();
        if (signeddigits) {
            text_.push_back(afterexponent);
            advance();
        }
        appenddigits();
    }
}

// The token text of a hexadecimal number is its decimal value. Up to 16
// digits are taken as a 64-bit pattern, so 0xFFFFFFFFFFFFFFFF reads as -1.
void VornScriptScanner::readhexnumber() {
    uint64_t value = 0;
    for (int digit = hexvalue(currentchar()); digit >= 0; digit = hexvalue(currentchar())) {
        if ((value >> 60) != 0) {
            fail("hexadecimal number too large");
        }
        value = value * 16 + static_cast<uint64_t>(digit);
        advance();
    }
    if (isletter(currentchar())) {
        const char detail[] = {':', ' ', currentchar()};
        fail("invalid character found", std::string_view(detail, sizeof detail));
    }
    char digits[24];
    const auto result = std::to_chars(digits, digits + sizeof digits, static_cast<int64_t>(value));
    text_.assign(digits, result.ptr);
}

void VornScriptScanner::readidentifier() {
    for (;;) {
        const char c = currentchar();
        if (isidentifierchar(c)) {
            text_.push_back(c);
            advance();
        } else if (c == ':' && peekchar(1) == ':') {
            text_.append("::");
            skip(2);
        } else {
            break;
        }
    }
    if (text_.find(":::") != std::string::npos || text_.ends_with("::")) {
        fail("invalid namespace in identifier");
    }
    kind_ = TOKEN_IDENTIFIER;
    if (text_[0] >= firstkeywordletter && text_[0] <= lastkeywordletter) {
        for (const Keyword& keyword : keywords) {
            if (text_ == keyword.text) {
                kind_ = keyword.kind;
                return;
            }
        }
    }
}

void VornScriptScanner::readoperator() {
    const char c = currentchar();
    for (size_t i = firstoperator[static_cast<unsigned char>(c)];
         i < operatorcount && operators[i].text[0] == c; ++i) {
        if (startswithword(operators[i].text)) {
            text_.assign(operators[i].text);
            kind_ = operators[i].kind;
            skip(operators[i].text.size());
            return;
        }
    }
    const char detail[] = {':', ' ', c};
    fail("invalid character found", std::string_view(detail, sizeof detail));
}

const VornScriptSpecialTextForm* VornScriptScanner::specialformhere() const {
    for (const VornScriptSpecialTextForm& form : specialforms) {
        if (startswithword(form.word)) {
            return &form;
        }
    }
    return nullptr;
}

// A text is a quoted text inside any number of special forms. The forms are
// opened first (each may change the switches for everything inside it), then
// the quoted text is read, then the forms are closed innermost first. A form
// holding no quoted text gives the empty text.
void VornScriptScanner::readtext() {
    bool multiline = false;
    bool noescape = false;
    openforms_.clear();
    while (const VornScriptSpecialTextForm* form = specialformhere()) {
        skip(form->word.size());
        skipblanksandcomments();
        if (currentchar() != '(') {
            fail(form->missingopen);
        }
        advance();
        skipblanksandcomments();
        applyswitch(form->multiline, multiline);
        applyswitch(form->noescape, noescape);
        openforms_.push_back(form);
    }
    if (currentchar() == '"' || currentchar() == '\'') {
        readquotedtext(multiline, noescape);
    }
    for (auto form = openforms_.rbegin(); form != openforms_.rend(); ++form) {
        skipblanksandcomments();
        if (currentchar() != ')') {
            fail((*form)->missingclose);
        }
        advance();
    }
}

void VornScriptScanner::readquotedtext(bool multiline, bool noescape) {
    const char quote = currentchar();
    advance();
    for (;;) {
        const char c = currentchar();
        if (c == quote) {
            advance();
            return;
        }
        if (c == '\0') {
            fail(multiline ? "__multiline__ string is not ending before end of code"
                           : "string is not ending before end of line");
        }
        if (c == '\\' && !noescape) {
            readescape();
            continue;
        }
        if (!multiline && (c == '\r' || c == '\n')) {
            fail("string is not ending before end of line");
        }
        text_.push_back(c);
        advance();
    }
}

namespace {

struct SimpleEscape {
    char written;
    char value;
};

constexpr SimpleEscape simpleescapes[] = {
    {'b', '\b'}, {'f', '\f'}, {'n', '\n'}, {'r', '\r'}, {'t', '\t'},
};

} // namespace

// At a backslash. Unknown escapes give the character itself, which covers
// \" \' and \\; a backslash at the very end of the text stays a backslash.
void VornScriptScanner::readescape() {
    advance();
    const char c = currentchar();
    if (c == '\0') {
        text_.push_back('\\');
        return;
    }
    if (c == 'x' || c == 'X') {
        readhexescape();
        return;
    }
    char value = c;
    for (const SimpleEscape& escape : simpleescapes) {
        if (escape.written == c) {
            value = escape.value;
        }
    }
    text_.push_back(value);
    advance();
}

// At the x of \x: one or two hex digits, or any count in braces (\x{BC}).
// Without digits the escape is kept as written, "\x" or "\x{}".
void VornScriptScanner::readhexescape() {
    const char letter = currentchar();
    advance();
    const bool braced = currentchar() == '{';
    if (braced) {
        advance();
    }
    constexpr unsigned toolarge = 256;
    unsigned value = 0;
    int digits = 0;
    for (int digit = hexvalue(currentchar()); digit >= 0 && (braced || digits < 2);
         digit = hexvalue(currentchar())) {
        value = std::min(value * 16 + static_cast<unsigned>(digit), toolarge);
        ++digits;
        advance();
    }
    if (braced) {
        if (currentchar() != '}') {
            fail("\\x{ missing closing }");
        }
        advance();
    }
    if (digits == 0) {
        text_.push_back('\\');
        text_.push_back(letter);
        if (braced) {
            text_.append("{}");
        }
        return;
    }
    if (value >= toolarge) {
        fail("\\xHH too large");
    }
    text_.push_back(static_cast<char>(value));
}

} // namespace vornscript
