// `vantorel contrast FOREGROUND BACKGROUND`: the color inspector's contrast tables for a text
// color over a background, as aligned text, as Markdown or as JSON data.

#include <CLI/CLI.hpp>
#include <fmt/format.h>

#include <nlohmann/json.hpp>

#include <optional>
#include <ostream>
#include <string>

#include "QuenzColorUtils/ColorConverter.h"
#include "QuenzColorUtils/ColorFormat.h"
#include "QuenzColorUtils/ColorSpace.h"
#include "Vantorel/platform/OutputText.h"
#include "Vantorel/platform/UserLocale.h"
#include "Vantorel/testing/AccessibilityTables.h"
#include "Vantorel/testing/ContrastColorText.h"
#include "Vantorel/testing/ContrastNumberText.h"
#include "cli/ColorArguments.h"
#include "cli/CommandRegistry.h"
#include "cli/LocaleOption.h"

namespace vantorel::cli {
namespace {

struct ContrastArguments {
    std::string foreground;
    std::string background;
    std::string space;
    std::string format;
    std::string locale;
    bool markdown = false;
    bool json = false;
};

// The form a color is most likely written in, judged by how the text starts; the parser falls
// back to the other forms by itself.
quenz::ConvertedColor readColor(const std::string& text, std::optional<quenz::ColorFormat> format,
                                std::optional<quenz::ColorSpace> space) {
    // A space named on the command line is taken as given; otherwise "p3" in the text decides.
    return quenz::ColorConverter::parseColor(text, format.value_or(preferredFormatFor(text)),
                                             space.value_or(quenz::ColorSpace::sRGB), !space.has_value());
}

const char* ratingName(PassFailRating rating) { return ratingText(rating).data(); }

nlohmann::json rowsAsJSON(const std::vector<AccessibilityTableRowData>& rows) {
    auto list = nlohmann::json::array();
    for (const auto& row : rows) {
        list.push_back({{"label", row.label}, {"value", row.value}, {"rating", ratingName(row.rating)}});
    }
    return list;
}

nlohmann::json optionalText(const std::optional<std::string>& text) {
    return text ? nlohmann::json(*text) : nlohmann::json(nullptr);
}

void printTable(std::ostream& out, const std::string& title, const std::vector<AccessibilityTableRowData>& rows) {
    std::size_t labelWidth = 0, valueWidth = 0;
    for (const auto& row : rows) {
        labelWidth = std::max(labelWidth, row.label.size());
        valueWidth = std::max(valueWidth, row.value.size());
    }
    out << title << '\n';
    for (const auto& row : rows) {
        out << fmt::format("  {:<{}}  {:<{}}  {}\n", row.label, labelWidth, row.value, valueWidth,
                           ratingName(row.rating));
    }
}

int runContrast(CommandIO& io, const ContrastArguments& args) {
    std::optional<quenz::ColorFormat> format;
    if (!args.format.empty()) {
        format = quenz::colorFormatFromCaseName(args.format);
        if (!format) return fail(io, exitBadUsage, unknownFormatMessage(args.format));
    }
    std::optional<quenz::ColorSpace> space;
    if (!args.space.empty()) {
        space = quenz::colorSpaceFromCaseName(args.space);
        if (!space) return fail(io, exitBadUsage, unknownSpaceMessage(args.space));
    }

    auto foreground = readColor(args.foreground, format, space);
    if (!foreground.color) return fail(io, exitBadUsage, "cannot read a color from '" + args.foreground + "'");
    auto background = readColor(args.background, format, space);
    if (!background.color) return fail(io, exitBadUsage, "cannot read a color from '" + args.background + "'");

    // The colors are shown in the form the foreground was given in, and in Display P3 when
    // either of them is a P3 color, so that neither is clipped in the report.
    quenz::ColorFormat shownFormat = format.value_or(foreground.detectedFormat.value_or(quenz::ColorFormat::htmlRGB));
    quenz::ColorSpace shownSpace = space.value_or(
        foreground.detectedColorSpace == quenz::ColorSpace::displayP3 ||
                background.detectedColorSpace == quenz::ColorSpace::displayP3
            ? quenz::ColorSpace::displayP3
            : foreground.detectedColorSpace.value_or(quenz::ColorSpace::sRGB));
    auto foregroundText = inspectorColorText(*foreground.color, shownFormat, shownSpace);
    auto backgroundText = inspectorColorText(*background.color, shownFormat, shownSpace);

    // The ratio is written in the user's number style, as the test report writes it.
    platform::ScopedUserLocale locale(args.locale);
    const std::string decimalSeparator = decimalSeparatorOf(platform::userLocaleName(platform::LocaleCategory::numeric));
    ContrastInspection inspection = inspectContrast(*foreground.color, *background.color, decimalSeparator);

    if (args.json) {
        nlohmann::json usage = nlohmann::json::object();
        for (APCAFontWeight weight : allAPCAFontWeights) {
            usage[std::string(weightText(weight))] = inspection.apcaUsage.size(weight);
        }
        nlohmann::json data = {
            {"foreground", optionalText(foregroundText)},
            {"background", optionalText(backgroundText)},
            {"wcagRatio", inspection.wcagRatio},
            {"apcaLc", inspection.apcaLc ? nlohmann::json(*inspection.apcaLc) : nlohmann::json(nullptr)},
            {"apcaUsage", usage},
            {"wcagTable", rowsAsJSON(inspection.wcagRows)},
            {"apcaTable", rowsAsJSON(inspection.apcaRows)},
        };
        io.out << platform::jsonOutputText(std::move(data)) << '\n';
        return exitSuccess;
    }

    if (!foregroundText || !backgroundText) {
        return fail(io, exitJobFailed,
                    fmt::format("cannot write the colors as {} in {}", quenz::displayName(shownFormat),
                                quenz::displayName(shownSpace)));
    }
    if (args.markdown) {
        io.out << accessibilityMarkdown(inspection.wcagRows, wcagTableTitle, *foregroundText, *backgroundText) << '\n'
               << markdownTable(inspection.apcaRows, apcaTableTitle);
        return exitSuccess;
    }
    io.out << "Foreground: " << *foregroundText << "\nBackground: " << *backgroundText << "\n\n";
    printTable(io.out, wcagTableTitle, inspection.wcagRows);
    io.out << '\n';
    printTable(io.out, apcaTableTitle, inspection.apcaRows);
    return exitSuccess;
}

const CommandRegistration registration{Command{
    "contrast",
    "Measure the WCAG and APCA contrast of a text color over a background",
    60,
    [](CLI::App& app) -> CommandRunner {
        auto args = std::make_shared<ContrastArguments>();
        app.add_option("FOREGROUND", args->foreground, "The text color, in any color text format ('#1A2B3C', 'rgb(…)', …)")
            ->required();
        app.add_option("BACKGROUND", args->background, "The background color")->required();
        app.add_option("--space", args->space,
                       "Read and show both colors in this space: sRGB, sRGBExtended, displayP3, oklab, oklch "
                       "(default: detected, Display P3 when the text mentions p3)");
        app.add_option("--format", args->format,
                       "Read and show both colors in this format, e.g. htmlRGB, cssColor, cssOKLCH "
                       "(default: judged from the text)");
        addLocaleOption(app, args->locale,
                        "Write the contrast ratio in this locale's number style, e.g. de_DE (default: from the "
                        "environment)");
        auto* markdown = app.add_flag("--markdown", args->markdown, "Print the tables as a Markdown report");
        app.add_flag("--json", args->json,
                     "Print the measures as JSON: wcagRatio, apcaLc, apcaUsage and the table rows")
            ->excludes(markdown);
        app.footer(
            "The WCAG table rates the contrast ratio AAA from 4.5:1 and AA from 3:1. The APCA table gives the "
            "lightness contrast Lc and, per font weight, the smallest text size in px that it supports.");
        return [args](CommandIO& io) { return runContrast(io, *args); };
    },
}};

}  // namespace
}  // namespace vantorel::cli
