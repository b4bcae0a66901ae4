#pragma once
// ProjectSnapshots: the snapshot caches of one project's three scope lists, and the restore of
// a scope list from a snapshot. Restored items are tied to the project's build and test groups
// by identifier, exactly as reading them from the document would; after a restore of the build
// or test groups, items assigned to a group are pointed at the restored group of the same
// identifier.

#include <cstddef>
#include <memory>
#include <vector>

#include "Vantorel/editing/ElementSnapshotCache.h"
#include "Vantorel/editing/ScopeSnapshot.h"
#include "Vantorel/editing/TransactionScope.h"
#include "VantorelData/model/Project.h"

namespace vantorel {

class ProjectSnapshots {
public:
    explicit ProjectSnapshots(const QuenzColorProjectPtr& project) : project_(project) {}

    bool isFor(const QuenzColorProjectPtr& project) const { return project && project_.lock() == project; }

    ScopeSnapshotPtr take(TransactionScope scope, const QuenzColorProject& project);

    // The lists a snapshot describes, read against `project` (whose lists are not changed here).
    // `anyRead` (optional) tells whether some element had to be read rather than kept.
    std::vector<ProjectItemPtr> restoreItems(const ScopeSnapshotPtr& snapshot, QuenzColorProject& project,
                                             bool* anyRead = nullptr);
    std::vector<BuildGroupPtr> restoreBuildGroups(const ScopeSnapshotPtr& snapshot, const QuenzColorProject& project);
    std::vector<TestGroupPtr> restoreTestGroups(const ScopeSnapshotPtr& snapshot, const QuenzColorProject& project);

    // Points the project's items at the groups of `buildGroups` (or `testGroups`) that carry the
    // identifier of the group they are assigned to; the document text does not change.
    void followRestoredBuildGroups(const QuenzColorProject& project, const std::vector<BuildGroupPtr>& buildGroups);
    void followRestoredTestGroups(const QuenzColorProject& project, const std::vector<TestGroupPtr>& testGroups);

    std::size_t compressedCount() const {
        return items_.compressedCount() + buildGroups_.compressedCount() + testGroups_.compressedCount();
    }

private:
    std::weak_ptr<QuenzColorProject> project_;
    ElementSnapshotCache<QuenzColorProjectItem> items_;
    ElementSnapshotCache<BuildGroup> buildGroups_;
    ElementSnapshotCache<TestGroup> testGroups_;
};

}  // namespace vantorel
