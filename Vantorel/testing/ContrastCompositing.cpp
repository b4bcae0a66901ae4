#include "Vantorel/testing/ContrastCompositing.h"

#include "QuenzColorUtils/ColorOperations.h"

namespace vantorel {
namespace {

quenz::ColorValue inSRGB(const quenz::ColorValue& color) {
    return quenz::convert(color, quenz::RGBSpace::sRGB).value_or(color);
}

}  // namespace

CompositedPair compositeForContrast(const quenz::ColorValue& foreground, const quenz::ColorValue& background) {
    quenz::ColorValue text = foreground;
    if (foreground.alpha != 1.0) {
        // Opaque text mixed toward the background by its transparency: f·α + b·(1 − α).
        quenz::ColorValue opaque = foreground;
        opaque.alpha = 1.0;
        text = quenz::mixRGB(opaque, background, 1.0 - foreground.alpha, true).value_or(foreground);
    }
    return {inSRGB(text), inSRGB(background)};
}

}  // namespace vantorel
