// Identifiers and names kept inline or, when long, on the heap: the text survives copies, moves
// and assignment across the two forms at every length around the inline room, and compares,
// hashes and joins as the text does.

#include <gtest/gtest.h>

#include <string>
#include <unordered_set>
#include <utility>

#include "VantorelData/model/CompactText.h"

namespace vantorel {
namespace {

template <class Text>
class CompactTextTest : public testing::Test {};
using CompactTexts = testing::Types<Identifier, ItemName>;
TYPED_TEST_SUITE(CompactTextTest, CompactTexts);

TYPED_TEST(CompactTextTest, TextSurvivesCopiesMovesAndAssignmentAtEveryLength) {
    using Text = TypeParam;
    const std::string texts[] = {"", "a", "Color 12", std::string(14, 'n'), std::string(15, 'o'), std::string(16, 'p'),
                                 "3F2504E0-4F89-41D3-9A0C-0305E82C3301", std::string(39, 'y'), std::string(40, 'z'),
                                 "hand-written identifier that is far longer than a UUID"};
    for (const std::string& text : texts) {
        for (const std::string& other : texts) {
            Text original(text);
            EXPECT_EQ(original, text);
            EXPECT_EQ(std::string(original.c_str()), text) << "terminated";
            Text copy(original);
            Text assigned(other);
            assigned = copy;
            Text moved(std::move(copy));
            Text moveAssigned(other);
            moveAssigned = std::move(moved);
            for (const Text* result : {&original, &assigned, &moveAssigned}) {
                EXPECT_EQ(result->view(), text) << "from '" << other << "'";
                EXPECT_EQ(result->size(), text.size());
            }
            EXPECT_TRUE(moved.empty());
        }
    }
}

TYPED_TEST(CompactTextTest, ComparesHashesAndJoinsAsItsText) {
    using Text = TypeParam;
    const Text a("A"), b("B"), longB(std::string(40, 'B'));
    EXPECT_TRUE(a == Text("A"));
    EXPECT_TRUE(a != b);
    EXPECT_TRUE(a < b && b < longB);
    EXPECT_TRUE(std::string("A") == a);
    const std::unordered_set<Text> set{a, b, longB};
    EXPECT_EQ(set.count(Text(std::string(40, 'B'))), 1u);
    EXPECT_EQ(set.count(Text("C")), 0u);
    EXPECT_EQ("<" + a + ">" + longB.str().substr(38), "<A>BB");
    EXPECT_EQ(std::string(longB.begin(), longB.end()), longB.view());
}

}  // namespace
}  // namespace vantorel
