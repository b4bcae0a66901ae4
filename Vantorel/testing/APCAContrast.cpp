#include "Vantorel/testing/APCAContrast.h"

#include <cmath>

#include "QuenzColorUtils/ColorOperations.h"
#include "Vantorel/testing/ContrastCompositing.h"

namespace vantorel {
namespace {

constexpr double blackThreshold = 0.022;
constexpr double blackClampExponent = 1.414;
constexpr double minimumLuminanceDifference = 0.0005;
constexpr double scale = 1.14;
constexpr double offset = 0.027;
constexpr double lowClip = 0.1;

// Lifts near-black luminances so that very dark pairs do not overstate their contrast.
double softClamped(double luminance) {
    if (luminance <= blackThreshold) return luminance + std::pow(blackThreshold - luminance, blackClampExponent);
    return luminance;
}

}  // namespace

double apcaScreenLuminance(double red, double green, double blue) {
    return 0.2126729 * std::pow(red, 2.4) + 0.7151522 * std::pow(green, 2.4) + 0.0721750 * std::pow(blue, 2.4);
}

std::optional<double> apcaContrastOfLuminances(double text, double background) {
    if (!std::isfinite(text) || !std::isfinite(background)) return std::nullopt;
    double yText = softClamped(text);
    double yBackground = softClamped(background);
    if (std::fabs(yBackground - yText) < minimumLuminanceDifference) return 0.0;

    double lc = 0;
    if (yBackground > yText) {
        // Normal polarity: dark text on a lighter background.
        double s = (std::pow(yBackground, 0.56) - std::pow(yText, 0.57)) * scale;
        lc = s >= lowClip ? s - offset : 0.0;
    } else {
        // Reverse polarity: light text on a darker background.
        double s = (std::pow(yBackground, 0.65) - std::pow(yText, 0.62)) * scale;
        lc = s <= -lowClip ? s + offset : 0.0;
    }
    if (!std::isfinite(lc)) return std::nullopt;
    return quenz::roundTo(lc * 100.0, 1);
}

std::optional<double> apcaLightnessContrast(const quenz::ColorValue& foreground, const quenz::ColorValue& background) {
    auto pair = compositeForContrast(foreground, background);
    return apcaContrastOfLuminances(apcaScreenLuminance(pair.text.red, pair.text.green, pair.text.blue),
                                    apcaScreenLuminance(pair.background.red, pair.background.green,
                                                        pair.background.blue));
}

}  // namespace vantorel
