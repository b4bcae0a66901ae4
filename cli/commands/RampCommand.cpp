// `vantorel ramp FROM [MID] TO`: a color set generated from its anchors by the model's own set
// code, printed as one row per step (step name and color text), so that ramps can be tried from a
// terminal and checked by scripts.

#include <CLI/CLI.hpp>
#include <fmt/format.h>

#include <nlohmann/json.hpp>

#include <cmath>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "QuenzColorUtils/ColorConverter.h"
#include "QuenzColorUtils/ColorOperations.h"
#include "VantorelData/model/ColorSet.h"
#include "cli/ColorArguments.h"
#include "cli/CommandRegistry.h"

namespace vantorel::cli {
namespace {

// The case names the command accepts, in each enumeration's order.
constexpr std::string_view interpolationNames[] = {"linear", "linearLegacy", "oklch", "oklab"};
constexpr std::string_view curveNames[] = {"linear", "cosine", "hermite3", "hermite5", "lame"};
constexpr std::string_view namingNames[] = {"smallNumeric", "largeNumeric", "manual", "mediumNumeric"};

// Enough for any ramp a design system uses, small enough that a typo cannot exhaust memory.
constexpr int maximumSteps = 1000;

struct RampArguments {
    std::vector<std::string> anchors;
    int steps = 10;
    std::string interpolation = "oklch";
    std::string curve = "linear";
    double amount = 1.0;
    std::string naming = "largeNumeric";
    std::string format = "htmlRGB";
    bool json = false;
};

// The case at the position of `name` in `names`, none when it is not there.
template <class E, std::size_t N>
std::optional<E> caseNamed(const std::string_view (&names)[N], std::string_view name) {
    for (std::size_t i = 0; i < N; ++i) {
        if (names[i] == name) return static_cast<E>(i);
    }
    return std::nullopt;
}

template <std::size_t N>
std::string choices(const std::string_view (&names)[N]) {
    return caseNames(names, [](std::string_view name) { return std::string(name); });
}

// Whether writing the color in `space` loses part of it: sRGB and Display P3 hold only 0…1, which
// their linear forms (unbounded) show. The tolerance ignores the noise of the round trip through
// the interpolation space.
bool clippedIn(const quenz::ColorValue& color, quenz::ColorSpace space) {
    quenz::RGBSpace unbounded = quenz::RGBSpace::linearSRGB;
    if (space == quenz::ColorSpace::displayP3) {
        unbounded = quenz::RGBSpace::linearDisplayP3;
    } else if (space != quenz::ColorSpace::sRGB) {
        return false;
    }
    auto linear = quenz::convert(color, unbounded);
    if (!linear) return false;
    constexpr double tolerance = 1e-6;
    for (double component : {linear->red, linear->green, linear->blue}) {
        if (component < -tolerance || component > 1 + tolerance) return true;
    }
    return false;
}

struct RampStep {
    std::string name;
    std::string value;
    bool clipped = false;
};

void printSteps(std::ostream& out, const std::vector<RampStep>& steps, bool json) {
    if (json) {
        auto list = nlohmann::ordered_json::array();
        for (const auto& step : steps) {
            list.push_back({{"name", step.name}, {"value", step.value}, {"clipped", step.clipped}});
        }
        out << list.dump(2) << '\n';
        return;
    }
    std::size_t width = 0;
    for (const auto& step : steps) width = std::max(width, step.name.size());
    for (const auto& step : steps) {
        out << fmt::format("{:<{}}  {}{}\n", step.name, width, step.value, step.clipped ? "  (clipped)" : "");
    }
}

int runRamp(CommandIO& io, const RampArguments& args) {
    if (args.anchors.size() < 2 || args.anchors.size() > 3) {
        return fail(io, exitBadUsage, "give two anchor colors (FROM TO) or three (FROM MID TO)");
    }
    auto interpolation = caseNamed<InterpolationMethod>(interpolationNames, args.interpolation);
    if (!interpolation) {
        return fail(io, exitBadUsage, "unknown interpolation '" + args.interpolation + "' (choose " +
                                          choices(interpolationNames) + ")");
    }
    auto curve = caseNamed<CurveType>(curveNames, args.curve);
    if (!curve) {
        return fail(io, exitBadUsage, "unknown curve '" + args.curve + "' (choose " + choices(curveNames) + ")");
    }
    auto naming = caseNamed<ColorNamingScheme>(namingNames, args.naming);
    if (!naming) {
        return fail(io, exitBadUsage,
                    "unknown naming scheme '" + args.naming + "' (choose " + choices(namingNames) + ")");
    }
    auto format = quenz::colorFormatFromCaseName(args.format);
    if (!format) {
        return fail(io, exitBadUsage, unknownFormatMessage(args.format));
    }
    const int fewestSteps = static_cast<int>(args.anchors.size());
    if (args.steps < fewestSteps || args.steps > maximumSteps) {
        return fail(io, exitBadUsage,
                    fmt::format("--steps must be {} to {} for {} anchors", fewestSteps, maximumSteps, fewestSteps));
    }
    if (!std::isfinite(args.amount)) return fail(io, exitBadUsage, "--amount must be a finite number");

    std::vector<ThemeableColor> anchors;
    for (const auto& text : args.anchors) {
        auto read = readColor(text, preferredFormatFor(text), std::nullopt);
        if (!read) return fail(io, exitBadUsage, "cannot read a color from '" + text + "'");
        if (read->clampedRange) {
            io.err << "vantorel: warning: '" << text << "' was read as " << read->description << " with numbers "
                   << "outside " << *read->clampedRange << " clamped\n";
        }
        anchors.emplace_back(read->color);
    }
    std::optional<ThemeableColor> middle;
    if (anchors.size() == 3) middle = anchors[1];

    NewSetOptions options;
    options.steps = args.steps;
    options.interpolationMethod = *interpolation;
    options.curveType = *curve;
    options.namingScheme = *naming;
    options.colorFormat = *format;
    auto set = QuenzColorSet::makeAutomatic(anchors.front(), middle, anchors.back(), options);
    if (set->curveAmount() != args.amount) {
        // A new set eases at full strength; regenerate from the same anchors at the amount asked for.
        set->setCurveAmount(args.amount);
        std::optional<ThemeableColor> centre;
        if (middle) centre = freshAnchor(*middle);
        set->regenerate(freshAnchor(anchors.front()), centre, freshAnchor(anchors.back()));
    }

    quenz::ColorConverterOptions writing;
    writing.roundedTo = 4;
    writing.p3Prefix = "p3: ";
    const quenz::ColorSpace space = quenz::fitSpace(set->colorSpace(), *format);
    std::vector<RampStep> steps;
    for (const auto& step : set->colors()) {
        auto prepared = quenz::convert(step.lightVariant, quenz::rgbSpaceFor(space));
        auto written =
            quenz::ColorConverter::formatColor(prepared.value_or(step.lightVariant), *format, space, writing);
        steps.push_back(
            {step.name, written.colorString.value_or(""), written.clipped || clippedIn(step.lightVariant, space)});
    }
    printSteps(io.out, steps, args.json);
    return exitSuccess;
}

const CommandRegistration registration{Command{
    "ramp",
    "Generate a color ramp from two or three anchor colors and print its steps",
    55,
    [](CLI::App& app) -> CommandRunner {
        auto args = std::make_shared<RampArguments>();
        app.add_option("COLORS", args->anchors,
                       "FROM [MID] TO: the anchor colors, in any color text format ('#FF8000', "
                       "'oklch(62.8% 0.2577 29.2)', 'color(display-p3 1 0 0)', …)")
            ->required()
            ->expected(2, 3);
        app.add_option("--steps", args->steps, "Number of steps, anchors included (default 10)");
        app.add_option("--interpolation", args->interpolation,
                       "Space the steps are mixed in: " + choices(interpolationNames) + " (default oklch)");
        app.add_option("--curve", args->curve,
                       "Easing of the step positions: " + choices(curveNames) + " (default linear)");
        app.add_option("--amount", args->amount,
                       "Strength of the easing, 0 none to 1 full; the exponent of the lame curve (default 1)");
        app.add_option("--naming", args->naming,
                       "Step names: " + choices(namingNames) + " (default largeNumeric: 100, 200, …)");
        app.add_option("--format", args->format,
                       "Color text of each step, a color format such as htmlRGB, cssOKLCH, floatRGBA "
                       "(default htmlRGB)");
        app.add_flag("--json", args->json, "Print the steps as a JSON array of {name, value, clipped}");
        app.footer("The steps are written in the anchors' color space (Display P3 when the first anchor "
                   "mentions p3); a step outside the gamut the format writes is clipped and marked.");
        return [args](CommandIO& io) { return runRamp(io, *args); };
    },
}};

}  // namespace
}  // namespace vantorel::cli
