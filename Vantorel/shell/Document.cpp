#include "Vantorel/shell/Document.h"

#include <system_error>
#include <utility>

#include "Vantorel/editing/PasteboardEditing.h"
#include "Vantorel/platform/Log.h"
#include "Vantorel/platform/Resources.h"
#include "VantorelData/format/QuenzColorFileReader.h"
#include "VantorelData/format/QuenzColorFileWriter.h"

namespace vantorel::shell {
namespace {

const platform::LogChannel& pasteboardLog() {
    static const platform::LogChannel channel("pasteboard");
    return channel;
}

pasteboard::Diagnostics pasteboardDiagnostics() {
    return [](std::string_view message) { pasteboardLog().write(message); };
}

std::string quoted(const std::filesystem::path& path) { return "\"" + path.string() + "\""; }

std::optional<platform::FileError> writeDocumentFile(const std::filesystem::path& path, std::string_view bytes) {
    return platform::writeFileAtomically(path, bytes, platform::Durability::flushedToDisk);
}

}  // namespace

Document::Document(QuenzColorProjectPtr project) : DocumentParts(std::move(project)), writer_(writeDocumentFile) {}

std::shared_ptr<Document> Document::make(QuenzColorProjectPtr project) { return makeConnected<Document>(std::move(project)); }

Document::Opened Document::open(const std::filesystem::path& file) {
    DocumentFileContents contents = readDocumentFile(file);
    if (contents.error) return {nullptr, DocumentError{*contents.error}};
    // Bytes that are not a document read as an empty project, which is what the user sees.
    auto document = make(format::QuenzColorFileReader::read(contents.bytes));
    document->file_ = file;
    document->stamp_ = contents.stamp;
    document->fileIsDocument_ = mayBeReplacedByDocument(contents.bytes);
    document->project_->setName(file.stem().string());
    return {std::move(document), std::nullopt};
}

Document::Opened Document::makeNew() {
    const std::filesystem::path defaults = platform::resourcePath("Defaults/Default.vantorel");
    const DocumentFileContents contents = readDocumentFile(defaults);
    if (contents.error) return {nullptr, DocumentError{"The default document could not be read. " + *contents.error}};
    auto document = make(format::QuenzColorFileReader::read(contents.bytes));
    document->project_->setName("Untitled");
    return {std::move(document), std::nullopt};
}

std::string Document::displayName() const { return file_ ? file_->stem().string() : std::string("Untitled"); }

void Document::setFileWriter(DocumentFileWriter writer) {
    writer_ = writer ? std::move(writer) : DocumentFileWriter(writeDocumentFile);
}

std::optional<DocumentError> Document::checkReplaceable(const std::filesystem::path& target) const {
    std::error_code error;
    if (std::filesystem::is_directory(target, error)) {
        return DocumentError{"Could not save " + quoted(target) + ": it is a folder."};
    }
    const std::optional<FileStamp> onDisk = stampOf(target);
    if (!onDisk) return std::nullopt;  // a new file
    // The version we read or wrote last: we already know what it holds.
    if (file_ && target == *file_ && stamp_ && *onDisk == *stamp_ && fileIsDocument_) return std::nullopt;
    const DocumentFileContents contents = readDocumentFile(target);
    if (contents.error) return DocumentError{"Could not save: " + *contents.error};
    if (!mayBeReplacedByDocument(contents.bytes)) {
        return DocumentError{"Could not save " + quoted(target) +
                             ": the file is not a Vantorel document and was left unchanged. "
                             "Save the document under another name."};
    }
    return std::nullopt;
}

std::optional<DocumentError> Document::save() {
    if (!file_) return DocumentError{"The document has not been saved yet; choose where to save it."};
    return saveAs(*file_);
}

std::optional<DocumentError> Document::saveAs(const std::filesystem::path& target) {
    if (auto refused = checkReplaceable(target)) return refused;
    const format::WrittenDocument written = format::QuenzColorFileWriter::write(*project_);
    if (written.error) {
        return DocumentError{"Could not save " + quoted(target) + ": " + written.error->message};
    }
    if (const auto failed = writer_(target, written.bytes)) return DocumentError{failed->message};

    file_ = target;
    stamp_ = stampOf(target);
    fileIsDocument_ = true;
    project_->setName(target.stem().string());
    edited_->markSaved();
    return std::nullopt;
}

ReloadResult Document::reloadIfChangedOnDisk() {
    if (!file_) return {};
    const std::optional<FileStamp> onDisk = stampOf(*file_);
    if (!onDisk) return {ReloadOutcome::fileMissing, std::nullopt};
    if (stamp_ && *onDisk == *stamp_) return {};
    return readFileAgain();
}

bool Document::fileChangedOnDisk() const {
    if (!file_) return false;
    const std::optional<FileStamp> onDisk = stampOf(*file_);
    return onDisk && (!stamp_ || *onDisk != *stamp_);
}

ReloadResult Document::revertToSaved() {
    if (!file_) return {};
    return readFileAgain();
}

ReloadResult Document::readFileAgain() {
    DocumentFileContents contents = readDocumentFile(*file_);
    if (contents.error) return {ReloadOutcome::failed, DocumentError{*contents.error}};
    auto project = format::QuenzColorFileReader::read(contents.bytes);
    project->setName(file_->stem().string());
    replaceProject(std::move(project));
    stamp_ = contents.stamp;
    fileIsDocument_ = mayBeReplacedByDocument(contents.bytes);
    return {ReloadOutcome::reloaded, std::nullopt};
}

void Document::replaceProject(QuenzColorProjectPtr project) {
    project_ = std::move(project);
    // The old history restores lists of the old contents; it has no meaning for the new ones.
    undoManager_.removeAllActions();
    edited_->markSaved();
    selection_.refreshItems(project_->items());
    selection_.refreshBuildSelection(project_->buildGroups());
    selection_.refreshTestSelection(project_->testGroups());
}

bool Document::copySelection(Pasteboard& pasteboard) {
    return pasteboard::copySelection(*this, pasteboard, pasteboardDiagnostics());
}

bool Document::cut(Pasteboard& pasteboard) {
    return pasteboard::cut(*this, *editor_, pasteboard, pasteboardDiagnostics());
}

std::vector<ProjectItemPtr> Document::paste(const Pasteboard& pasteboard, std::optional<ItemPath> position) {
    return pasteboard::paste(*this, *editor_, pasteboard, std::move(position));
}

}  // namespace vantorel::shell
