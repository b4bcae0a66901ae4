#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <vector>

#include "QuenzColorUtils/ColorOperations.h"
#include "QuenzColorUtils/RandomColor.h"
#include "ScriptedRandomSource.h"

namespace quenz {
namespace {

using testing::ScriptedRandomSource;
using testing::wordForFraction;

constexpr std::uint64_t twoTo53 = std::uint64_t{1} << 53;

TEST(RandomSource, UniformDrawsHitBothEndsAndRejectInsteadOfFolding) {
    struct Case {
        const char* name;
        std::initializer_list<std::uint64_t> words;
        double lo, hi, expected;
        int draws;
    };
    const Case cases[] = {
        {"zero gives lo", {0}, 2, 4, 2, 1},
        {"2^53 gives exactly hi", {twoTo53}, 0.7, 0.85, 0.85, 1},
        {"half way", {twoTo53 / 2}, 0, 1, 0.5, 1},
        {"bits above 54 are masked off", {(std::uint64_t{1} << 60) | (twoTo53 / 4)}, 0, 1, 0.25, 1},
        // 2^53 + 1 is out of range: it is drawn again rather than folded onto a small number.
        {"out of range is redrawn", {twoTo53 + 1, (std::uint64_t{1} << 54) - 1, twoTo53 / 8}, 0, 8, 1, 3},
    };
    for (const Case& c : cases) {
        ScriptedRandomSource source(c.words);
        EXPECT_EQ(uniformDouble(source, c.lo, c.hi), c.expected) << c.name;
        EXPECT_EQ(source.draws(), c.draws) << c.name;
    }
    // Integers too are redrawn when above the range.
    ScriptedRandomSource source({7, 6, 5, 0, ~std::uint64_t{0}});
    EXPECT_EQ(uniformInteger(source, 5), 5u);  // 7 and 6 are above 5 and redrawn
    EXPECT_EQ(uniformInteger(source, 0), 0u);
    EXPECT_EQ(uniformInteger(source, ~std::uint64_t{0}), ~std::uint64_t{0});
}

TEST(RandomSource, SystemSourceProducesVariedWords) {
    std::set<std::uint64_t> words;
    for (int i = 0; i < 16; ++i) {
        words.insert(systemRandomSource().nextWord());
    }
    EXPECT_GT(words.size(), 14u);
    for (int i = 0; i < 1000; ++i) {
        const double value = uniformDouble(systemRandomSource(), 0.3, 0.4);
        ASSERT_GE(value, 0.3);
        ASSERT_LE(value, 0.4);
    }
}

TEST(RandomColor, ScriptedDrawsFollowEachAlgorithmsRanges) {
    struct Case {
        RandomColorAlgorithm algorithm;
        std::initializer_list<double> fractions;  // one per draw, in draw order
        HSBValues expected;
    };
    const Case cases[] = {
        {RandomColorAlgorithm::pastel, {0.5, 0.0}, {0.5, 0.7, 1}},
        {RandomColorAlgorithm::primary, {0.99, 1, 0}, {11.0 / 12, 1, 0.95}},
        {RandomColorAlgorithm::primary, {1.0, 0, 0}, {1, 0.95, 0.95}},
        {RandomColorAlgorithm::monochrome, {0.25}, {0, 0, 0.25}},
        {RandomColorAlgorithm::metal, {0.5, 0.5, 0}, {0.5, 0.15, 0.05}},
        {RandomColorAlgorithm::cool, {1, 1, 1, 0}, {0.75, 1.0, 0.9}},
        {RandomColorAlgorithm::cool, {0, 0, 0, 1}, {0.45, 0.8, 1}},
        {RandomColorAlgorithm::warm, {0, 0.5}, {-0.1, 0.9, 0.95}},
        {RandomColorAlgorithm::warm, {1, 1}, {0.2, 0.8, 1}},
    };
    for (const Case& c : cases) {
        std::vector<std::uint64_t> script;
        for (double f : c.fractions) {
            script.push_back(wordForFraction(f));
        }
        ScriptedRandomSource source(script);
        const HSBValues values = randomHSB(c.algorithm, source);
        EXPECT_EQ(source.draws(), static_cast<int>(script.size())) << caseName(c.algorithm);
        EXPECT_NEAR(values.hue, c.expected.hue, 1e-12) << caseName(c.algorithm);
        EXPECT_NEAR(values.saturation, c.expected.saturation, 1e-12) << caseName(c.algorithm);
        EXPECT_NEAR(values.brightness, c.expected.brightness, 1e-12) << caseName(c.algorithm);
    }
}

TEST(RandomColor, SystemDrawsStayInTheirRanges) {
    for (int i = 0; i < 500; ++i) {
        const HSBValues cool = randomHSB(RandomColorAlgorithm::cool, systemRandomSource());
        ASSERT_GE(cool.hue, 0.45);
        ASSERT_LE(cool.hue, 0.75);
        ASSERT_GE(cool.saturation, 0.8);
        ASSERT_LE(cool.saturation, 1.0);
        const HSBValues warm = randomHSB(RandomColorAlgorithm::warm, systemRandomSource());
        ASSERT_GE(warm.hue, -0.1);
        ASSERT_LE(warm.hue, 0.2);
        ASSERT_GE(warm.saturation, 0.8);
        ASSERT_LE(warm.saturation, 0.9);
        const double primaryHue = randomHSB(RandomColorAlgorithm::primary, systemRandomSource()).hue * 12;
        ASSERT_EQ(primaryHue, std::round(primaryHue));

        const ColorValue gray = randomColorValue(RandomColorAlgorithm::monochrome, systemRandomSource());
        ASSERT_EQ(gray.space, RGBSpace::extendedLinearSRGB);
        ASSERT_EQ(gray.red, gray.green);
        ASSERT_EQ(gray.green, gray.blue);
        ASSERT_EQ(gray.alpha, 1);

        const ColorValue plain = plainRandomColor();
        ASSERT_EQ(plain.space, RGBSpace::deviceRGB);
        const HSBValues plainHSB = hsb(plain);
        ASSERT_GE(plainHSB.saturation, 0.3 - 1e-12);
        ASSERT_LE(plainHSB.saturation, 0.7 + 1e-12);
        ASSERT_GE(plainHSB.brightness, 0.9 - 1e-12);
    }
}

TEST(RandomColor, WarmHuesBelowZeroAreReds) {
    ScriptedRandomSource lowest({});  // every draw at its lower end
    const ColorValue warm = randomColorValue(RandomColorAlgorithm::warm, lowest);
    // Hue −0.1 (324°): red strongest, blue next, green least.
    EXPECT_GT(warm.red, warm.blue);
    EXPECT_GT(warm.blue, warm.green);
    EXPECT_NEAR(hsb(warm).hue, 0.9, 1e-12);
}

TEST(RandomColor, IsHandedOnInTheRequestedSpace) {
    for (ColorSpace space : allColorSpaces) {
        const QCUColor color = randomColor(RandomColorAlgorithm::pastel, space);
        EXPECT_EQ(color.colorSpace(), space);
        EXPECT_DOUBLE_EQ(color.alpha(), 1);
    }
}

// The stored setting is the case name; it must read back as the same algorithm.
TEST(RandomColor, CaseNamesReadBack) {
    for (RandomColorAlgorithm algorithm : allRandomColorAlgorithms) {
        EXPECT_EQ(randomColorAlgorithmFromCaseName(caseName(algorithm)), algorithm) << caseName(algorithm);
    }
    EXPECT_EQ(randomColorAlgorithmFromCaseName("Pastels"), std::nullopt) << "display names are not case names";
}

}  // namespace
}  // namespace quenz
