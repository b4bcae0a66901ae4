#include "Vantorel/compare/DocumentDiff.h"

#include <fmt/format.h>

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "Vantorel/compare/DocumentIndex.h"
#include "Vantorel/compare/ValueChanges.h"

namespace vantorel::compare {
namespace {

ChangeSubject subjectOf(const Entry& entry) {
    const std::string_view name = entry.elementName;
    if (name == "buildGroup") return ChangeSubject::buildGroup;
    if (name == "task") return ChangeSubject::buildTask;
    if (name == "testGroup") return ChangeSubject::testGroup;
    if (name == "test") return ChangeSubject::testTask;
    return ChangeSubject::item;
}

// How far a change reaches for the apps that read the outputs: items are their API, so taking one
// away or changing its code name breaks them; the build and test configuration only shapes outputs.
VersionBump bumpOf(ChangeKind kind, ChangeSubject subject) {
    if (subject != ChangeSubject::item) return VersionBump::patch;
    switch (kind) {
        case ChangeKind::added: return VersionBump::minor;
        case ChangeKind::removed:
        case ChangeKind::renamed:
        case ChangeKind::kindChanged:
        case ChangeKind::targetChanged: return VersionBump::major;
        case ChangeKind::moved:
        case ChangeKind::valueChanged:
        case ChangeKind::propertyChanged: return VersionBump::patch;
    }
    return VersionBump::patch;
}

// Aliases keep no identifier, so they are known by group and name: one that went to another group
// or got a new name is the alias of the old document with the same kind and targets that the new
// one no longer has, under the same name or in the same group. New alias key → its old entry.
std::unordered_map<std::string, const Entry*> movedAliases(const EntryList& from, const EntryList& to) {
    const auto isAliasEntry = [](const Entry& entry) { return entry.item && isAlias(entry.item->itemType()); };
    std::vector<const Entry*> gone;
    for (const auto& entry : from.entries) {
        if (isAliasEntry(entry) && !to.find(entry.key)) gone.push_back(&entry);
    }
    std::unordered_map<std::string, const Entry*> pairs;
    for (const auto& entry : to.entries) {
        if (gone.empty()) break;
        if (!isAliasEntry(entry) || from.find(entry.key)) continue;
        const auto match = std::find_if(gone.begin(), gone.end(), [&](const Entry* old) {
            return old->elementName == entry.elementName && (old->name == entry.name || old->parentKey == entry.parentKey) &&
                   sameProperties(*old, entry);
        });
        if (match == gone.end()) continue;
        pairs.emplace(entry.key, *match);
        gone.erase(match);
    }
    return pairs;
}

class Differ {
public:
    Differ(const DocumentIndex& before, const DocumentIndex& after) : before_(before), after_(after) {}

    void compare(const EntryList& from, const EntryList& to, bool items) {
        const auto movedList = movedKeys(from, to);
        const std::unordered_set<std::string> moved(movedList.begin(), movedList.end());
        const auto aliasesBefore = items ? movedAliases(from, to) : std::unordered_map<std::string, const Entry*>();
        std::unordered_set<const Entry*> aliasesFound;
        for (const auto& entry : to.entries) {
            const auto* old = from.find(entry.key);
            const auto alias = old ? aliasesBefore.end() : aliasesBefore.find(entry.key);
            if (alias != aliasesBefore.end()) {
                old = alias->second;
                aliasesFound.insert(old);
            }
            if (!old) {
                add(ChangeKind::added, entry, {}, {}, entry.elementName);
                continue;
            }
            if (old->name != entry.name) add(ChangeKind::renamed, entry, "name", old->name, entry.name);
            if (old->elementName != entry.elementName) {
                add(ChangeKind::kindChanged, entry, "kind", old->elementName, entry.elementName);
                continue;
            }
            if (moved.count(entry.key) != 0 || (old->key != entry.key && old->parentKey != entry.parentKey)) {
                auto& change = add(ChangeKind::moved, entry, "position", placeOf(*old, from), placeOf(entry, to));
                // Moving between namespaces changes the code name that apps use.
                if (items && old->codeName != entry.codeName) change.bump = VersionBump::major;
            }
            compareFields(*old, entry, items);
        }
        for (const auto& entry : from.entries) {
            if (!to.find(entry.key) && aliasesFound.count(&entry) == 0) add(ChangeKind::removed, entry, {}, entry.elementName, {});
        }
    }

    void compareDescription() {
        const auto& from = before_.description();
        const auto& to = after_.description();
        if (from != to) {
            changes_.push_back(Change{ChangeKind::propertyChanged, ChangeSubject::document, {}, "description", from, to});
        }
        const auto settingsBefore = settingsText(before_.settings());
        const auto settingsAfter = settingsText(after_.settings());
        if (settingsBefore != settingsAfter) {
            changes_.push_back(Change{ChangeKind::propertyChanged, ChangeSubject::document, {}, "settings",
                                      settingsBefore, settingsAfter});
        }
    }

