// Colors found in style sheets, HTML pages and SVG drawings.

#include <gtest/gtest.h>

#include "Vantorel/import/CSSFileImporter.h"
#include "Vantorel/import/SVGImporter.h"
#include "tests/VantorelImport/ImportTestSupport.h"

namespace vantorel::import {
namespace {

using testing::describe;

struct TextCase {
    const char* what;
    std::string text;
    std::string expected;
};

std::string styleSheet(const std::string& text, bool html = false) {
    QuenzColorGroup group;
    CSSFileImporter::importText(text, html, group);
    return describe(group.items());
}

const TextCase styleSheetCases[] = {
    {"hex forms, named by their declarations",
     "a { color: #F00; } .b{background:#00ff00} #c { --accent: #0000FF80 }",
     "color=#FF0000,background=#00FF00,accent=#0000FF80"},
    {"hex in other words is no color", "url(#abcdef-x) &#123; a#bcd", ""},
    {"SCSS variables and a value without declaration", "$brand: #112233;\n@accent: #445566; #778899",
     "brand=#112233,accent=#445566,Color=#778899"},
    {"rgb with commas, spaces, percentages and alpha",
     "a: rgb(255, 0, 0); b: rgba(0,0,255,.5); c: rgb(0% 100% 0% / 25%); d: rgb(0 0 0 / 0.5)",
     "a=#FF0000,b=#0000FF80,c=#00FF0040,d=#00000080"},
    {"hsl as hue, saturation and lightness",
     "a: hsl(120, 100%, 25%); b: hsla(0deg 100% 50% / 1); c: hsl(0.5turn 100% 50%)",
     "a=#008000,b=#FF0000,c=#00FFFF"},
    {"color() in Display P3 and sRGB", "a: color(display-p3 1 0 0); b: color(srgb 0 1 0 / 0.5)",
     "a=p3#FF0000,b=#00FF0080"},
    {"oklab and oklch", "a: oklab(1 0 0); b: oklch(0% 0 0); c: oklch(100% 0 none)",
     "a=x#FFFFFF,b=x#000000,c=x#FFFFFF"},
    {"functions of variables and bad arguments give nothing",
     "a: rgb(var(--r), 0, 0); b: rgb(1 2); c: rgb(a b c)", ""},
    {"the searches run family by family", "a: rgb(0 0 255); b: #FF0000", "b=#FF0000,a=#0000FF"},
    {"equal records once; a different name or color is another record",
     "a { color: #FFF } b { color: #ffffff } c { fill: #FFF } d { color: #000 }",
     "color=#FFFFFF,fill=#FFFFFF,color=#000000"},
    {"numbered colors become a set in position order",
     "--brand-300: #333; --brand-100: #111; --brand-200: #222; --gray1: #444; --gray2: #555; --other: #666",
     "brand={100=#111111,200=#222222,300=#333333},gray1=#444444,gray2=#555555,other=#666666"},
};

TEST(CSSFileImporter, FindsTheSixFamiliesOfColorNotation) {
    for (const TextCase& test : styleSheetCases) EXPECT_EQ(styleSheet(test.text), test.expected) << test.what;
}

TEST(CSSFileImporter, RunsOfMoreThanThirtyTwoStayColors) {
    std::string text;
    for (int i = 1; i <= 33; ++i) text += fmt::format("--step-{}: #0000{:02X};", i, i);
    EXPECT_EQ(styleSheet(text).substr(0, 7), "step-1=");
    EXPECT_EQ(styleSheet(text.substr(0, text.find("--step-33"))).substr(0, 6), "step={");
}

TEST(CSSFileImporter, ReadsHTMLStyleElementsAndAttributes) {
    const std::string page =
        "<html><head><style>body { color: #112233 }</style></head>"
        "<body><p style=\"background: rgb(255 0 0)\">#445566 in "
        "text</p><div><style>i{--x:#778899}</style></div></body></html>";
    EXPECT_EQ(styleSheet(page, true), "color=#112233,background=#FF0000,x=#778899");
    EXPECT_EQ(styleSheet(page, false), "color=#112233,Color=#445566,x=#778899,background=#FF0000");
}

std::string drawing(const std::string& text) {
    QuenzColorGroup group;
    if (const auto error = SVGImporter::importText(text, group)) return "error: " + error->description;
    return describe(group.items());
}

const TextCase svgCases[] = {
    {"a named fill", R"(<svg><rect fill="red"/></svg>)", "fill=#FF0000"},
    {"the same fill once, stroke before fill",
     R"(<svg><rect fill="red"/><rect stroke="#00F" fill="#FF0000"/></svg>)", "fill=#FF0000,stroke=#0000FF"},
    {"gradient stops",
     R"(<svg><linearGradient><stop offset="0" stop-color="#ABCDEF"/></linearGradient></svg>)",
     "Gradient Color=#ABCDEF"},
    {"style elements as style sheets",
     R"(<svg><style><![CDATA[ /* c */ .a, .b { fill: #123456; stroke-width: 2 } @media print { .c { stroke: blue } } ]]></style></svg>)",
     "Style Color=#123456,Style Color=#0000FF"},
    {"values that are not colors",
     R"s(<svg><g fill="none" stroke="currentColor"><path fill="url(#g)" stroke=""/></g></svg>)s", ""},
    {"depth first in document order",
     R"(<svg fill="#010101"><g fill="#020202"><a fill="#030303"/></g><b fill="#040404"/></svg>)",
     "fill=#010101,fill=#020202,fill=#030303,fill=#040404"},
    {"no root element", "not xml at all", "error: SVG has no root element, unable to parse"},
};

TEST(SVGImporter, FindsFillsStrokesStopsAndStyles) {
    for (const TextCase& test : svgCases) EXPECT_EQ(drawing(test.text), test.expected) << test.what;
}

}  // namespace
}  // namespace vantorel::import
