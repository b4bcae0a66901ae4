// `vantorel convert TEXT`: the quick-convert tool. Reads one color in any text form and writes it
// in every form that the target color space supports, one row per form; standard error names the
// form the text was read as.

#include <CLI/CLI.hpp>
#include <fmt/format.h>

#include <nlohmann/json.hpp>

#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "QuenzColorUtils/ColorConverter.h"
#include "QuenzColorUtils/ColorFormat.h"
#include "QuenzColorUtils/ColorSpace.h"
#include "QuenzColorUtils/QuickConvert.h"
#include "QuenzColorUtils/RandomColor.h"
#include "cli/ColorArguments.h"
#include "cli/CommandRegistry.h"

namespace vantorel::cli {
namespace {

struct ConvertArguments {
    std::string text;
    std::string to;
    std::string format;
    std::string randomAlgorithm;
    bool random = false;
    bool json = false;
};

std::string algorithmChoices() {
    return caseNames(quenz::allRandomColorAlgorithms,
                     [](quenz::RandomColorAlgorithm algorithm) { return quenz::caseName(algorithm); });
}

void printRows(std::ostream& out, const std::vector<quenz::ColorConvertData>& rows, bool json) {
    if (json) {
        auto list = nlohmann::ordered_json::array();
        for (const auto& row : rows) {
            list.push_back({{"format", row.format}, {"case", quenz::caseName(row.colorFormat)}, {"value", row.value}});
        }
        out << list.dump(2) << '\n';
        return;
    }
    std::size_t width = 0;
    for (const auto& row : rows) width = std::max(width, row.format.size());
    for (const auto& row : rows) out << fmt::format("{:<{}}  {}\n", row.format, width, row.value);
}

int runConvert(CommandIO& io, const ConvertArguments& args) {
    std::optional<quenz::ColorSpace> target;
    if (!args.to.empty()) {
        target = quenz::colorSpaceFromCaseName(args.to);
        if (!target) {
            return fail(io, exitBadUsage,
                        "unknown color space '" + args.to + "' (choose sRGB, sRGBExtended, displayP3, oklab or oklch)");
        }
    }

    if (args.random) {
        if (!args.text.empty()) return fail(io, exitBadUsage, "give either a color text or --random, not both");
        if (!args.format.empty()) return fail(io, exitBadUsage, "--format reads a color text; --random has none");
        quenz::ColorValue color = quenz::plainRandomColor();
        if (!args.randomAlgorithm.empty()) {
            auto algorithm = quenz::randomColorAlgorithmFromCaseName(args.randomAlgorithm);
            if (!algorithm) {
                return fail(io, exitBadUsage,
                            "unknown random color algorithm '" + args.randomAlgorithm + "' (choose " +
                                algorithmChoices() + ")");
            }
            color = quenz::randomColorValue(*algorithm, quenz::systemRandomSource());
        }
        printRows(io.out, quenz::quickConvertRows(color, target.value_or(quenz::ColorSpace::sRGB)), args.json);
        return exitSuccess;
    }

    if (args.text.empty()) return fail(io, exitBadUsage, "give a color text to convert, or --random");
    quenz::ColorFormat preferred = preferredFormatFor(args.text);
    if (!args.format.empty()) {
        auto named = quenz::colorFormatFromCaseName(args.format);
        if (!named) {
            return fail(io, exitBadUsage, unknownFormatMessage(args.format));
        }
        preferred = *named;
    }

    auto read = readColor(args.text, preferred, target);
    if (!read) return fail(io, exitBadUsage, "cannot read a color from '" + args.text + "'");
    io.err << "vantorel: read as " << read->description << '\n';
    if (read->clampedRange) {
        io.err << "vantorel: warning: numbers outside " << *read->clampedRange << " were clamped; give --format "
               << "to read the text as another form\n";
    }
    printRows(io.out, quenz::quickConvertRows(read->color, target.value_or(read->space)), args.json);
    return exitSuccess;
}

const CommandRegistration registration{Command{
    "convert",
    "Show one color in every text format of a color space",
    50,
    [](CLI::App& app) -> CommandRunner {
        auto args = std::make_shared<ConvertArguments>();
        auto* text = app.add_option("TEXT", args->text,
                                    "The color, in any color text format ('#FF8000', 'rgb(255, 128, 0)', "
                                    "'oklch(62.8% 0.2577 29.2)', 'p3: #FF8000', …)");
        app.add_option("--to", args->to,
                       "Show the color in this space: sRGB, sRGBExtended, displayP3, oklab, oklch "
                       "(default: the space read from the text, Display P3 when it mentions p3)");
        app.add_option("--format", args->format,
                       "Read the text as this format first, e.g. htmlRGB, cssRGB, cssOKLCH "
                       "(default: judged from the text's leading word)");
        auto* random = app.add_option("--random", args->randomAlgorithm,
                                      "Show a random color instead, from the plain generator or the named "
                                      "algorithm: " + algorithmChoices())
                           ->expected(0, 1);
        random->excludes(text);
        app.add_flag("--json", args->json, "Print the rows as a JSON array of {format, case, value}");
        app.footer("The color is converted into the target space first; forms that cannot express that space "
                   "are left out. Standard error names the form the text was read as, and warns when a float "
                   "form clamped numbers.");
        return [args, random](CommandIO& io) {
            args->random = random->count() > 0;
            return runConvert(io, *args);
        };
    },
}};

}  // namespace
}  // namespace vantorel::cli