    std::vector<Change> take() { return std::move(changes_); }

private:
    Change& add(ChangeKind kind, const Entry& entry, std::string property, std::string before, std::string after) {
        const auto subject = subjectOf(entry);
        changes_.push_back(Change{kind, subject, entry.path, std::move(property), std::move(before), std::move(after)});
        changes_.back().bump = bumpOf(kind, subject);
        return changes_.back();
    }

    std::string placeOf(const Entry& entry, const EntryList& list) const {
        const auto* parent = list.find(entry.parentKey);
        return fmt::format("{} #{}", parent ? parent->path : std::string("top level"), entry.position + 1);
    }

    void compareFields(const Entry& old, const Entry& entry, bool items) {
        bool valueDiffers = false;
        for (const auto& field : entry.properties) {
            const auto* oldField = old.property(field.name);
            if (oldField && sameField(oldField->node, field.node)) continue;
            if (items && isValueField(field.name)) {
                valueDiffers = true;
                continue;
            }
            add(ChangeKind::propertyChanged, entry, std::string(field.name),
                oldField ? readableText(oldField->node) : std::string(), readableText(field.node));
        }
        for (const auto& field : old.properties) {
            if (entry.property(field.name)) continue;
            if (items && isValueField(field.name)) {
                valueDiffers = true;
                continue;
            }
            add(ChangeKind::propertyChanged, entry, std::string(field.name), readableText(field.node), {});
        }
        if (valueDiffers) appendValueChanges(old, before_, entry, after_, entry.path, changes_);
    }

    const DocumentIndex& before_;
    const DocumentIndex& after_;
    std::vector<Change> changes_;
};

std::string reasonFor(const Change& change) {
    const std::string subject = change.subject == ChangeSubject::item ? "item" : std::string(caseName(change.subject));
    switch (change.kind) {
        case ChangeKind::added: return fmt::format("{} '{}' was added", subject, change.path);
        case ChangeKind::removed: return fmt::format("{} '{}' was removed", subject, change.path);
        case ChangeKind::renamed: return fmt::format("'{}' was renamed to '{}'", change.before, change.after);
        case ChangeKind::moved:
            return change.bump == VersionBump::major ? fmt::format("'{}' moved to another namespace", change.path)
                                                     : fmt::format("'{}' moved", change.path);
        case ChangeKind::kindChanged:
            return fmt::format("'{}' changed kind from {} to {}", change.path, change.before, change.after);
        case ChangeKind::targetChanged:
            return fmt::format("alias '{}' now points at {} in {}", change.path, change.after, change.property);
        case ChangeKind::valueChanged:
            return fmt::format("the value of '{}' changed in {}", change.path, change.property);
        case ChangeKind::propertyChanged:
            return change.path.empty() ? fmt::format("the {} changed", change.property)
                                       : fmt::format("'{}' changed its {}", change.path, change.property);
    }
    return {};
}

}  // namespace

std::string_view caseName(ChangeKind kind) {
    constexpr std::array<std::string_view, 8> names = {"added", "removed", "renamed", "moved",
                                                       "kindChanged", "valueChanged", "targetChanged", "propertyChanged"};
    return names[static_cast<std::size_t>(kind)];
}

std::string_view caseName(ChangeSubject subject) {
    constexpr std::array<std::string_view, 6> names = {"item", "buildGroup", "buildTask", "testGroup", "testTask",
                                                       "document"};
    return names[static_cast<std::size_t>(subject)];
}

std::string_view caseName(VersionBump bump) {
    constexpr std::array<std::string_view, 4> names = {"none", "patch", "minor", "major"};
    return names[static_cast<std::size_t>(bump)];
}

DocumentDiff diffDocuments(QuenzColorProjectPtr oldProject, QuenzColorProjectPtr newProject) {
    const DocumentIndex before(std::move(oldProject));
    const DocumentIndex after(std::move(newProject));
    Differ differ(before, after);
    differ.compare(before.items(), after.items(), true);
    differ.compare(before.buildGroups(), after.buildGroups(), false);
    differ.compare(before.testGroups(), after.testGroups(), false);
    differ.compareDescription();

    DocumentDiff diff;
    diff.changes = differ.take();
    const Change* widest = nullptr;
    for (const auto& change : diff.changes) {
        if (!widest || change.bump > widest->bump) widest = &change;
    }
    if (widest) {
        diff.bump = widest->bump;
        diff.reason = reasonFor(*widest);
    }
    return diff;
}

}  // namespace vantorel::compare
