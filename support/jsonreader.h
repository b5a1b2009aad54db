// The JSON reader: tokenizer and recursive-descent parser, generic over the
// builder that turns what it reads into nodes, so that the JSON tree and the
// interpreter's values are both built straight from the text without an
// intermediate copy. Tokens are views into the input (strings have no
// escapes), and a token's line and column are computed only for a failure.
#pragma once

#include "support/jsontree.h"

#include <string>
#include <string_view>
#include <utility>

namespace vornjson {

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

// Reads one token at a time; an error token carries its message.
class vornjsontokenizer {
public:
    explicit vornjsontokenizer(std::string_view text) : input(text) {}

    vornjsontokenkind kind() const { return tokenkind; }
    // The token as written; a string's contents without the quotes.
    std::string_view text() const { return tokentext; }
    // The message of an error token.
    const std::string& errortext() const { return tokenerror; }
    // Line and column where the current token starts.
    vornjsonposition position() const;
    bool isvalue() const {
        return tokenkind == vornjsontokenkind::string || tokenkind == vornjsontokenkind::number ||
               tokenkind == vornjsontokenkind::literaltrue ||
               tokenkind == vornjsontokenkind::literalfalse ||
               tokenkind == vornjsontokenkind::literalnull;
    }

    void next();

private:
    void readstring();
    void readnumber();
    void readword();
    void takedigits();
    bool at(char c) const { return readposition < input.size() && input[readposition] == c; }

    std::string_view input;
    size_t readposition = 0;
    size_t tokenstart = 0;
    vornjsontokenkind tokenkind = vornjsontokenkind::end;
    std::string_view tokentext;
    std::string tokenerror;
};

// Recursive descent over the tokenizer; the first failure stops the parse and
// leaves its message in errormessage. [Builder] provides the node types value,
// object and array and the operations scalar(text), makeobject(),
// setmember(object, key, value) (a repeated key replaces the earlier value),
// finishobject(object), makearray(), append(array, value) and
// finisharray(array).
template <class Builder> class vornjsonparser {
public:
    using value = typename Builder::value;

    vornjsonparser(std::string_view text, Builder& builder) : tokens(text), builder(builder) {
        tokens.next();
    }

    bool parsedocument(value& into) {
        if (!parsevalue(into, 0)) {
            return false;
        }
        // Text after the value is ignored unless it does not even tokenize.
        return tokens.kind() != vornjsontokenkind::error || failtoken();
    }

    std::string errormessage;
    vornjsonposition errorposition;

private:
    bool fail(std::string message) {
        errormessage = std::move(message);
        errorposition = tokens.position();
        return false;
    }
    bool failtoken() { return fail(tokens.errortext()); }

    bool parsevalue(value& into, int depth) {
        if (tokens.isvalue()) {
            into = builder.scalar(tokens.text());
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
            return failtoken();
        default:
            return fail("expected json data");
        }
    }

    // Members are separated by an optional ","; keys may be any scalar.
    bool parseobject(value& into, int depth) {
        typename Builder::object members = builder.makeobject();
        tokens.next();
        while (tokens.isvalue()) {
            const std::string_view key = tokens.text();
            tokens.next();
            if (tokens.kind() != vornjsontokenkind::colon) {
                return fail("expected : ");
            }
            tokens.next();
            value member{};
            if (!parsevalue(member, depth)) {
                return false;
            }
            builder.setmember(members, key, std::move(member));
            skipcomma();
        }
        if (tokens.kind() != vornjsontokenkind::closebrace) {
            return fail("expected }");
        }
        tokens.next();
        into = builder.finishobject(std::move(members));
        return true;
    }

    bool parsearray(value& into, int depth) {
        typename Builder::array elements = builder.makearray();
        tokens.next();
        while (tokens.kind() != vornjsontokenkind::closebracket &&
               tokens.kind() != vornjsontokenkind::end) {
            value element{};
            if (!parsevalue(element, depth)) {
                return false;
            }
            builder.append(elements, std::move(element));
            skipcomma();
        }
        if (tokens.kind() != vornjsontokenkind::closebracket) {
            return fail("expected ]");
        }
        tokens.next();
        into = builder.finisharray(std::move(elements));
        return true;
    }

    void skipcomma() {
        if (tokens.kind() == vornjsontokenkind::comma) {
            tokens.next();
        }
    }

    vornjsontokenizer tokens;
    Builder& builder;
};

} // namespace vornjson
