// Names and texts as each generated language must read them: ordinary names unchanged, the rest
// rewritten so that the compiler accepts them and the text reads back the same.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "Vantorel/build/SourceText.h"

using namespace vantorel::build;

namespace {

struct TextCase {
    const char* rule;
    std::function<std::string(std::string_view)> write;
    std::string input;
    std::string expected;
};

auto identifier(IdentifierLanguage language) {
    return [language](std::string_view text) { return identifierIn(language, text); };
}
auto literal(StringLanguage language) {
    return [language](std::string_view text) { return stringLiteralContents(language, text); };
}
auto cssStart = [](std::string_view text) { return cssIdentifier(text, true); };
auto cssPart = [](std::string_view text) { return cssIdentifier(text, false); };

const IdentifierLanguage swift = IdentifierLanguage::swift;
const IdentifierLanguage kotlin = IdentifierLanguage::kotlin;
const IdentifierLanguage metal = IdentifierLanguage::metal;
const IdentifierLanguage glsl = IdentifierLanguage::glsl;
const IdentifierLanguage android = IdentifierLanguage::android;

std::vector<TextCase> textCases() {
    return {
        // Ordinary names pass through in every language.
        {"swift ordinary", identifier(swift), "brandBlue500", "brandBlue500"},
        {"kotlin ordinary", identifier(kotlin), "BrandBlue", "BrandBlue"},
        {"metal ordinary", identifier(metal), "brand_blue_500", "brand_blue_500"},
        {"glsl ordinary", identifier(glsl), "brand_blue_500", "brand_blue_500"},
        {"android ordinary", identifier(android), "brand_blue.500", "brand_blue.500"},
        {"swift letters beyond ASCII", identifier(swift), "éclair", "éclair"},
        {"css ordinary", cssStart, "brand-blue-500", "brand-blue-500"},
        {"less ordinary", lessVariableName, "brand-blue_500", "brand-blue_500"},
        // A leading digit.
        {"swift digit", identifier(swift), "3rdTier", "_3rdTier"},
        {"kotlin digit", identifier(kotlin), "2x", "_2x"},
        {"metal digit", identifier(metal), "3rd_tier", "_3rd_tier"},
        {"android digit", identifier(android), "3rd_tier", "_3rd_tier"},
        {"scss digit", cssStart, "3rd-tier", "\\33 rd-tier"},
        {"scss digit after hyphen", cssStart, "-3rd", "-\\33 rd"},
        {"scss lone hyphen", cssStart, "-", "\\-"},
        {"custom property digit", cssPart, "3rd-tier", "3rd-tier"},
        {"less digit", lessVariableName, "3rd", "3rd"},
        // Reserved words.
        {"swift keyword", identifier(swift), "class", "`class`"},
        {"swift keyword with a suffix", identifier(swift), "classDark", "classDark"},
        {"swift metatype member", identifier(swift), "Type", "`Type`"},
        {"kotlin keyword", identifier(kotlin), "fun", "`fun`"},
        {"kotlin soft keyword", identifier(kotlin), "value", "value"},
        {"metal keyword", identifier(metal), "constant", "constant_"},
        {"metal type", identifier(metal), "float4", "float4_"},
        {"glsl keyword", identifier(glsl), "input", "input_"},
        {"glsl built-in prefix", identifier(glsl), "gl_Position", "_gl_Position"},
        {"android java keyword", identifier(android), "int", "int_"},
        // Characters no name can hold.
        {"swift space", identifier(swift), "Legacy Blue", "Legacy_Blue"},
        {"kotlin quote", identifier(kotlin), "a\"b", "a_b"},
        {"glsl beyond ASCII", identifier(glsl), "é", "_"},
        {"android hyphen", identifier(android), "brand-blue", "brand_blue"},
        {"empty", identifier(swift), "", "unnamed"},
        {"lone underscore", identifier(kotlin), "_", "_unnamed"},
        {"css space and quote", cssPart, "Legacy Blue\"", "Legacy\\ Blue\\\""},
        {"css control character", cssPart, "a\tb", "a\\9 b"},
        {"less beyond ASCII", lessVariableName, "é-b c", "_-b_c"},
        // String literals.
        {"swift literal", literal(StringLanguage::swift), "say \"hi\" \\ \n\t\x01", "say \\\"hi\\\" \\\\ \\n\\t\\u{1}"},
        {"swift interpolation stays text", literal(StringLanguage::swift), "\\(x)", "\\\\(x)"},
        {"kotlin literal", literal(StringLanguage::kotlin), "\"$5\" \\\r\x7f", "\\\"\\$5\\\" \\\\\\r\\u007F"},
        {"c++ literal", literal(StringLanguage::cpp), "\"a\\b\"\n\x02", "\\\"a\\\\b\\\"\\n\\002"},
        {"c++ no trigraph", literal(StringLanguage::cpp), "why?" "?=", "why?\\?="},
        {"css literal", literal(StringLanguage::css), "a \"b\" \\c\nd", "a \\\"b\\\" \\\\c\\A d"},
        {"scss literal", literal(StringLanguage::scss), "#{$x} @{y}", "#\\{$x} @{y}"},
        {"less literal", literal(StringLanguage::less), "#{$x} @{y}", "#{$x} @\\{y}"},
        {"literal keeps letters beyond ASCII", literal(StringLanguage::kotlin), "Grüße €", "Grüße €"},
        // Comments.
        {"line comment joins lines", lineCommentText, "one\r\ntwo\nthree\u2028four", "one two three four"},
        {"line comment ends before a splice", lineCommentText, "path\\ ", "path\\."},
        {"line comment plain", lineCommentText, "100", "100"},
        {"block comment cannot close", blockCommentText, "a */ b", "a *\\/ b"},
        // Bytes that are not UTF-8 come out as U+FFFD, so that outputs stay valid UTF-8.
        {"malformed name", cssPart, "a\xFF" "b", "a\uFFFDb"},
        {"malformed text", literal(StringLanguage::swift), "\xC3", "\uFFFD"},
        {"malformed comment", blockCommentText, "*\xFF/", "*\uFFFD/"},
        // Android string resources.
        {"android plain", androidStringText, "Aurora Night", "Aurora Night"},
        {"android quotes and apostrophe", androidStringText, "It's \"on\" \\", "It\\'s \\\"on\\\" \\\\"},
        {"android reference look-alike", androidStringText, "@string/x ?", "\\@string/x ?"},
        {"android attribute look-alike", androidStringText, "?attr", "\\?attr"},
        {"android control characters", androidStringText, "a\nb\tc\x01", "a\\nb\\tc\\u0001"},
    };
}

}  // namespace

