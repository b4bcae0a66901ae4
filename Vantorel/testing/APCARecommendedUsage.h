#pragma once
// The minimum font size per font weight that APCA recommends for a lightness contrast Lc,
// from the font lookup tables of the APCA-W3 reference (0.1.x).

#include <array>
#include <string>
#include <string_view>

namespace vantorel {

// The font weights the contrast tests know, in the order of TestFontWeight.
enum class APCAFontWeight { twoHundred, threeHundred, fourHundred, fiveHundred, sixHundred, sevenHundred };

inline constexpr std::array<APCAFontWeight, 6> allAPCAFontWeights = {
    APCAFontWeight::twoHundred, APCAFontWeight::threeHundred, APCAFontWeight::fourHundred,
    APCAFontWeight::fiveHundred, APCAFontWeight::sixHundred, APCAFontWeight::sevenHundred};

// "200" … "700".
std::string_view weightText(APCAFontWeight weight);

// A size at or above this is not a usable size: the tables' 777 and 999 mark "not for text".
inline constexpr int unusableFontSize = 400;

struct APCARecommendedUsage {
    std::string usage;  // empty when produced by the lookup
    int twoHundred = 0;
    int threeHundred = 0;
    int fourHundred = 0;
    int fiveHundred = 0;
    int sixHundred = 0;
    int sevenHundred = 0;

    // Minimum size in pixels for text of this weight.
    int size(APCAFontWeight weight) const;

    friend bool operator==(const APCARecommendedUsage&, const APCARecommendedUsage&) = default;
};

// The lookup for an Lc of either polarity; any number (even not a number) gives a result.
APCARecommendedUsage apcaRecommendedUsage(double lc);

}  // namespace vantorel
