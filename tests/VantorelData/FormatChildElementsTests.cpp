#include <gtest/gtest.h>

#include <pugixml.hpp>

#include <optional>
#include <string>
#include <string_view>

#include "VantorelData/format/ChildElements.h"
#include "VantorelData/format/ItemFields.h"
#include "VantorelData/format/NumberText.h"
#include "VantorelData/format/QuenzColorFileReader.h"

namespace vantorel::format {
namespace {

enum class Probe { a, ab, ba, name, type, typeDark, count };
constexpr ElementNames<Probe> probeNames({{
    {Probe::a, "a"},
    {Probe::ab, "ab"},
    {Probe::ba, "ba"},
    {Probe::name, "name"},
    {Probe::type, "type"},
    {Probe::typeDark, "typeDark"},
}});

TEST(ElementNames, FindsExactlyTheNamesOfTheVocabulary) {
    struct Case {
        std::string_view name;
        std::optional<Probe> expected;
    };
    const std::string overlong(200, 'a');
    const Case cases[] = {
        {"a", Probe::a},
        {"ab", Probe::ab},
        {"ba", Probe::ba},  // same length and letters as "ab"
        {"name", Probe::name},
        {"type", Probe::type},  // same length as "name"
        {"typeDark", Probe::typeDark},
        {"", std::nullopt},
        {"b", std::nullopt},
        {"aa", std::nullopt},
        {"typ", std::nullopt},        // a prefix
        {"typeDarkX", std::nullopt},  // an extension
        {"Name", std::nullopt},       // names are case-sensitive
        {"nane", std::nullopt},       // same first letter and length
        {std::string_view("a\0", 2), std::nullopt},
        {overlong, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(probeNames.find(c.name), c.expected) << "name: " << c.name;
    }
}

TEST(ElementNames, ItemVocabularyRoundTripsEveryField) {
    for (std::size_t i = 0; i < ElementNames<ItemField>::size; ++i) {
        const auto field = static_cast<ItemField>(i);
        EXPECT_EQ(itemFieldNames.find(itemFieldNames.name(field)), field) << itemFieldNames.name(field);
    }
}

// The one-pass lookups must agree with pugixml's own first-child-by-name lookups, which the
// readers used before and whose meaning the document format keeps. Texts are compared with a
// tree parsed without keeping element text in the element, so that the reader's parse options
// change speed, never what a document says.
TEST(ChildElements, AgreesWithPugixmlChildLookups) {
    const char* snippets[] = {
        "<e/>",
        "<e><a>1</a><a>2</a></e>",                                   // first of a name wins
        "<e><a></a><a>2</a></e>",                                    // an empty first one is missing text
        "<e><a><!-- c -->x</a><ba>y</ba><ab/></e>",                  // text after a comment
        "<e>text<name>n</name>more<type>t</type><x><a>deep</a></x></e>",  // text and nesting
        "<e><typeDark>d</typeDark><type> </type><unknown>u</unknown></e>",  // blanks kept
        "<e><a><b>child</b></a><name><![CDATA[c]]></name></e>",      // element content, CDATA
        "<e><a>t1<b/>t2</a><name><b/>late</name><type><![CDATA[c]]>t</type></e>",  // mixed content
        "<e><name>a &amp; b&#13;\r\nc</name></e>",                  // references and line ends
    };
    for (const char* snippet : snippets) {
        pugi::xml_document document;
        ASSERT_TRUE(document.load_string(snippet, documentParseOptions)) << snippet;
        pugi::xml_document plain;
        ASSERT_TRUE(plain.load_string(snippet, pugi::parse_default | pugi::parse_ws_pcdata_single)) << snippet;
        const pugi::xml_node element = document.document_element();
        const ChildElements<Probe> children(element, probeNames);
        for (std::size_t i = 0; i < ElementNames<Probe>::size; ++i) {
            const auto field = static_cast<Probe>(i);
            const std::string name(probeNames.name(field));
            const pugi::xml_node expected = element.child(name.c_str());
            EXPECT_EQ(children.node(field), expected) << snippet << " field " << name;
            const std::string_view value = plain.document_element().child(name.c_str()).child_value();
            const auto text = children.text(field);
            if (!expected || value.empty()) {
                EXPECT_FALSE(text) << snippet << " field " << name;
            } else {
                EXPECT_EQ(text, value) << snippet << " field " << name;
                EXPECT_TRUE(children.textIs(field, value));
            }
            EXPECT_EQ(children.textOr(field, "fallback"), text ? std::string(*text) : "fallback");
        }
    }
}

// Children offered one by one, as the group reader does while it reads them, must find the
// same first child of each name as the walk over the element.
TEST(ChildElements, TakenOneByOneAsWalkedAndToleratesAnEmptyElement) {
    const char* snippets[] = {"<e/>", "<e>text only</e>", "<e><a/>t<zz/><!-- c --><a>2</a><ab>x</ab><ba/><ab>y</ab></e>"};
    for (const char* snippet : snippets) {
        pugi::xml_document document;
        ASSERT_TRUE(document.load_string(snippet, documentParseOptions));
        const ChildElements<Probe> walked(document.document_element(), probeNames);
        ChildElements<Probe> taken;
        for (PugiElement child = PugiElement(document.document_element()).firstChild(); child; child = child.nextSibling()) {
            taken.take(child, probeNames);
        }
        for (std::size_t index = 0; index < probeNames.size; ++index) {
            const auto field = static_cast<Probe>(index);
            EXPECT_EQ(taken.node(field), walked.node(field)) << snippet << " field " << probeNames.name(field);
        }
    }
    const ChildElements<Probe> none(pugi::xml_node(), probeNames);
    EXPECT_FALSE(none.node(Probe::a));
    EXPECT_FALSE(none.text(Probe::name));
}

// Measured numbers are accepted without formatting them again below 10^99; the boundary
// must agree with what can be written.
TEST(ParseMeasuredNumber, AcceptsExactlyTheWritableMagnitudes) {
    const char* texts[] = {"9.999999999999999e98", "-9.999999999999999e98", "1e99", "-1e99",
                           "9.99999999999999e99", "1e100", "-1e100", "1e308", "0.00001", "123.45678"};
    for (const char* text : texts) {
        const auto parsed = parseDouble(text);
        ASSERT_TRUE(parsed) << text;
        const bool writable = measuredNumberText(*parsed).has_value();
        EXPECT_EQ(parseMeasuredNumber(text).has_value(), writable) << text;
    }
    EXPECT_EQ(parseMeasuredNumber("123.45678"), 123.45678);
    EXPECT_EQ(parseMeasuredNumber("x"), std::nullopt);
}

}  // namespace
}  // namespace vantorel::format
