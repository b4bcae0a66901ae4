#include <gtest/gtest.h>

#include "Vantorel/testing/AccessibilityTables.h"

using quenz::ColorValue;
using quenz::RGBSpace;
using namespace vantorel;

namespace {
using Rows = std::vector<AccessibilityTableRowData>;
constexpr auto pass = PassFailRating::pass;
constexpr auto fail = PassFailRating::fail;

// The Lc row, then one row per weight from 200 to 700 with its size; "Fail" rows fail.
Rows apcaRows(const char* lc, PassFailRating rating, const std::vector<const char*>& sizes) {
    Rows rows{{"Lightness Contrast", lc, rating}};
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        rows.push_back({std::to_string(200 + 100 * i), sizes[i], std::string(sizes[i]) == "Fail" ? fail : pass});
    }
    return rows;
}
}  // namespace

TEST(AccessibilityTables, WCAGRow) {
    const struct {
        double ratio;
        AccessibilityTableRowData row;
    } cases[] = {
        {21, {"Contrast Ratio", "21:1", PassFailRating::passAAA}},
        {4.5, {"Contrast Ratio", "4.5:1", PassFailRating::passAAA}},
        // Shown as 4.5 but rated on the ratio itself.
        {4.478, {"Contrast Ratio", "4.5:1", PassFailRating::passAA}},
        {3.0, {"Contrast Ratio", "3:1", PassFailRating::passAA}},
        {2.996, {"Contrast Ratio", "3:1", fail}},
        {1, {"Contrast Ratio", "1:1", fail}},
    };
    for (const auto& c : cases) EXPECT_EQ(wcagTableRows(c.ratio), Rows{c.row}) << c.ratio;
    EXPECT_EQ(wcagTableRows(4.478, ",")[0].value, "4,5:1");
}

TEST(AccessibilityTables, APCARows) {
    EXPECT_EQ(apcaTableRows(106.0), apcaRows("106.0", pass, {"25px", "18px", "14px", "14px", "13px", "12px"}));
    // Lc 30: weight 200 has no usable size, 700 has one, so the pair passes.
    EXPECT_EQ(apcaTableRows(-30), apcaRows("-30.0", pass, {"Fail", "120px", "108px", "108px", "96px", "72px"}));
    EXPECT_EQ(apcaTableRows(20), apcaRows("20.0", fail, std::vector<const char*>(6, "Fail")));
}

TEST(AccessibilityTables, InspectionOfAPair) {
    auto inspection = inspectContrast({RGBSpace::sRGB, 1, 1, 1, 1}, {RGBSpace::sRGB, 0, 0, 0, 1});
    EXPECT_DOUBLE_EQ(inspection.wcagRatio, 21);
    ASSERT_TRUE(inspection.apcaLc.has_value());
    EXPECT_DOUBLE_EQ(*inspection.apcaLc, -107.9);
    EXPECT_EQ(inspection.apcaUsage.twoHundred, 24);
    EXPECT_EQ(inspection.wcagRows, wcagTableRows(21));
    EXPECT_EQ(inspection.apcaRows, apcaTableRows(-107.9));
}

TEST(AccessibilityTables, MarkdownReport) {
    AccessibilityReportTableDelegate table{wcagTableRows(21), wcagTableTitle, {RGBSpace::sRGB, 0, 0, 0, 1},
                                           {RGBSpace::sRGB, 1, 1, 1, 1}, quenz::ColorSpace::sRGB,
                                           quenz::ColorFormat::htmlRGB};
    EXPECT_EQ(markdownReport(table), std::optional<std::string>("Foreground: #000000\n"
                                                                "Background: #FFFFFF\n"
                                                                "\n"
                                                                "| WCAG Contrast | Value | Rating |\n"
                                                                "| --- | --- | --- |\n"
                                                                "| Contrast Ratio | 21:1 | AAA |\n"));

    // Colors are converted into the chosen space and written with the report's prefix.
    table.colorSpace = quenz::ColorSpace::displayP3;
    table.colorFormat = quenz::ColorFormat::cssColor;
    table.data = apcaTableRows(20);
    table.title = apcaTableTitle;
    auto report = markdownReport(table);
    ASSERT_TRUE(report.has_value());
    EXPECT_EQ(report->substr(0, report->find("\n\n")),
              "Foreground: color(display-p3 0 0 0)\nBackground: color(display-p3 1 1 1)");
    EXPECT_NE(report->find("| 200 | Fail | Fail |\n"), std::string::npos);
    EXPECT_NE(report->find("| Lightness Contrast | 20.0 | Fail |\n"), std::string::npos);

    // A format is written in the nearest space it supports: hex has no OKLCH form.
    table.colorSpace = quenz::ColorSpace::oklch;
    table.colorFormat = quenz::ColorFormat::htmlRGB;
    report = markdownReport(table);
    ASSERT_TRUE(report.has_value());
    EXPECT_EQ(report->substr(0, report->find("\n\n")), "Foreground: #000000\nBackground: #FFFFFF");

    // Pipes in titles and labels would end a cell.
    const auto escaped = accessibilityMarkdown({{"a|b", "1", pass}}, "T|itle", "x", "y");
    EXPECT_NE(escaped.find("| T\\|itle | Value | Rating |"), std::string::npos);
    EXPECT_NE(escaped.find("| a\\|b | 1 | Pass |"), std::string::npos);
}

