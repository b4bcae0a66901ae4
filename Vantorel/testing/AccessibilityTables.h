#pragma once
// The color inspector's two contrast tables (WCAG and APCA) for one text/background pair,
// and their Markdown report.

#include <optional>
#include <string>
#include <vector>

#include "QuenzColorUtils/ColorFormat.h"
#include "QuenzColorUtils/ColorSpace.h"
#include "QuenzColorUtils/ColorValue.h"
#include "Vantorel/testing/APCARecommendedUsage.h"
#include "Vantorel/testing/ContrastRating.h"

namespace vantorel {

struct AccessibilityTableRowData {
    std::string label;
    std::string value;
    PassFailRating rating = PassFailRating::fail;

    friend bool operator==(const AccessibilityTableRowData&, const AccessibilityTableRowData&) = default;
};

inline constexpr const char* wcagTableTitle = "WCAG Contrast";
inline constexpr const char* apcaTableTitle = "APCA Contrast";

// One row, "Contrast Ratio": the ratio to 1 decimal followed by ":1"; AAA from 4.5, AA from 3.0.
std::vector<AccessibilityTableRowData> wcagTableRows(double ratio, std::string_view decimalSeparator = ".");

// "Lightness Contrast" (Lc to 1 decimal; Pass when 700-weight text has a usable size), then
// one row per weight "200" … "700" with the recommended size in px, or "Fail".
std::vector<AccessibilityTableRowData> apcaTableRows(double lc);

// Both measures of a pair and the tables the inspector shows for them.
struct ContrastInspection {
    double wcagRatio = 1;
    std::optional<double> apcaLc;  // none when it cannot be computed
    APCARecommendedUsage apcaUsage;
    std::vector<AccessibilityTableRowData> wcagRows;
    std::vector<AccessibilityTableRowData> apcaRows;
};

ContrastInspection inspectContrast(const quenz::ColorValue& foreground, const quenz::ColorValue& background,
                                   std::string_view decimalSeparator = ".");

// One inspector table with the pair it measured and the way the colors are written.
struct AccessibilityReportTableDelegate {
    std::vector<AccessibilityTableRowData> data;
    std::string title;
    quenz::ColorValue foregroundColor;
    quenz::ColorValue backgroundColor;
    quenz::ColorSpace colorSpace = quenz::ColorSpace::sRGB;
    quenz::ColorFormat colorFormat = quenz::ColorFormat::cssColor;
};

// A table as Markdown: a header row with the title, then label, value and rating per row.
std::string markdownTable(const std::vector<AccessibilityTableRowData>& rows, const std::string& title);

// The report of one table: "Foreground: " and "Background: " lines with the colors as given,
// a blank line, and the table.
std::string accessibilityMarkdown(const std::vector<AccessibilityTableRowData>& rows, const std::string& title,
                                  const std::string& foregroundText, const std::string& backgroundText);

// The report of "Copy as Markdown" and "Save Report"; none when either color cannot be written
// in the chosen format.
std::optional<std::string> markdownReport(const AccessibilityReportTableDelegate& table);

inline constexpr const char* defaultReportFileName = "report.md";

}  // namespace vantorel