TEST(SourceTextTest, NamesAndTextsInEveryLanguage) {
    for (const auto& c : textCases()) {
        EXPECT_EQ(c.write(c.input), c.expected) << c.rule;
    }
}

// Plain ASCII names take a short path of their own; it must write exactly what the Unicode path
// writes. A trailing "é" (a letter every rule keeps as it is) sends a name down the Unicode path
// without changing how its ASCII part is written, so every one- and two-character ASCII name is
// compared through both.
TEST(SourceTextTest, AsciiNamesWriteAsTheUnicodePathWrites) {
    const std::string tail = "\xC3\xA9";
    std::vector<std::string> names;
    for (int a = 0; a < 0x80; ++a) {
        names.emplace_back(1, static_cast<char>(a));
        for (int b = 0; b < 0x80; ++b) names.push_back({static_cast<char>(a), static_cast<char>(b)});
    }
    for (const auto& name : names) {
        if (name != "-") {
            EXPECT_EQ(cssIdentifier(name + tail, true), cssIdentifier(name, true) + tail) << name;
        }
        EXPECT_EQ(cssIdentifier(name + tail, false), cssIdentifier(name, false) + tail) << name;
        // Reserved words and the fallbacks for empty and underscore-only names look at the whole
        // result, so only names that are neither are compared.
        for (auto language : {IdentifierLanguage::swift, IdentifierLanguage::kotlin, IdentifierLanguage::metal}) {
            const std::string ascii = identifierIn(language, name + "x");
            if (ascii.find_first_not_of('_') == std::string::npos || ascii.find('`') != std::string::npos) continue;
            if (ascii.back() != 'x') continue;  // a reserved word that took a trailing "_"
            EXPECT_EQ(identifierIn(language, name + "x" + tail), ascii + tail) << name;
        }
        const std::string glsl = identifierIn(IdentifierLanguage::glsl, name + "x");
        if (glsl.back() == 'x') {
            EXPECT_EQ(identifierIn(IdentifierLanguage::glsl, name + "x" + tail), glsl + "_") << name;
        }
    }
}
