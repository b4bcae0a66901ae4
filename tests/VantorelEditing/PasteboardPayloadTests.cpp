// The pasteboard payload of copied items: Base64, the JSON array, reading with fresh
// identifiers, and what happens to payloads that other programs put there.

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

#include "DocumentEditorTestSupport.h"
#include "LZFSE/Lzfse.h"
#include "Vantorel/editing/PasteboardBase64.h"
#include "Vantorel/editing/PasteboardPayload.h"

namespace vantorel::testing {
namespace {

std::vector<std::uint8_t> bytesOf(std::string_view text) { return {text.begin(), text.end()}; }

std::string entryFor(std::string_view xml) { return base64::encode(lzfse::encode(xml)); }

std::string arrayOf(const std::vector<std::string>& entries) { return nlohmann::json(entries).dump(); }

TEST(PasteboardBase64, EncodesTheStandardVectorsAndRejectsTextThatIsNotBase64) {
    const struct {
        const char* bytes;
        const char* text;
    } cases[] = {{"", ""},          {"f", "Zg=="},         {"fo", "Zm8="},       {"foo", "Zm9v"},
                 {"foob", "Zm9vYg=="}, {"fooba", "Zm9vYmE="}, {"foobar", "Zm9vYmFy"}, {"\xFF\xFE\xFD", "//79"}};
    for (const auto& c : cases) {
        EXPECT_EQ(base64::encode(bytesOf(c.bytes)), c.text) << c.bytes;
        EXPECT_EQ(base64::decode(c.text), bytesOf(c.bytes)) << c.text;
    }
    for (const char* text : {"Zg=", "Zg", "Z===", "Zm9v!A==", "Zg==Zg==", " Zm9v", "Zm9v\n", "=Zm9", "Zm=v"}) {
        EXPECT_FALSE(base64::decode(text)) << text;
    }
}

TEST(PasteboardPayload, IsAJsonArrayOfCompressedItemElementsInCopyOrder) {
    const auto project = sampleProject();
    const std::vector<ProjectItemPtr> items = {itemNamed(*project, "G"), itemNamed(*project, "A")};
    const auto payload = pasteboard::encodeItems(items);
    ASSERT_TRUE(payload);
    const nlohmann::json array = nlohmann::json::parse(*payload);
    ASSERT_TRUE(array.is_array());
    ASSERT_EQ(array.size(), 2u);
    for (std::size_t i = 0; i < items.size(); ++i) {
        const auto compressed = base64::decode(array[i].get<std::string>());
        ASSERT_TRUE(compressed);
        EXPECT_EQ(lzfse::decodeToString(*compressed), freshText(*items[i])) << i;
    }
    // Items that cannot be written are left out.
    const auto bad = QuenzColorProjectItem::make("bad \xFF name", std::make_shared<QuenzColorGroup>());
    EXPECT_EQ(nlohmann::json::parse(pasteboard::encodeItems({bad, colorItem("fine"), nullptr}).value()).size(), 1u);
}

TEST(PasteboardPayload, ReadsBackEveryItemWithFreshIdentifiersThroughout) {
    const auto project = sampleProject();
    const ProjectItemPtr group = itemNamed(*project, "G");
    const auto payload = pasteboard::encodeItems({group, itemNamed(*project, "C")});
    ASSERT_TRUE(payload);

    const std::vector<ProjectItemPtr> read = pasteboard::readItems(*payload, *project);
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(treeText(read), "G[x,y],C");
    std::vector<std::string> originalIds, copiedIds;
    project->forEachItem([&](const ProjectItemPtr& item) { originalIds.push_back(item->uuid()); });
    const auto collect = [&](const ProjectItemPtr& item, auto& self) -> void {
        copiedIds.push_back(item->uuid());
        if (const auto g = item->group()) {
            for (const auto& child : g->items()) self(child, self);
        }
    };
    for (const auto& item : read) collect(item, collect);
    ASSERT_EQ(copiedIds.size(), 4u);
    for (const std::string& id : copiedIds) {
        EXPECT_EQ(std::count(originalIds.begin(), originalIds.end(), id), 0) << id;
        EXPECT_EQ(id.size(), 36u);
    }
    // Same content: the copy's element equals the original's once its identifier is put back.
    const ProjectItemPtr original = itemNamed(*project, "C");
    std::string copied = freshText(*read[1]);
    copied.replace(copied.find(read[1]->uuid()), read[1]->uuid().size(), original->uuid());
    EXPECT_EQ(copied, freshText(*original));
}

TEST(PasteboardPayload, PayloadsThatAreNotAnArrayOfBase64TextsGiveNoItemsAndBadEntriesAreSkipped) {
    const std::string good = entryFor(freshText(*colorItem("A")));
    const auto project = sampleProject();
    for (const std::string& payload : {std::string(), std::string("not json"), std::string("{}"),
                                       std::string("\"" + good + "\""), std::string("[1]"),
                                       std::string("[\"" + good + "\", 3]"), std::string("[\"" + good + "\", \"!!\"]"),
                                       std::string("[\"" + good + "\"") , std::string("null")}) {
        EXPECT_TRUE(pasteboard::readItems(payload, *project).empty()) << payload;
    }
    EXPECT_EQ(pasteboard::readItems(arrayOf({good}), *project).size(), 1u);
    EXPECT_TRUE(pasteboard::readItems("[]", *project).empty());

    // Inside a well-formed array, single entries that do not decompress, parse or read are skipped.
    const std::string payload = arrayOf({
        base64::encode(bytesOf("plain bytes, not LZFSE")),
        entryFor("<colorItem><name>unclosed"),
        entryFor("<sprocket><id>1</id></sprocket>"),
        entryFor(freshText(*colorItem("kept"))),
        entryFor("<colorItem><name>no color</name></colorItem>"),
        "",
    });
    EXPECT_EQ(treeText(pasteboard::readItems(payload, *project)), "kept");
}

TEST(PasteboardPayload, GroupAssignmentsAreLookedUpInTheTargetDocument) {
    const auto source = sampleProject();
    auto shared = std::make_shared<BuildGroup>("Web", std::vector<BuildTaskPtr>{}, "B-1");
    source->setBuildGroups({shared});
    const ProjectItemPtr item = itemNamed(*source, "A");
    item->setBuildGroup(shared);
    const auto payload = pasteboard::encodeItems({item});
    ASSERT_TRUE(payload);

    // The target's own group of that identifier, whatever its name; none where it has none.
    QuenzColorProject withGroup, without;
    withGroup.setBuildGroups({std::make_shared<BuildGroup>("Web too", std::vector<BuildTaskPtr>{}, "B-1")});
    for (const QuenzColorProject* target : {&withGroup, &without}) {
        const auto read = pasteboard::readItems(*payload, *target);
        ASSERT_EQ(read.size(), 1u);
        EXPECT_EQ(read[0]->buildGroup(), target->buildGroups().empty() ? nullptr : target->buildGroups()[0]);
    }
}

TEST(PasteboardPayload, DescribesItemsAsIndentedText) {
    auto number = QuenzColorProjectItem::make("Spacing", std::make_shared<QuenzColorNumber>(ThemeableNumber{8.5}));
    auto text = QuenzColorProjectItem::make("Title", std::make_shared<QuenzColorString>(ThemeableString{std::string("Hi")}));
    auto flag = QuenzColorProjectItem::make("Dark", std::make_shared<QuenzColorBoolean>(ThemeableBoolean{true}));
    const auto group = groupOf("Brand", {colorItem("Primary"), number});
    EXPECT_EQ(pasteboard::describeItems({group, text, flag}),
              "Brand (Group)\n"
              "  Primary (Color)\n"
              "  Spacing (Number): 8.5\n"
              "Title (String): Hi\n"
              "Dark (Boolean): true\n");
}

}  // namespace
}  // namespace vantorel::testing
