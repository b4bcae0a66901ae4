#include <gtest/gtest.h>

#include "QuenzColorUtils/ColorOperations.h"
#include "QuenzColorUtils/ColorSpace.h"

namespace quenz {
namespace {

TEST(ColorSpaceTexts, FixedTextsPerCase) {
    struct Case {
        ColorSpace space;
        const char* display;
        const char* caseText;
        std::optional<std::string_view> css;
        std::optional<std::string_view> compose;
        RGBSpace preparedIn;
    };
    const Case cases[] = {
        {ColorSpace::sRGB, "sRGB", "sRGB", "srgb", "ColorSpaces.Srgb", RGBSpace::sRGB},
        {ColorSpace::sRGBExtended, "sRGB Extended", "sRGBExtended", std::nullopt, "ColorSpaces.ExtendedSrgb",
         RGBSpace::extendedSRGB},
        {ColorSpace::displayP3, "Display P3", "displayP3", "display-p3", "ColorSpaces.DisplayP3", RGBSpace::displayP3},
        {ColorSpace::oklab, "OKLAB", "oklab", std::nullopt, std::nullopt, RGBSpace::displayP3},
        {ColorSpace::oklch, "OKLCH", "oklch", std::nullopt, std::nullopt, RGBSpace::displayP3},
    };
    ASSERT_EQ(std::size(allColorSpaces), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        EXPECT_EQ(allColorSpaces[i], c.space);
        EXPECT_EQ(displayName(c.space), c.display);
        EXPECT_EQ(caseName(c.space), c.caseText);
        EXPECT_EQ(colorSpaceFromCaseName(c.caseText), c.space);
        EXPECT_EQ(cssIdentifier(c.space), c.css);
        EXPECT_EQ(composeColorSpaceConstant(c.space), c.compose);
        EXPECT_EQ(rgbSpaceFor(c.space), c.preparedIn);
        if (c.css) {
            EXPECT_EQ(colorSpaceFromCSSIdentifier(*c.css), c.space);
        }
    }
}

TEST(ColorSpaceTexts, ReverseLookupsAreExact) {
    EXPECT_EQ(colorSpaceFromCSSIdentifier("SRGB"), std::nullopt);
    EXPECT_EQ(colorSpaceFromCSSIdentifier("display-p3 "), std::nullopt);
    EXPECT_EQ(colorSpaceFromCSSIdentifier("srgb-linear"), std::nullopt);
    EXPECT_EQ(colorSpaceFromCaseName("srgb"), std::nullopt);

    struct Case {
        const char* identifier;
        std::optional<RGBSpace> space;
    };
    const Case cases[] = {
        {"srgb", RGBSpace::sRGB},
        {"srgb-linear", RGBSpace::linearSRGB},
        {"display-p3", RGBSpace::displayP3},
        {"display-p3-linear", RGBSpace::linearDisplayP3},
        {"a98-rgb", RGBSpace::adobeRGB1998},
        {"prophoto-rgb", RGBSpace::proPhotoRGB},
        {"xyz-d50", RGBSpace::xyzD50},
        {"xyz-d65", std::nullopt},
        {"rec2020", std::nullopt},
        {"A98-RGB", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(rgbSpaceFromCSSColorIdentifier(c.identifier), c.space) << c.identifier;
    }
}

TEST(ColorSpaceTexts, RGBSpaceClassification) {
    EXPECT_EQ(colorSpaceForRGBSpace(RGBSpace::sRGB), ColorSpace::sRGB);
    EXPECT_EQ(colorSpaceForRGBSpace(RGBSpace::extendedSRGB), ColorSpace::sRGBExtended);
    EXPECT_EQ(colorSpaceForRGBSpace(RGBSpace::displayP3), ColorSpace::displayP3);
    for (RGBSpace other : {RGBSpace::extendedLinearSRGB, RGBSpace::linearDisplayP3, RGBSpace::adobeRGB1998,
                           RGBSpace::deviceRGB, RGBSpace::genericGray, RGBSpace::deviceCMYK}) {
        EXPECT_EQ(colorSpaceForRGBSpace(other), std::nullopt);
        EXPECT_EQ(colorSpaceOf(ColorValue{other, 0, 0, 0, 1}), std::nullopt);
    }
    EXPECT_EQ(colorSpaceOf(ColorValue{RGBSpace::displayP3, 0, 0, 0, 1}), ColorSpace::displayP3);

    EXPECT_EQ(platformRGBSpace(ColorSpace::sRGB), RGBSpace::sRGB);
    EXPECT_EQ(platformRGBSpace(ColorSpace::sRGBExtended), RGBSpace::sRGB);
    EXPECT_EQ(platformRGBSpace(ColorSpace::displayP3), RGBSpace::displayP3);
}

TEST(ColorSpaceTextsDeathTest, PlatformSpaceOfOKLabIsAProgrammingError) {
    EXPECT_DEATH(platformRGBSpace(ColorSpace::oklab),
                 "It's not valid to ask for the RGBColorSpace of an OKLCH or OKLAB color");
    EXPECT_DEATH(platformRGBSpace(ColorSpace::oklch), "OKLCH or OKLAB");
}

}  // namespace
}  // namespace quenz
