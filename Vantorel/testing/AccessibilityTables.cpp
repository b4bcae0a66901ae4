#include "Vantorel/testing/AccessibilityTables.h"

#include "QuenzColorUtils/ColorOperations.h"
#include "Vantorel/testing/APCAContrast.h"
#include "Vantorel/testing/ContrastColorText.h"
#include "Vantorel/testing/ContrastNumberText.h"
#include "Vantorel/testing/WCAGContrast.h"

namespace vantorel {
namespace {

PassFailRating wcagRating(double ratio) {
    if (ratio >= 4.5) return PassFailRating::passAAA;
    if (ratio >= 3.0) return PassFailRating::passAA;
    return PassFailRating::fail;
}

// A pipe inside a cell would end the cell early.
std::string markdownCell(std::string_view text) {
    std::string cell;
    for (char c : text) {
        if (c == '|') cell += '\\';
        cell += c;
    }
    return cell;
}

}  // namespace

std::vector<AccessibilityTableRowData> wcagTableRows(double ratio, std::string_view decimalSeparator) {
    return {{"Contrast Ratio", plainNumberText(quenz::roundTo(ratio, 1), decimalSeparator) + ":1", wcagRating(ratio)}};
}

std::vector<AccessibilityTableRowData> apcaTableRows(double lc) {
    APCARecommendedUsage usage = apcaRecommendedUsage(lc);
    bool boldTextReadable = usage.size(APCAFontWeight::sevenHundred) < unusableFontSize;
    std::vector<AccessibilityTableRowData> rows;
    rows.push_back({"Lightness Contrast", shortestNumberText(quenz::roundTo(lc, 1)),
                    boldTextReadable ? PassFailRating::pass : PassFailRating::fail});
    for (APCAFontWeight weight : allAPCAFontWeights) {
        int size = usage.size(weight);
        if (size < unusableFontSize) {
            rows.push_back({std::string(weightText(weight)), std::to_string(size) + "px", PassFailRating::pass});
        } else {
            rows.push_back({std::string(weightText(weight)), "Fail", PassFailRating::fail});
        }
    }
    return rows;
}

ContrastInspection inspectContrast(const quenz::ColorValue& foreground, const quenz::ColorValue& background,
                                   std::string_view decimalSeparator) {
    ContrastInspection inspection;
    inspection.wcagRatio = wcagContrastRatio(foreground, background);
    inspection.wcagRows = wcagTableRows(inspection.wcagRatio, decimalSeparator);
    inspection.apcaLc = apcaLightnessContrast(foreground, background);
    // A contrast that cannot be measured is shown as none at all.
    double lc = inspection.apcaLc.value_or(0.0);
    inspection.apcaUsage = apcaRecommendedUsage(lc);
    inspection.apcaRows = apcaTableRows(lc);
    return inspection;
}

std::string markdownTable(const std::vector<AccessibilityTableRowData>& rows, const std::string& title) {
    std::string text = "| " + markdownCell(title) + " | Value | Rating |\n";
    text += "| --- | --- | --- |\n";
    for (const auto& row : rows) {
        text += "| " + markdownCell(row.label) + " | " + markdownCell(row.value) + " | " +
                std::string(ratingText(row.rating)) + " |\n";
    }
    return text;
}

std::string accessibilityMarkdown(const std::vector<AccessibilityTableRowData>& rows, const std::string& title,
                                  const std::string& foregroundText, const std::string& backgroundText) {
    return "Foreground: " + foregroundText + "\nBackground: " + backgroundText + "\n\n" + markdownTable(rows, title);
}

std::optional<std::string> markdownReport(const AccessibilityReportTableDelegate& table) {
    auto foregroundText = inspectorColorText(table.foregroundColor, table.colorFormat, table.colorSpace);
    auto backgroundText = inspectorColorText(table.backgroundColor, table.colorFormat, table.colorSpace);
    if (!foregroundText || !backgroundText) return std::nullopt;
    return accessibilityMarkdown(table.data, table.title, *foregroundText, *backgroundText);
}

}  // namespace vantorel
