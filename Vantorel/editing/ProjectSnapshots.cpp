#include "Vantorel/editing/ProjectSnapshots.h"

#include <functional>
#include <string>
#include <unordered_map>

#include "Vantorel/editing/SnapshotCodec.h"
#include "VantorelData/model/ItemTreeWalk.h"

namespace vantorel {
namespace {

template <class Group>
std::unordered_map<std::string, std::shared_ptr<Group>> groupsById(const std::vector<std::shared_ptr<Group>>& groups) {
    std::unordered_map<std::string, std::shared_ptr<Group>> byId;
    for (const auto& group : groups) {
        if (group) byId.emplace(group->uuid(), group);  // the first of an identifier wins, as in reading
    }
    return byId;
}

void forEachInTree(const std::vector<ProjectItemPtr>& items, const std::function<void(QuenzColorProjectItem&)>& visit) {
    walkItemTree(items, [&](const ProjectItemPtr& item) { visit(*item); });
}

template <class Group>
std::shared_ptr<Group> find(const std::unordered_map<std::string, std::shared_ptr<Group>>& byId,
                            const std::string& uuid) {
    const auto found = byId.find(uuid);
    return found == byId.end() ? nullptr : found->second;
}

}  // namespace

ScopeSnapshotPtr ProjectSnapshots::take(TransactionScope scope, const QuenzColorProject& project) {
    switch (scope) {
        case TransactionScope::items: return items_.take(project.items());
        case TransactionScope::build: return buildGroups_.take(project.buildGroups());
        case TransactionScope::test: return testGroups_.take(project.testGroups());
    }
    return nullptr;
}

std::vector<ProjectItemPtr> ProjectSnapshots::restoreItems(const ScopeSnapshotPtr& snapshot,
                                                           QuenzColorProject& project, bool* anyRead) {
    std::size_t reused = 0;
    std::vector<ProjectItemPtr> restored = items_.restore(
        snapshot, project.items(),
        [&project](const CompressedElement& bytes) { return snapshot::restoreItem(bytes, project); }, &reused);
    if (anyRead) *anyRead = reused != restored.size();

    // Kept items: assignments follow the project's groups by identifier, as a read would.
    const auto buildGroups = groupsById(project.buildGroups());
    const auto testGroups = groupsById(project.testGroups());
    forEachInTree(restored, [&](QuenzColorProjectItem& item) {
        if (const BuildGroupPtr& current = item.buildGroup()) {
            const BuildGroupPtr match = find(buildGroups, current->uuid());
            if (!match) {
                item.setBuildGroup(nullptr);
            } else if (match != current) {
                items_.untracked([&] { item.setBuildGroup(match); });
            }
        }
        if (const TestGroupPtr& current = item.testGroup()) {
            const TestGroupPtr match = find(testGroups, current->uuid());
            if (!match) {
                item.setTestGroup(nullptr);
                item.setTestPosition(TestPosition::both);
            } else if (match != current) {
                items_.untracked([&] { item.setTestGroup(match); });
            }
        }
    });
    return restored;
}

std::vector<BuildGroupPtr> ProjectSnapshots::restoreBuildGroups(const ScopeSnapshotPtr& snapshot,
                                                                const QuenzColorProject& project) {
    return buildGroups_.restore(snapshot, project.buildGroups(),
                                [](const CompressedElement& bytes) { return snapshot::restoreBuildGroup(bytes); });
}

std::vector<TestGroupPtr> ProjectSnapshots::restoreTestGroups(const ScopeSnapshotPtr& snapshot,
                                                              const QuenzColorProject& project) {
    return testGroups_.restore(snapshot, project.testGroups(),
                               [](const CompressedElement& bytes) { return snapshot::restoreTestGroup(bytes); });
}

void ProjectSnapshots::followRestoredBuildGroups(const QuenzColorProject& project,
                                                 const std::vector<BuildGroupPtr>& buildGroups) {
    const auto byId = groupsById(buildGroups);
    items_.untracked([&] {
        forEachInTree(project.items(), [&](QuenzColorProjectItem& item) {
            if (!item.buildGroup()) return;
            if (const BuildGroupPtr match = find(byId, item.buildGroup()->uuid())) item.setBuildGroup(match);
        });
    });
}

void ProjectSnapshots::followRestoredTestGroups(const QuenzColorProject& project,
                                                const std::vector<TestGroupPtr>& testGroups) {
    const auto byId = groupsById(testGroups);
    items_.untracked([&] {
        forEachInTree(project.items(), [&](QuenzColorProjectItem& item) {
            if (!item.testGroup()) return;
            if (const TestGroupPtr match = find(byId, item.testGroup()->uuid())) item.setTestGroup(match);
        });
    });
}

}  // namespace vantorel
