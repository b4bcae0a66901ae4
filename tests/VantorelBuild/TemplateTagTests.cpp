// The build tags and the "replace" filter, rendered against hand-made records: every format of
// every tag, and the note each tag writes in place of a value it cannot produce.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Vantorel/build/templates/TemplateExporter.h"
#include "Vantorel/build/templates/TemplateItemCollector.h"
#include "Vantorel/build/templates/TemplateRecords.h"
#include "ExportFixtures.h"

namespace vantorel::build {
namespace {

using stencil::Value;

std::shared_ptr<const TemplateRGBAColor> rgba(double r, double g, double b, double a,
                                              TemplateColorSpace space = TemplateColorSpace::sRGB) {
    return std::make_shared<const TemplateRGBAColor>(r, g, b, a, space);
}

Value object(std::shared_ptr<const TemplateRecord> record) {
    return Value(std::shared_ptr<const stencil::HostObject>(std::move(record)));
}

// Named colors and shadows the cases below refer to.
Value tagContext() {
    auto orange = rgba(1, 0.5, 0, 1);
    auto glass = rgba(1, 0.5, 0, 0.25);
    auto wideRed = rgba(1, 0, 0, 1, TemplateColorSpace::displayP3);  // outside sRGB
    auto brightOrange = rgba(1.2, 0.5, -0.1, 1, TemplateColorSpace::extendedSRGB);
    auto navy = rgba(0, 0, 0.5, 1);
    auto broken = rgba(std::nan(""), 0, 0, 1);  // no OKLCH for a NaN component
    auto soft = std::make_shared<const TemplateShadow>(0, 4, 12.5, 0, rgba(0, 0, 0, 0.2));
    auto flat = std::make_shared<const TemplateShadow>(0, 0, 0, 0, rgba(0, 0, 0, 1));
    auto wide = std::make_shared<const TemplateShadow>(1.23456, -2, 8, 1, wideRed);
    auto brightShadow = std::make_shared<const TemplateShadow>(1, 2, 3, 4, brightOrange);
    auto unwritable = std::make_shared<const TemplateShadow>(
        0, 0, 0, 0, rgba(0.2, 0.3, 0.4, 0.5, TemplateColorSpace::displayP3));
    return Value(stencil::Dictionary{
        {"orange", object(orange)},
        {"glass", object(glass)},
        {"wideRed", object(wideRed)},
        {"brightOrange", object(brightOrange)},
        {"navy", object(navy)},
        {"broken", object(broken)},
        {"soft", object(soft)},
        {"flat", object(flat)},
        {"wide", object(wide)},
        {"brightShadow", object(brightShadow)},
        {"unwritable", object(unwritable)},
        {"text", "Brand 3rd-tier é"},
        {"number", 42},
        {"palette", Value(Value::Array{object(orange), object(navy)})},
    });
}

std::string render(const std::string& source) {
    auto rendered = renderTemplateText(source, tagContext());
    return rendered.error ? "ERROR: " + rendered.error->message : rendered.text;
}

struct Case {
    std::string source;
    std::string expected;
};

void expectRenders(const std::vector<Case>& cases) {
    for (const auto& c : cases) EXPECT_EQ(render(c.source), c.expected) << c.source;
}

using TemplateTags = testing::FullStopLocaleTest;

// Each tag writes its own format; how a format writes alpha and rounding is the converter's
// and is checked with it.
TEST_F(TemplateTags, ColorTagsWriteTheirFormat) {
    expectRenders({
        {"{% colorAsFloatRGBA orange %}", "1 0.5 0 1"},
        {"{% colorAsFloatHSVA orange %}", "0.0833 1 1 1"},
        {"{% colorAsHex orange %}", "0xFF8000"},
        {"{% colorAsHexRGBA glass %}", "0xFF800040"},
        {"{% colorAsHexARGB glass %}", "0x40FF8000"},
        {"{% colorAsSwiftUIColor orange %}", "Color(red: 1, green: 0.5, blue: 0)"},
        {"{% colorAsSwiftUIKitColor orange %}", "UIColor(red: 1, green: 0.5, blue: 0, alpha: 1)"},
        {"{% colorAsSwiftAppKitColor orange %}", "NSColor(red: 1, green: 0.5, blue: 0, alpha: 1)"},
        {"{% colorAsSwiftUIColorHSBA orange %}", "Color(hue: 0.0833, saturation: 1, brightness: 1, opacity: 1)"},
        {"{% colorAsSwiftUIKitColorHSBA orange %}", "UIColor(hue: 0.0833, saturation: 1, brightness: 1, alpha: 1)"},
        {"{% colorAsSwiftAppKitColorHSBA orange %}", "NSColor(hue: 0.0833, saturation: 1, brightness: 1, alpha: 1)"},
        {"{% colorAsCSSHexRGB orange %}", "#FF8000"},
        {"{% colorAsCSSRgb orange %}", "rgb(255, 128, 0)"},
        {"{% colorAsCSSColor orange %}", "color(srgb 1 0.5 0)"},
        {"{% colorAsCSSOklch orange %}", "oklch(73.1% 0.1861 52.8)"},
        {"{% colorAsAndroidComposeColor orange %}",
         "Color(red = 1f, green = 0.5f, blue = 0f, alpha = 1f, colorSpace = ColorSpaces.Srgb)"},
    });
}

TEST_F(TemplateTags, WideColorsAreClippedOnlyByTheHexAndRgbForms) {
    const std::string clipped = " /* Clipped due to being outside sRGB */";
    expectRenders({
        // Display P3 keeps its own components: the hex forms can say P3 only by prefix, which
        // they leave out; the others mark it.
        {"{% colorAsCSSHexRGB wideRed %}", "#FF0000"},
        {"{% colorAsHex wideRed %}", "0xFF0000"},
        {"{% colorAsCSSRgb wideRed %}", "rgb(255, 0, 0)" + clipped},
        {"{% colorAsCSSColor wideRed %}", "color(display-p3 1 0 0)"},
        {"{% colorAsFloatRGBA wideRed %}", "p3: 1 0 0 1"},
        {"{% colorAsSwiftUIColor wideRed %}", "Color(.displayP3, red: 1, green: 0, blue: 0)"},
        {"{% colorAsAndroidComposeColor wideRed %}",
         "Color(red = 1f, green = 0f, blue = 0f, alpha = 1f, colorSpace = ColorSpaces.DisplayP3)"},
        // Extended sRGB outside the unit range: clipped by hex and rgb(), kept by color().
        {"{% colorAsCSSHexRGB brightOrange %}", "#FF8000" + clipped},
        {"{% colorAsCSSRgb brightOrange %}", "rgb(255, 128, 0)" + clipped},
        {"{% colorAsCSSColor brightOrange %}", "color(srgb 1.2 0.5 -0.1)"},
        {"{% colorAsFloatRGBA brightOrange %}", "1.2 0.5 -0.1 1"},
    });
}

// A color keeps the texts it was formatted into, by format and options: tags that write the
// same color in other forms or with other options, in any order, each get their own text.
TEST_F(TemplateTags, ColorsFormattedAgainGiveTheTextOfTheirOwnTag) {
    const std::string tags[] = {"{% colorAsCSSColor wideRed %}", "{% colorAsCSSHexRGB wideRed %}",
                                "{% lightDark wideRed wideRed cssHEX %}", "{% lightDark wideRed wideRed %}",
                                "{% colorAsSwiftUIColor wideRed %}", "{% shadowAsCSSBoxShadow wide %}",
                                "{% shadowAsSwiftUIVantorelShadow wide %}", "{% colorAsCSSColor wideRed %}"};
    std::string together, alone;
    for (const auto& tag : tags) {
        together += tag + "|";
        alone += render(tag) + "|";  // each in a context of fresh records
    }
    EXPECT_EQ(render(together), alone);
    EXPECT_EQ(render(together + together), alone + alone);
}

TEST_F(TemplateTags, ColorTagsReachRecordsThroughExpressions) {
    expectRenders({
        {"{% for c in palette %}{% colorAsCSSHexRGB c %};{% endfor %}", "#FF8000;#000080;"},
        {"{% colorAsCSSHexRGB palette.last %}", "#000080"},
        {"{% colorAsCSSHexRGB palette|default:orange %}", "Rendering color failed"},
        {"{% colorAsCSSHexRGB nothing|default:orange %}", "#FF8000"},
        {"{% colorAsCSSHexRGB orange navy %}", "#FF8000"},  // extra arguments are ignored
    });
}

TEST_F(TemplateTags, ColorTagsWriteAFailureNoteInPlace) {
    expectRenders({
        {"[{% colorAsHex %}]", "[Rendering color failed]"},
        {"[{% colorAsHex missing %}]", "[Rendering color failed]"},
        {"[{% colorAsHex text %}]", "[Rendering color failed]"},
        {"[{% colorAsHex soft %}]", "[Rendering color failed]"},
        {"[{% colorAsHex orange.red %}]", "[Rendering color failed]"},
        {"[{% colorAsHex orange|nosuchfilter %}]", "[Rendering color failed]"},
        {"[{% colorAsCSSOklch broken %}]", "[Rendering color failed]"},
        {"[{% colorAsSwiftAppKitColor orange %}] after", "[NSColor(red: 1, green: 0.5, blue: 0, alpha: 1)] after"},
    });
}

TEST_F(TemplateTags, LightDarkChoosesItsFormatByTheThirdWord) {
    const std::string clipped = " /* Clipped due to being outside sRGB */";
    expectRenders({
        {"{% lightDark orange navy %}", "light-dark(color(srgb 1 0.5 0), color(srgb 0 0 0.5))"},
        {"{% lightDark orange navy cssHEX %}", "light-dark(#FF8000, #000080)"},
        {"{% lightDark orange navy csshex %}", "light-dark(#FF8000, #000080)"},
        {"{% lightDark orange navy \"cssHex\" %}", "light-dark(#FF8000, #000080)"},
        {"{% lightDark orange navy cssRgb %}", "light-dark(rgb(255, 128, 0), rgb(0, 0, 128))"},
        {"{% lightDark orange navy CSSOKLCH %}", "light-dark(oklch(73.1% 0.1861 52.8), oklch(27% 0.1874 264.1))"},
        {"{% lightDark orange navy cssColor %}", "light-dark(color(srgb 1 0.5 0), color(srgb 0 0 0.5))"},
        {"{% lightDark orange navy whatever %}", "light-dark(color(srgb 1 0.5 0), color(srgb 0 0 0.5))"},
        // color() keeps wide colors; rgb() and hex clip them into sRGB and say so.
        {"{% lightDark brightOrange wideRed %}", "light-dark(color(srgb 1.2 0.5 -0.1), color(display-p3 1 0 0))"},
        {"{% lightDark brightOrange navy cssRgb %}", "light-dark(rgb(255, 128, 0)" + clipped + ", rgb(0, 0, 128))"},
        // Unlike the hex color tag, light-dark() marks Display P3 hex values.
        {"{% lightDark wideRed navy cssHex %}", "light-dark(p3: #FF0000, #000080)"},
    });
}

TEST_F(TemplateTags, LightDarkFailures) {
    expectRenders({
        {"{% lightDark %}", "light-dark formatting failed"},
        {"{% lightDark orange %}", "light-dark formatting failed"},
        {"{% lightDark orange missing %}", "light-dark formatting failed"},
        {"{% lightDark text navy %}", "light-dark formatting failed"},
        {"{% lightDark broken navy cssOKLCH %}", "light-dark unable to convert light color to CSS oklch()"},
        {"{% lightDark orange broken cssOKLCH %}", "light-dark unable to convert dark color to CSS oklch()"},
    });
}

TEST_F(TemplateTags, BoxShadowsAndShadowConstructors) {
    expectRenders({
        {"{% shadowAsCSSBoxShadow soft %}", "0 4px 12.5px 0 color(srgb 0 0 0 / 0.2)"},
        {"{% shadowAsCSSBoxShadow flat %}", "0 0 0 0 color(srgb 0 0 0)"},
        {"{% shadowAsCSSBoxShadow wide %}", "1.2346px -2px 8px 1px color(display-p3 1 0 0)"},
        {"{% shadowAsCSSBoxShadow brightShadow %}", "1px 2px 3px 4px color(srgb 1.2 0.5 -0.1)"},
        {"{% shadowAsSwiftUIVantorelShadow soft %}",
         "VantorelShadow(x: 0, y: 4, blur: 12.5, spread: 0, color: Color(red: 0, green: 0, blue: 0, opacity: 0.2))"},
        {"{% shadowAsSwiftUIKitVantorelShadow wide %}",
         "VantorelShadow(x: 1.2346, y: -2, blur: 8, spread: 1, color: UIColor(displayP3Red: 1, green: 0, blue: 0, "
         "alpha: 1))"},
        {"{% shadowAsSwiftAppKitVantorelShadow soft %}",
         "VantorelShadow(x: 0, y: 4, blur: 12.5, spread: 0, color: NSColor(red: 0, green: 0, blue: 0, alpha: 0.2))"},
        {"{% shadowAsKotlinVantorelShadow soft %}",
         "VantorelShadow(x = 0.0, y = 4.0, blur = 12.5, spread = 0.0, color = Color(red = 0f, green = 0f, blue = 0f, "
         "alpha = 0.2f, colorSpace = ColorSpaces.Srgb))"},
        {"{% shadowAsKotlinVantorelShadow wide %}",
         "VantorelShadow(x = 1.23456, y = -2.0, blur = 8.0, spread = 1.0, color = Color(red = 1f, green = 0f, "
         "blue = 0f, alpha = 1f, colorSpace = ColorSpaces.DisplayP3))"},
        {"{% shadowAsKotlinVantorelShadow brightShadow %}",
         "VantorelShadow(x = 1.0, y = 2.0, blur = 3.0, spread = 4.0, color = Color(red = 1.2f, green = 0.5f, "
         "blue = -0.1f, alpha = 1f, colorSpace = ColorSpaces.ExtendedSrgb))"},
    });
}

TEST_F(TemplateTags, ShadowTagFailures) {
    for (const std::string tag : {"shadowAsCSSBoxShadow", "shadowAsSwiftUIVantorelShadow",
                                  "shadowAsSwiftUIKitVantorelShadow", "shadowAsSwiftAppKitVantorelShadow",
                                  "shadowAsKotlinVantorelShadow"}) {
        for (const std::string argument : {"", " missing", " orange", " text"}) {
            EXPECT_EQ(render("{% " + tag + argument + " %}"), "Formatting shadow failed") << tag << argument;
        }
    }
}

// Which characters survive is the code-name rule's; here, what the tag accepts and adds.
TEST_F(TemplateTags, CodeSafeNames) {
    expectRenders({
        {"{% codeSafeName text %}", "Brand3rdtieré"},
        {"{% codeSafeName \"3rd tier\" %}", "color3rdtier"},  // the prefix the tag gives a leading digit
        {"{% codeSafeName text|lowercase %}", "brand3rdtieré"},
        {"{% codeSafeName %}", "Formatting name failed"},
        {"{% codeSafeName missing %}", "Formatting name failed"},
        {"{% codeSafeName number %}", "Formatting name failed"},
        {"{% codeSafeName orange %}", "Formatting name failed"},
    });
}

// Colors of a build share one store of texts: equal components read one text, while values
// that print differently (a signed zero) never share one.
TEST(TemplateColorTexts, EqualComponentsShareATextAndSignedZerosDoNot) {
    auto texts = std::make_shared<ColorTextStore>();
    const auto make = [&](double red) {
        return makeTemplateColor(quenz::ColorValue{quenz::RGBSpace::sRGB, red, 0.5, 0, 1, 0}, quenz::RGBSpace::sRGB,
                                 nullptr, texts);
    };
    const auto options = std::make_shared<const quenz::ColorConverterOptions>();
    const auto sameOptions = std::make_shared<const quenz::ColorConverterOptions>();
    const auto first = make(0), second = make(0), negative = make(-0.0);
    const auto text = first->formatted(quenz::ColorFormat::floatRGBA, options);
    ASSERT_TRUE(text);
    EXPECT_EQ(*text, "0 0.5 0 1");
    const auto shared = second->formatted(quenz::ColorFormat::floatRGBA, sameOptions);
    ASSERT_TRUE(shared);
    EXPECT_EQ(shared->data(), text->data());  // the same bytes, written once
    EXPECT_EQ(negative->formatted(quenz::ColorFormat::floatRGBA, options), "-0 0.5 0 1");
    EXPECT_EQ(first->formatted(quenz::ColorFormat::hexRGB, options), "0x008000");
    EXPECT_EQ(first->formatted(quenz::ColorFormat::swiftNSColorRGBA, options),
              "NSColor(red: 0, green: 0.5, blue: 0, alpha: 1)");
    EXPECT_EQ(first->formatted(quenz::ColorFormat::floatRGBA, options), "0 0.5 0 1");  // past the kept slots
}

TEST_F(TemplateTags, ReplaceFilter) {
    expectRenders({
        {"{{ \"a-b\"|replace:\"-\",\"_\" }}", "a_b"},
        {"{{ \"a-b-c\"|replace:\"-\", \"--\" }}", "a--b--c"},
        {"{{ \"aaa\"|replace:\"aa\",\"b\" }}", "ba"},
        {"{{ \"Aa\"|replace:\"a\",\"x\" }}", "Ax"},
        {"{{ \"a-b\"|replace:\"-\",\"\" }}", "ab"},
        {"{{ \"a-b\"|replace:\"\",\"x\" }}", "a-b"},
        {"{{ 42|replace:\"4\",\"5\" }}", "42"},
        {"{{ number|replace:\"4\",\"5\" }}", "42"},
        {"{{ \"a-b\"|replace:\"-\" }}", "a-b"},
        {"{{ \"a-b\"|replace:\"-\",\"_\",\"x\" }}", "a-b"},
        {"{{ \"a-b\"|replace:\"-\",1 }}", "a-b"},
        {"{{ \"a-b\"|replace }}", "a-b"},
        {"{{ text|replace:\" \",\"_\"|lowercase }}", "brand_3rd-tier_é"},
    });
}

TEST_F(TemplateTags, UnknownTagsAndBadSyntaxStopTheRender) {
    EXPECT_EQ(render("a\n{% colorAsHexagon orange %}"), "ERROR: 2:1: Unknown tag 'colorAsHexagon' (in '{% colorAsHexagon orange %}')");
    EXPECT_EQ(render("{% for c in palette %}").substr(0, 7), "ERROR: ");
}

}  // namespace
}  // namespace vantorel::build
