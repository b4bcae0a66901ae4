#pragma once
// Whether a document differs from its file: the mark behind the window's "edited" dot and the
// prompt to save on close. Registering, undoing and redoing a step move it; saving sets the
// clean point.

namespace vantorel {

// What happened to the document, in the host platform's terms.
enum class DocumentChange {
    done,     // a new undo step was recorded
    undone,   // a step was undone
    redone,   // a step was redone
    cleared,  // the document was saved or reverted: its current state is the clean point
};

// A change count relative to the clean point: +1 per step done or redone, -1 per step undone.
// The document is edited whenever the count is not 0, and for good once the clean point can no
// longer be reached: a new step recorded while the saved state lay among the redo steps
// discards those steps, and with them the way back to what is on disk.
class DocumentEditedState {
public:
    void updateChangeCount(DocumentChange change);
    void markSaved() { updateChangeCount(DocumentChange::cleared); }

    bool isEdited() const { return cleanPointLost_ || changeCount_ != 0; }
    int changeCount() const { return changeCount_; }

private:
    int changeCount_ = 0;
    bool cleanPointLost_ = false;
};

}  // namespace vantorel
