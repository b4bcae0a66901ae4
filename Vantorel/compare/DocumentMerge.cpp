#include "Vantorel/compare/DocumentMerge.h"

#include <pugixml.hpp>

#include <algorithm>
#include <array>
#include <functional>
#include <unordered_map>
#include <unordered_set>

#include "Vantorel/compare/DocumentIndex.h"
#include "Vantorel/compare/ValueChanges.h"
#include "VantorelData/format/QuenzColorFileReader.h"
#include "VantorelData/format/QuenzColorFileWriter.h"

namespace vantorel::compare {
namespace {

using format::QuenzColorFileReader;
using format::QuenzColorFileWriter;

struct Sides {
    const EntryList& base;
    const EntryList& ours;
    const EntryList& theirs;
    const DocumentIndex& baseDocument;
    const DocumentIndex& oursDocument;
    const DocumentIndex& theirsDocument;
};

// One entry of the result: the side whose element gives its kind and identifier, its name, and
// its fields: those of that side whole, or picked field by field from both sides.
struct MergedEntry {
    const Entry* primary = nullptr;
    const std::string* name = nullptr;
    bool wholeEntry = true;
    std::vector<pugi::xml_node> fields;

    static MergedEntry whole(const Entry& entry) { return MergedEntry{&entry, &entry.name, true, {}}; }
};

pugi::xml_node nodeOf(const Entry* entry, std::string_view field) {
    const auto* property = entry ? entry->property(field) : nullptr;
    return property ? property->node : pugi::xml_node();
}

// Present on neither side, or present on both with the same content.
bool sameOptionalField(pugi::xml_node a, pugi::xml_node b) { return !a || !b ? !a && !b : sameField(a, b); }

bool sameFields(const Entry& a, const Entry& b) {
    return a.name == b.name && a.elementName == b.elementName && sameProperties(a, b);
}

// The three-way rule: a side that kept the base yields to the other; differing changes conflict.
enum class Choice { ours, theirs, conflict };

Choice choose(bool oursIsTheirs, bool theirsIsBase, bool oursIsBase) {
    if (oursIsTheirs || theirsIsBase) return Choice::ours;
    return oursIsBase ? Choice::theirs : Choice::conflict;
}

class TreeMerge {
public:
    TreeMerge(Sides sides, std::vector<MergeConflict>& conflicts) : sides_(sides), conflicts_(conflicts) {}

    void run() {
        decideSurvivors();
        children_ = sides_.ours.children();
        for (auto& [parent, keys] : children_) {
            std::erase_if(keys, [&](const std::string& key) { return merged_.count(key) == 0; });
        }
        placeTheirs();
        adoptOrphans();
    }

    const std::vector<std::string>& childrenOf(const std::string& parent) const {
        static const std::vector<std::string> none;
        const auto found = children_.find(parent);
        return found == children_.end() ? none : found->second;
    }
    const MergedEntry& entry(const std::string& key) const { return merged_.at(key); }

private:
    void conflict(const Entry& entry, std::string property, std::string base, std::string ours, std::string theirs) {
        conflicts_.push_back(
            MergeConflict{entry.path, std::move(property), std::move(base), std::move(ours), std::move(theirs)});
    }

    void decideSurvivors() {
        for (const auto& entry : sides_.ours.entries) {
            const auto* base = sides_.base.find(entry.key);
            const auto* theirs = sides_.theirs.find(entry.key);
            // Most entries are untouched by their side: ours stands as it is, or goes as they removed it.
            if (base && (theirs ? sameFields(*base, *theirs) : sameFields(*base, entry))) {
                if (theirs) merged_.emplace(entry.key, MergedEntry::whole(entry));
                continue;
            }
            // The others are compared as this version writes them; an element that the reader
            // skips counts as absent.
            const auto* baseWritten = base ? sides_.baseDocument.normalised(*base) : nullptr;
            const auto* oursWritten = sides_.oursDocument.normalised(entry);
            const auto* theirsWritten = theirs ? sides_.theirsDocument.normalised(*theirs) : nullptr;
            if (oursWritten && theirsWritten) {
                merged_.emplace(entry.key, mergeEntry(baseWritten, *oursWritten, *theirsWritten));
            } else if (oursWritten || theirsWritten) {
                keepOneSided(baseWritten, oursWritten ? *oursWritten : *theirsWritten, !oursWritten);
            }
        }
        for (const auto& entry : sides_.theirs.entries) {
            if (sides_.ours.find(entry.key)) continue;
            const auto* base = sides_.base.find(entry.key);
            if (base && sameFields(*base, entry)) continue;
            if (const auto* theirsWritten = sides_.theirsDocument.normalised(entry)) {
                keepOneSided(base ? sides_.baseDocument.normalised(*base) : nullptr, *theirsWritten, true);
            }
        }
    }

