// JSON tree: tokenizer, recursive-descent parser and writer (see jsontree.h).
#include "support/jsontree.h"

#include "support/stringescape.h"

namespace vornjson {

namespace {

enum class vornjsontokenkind {
    end,
    openbrace,
    closebrace,
    openbracket,
    closebracket,
    colon,
    comma,
    string,
    number,
    literaltrue,
    literalfalse,
    literalnull,
    error
};

struct vornjsonpunctuation {
    char character;
    vornjsontokenkind kind;
};
constexpr vornjsonpunctuation punctuationtable[] = {
    {'{', vornjsontokenkind::openbrace},   {'}', vornjsontokenkind::closebrace},
    {'[', vornjsontokenkind::openbracket}, {']', vornjsontokenkind::closebracket},
    {':', vornjsontokenkind::colon},       {',', vornjsontokenkind::comma},
};

struct vornjsonliteral {
    std::string_view word;
    vornjsontokenkind kind;
};
constexpr vornjsonliteral literaltable[] = {
    {"true", vornjsontokenkind::literaltrue},
    {"false", vornjsontokenkind::literalfalse},
    {"null", vornjsontokenkind::literalnull},
};

bool isdecimaldigit(char c) {
    return c >= '0' && c <= '9';
}
bool isasciiletter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Reads one token at a time; an error is a token whose text is the message.
class vornjsontokenizer {
public:
    explicit vornjsontokenizer(std::string_view text) : input(text) {}

    vornjsontokenkind kind() const { return tokenkind; }
    const std::string& text() const { return tokentext; }
    const vornjsonposition& position() const { return tokenposition; }
    bool isvalue() const {
        return tokenkind == vornjsontokenkind::string || tokenkind == vornjsontokenkind::number ||
               tokenkind == vornjsontokenkind::literaltrue ||
               tokenkind == vornjsontokenkind::literalfalse ||
               tokenkind == vornjsontokenkind::literalnull;
    }

    void next() {
        while (readposition < input.size() && isblank(current())) {
            advance();
        }
        tokenposition = here;
        tokentext.clear();
        if (readposition >= input.size()) {
            tokenkind = vornjsontokenkind::end;
            return;
        }
        char c = current();
        for (const vornjsonpunctuation& entry : punctuationtable) {
            if (entry.character == c) {
                tokenkind = entry.kind;
                tokentext = c;
                advance();
                return;
            }
        }
        if (c == '"') {
            readstring();
        } else if (c == '+' || c == '-' || isdecimaldigit(c)) {
            readnumber();
        } else if (isasciiletter(c)) {
            readword();
        } else {
            tokenkind = vornjsontokenkind::error;
            tokentext = "unknown character found: ";
            tokentext += c;
        }
    }

private:
    static bool isblank(char c) { return c == '\r' || c == '\n' || c == '\t' || c == ' '; }
    char current() const { return input[readposition]; }

    void advance() {
        char c = input[readposition++];
        if (c == '\n') {
            ++here.line;
            here.column = 1;
        } else if (c == '\t') {
            here.column = ((here.column - 1) / 8 + 1) * 8 + 1;
        } else {
            ++here.column;
        }
    }

    // Appends the current character to the token text and moves on.
    void take() {
        tokentext += current();
        advance();
    }
    void takedigits() {
        while (readposition < input.size() && isdecimaldigit(current())) {
            take();
        }
    }
    bool at(char c) const { return readposition < input.size() && current() == c; }

    // There are no escapes: the string runs to the next double quote.
    void readstring() {
        advance();
        size_t close = input.find('"', readposition);
        if (close == std::string_view::npos) {
            tokenkind = vornjsontokenkind::error;
            tokentext = "literal missing \"";
            return;
        }
        while (readposition < close) {
            take();
        }
        advance();
        tokenkind = vornjsontokenkind::string;
    }

    void readnumber() {
        take();
        takedigits();
        if (at('.')) {
            take();
            takedigits();
        }
        if (at('e') || at('E')) {
            take();
            if (at('-')) {
                take();
            }
            takedigits();
        }
        tokenkind = vornjsontokenkind::number;
    }

    void readword() {
        while (readposition < input.size() &&
               (isasciiletter(current()) || isdecimaldigit(current()))) {
            take();
        }
        for (const vornjsonliteral& entry : literaltable) {
            if (entry.word == tokentext) {
                tokenkind = entry.kind;
                return;
            }
        }
        tokenkind = vornjsontokenkind::error;
        tokentext.insert(0, "invalid identifier ");
    }

    std::string_view input;
    size_t readposition = 0;
    // Position of the next unread character.
    vornjsonposition here;
    vornjsontokenkind tokenkind = vornjsontokenkind::end;
    std::string tokentext;
    vornjsonposition tokenposition;
};

// Recursive descent over the tokenizer; the first failure stops the parse
// and leaves its message in errormessage.
class vornjsonparser {
public:
    explicit vornjsonparser(std::string_view text) : tokens(text) { tokens.next(); }

