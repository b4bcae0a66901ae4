#include "Vantorel/editing/DocumentEditedState.h"

namespace vantorel {

void DocumentEditedState::updateChangeCount(DocumentChange change) {
    switch (change) {
        case DocumentChange::done:
            // Below zero the saved state is a redo step, which this new step throws away.
            if (changeCount_ < 0) cleanPointLost_ = true;
            ++changeCount_;
            return;
        case DocumentChange::undone:
            --changeCount_;
            return;
        case DocumentChange::redone:
            ++changeCount_;
            return;
        case DocumentChange::cleared:
            changeCount_ = 0;
            cleanPointLost_ = false;
            return;
    }
}

}  // namespace vantorel
