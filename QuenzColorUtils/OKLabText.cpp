// oklab() and oklch() text. The text shows L, a, b, C and h rounded to a few places, and most of
// the time of a naive writer goes into the library's powers, cube roots and hypot, whose last
// bits the rounding throws away. So the writer first takes a fast transfer curve and fast cube
// roots with generous error bounds and follows the bounds through the same arithmetic: rounding
// is monotone, so when both ends of a value's range round to the same number, the library's own
// value (which lies inside) rounds to it too. Only a color with a value whose range straddles a
// rounding step (a few in a hundred thousand, and every grey for its hue) is computed again the
// exact way. The text is the same either way.

#include "QuenzColorUtils/OKLabText.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <string_view>

#include "QuenzColorUtils/ColorFormatPrintf.h"
#include "QuenzColorUtils/ColorOperations.h"
#include "QuenzColorUtils/OKLabSteps.h"

namespace quenz {
namespace {

using oklab::Matrix3;
using oklab::Vector3;

// A closed range that holds the value the exact computation gives.
struct Bounds {
    double low;
    double high;
};
using BoundedVector = std::array<Bounds, 3>;

// The sRGB transfer curve ((|c| + 0.055) / 1.055)^2.4 on 1/16 ≤ |c| ≤ 1, by cubic Hermite
// interpolation between 240 steps of 1/256 whose values and slopes come from the library. The
// interpolation error is at most h⁴/384 · max|f⁗| = 1.4e-11 there (f⁗ is largest at 1/16);
// curveMargin covers it several times over, and the library's own last-place errors.
class CurveTable {
public:
    static constexpr int steps = 256;
    static constexpr int firstStep = 16;  // below 1/16 the curve bends too fast for the bound
    static constexpr double curveMargin = 1e-10;

    CurveTable() {
        const auto value = [](double c) { return std::pow((c + 0.055) / 1.055, 2.4); };
        const auto slope = [](double c) { return 2.4 / 1.055 * std::pow((c + 0.055) / 1.055, 1.4); };
        constexpr double h = 1.0 / steps;
        for (int k = firstStep; k < steps; ++k) {
            const double f0 = value(k * h), f1 = value((k + 1) * h);
            const double d0 = slope(k * h) * h, d1 = slope((k + 1) * h) * h;
            cubics_[k] = {f0, d0, 3 * (f1 - f0) - 2 * d0 - d1, 2 * (f0 - f1) + d0 + d1};
        }
    }

