// Opening, new documents from the default document, the edited mark and reading a file again
// when it changed on disk.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "ShellTestSupport.h"
#include "Vantorel/shell/Document.h"

namespace vantorel::shell::testing {
namespace {

// Points the resources folder elsewhere for one test.
class ResourcesOverride {
public:
    explicit ResourcesOverride(const std::filesystem::path& folder) {
        if (const char* previous = std::getenv("VANTOREL_RESOURCES")) previous_ = previous;
        ::setenv("VANTOREL_RESOURCES", folder.c_str(), 1);
    }
    ~ResourcesOverride() {
        if (previous_) {
            ::setenv("VANTOREL_RESOURCES", previous_->c_str(), 1);
        } else {
            ::unsetenv("VANTOREL_RESOURCES");
        }
    }

private:
    std::optional<std::string> previous_;
};

TEST(DocumentLifecycle, OpensTheWholeFile) {
    ScratchFolder folder;
    const auto file = folder / "Brand.vantorel";
    writeFile(file, documentBytes({groupNamed("Brand", {colorNamed("Primary")}), colorNamed("Accent")}, "Tokens"));

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

TEST(DocumentLifecycle, AnUnreadableFileDoesNotOpen) {
    ScratchFolder folder;
    for (const auto& path : {folder / "missing.vantorel", folder.path()}) {
        const auto opened = Document::open(path);
        EXPECT_FALSE(opened.document) << path;
        ASSERT_TRUE(opened.error);
        EXPECT_NE(opened.error->message.find(path.string()), std::string::npos) << opened.error->message;
    }
}

TEST(DocumentLifecycle, FilesThatAreNotDocumentsOpenEmptyAndAreMarkedSo) {
    ScratchFolder folder;
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
        writeFile(file, c.bytes);
        const auto opened = Document::open(file);
        ASSERT_TRUE(opened.document) << c.name;
        EXPECT_TRUE(opened.document->project()->items().empty()) << c.name;
        EXPECT_EQ(opened.document->fileIsDocument(), c.isDocument) << c.name;
    }
}

TEST(DocumentLifecycle, ANewDocumentIsACopyOfTheDefaultDocument) {
    ScratchFolder resources;
    std::filesystem::create_directories(resources / "Defaults");
    writeFile(resources / "Defaults" / "Default.vantorel", documentBytes({colorNamed("Starter")}, "Default"));
    {
        ResourcesOverride override(resources.path());
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
        ResourcesOverride override(resources / "nowhere");
        const auto made = Document::makeNew();
        EXPECT_FALSE(made.document);
        ASSERT_TRUE(made.error);
        EXPECT_NE(made.error->message.find("default document"), std::string::npos);
    }
}

TEST(DocumentLifecycle, TheShippedDefaultDocumentOpensAsAnEmptyProject) {
    ResourcesOverride override(std::filesystem::path(VANTOREL_SOURCE_DIR) / "resources");
    const auto made = Document::makeNew();
    ASSERT_TRUE(made.document) << made.error->message;
    EXPECT_TRUE(made.document->project()->items().empty());
}

TEST(DocumentLifecycle, EditsMarkTheDocumentAndSavingClearsTheMark) {
    ScratchFolder folder;
    const auto file = folder / "Doc.vantorel";
    writeFile(file, documentBytes({colorNamed("A")}));
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
}

TEST(DocumentLifecycle, ReadsTheFileAgainWhenItChangedOnDisk) {
    ScratchFolder folder;
    const auto file = folder / "Doc.vantorel";
    writeFile(file, documentBytes({colorNamed("A"), colorNamed("B")}));
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
    writeFile(other, bytes);
    std::filesystem::rename(other, file);

    const ReloadResult result = document->reloadIfChangedOnDisk();
    EXPECT_EQ(result.outcome, ReloadOutcome::reloaded);
    EXPECT_EQ(treeText(document->project()->items()), "A,B,G[],Added");
    EXPECT_FALSE(document->isEdited());
    EXPECT_FALSE(document->enhancedUndoManager().canUndo());
    ASSERT_EQ(document->selectionManager().selectedItems().size(), 1u);
    EXPECT_EQ(document->selectionManager().selectedItems()[0], document->project()->items()[1]);
    EXPECT_EQ(document->reloadIfChangedOnDisk().outcome, ReloadOutcome::unchanged);

    std::filesystem::remove(file);
    EXPECT_EQ(document->reloadIfChangedOnDisk().outcome, ReloadOutcome::fileMissing);
    EXPECT_EQ(treeText(document->project()->items()), "A,B,G[],Added");
    // Saving puts it back.
    ASSERT_FALSE(document->save());
    EXPECT_TRUE(std::filesystem::exists(file));
}

}  // namespace
}  // namespace vantorel::shell::testing
