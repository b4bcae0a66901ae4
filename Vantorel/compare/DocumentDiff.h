#pragma once
// The differences between two documents, matched by identifier: what a reviewer needs to see in
// a pull request, and how far the change reaches for the apps that consume the outputs.

#include <optional>
#include <string>
#include <vector>

#include "VantorelData/model/Project.h"

namespace vantorel::compare {

enum class ChangeKind { added, removed, renamed, moved, kindChanged, valueChanged, targetChanged, propertyChanged };
std::string_view caseName(ChangeKind kind);  // "added", "removed", …

enum class ChangeSubject { item, buildGroup, buildTask, testGroup, testTask, document };
std::string_view caseName(ChangeSubject subject);  // "item", "buildGroup", …

enum class VersionBump { none, patch, minor, major };
std::string_view caseName(VersionBump bump);  // "none", "patch", "minor", "major"

struct Change {
    Change() = default;
    Change(ChangeKind changeKind, ChangeSubject changeSubject, std::string changePath, std::string changedProperty,
           std::string beforeText, std::string afterText)
        : kind(changeKind),
          subject(changeSubject),
          path(std::move(changePath)),
          property(std::move(changedProperty)),
          before(std::move(beforeText)),
          after(std::move(afterText)) {}

    ChangeKind kind = ChangeKind::propertyChanged;
    ChangeSubject subject = ChangeSubject::item;
    std::string path;      // the item path or the group's (and task's) name, in the new document when it has one
    std::string property;  // what changed: "name", "light", "dark", "step 2 dark", "fileName", …
    std::string before;
    std::string after;
    std::optional<std::string> beforeHex;  // colors, as swatches: sRGB "#RRGGBB" or "#RRGGBBAA"
    std::optional<std::string> afterHex;
    std::optional<double> deltaE;          // colors: the distance in OKLab, ×100
    VersionBump bump = VersionBump::patch;
};

struct DocumentDiff {
    std::vector<Change> changes;
    VersionBump bump = VersionBump::none;
    std::string reason;  // why the bump: the first change of the largest kind, in words

    bool equal() const { return changes.empty(); }
};

DocumentDiff diffDocuments(QuenzColorProjectPtr oldProject, QuenzColorProjectPtr newProject);

}  // namespace vantorel::compare
