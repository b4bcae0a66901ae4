#include "Vantorel/compare/DocumentMerge.h"

#include <pugixml.hpp>

#include <algorithm>
#include <functional>
#include <unordered_map>
#include <unordered_set>

#include "Vantorel/compare/DocumentIndex.h"
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
};

// One entry of the result: the side whose element gives its kind and identifier, and its fields.
struct MergedEntry {
    const Entry* primary = nullptr;
    std::string name;
    std::vector<pugi::xml_node> fields;
};

std::optional<std::string> textOf(const Entry* entry, const std::string& field) {
    if (!entry) return std::nullopt;
    const auto* property = entry->property(field);
    return property ? std::optional(property->text) : std::nullopt;
}

pugi::xml_node nodeOf(const Entry* entry, const std::string& field) {
    const auto* property = entry ? entry->property(field) : nullptr;
    return property ? property->node : pugi::xml_node();
}

bool sameFields(const Entry& a, const Entry& b) {
    if (a.name != b.name || a.elementName != b.elementName || a.properties.size() != b.properties.size()) return false;
    for (std::size_t index = 0; index < a.properties.size(); ++index) {
        if (a.properties[index].name != b.properties[index].name || a.properties[index].text != b.properties[index].text) {
            return false;
        }
    }
    return true;
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
            if (theirs) {
                merged_.emplace(entry.key, mergeEntry(base, entry, *theirs));
            } else if (!base) {
                merged_.emplace(entry.key, MergedEntry{&entry, entry.name, nodesOf(entry)});
            } else if (!sameFields(*base, entry)) {
                conflict(entry, "item", "present", "changed", "deleted");
                merged_.emplace(entry.key, MergedEntry{&entry, entry.name, nodesOf(entry)});
            }
        }
        for (const auto& entry : sides_.theirs.entries) {
            if (sides_.ours.find(entry.key)) continue;
            const auto* base = sides_.base.find(entry.key);
            if (!base) {
                merged_.emplace(entry.key, MergedEntry{&entry, entry.name, nodesOf(entry)});
                theirsToPlace_.insert(entry.key);
            } else if (!sameFields(*base, entry)) {
                conflict(entry, "item", "present", "deleted", "changed");
                merged_.emplace(entry.key, MergedEntry{&entry, entry.name, nodesOf(entry)});
                theirsToPlace_.insert(entry.key);
            }
        }
    }

    static std::vector<pugi::xml_node> nodesOf(const Entry& entry) {
        std::vector<pugi::xml_node> nodes;
        for (const auto& field : entry.properties) nodes.push_back(field.node);
        return nodes;
    }

    void pick(const Entry* baseEntry, const Entry& ours, const Entry* theirsEntry, const std::string& property, const std::optional<std::string>& base,
                     const std::optional<std::string>& oursText, const std::optional<std::string>& theirsText,
                     bool& takeTheirs) {
        takeTheirs = false;
        if (oursText == theirsText || theirsText == base) return;
        if (oursText == base) {
            takeTheirs = true;
            return;
        }
        const auto shown = [&](const Entry* side, const std::optional<std::string>& text) {
            if (!text) return std::string("(none)");
            const auto node = nodeOf(side, property);
            return node ? readableText(node) : *text;
        };
        conflict(ours, property, shown(baseEntry, base), shown(&ours, oursText), shown(theirsEntry, theirsText));
    }

    MergedEntry mergeEntry(const Entry* base, const Entry& ours, const Entry& theirs) {
        bool takeTheirs = false;
        if (ours.elementName != theirs.elementName) {
            const std::optional<std::string> baseKind = base ? std::optional(base->elementName) : std::nullopt;
            pick(base, ours, &theirs, "kind", baseKind, ours.elementName, theirs.elementName, takeTheirs);
            const Entry& whole = takeTheirs ? theirs : ours;
            return MergedEntry{&whole, whole.name, nodesOf(whole)};
        }
        MergedEntry result{&ours, ours.name, {}};
        pick(base, ours, &theirs, "name", base ? std::optional(base->name) : std::nullopt, ours.name, theirs.name, takeTheirs);
        if (takeTheirs) result.name = theirs.name;

        std::vector<std::string> names;
        for (const auto& field : ours.properties) names.push_back(field.name);
        for (const auto& field : theirs.properties) {
            if (!ours.property(field.name)) names.push_back(field.name);
        }
        if (base) {
            for (const auto& field : base->properties) {
                if (std::find(names.begin(), names.end(), field.name) == names.end()) names.push_back(field.name);
            }
        }
        for (const auto& name : names) {
            pick(base, ours, &theirs, name, textOf(base, name), textOf(&ours, name), textOf(&theirs, name), takeTheirs);
            const auto node = takeTheirs ? nodeOf(&theirs, name) : nodeOf(&ours, name);
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

void appendEntry(const TreeMerge& merge, const std::string& key, pugi::xml_node parent, const char* nestedList) {
    const auto& entry = merge.entry(key);
    auto element = parent.append_child(entry.primary->elementName.c_str());
    const bool task = !nestedList && !isItemElement(entry.primary->elementName);
    if (!task) {
        if (const auto id = entry.primary->node.child("id")) element.append_copy(id);
    }
    element.append_child("name").text().set(entry.name.c_str());
    if (task) {
        if (const auto id = entry.primary->node.child("id")) element.append_copy(id);
    }
    for (const auto& field : entry.fields) element.append_copy(field);
    auto children = nestedList ? element.append_child(nestedList) : element;
    for (const auto& child : merge.childrenOf(key)) appendEntry(merge, child, children, nullptr);
}

std::string mergeText(const std::string& base, const std::string& ours, const std::string& theirs,
                      const char* property, std::vector<MergeConflict>& conflicts) {
    if (ours == theirs || theirs == base) return ours;
    if (ours == base) return theirs;
    conflicts.push_back(MergeConflict{{}, property, base, ours, theirs});
    return ours;
}

const QuenzColorProject& settingsSource(const std::string& chosen, const QuenzColorProject& ours,
                                        const QuenzColorProject& theirs) {
    return settingsText(ours) == chosen ? ours : theirs;
}

}  // namespace

MergeResult mergeDocuments(std::string_view baseBytes, std::string_view oursBytes, std::string_view theirsBytes) {
    MergeResult result;
    for (const auto& [bytes, side] : {std::pair{baseBytes, "base"}, {oursBytes, "ours"}, {theirsBytes, "theirs"}}) {
        if (!QuenzColorFileReader::isWellFormed(bytes)) {
            result.error = std::string("the ") + side + " version is not a well-formed document";
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

    const DocumentIndex base(QuenzColorFileReader::read(baseBytes));
    const DocumentIndex ours(QuenzColorFileReader::read(oursBytes));
    const DocumentIndex theirs(QuenzColorFileReader::read(theirsBytes));

    auto project = std::make_shared<QuenzColorProject>();
    project->setProjectDescription(mergeText(base.project().projectDescription(), ours.project().projectDescription(),
                                             theirs.project().projectDescription(), "description", result.conflicts));
    const auto settings = mergeText(settingsText(base.project()), settingsText(ours.project()),
                                    settingsText(theirs.project()), "settings", result.conflicts);
    for (const auto& setting : settingsSource(settings, ours.project(), theirs.project()).settings()) {
        project->addSetting(setting->key(), setting->value());
    }

    TreeMerge items({base.items(), ours.items(), theirs.items()}, result.conflicts);
    TreeMerge buildGroups({base.buildGroups(), ours.buildGroups(), theirs.buildGroups()}, result.conflicts);
    TreeMerge testGroups({base.testGroups(), ours.testGroups(), theirs.testGroups()}, result.conflicts);
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
