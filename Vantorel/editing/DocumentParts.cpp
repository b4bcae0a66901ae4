#include "Vantorel/editing/DocumentParts.h"

#include <utility>

namespace vantorel {

DocumentParts::DocumentParts(QuenzColorProjectPtr project)
    : project_(project ? std::move(project) : std::make_shared<QuenzColorProject>()) {
    undoManager_.setDocument(edited_);
}

void DocumentParts::connect(const std::weak_ptr<ColorDocumentHandle>& document) {
    selection_.setDocument(document);
    editor_ = QuenzColorDocumentEditor::make(document);
}

void DocumentParts::undo() {
    undoManager_.undo();
    settle();
}

void DocumentParts::redo() {
    undoManager_.redo();
    settle();
}

}  // namespace vantorel
