// Parsing and writing one XML/HTML-like tag. A small hand-written scanner:
// tags in scripts are short, and the messages name exactly what is missing.
#include "support/xmltag.h"

#include "support/phrasetranslator.h"
#include "support/stringbasics.h"
#include "support/stringescape.h"

namespace vornstdstring {

namespace {

constexpr std::string_view blankbytes = " \t\r\n";

bool isnamebyte(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '-' || c == ':' || c == '.' || static_cast<unsigned char>(c) >= 0x80;
}

size_t skipblanks(std::string_view text, size_t position) {
    size_t next = text.find_first_not_of(blankbytes, position);
    return next == std::string_view::npos ? text.size() : next;
}

std::string_view readname(std::string_view text, size_t& position) {
    size_t start = position;
    while (position < text.size() && isnamebyte(text[position])) {
        ++position;
    }
    return text.substr(start, position - start);
}

// The message is the translated phrase followed by its fixed [suffix].
bool failtag(const std::string& phrase, std::string& errortext, std::string_view suffix = {}) {
    errortext = "error: " + vornscript::translate(phrase, "xmltag");
    errortext += suffix;
    return false;
}

} // namespace

VornXMLTag::~VornXMLTag() = default;

bool VornXMLTag::parse(std::string_view text, std::string& errortext) {
    name.clear();
    attributes.clear();
    closing = selfclosing = false;
    length = 0;
    size_t i = skipblanks(text, 0);
    if (i == text.size() || text[i] != '<') {
        return failtag("< expected", errortext);
    }
    ++i;
    if (i < text.size() && text[i] == '/') {
        closing = true;
        ++i;
    }
    name = readname(text, i);
    if (name.empty()) {
        return failtag("< requires a tag name e.g. <sound ...> or <img ...>", errortext);
    }
    while (true) {
        i = skipblanks(text, i);
        if (i == text.size()) {
            return failtag("tag missing closing >", errortext);
        }
        if (text[i] == '>') {
            length = i + 1;
            return true;
        }
        if (text.substr(i, 2) == "/>") {
            selfclosing = true;
            length = i + 2;
            return true;
        }
        std::string_view attributename = readname(text, i);
        if (attributename.empty()) {
            return failtag("attribute name expected", errortext);
        }
        size_t afterblanks = skipblanks(text, i);
        if (afterblanks == text.size() || text[afterblanks] != '=') {
            attributes.emplace_back(attributename, std::string());
            continue;
        }
        i = skipblanks(text, afterblanks + 1);
        if (i == text.size() || text[i] == '>') {
            return failtag("attribute missing value", errortext);
        }
        std::string_view value;
        if (text[i] == '\'' || text[i] == '"') {
            size_t endquote = text.find(text[i], i + 1);
            if (endquote == std::string_view::npos) {
                return failtag("attribute value missing ending ' or", errortext, " \"");
            }
            value = text.substr(i + 1, endquote - i - 1);
            i = endquote + 1;
        } else {
            size_t start = i;
            while (i < text.size() && text[i] != '>' &&
                   blankbytes.find(text[i]) == std::string_view::npos) {
                ++i;
            }
            value = text.substr(start, i - start);
        }
        attributes.emplace_back(attributename, unescapehtmlentities(value));
    }
}

const std::string* VornXMLTag::getattribute(std::string_view attributename) const {
    for (const auto& [key, value] : attributes) {
        if (isequalnocase(key, attributename)) {
            return &value;
        }
    }
    return nullptr;
}

std::string VornXMLTag::writetag() const {
    std::string text = closing ? "</" : "<";
    text += name;
    for (const auto& [key, value] : attributes) {
        bool quoted = value.empty() || value.find_first_of(" \t") != std::string::npos;
        text += ' ';
        text += key;
        text += '=';
        if (quoted) {
            text += '\'';
        }
        text += escapehtmlentities(value);
        if (quoted) {
            text += '\'';
        }
    }
    text += selfclosing ? " />" : ">";
    return text;
}

} // namespace vornstdstring