    // The range of the library's sRGBToLinear(c); none outside the table.
    std::optional<Bounds> linear(double c) const {
        const double magnitude = std::fabs(c);
        if (!(magnitude >= 1.0 / 16 && magnitude <= 1)) return std::nullopt;
        const double position = magnitude * steps;
        const int k = std::min(static_cast<int>(position), steps - 1);
        const double s = position - k;
        const std::array<double, 4>& p = cubics_[k];
        const double y = p[0] + s * (p[1] + s * (p[2] + s * p[3]));
        return c < 0 ? Bounds{-y - curveMargin, -y + curveMargin} : Bounds{y - curveMargin, y + curveMargin};
    }

private:
    std::array<std::array<double, 4>, steps> cubics_{};
};

// Extended linear sRGB of the color as ranges: colors on sRGB primaries and curve through the
// table where it reaches, everything else exactly as convert gives it. None when the color
// cannot be converted.
std::optional<BoundedVector> linearRanges(const ColorValue& color) {
    switch (color.space) {
        case RGBSpace::sRGB:
        case RGBSpace::extendedSRGB:
        case RGBSpace::deviceRGB:
        case RGBSpace::genericRGB: {
            if (!std::isfinite(color.red) || !std::isfinite(color.green) || !std::isfinite(color.blue) ||
                !std::isfinite(color.cmykBlack)) {
                return std::nullopt;
            }
            static const CurveTable table;
            BoundedVector ranges{};
            const double components[] = {color.red, color.green, color.blue};
            for (std::size_t i = 0; i < 3; ++i) {
                const auto range = table.linear(components[i]);
                const double exact = range ? 0 : colormanagement::sRGBToLinear(components[i]);
                ranges[i] = range ? *range : Bounds{exact, exact};
            }
            return ranges;
        }
        default: {
            const std::optional<ColorValue> linear = convert(color, RGBSpace::extendedLinearSRGB);
            if (!linear) return std::nullopt;
            return BoundedVector{{{linear->red, linear->red}, {linear->green, linear->green}, {linear->blue, linear->blue}}};
        }
    }
}

// Far above the error of the fast root (a few units in the last place) and of the library's
// own, far below the smallest rounding step the text shows.
constexpr double rootMargin = 1e-12;

// A power of two at least 1 / x, for 1e-150 < x < 1e150: a division's bound without its wait.
double reciprocalBound(double x) {
    const auto exponent = static_cast<std::int64_t>(std::bit_cast<std::uint64_t>(x) >> 52 & 0x7FF);
    return std::bit_cast<double>(static_cast<std::uint64_t>(2046 - exponent) << 52);
}

// The cube roots of a range of cone responses. The root of its middle comes from two Halley
// steps after a guess that divides the exponent by three (relative error under 1e-14); the
// range adds the root's slope, at most 0.53 / y² over a range no wider than its middle is far
// from zero. None for a range too wide for that; a single value far from 1 (or zero) takes the
// library's root itself.
std::optional<Bounds> cubeRootBounds(Bounds x) {
    const double middle = (x.low + x.high) / 2;
    const double magnitude = std::fabs(middle);
    if (!(magnitude >= 1e-30 && magnitude <= 1e30)) {
        if (x.low != x.high) return std::nullopt;
        const double exact = std::cbrt(x.low);
        return Bounds{exact, exact};
    }
    const double width = x.high - x.low;
    if (!(width <= magnitude)) return std::nullopt;
    double y = std::bit_cast<double>(std::bit_cast<std::uint64_t>(magnitude) / 3 + 0x2A9F7893782DA1CEull);
    for (int step = 0; step < 2; ++step) {
        const double cube = y * y * y;
        y = y * (cube + 2 * magnitude) / (2 * cube + magnitude);
    }
    const double inverse = reciprocalBound(y);
    const double radius = y * rootMargin + width * 0.53 * inverse * inverse;
    return middle < 0 ? Bounds{-y - radius, -y + radius} : Bounds{y - radius, y + radius};
}

// One row of a matrix times a bounded vector, in the order multiply adds, each operand taken at
// the end that makes the product smallest (or largest). Every rounded step is monotone, so the
// exact row product lies within.
Bounds rowBounds(const Vector3& row, const BoundedVector& v) {
    const auto low = [&](std::size_t i) { return row[i] >= 0 ? v[i].low : v[i].high; };
    const auto high = [&](std::size_t i) { return row[i] >= 0 ? v[i].high : v[i].low; };
    return {row[0] * low(0) + row[1] * low(1) + row[2] * low(2), row[0] * high(0) + row[1] * high(1) + row[2] * high(2)};
}

// round(value × 10^places) when every value in the range rounds to the same whole number (sign of
// zero included); none otherwise. Everything strictly between whole − ½ and whole + ½ rounds to
// whole, halves aside.
std::optional<double> settledWhole(Bounds range, int places) {
    const double scale = exactPowersOfTen[places];
    const double low = range.low * scale;
    const double high = range.high * scale;
    if (!(std::fabs(low) < 1e15) || std::signbit(low) != std::signbit(high)) return std::nullopt;
    // A whole number nearest to low: adding 2^52 leaves no fraction bits. Which one a half picks
    // does not matter, as a half fails the test below.
    constexpr double noFraction = 4503599627370496.0;
    const double whole = std::copysign((std::fabs(low) + noFraction) - noFraction, low);
    if (!(low > whole - 0.5 && high < whole + 0.5)) return std::nullopt;
    return whole;
}

// Every point of a box lies within `width` (the sum of its sides) of a point inside it, so its
// distance from the origin, and its hue angle seen from at least `distance` away (with
// width < distance / 4), move by at most width and 2 · width / distance.
struct Box {
    Bounds a, b;
    double aInside, bInside;
    double width() const { return (a.high - a.low) + (b.high - b.low); }
    double distance() const { return std::max(std::fabs(aInside), std::fabs(bInside)); }  // at most |inside|
};

// hypot(a, b) over the box: the inside point's sqrt(a² + b²) moved by the width, and by far more
// than the rounding of either formula. Empty when squares would leave the normal range.
std::optional<Bounds> chromaBounds(const Box& box) {
    const double distance = box.distance();
    if (!(distance > 1e-140 && distance < 1e140)) return std::nullopt;
    const double chroma = std::sqrt(box.aInside * box.aInside + box.bInside * box.bInside);
    const double radius = box.width() * (1 + 1e-14) + chroma * 1e-14;
    return Bounds{std::max(chroma - radius, 0.0), chroma + radius};
}

// The hue in degrees over the box. Empty when the box is too near grey, or when its hue range
// reaches the cut at ±180° or crosses 0° (where 360 is added).
std::optional<Bounds> hueDegreeBounds(const Box& box) {
    const double width = box.width();
    const double distance = box.distance();
    if (!(width * 4 < distance && distance > 1e-140 && distance < 1e140)) return std::nullopt;
    const double hue = std::atan2(box.bInside, box.aInside);
    const double spread = 2 * width * reciprocalBound(distance) + 1e-14;
    if (!(hue - spread > -3.14159 && hue + spread < 3.14159)) return std::nullopt;
    if (!(hue - spread >= 0 || hue + spread < -1e-9)) return std::nullopt;
    // Degrees are radians · 180 / π rounded twice (and 360 added on one side): the spread grows
    // by 180 / π and a few units in the last place of 360.
    const double degrees = degreesFromRadians(hue);
    const double degreeSpread = spread * 57.3 + 1e-12;
    return Bounds{degrees - degreeSpread, degrees + degreeSpread};
}

struct LabRanges {
    Bounds l;
    Box ab;  // its inside point is a and b at the middles of the roots' ranges
};

std::optional<LabRanges> labRanges(const BoundedVector& linear) {
    const Matrix3& toLMS = oklab::linearSRGBToLMS;
    BoundedVector roots{};
    for (std::size_t i = 0; i < 3; ++i) {
        const auto root = cubeRootBounds(rowBounds(toLMS[i], linear));
        if (!root) return std::nullopt;
        roots[i] = *root;
    }
    const Matrix3& m = oklab::lmsPrimeToLab;
    const auto inside = [&](const Vector3& row) {
        const auto middle = [&](std::size_t i) { return (roots[i].low + roots[i].high) / 2; };
        return row[0] * middle(0) + row[1] * middle(1) + row[2] * middle(2);
    };
    return LabRanges{rowBounds(m[0], roots), {rowBounds(m[1], roots), rowBounds(m[2], roots), inside(m[1]), inside(m[2])}};
}

// L, a, b the exact way, as toOKLab computes them; none when the color cannot be converted.
std::optional<Vector3> exactLab(const ColorValue& color) {
    const std::optional<Vector3> lms = oklab::coneResponses(color);
    if (!lms) return std::nullopt;
    return oklab::labOfConeResponses(*lms);
}

// One number of the text: a rounded whole number and its places, or (places −1) a value that
// "%g" writes as it is.
struct TextNumber {
    double value;
    int places;
};

// The text of a form: its opening word, L "%", the two other numbers, " / alpha" unless alpha
// rounds to 1, and ")".
std::string formText(std::string_view opening, const std::array<TextNumber, 3>& numbers, double alpha, int places) {
    NumberText text;
    {
        // The opening, "% ", " ", " / " and ")" around four numbers.
        auto form = text.reserve(opening.size() + 7, 4);
        const auto write = [&form](TextNumber number) {
            if (number.places < 0) {
                form.appendGeneral(number.value);
            } else {
                form.appendRoundedWholeG(number.value, number.places);
            }
        };
        form.append(opening);
        write(numbers[0]);
        form.append("% ");
        write(numbers[1]);
        form.append(' ');
        write(numbers[2]);
        const double rounded = alpha == 1 ? 1 : roundTo(alpha, places);
        if (rounded != 1) {
            form.append(" / ");
            form.appendGeneral(rounded);
        }
        form.append(')');
    }
    return text.str();
}

}  // namespace

std::optional<std::string> oklabText(const ColorValue& color, int places) {
    const std::optional<BoundedVector> linear = linearRanges(color);
    if (!linear) return std::nullopt;
    std::optional<double> l, a, b;
    if (places < 10) {
        if (const auto ranges = labRanges(*linear)) {
            l = settledWhole(ranges->l, places);
            a = settledWhole(ranges->ab.a, places);
            b = settledWhole(ranges->ab.b, places);
        }
    }
    if (l && a && b) {
        return formText("oklab(", {{{*l / exactPowersOfTen[places] * 100, -1}, {*a, places}, {*b, places}}},
                        color.alpha, places);
    }
    const std::optional<Vector3> lab = exactLab(color);
    if (!lab) return std::nullopt;
    return formText("oklab(",
                    {{{roundTo((*lab)[0], places) * 100, -1}, {roundTo((*lab)[1], places), -1},
                      {roundTo((*lab)[2], places), -1}}},
                    color.alpha, places);
}

std::optional<std::string> oklchText(const ColorValue& color, int places) {
    const std::optional<BoundedVector> linear = linearRanges(color);
    if (!linear) return std::nullopt;
    std::optional<double> lightness, chroma, hue;
    if (places < 10) {
        if (const auto ranges = labRanges(*linear)) {
            lightness = settledWhole({ranges->l.low * 100, ranges->l.high * 100}, 1);
            if (const auto c = chromaBounds(ranges->ab)) chroma = settledWhole(*c, places);
            if (const auto h = hueDegreeBounds(ranges->ab)) hue = settledWhole(*h, 1);
        }
    }
    if (lightness && chroma && hue) {
        return formText("oklch(", {{{*lightness, 1}, {*chroma, places}, {*hue, 1}}}, color.alpha, places);
    }
    const std::optional<Vector3> lab = exactLab(color);
    if (!lab) return std::nullopt;
    const double exactHue = degreesFromRadians(std::atan2((*lab)[2], (*lab)[1]));
    return formText("oklch(",
                    {{{roundTo((*lab)[0] * 100, 1), -1}, {roundTo(std::hypot((*lab)[1], (*lab)[2]), places), -1},
                      {roundTo(exactHue, 1), -1}}},
                    color.alpha, places);
}

}  // namespace quenz
