#pragma once
// The WCAG 2 contrast ratio between a text color and its background, with the rounding the
// tests and the inspector rely on: luminances to 4 places, the ratio to 3 places.

#include "QuenzColorUtils/ColorValue.h"

namespace vantorel {

// Relative luminance of encoded sRGB components, rounded to 4 decimal places.
double wcagRelativeLuminance(double red, double green, double blue);

// (lighter + 0.05) / (darker + 0.05) of two luminances, rounded to 3 decimal places; 1…21.
double wcagRatioOfLuminances(double first, double second);

// The ratio of a text color over a background: the text is composited first, then both are
// measured in sRGB. Symmetric apart from the compositing.
double wcagContrastRatio(const quenz::ColorValue& foreground, const quenz::ColorValue& background);

// The inspector's quick level: 0 at 4.5 and above, 1 at 3.0 and above, otherwise 2.
int wcagQuickLevel(double ratio);

}  // namespace vantorel
