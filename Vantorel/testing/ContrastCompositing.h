#pragma once
// Prepares a text color and its background for measuring: a translucent text color is laid
// over the background first, and both end up in sRGB, where the contrast formulas apply.

#include "QuenzColorUtils/ColorValue.h"

namespace vantorel {

struct CompositedPair {
    quenz::ColorValue text;        // the foreground as seen over the background, in sRGB
    quenz::ColorValue background;  // the background in sRGB; its own alpha plays no part
};

// Never fails: a mix or conversion the color management cannot do leaves that color as it was.
CompositedPair compositeForContrast(const quenz::ColorValue& foreground, const quenz::ColorValue& background);

}  // namespace vantorel
