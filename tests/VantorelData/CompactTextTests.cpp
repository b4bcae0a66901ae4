// Names and identifiers kept inline or, when long, on the heap (identifiers minted by the system
// packed to their digits): the text survives copies, moves and assignment across every form,
// reads back byte for byte, and compares, orders and hashes as the text does.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <string_view>
#include <type_traits>
#include <unordered_set>
#include <utility>
#include <vector>

#include "VantorelData/model/CompactText.h"
#include "VantorelData/model/Identifier.h"

namespace vantorel {
namespace {

// A view of an identifier's text must be taken from a text that outlives it.
static_assert(std::is_convertible_v<const Identifier::Text&, std::string_view>);
static_assert(!std::is_convertible_v<Identifier::Text&&, std::string_view>);
static_assert(!std::is_convertible_v<Identifier, std::string_view>);

TEST(ItemName, TextSurvivesCopiesMovesAndAssignmentAtEveryLength) {
    const std::string texts[] = {"", "a", "Color 12", std::string(14, 'n'), std::string(15, 'o'), std::string(16, 'p'),
                                 "hand-written name that is far longer than the inline room"};
    for (const std::string& text : texts) {
        for (const std::string& other : texts) {
            ItemName original(text);
            EXPECT_EQ(std::string(original.c_str()), text) << "terminated";
            ItemName copy(original);
            ItemName assigned(other);
            assigned = copy;
            ItemName moved(std::move(copy));
            ItemName moveAssigned(other);
            moveAssigned = std::move(moved);
            for (const ItemName* result : {&original, &assigned, &moveAssigned}) {
                EXPECT_EQ(result->view(), text) << "from '" << other << "'";
            }
            EXPECT_TRUE(moved.empty());
            EXPECT_EQ(original < ItemName(other), text < other);
        }
    }
    const ItemName a("A"), longB(std::string(40, 'B'));
    EXPECT_EQ(std::unordered_set<ItemName>({a, longB}).count(ItemName(std::string(40, 'B'))), 1u);
    EXPECT_EQ("<" + a + ">" + longB.str().substr(38), "<A>BB");
}

// Every form an identifier's text can take: packed canonical UUIDs (digit extremes included),
// and verbatim texts that miss the canonical form by one character, inline and on the heap.
struct IdentifierForm {
    std::string text;
    bool packed;
};
const std::vector<IdentifierForm> identifierForms = {
    {"3F2504E0-4F89-41D3-9A0C-0305E82C3301", true},
    {"00000000-0000-4000-0000-000000000000", true},
    {"FFFFFFFF-FFFF-4FFF-FFFF-FFFFFFFFFFFF", true},
    {"3F2504E0-4F89-41D3-9A0C-0305E82C3302", true},
    {"3f2504e0-4f89-41d3-9a0c-0305e82c3301", false},   // lower case
    {"3F2504E0-4F89-11D3-9A0C-0305E82C3301", false},   // version 1
    {"3F2504E0-4F89-41D3-9A0C-0305E82C330G", false},   // not a digit
    {"3F2504E0-4F89-41D3-9A0C-0305E82C330\xFF", false},
    {"3F2504E0_4F89-41D3-9A0C-0305E82C3301", false},   // no dash
    {"3F2504E0-4F89-41D3-9A0C-0305E82C33010", false},  // one digit too many
    {"3F2504E0-4F89-41D3-9A0C-0305E82C330", false},
    {"", false},
    {"A", false},
    {"group-1", false},
    {std::string(15, 'o'), false},
    {std::string(16, 'p'), false},
    {"a hand-written identifier far longer than any UUID", false},
};

TEST(Identifier, EveryFormReadsBackByteForByteAfterCopiesMovesAndAssignment) {
    for (const IdentifierForm& form : identifierForms) {
        const Identifier original(form.text);
        EXPECT_EQ(original.isPacked(), form.packed) << form.text;
        const Identifier::Text text = original.text();
        EXPECT_EQ(text.view(), form.text);
        EXPECT_EQ(original.str(), form.text);
        EXPECT_EQ(std::string(original), form.text);
        std::string appended = "<";
        original.appendTo(appended);
        EXPECT_EQ(appended, "<" + form.text);
        EXPECT_EQ("<" + original + ">", "<" + form.text + ">");
        std::ostringstream printed;
        printed << original;
        EXPECT_EQ(printed.str(), form.text);
        EXPECT_EQ(original.size(), form.text.size());
        EXPECT_EQ(original.empty(), form.text.empty());
        for (const IdentifierForm& other : identifierForms) {
            Identifier copy(original);
            Identifier assigned(other.text);
            assigned = copy;
            Identifier moved(std::move(copy));
            Identifier moveAssigned(other.text);
            moveAssigned = std::move(moved);
            EXPECT_EQ(assigned.str(), form.text) << "from '" << other.text << "'";
            EXPECT_EQ(moveAssigned.str(), form.text) << "from '" << other.text << "'";
            EXPECT_TRUE(moved.empty());
        }
    }
}

TEST(Identifier, ComparesOrdersAndHashesAsItsTextAcrossForms) {
    std::unordered_set<Identifier> seen;
    for (const IdentifierForm& form : identifierForms) seen.insert(Identifier(form.text));
    for (const IdentifierForm& a : identifierForms) {
        const Identifier id(a.text);
        EXPECT_EQ(id.hash(), Identifier(std::string_view(a.text)).hash());
        EXPECT_EQ(seen.count(Identifier(a.text)), 1u) << a.text;
        for (const IdentifierForm& b : identifierForms) {
            const Identifier other(b.text);
            const auto order = a.text <=> b.text;
            EXPECT_EQ(id == other, a.text == b.text) << a.text << " / " << b.text;
            EXPECT_EQ(id == std::string_view(b.text), a.text == b.text) << a.text << " / " << b.text;
            EXPECT_EQ(b.text == id, a.text == b.text);
            EXPECT_EQ(id <=> other, order) << a.text << " / " << b.text;
            EXPECT_EQ(id <=> std::string_view(b.text), order) << a.text << " / " << b.text;
        }
    }
    EXPECT_TRUE(Identifier("3F2504E0-4F89-41D3-9A0C-0305E82C3301") == "3F2504E0-4F89-41D3-9A0C-0305E82C3301");
}

}  // namespace
}  // namespace vantorel
