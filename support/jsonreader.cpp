// The JSON tokenizer (see jsonreader.h).
#include "support/jsonreader.h"

namespace vornjson {

namespace {

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
bool isblank(char c) {
    return c == '\r' || c == '\n' || c == '\t' || c == ' ';
}

} // namespace

// A line feed starts the next line at column 1, a tab moves to the column
// after the next multiple of 8.
vornjsonposition vornjsontokenizer::position() const {
    vornjsonposition here;
    for (size_t i = 0; i < tokenstart; ++i) {
        const char c = input[i];
        if (c == '\n') {
            ++here.line;
            here.column = 1;
        } else if (c == '\t') {
            here.column = ((here.column - 1) / 8 + 1) * 8 + 1;
        } else {
            ++here.column;
        }
    }
    return here;
}

void vornjsontokenizer::next() {
    while (readposition < input.size() && isblank(input[readposition])) {
        ++readposition;
    }
    tokenstart = readposition;
    tokentext = {};
    if (readposition >= input.size()) {
        tokenkind = vornjsontokenkind::end;
        return;
    }
    const char c = input[readposition];
    for (const vornjsonpunctuation& entry : punctuationtable) {
        if (entry.character == c) {
            tokenkind = entry.kind;
            tokentext = input.substr(readposition++, 1);
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
        tokenerror = "unknown character found: ";
        tokenerror += c;
    }
}

// There are no escapes: the string runs to the next double quote.
void vornjsontokenizer::readstring() {
    const size_t close = input.find('"', readposition + 1);
    if (close == std::string_view::npos) {
        tokenkind = vornjsontokenkind::error;
        tokenerror = "literal missing \"";
        ++readposition;
        return;
    }
    tokentext = input.substr(readposition + 1, close - readposition - 1);
    readposition = close + 1;
    tokenkind = vornjsontokenkind::string;
}

void vornjsontokenizer::takedigits() {
    while (readposition < input.size() && isdecimaldigit(input[readposition])) {
        ++readposition;
    }
}

// A sign or digit, digits, an optional fraction, an optional exponent whose
// sign can only be "-".
void vornjsontokenizer::readnumber() {
    ++readposition;
    takedigits();
    if (at('.')) {
        ++readposition;
        takedigits();
    }
    if (at('e') || at('E')) {
        ++readposition;
        if (at('-')) {
            ++readposition;
        }
        takedigits();
    }
    tokentext = input.substr(tokenstart, readposition - tokenstart);
    tokenkind = vornjsontokenkind::number;
}

void vornjsontokenizer::readword() {
    while (readposition < input.size() &&
           (isasciiletter(input[readposition]) || isdecimaldigit(input[readposition]))) {
        ++readposition;
    }
    tokentext = input.substr(tokenstart, readposition - tokenstart);
    for (const vornjsonliteral& entry : literaltable) {
        if (entry.word == tokentext) {
            tokenkind = entry.kind;
            return;
        }
    }
    tokenkind = vornjsontokenkind::error;
    tokenerror = "invalid identifier ";
    tokenerror += tokentext;
}

} // namespace vornjson
