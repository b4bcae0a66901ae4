#include "Vantorel/testing/WCAGContrast.h"

#include <algorithm>
#include <cmath>

#include "QuenzColorUtils/ColorOperations.h"
#include "Vantorel/testing/ContrastCompositing.h"

namespace vantorel {
namespace {

double linearised(double channel) {
    // The threshold is inclusive: a channel of exactly 0.03928 is on the linear segment.
    if (channel <= 0.03928) return channel / 12.92;
    return std::pow((channel + 0.055) / 1.055, 2.4);
}

}  // namespace

double wcagRelativeLuminance(double red, double green, double blue) {
    double luminance = 0.2126 * linearised(red) + 0.7152 * linearised(green) + 0.0722 * linearised(blue);
    return quenz::roundTo(luminance, 4);
}

double wcagRatioOfLuminances(double first, double second) {
    double lighter = std::max(first, second);
    double darker = std::min(first, second);
    return quenz::roundTo((lighter + 0.05) / (darker + 0.05), 3);
}

double wcagContrastRatio(const quenz::ColorValue& foreground, const quenz::ColorValue& background) {
    auto pair = compositeForContrast(foreground, background);
    return wcagRatioOfLuminances(
        wcagRelativeLuminance(pair.text.red, pair.text.green, pair.text.blue),
        wcagRelativeLuminance(pair.background.red, pair.background.green, pair.background.blue));
}

int wcagQuickLevel(double ratio) {
    if (ratio >= 4.5) return 0;
    if (ratio >= 3.0) return 1;
    return 2;
}

}  // namespace vantorel
