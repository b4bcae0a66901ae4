// Saving: the whole project written atomically; a failed save leaves the old file and the
// edited mark; a file that is not a document is never overwritten. (Keeping the replaced
// file's permissions belongs to the atomic file writer and is checked there.)

#include <gtest/gtest.h>

#include <unistd.h>

#include <string>

#include "ShellTestSupport.h"
#include "Vantorel/shell/Document.h"
#include "VantorelData/format/QuenzColorFileReader.h"

namespace vantorel::shell::testing {
namespace {

struct DocumentSaveTest : ::testing::Test {
    ScratchFolder folder;
    std::filesystem::path file = folder / "Doc.vantorel";
    std::string original = documentBytes({colorNamed("A")}, "original");
    std::shared_ptr<Document> document;

    void SetUp() override {
        writeFileContents(file, original);
        document = Document::open(file).document;
        ASSERT_TRUE(document);
        document->editor().addGroup(std::nullopt, "Edit");
    }
};

TEST_F(DocumentSaveTest, WritesTheWholeProjectAndLeavesNoTemporaryFile) {
    ASSERT_FALSE(document->save());
    const std::string saved = fileContents(file);
    EXPECT_EQ(saved, format::QuenzColorFileWriter::write(*document->project()).bytes);
    EXPECT_EQ(treeText(format::QuenzColorFileReader::read(saved)->items()), "A,Edit[]");
    EXPECT_EQ(folder.fileNames(), std::vector<std::string>{"Doc.vantorel"});
}

TEST_F(DocumentSaveTest, AFailingWriterLeavesTheOldFileAndTheEditedMark) {
    document->setFileWriter([](const std::filesystem::path& path, std::string_view) {
        return std::optional<platform::FileError>(platform::FileError{"Could not write \"" + path.string() + "\": disk full"});
    });
    const auto error = document->save();
    ASSERT_TRUE(error);
    EXPECT_EQ(error->message, "Could not write \"" + file.string() + "\": disk full");
    EXPECT_EQ(fileContents(file), original);
    EXPECT_TRUE(document->isEdited());

    document->setFileWriter(nullptr);  // back to the real one
    EXPECT_FALSE(document->save());
    EXPECT_FALSE(document->isEdited());
}

TEST_F(DocumentSaveTest, ARealWriteFailureLeavesTheOldFile) {
    if (::geteuid() == 0) {
        // Permissions do not stop the superuser; take the folder's write access away another way:
        // a save into a folder that has gone fails at the temporary file.
        const auto gone = folder / "gone";
        std::filesystem::create_directory(gone);
        std::filesystem::remove(gone);
        EXPECT_TRUE(document->saveAs(gone / "Doc.vantorel"));
        EXPECT_EQ(document->file(), file);
    } else {
        std::filesystem::permissions(folder.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
        EXPECT_TRUE(document->save());
        std::filesystem::permissions(folder.path(), std::filesystem::perms::owner_all);
    }
    EXPECT_EQ(fileContents(file), original);
    EXPECT_TRUE(document->isEdited());
}

TEST_F(DocumentSaveTest, AFileThatIsNotADocumentIsNeverOverwritten) {
    const struct {
        const char* name;
        std::string bytes;
        bool replaced;
    } cases[] = {
        {"plain text", "red: #FF0000\n", false},
        {"other XML", "<svg><rect/></svg>", false},
        {"broken document", "<vantorel><project>", false},
        {"empty file", "", true},
        {"another document", documentBytes({colorNamed("Other")}), true},
    };
    for (const auto& c : cases) {
        const auto target = folder / "target.vantorel";
        writeFileContents(target, c.bytes);
        const auto error = document->saveAs(target);
        EXPECT_EQ(!error, c.replaced) << c.name;
        if (c.replaced) {
            EXPECT_EQ(document->file(), target) << c.name;
            EXPECT_EQ(treeText(format::QuenzColorFileReader::read(fileContents(target))->items()), "A,Edit[]") << c.name;
        } else {
            EXPECT_EQ(fileContents(target), c.bytes) << c.name;
            ASSERT_TRUE(error);
            EXPECT_NE(error->message.find("not a Vantorel document"), std::string::npos) << error->message;
        }
        std::filesystem::remove(target);
    }
    EXPECT_TRUE(document->saveAs(folder.path()));  // a folder
}

// Neither a file that was no document when opened nor one replaced by a non-document since.
TEST_F(DocumentSaveTest, ANonDocumentIsNotOverwrittenInPlace) {
    const auto other = folder / "other";
    writeFileContents(other, "someone else's bytes");
    std::filesystem::rename(other, file);
    EXPECT_TRUE(document->save());
    EXPECT_EQ(fileContents(file), "someone else's bytes");

    const auto notes = folder / "notes.vantorel";
    writeFileContents(notes, "just notes");
    auto opened = Document::open(notes).document;
    ASSERT_TRUE(opened);
    EXPECT_FALSE(opened->fileIsDocument());
    opened->editor().addGroup(std::nullopt, "G");
    EXPECT_TRUE(opened->save());
    EXPECT_EQ(fileContents(notes), "just notes");
    // Under another name it saves, and from then on that file is its file.
    const auto copy = folder / "notes-document.vantorel";
    ASSERT_FALSE(opened->saveAs(copy));
    EXPECT_EQ(opened->file(), copy);
    EXPECT_TRUE(opened->fileIsDocument());
    EXPECT_FALSE(opened->save());
}

}  // namespace
}  // namespace vantorel::shell::testing
