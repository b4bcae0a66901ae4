// Opening, new documents from the default document, the edited mark and reading a file again
// when it changed on disk.

#include <gtest/gtest.h>

#include <string>

#include "ShellTestSupport.h"
#include "Vantorel/shell/Document.h"
#include "tests/support/ScopedEnvironmentVariable.h"

namespace vantorel::shell::testing {
namespace {

TEST(DocumentLifecycle, OpensTheWholeFile) {
    ScratchFolder folder;
    const auto file = folder / "Brand.vantorel";
    writeFileContents(file, documentBytes({groupOf("Brand", {colorNamed("Primary")}), colorNamed("Accent")}, "Tokens"));

    const auto opened = Document::open(file);
    ASSERT_TRUE(opened.document) << opened.error->message;
    const Document& document = *opened.document;
    EXPECT_EQ(treeText(document.project()->items()), "Brand[Primary],Accent");
    EXPECT_EQ(document.project()->projectDescription(), "Tokens");
    EXPECT_EQ(document.displayName(), "Brand");
    EXPECT_EQ(document.file(), file);
    EXPECT_TRUE(document.fileIsDocument());
    EXPECT_FALSE(document.isEdited());
}

// A file that cannot be read does not open; one that is not a document opens empty and is
// marked so, which keeps a save from overwriting it.
TEST(DocumentLifecycle, FilesThatAreNotDocumentsOpenEmptyAndAreMarkedSo) {
    ScratchFolder folder;
    for (const auto& path : {folder / "missing.vantorel", folder.path()}) {
        const auto opened = Document::open(path);
        EXPECT_FALSE(opened.document) << path;
        ASSERT_TRUE(opened.error);
        EXPECT_NE(opened.error->message.find(path.string()), std::string::npos) << opened.error->message;
    }
    const struct {
        const char* name;
        std::string bytes;
        bool isDocument;
    } cases[] = {
        {"not XML", "colors: red", false},
        {"other XML", "<svg><rect/></svg>", false},
        {"empty file", "", true},
        {"empty root", "<vantorel/>", true},
    };
    for (const auto& c : cases) {
        const auto file = folder / "f.vantorel";
        writeFileContents(file, c.bytes);
        const auto opened = Document::open(file);
        ASSERT_TRUE(opened.document) << c.name;
        EXPECT_TRUE(opened.document->project()->items().empty()) << c.name;
        EXPECT_EQ(opened.document->fileIsDocument(), c.isDocument) << c.name;
    }
}

TEST(DocumentLifecycle, ANewDocumentIsACopyOfTheDefaultDocument) {
    ScratchFolder resources;
    std::filesystem::create_directories(resources / "Defaults");
    writeFileContents(resources / "Defaults" / "Default.vantorel", documentBytes({colorNamed("Starter")}, "Default"));
    {
        const vantorel::testing::ScopedEnvironmentVariable override("VANTOREL_RESOURCES", resources.path().string());
        const auto made = Document::makeNew();
        ASSERT_TRUE(made.document) << made.error->message;
        EXPECT_EQ(treeText(made.document->project()->items()), "Starter");
        EXPECT_EQ(made.document->project()->projectDescription(), "Default");
        EXPECT_FALSE(made.document->file());
        EXPECT_EQ(made.document->displayName(), "Untitled");
        EXPECT_FALSE(made.document->isEdited());
        // Untitled: saving needs a place first.
        EXPECT_TRUE(made.document->save());
    }
    {
        const vantorel::testing::ScopedEnvironmentVariable override("VANTOREL_RESOURCES", (resources / "nowhere").string());
        const auto made = Document::makeNew();
        EXPECT_FALSE(made.document);
        ASSERT_TRUE(made.error);
        EXPECT_NE(made.error->message.find("default document"), std::string::npos);
    }
    // The shipped default document is an empty project.
    const vantorel::testing::ScopedEnvironmentVariable shipped(
        "VANTOREL_RESOURCES", (std::filesystem::path(VANTOREL_SOURCE_DIR) / "resources").string());
    const auto made = Document::makeNew();
    ASSERT_TRUE(made.document) << made.error->message;
    EXPECT_TRUE(made.document->project()->items().empty());
    EXPECT_TRUE(made.document->project()->buildGroups().empty());
    EXPECT_TRUE(made.document->project()->testGroups().empty());
}

TEST(DocumentLifecycle, EditsMarkTheDocumentAndSavingClearsTheMark) {
    ScratchFolder folder;
    const auto file = folder / "Doc.vantorel";
    writeFileContents(file, documentBytes({colorNamed("A")}));
    auto document = Document::open(file).document;
    ASSERT_TRUE(document);

    document->editor().addGroup(std::nullopt, "New");
    EXPECT_TRUE(document->isEdited());
    ASSERT_FALSE(document->save());
    EXPECT_FALSE(document->isEdited());
    document->undo();
    EXPECT_TRUE(document->isEdited());  // the file has the group; the document does not
    document->redo();
    EXPECT_FALSE(document->isEdited());

    const auto reopened = Document::open(file).document;
    EXPECT_EQ(treeText(reopened->project()->items()), "A,New[]");

    // Reverting drops the unsaved edit and its history, though the file has not changed.
    document->editor().addGroup(std::nullopt, "Unsaved");
    EXPECT_EQ(document->revertToSaved().outcome, ReloadOutcome::reloaded);
    EXPECT_EQ(treeText(document->project()->items()), "A,New[]");
    EXPECT_FALSE(document->isEdited());
    EXPECT_FALSE(document->enhancedUndoManager().canUndo());
    EXPECT_EQ(Document::make()->revertToSaved().outcome, ReloadOutcome::unchanged);
}

TEST(DocumentLifecycle, ReadsTheFileAgainWhenItChangedOnDisk) {
    ScratchFolder folder;
    const auto file = folder / "Doc.vantorel";
    writeFileContents(file, documentBytes({colorNamed("A"), colorNamed("B")}));
    auto document = Document::open(file).document;
    ASSERT_TRUE(document);
    EXPECT_EQ(document->reloadIfChangedOnDisk().outcome, ReloadOutcome::unchanged);

    // Our own save is not a change on disk.
    document->editor().addGroup(std::nullopt, "G");
    ASSERT_FALSE(document->save());
    EXPECT_EQ(document->reloadIfChangedOnDisk().outcome, ReloadOutcome::unchanged);

    // Selected by identifier, the item stays selected across the reload.
    const ProjectItemPtr b = document->project()->items()[1];
    document->selectionManager().selectItems({b});
    document->editor().addGroup(std::nullopt, "Unsaved");

    // Another program replaces the file.
    std::string bytes;
    {
        auto project = Document::open(file).document->project();
        std::vector<ProjectItemPtr> items = project->items();
        items.push_back(colorNamed("Added"));
        project->setItems(items);
        bytes = format::QuenzColorFileWriter::write(*project).bytes;
    }
    const auto other = folder / "other";
    writeFileContents(other, bytes);
    std::filesystem::rename(other, file);

    EXPECT_TRUE(document->fileChangedOnDisk());
    const ReloadResult result = document->reloadIfChangedOnDisk();
    EXPECT_EQ(result.outcome, ReloadOutcome::reloaded);
    EXPECT_FALSE(document->fileChangedOnDisk());
    EXPECT_EQ(treeText(document->project()->items()), "A,B,G[],Added");
    EXPECT_FALSE(document->isEdited());
    EXPECT_FALSE(document->enhancedUndoManager().canUndo());
    ASSERT_EQ(document->selectionManager().selectedItems().size(), 1u);
    EXPECT_EQ(document->selectionManager().selectedItems()[0], document->project()->items()[1]);
    EXPECT_EQ(document->reloadIfChangedOnDisk().outcome, ReloadOutcome::unchanged);

    std::filesystem::remove(file);
    EXPECT_FALSE(document->fileChangedOnDisk());
    EXPECT_EQ(document->reloadIfChangedOnDisk().outcome, ReloadOutcome::fileMissing);
    EXPECT_EQ(treeText(document->project()->items()), "A,B,G[],Added");
    // Saving puts it back.
    ASSERT_FALSE(document->save());
    EXPECT_TRUE(std::filesystem::exists(file));
}

}  // namespace
}  // namespace vantorel::shell::testing
