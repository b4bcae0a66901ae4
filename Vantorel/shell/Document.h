#pragma once
// Document: one open `.vantorel` document. It owns the project, the document editor, the undo
// manager, the queue of its thread, the selection and the edited mark, and ties them to the
// file: opening reads the whole file, saving writes the whole project atomically (readers and
// a crash see the old file or the new one, never a mix, and a failed save leaves the old file
// as it was), and a file changed on disk by someone else is read again.
//
// A file that is not a document (not well-formed XML, or XML of another kind) still opens, as
// an empty project, but is never overwritten by a save: the user's bytes are not ours to lose.
// Confined to the thread that opened it (the user-interface thread).

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Vantorel/editing/DocumentParts.h"
#include "Vantorel/editing/Pasteboard.h"
#include "Vantorel/platform/AtomicFile.h"
#include "Vantorel/shell/DocumentFile.h"

namespace vantorel::shell {

struct DocumentError {
    std::string message;  // says which file and what went wrong, for an alert
};

// How a document's bytes reach the disk; replaceable so that a test can make saving fail.
using DocumentFileWriter =
    std::function<std::optional<platform::FileError>(const std::filesystem::path& path, std::string_view bytes)>;

enum class ReloadOutcome {
    unchanged,   // the file is the one last read or written (or the document has no file)
    reloaded,    // the file had changed and was read again
    fileMissing, // the file is gone; the document stays as it is and can be saved again
    failed,      // the file changed but could not be read; the document stays as it is
};

struct ReloadResult {
    ReloadOutcome outcome = ReloadOutcome::unchanged;
    std::optional<DocumentError> error;  // for `failed`
};

class Document final : public DocumentParts, public std::enable_shared_from_this<Document> {
public:
    struct Opened {
        std::shared_ptr<Document> document;  // null when opening failed
        std::optional<DocumentError> error;
    };

    // Reads the whole file. Fails only when the file cannot be read.
    static Opened open(const std::filesystem::path& file);
    // A new untitled document: a copy of the default document of the resources folder. Fails
    // when the default document cannot be read.
    static Opened makeNew();
    // An untitled document around `project` (a new empty project when null).
    static std::shared_ptr<Document> make(QuenzColorProjectPtr project = nullptr);

    const DocumentEditedState& editedState() const { return *edited_; }
    bool isEdited() const { return edited_->isEdited(); }

    // The file the document was read from or last saved to; none while untitled.
    const std::optional<std::filesystem::path>& file() const { return file_; }
    // False when the file holds something other than a document (it opened as an empty project
    // and a save will not replace it). True for untitled documents.
    bool fileIsDocument() const { return fileIsDocument_; }
    // The file's name without extension, or "Untitled".
    std::string displayName() const;

    // Writes the project to its file. Fails for an untitled document, when the file on disk is
    // not a document, when the project cannot be encoded, and when writing fails; in every
    // failure the file on disk is unchanged and the document stays edited.
    std::optional<DocumentError> save();
    // Writes the project to `file`, which becomes the document's file on success.
    std::optional<DocumentError> saveAs(const std::filesystem::path& file);
    void setFileWriter(DocumentFileWriter writer);

    // Reads the file again when its modification time, size or file number differ from the
    // version last read or written. The undo history of the old contents is dropped and the
    // document is no longer edited; the selection is kept by identifier.
    ReloadResult reloadIfChangedOnDisk();
    // Whether the file on disk differs from the version last read or written (false when it is
    // gone or the document is untitled): a window asks before a reload would drop unsaved edits.
    bool fileChangedOnDisk() const;
    // Reads the file again whether or not it changed, dropping unsaved edits and the undo
    // history ("Revert to Saved"); `unchanged` for an untitled document.
    ReloadResult revertToSaved();

    // Copy, cut and paste of the selected items (the general pasteboard by default).
    bool copySelection(Pasteboard& pasteboard = generalPasteboard());
    bool cut(Pasteboard& pasteboard = generalPasteboard());
    // Pastes at `position`, or where the selection puts pasted items; returns what was pasted.
    std::vector<ProjectItemPtr> paste(const Pasteboard& pasteboard = generalPasteboard(),
                                      std::optional<ItemPath> position = std::nullopt);

    explicit Document(QuenzColorProjectPtr project);  // use open(), makeNew() or make()

private:
    void replaceProject(QuenzColorProjectPtr project);
    ReloadResult readFileAgain();
    std::optional<DocumentError> checkReplaceable(const std::filesystem::path& target) const;

    DocumentFileWriter writer_;

    std::optional<std::filesystem::path> file_;
    std::optional<FileStamp> stamp_;  // the version of the file last read or written
    bool fileIsDocument_ = true;      // what that version held: a document (or nothing)
};

}  // namespace vantorel::shell
