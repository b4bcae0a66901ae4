#pragma once
// The named kinds of undo step. Every undoable edit of a document is recorded under one of
// these names; its title is what the Edit menu shows after "Undo" and "Redo".

#include <array>
#include <cstddef>
#include <string_view>

namespace vantorel {

// Declaration order is significant: it is the order of allUndoNames().
enum class UndoName {
    move,
    delete_,  // `delete` in the model's own vocabulary; the trailing underscore dodges the C++ keyword
    deleteTestColor,
    deleteTestColors,
    addGroup,
    addColor,
    addColorSet,
    convertToIndividualColors,
    addAlias,
    addNumber,
    addBoolean,
    addString,
    cut,
    paste,
    addBuildGroup,
    addBuildTask,
    addTestGroup,
    addTestTask,
    addShadow,
    addShadowSet,
    addShadowAlias,
    unGroup,
    assignSRGB,
    assignP3,
    sortRampColors,
    applyRampNaming,
    changeDocumentDescription,
    changeName,
    changeBuildGroup,
    changeBuildTaskProperty,
    changeProvidesNamespace,
    changeAppearanceType,
    changeTestGroup,
    changeTestPosition,
    changeColor,
    changeStepCount,
    changeInterpolationMethod,
    changeCurveType,
    changeNamingScheme,
    changeMiddleColor,
    changeSetType,
    changeAliasLink,
    changeColorSpace,
    changeCurveAmount,
    changeNumberMin,
    changeNumberMax,
    changeNumberSteps,
    changeNumberValue,
    changeBooleanValue,
    changeShadowX,
    changeShadowY,
    changeShadowBlur,
    changeShadowSpread,
    changeDeprecated,
    changeDeprecatedReason,
};

inline constexpr std::size_t undoNameCount = 55;

// Every case, in declaration order.
const std::array<UndoName, undoNameCount>& allUndoNames();

// The menu title of a step, e.g. "Add Color" (English; the text the user sees).
std::string_view undoTitle(UndoName name);

// The case's name as written in code, e.g. "addColor" ("delete" for delete_); for logs and
// diagnostics, never shown in menus.
std::string_view undoNameCode(UndoName name);

}  // namespace vantorel
