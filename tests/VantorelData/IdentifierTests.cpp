// Identifiers kept inline or, when long, on the heap: the text survives copies, moves and
// assignment across the two forms, and compares and hashes as the text does.

#include <gtest/gtest.h>

#include <string>
#include <unordered_set>
#include <utility>

#include "VantorelData/model/Identifier.h"

namespace vantorel {
namespace {

TEST(Identifier, TextSurvivesCopiesMovesAndAssignmentAtEveryLength) {
    const std::string texts[] = {"", "a", "3F2504E0-4F89-41D3-9A0C-0305E82C3301", std::string(38, 'x'),
                                 std::string(39, 'y'), std::string(40, 'z'), "hand-written identifier that is far longer than a UUID"};
    for (const std::string& text : texts) {
        for (const std::string& other : texts) {
            Identifier original(text);
            EXPECT_EQ(original, text);
            EXPECT_EQ(std::string(original.c_str()), text) << "terminated";
            Identifier copy(original);
            Identifier assigned(other);
            assigned = copy;
            Identifier moved(std::move(copy));
            Identifier moveAssigned(other);
            moveAssigned = std::move(moved);
            for (const Identifier* result : {&original, &assigned, &moveAssigned}) {
                EXPECT_EQ(result->view(), text) << "from '" << other << "'";
                EXPECT_EQ(result->size(), text.size());
            }
            EXPECT_TRUE(moved.empty());
        }
    }
}

TEST(Identifier, ComparesAndHashesAsItsText) {
    const Identifier a("A"), b("B"), longB(std::string(40, 'B'));
    EXPECT_TRUE(a == Identifier("A"));
    EXPECT_TRUE(a != b);
    EXPECT_TRUE(a < b && b < longB);
    EXPECT_TRUE(std::string("A") == a);
    const std::unordered_set<Identifier> set{a, b, longB};
    EXPECT_EQ(set.count(Identifier(std::string(40, 'B'))), 1u);
    EXPECT_EQ(set.count(Identifier("C")), 0u);
}

}  // namespace
}  // namespace vantorel
