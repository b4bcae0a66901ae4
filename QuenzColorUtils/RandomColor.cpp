#include "QuenzColorUtils/RandomColor.h"

#include <cmath>

#include "QuenzColorUtils/ColorOperations.h"

namespace quenz {

std::string_view displayName(RandomColorAlgorithm algorithm) {
    switch (algorithm) {
        case RandomColorAlgorithm::pastel: return "Pastels";
        case RandomColorAlgorithm::primary: return "Primaries";
        case RandomColorAlgorithm::monochrome: return "Monochrome";
        case RandomColorAlgorithm::metal: return "Metals";
        case RandomColorAlgorithm::cool: return "Cool";
        case RandomColorAlgorithm::warm: return "Warm";
    }
    return "Pastels";
}

std::string_view caseName(RandomColorAlgorithm algorithm) {
    switch (algorithm) {
        case RandomColorAlgorithm::pastel: return "pastel";
        case RandomColorAlgorithm::primary: return "primary";
        case RandomColorAlgorithm::monochrome: return "monochrome";
        case RandomColorAlgorithm::metal: return "metal";
        case RandomColorAlgorithm::cool: return "cool";
        case RandomColorAlgorithm::warm: return "warm";
    }
    return "pastel";
}

std::optional<RandomColorAlgorithm> randomColorAlgorithmFromCaseName(std::string_view name) {
    for (RandomColorAlgorithm algorithm : allRandomColorAlgorithms) {
        if (caseName(algorithm) == name) {
            return algorithm;
        }
    }
    return std::nullopt;
}

HSBValues randomHSB(RandomColorAlgorithm algorithm, RandomSource& source) {
    const auto rand = [&source](double lo, double hi) { return uniformDouble(source, lo, hi); };
    HSBValues values;
    // Every draw below happens in the order written: hue, then saturation, then brightness.
    switch (algorithm) {
        case RandomColorAlgorithm::pastel:
            values.hue = rand(0, 1);
            values.saturation = rand(0.7, 0.85);
            values.brightness = 1;
            break;
        case RandomColorAlgorithm::primary:
            // One of twelve hues; the rare exact draw of 1 gives hue 1, the same as red.
            values.hue = std::trunc(rand(0, 1) * 12) / 12;
            values.saturation = rand(0.95, 1);
            values.brightness = rand(0.95, 1);
            break;
        case RandomColorAlgorithm::monochrome:
            values.brightness = rand(0, 1);
            break;
        case RandomColorAlgorithm::metal:
            values.hue = rand(0, 1);
            values.saturation = rand(0.1, 0.2);
            values.brightness = rand(0.05, 1);
            break;
        case RandomColorAlgorithm::cool: {
            // One draw feeds both hue and saturation, so bluer colors are also more saturated.
            const double u = rand(0, 1);
            values.hue = 0.45 + 0.2 * u + rand(0, 0.1);
            values.saturation = 0.8 + 0.1 * u + rand(0, 0.1);
            values.brightness = rand(0.9, 1);
            break;
        }
        case RandomColorAlgorithm::warm: {
            const double u = rand(0, 1);
            values.hue = -0.1 + 0.3 * u;
            values.saturation = 0.9 - 0.1 * u;
            values.brightness = rand(0.9, 1);
            break;
        }
    }
    return values;
}

ColorValue randomColorValue(RandomColorAlgorithm algorithm, RandomSource& source) {
    const HSBValues values = randomHSB(algorithm, source);
    return colorFromHSB(values.hue, values.saturation, values.brightness, 1, RGBSpace::extendedLinearSRGB);
}

QCUColor randomColor(RandomColorAlgorithm algorithm, ColorSpace space, RandomSource& source) {
    return QCUColor(randomColorValue(algorithm, source), space);
}

ColorValue plainRandomColor(RandomSource& source) {
    const double hue = uniformDouble(source, 0, 1);
    const double saturation = 0.3 + 0.4 * uniformDouble(source, 0, 1);
    const double brightness = 0.9 + 0.1 * uniformDouble(source, 0, 1);
    return colorFromHSB(hue, saturation, brightness, 1, RGBSpace::deviceRGB);
}

}  // namespace quenz