    // An entry that only one side has: kept when that side added it, dropped when that side left
    // it as the base had it, kept and listed when that side changed what the other removed.
    void keepOneSided(const Entry* base, const Entry& entry, bool theirs) {
        if (base && sameFields(*base, entry)) return;
        if (base) conflict(entry, "item", "present", theirs ? "deleted" : "changed", theirs ? "changed" : "deleted");
        merged_.emplace(entry.key, MergedEntry::whole(entry));
        if (theirs) theirsToPlace_.insert(entry.key);
    }

    // Kind and name: plain texts, none for the base when the entry is new on both sides.
    bool pickText(const Entry& ours, const std::string& property,
                  const std::optional<std::string>& baseText, const std::string& oursText, const std::string& theirsText) {
        const auto choice = choose(oursText == theirsText, baseText == theirsText, baseText == oursText);
        if (choice == Choice::conflict) conflict(ours, property, baseText.value_or("(none)"), oursText, theirsText);
        return choice == Choice::theirs;
    }

    bool pickField(const Entry& ours, std::string_view property, pugi::xml_node base, pugi::xml_node oursField,
                   pugi::xml_node theirsField) {
        const auto choice = choose(sameOptionalField(oursField, theirsField), sameOptionalField(base, theirsField),
                                   sameOptionalField(base, oursField));
        if (choice == Choice::conflict) {
            const auto shown = [](pugi::xml_node field) { return field ? readableText(field) : std::string("(none)"); };
            conflict(ours, std::string(property), shown(base), shown(oursField), shown(theirsField));
        }
        return choice == Choice::theirs;
    }

    MergedEntry mergeEntry(const Entry* base, const Entry& ours, const Entry& theirs) {
        if (ours.elementName != theirs.elementName) {
            const std::optional<std::string> baseKind = base ? std::optional(base->elementName) : std::nullopt;
            const Entry& kept = pickText(ours, "kind", baseKind, ours.elementName, theirs.elementName) ? theirs : ours;
            return MergedEntry::whole(kept);
        }
        MergedEntry result{&ours, &ours.name, false, {}};
        if (pickText(ours, "name", base ? std::optional(base->name) : std::nullopt, ours.name, theirs.name)) {
            result.name = &theirs.name;
        }
        // Ours first, then fields only theirs has, then fields only the base had.
        std::vector<std::string_view> names;
        names.reserve(ours.properties.size());
        for (const auto& field : ours.properties) names.push_back(field.name);
        for (const auto& field : theirs.properties) {
            if (!ours.property(field.name)) names.push_back(field.name);
        }
        if (base) {
            for (const auto& field : base->properties) {
                if (std::find(names.begin(), names.end(), field.name) == names.end()) names.push_back(field.name);
            }
        }
        // The type, reference and step of one appearance's alias target name it together: when
        // any of them conflicts, the whole target stays ours.
        std::vector<bool> takeTheirs(names.size());
        std::array<bool, 4> targetConflicts{};
        for (std::size_t index = 0; index < names.size(); ++index) {
            const auto before = conflicts_.size();
            takeTheirs[index] = pickField(ours, names[index], nodeOf(base, names[index]), nodeOf(&ours, names[index]),
                                          nodeOf(&theirs, names[index]));
            if (const auto appearance = aliasTargetAppearance(names[index]); appearance && conflicts_.size() > before) {
                targetConflicts[*appearance] = true;
            }
        }
        result.fields.reserve(names.size());
        for (std::size_t index = 0; index < names.size(); ++index) {
            const auto appearance = aliasTargetAppearance(names[index]);
            const bool theirsWins = takeTheirs[index] && !(appearance && targetConflicts[*appearance]);
            const auto node = nodeOf(theirsWins ? &theirs : &ours, names[index]);
            if (node) result.fields.push_back(node);
        }
        return result;
    }

