#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "QuenzColorUtils/ColorNamingScheme.h"
#include "QuenzColorUtils/ColorSortHelper.h"
#include "QuenzColorUtils/NamedColor.h"

namespace quenz {
namespace {

std::vector<std::string> sortedNames(std::vector<NamedColor> colors, ColorSortKey key) {
    ColorSortHelper::sort(
        colors, key, [](const NamedColor& c) -> const std::string& { return c.name(); },
        [](const NamedColor& c) { return c.color(); });
    std::vector<std::string> names;
    for (const NamedColor& c : colors) {
        names.push_back(c.name());
    }
    return names;
}

ColorValue srgb(double r, double g, double b) { return ColorValue{RGBSpace::sRGB, r, g, b, 1}; }

TEST(ColorSorting, OrdersByEachKeyAndKeepsTiesInPlace) {
    const std::vector<NamedColor> grays = {
        {"first", srgb(0.5, 0.5, 0.5)}, {"second", srgb(0.2, 0.2, 0.2)},
        {"third", srgb(0.5, 0.5, 0.5)}, {"fourth", ColorValue{RGBSpace::deviceGray, 0.5, 0, 0, 1}}};
    const std::vector<NamedColor> hues = {
        {"blue", srgb(0, 0, 1)}, {"red", srgb(1, 0, 0)}, {"pale green", srgb(0.8, 1, 0.8)}, {"gray", srgb(0.5, 0.5, 0.5)}};
    const std::vector<NamedColor> names = {
        {"Blue 9", srgb(0, 0, 1)}, {"blue", srgb(0, 0, 1)}, {"Blue 10", srgb(0, 0, 1)}, {"Ärger", srgb(0, 0, 1)}, {"Zed", srgb(0, 0, 1)}};
    struct Case {
        const char* name;
        const std::vector<NamedColor>& input;
        ColorSortKey key;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        // Equal keys keep their order; a device gray's brightness is its sRGB level.
        {"grays by luminance", grays, ColorSortKey::luminance, {"second", "first", "third", "fourth"}},
        {"grays by hue", grays, ColorSortKey::hue, {"first", "second", "third", "fourth"}},
        {"grays by saturation", grays, ColorSortKey::saturation, {"first", "second", "third", "fourth"}},
        {"hues", hues, ColorSortKey::hue, {"red", "gray", "pale green", "blue"}},
        {"saturations", hues, ColorSortKey::saturation, {"gray", "pale green", "blue", "red"}},
        {"luminance", hues, ColorSortKey::luminance, {"blue", "red", "gray", "pale green"}},
        // String order: "Blue 10" before "Blue 9", upper case before lower, code points after ASCII.
        {"names", names, ColorSortKey::name, {"Blue 10", "Blue 9", "Zed", "blue", "Ärger"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(sortedNames(c.input, c.key), c.expected) << c.name;
    }
}

TEST(ColorSorting, BrokenColorsSortLastWithoutUpsettingTheOrder) {
    const std::vector<NamedColor> colors = {
        {"nan", srgb(std::nan(""), 0, 0)}, {"bright", srgb(1, 1, 1)}, {"dark", srgb(0.1, 0.1, 0.1)}};
    EXPECT_EQ(sortedNames(colors, ColorSortKey::luminance), (std::vector<std::string>{"dark", "bright", "nan"}));
}

TEST(NamedColor, ReportsChangesAndComparesByValue) {
    NamedColor color("Accent", srgb(1, 0, 0));
    int changes = 0;
    const std::size_t token = color.addObserver([&changes](const NamedColor&) { ++changes; });
    color.setName("Accent");  // no change, no report
    color.setName("Primary");
    color.setColor(srgb(0, 1, 0));
    color.setColor(srgb(0, 1, 0));
    EXPECT_EQ(changes, 2);

    const NamedColor copy = color;
    EXPECT_EQ(copy, color);
    EXPECT_NE(copy, NamedColor("Primary", srgb(0, 0, 1)));

    color.removeObserver(token);
    color.setName("Other");
    EXPECT_EQ(changes, 2);
}

}  // namespace
}  // namespace quenz
