#include "VantorelData/model/TestOptions.h"

#include <array>

#include "VantorelData/model/EnumText.h"

namespace vantorel {
namespace {

constexpr std::array<std::string_view, 2> taskTypeRaw = {"apcaContrast", "wcagContrast"};
constexpr std::array<std::string_view, 2> taskTypeNames = {"APCA Contrast", "WCAG Contrast"};
constexpr std::array<std::string_view, 2> thresholdRaw = {"luminosity", "textSize"};
constexpr std::array<std::string_view, 2> thresholdNames = {"Luminosity", "Text Size/Weight"};
constexpr std::array<std::string_view, 6> weightRaw = {"200", "300", "400", "500", "600", "700"};
constexpr std::array<std::string_view, 3> positionRaw = {"foreground", "background", "both"};
constexpr std::array<std::string_view, 3> positionNames = {"Foreground", "Background", "Both"};

}  // namespace

std::string_view rawString(TestTaskType type) { return enum_text::textOf(taskTypeRaw, type); }
std::string_view displayName(TestTaskType type) { return enum_text::textOf(taskTypeNames, type); }
std::optional<TestTaskType> testTaskTypeFromRawString(std::string_view raw) {
    return enum_text::caseWithText<TestTaskType>(taskTypeRaw, raw);
}

std::string_view rawString(TestThresholdType type) { return enum_text::textOf(thresholdRaw, type); }
std::string_view displayName(TestThresholdType type) { return enum_text::textOf(thresholdNames, type); }
std::optional<TestThresholdType> testThresholdTypeFromRawString(std::string_view raw) {
    return enum_text::caseWithText<TestThresholdType>(thresholdRaw, raw);
}

std::string_view rawString(TestFontWeight weight) { return enum_text::textOf(weightRaw, weight); }
std::string_view displayName(TestFontWeight weight) { return rawString(weight); }
int numericWeight(TestFontWeight weight) { return 200 + 100 * static_cast<int>(weight); }
std::optional<TestFontWeight> testFontWeightFromRawString(std::string_view raw) {
    return enum_text::caseWithText<TestFontWeight>(weightRaw, raw);
}

std::string_view rawString(TestPosition position) { return enum_text::textOf(positionRaw, position); }
std::string_view displayName(TestPosition position) { return enum_text::textOf(positionNames, position); }
std::optional<TestPosition> testPositionFromRawString(std::string_view raw) {
    return enum_text::caseWithText<TestPosition>(positionRaw, raw);
}

}  // namespace vantorel
