// Three-way merges of edits of the base document: what each side's edit becomes in the result,
// and which conflicts are listed.

#include <fmt/format.h>
#include <gtest/gtest.h>

#include "CompareFixtures.h"
#include "tests/support/ItemTreeText.h"
#include "Vantorel/compare/DocumentDiff.h"
#include "Vantorel/compare/DocumentMerge.h"

namespace vantorel::compare {
namespace {

using namespace vantorel::testing;

std::string lightHex(const QuenzColorProject& project, const std::string& uuid) {
    const auto& light = project.itemWithId(uuid)->color()->color().lightVariant;
    return fmt::format("{:.2f} {:.2f} {:.2f}", light.red, light.green, light.blue);
}

std::vector<std::string> conflictProperties(const MergeResult& result) {
    std::vector<std::string> properties;
    for (const auto& conflict : result.conflicts) properties.push_back(conflict.property);
    return properties;
}

// `bytes` with the first `from` replaced by `to`.
std::string replaced(std::string bytes, const std::string& from, const std::string& to) {
    const auto at = bytes.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? bytes : bytes.replace(at, from.size(), to);
}

struct MergeCase {
    const char* title;
    Edit ours;
    Edit theirs;
    const char* outline;
    std::vector<std::string> conflictProperties;
    std::function<void(const QuenzColorProject&)> check;
};

// Each row merged from the base document: its conflicts, the merged outline and its own check.
template <std::size_t N>
void expectMerges(const MergeCase (&cases)[N]) {
    const auto base = baseDocument();
    for (const auto& row : cases) {
        SCOPED_TRACE(row.title);
        const auto result = mergeDocuments(base, edited(base, row.ours), edited(base, row.theirs));
        ASSERT_FALSE(result.error) << *result.error;
        EXPECT_EQ(conflictProperties(result), row.conflictProperties);
        const auto merged = format::QuenzColorFileReader::read(result.bytes);
        EXPECT_EQ(treeText(*merged), row.outline);
        if (row.check) row.check(*merged);
        // The result is exactly what the writer writes for it.
        EXPECT_EQ(format::QuenzColorFileWriter::write(*merged).bytes, result.bytes);
    }
}

TEST(DocumentMerge, EditsOfBothSidesMeetInTheResult) {
    const MergeCase cases[] = {
        {"rename on one side, color on the other", [](auto& p) { rename(p, "C-PRIMARY", "Main"); },
         [](auto& p) { recolor(p, "C-PRIMARY", srgb(0.5, 0, 0)); }, "Brand[Main,Accent],Spacing,Font,Link", {},
         [](const auto& p) { EXPECT_EQ(lightHex(p, "C-PRIMARY"), "0.50 0.00 0.00"); }},
        {"additions on both sides keep their places",
         [](auto& p) { addToBrand(p, color("C-OURS", "Ours", srgb(0, 1, 0)), 0); },
         [](auto& p) {
             addToBrand(p, color("C-THEIRS", "Theirs", srgb(0, 1, 1)), 1);
             p.insert({number("N-GAP", "Gap", 4)});
         },
         "Brand[Ours,Primary,Theirs,Accent],Spacing,Font,Link,Gap", {}, nullptr},
        {"the same change on both sides is taken once", [](auto& p) { rename(p, "N-SPACING", "Gutter"); },
         [](auto& p) { rename(p, "N-SPACING", "Gutter"); }, "Brand[Primary,Accent],Gutter,Font,Link", {}, nullptr},
        {"a conflicting change keeps ours", [](auto& p) { recolor(p, "C-ACCENT", srgb(0, 0, 0.5)); },
         [](auto& p) { recolor(p, "C-ACCENT", srgb(0, 0, 0.25)); }, "Brand[Primary,Accent],Spacing,Font,Link",
         {"color"}, [](const auto& p) { EXPECT_EQ(lightHex(p, "C-ACCENT"), "0.00 0.00 0.50"); }},
        {"a removal on one side is taken", [](auto& p) { removeTopLevel(p, "S-FONT"); },
         [](auto& p) { recolor(p, "C-ACCENT", srgb(0, 0, 0.5)); }, "Brand[Primary,Accent],Spacing,Link", {}, nullptr},
        {"a removal against a change keeps the item", [](auto& p) { removeTopLevel(p, "N-SPACING"); },
         [](auto& p) { p.itemWithId("N-SPACING")->number()->setValue(16, ColorSource::light); },
         "Brand[Primary,Accent],Spacing,Font,Link", {"item"}, nullptr},
        {"a move on one side and a change on the other",
         [](auto& p) { p.insert({p.itemWithId("G-BRAND")->group()->removeItemAt(1)}); },
         [](auto& p) { rename(p, "C-ACCENT", "Highlight"); }, "Brand[Primary],Spacing,Font,Link,Highlight", {},
         nullptr},
        {"their move is taken", [](auto& p) { rename(p, "C-PRIMARY", "Main"); },
         [](auto& p) { p.insert({p.itemWithId("G-BRAND")->group()->removeItemAt(0)}, ItemPath{0}); },
         "Main,Brand[Accent],Spacing,Font,Link", {}, nullptr},
        {"build tasks merge by field",
         [](auto& p) { p.buildGroups()[0]->tasks()[0]->setExportFileName("tokens"); },
         [](auto& p) { p.buildGroups()[0]->tasks()[0]->setExportFileFolder("out"); },
         "Brand[Primary,Accent],Spacing,Font,Link", {},
         [](const auto& p) {
             const auto& task = *p.buildGroups().at(0)->tasks().at(0);
             EXPECT_EQ(task.exportFileName(), "tokens");
             EXPECT_EQ(task.exportFileFolder(), "out");
         }},
    };
    expectMerges(cases);
}

// Aliases keep no identifier in the file: they are matched by their group and name, so a move or
// a rename of the alias itself reads as a removal and an addition, while their targets are
// followed by identifier through renames and moves of the target.
TEST(DocumentMerge, AliasesAreMatchedByGroupAndName) {
    const auto link = [](QuenzColorProject& p) { return p.itemAtPath({3}); };
    const auto moveLinkIntoBrand = [link](QuenzColorProject& p) {
        auto alias = link(p);
        auto items = p.items();
        items.erase(items.begin() + 3);
        p.setItems(items);
        addToBrand(p, alias, 2);
    };
    const auto retarget = [link](QuenzColorProject& p) { link(p)->colorAlias()->setAliasType(AliasSetType::item("C-ACCENT")); };
    const auto targetOf = [](const std::string& uuid) {
        return [uuid](const QuenzColorProject& p) {
            std::vector<std::string> targets;
            p.forEachItem([&](const ProjectItemPtr& item) {
                if (item->name() == "Link") targets.push_back(item->colorAlias()->aliasType().uuid);
            });
            EXPECT_EQ(targets, std::vector<std::string>(targets.size(), uuid));
        };
    };
    const MergeCase cases[] = {
        {"target renamed on one side, recolored on the other", [](auto& p) { rename(p, "C-PRIMARY", "Main"); },
         [](auto& p) { recolor(p, "C-PRIMARY", srgb(0.5, 0, 0)); }, "Brand[Main,Accent],Spacing,Font,Link", {},
         targetOf("C-PRIMARY")},
        {"target moved on one side, alias retargeted on the other",
         [](auto& p) { p.insert({p.itemWithId("G-BRAND")->group()->removeItemAt(1)}); }, retarget,
         "Brand[Primary],Spacing,Font,Link,Accent", {}, targetOf("C-ACCENT")},
        {"alias moved on one side", moveLinkIntoBrand, nullptr, "Brand[Primary,Accent,Link],Spacing,Font", {},
         targetOf("C-PRIMARY")},
        {"alias moved the same way on both sides", moveLinkIntoBrand, moveLinkIntoBrand,
         "Brand[Primary,Accent,Link],Spacing,Font", {}, targetOf("C-PRIMARY")},
        {"alias moved on one side, retargeted on the other: both kept, listed", moveLinkIntoBrand, retarget,
         "Brand[Primary,Accent,Link],Spacing,Font,Link", {"item"}, nullptr},
        {"alias renamed on one side", [link](auto& p) { link(p)->setName("Anchor"); }, nullptr,
         "Brand[Primary,Accent],Spacing,Font,Anchor", {}, nullptr},
        {"alias retargeted differently on both sides: ours stands whole", retarget,
         [link](auto& p) { link(p)->colorAlias()->setAliasType(AliasSetType::notSet()); },
         "Brand[Primary,Accent],Spacing,Font,Link", {"referencedItemId"}, targetOf("C-ACCENT")},
    };
    expectMerges(cases);
}

// Files written by hand or by another version may spell a field otherwise: the sides are compared
// as this version writes them, and an element the reader skips is no element at all.
TEST(DocumentMerge, SidesAreComparedAsThisVersionWritesThem) {
    const auto base = baseDocument();
    const struct {
        const char* title;
        std::string ours;
        Edit theirs;
        std::vector<std::string> conflictProperties;
        const char* value;  // Font's text, or Spacing's number
    } cases[] = {
        {"a number spelled otherwise is no change", replaced(base, "<value>8</value>", "<value>8.0</value>"),
         [](auto& p) { p.itemWithId("N-SPACING")->number()->setValue(16, ColorSource::light); }, {}, "16"},
        {"an item the reader skips is removed, and their change of it kept",
         replaced(base, "<variant>\n              <value>Inter</value>\n            </variant>", ""),
         [](auto& p) { p.itemWithId("S-FONT")->string()->setValue(std::string("Roboto"), ColorSource::light); },
         {"item"}, "Roboto"},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.title);
        const auto result = mergeDocuments(base, row.ours, edited(base, row.theirs));
        ASSERT_FALSE(result.error) << *result.error;
        EXPECT_EQ(conflictProperties(result), row.conflictProperties);
        const auto merged = format::QuenzColorFileReader::read(result.bytes);
        const auto font = merged->itemWithId("S-FONT");
        const auto spacing = merged->itemWithId("N-SPACING");
        ASSERT_TRUE(font && spacing);
        const std::string value = row.conflictProperties.empty()
                                      ? fmt::format("{}", spacing->number()->value().lightVariant)
                                      : font->string()->value().lightVariant;
        EXPECT_EQ(value, row.value);
    }
}

// Fields are compared without recursion: an unknown field nested a hundred thousand levels deep
// in the base and their side is compared whole, and the merge goes through.
TEST(DocumentMerge, DeeplyNestedFieldsAreCompared) {
    constexpr std::size_t depth = 100000;
    std::string nested;
    for (std::size_t level = 0; level < depth; ++level) nested += "<x>";
    for (std::size_t level = 0; level < depth; ++level) nested += "</x>";
    const auto base = replaced(baseDocument(), "<name>Spacing</name>", "<name>Spacing</name>" + nested);
    const auto result = mergeDocuments(base, replaced(base, "<value>8</value>", "<value>12</value>"),
                                       replaced(base, "<name>Font</name>", "<name>Type</name>"));
    ASSERT_FALSE(result.error) << *result.error;
    EXPECT_TRUE(result.conflicts.empty());
    const auto merged = format::QuenzColorFileReader::read(result.bytes);
    EXPECT_EQ(treeText(*merged), "Brand[Primary,Accent],Spacing,Type,Link");
    EXPECT_EQ(merged->itemWithId("N-SPACING")->number()->value().lightVariant, 12);
}

// Groups are entered without recursion too, and the paths that name deep items stay short: a
// chain of fifty thousand groups with long names is merged and compared like any document.
TEST(DocumentMerge, DeeplyNestedGroupsAreMergedAndCompared) {
    constexpr std::size_t depth = 50000;
    const std::string longName(40, 'g');
    auto project = std::make_shared<QuenzColorProject>();
    std::vector<ProjectItemPtr> inner{color("C-DEEP", "Deep", srgb(1, 0, 0))};
    for (std::size_t level = depth; level-- > 0;) {
        inner = {QuenzColorProjectItem::make(fmt::format("G-{}", level), longName,
                                             std::make_shared<QuenzColorGroup>(std::move(inner), true))};
    }
    project->setItems(inner);
    const auto base = format::QuenzColorFileWriter::write(*project).bytes;
    const auto result = mergeDocuments(base, edited(base, [](auto& p) { rename(p, "C-DEEP", "Deeper"); }),
                                       edited(base, [](auto& p) { recolor(p, "C-DEEP", srgb(0, 1, 0)); }));
    ASSERT_FALSE(result.error) << *result.error;
    EXPECT_TRUE(result.conflicts.empty());
    const auto merged = format::QuenzColorFileReader::read(result.bytes);
    EXPECT_EQ(merged->itemWithId("C-DEEP")->name(), "Deeper");
    EXPECT_EQ(lightHex(*merged, "C-DEEP"), "0.00 1.00 0.00");

    const auto diff = diffDocuments(format::QuenzColorFileReader::read(base), merged);
    ASSERT_FALSE(diff.changes.empty());
    for (const auto& change : diff.changes) {
        EXPECT_LE(change.path.size(), 1024u);
        EXPECT_TRUE(change.path.ends_with("/…")) << change.path.substr(change.path.size() - std::min<std::size_t>(change.path.size(), 80));
    }
}

TEST(DocumentMerge, ConflictsNameThePathAndAllThreeValues) {
    const auto base = baseDocument();
    const auto result = mergeDocuments(base, edited(base, [](auto& p) { rename(p, "C-ACCENT", "Ours"); }),
                                       edited(base, [](auto& p) { rename(p, "C-ACCENT", "Theirs"); }));
    ASSERT_EQ(result.conflicts.size(), 1u);
    const auto& conflict = result.conflicts[0];
    EXPECT_EQ(conflict.path, "Brand/Ours");
    EXPECT_EQ(conflict.property, "name");
    EXPECT_EQ(conflict.base, "Accent");
    EXPECT_EQ(conflict.ours, "Ours");
    EXPECT_EQ(conflict.theirs, "Theirs");
    EXPECT_EQ(result.bytes.find("<<<<<<<"), std::string::npos);
}

TEST(DocumentMerge, MovesThatCrossKeepOursAndLoseNothing) {
    const auto base = edited(baseDocument(), [](auto& p) {
        p.insert({QuenzColorProjectItem::make("G-OTHER", "Other", std::make_shared<QuenzColorGroup>())});
    });
    const auto intoEachOther = [](const std::string& moved, const std::string& into) {
        return [=](QuenzColorProject& p) {
            auto items = p.items();
            const auto found = std::find_if(items.begin(), items.end(), [&](const auto& i) { return i->uuid() == moved; });
            auto item = *found;
            items.erase(found);
            p.setItems(items);
            p.itemWithId(into)->group()->appendItem(item);
        };
    };
    const auto result = mergeDocuments(base, edited(base, intoEachOther("G-OTHER", "G-BRAND")),
                                       edited(base, intoEachOther("G-BRAND", "G-OTHER")));
    EXPECT_EQ(conflictProperties(result), std::vector<std::string>{"position"});
    EXPECT_EQ(treeText(*format::QuenzColorFileReader::read(result.bytes)),
              "Brand[Primary,Accent,Other[]],Spacing,Font,Link");
}

TEST(DocumentMerge, UnchangedSidesGiveTheOtherSideByteForByte) {
    const auto base = baseDocument();
    // Bytes the writer would lay out differently still come back untouched.
    const auto handMade = base + "\n<!-- kept -->\n";
    const auto ours = edited(base, [](auto& p) { rename(p, "C-ACCENT", "Ours"); });
    const struct {
        std::string base, ours, theirs, expected;
    } cases[] = {{handMade, handMade, handMade, handMade}, {base, ours, base, ours}, {base, base, ours, ours},
                 {base, ours, ours, ours}};
    for (const auto& row : cases) {
        const auto result = mergeDocuments(row.base, row.ours, row.theirs);
        EXPECT_TRUE(result.conflicts.empty());
        EXPECT_EQ(result.bytes, row.expected);
    }
    EXPECT_TRUE(mergeDocuments(base, "<vantorel", base).error.has_value());
}

}  // namespace
}  // namespace vantorel::compare
