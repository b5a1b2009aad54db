// VornXMLTag: parsing one tag, its messages, attribute access, writing back.
#include "support/xmltag.h"

#include <gtest/gtest.h>

namespace vornscriptunittests {
using vornstdstring::VornXMLTag;

TEST(StringXmlTag, ParsesAndWritesBack) {
    const char* rows[][2] = {
        {"<ein_tag234 attr1=xy attr2=0 attr3 attr4='hello friend'\tattr5=\"\" >",
         "<ein_tag234 attr1=xy attr2=0 attr3='' attr4='hello friend' attr5=''>"},
        {"<br>", "<br>"},
        {"<br />", "<br />"},
        {"  </sound>", "</sound>"},
        {"<img src = \"a&amp;b.png\" alt='&lt;x&gt;'>", "<img src=a&amp;b.png alt=&lt;x&gt;>"},
        {"<a t=\"it's\">", "<a t=it&apos;s>"},
        {"<a x=1>rest", "<a x=1>"},
    };
    for (const auto& [text, written] : rows) {
        VornXMLTag tag;
        std::string errortext;
        ASSERT_TRUE(tag.parse(text, errortext)) << text << ": " << errortext;
        EXPECT_EQ(tag.writetag(), written) << text;
    }
}

TEST(StringXmlTag, ReportsWhatIsMissing) {
    const char* rows[][2] = {
        {"<wrongattr attr=\">", "error: attribute value missing ending ' or \""},
        {"<a b='x", "error: attribute value missing ending ' or \""},
        {"<br", "error: tag missing closing >"},
        {"<a b=1", "error: tag missing closing >"},
        {"br>", "error: < expected"},
        {"", "error: < expected"},
        {"< br>", "error: < requires a tag name e.g. <sound ...> or <img ...>"},
        {"<a =1>", "error: attribute name expected"},
        {"<a b=>", "error: attribute missing value"},
        {"<a b=", "error: attribute missing value"},
    };
    for (const auto& [text, message] : rows) {
        VornXMLTag tag;
        std::string errortext;
        EXPECT_FALSE(tag.parse(text, errortext)) << text;
        EXPECT_EQ(errortext, message) << text;
    }
}

TEST(StringXmlTag, FlagsAttributesAndLength) {
    VornXMLTag tag;
    std::string errortext;
    ASSERT_TRUE(tag.parse("</Sound File='a&quot;b' loop> tail", errortext));
    EXPECT_TRUE(tag.closing);
    EXPECT_FALSE(tag.selfclosing);
    EXPECT_EQ(tag.name, "Sound");
    EXPECT_EQ(tag.length, 29u);
    ASSERT_NE(tag.getattribute("file"), nullptr);
    EXPECT_EQ(*tag.getattribute("FILE"), "a\"b");
    ASSERT_NE(tag.getattribute("loop"), nullptr);
    EXPECT_EQ(*tag.getattribute("loop"), "");
    EXPECT_EQ(tag.getattribute("missing"), nullptr);

    // A second parse starts from scratch.
    ASSERT_TRUE(tag.parse("<br/>", errortext));
    EXPECT_TRUE(tag.selfclosing);
    EXPECT_FALSE(tag.closing);
    EXPECT_TRUE(tag.attributes.empty());
}

} // namespace vornscriptunittests
