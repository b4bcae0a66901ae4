#pragma once
// Random colors for new color items and the quick-convert tool. The user picks one of six
// algorithms in the application settings; each draws hue, saturation and brightness from fixed
// ranges in linear light. A plain generator serves where no algorithm applies.

#include <optional>
#include <string_view>

#include "QuenzColorUtils/ColorSpace.h"
#include "QuenzColorUtils/ColorValue.h"
#include "QuenzColorUtils/QCUColor.h"
#include "QuenzColorUtils/RandomSource.h"

namespace quenz {

enum class RandomColorAlgorithm { pastel, primary, monochrome, metal, cool, warm };

inline constexpr RandomColorAlgorithm allRandomColorAlgorithms[] = {
    RandomColorAlgorithm::pastel, RandomColorAlgorithm::primary, RandomColorAlgorithm::monochrome,
    RandomColorAlgorithm::metal,  RandomColorAlgorithm::cool,    RandomColorAlgorithm::warm};

// The application settings key under which the chosen algorithm is kept, by its case name.
inline constexpr std::string_view randomColorAlgorithmSettingKey = "randomColorAlgorithm";
// Comment for translators of the settings pop-up.
inline constexpr std::string_view randomColorAlgorithmLocalizationComment =
    "Drop down option for selecting the random color algorithm";

// "Pastels", "Primaries", "Monochrome", "Metals", "Cool", "Warm".
std::string_view displayName(RandomColorAlgorithm algorithm);
// "pastel", "primary", … as stored in the settings.
std::string_view caseName(RandomColorAlgorithm algorithm);
std::optional<RandomColorAlgorithm> randomColorAlgorithmFromCaseName(std::string_view name);

// Hue (0…1, may lie slightly below 0 for warm), saturation and brightness of one draw.
HSBValues randomHSB(RandomColorAlgorithm algorithm, RandomSource& source);
// The drawn color, opaque, in extended linear sRGB.
ColorValue randomColorValue(RandomColorAlgorithm algorithm, RandomSource& source);
// The drawn color converted into the space the caller asks for.
QCUColor randomColor(RandomColorAlgorithm algorithm, ColorSpace space, RandomSource& source = systemRandomSource());

// Hue anywhere, saturation 0.3…0.7, brightness 0.9…1, opaque, as a device RGB color.
ColorValue plainRandomColor(RandomSource& source = systemRandomSource());

}  // namespace quenz
