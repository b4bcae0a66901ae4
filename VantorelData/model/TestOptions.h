#pragma once
// The enumerations of test tasks and of an item's role in its test group, with the raw
// strings documents store and their display names.

#include <optional>
#include <string_view>

namespace vantorel {

enum class TestTaskType { apcaContrastTest, wcagContrastTest };
std::string_view rawString(TestTaskType type);    // "apcaContrast", "wcagContrast"
std::string_view displayName(TestTaskType type);  // "APCA Contrast", "WCAG Contrast"
std::optional<TestTaskType> testTaskTypeFromRawString(std::string_view raw);

enum class TestThresholdType { luminosity, textSize };
std::string_view rawString(TestThresholdType type);    // "luminosity", "textSize"
std::string_view displayName(TestThresholdType type);  // "Luminosity", "Text Size/Weight"
std::optional<TestThresholdType> testThresholdTypeFromRawString(std::string_view raw);

enum class TestFontWeight { twoHundred, threeHundred, fourHundred, fiveHundred, sixHundred, sevenHundred };
std::string_view rawString(TestFontWeight weight);    // "200" … "700"
std::string_view displayName(TestFontWeight weight);  // the same as the raw string
int numericWeight(TestFontWeight weight);             // 200 … 700
std::optional<TestFontWeight> testFontWeightFromRawString(std::string_view raw);

// Which role an item plays in its test group's color pairs.
enum class TestPosition { foreground, background, both };
std::string_view rawString(TestPosition position);    // "foreground", "background", "both"
std::string_view displayName(TestPosition position);  // "Foreground", "Background", "Both"
std::optional<TestPosition> testPositionFromRawString(std::string_view raw);

}  // namespace vantorel