    bool parsedocument(vornjsontree& tree) {
        if (!parsevalue(tree, 0)) {
            return false;
        }
        // Text after the value is ignored unless it does not even tokenize.
        return tokens.kind() != vornjsontokenkind::error || fail(tokens.text());
    }

    std::string errormessage;
    vornjsonposition errorposition;

private:
    bool fail(const std::string& message) {
        errormessage = message;
        errorposition = tokens.position();
        return false;
    }

    bool parsevalue(vornjsontree& into, int depth) {
        if (tokens.isvalue()) {
            into = vornjsontree(tokens.text());
            tokens.next();
            return true;
        }
        switch (tokens.kind()) {
        case vornjsontokenkind::openbrace:
            return depth < maximumjsondepth ? parseobject(into, depth + 1)
                                            : fail("json data nested too deeply");
        case vornjsontokenkind::openbracket:
            return depth < maximumjsondepth ? parsearray(into, depth + 1)
                                            : fail("json data nested too deeply");
        case vornjsontokenkind::error:
            return fail(tokens.text());
        default:
            return fail("expected json data");
        }
    }

    // Members are separated by an optional ","; keys may be any scalar.
    bool parseobject(vornjsontree& into, int depth) {
        into = vornjsontree::makeobject();
        tokens.next();
        while (tokens.isvalue()) {
            std::string key = tokens.text();
            tokens.next();
            if (tokens.kind() != vornjsontokenkind::colon) {
                return fail("expected : ");
            }
            tokens.next();
            vornjsontree value;
            if (!parsevalue(value, depth)) {
                return false;
            }
            into.setmember(key, std::move(value));
            skipcomma();
        }
        if (tokens.kind() != vornjsontokenkind::closebrace) {
            return fail("expected }");
        }
        tokens.next();
        return true;
    }

    bool parsearray(vornjsontree& into, int depth) {
        into = vornjsontree::makearray();
        tokens.next();
        while (tokens.kind() != vornjsontokenkind::closebracket &&
               tokens.kind() != vornjsontokenkind::end) {
            vornjsontree element;
            if (!parsevalue(element, depth)) {
                return false;
            }
            into.appendelement(std::move(element));
            skipcomma();
        }
        if (tokens.kind() != vornjsontokenkind::closebracket) {
            return fail("expected ]");
        }
        tokens.next();
        return true;
    }

    void skipcomma() {
        if (tokens.kind() == vornjsontokenkind::comma) {
            tokens.next();
        }
    }

    vornjsontokenizer tokens;
};

// One or more decimal digits, blanks around them allowed.
bool isbarenumber(std::string_view text) {
    size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return false;
    }
    size_t last = text.find_last_not_of(' ');
    for (size_t i = first; i <= last; ++i) {
        if (!isdecimaldigit(text[i])) {
            return false;
        }
    }
    return true;
}

void appendindent(std::string& out, int depth) {
    out.append(static_cast<size_t>(depth) * 4, ' ');
}

} // namespace

vornjsontree vornjsontree::makeobject() {
    vornjsontree tree;
    tree.nodekind = jsonobject;
    return tree;
}

vornjsontree vornjsontree::makearray() {
    vornjsontree tree;
    tree.nodekind = jsonarray;
    return tree;
}

void vornjsontree::appendelement(vornjsontree element) {
    nodeelements.push_back(std::move(element));
}

void vornjsontree::setmember(const std::string& key, vornjsontree value) {
    nodemembers.insert_or_assign(key, std::move(value));
}

bool vornjsontree::parse(std::string_view text, std::string& errormessage,
                         vornjsonposition* errorposition) {
    vornjsonparser parser(text);
    vornjsontree parsed;
    if (!parser.parsedocument(parsed)) {
        *this = vornjsontree();
        errormessage = parser.errormessage;
        if (errorposition != nullptr) {
            *errorposition = parser.errorposition;
        }
        return false;
    }
    *this = std::move(parsed);
    return true;
}

std::string vornjsontree::write(int depth) const {
    std::string out;
    writeto(out, depth);
    return out;
}

// A member or element that is itself a container ends with its own line end,
// so the "," after it stands alone on the next line.
void vornjsontree::writeto(std::string& out, int depth) const {
    switch (nodekind) {
    case jsonobject: {
        out += "{\n";
        size_t remaining = nodemembers.size();
        for (const auto& [key, value] : nodemembers) {
            appendindent(out, depth + 1);
            out += '"';
            out += key;
            out += "\": ";
            value.writeto(out, depth + 1);
            out += --remaining > 0 ? ",\n" : "\n";
        }
        appendindent(out, depth);
        out += "}\n";
        return;
    }
    case jsonarray: {
        out += "[\n";
        size_t remaining = nodeelements.size();
        for (const vornjsontree& element : nodeelements) {
            appendindent(out, depth + 1);
            element.writeto(out, depth + 1);
            out += --remaining > 0 ? ",\n" : "\n";
        }
        appendindent(out, depth);
        out += "]\n";
        return;
    }
    case jsonscalar:
        if (isbarenumber(nodetext)) {
            out += nodetext;
        } else {
            out += '"';
            out += vornstdstring::escapestring(nodetext);
            out += '"';
        }
        return;
    }
}

} // namespace vornjson
