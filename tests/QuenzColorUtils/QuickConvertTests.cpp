#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "QuenzColorUtils/ColorOperations.h"
#include "QuenzColorUtils/QuickConvert.h"

namespace quenz {
namespace {

std::vector<std::string> values(const std::vector<ColorConvertData>& rows) {
    std::vector<std::string> out;
    for (const auto& row : rows) out.push_back(row.value);
    return out;
}

TEST(QuickConvert, RowsForOrangeInSRGB) {
    auto rows = quickConvertRows({RGBSpace::sRGB, 1, 0.5, 0, 1}, ColorSpace::sRGB);
    const std::vector<std::string> expected = {
        "1 0.5 0 1",
        "0.0833 1 1 1",
        "#FF8000",
        "rgb(255, 128, 0)",
        "color(srgb 1 0.5 0)",
        "hsl(30 100% 50%)",
        "0xFFFF8000",
        "0xFF8000FF",
        "UIColor(red: 1, green: 0.5, blue: 0, alpha: 1)",
        "UIColor(hue: 0.0833, saturation: 1, brightness: 1, alpha: 1)",
        "NSColor(red: 1, green: 0.5, blue: 0, alpha: 1)",
        "NSColor(hue: 0.0833, saturation: 1, brightness: 1, alpha: 1)",
        "Color(red: 1, green: 0.5, blue: 0)",
        "Color(hue: 0.0833, saturation: 1, brightness: 1, opacity: 1)",
        "Color(red = 1f, green = 0.5f, blue = 0f, alpha = 1f, colorSpace = ColorSpaces.Srgb)",
    };
    EXPECT_EQ(values(rows), expected);
    ASSERT_EQ(rows.size(), expected.size());
    EXPECT_EQ(rows[2].format, "CSS Hex RGB");
    EXPECT_EQ(rows[2].colorFormat, ColorFormat::htmlRGB);
    for (const auto& row : rows) EXPECT_NE(row.colorFormat, ColorFormat::hexRGB);
}

// Which formats a space offers is checked with the format catalogue; here, the conversion.
TEST(QuickConvert, TargetSpaceConvertsFirst) {
    // sRGB orange shown in Display P3: converted, with the "p3: " prefix on the short forms.
    auto rows = quickConvertRows({RGBSpace::sRGB, 1, 0.5, 0, 1}, ColorSpace::displayP3);
    auto has = [&](const std::string& value) {
        return std::any_of(rows.begin(), rows.end(), [&](const auto& row) { return row.value == value; });
    };
    EXPECT_TRUE(has("p3: #EF8633"));
    EXPECT_TRUE(has("color(display-p3 0.936 0.5272 0.1983)"));
    EXPECT_FALSE(has("rgb(255, 128, 0)"));  // rgb() has no Display P3 form of its own
}

TEST(QuickConvert, ViewModelRebuildsOnEveryChange) {
    QuickConvertViewModel model({RGBSpace::sRGB, 1, 0.5, 0, 1});
    EXPECT_EQ(model.data(), quickConvertRows({RGBSpace::sRGB, 1, 0.5, 0, 1}, ColorSpace::sRGB));

    model.setToColorSpace(ColorSpace::oklch);
    ASSERT_EQ(model.data().size(), 1u);
    EXPECT_EQ(model.data()[0].value, "oklch(73.1% 0.1861 52.8)");

    model.setColorToConvert({RGBSpace::sRGB, 1, 0, 0, 1});
    ASSERT_EQ(model.data().size(), 1u);
    EXPECT_EQ(model.data()[0].value, "oklch(62.8% 0.2577 29.2)");

    model.setFromColorSpace(ColorSpace::displayP3);
    EXPECT_EQ(model.fromColorSpace(), ColorSpace::displayP3);
    EXPECT_EQ(model.data()[0].value, "oklch(62.8% 0.2577 29.2)");
}

}  // namespace
}  // namespace quenz
