#pragma once
// One evaluated foreground/background pair in one appearance: the row a contrast test
// contributes to the test report.

#include <array>
#include <string>
#include <string_view>

namespace vantorel {

// The appearance whose values were tested, in the order (and with the raw values 0…3) of the
// document model's ColorSource.
enum class TestedAppearance { light, lightHighContrast, dark, darkHighContrast };

inline constexpr std::array<TestedAppearance, 4> allTestedAppearances = {
    TestedAppearance::light, TestedAppearance::lightHighContrast, TestedAppearance::dark,
    TestedAppearance::darkHighContrast};

// "light", "light-high-contrast", "dark", "dark-high-contrast": the report's CSS class names.
constexpr std::string_view sourceCSSId(TestedAppearance source) {
    switch (source) {
        case TestedAppearance::light: return "light";
        case TestedAppearance::lightHighContrast: return "light-high-contrast";
        case TestedAppearance::dark: return "dark";
        case TestedAppearance::darkHighContrast: return "dark-high-contrast";
    }
    return "light";
}

struct TestColorResult {
    std::string foregroundColorName;
    std::string foregroundCSSColorString;
    std::string backgroundColorName;
    std::string backgroundCSSColorString;
    TestedAppearance source = TestedAppearance::light;
    std::string sourceCSSId;
    std::string testResultSummary;  // "Pass with 21", "Fail Lc 40.0 (min 40.0 required)", …
    bool passed = false;

    friend bool operator==(const TestColorResult&, const TestColorResult&) = default;
};

}  // namespace vantorel
