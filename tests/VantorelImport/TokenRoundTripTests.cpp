// Exporting the example document as design tokens and importing the file gives back every
// color in every appearance, every number and every shadow.

#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "QuenzColorUtils/ColorOperations.h"
#include "Vantorel/build/exporters/JsonDesignNonBuildExporter.h"
#include "Vantorel/import/JsonDesignImporter.h"
#include "Vantorel/platform/UserLocale.h"
#include "VantorelData/format/QuenzColorFileReader.h"
#include "tests/support/FileContents.h"
#include "tests/support/ScratchFolder.h"

namespace vantorel::import {
namespace {

// Every exported value by its path ("Brand/Primary/500") and appearance, as numbers: a color's
// extended-sRGB components and alpha, a number, or a shadow's offsets, blur, spread and color.
using Values = std::map<std::string, std::vector<double>>;

std::vector<double> colorNumbers(quenz::ColorValue color) {
    // The file writes extended sRGB in Display P3, whose gamut it is clipped to.
    if (color.space == quenz::RGBSpace::extendedSRGB)
        color = quenz::convert(color, quenz::RGBSpace::displayP3).value_or(color);
    const auto converted = quenz::convert(color, quenz::RGBSpace::extendedSRGB).value_or(color);
    return {converted.red, converted.green, converted.blue, color.alpha};
}

// The file keeps a shadow's color as sRGB hex without alpha: bytes, clamped to the gamut.
std::vector<double> shadowNumbers(const ShadowDetails& shadow) {
    std::vector<double> numbers{shadow.xOffset, shadow.yOffset, shadow.blur, shadow.spread};
    const auto color = colorNumbers(shadow.color);
    for (std::size_t i = 0; i < 3; ++i) numbers.push_back(std::round(std::clamp(color[i], 0.0, 1.0) * 255));
    return numbers;
}

template <class V, class Numbers>
void addVariants(Values& values, const std::string& path, const Themeable<V>& value, Numbers numbers) {
    for (ColorSource source : allColorSources) {
        if (const auto variant = value.variant(source))
            values[path + "@" + std::string(displayName(source))] = numbers(*variant);
    }
}

void collect(const std::vector<ProjectItemPtr>& items, const std::string& prefix, Values& values) {
    for (const ProjectItemPtr& item : items) {
        const std::string path = prefix + item->name();
        const auto number = [](double value) { return std::vector<double>{value}; };
        if (const auto group = item->group()) collect(group->items(), path + "/", values);
        if (const auto color = item->color()) addVariants(values, path, color->color(), colorNumbers);
        if (const auto alias = item->colorAlias())
            addVariants(values, path, alias->resolvedColor(), colorNumbers);
        if (const auto set = item->colorSet()) {
            for (const auto& step : set->colors())
                addVariants(values, path + "/" + step.name, step, colorNumbers);
        }
        if (const auto numberItem = item->number()) addVariants(values, path, numberItem->value(), number);
        if (const auto alias = item->numberAlias()) addVariants(values, path, alias->resolvedValue(), number);
        if (const auto shadow = item->shadow()) addVariants(values, path, shadow->shadow(), shadowNumbers);
        if (const auto alias = item->shadowAlias())
            addVariants(values, path, alias->resolvedValue(), shadowNumbers);
        if (const auto set = item->shadowSet()) {
            for (const auto& step : set->shadows())
                addVariants(values, path + "/" + step.name, step, shadowNumbers);
        }
    }
}

TEST(TokenRoundTrip, TheExampleDocumentComesBackWhole) {
    const auto project = format::QuenzColorFileReader::read(
        vantorel::testing::fileContents(std::string(VANTOREL_SOURCE_DIR) + "/examples/Showcase.vantorel"));
    ASSERT_TRUE(project);
    project->linkReferences();
    vantorel::testing::ScratchFolder folder("round-trip");
    {
        platform::ScopedUserLocale locale("en_US");
        ASSERT_FALSE(build::JsonDesignNonBuildExporter(*project).exportTo(folder / "tokens.json").error);
    }
    QuenzColorGroup imported;
    ASSERT_FALSE(JsonDesignImporter().importFile(folder / "tokens.json", imported));

    Values expected, actual;
    collect(project->items(), "", expected);
    collect(imported.items(), "", actual);
    ASSERT_GT(expected.size(), 20u);
    for (const auto& [path, numbers] : expected) {
        const auto found = actual.find(path);
        ASSERT_NE(found, actual.end()) << path;
        ASSERT_EQ(found->second.size(), numbers.size()) << path;
        for (std::size_t i = 0; i < numbers.size(); ++i) {
            // The file keeps four significant digits.
            EXPECT_NEAR(found->second[i], numbers[i], std::max(1e-3, std::fabs(numbers[i]) * 2e-3))
                << path << " " << i;
        }
    }
}

}  // namespace
}  // namespace vantorel::import