    // Entries that only their side added or moved go where that side put them: after the
    // sibling that precedes them there, or first when none does.
    void placeTheirs() {
        const auto movedByUs = movedKeys(sides_.base, sides_.ours);
        const std::unordered_set<std::string> oursMoved(movedByUs.begin(), movedByUs.end());
        for (const auto& key : movedKeys(sides_.base, sides_.theirs)) {
            if (merged_.count(key) != 0 && oursMoved.count(key) == 0) theirsToPlace_.insert(key);
        }
        if (theirsToPlace_.empty()) return;
        std::unordered_map<std::string, std::string> parentOf;
        for (const auto& [parent, keys] : children_) {
            for (const auto& key : keys) parentOf[key] = parent;
        }
        const auto theirsChildren = sides_.theirs.children();
        for (const auto& entry : sides_.theirs.entries) {
            if (theirsToPlace_.count(entry.key) == 0) continue;
            // Moves of both sides can cross (each puts one group into the other): ours stands.
            bool insideItself = false;
            for (std::string node = entry.parentKey; !node.empty() && !insideItself;) {
                insideItself = node == entry.key;
                const auto up = parentOf.find(node);
                if (up == parentOf.end()) break;
                node = up->second;
            }
            if (insideItself) {
                conflict(entry, "position", "(unchanged)", "kept", "inside its own descendant");
                continue;
            }
            if (const auto found = parentOf.find(entry.key); found != parentOf.end()) {
                std::erase(children_[found->second], entry.key);
            }
            auto& siblings = children_[entry.parentKey];
            auto at = siblings.begin();
            const auto& theirsSiblings = theirsChildren.at(entry.parentKey);
            const auto self = std::find(theirsSiblings.begin(), theirsSiblings.end(), entry.key);
            for (auto before = self; before != theirsSiblings.begin();) {
                --before;
                const auto found = std::find(siblings.begin(), siblings.end(), *before);
                if (found != siblings.end()) {
                    at = found + 1;
                    break;
                }
            }
            siblings.insert(at, entry.key);
            parentOf[entry.key] = entry.parentKey;
        }
    }

    // An entry whose parent did not survive (one side removed a group the other added to) is kept
    // at the top level rather than lost.
    void adoptOrphans() {
        std::vector<std::string> orphans;
        for (auto& [parent, keys] : children_) {
            if (parent.empty() || merged_.count(parent) != 0) continue;
            for (const auto& key : keys) {
                orphans.push_back(key);
                conflict(*merged_.at(key).primary, "group", "present", "(one side)", "deleted");
            }
            keys.clear();
        }
        auto& top = children_[std::string()];
        top.insert(top.end(), orphans.begin(), orphans.end());
    }

