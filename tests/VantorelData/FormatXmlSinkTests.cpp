#include <gtest/gtest.h>

#include <pugixml.hpp>

#include <functional>
#include <sstream>
#include <string>

#include "VantorelData/format/XmlNodeSink.h"
#include "VantorelData/format/XmlTextSink.h"

namespace vantorel::format {
namespace {

std::string printed(const pugi::xml_document& document) {
    std::ostringstream out;
    document.save(out, "  ", pugi::format_indent | pugi::format_no_declaration, pugi::encoding_utf8);
    return out.str();
}

// Sends the same elements to both sinks; the text sink must print what pugixml prints of the
// tree the node sink built.
void expectSameOutput(const std::function<void(XmlSink&)>& describe) {
    std::string text;
    XmlTextSink textSink(text);
    describe(textSink);
    EXPECT_FALSE(textSink.failed());

    pugi::xml_document document;
    XmlNodeSink nodeSink(document);
    describe(nodeSink);
    EXPECT_EQ(text, printed(document));
}

TEST(FormatXmlSink, TextSinkPrintsLikePugixml) {
    const std::function<void(XmlSink&)> shapes[] = {
        [](XmlSink& sink) {
            sink.open("root");
            sink.attribute("xmlns", "https://example.org/a?b=1&c=\"2\"<>");
            sink.open("empty");
            sink.close();
            sink.leaf("emptyText", "");
            sink.leaf("text", "a & b < c > d \"quoted\" 'single'");
            sink.open("nested");
            sink.open("deeper");
            sink.leaf("x", "1");
            sink.close();
            sink.open("variant");
            sink.attribute("type", "dark");
            sink.close();
            sink.close();
            sink.close();
        },
        [](XmlSink& sink) {
            sink.open("unicode");
            sink.leaf("name", "Grün ✓ 😀 Lamé");
            sink.leaf("lines", "first\nsecond\ttabbed");
            sink.leaf("control", std::string("bell\x07" "end"));
            sink.leaf("cdataEnd", "]]>");
            sink.close();
        },
        // Escapes at the very start and end of a text, back to back, and between plain runs;
        // every control character (a carriage return aside), in text and in an attribute.
        [](XmlSink& sink) {
            std::string controls;
            for (char c = 1; c < 0x20; ++c) {
                if (c != '\r') controls += c;
            }
            sink.open("edges");
            sink.attribute("controls", controls);
            sink.leaf("first", "&<>\"");
            sink.leaf("last", "plain then <");
            sink.leaf("between", "a&&b<<c>>d");
            sink.leaf("controls", controls + "end");
            sink.close();
        },
    };
    for (const auto& shape : shapes) expectSameOutput(shape);
}

TEST(FormatXmlSink, CarriageReturnsAreKeptAsReferences) {
    std::string text;
    XmlTextSink sink(text);
    sink.leaf("value", "a\r\nb");
    EXPECT_EQ(text, "<value>a&#13;\nb</value>\n");

    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(text.c_str()));
    EXPECT_STREQ(document.child("value").text().get(), "a\r\nb");
}

TEST(FormatXmlSink, TextThatXmlCannotCarryFails) {
    const std::string unencodable[] = {
        std::string("\xC3"),              // truncated sequence
        std::string("\xC0\xAF"),          // overlong
        std::string("\xED\xA0\x80"),      // surrogate
        std::string("\xF4\x90\x80\x80"),  // beyond U+10FFFF
        std::string("\x80"),              // stray continuation byte
        std::string("a\0b", 3),           // NUL
    };
    for (const auto& bad : unencodable) {
        std::string text;
        XmlTextSink sink(text);
        sink.leaf("value", bad);
        EXPECT_TRUE(sink.failed()) << ::testing::PrintToString(bad);
    }
    std::string text;
    XmlTextSink sink(text);
    sink.leaf("value", "\xE2\x82\xAC \xF0\x9F\x98\x80");
    EXPECT_FALSE(sink.failed());
}

// XML 1.0 carries no control character but tab, line feed and carriage return, and neither
// U+FFFE nor U+FFFF, not even as a reference: each is written as U+FFFD, in text and in
// attributes, by both sinks.
TEST(FormatXmlSink, CharactersXmlCannotCarryBecomeTheReplacementCharacter) {
    const struct {
        std::string value;
        const char* text;       // as element text
        const char* attribute;  // as attribute value
    } cases[] = {
        {"a\x01" "b\x1F" "c", "a\uFFFDb\uFFFDc", "a\uFFFDb\uFFFDc"},
        {"\x0B\x0C", "\uFFFD\uFFFD", "\uFFFD\uFFFD"},
        {"x\uFFFE\uFFFFy\uFFFD", "x\uFFFD\uFFFDy\uFFFD", "x\uFFFD\uFFFDy\uFFFD"},
        {"tab\tline\n", "tab\tline\n", "tab&#09;line&#10;"},
        {"\x7F\uFFFC", "\x7F\uFFFC", "\x7F\uFFFC"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.value));
        const std::function<void(XmlSink&)> describe = [&c](XmlSink& sink) {
            sink.open("e");
            sink.attribute("a", c.value);
            sink.leaf("v", c.value);
            sink.close();
        };
        std::string text;
        XmlTextSink sink(text);
        describe(sink);
        EXPECT_EQ(text, std::string("<e a=\"") + c.attribute + "\">\n  <v>" + c.text + "</v>\n</e>\n");
        expectSameOutput(describe);
    }
}

TEST(FormatXmlSink, StartsAtTheGivenDepthAndStopsIndentingAtTheDeepestLevel) {
    std::string text;
    XmlTextSink sink(text, 2);
    sink.open("group");
    sink.leaf("id", "A");
    sink.close();
    EXPECT_EQ(text, "    <group>\n      <id>A</id>\n    </group>\n");
    std::string deep;
    XmlTextSink deepSink(deep, maximumIndentedDepth + 5);
    deepSink.leaf("id", "A");
    EXPECT_EQ(deep, std::string(static_cast<std::size_t>(maximumIndentedDepth) * 2, ' ') + "<id>A</id>\n");
}

}  // namespace
}  // namespace vantorel::format
