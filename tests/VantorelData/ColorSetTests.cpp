// Color sets: curves, the middle index, step naming, interpolation and the step count.

#include <cmath>
#include <numbers>

#include <gtest/gtest.h>

#include "ModelTestSupport.h"
#include "QuenzColorUtils/ColorOperations.h"

namespace vantorel {
namespace {

using testing::srgb;

TEST(SetCurves, KnownPoints) {
    struct Case {
        CurveType curve;
        double t;
        double amount;
        double expected;
    };
    const Case cases[] = {
        {CurveType::linear, 0.3, 1, 0.3},
        {CurveType::lame, 0.5, 2, 1 - std::sqrt(0.75)},
        {CurveType::cosine, 0.25, 1, 0.5 - 0.5 * std::cos(std::numbers::pi / 4)},
        {CurveType::cosine, 0.25, 0, 0.25},
        {CurveType::cosine, 0.25, 0.5, 0.25 + 0.5 * ((0.5 - 0.5 * std::cos(std::numbers::pi / 4)) - 0.25)},
        {CurveType::hermite3, 0.25, 1, 0.25 * 0.25 * 2.5},
        {CurveType::hermite3, 0.5, 1, 0.5},
        {CurveType::hermite5, 0.25, 1, 0.103515625},
        {CurveType::hermite5, 0.75, 0, 0.75},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(applyCurve(c.curve, c.t, c.amount), c.expected, 1e-12) << displayName(c.curve) << " " << c.t;
    }
}

TEST(SetMiddleIndex, NeverFirstOrLast) {
    struct Case {
        double location;
        int steps;
        int expected;
    };
    const Case cases[] = {{0.5, 10, 5}, {0.05, 10, 1}, {1.0, 10, 8}, {0.0, 10, 1}, {0.95, 10, 8},
                          {0.5, 3, 1},  {0.99, 5, 3},  {0.25, 9, 2}};
    for (const Case& c : cases) EXPECT_EQ(middleIndexFor(c.location, c.steps), c.expected) << c.location;
}

TEST(SetNaming, SchemesAndCodes) {
    const std::pair<ColorNamingScheme, std::vector<std::string>> cases[] = {
        {ColorNamingScheme::smallNumeric, {"1", "2", "3"}},
        {ColorNamingScheme::mediumNumeric, {"10", "20", "30"}},
        {ColorNamingScheme::largeNumeric, {"100", "200", "300"}},
        {ColorNamingScheme::manual, {"100", "200", "300"}},
    };
    for (const auto& [scheme, names] : cases) {
        for (int i = 0; i < 3; ++i) EXPECT_EQ(stepName(i, scheme), names[static_cast<std::size_t>(i)]);
    }
    EXPECT_EQ(colorNamingSchemeFromCode(4), ColorNamingScheme::mediumNumeric);
    EXPECT_EQ(colorNamingSchemeFromCode(3), ColorNamingScheme::manual);
    EXPECT_EQ(colorNamingSchemeFromCode(0), std::nullopt);
    EXPECT_EQ(colorNamingSchemeFromCode(5), std::nullopt);
    EXPECT_EQ(code(ColorNamingScheme::mediumNumeric), 4);
    for (SetType type : allSetTypes) EXPECT_EQ(setTypeFromCode(code(type)), type);
    for (InterpolationMethod method : allInterpolationMethods) {
        EXPECT_EQ(interpolationMethodFromCode(code(method)), method);
    }
    for (CurveType curve : allCurveTypes) EXPECT_EQ(curveTypeFromCode(code(curve)), curve);
    EXPECT_EQ(code(InterpolationMethod::oklab), 4);
    EXPECT_EQ(curveTypeFromCode(6), std::nullopt);
}

quenz::ColorValue linear(const quenz::ColorValue& color) {
    return quenz::convert(color, quenz::RGBSpace::extendedLinearSRGB).value();
}

TEST(SetInterpolation, LinearRampPlacesAnchorsExactly) {
    const LinearInterpolator interpolator(5, 2);
    const auto from = srgb(1, 0, 0, 1);
    const auto to = srgb(0, 0, 1, 0);
    const auto ramp = interpolator.interpolate(from, to, CurveType::linear, 1);
    ASSERT_EQ(ramp.size(), 5u);
    EXPECT_EQ(ramp.front(), linear(from));
    EXPECT_EQ(ramp.back(), linear(to));
    const double positions[] = {0, 0.25, 0.5, 0.75, 1};
    for (std::size_t i = 0; i < ramp.size(); ++i) {
        EXPECT_EQ(ramp[i].space, quenz::RGBSpace::extendedLinearSRGB);
        EXPECT_NEAR(ramp[i].alpha, 1 - positions[i], 1e-12) << i;
        EXPECT_NEAR(ramp[i].blue, positions[i], 1e-12) << i;
    }
}

TEST(SetInterpolation, ThreeAnchorRampPutsTheMiddleAtItsIndex) {
    const LinearLegacyInterpolator interpolator(7, 2);
    const auto ramp = interpolator.interpolateThree(srgb(0, 0, 0), srgb(0.5, 0.5, 0.5), srgb(1, 1, 1),
                                                    CurveType::linear, 1);
    ASSERT_EQ(ramp.size(), 7u);
    const double expected[] = {0, 0.25, 0.5, 0.625, 0.75, 0.875, 1};
    for (std::size_t i = 0; i < ramp.size(); ++i) EXPECT_NEAR(ramp[i].red, expected[i], 1e-12) << i;
}

TEST(SetInterpolation, EveryInterpolatorKeepsTheRampLengthAndEnds) {
    for (InterpolationMethod method : allInterpolationMethods) {
        const auto interpolator = makeInterpolator(method, 6, 3);
        const auto ramp = interpolator->interpolate(srgb(0.1, 0.2, 0.3), srgb(0.9, 0.7, 0.2), CurveType::hermite3, 1);
        ASSERT_EQ(ramp.size(), 6u) << displayName(method);
        const auto last = quenz::convert(ramp.back(), quenz::RGBSpace::extendedSRGB).value();
        EXPECT_NEAR(last.red, 0.9, 1e-9) << displayName(method);
        EXPECT_NEAR(last.blue, 0.2, 1e-9) << displayName(method);
    }
}

TEST(SetInterpolation, OKLCHRampFromGreyKeepsTheBlueHue) {
    const auto blue = srgb(0.1, 0.2, 0.9);
    const double blueHue = quenz::toOKLCH(blue).value().hue;
    const OKLCHInterpolator interpolator(6, 3);
    const auto ramp = interpolator.interpolate(srgb(0.5, 0.5, 0.5), blue, CurveType::linear, 1);
    ASSERT_EQ(ramp.size(), 6u);
    for (std::size_t i = 1; i + 1 < ramp.size(); ++i) {
        EXPECT_NEAR(quenz::toOKLCH(ramp[i]).value().hue, blueHue, 1e-6) << i;
    }
}

std::shared_ptr<QuenzColorSet> automaticSet(SetType type, AppearanceType appearance, int steps) {
    NewSetOptions options;
    options.steps = steps;
    options.interpolationMethod = InterpolationMethod::linearLegacy;
    options.namingScheme = ColorNamingScheme::smallNumeric;
    options.appearanceType = appearance;
    const ThemeableColor first(srgb(0, 0, 0), std::nullopt, srgb(1, 1, 1));
    const ThemeableColor middle(srgb(0.5, 0, 0), std::nullopt, srgb(0.5, 1, 1));
    const ThemeableColor last(srgb(1, 1, 1), std::nullopt, srgb(0, 0, 0));
    return QuenzColorSet::makeAutomatic(first, type == SetType::threeItems ? std::optional(middle) : std::nullopt,
                                        last, options);
}

// Each step takes its variants from the anchors' variants of the appearance; a variant the
// anchors lack stays empty, and automatic high contrast is pushed from the regular step.
TEST(SetRegeneration, AutomaticSetVariantsFollowTheAnchors) {
    const auto set = automaticSet(SetType::twoItems, AppearanceType::lightAndDark, 5);
    EXPECT_EQ(set->type(), SetType::twoItems);
    ASSERT_EQ(set->colors().size(), 5u);
    for (std::size_t i = 0; i < 5; ++i) {
        const ThemeableColor& step = set->colors()[i];
        EXPECT_EQ(step.name, std::to_string(i + 1));
        EXPECT_NEAR(step.lightVariant.red, 0.25 * static_cast<double>(i), 1e-12);
        ASSERT_TRUE(step.darkVariant());
        EXPECT_NEAR(step.darkVariant()->red, 1 - 0.25 * static_cast<double>(i), 1e-12);
        EXPECT_FALSE(step.lightVariantHighContrast());
    }
    const auto highContrast = automaticSet(SetType::twoItems, AppearanceType::highContrast, 4);
    for (const ThemeableColor& step : highContrast->colors()) {
        EXPECT_FALSE(step.lightVariantHighContrast()) << "the anchors have no high contrast variant";
    }
    const auto autoContrast = automaticSet(SetType::threeItems, AppearanceType::highContrastAuto, 5);
    ASSERT_EQ(autoContrast->colors().size(), 5u);
    EXPECT_EQ(autoContrast->colors()[2].lightVariant, srgb(0.5, 0, 0));
    for (const ThemeableColor& step : autoContrast->colors()) {
        ASSERT_TRUE(step.lightVariantHighContrast());
        EXPECT_EQ(*step.lightVariantHighContrast(), quenz::adjustContrast(step.lightVariant, 0.5));
        EXPECT_FALSE(step.darkVariant());
    }
}

TEST(SetRegeneration, ManualNamingKeepsExistingStepNames) {
    const auto set = automaticSet(SetType::twoItems, AppearanceType::none, 3);
    auto named = set->colors();
    named[0].name = "ink";
    named[1].name = "mid";
    set->setColors(named);
    set->setNamingScheme(ColorNamingScheme::manual);
    set->setSteps(4);
    set->updateStepCount();
    ASSERT_EQ(set->colors().size(), 4u);
    EXPECT_EQ(set->colors()[0].name, "ink");
    EXPECT_EQ(set->colors()[1].name, "mid");
    EXPECT_EQ(set->colors()[2].name, "3");
    EXPECT_EQ(set->colors()[3].name, "Unnamed");
    set->applyNaming();
    EXPECT_EQ(set->colors()[0].name, "100");
}

std::shared_ptr<QuenzColorSet> manualSet(std::vector<ThemeableColor> steps, AppearanceType appearance) {
    SetParameters parameters;
    parameters.type = SetType::manual;
    CommonValueFields common;
    common.appearanceType = appearance;
    return std::make_shared<QuenzColorSet>(std::move(steps), parameters, ColorPresentation{}, common);
}

TEST(SetStepCount, ManualSetGrowsWithCopiesAndShrinksFromTheEnd) {
    const auto set = manualSet({ThemeableColor(srgb(0, 0, 0), std::nullopt, std::nullopt, std::nullopt, "a"),
                                ThemeableColor(srgb(1, 0, 0), srgb(1, 1, 0), srgb(0, 1, 0), std::nullopt, "b")},
                               AppearanceType::lightDarkHighContrast);
    set->setSteps(4);
    set->updateStepCount();
    ASSERT_EQ(set->colors().size(), 4u);
    for (std::size_t i = 2; i < 4; ++i) {
        const ThemeableColor& copy = set->colors()[i];
        EXPECT_EQ(copy.name, "Unnamed");
        EXPECT_TRUE(copy.sameValues(ThemeableColor(srgb(1, 0, 0), srgb(1, 1, 0), srgb(0, 1, 0), std::nullopt,
                                                   "Unnamed")));
        EXPECT_NE(copy.uuid(), set->colors()[1].uuid());
    }
    EXPECT_NE(set->colors()[2].uuid(), set->colors()[3].uuid());

    set->setSteps(1);
    set->updateStepCount();
    ASSERT_EQ(set->colors().size(), 1u);
    EXPECT_EQ(set->colors()[0].name, "a");
}

TEST(SetStepCount, ManualCopiesDeriveAutoContrastAndAnEmptySetGrowsFromATemplate) {
    const auto set = manualSet({ThemeableColor(srgb(0.8, 0.8, 0.8))}, AppearanceType::lightDarkHighContrastAuto);
    set->setSteps(2);
    set->updateStepCount();
    ASSERT_EQ(set->colors().size(), 2u);
    const ThemeableColor& copy = set->colors()[1];
    EXPECT_FALSE(copy.darkVariant());
    EXPECT_EQ(copy.lightVariantHighContrast(), quenz::adjustContrast(srgb(0.8, 0.8, 0.8), 0.5));
    EXPECT_EQ(copy.darkVariantHighContrast(), quenz::adjustContrast(srgb(0.8, 0.8, 0.8), 0.5));

    const auto empty = manualSet({}, AppearanceType::none);
    empty->setSteps(2);
    empty->updateStepCount();
    ASSERT_EQ(empty->colors().size(), 2u);
    EXPECT_EQ(empty->colors()[0].name, "Unnamed");
}

TEST(SetMiddleLocation, MiddleAnchorMovesWithTheLocation) {
    const auto set = automaticSet(SetType::threeItems, AppearanceType::none, 10);
    ASSERT_EQ(set->middleIndex(), 5);
    EXPECT_EQ(set->colors()[5].lightVariant, srgb(0.5, 0, 0));
    set->setMiddleLocation(0.3);
    EXPECT_EQ(set->middleIndex(), 3);
    ASSERT_EQ(set->colors().size(), 10u);
    EXPECT_EQ(set->colors()[3].lightVariant, srgb(0.5, 0, 0));
    EXPECT_EQ(set->middleColor()->lightVariant, srgb(0.5, 0, 0));
}

}  // namespace
}  // namespace vantorel
