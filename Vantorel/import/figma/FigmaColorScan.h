#pragma once
// FigmaColorScan: the colors of a Figma document's message, read straight from the Kiwi bytes
// without building the decoded tree. It finds what the depth-first walk over the tree finds —
// every "color" or "backgroundColor" whose value is a map of finite floating-point r, g, b and
// a, in the order met, each distinct color once — and the document's color profile, but keeps
// nothing else: a design of tens of megabytes is read with a few allocations.
//
// Where the two ways could part, the scan steps aside and says so: damaged or truncated data
// (the tree's decoding names the fault), and a message that sends a field again (the tree keeps
// its first place and last value). Real writers produce neither.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "Vantorel/import/figma/KiwiDecoder.h"

namespace vantorel::import::figma {

struct FigmaColors {
    bool displayP3 = false;                     // the root's "documentColorProfile" is "DISPLAY_P3"
    std::vector<std::array<double, 4>> colors;  // r, g, b, a; distinct, in the order first met
};

// The scan found something only the tree's decoding can settle.
struct FigmaNeedsTree {};

// A design holds a few hundred distinct colors; each one becomes an item of the document.
inline constexpr std::size_t maxDistinctFigmaColors = 100'000;

// Scans `data` as one value of `rootTypeName` with `decoder`'s schema; values of the types it
// converts are opaque, as their converted form holds no map. A string is a failure to report:
// too many distinct colors.
std::variant<FigmaColors, FigmaNeedsTree, std::string> scanFigmaColors(const KiwiDecoder& decoder,
                                                                        std::string_view data,
                                                                        std::string_view rootTypeName);

// The same from a decoded tree, by the depth-first walk itself: the way for data the scan
// steps aside from, and the measure the scan is held to.
FigmaColors figmaColorsOfTree(const KiwiValue& root);

}  // namespace vantorel::import::figma
