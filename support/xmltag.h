// VornXMLTag: the parsed form of one tag such as <sound file='a b.wav' loop>:
// its name, its attributes in written order, and the closing ("</x>") and
// self-closing ("<br />") flags. Attribute values are stored HTML-unescaped
// and escaped again when the tag is written back. Parse messages begin with
// "error: ".
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vornstdstring {

class VornXMLTag {
public:
    VornXMLTag() = default;
    VornXMLTag(const VornXMLTag&) = default;
    VornXMLTag& operator=(const VornXMLTag&) = default;
    virtual ~VornXMLTag();

    // Parses the tag at the start of [text] (after blanks). Stops after the
    // closing ">" ([length] tells where), so a caller may check what follows.
    // On failure returns false with "error: " and the message in [errortext].
    virtual bool parse(std::string_view text, std::string& errortext);
    // The value of the named attribute (names compared ignoring case), or
    // nullptr when the tag has no such attribute.
    virtual const std::string* getattribute(std::string_view attributename) const;
    // The tag as text: name=value per attribute, the value in single quotes
    // when it is empty or holds a blank.
    virtual std::string writetag() const;

    std::string name;
    std::vector<std::pair<std::string, std::string>> attributes;
    bool closing = false;     // "/" right after "<"
    bool selfclosing = false; // ended by "/>"
    size_t length = 0;        // bytes of the parsed text up to and including ">"
};

} // namespace vornstdstring
