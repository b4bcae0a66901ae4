// The import frame: kinds and their files, the result group, insertion as one undo step, and
// failures that leave the document as it was.

#include <gtest/gtest.h>

#include "Vantorel/editing/InMemoryColorDocument.h"
#include "Vantorel/import/ImportedColor.h"
#include "Vantorel/import/Importer.h"
#include "VantorelData/format/QuenzColorFileWriter.h"
#include "tests/VantorelImport/ImportTestSupport.h"
#include "tests/support/FileContents.h"
#include "tests/support/ItemTreeText.h"
#include "tests/support/ScratchFolder.h"

namespace vantorel::import {
namespace {

using vantorel::testing::ScratchFolder;
using vantorel::testing::writeFileContents;

TEST(Importer, PicksTheKindByNameOrLowerCaseExtension) {
    const struct {
        const char* file;
        const char* kind;  // "" for none
    } cases[] = {{"tokens.json", "tokens"}, {"a.CSS", "css"}, {"a.scss", "css"}, {"page.HTML", "css"},
                 {"page.htm", "css"},       {"x.Svg", "svg"}, {"doc.quenz", ""}, {"noextension", ""}};
    for (const auto& test : cases) {
        const ImportKindInfo* kind = Importer::kindForFile(test.file);
        EXPECT_EQ(kind ? std::string(kind->commandName) : "", test.kind) << test.file;
    }
    ASSERT_TRUE(Importer::kindNamed("tokens"));
    EXPECT_EQ(Importer::kindNamed("tokens")->kind, ImportKind::designTokens);
    EXPECT_FALSE(Importer::kindNamed("quenz"));
    EXPECT_EQ(Importer::groupName(*Importer::kind(ImportKind::css), "/some/where/tokens.css"),
              "CSS Import - tokens.css");
}

struct FileCase {
    const char* what;
    const char* file;
    std::string bytes;
    ImportKind kind;
    std::string expected;  // the group's name and contents, or the error
};

const FileCase fileCases[] = {
    {"design tokens", "tokens.json", R"({"n":{"$type":"number","$value":2}})", ImportKind::designTokens,
     "Design Tokens JSON Import - tokens.json[n=2]"},
    {"an HTML page in capitals is read as HTML", "page.HTML", "<p>#111111</p><style>a{color:#222222}</style>",
     ImportKind::css, "CSS Import - page.HTML[color=#222222]"},
    {"a style sheet that is not UTF-8", "bad.css", std::string("a{color:#fff}\xff\xfe", 15), ImportKind::css,
     "Unable to read document"},
    {"a drawing", "icon.svg", R"(<svg><path fill="#00FF00"/></svg>)", ImportKind::svg,
     "SVG Import - icon.svg[fill=#00FF00]"},
    {"token bytes that are not JSON", "broken.json", "{", ImportKind::designTokens,
     "The data couldn't be read because it isn't in the correct format."},
};

TEST(Importer, FillsOneExpandedGroupNamedAfterKindAndFile) {
    ScratchFolder folder("import");
    for (const FileCase& test : fileCases) {
        writeFileContents(folder / test.file, test.bytes);
        const ImportResult result = Importer::importFile(test.kind, folder / test.file);
        if (result.error) {
            EXPECT_FALSE(result.group) << test.what;
            EXPECT_EQ(result.error->description, test.expected) << test.what;
            continue;
        }
        ASSERT_TRUE(result.group) << test.what;
        EXPECT_TRUE(result.group->isExpanded()) << test.what;
        EXPECT_EQ(testing::describe({result.group}), test.expected) << test.what;
    }
    const ImportResult missing = Importer::importFile(ImportKind::svg, folder / "missing.svg");
    ASSERT_TRUE(missing.error);
    EXPECT_EQ(importFailureMessage(*missing.error),
              "Failed to import colors: The file \"missing.svg\" couldn't be opened.");
}

TEST(Importer, InsertsAsOneAddColorStepThatUndoRemovesAndAFailedImportChangesNothing) {
    ScratchFolder folder("import");
    writeFileContents(folder / "tokens.json", R"({"a":{"$value":"x"},"b":{"$value":true}})");
    auto document = InMemoryColorDocument::make();
    document->project()->setItems({makeImportedColorItem("Existing", {})});
    const std::string before = vantorel::testing::treeText(*document->project());

    const ImportResult result = Importer::importFile(ImportKind::designTokens, folder / "tokens.json");
    ASSERT_TRUE(result.group);
    ASSERT_TRUE(Importer::insert(*document, result.group));
    document->settle();
    EXPECT_EQ(vantorel::testing::treeText(*document->project()),
              "Existing,Design Tokens JSON Import - tokens.json[a,b]");
    EXPECT_EQ(document->enhancedUndoManager().undoCount(), 1);
    EXPECT_EQ(document->enhancedUndoManager().undoMenuItemTitle(), "Undo Add Color");
    ASSERT_EQ(document->selectionManager().selectedItems().size(), 1u);
    EXPECT_EQ(document->selectionManager().selectedItems().front()->uuid(), result.group->uuid());

    document->undo();
    EXPECT_EQ(vantorel::testing::treeText(*document->project()), before);

    // A failed import leaves the document and its history, the redo step too, as they were.
    writeFileContents(folder / "broken.svg", "");
    const ImportResult failed = Importer::importFile(ImportKind::svg, folder / "broken.svg");
    ASSERT_TRUE(failed.error);
    const std::string bytes = format::QuenzColorFileWriter::write(*document->project()).bytes;
    EXPECT_FALSE(Importer::insert(*document, failed.group));
    document->settle();
    EXPECT_EQ(format::QuenzColorFileWriter::write(*document->project()).bytes, bytes);
    EXPECT_EQ(document->enhancedUndoManager().undoCount(), 0);
    EXPECT_TRUE(document->enhancedUndoManager().canRedo());
}

TEST(AddImportedColors, MakesColorsAndManualSets) {
    const quenz::ColorValue red{quenz::RGBSpace::sRGB, 1, 0, 0, 1, 0};
    const quenz::ColorValue p3{quenz::RGBSpace::displayP3, 0, 1, 0, 1, 0};
    const std::vector<ImportedColor> records{
        {{quenz::NamedColor("one", red), quenz::NamedColor("ignored", p3)},
         "ignored",
         ImportedColorType::singleColor},
        {{}, std::nullopt, ImportedColorType::singleColor},
        {{quenz::NamedColor("Gradient Stop 1", red), quenz::NamedColor("Gradient Stop 2", p3)},
         "Ramp",
         ImportedColorType::set},
        {{quenz::NamedColor("s", p3)}, std::nullopt, ImportedColorType::set},
        {{}, "Empty", ImportedColorType::set},
    };
    QuenzColorGroup group;
    addImportedColors(records, group);
    EXPECT_EQ(testing::describe(group.items()),
              "one=#FF0000,Ramp={Gradient Stop 1=#FF0000,Gradient Stop 2=p3#00FF00},Color "
              "Set={s=p3#00FF00},Empty={}");
    EXPECT_EQ(group.items()[1]->colorSet()->type(), SetType::manual);
    EXPECT_EQ(group.items()[1]->colorSet()->steps(), 2);
    EXPECT_EQ(group.items()[2]->colorSet()->colorSpace(), quenz::ColorSpace::displayP3);
}

}  // namespace
}  // namespace vantorel::import
