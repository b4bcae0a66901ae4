#include <gtest/gtest.h>

#include "QuenzColorUtils/ColorOperations.h"
#include "QuenzColorUtils/ColorSpace.h"

namespace quenz {
namespace {

// Names and identifiers are written into documents and code; each must read back as its space.
// (The texts themselves show up in the formatted output checked by the converter tests.)
TEST(ColorSpaceTexts, NamesAndIdentifiersReadBack) {
    for (ColorSpace space : allColorSpaces) {
        EXPECT_EQ(colorSpaceFromCaseName(caseName(space)), space) << caseName(space);
        if (const auto css = cssIdentifier(space)) {
            EXPECT_EQ(colorSpaceFromCSSIdentifier(*css), space);
        }
    }
    // OK spaces have no RGB space of their own and are prepared in Display P3.
    EXPECT_EQ(rgbSpaceFor(ColorSpace::sRGBExtended), RGBSpace::extendedSRGB);
    EXPECT_EQ(rgbSpaceFor(ColorSpace::oklab), RGBSpace::displayP3);
    EXPECT_EQ(rgbSpaceFor(ColorSpace::oklch), RGBSpace::displayP3);
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
