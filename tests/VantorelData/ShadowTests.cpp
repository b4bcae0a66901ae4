// Shadows: the number ramp with its truncation, shadow sets and shadow items.

#include <gtest/gtest.h>

#include "ModelTestSupport.h"
#include "VantorelData/model/Ramp.h"

namespace vantorel {
namespace {

using testing::srgb;

TEST(ShadowRamp, NumbersAreTruncatedTowardZeroToThousandths) {
    struct Case {
        const char* label;
        double from;
        double to;
        int steps;
        std::vector<double> expected;
    };
    const Case cases[] = {
        {"blur 0 to 10 over 4", 0, 10, 4, {0, 3.333, 6.666, 10}},
        {"negative values truncate toward zero", 0, -10, 4, {0, -3.333, -6.666, -10}},
        {"exact positions stay exact", 0, 1, 5, {0, 0.25, 0.5, 0.75, 1}},
    };
    for (const Case& c : cases) {
        const LinearLegacyInterpolator interpolator(c.steps, 1);
        const ShadowDetails from(srgb(0, 0, 0), c.from, c.from, c.from, c.from);
        const ShadowDetails to(srgb(1, 1, 1), c.to, c.to, c.to, c.to);
        const auto ramp = computeRamp(interpolator, from, nullptr, to, CurveType::linear, 1);
        ASSERT_EQ(ramp.size(), c.expected.size()) << c.label;
        for (std::size_t i = 0; i < ramp.size(); ++i) {
            EXPECT_DOUBLE_EQ(ramp[i].blur, c.expected[i]) << c.label << " step " << i;
            EXPECT_DOUBLE_EQ(ramp[i].xOffset, c.expected[i]) << c.label << " step " << i;
            EXPECT_DOUBLE_EQ(ramp[i].spread, c.expected[i]) << c.label << " step " << i;
        }
        EXPECT_EQ(ramp.back(), to) << c.label;
    }
}

TEST(ShadowRamp, ColorsFollowTheColorInterpolator) {
    const LinearLegacyInterpolator interpolator(3, 1);
    const auto ramp = computeRamp(interpolator, ShadowDetails(srgb(0, 0, 0, 0), 0, 0, 0, 0), nullptr,
                                  ShadowDetails(srgb(0, 0, 0, 1), 0, 4, 8, 0), CurveType::linear, 1);
    ASSERT_EQ(ramp.size(), 3u);
    EXPECT_DOUBLE_EQ(ramp[1].color.alpha, 0.5);
    EXPECT_DOUBLE_EQ(ramp[1].yOffset, 2);
}

TEST(ShadowRamp, ThreeAnchorsUseTheHalvesPositions) {
    const LinearLegacyInterpolator interpolator(5, 1);
    const ShadowDetails middle(srgb(0, 0, 0), 0, 0, 10, 0);
    const auto ramp = computeRamp(interpolator, ShadowDetails(srgb(0, 0, 0), 0, 0, 0, 0), &middle,
                                  ShadowDetails(srgb(0, 0, 0), 0, 0, 13, 0), CurveType::linear, 1);
    ASSERT_EQ(ramp.size(), 5u);
    const double expected[] = {0, 10, 11, 12, 13};
    for (std::size_t i = 0; i < 5; ++i) EXPECT_DOUBLE_EQ(ramp[i].blur, expected[i]) << i;
}

TEST(ShadowSet, AutomaticSetIsRegeneratedFromAnchors) {
    NewSetOptions options;
    options.steps = 4;
    options.interpolationMethod = InterpolationMethod::linear;
    options.namingScheme = ColorNamingScheme::mediumNumeric;
    options.appearanceType = AppearanceType::highContrastAuto;
    const auto set = QuenzColorShadowSet::makeAutomatic(ThemeableShadow(ShadowDetails(srgb(0, 0, 0, 0.1), 0, 1, 2, 0)),
                                                        std::nullopt,
                                                        ThemeableShadow(ShadowDetails(srgb(0, 0, 0, 0.4), 0, 8, 16, 0)),
                                                        options);
    ASSERT_EQ(set->shadows().size(), 4u);
    EXPECT_EQ(set->shadows()[3].name, "40");
    EXPECT_DOUBLE_EQ(set->shadows()[1].lightVariant.yOffset, 3.333);
    EXPECT_DOUBLE_EQ(set->shadows()[2].lightVariant.blur, 11.333);
    // Steps come back in the set's space, and auto high contrast pushes the shadow colors.
    for (const ThemeableShadow& step : set->shadows()) {
        EXPECT_EQ(step.lightVariant.color.space, quenz::RGBSpace::sRGB);
        ASSERT_TRUE(step.lightVariantHighContrast());
        EXPECT_EQ(step.lightVariantHighContrast()->blur, step.lightVariant.blur);
    }
}

TEST(ShadowSet, ManualSetGrowsWithUnnamedCopies) {
    SetParameters parameters;
    parameters.type = SetType::manual;
    QuenzColorShadowSet set({ThemeableShadow(ShadowDetails(srgb(0, 0, 0), 1, 2, 3, 4), std::nullopt, std::nullopt,
                                             std::nullopt, "base")},
                            parameters);
    set.setSteps(3);
    set.updateStepCount();
    ASSERT_EQ(set.shadows().size(), 3u);
    EXPECT_EQ(set.shadows()[2].name, "Unnamed");
    EXPECT_EQ(set.shadows()[2].lightVariant, ShadowDetails(srgb(0, 0, 0), 1, 2, 3, 4));
}

TEST(ShadowItem, AutoContrastPushesTheShadowColorOnly) {
    CommonValueFields common;
    common.appearanceType = AppearanceType::highContrast;
    QuenzColorShadow item(ThemeableShadow(ShadowDetails(srgb(0.2, 0.2, 0.2), 1, 2, 3, 4)), {}, common);
    item.setAppearanceType(AppearanceType::highContrastAuto);
    ASSERT_TRUE(item.shadow().lightVariantHighContrast());
    const ShadowDetails& pushed = *item.shadow().lightVariantHighContrast();
    EXPECT_EQ(pushed.blur, 3);
    EXPECT_LT(pushed.color.red, 0.2);
}

}  // namespace
}  // namespace vantorel
