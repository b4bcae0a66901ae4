#include "Vantorel/editing/UndoName.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>

namespace vantorel {
namespace {

// The titles themselves are a fixed table (the editor tests read the ones users see); what can go wrong is a case left without its entry,
// entries out of step with the declaration, or two cases sharing a code.
TEST(UndoName, EveryCaseInDeclarationOrderHasATitleAndItsOwnCode) {
    const auto& all = allUndoNames();
    std::set<std::string_view> codes;
    for (std::size_t i = 0; i < all.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(static_cast<std::size_t>(all[i]), i);
        EXPECT_FALSE(undoTitle(all[i]).empty());
        EXPECT_FALSE(undoNameCode(all[i]).empty());
        codes.insert(undoNameCode(all[i]));
    }
    EXPECT_EQ(codes.size(), all.size()) << "case names are distinct";
    EXPECT_EQ(undoNameCode(UndoName::convertToIndividualColors), "convertToIndividualColors");
    EXPECT_EQ(undoTitle(UndoName::changeDeprecatedReason), "Change Deprecated Reason") << "the last entry";
    const auto stray = static_cast<UndoName>(undoNameCount + 3);
    EXPECT_EQ(undoTitle(stray), "") << "a value outside the enumeration";
    EXPECT_EQ(undoNameCode(stray), "");
}

}  // namespace
}  // namespace vantorel