    Sides sides_;
    std::vector<MergeConflict>& conflicts_;
    std::unordered_map<std::string, MergedEntry> merged_;
    std::unordered_map<std::string, std::vector<std::string>> children_;
    std::unordered_set<std::string> theirsToPlace_;
};

// The merged entry under `key` and everything below it, in order. Groups may nest to any depth,
// so the entries still to write wait on a stack instead of in nested calls.
void appendEntry(const TreeMerge& merge, const std::string& key, pugi::xml_node parent, const char* nestedList) {
    struct Pending {
        const std::string* key;
        pugi::xml_node parent;
        const char* nestedList;
    };
    std::vector<Pending> pending{{&key, parent, nestedList}};
    while (!pending.empty()) {
        Pending next = pending.back();
        pending.pop_back();
        const auto& entry = merge.entry(*next.key);
        auto element = next.parent.append_child(entry.primary->elementName.c_str());
        const bool task = !next.nestedList && !isItemElement(entry.primary->elementName);
        if (!task) {
            if (const auto id = entry.primary->node.child("id")) element.append_copy(id);
        }
        element.append_child("name").text().set(entry.name->c_str());
        if (task) {
            if (const auto id = entry.primary->node.child("id")) element.append_copy(id);
        }
        if (entry.wholeEntry) {
            for (const auto& field : entry.primary->properties) element.append_copy(field.node);
        } else {
            for (const auto& field : entry.fields) element.append_copy(field);
        }
        auto children = next.nestedList ? element.append_child(next.nestedList) : element;
        // Last child first, so that the first is written first.
        const auto& childKeys = merge.childrenOf(*next.key);
        for (auto child = childKeys.rbegin(); child != childKeys.rend(); ++child) {
            pending.push_back({&*child, children, nullptr});
        }
    }
}

std::string mergeText(const std::string& base, const std::string& ours, const std::string& theirs,
                      const char* property, std::vector<MergeConflict>& conflicts) {
    switch (choose(ours == theirs, theirs == base, ours == base)) {
        case Choice::ours: return ours;
        case Choice::theirs: return theirs;
        case Choice::conflict: break;
    }
    conflicts.push_back(MergeConflict{{}, property, base, ours, theirs});
    return ours;
}

}  // namespace

MergeResult mergeDocuments(std::string_view baseBytes, std::string_view oursBytes, std::string_view theirsBytes) {
    MergeResult result;
    // Each side is parsed once; the comparison works on the parsed elements themselves.
    pugi::xml_document documents[3];
    const std::pair<std::string_view, const char*> sides[3] = {{baseBytes, "base"}, {oursBytes, "ours"}, {theirsBytes, "theirs"}};
    for (std::size_t side = 0; side < 3; ++side) {
        if (!format::parseDocumentXml(documents[side], sides[side].first)) {
            result.error = std::string("the ") + sides[side].second + " version is not a well-formed document";
            return result;
        }
    }
    // One side unchanged: the other side is the result, byte for byte.
    if (oursBytes == theirsBytes || theirsBytes == baseBytes) {
        result.bytes = oursBytes;
        return result;
    }
    if (oursBytes == baseBytes) {
        result.bytes = theirsBytes;
        return result;
    }

    const auto projectElement = [](const pugi::xml_document& document) {
        return document.document_element().child("project");
    };
    const DocumentIndex base(projectElement(documents[0]));
    const DocumentIndex ours(projectElement(documents[1]));
    const DocumentIndex theirs(projectElement(documents[2]));

    auto project = std::make_shared<QuenzColorProject>();
    project->setProjectDescription(
        mergeText(base.description(), ours.description(), theirs.description(), "description", result.conflicts));
    const auto oursSettings = settingsText(ours.settings());
    const auto settings = mergeText(settingsText(base.settings()), oursSettings, settingsText(theirs.settings()),
                                    "settings", result.conflicts);
    for (const auto& [key, value] : settings == oursSettings ? ours.settings() : theirs.settings()) {
        project->addSetting(key, value);
    }

    TreeMerge items({base.items(), ours.items(), theirs.items(), base, ours, theirs}, result.conflicts);
    TreeMerge buildGroups({base.buildGroups(), ours.buildGroups(), theirs.buildGroups(), base, ours, theirs},
                          result.conflicts);
    TreeMerge testGroups({base.testGroups(), ours.testGroups(), theirs.testGroups(), base, ours, theirs},
                         result.conflicts);
    items.run();
    buildGroups.run();
    testGroups.run();

    // The merged elements are read back through the document's own element readers, groups first
    // so that items find the groups they are assigned to; the writer then lays the result out
    // exactly as this version writes any document.
    pugi::xml_document elements;
    auto buildElement = elements.append_child("buildGroups");
    for (const auto& key : buildGroups.childrenOf({})) {
        appendEntry(buildGroups, key, buildElement, "tasks");
        project->appendBuildGroup(QuenzColorFileReader::readBuildGroup(buildElement.last_child(), false));
    }
    auto testElement = elements.append_child("testGroups");
    for (const auto& key : testGroups.childrenOf({})) {
        appendEntry(testGroups, key, testElement, "tests");
        project->appendTestGroup(QuenzColorFileReader::readTestGroup(testElement.last_child(), false));
    }
    auto itemsElement = elements.append_child("colorItems");
    std::vector<ProjectItemPtr> mergedItems;
    for (const auto& key : items.childrenOf({})) {
        appendEntry(items, key, itemsElement, nullptr);
        if (auto item = QuenzColorFileReader::readItem(itemsElement.last_child(), *project, false)) {
            mergedItems.push_back(std::move(item));
        }
    }
    project->setItems(std::move(mergedItems));
    project->linkReferences();
    const auto merged = QuenzColorFileWriter::write(*project);
    if (merged.error) {
        result.error = merged.error->message;
        return result;
    }
    result.bytes = merged.bytes;
    return result;
}

}  // namespace vantorel::compare
