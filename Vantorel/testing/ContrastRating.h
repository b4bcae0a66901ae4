#pragma once
// The small enumerations of the contrast views: the rating column of the inspector's tables
// and whether the inspected color is judged as text or as the background.

#include <string_view>

namespace vantorel {

enum class PassFailRating { pass, passAA, passAAA, fail };

// The rating as the tables and the Markdown report write it: "Pass", "AA", "AAA", "Fail".
constexpr std::string_view ratingText(PassFailRating rating) {
    switch (rating) {
        case PassFailRating::pass: return "Pass";
        case PassFailRating::passAA: return "AA";
        case PassFailRating::passAAA: return "AAA";
        case PassFailRating::fail: return "Fail";
    }
    return "Fail";
}

// Whether the color under inspection plays the text (foreground) or the background against
// the document's test color.
enum class ContrastMode { foreground, background };

}  // namespace vantorel
