#include "Vantorel/editing/DocumentEditedState.h"

#include <gtest/gtest.h>

#include <string>

namespace vantorel {
namespace {

// d = a step done, u = undone, r = redone, s = saved.
void apply(DocumentEditedState& state, const std::string& changes) {
    for (char change : changes) {
        switch (change) {
            case 'd': state.updateChangeCount(DocumentChange::done); break;
            case 'u': state.updateChangeCount(DocumentChange::undone); break;
            case 'r': state.updateChangeCount(DocumentChange::redone); break;
            case 's': state.markSaved(); break;
            default: FAIL() << "unknown change " << change;
        }
    }
}

TEST(DocumentEditedState, EditedUnlessBackAtTheSavedState) {
    const struct {
        std::string changes;
        bool edited;
    } cases[] = {
        {"", false},
        {"d", true},
        {"du", false},
        {"dur", true},
        {"ddu", true},
        {"dduu", false},
        {"ds", false},
        {"dsu", true},
        {"dsur", false},
        {"dsd", true},
        {"dsdu", false},
        // The saved state was a redo step when the new step discarded it: no way back.
        {"dsud", true},
        {"dsudu", true},
        {"dsuduu", true},
        {"dsuds", false},
        // Saved with everything undone; redoing moves away, undoing comes back.
        {"ddduuusrru", true},
        {"ddduuusrruu", false},
    };
    for (const auto& c : cases) {
        DocumentEditedState state;
        apply(state, c.changes);
        EXPECT_EQ(state.isEdited(), c.edited) << '"' << c.changes << '"';
    }
}

}  // namespace
}  // namespace vantorel
