#include "VantorelData/model/SetOptions.h"

#include <cmath>
#include <numbers>

#include "VantorelData/model/EnumText.h"

namespace vantorel {
namespace {

constexpr std::array<std::string_view, 3> setTypeNames = {"Auto with 2 Values", "Auto with 3 Values",
                                                          "Manual Values"};
constexpr std::array<std::string_view, 4> interpolationNames = {"Linear", "Linear (Legacy)", "OKLCH", "OKLAB"};
constexpr std::array<std::string_view, 5> curveNames = {"Linear", "Cosine", "Hermite 3", "Hermite 5", "Lamé"};
constexpr std::array<std::string_view, 4> namingNames = {"1, 2, 3…", "100, 200, 300…", "Manual Naming",
                                                         "10, 20, 30…"};

// 1-based codes map onto the 0-based case positions.
template <class E, std::size_t N>
std::optional<E> fromOneBased(long long code) {
    if (code < 1) return std::nullopt;
    return enum_text::caseAt<E, N>(code - 1);
}

}  // namespace

std::string_view displayName(SetType type) { return enum_text::textOf(setTypeNames, type); }
std::string_view displayName(InterpolationMethod method) { return enum_text::textOf(interpolationNames, method); }
std::string_view displayName(CurveType curve) { return enum_text::textOf(curveNames, curve); }
std::string_view displayName(ColorNamingScheme scheme) { return enum_text::textOf(namingNames, scheme); }

int code(SetType type) { return static_cast<int>(type) + 1; }
int code(InterpolationMethod method) { return static_cast<int>(method) + 1; }
int code(CurveType curve) { return static_cast<int>(curve) + 1; }
int code(ColorNamingScheme scheme) { return static_cast<int>(scheme) + 1; }

std::optional<SetType> setTypeFromCode(long long code) { return fromOneBased<SetType, 3>(code); }
std::optional<InterpolationMethod> interpolationMethodFromCode(long long code) {
    return fromOneBased<InterpolationMethod, 4>(code);
}
std::optional<CurveType> curveTypeFromCode(long long code) { return fromOneBased<CurveType, 5>(code); }
std::optional<ColorNamingScheme> colorNamingSchemeFromCode(long long code) {
    return fromOneBased<ColorNamingScheme, 4>(code);
}

double applyCurve(CurveType curve, double t, double amount) {
    switch (curve) {
        case CurveType::linear: return t;
        case CurveType::cosine: return t + amount * ((0.5 - 0.5 * std::cos(std::numbers::pi * t)) - t);
        case CurveType::hermite3: return t + amount * (t * t * (3 - 2 * t) - t);
        case CurveType::hermite5: return t + amount * (t * t * t * (t * (6 * t - 15) + 10) - t);
        case CurveType::lame: return 1 - std::pow(1 - std::pow(t, amount), 1 / amount);
    }
    return t;
}

std::string stepName(int index, ColorNamingScheme scheme) {
    const long long n = static_cast<long long>(index) + 1;
    switch (scheme) {
        case ColorNamingScheme::smallNumeric: return std::to_string(n);
        case ColorNamingScheme::mediumNumeric: return std::to_string(10 * n);
        case ColorNamingScheme::largeNumeric:
        case ColorNamingScheme::manual: return std::to_string(100 * n);
    }
    return std::to_string(n);
}

int middleIndexFor(double middleLocation, int steps) {
    const double product = std::trunc(middleLocation * steps);
    // A location outside 0…1 (or not a number) must still give an index inside the set.
    long long k = 0;
    if (std::isfinite(product)) {
        k = product > 1e15 ? static_cast<long long>(1e15) : product < -1e15 ? -1 : static_cast<long long>(product);
    }
    if (k == 0) return 1;
    if (k < steps - 1) return static_cast<int>(k);
    return steps - 2;
}

}  // namespace vantorel
