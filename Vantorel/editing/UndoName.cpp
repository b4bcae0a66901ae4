#include "Vantorel/editing/UndoName.h"

#include <cstddef>

namespace vantorel {
namespace {

struct UndoNameEntry {
    UndoName name;
    std::string_view code;
    std::string_view title;
};

// One row per case, in declaration order, so that a case's row is found by its value.
constexpr std::array<UndoNameEntry, undoNameCount> entries{{
    {UndoName::move, "move", "Move"},
    {UndoName::delete_, "delete", "Delete"},
    {UndoName::deleteTestColor, "deleteTestColor", "Delete Test Color"},
    {UndoName::deleteTestColors, "deleteTestColors", "Delete Test Colors"},
    {UndoName::addGroup, "addGroup", "Add Group"},
    {UndoName::addColor, "addColor", "Add Color"},
    {UndoName::addColorSet, "addColorSet", "Add Color Set"},
    {UndoName::convertToIndividualColors, "convertToIndividualColors", "Convert to Individual Colors"},
    {UndoName::addAlias, "addAlias", "Add Color Alias"},
    {UndoName::addNumber, "addNumber", "Add Number"},
    {UndoName::addBoolean, "addBoolean", "Add Boolean"},
    {UndoName::addString, "addString", "Add String"},
    {UndoName::cut, "cut", "Cut"},
    {UndoName::paste, "paste", "Paste"},
    {UndoName::addBuildGroup, "addBuildGroup", "Add Build Task"},
    {UndoName::addBuildTask, "addBuildTask", "Add Build Task"},
    {UndoName::addTestGroup, "addTestGroup", "Add Test Group"},
    {UndoName::addTestTask, "addTestTask", "Add Test"},
    {UndoName::addShadow, "addShadow", "Add Shadow"},
    {UndoName::addShadowSet, "addShadowSet", "Add Shadow Set"},
    {UndoName::addShadowAlias, "addShadowAlias", "Add Shadow Alias"},
    {UndoName::unGroup, "unGroup", "Ungroup"},
    {UndoName::assignSRGB, "assignSRGB", "Assign SRGB"},
    {UndoName::assignP3, "assignP3", "Assign P3"},
    {UndoName::sortRampColors, "sortRampColors", "Sort Color Set Colors"},
    {UndoName::applyRampNaming, "applyRampNaming", "Apply Naming From"},
    {UndoName::changeDocumentDescription, "changeDocumentDescription", "Change Description"},
    {UndoName::changeName, "changeName", "Change Name"},
    {UndoName::changeBuildGroup, "changeBuildGroup", "Change Build Group"},
    {UndoName::changeBuildTaskProperty, "changeBuildTaskProperty", "Edit Build Task"},
    {UndoName::changeProvidesNamespace, "changeProvidesNamespace", "Change Provides Namespace"},
    {UndoName::changeAppearanceType, "changeAppearanceType", "Change Appearance"},
    {UndoName::changeTestGroup, "changeTestGroup", "Change Test Group"},
    {UndoName::changeTestPosition, "changeTestPosition", "Change Test Role"},
    {UndoName::changeColor, "changeColor", "Change Color"},
    {UndoName::changeStepCount, "changeStepCount", "Change Steps"},
    {UndoName::changeInterpolationMethod, "changeInterpolationMethod", "Change Interpolation"},
    {UndoName::changeCurveType, "changeCurveType", "Change Curve Type"},
    {UndoName::changeNamingScheme, "changeNamingScheme", "Change Naming Scheme"},
    {UndoName::changeMiddleColor, "changeMiddleColor", "Change Middle Color"},
    {UndoName::changeSetType, "changeSetType", "Change Set Type"},
    {UndoName::changeAliasLink, "changeAliasLink", "Change Alias"},
    {UndoName::changeColorSpace, "changeColorSpace", "Change Color Space"},
    {UndoName::changeCurveAmount, "changeCurveAmount", "Change Curve Amount"},
    {UndoName::changeNumberMin, "changeNumberMin", "Change Minimum"},
    {UndoName::changeNumberMax, "changeNumberMax", "Change Maximum"},
    {UndoName::changeNumberSteps, "changeNumberSteps", "Change Steps"},
    {UndoName::changeNumberValue, "changeNumberValue", "Change Number Value"},
    {UndoName::changeBooleanValue, "changeBooleanValue", "Change Boolean Value"},
    {UndoName::changeShadowX, "changeShadowX", "Change X Offset"},
    {UndoName::changeShadowY, "changeShadowY", "Change Y Offset"},
    {UndoName::changeShadowBlur, "changeShadowBlur", "Change Blur"},
    {UndoName::changeShadowSpread, "changeShadowSpread", "Change Spread"},
    {UndoName::changeDeprecated, "changeDeprecated", "Change Deprecated"},
    {UndoName::changeDeprecatedReason, "changeDeprecatedReason", "Change Deprecated Reason"},
}};

constexpr bool rowsFollowDeclarationOrder() {
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (static_cast<std::size_t>(entries[i].name) != i) return false;
    }
    return static_cast<std::size_t>(UndoName::changeDeprecatedReason) + 1 == undoNameCount;
}
static_assert(rowsFollowDeclarationOrder(), "undo name rows must follow the enumeration");

// A value outside the enumeration (a cast from a stray integer) has no row: empty texts.
constexpr UndoNameEntry unnamed{UndoName::move, "", ""};

const UndoNameEntry& entryOf(UndoName name) {
    const auto index = static_cast<std::size_t>(name);
    return index < entries.size() ? entries[index] : unnamed;
}

}  // namespace

const std::array<UndoName, undoNameCount>& allUndoNames() {
    static const std::array<UndoName, undoNameCount> names = [] {
        std::array<UndoName, undoNameCount> all{};
        for (std::size_t i = 0; i < entries.size(); ++i) all[i] = entries[i].name;
        return all;
    }();
    return names;
}

std::string_view undoTitle(UndoName name) { return entryOf(name).title; }

std::string_view undoNameCode(UndoName name) { return entryOf(name).code; }

}  // namespace vantorel
