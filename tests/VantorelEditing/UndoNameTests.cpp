#include "Vantorel/editing/UndoName.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>

namespace vantorel {
namespace {

struct NamedTitle {
    std::string_view code;
    std::string_view title;
};

// Every case in declaration order with the title the Edit menu shows.
constexpr NamedTitle expectedTitles[] = {
    {"move", "Move"},
    {"delete", "Delete"},
    {"deleteTestColor", "Delete Test Color"},
    {"deleteTestColors", "Delete Test Colors"},
    {"addGroup", "Add Group"},
    {"addColor", "Add Color"},
    {"addColorSet", "Add Color Set"},
    {"convertToIndividualColors", "Convert to Individual Colors"},
    {"addAlias", "Add Color Alias"},
    {"addNumber", "Add Number"},
    {"addBoolean", "Add Boolean"},
    {"addString", "Add String"},
    {"cut", "Cut"},
    {"paste", "Paste"},
    {"addBuildGroup", "Add Build Task"},
    {"addBuildTask", "Add Build Task"},
    {"addTestGroup", "Add Test Group"},
    {"addTestTask", "Add Test"},
    {"addShadow", "Add Shadow"},
    {"addShadowSet", "Add Shadow Set"},
    {"addShadowAlias", "Add Shadow Alias"},
    {"unGroup", "Ungroup"},
    {"assignSRGB", "Assign SRGB"},
    {"assignP3", "Assign P3"},
    {"sortRampColors", "Sort Color Set Colors"},
    {"applyRampNaming", "Apply Naming From"},
    {"changeDocumentDescription", "Change Description"},
    {"changeName", "Change Name"},
    {"changeBuildGroup", "Change Build Group"},
    {"changeBuildTaskProperty", "Edit Build Task"},
    {"changeProvidesNamespace", "Change Provides Namespace"},
    {"changeAppearanceType", "Change Appearance"},
    {"changeTestGroup", "Change Test Group"},
    {"changeTestPosition", "Change Test Role"},
    {"changeColor", "Change Color"},
    {"changeStepCount", "Change Steps"},
    {"changeInterpolationMethod", "Change Interpolation"},
    {"changeCurveType", "Change Curve Type"},
    {"changeNamingScheme", "Change Naming Scheme"},
    {"changeMiddleColor", "Change Middle Color"},
    {"changeSetType", "Change Set Type"},
    {"changeAliasLink", "Change Alias"},
    {"changeColorSpace", "Change Color Space"},
    {"changeCurveAmount", "Change Curve Amount"},
    {"changeNumberMin", "Change Minimum"},
    {"changeNumberMax", "Change Maximum"},
    {"changeNumberSteps", "Change Steps"},
    {"changeNumberValue", "Change Number Value"},
    {"changeBooleanValue", "Change Boolean Value"},
    {"changeShadowX", "Change X Offset"},
    {"changeShadowY", "Change Y Offset"},
    {"changeShadowBlur", "Change Blur"},
    {"changeShadowSpread", "Change Spread"},
    {"changeDeprecated", "Change Deprecated"},
    {"changeDeprecatedReason", "Change Deprecated Reason"},
};

TEST(UndoName, EveryCaseInDeclarationOrderHasItsMenuTitle) {
    const auto& all = allUndoNames();
    ASSERT_EQ(all.size(), std::size(expectedTitles));
    std::set<std::string_view> codes;
    for (std::size_t i = 0; i < all.size(); ++i) {
        SCOPED_TRACE(std::string(expectedTitles[i].code));
        EXPECT_EQ(static_cast<std::size_t>(all[i]), i);
        EXPECT_EQ(undoNameCode(all[i]), expectedTitles[i].code);
        EXPECT_EQ(undoTitle(all[i]), expectedTitles[i].title);
        codes.insert(undoNameCode(all[i]));
    }
    EXPECT_EQ(codes.size(), all.size()) << "case names are distinct";
}

TEST(UndoName, CasesThatShareATitle) {
    const struct {
        UndoName a, b;
        std::string_view title;
    } pairs[] = {
        {UndoName::addBuildGroup, UndoName::addBuildTask, "Add Build Task"},
        {UndoName::changeStepCount, UndoName::changeNumberSteps, "Change Steps"},
    };
    for (const auto& pair : pairs) {
        EXPECT_EQ(undoTitle(pair.a), pair.title);
        EXPECT_EQ(undoTitle(pair.b), pair.title);
    }
}

TEST(UndoName, ValueOutsideTheEnumerationHasNoTitle) {
    const auto stray = static_cast<UndoName>(undoNameCount + 3);
    EXPECT_EQ(undoTitle(stray), "");
    EXPECT_EQ(undoNameCode(stray), "");
}

}  // namespace
}  // namespace vantorel
