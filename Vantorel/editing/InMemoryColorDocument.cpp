#include "Vantorel/editing/InMemoryColorDocument.h"

#include <utility>

namespace vantorel {

InMemoryColorDocument::InMemoryColorDocument(QuenzColorProjectPtr project)
    : project_(project ? std::move(project) : std::make_shared<QuenzColorProject>()) {
    undoManager_.setDocument(edited_);
}

std::shared_ptr<InMemoryColorDocument> InMemoryColorDocument::make(QuenzColorProjectPtr project) {
    auto document = std::make_shared<InMemoryColorDocument>(std::move(project));
    const std::weak_ptr<ColorDocumentHandle> handle = document;
    document->selection_.setDocument(handle);
    document->editor_ = QuenzColorDocumentEditor::make(handle);
    return document;
}

void InMemoryColorDocument::setProject(QuenzColorProjectPtr project) {
    if (project) project_ = std::move(project);
}

void InMemoryColorDocument::undo() {
    undoManager_.undo();
    settle();
}

void InMemoryColorDocument::redo() {
    undoManager_.redo();
    settle();
}

}  // namespace vantorel
