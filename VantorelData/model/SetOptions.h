#pragma once
// The options of color and shadow sets: how steps are made (`SetType`), the space they are
// interpolated in, the easing curve of the step positions and the naming of the steps. Codes
// are the 1-based numbers documents store.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace vantorel {

enum class SetType { twoItems, threeItems, manual };
enum class InterpolationMethod { linear, linearLegacy, oklch, oklab };
enum class CurveType { linear, cosine, hermite3, hermite5, lame };
// `mediumNumeric` was added last and keeps the last code.
enum class ColorNamingScheme { smallNumeric, largeNumeric, manual, mediumNumeric };

inline constexpr std::array<SetType, 3> allSetTypes = {SetType::twoItems, SetType::threeItems, SetType::manual};
inline constexpr std::array<InterpolationMethod, 4> allInterpolationMethods = {
    InterpolationMethod::linear, InterpolationMethod::linearLegacy, InterpolationMethod::oklch,
    InterpolationMethod::oklab};
inline constexpr std::array<CurveType, 5> allCurveTypes = {CurveType::linear, CurveType::cosine, CurveType::hermite3,
                                                           CurveType::hermite5, CurveType::lame};
inline constexpr std::array<ColorNamingScheme, 4> allColorNamingSchemes = {
    ColorNamingScheme::smallNumeric, ColorNamingScheme::largeNumeric, ColorNamingScheme::manual,
    ColorNamingScheme::mediumNumeric};

std::string_view displayName(SetType type);               // "Auto with 2 Values", …
std::string_view displayName(InterpolationMethod method); // "Linear", "Linear (Legacy)", "OKLCH", "OKLAB"
std::string_view displayName(CurveType curve);            // "Linear", "Cosine", "Hermite 3", "Hermite 5", "Lamé"
std::string_view displayName(ColorNamingScheme scheme);   // "1, 2, 3…", …

int code(SetType type);
int code(InterpolationMethod method);
int code(CurveType curve);
int code(ColorNamingScheme scheme);
std::optional<SetType> setTypeFromCode(long long code);
std::optional<InterpolationMethod> interpolationMethodFromCode(long long code);
std::optional<CurveType> curveTypeFromCode(long long code);
std::optional<ColorNamingScheme> colorNamingSchemeFromCode(long long code);

// The eased position of an interior step position t in 0…1; not clamped. `amount` blends
// the easing in (0 none, 1 full), except for the Lamé curve where it is the exponent.
double applyCurve(CurveType curve, double t, double amount);

// The name of step `index` (from 0) under a scheme: "1", "2" …; "10", "20" …; "100", "200" …
// Manual naming proposes the large numbers.
std::string stepName(int index, ColorNamingScheme scheme);

// The step index of the middle anchor of a set with `steps` steps: never the first or last.
int middleIndexFor(double middleLocation, int steps);

// The name of steps that a manual set adds.
inline constexpr std::string_view unnamedStepName = "Unnamed";

}  // namespace vantorel
