// Themeable values and appearances: reading per appearance, appearance type texts, and the
// automatic high contrast of color items.

#include <gtest/gtest.h>

#include "ModelTestSupport.h"
#include "QuenzColorUtils/ColorOperations.h"

namespace vantorel {
namespace {

using testing::srgb;

// Extended sRGB keeps the pushed lightness beyond white instead of clipping it.
quenz::ColorValue extended(double red, double green, double blue) {
    return quenz::ColorValue{quenz::RGBSpace::extendedSRGB, red, green, blue, 1, 0};
}

TEST(ThemeableValue, ValueFallsBackToLightNotToDark) {
    struct Case {
        ThemeableNumber value;
        std::array<double, 4> expected;  // light, light high contrast, dark, dark high contrast
    };
    const Case cases[] = {
        {ThemeableNumber(1.0), {1, 1, 1, 1}},
        {ThemeableNumber(1.0, std::nullopt, 3.0), {1, 1, 3, 1}},
        {ThemeableNumber(1.0, 2.0, 3.0, 4.0), {1, 2, 3, 4}},
        {ThemeableNumber(1.0, std::nullopt, std::nullopt, 4.0), {1, 1, 1, 4}},
    };
    for (const Case& c : cases) {
        for (std::size_t i = 0; i < allColorSources.size(); ++i) {
            EXPECT_EQ(c.value.value(allColorSources[i]), c.expected[i]) << "appearance " << i;
        }
    }
}

TEST(ThemeableValue, LightVariantCannotBeEmptied) {
    ThemeableString value(std::string("light"), std::string("contrast"));
    value.setVariant(std::nullopt, ColorSource::light);
    value.setVariant(std::nullopt, ColorSource::lightHighContrast);
    EXPECT_EQ(value.lightVariant, "light");
    EXPECT_FALSE(value.variant(ColorSource::lightHighContrast));
    value.setVariant(std::string("dark"), ColorSource::dark);
    EXPECT_EQ(value.variant(ColorSource::dark), "dark");
}

// The other appearances keep only those that are set, packed in order: every subset, filled
// in either order and then thinned one appearance at a time, reads back what was stored.
TEST(ThemeableValue, AnySubsetOfAppearancesReadsBackWhatWasStored) {
    const ColorSource others[] = {ColorSource::lightHighContrast, ColorSource::dark, ColorSource::darkHighContrast};
    const auto text = [](ColorSource source) { return std::string(20, static_cast<char>('a' + static_cast<int>(source))); };
    for (unsigned subset = 0; subset < 8; ++subset) {
        for (const bool reversed : {false, true}) {
            ThemeableString value(std::string("light"));
            for (int i = 0; i < 3; ++i) {
                const int slot = reversed ? 2 - i : i;
                if (subset & (1u << slot)) value.setVariant(text(others[slot]), others[slot]);
            }
            for (int emptied = -1; emptied < 3; ++emptied) {
                if (emptied >= 0) value.setVariant(std::nullopt, others[emptied]);
                const ThemeableString copy = value;
                for (int slot = 0; slot < 3; ++slot) {
                    const bool kept = (subset & (1u << slot)) && slot > emptied;
                    EXPECT_EQ(copy.value(others[slot]), kept ? text(others[slot]) : "light")
                        << "subset " << subset << " slot " << slot << " emptied up to " << emptied;
                }
            }
        }
    }
}

// The other appearances are stored apart from the light one: copies must not share them, and a
// value whose variants were all emptied again equals one that never had any.
TEST(ThemeableValue, CopiesOwnTheirVariantsAndEmptiedVariantsCompareAsNone) {
    ThemeableString original(std::string("light"), std::nullopt, std::string("dark"));
    ThemeableString copy = original;
    copy.setVariant(std::string("changed"), ColorSource::dark);
    EXPECT_EQ(original.darkVariant(), "dark");
    EXPECT_NE(copy, original);
    copy = original;
    EXPECT_EQ(copy, original);
    for (ColorSource source : allColorSources) copy.setVariant(std::nullopt, source);
    EXPECT_EQ(copy, ThemeableString(std::string("light")));
    ThemeableString moved = std::move(original);
    EXPECT_EQ(moved.value(ColorSource::darkHighContrast), "light");
    EXPECT_EQ(moved.value(ColorSource::dark), "dark");
}

// Appearance types as stored (case-sensitive raw strings) and as the two pickers show them;
// color sources by their raw values.
TEST(AppearanceCodes, RawStringsPickersAndColorSources) {
    for (AppearanceType type : allAppearanceTypes) {
        EXPECT_EQ(appearanceTypeFromRawString(rawString(type)), type);
        EXPECT_EQ(appearanceType(displayableAppearance(type), displayableContrast(type)), type);
    }
    struct Case {
        const char* raw;
        std::optional<AppearanceType> expected;
    };
    const Case cases[] = {{"lightAndDark", std::nullopt},
                          {"lightanddark", AppearanceType::lightAndDark},
                          {"None", std::nullopt},
                          {"", std::nullopt},
                          {"highcontrastauto", std::nullopt},
                          {"lightDarkHighContrastAuto", AppearanceType::lightDarkHighContrastAuto}};
    for (const Case& c : cases) EXPECT_EQ(appearanceTypeFromRawString(c.raw), c.expected) << c.raw;
    EXPECT_TRUE(isAuto(AppearanceType::highContrastAuto));
    EXPECT_FALSE(isAuto(AppearanceType::lightDarkHighContrast));

    EXPECT_EQ(colorSourceFromRawValue(0), ColorSource::light);
    EXPECT_EQ(colorSourceFromRawValue(3), ColorSource::darkHighContrast);
    EXPECT_EQ(colorSourceFromRawValue(4), std::nullopt);
    EXPECT_EQ(colorSourceFromRawValue(-1), std::nullopt);
}

// OKLab lightness of a color, for checking the automatic contrast push.
double lightness(const quenz::ColorValue& color) { return quenz::toOKLCH(color).value().lightness; }

TEST(ColorItemAutoContrast, SettingLightOfAutoItemWithoutDarkDerivesEverything) {
    CommonValueFields common;
    common.appearanceType = AppearanceType::lightDarkHighContrastAuto;
    common.autoContrastAmount = 1.0;
    QuenzColorItem item(ThemeableColor(extended(0.2, 0.2, 0.2)), {}, common);
    item.setColor(extended(0.9, 0.9, 0.9), ColorSource::light);
    const ThemeableColor& color = item.color();
    ASSERT_TRUE(color.darkVariant());
    EXPECT_EQ(*color.darkVariant(), extended(0.9, 0.9, 0.9));
    ASSERT_TRUE(color.lightVariantHighContrast() && color.darkVariantHighContrast());
    EXPECT_NEAR(lightness(*color.lightVariantHighContrast()), 1.15, 1e-6);
    EXPECT_NEAR(lightness(*color.darkVariantHighContrast()), 1.15, 1e-6);
}

TEST(ColorItemAutoContrast, RecomputedOnlyForAutoTypesAndRegularSources) {
    struct Case {
        AppearanceType type;
        ColorSource source;
        bool lightContrastComputed;
    };
    const Case cases[] = {
        {AppearanceType::highContrastAuto, ColorSource::light, true},
        {AppearanceType::highContrastAuto, ColorSource::dark, true},
        {AppearanceType::highContrastAuto, ColorSource::darkHighContrast, false},
        {AppearanceType::highContrast, ColorSource::light, false},
        {AppearanceType::none, ColorSource::light, false},
    };
    for (const Case& c : cases) {
        CommonValueFields common;
        common.appearanceType = c.type;
        common.autoContrastAmount = 1.0;
        QuenzColorItem item(ThemeableColor(srgb(0.1, 0.1, 0.1)), {}, common);
        item.setColor(srgb(0.8, 0.8, 0.8), c.source);
        EXPECT_EQ(item.color().lightVariantHighContrast().has_value(), c.lightContrastComputed)
            << rawString(c.type) << " " << displayName(c.source);
    }
}

TEST(ColorItemAutoContrast, AppearanceTypeChangeFillsUsedVariants) {
    QuenzColorItem item(ThemeableColor(srgb(0.3, 0.4, 0.5)));
    item.setAppearanceType(AppearanceType::lightAndDark);
    EXPECT_EQ(item.color().darkVariant(), srgb(0.3, 0.4, 0.5));
    EXPECT_FALSE(item.color().lightVariantHighContrast());

    item.setAppearanceType(AppearanceType::highContrastAuto);
    ASSERT_TRUE(item.color().lightVariantHighContrast());
    EXPECT_EQ(*item.color().lightVariantHighContrast(), quenz::adjustContrast(srgb(0.3, 0.4, 0.5), 0.5));

    // A new amount recomputes the automatic variants; amount 0 leaves the color as it is.
    item.setAutoContrastAmount(0);
    EXPECT_EQ(*item.color().lightVariantHighContrast(), srgb(0.3, 0.4, 0.5));
}

TEST(ColorItemColorSpace, ChangingSpaceConvertsUnlessIgnored) {
    QuenzColorItem converted(ThemeableColor(srgb(1, 0, 0)));
    converted.setColorSpace(quenz::ColorSpace::displayP3);
    EXPECT_EQ(converted.color().lightVariant.space, quenz::RGBSpace::displayP3);
    EXPECT_LT(converted.color().lightVariant.red, 1.0);

    QuenzColorItem kept(ThemeableColor(srgb(1, 0, 0)));
    kept.setIgnoreColorspaceChange(true);
    kept.setColorSpace(quenz::ColorSpace::displayP3);
    EXPECT_EQ(kept.color().lightVariant, srgb(1, 0, 0));
    EXPECT_EQ(kept.colorSpace(), quenz::ColorSpace::displayP3);
}

}  // namespace
}  // namespace vantorel
