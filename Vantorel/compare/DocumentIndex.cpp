#include "Vantorel/compare/DocumentIndex.h"

#include <algorithm>
#include <array>
#include <unordered_set>

#include "VantorelData/format/QuenzColorFileWriter.h"

namespace vantorel::compare {
namespace {

using format::QuenzColorFileWriter;

constexpr std::array<std::string_view, 13> itemElementNames = {
    "group",      "colorItem",   "alias",        "colorSet",   "numberItem", "numberAlias", "booleanItem",
    "booleanAlias", "stringItem", "stringAlias", "shadowItem", "shadowSet",  "shadowAlias"};

void appendCanonical(std::string& out, pugi::xml_node node) {
    if (node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata) {
        out += node.value();
        return;
    }
    if (node.type() != pugi::node_element) return;
    out += '<';
    out += node.name();
    for (auto attribute : node.attributes()) {
        out += ' ';
        out += attribute.name();
        out += "=\"";
        out += attribute.value();
        out += '"';
    }
    out += '>';
    for (auto child : node.children()) appendCanonical(out, child);
    out += "</";
    out += node.name();
    out += '>';
}

// A field's text: the plain text of a text-only element, the canonical markup of anything else.
std::string fieldText(pugi::xml_node node) {
    if (!node.find_child([](pugi::xml_node child) { return child.type() == pugi::node_element; })) {
        return node.child_value();
    }
    std::string out;
    appendCanonical(out, node);
    return out;
}

// Fields of an element: every child element except the identifier, the name and nested entries.
std::vector<Property> fieldsOf(pugi::xml_node node, std::string_view nestedName) {
    std::vector<Property> fields;
    for (auto child : node.children()) {
        if (child.type() != pugi::node_element) continue;
        const std::string_view name = child.name();
        if (name == "id" || name == "name" || name == nestedName || isItemElement(name)) continue;
        fields.push_back(Property{std::string(name), fieldText(child), child});
    }
    return fields;
}

std::string joined(const std::string& head, const std::string& tail) {
    return head.empty() ? tail : head + "/" + tail;
}

class EntryCollector {
public:
    explicit EntryCollector(EntryList& list) : list_(list) {}

    Entry& add(Entry entry) {
        // A key met before (a copied identifier, or two aliases of one name) gets a counted suffix,
        // so that every entry stays addressable.
        // An empty identifier (a build group read without one) must not read as "the top level".
        if (entry.key.empty()) entry.key = "(no identifier)";
        std::string key = entry.key;
        for (int count = 2; list_.byKey.count(key) != 0; ++count) key = entry.key + "#" + std::to_string(count);
        entry.key = std::move(key);
        list_.byKey.emplace(entry.key, list_.entries.size());
        list_.entries.push_back(std::move(entry));
        return list_.entries.back();
    }

private:
    EntryList& list_;
};

struct ItemWalk {
    EntryCollector collector;

    void walk(const std::vector<ProjectItemPtr>& items, pugi::xml_node parentElement, const Entry* parent) {
        std::size_t position = 0;
        auto element = parentElement.first_child();
        for (const auto& item : items) {
            while (element && !isItemElement(element.name())) element = element.next_sibling();
            if (!element) return;
            Entry entry;
            entry.parentKey = parent ? parent->key : std::string();
            entry.key = item->itemType() == ProjectItemType::colorAlias ||
                                item->itemType() == ProjectItemType::numberAlias ||
                                item->itemType() == ProjectItemType::booleanAlias ||
                                item->itemType() == ProjectItemType::stringAlias ||
                                item->itemType() == ProjectItemType::shadowAlias
                            ? entry.parentKey + "/" + item->name()
                            : item->uuid();
            entry.name = item->name();
            entry.elementName = element.name();
            entry.position = position++;
            entry.path = joined(parent ? parent->path : std::string(), item->name());
            const std::string namespaceName = parent ? parent->codeName : std::string();
            entry.codeName = joined(namespaceName, item->name());
            entry.properties = fieldsOf(element, {});
            entry.item = item;
            entry.node = element;
            Entry& added = collector.add(std::move(entry));
            if (const auto group = item->group()) {
                // Only a group that provides a namespace passes its name on to its descendants' code names.
                Entry context;
                context.key = added.key;
                context.path = added.path;
                context.codeName = group->providesNamespace() ? added.codeName : namespaceName;
                walk(group->items(), element, &context);
            }
            element = element.next_sibling();
        }
    }
};

template <class Group, class WriteGroup>
void collectGroups(EntryList& list, const std::vector<std::shared_ptr<Group>>& groups, pugi::xml_node parent,
                   WriteGroup writeGroup, const char* listName) {
    EntryCollector collector(list);
    std::size_t position = 0;
    for (const auto& group : groups) {
        const auto element = writeGroup(*group, parent);
        Entry entry{group->uuid(), group->name(), element.name(), {}, position++, group->name(), {}, {}, {}, element};
        entry.properties = fieldsOf(element, listName);
        const std::string groupKey = collector.add(std::move(entry)).key;
        std::size_t taskPosition = 0;
        for (auto task : element.child(listName).children()) {
            Entry taskEntry{task.child_value("id"), task.child_value("name"), task.name(), groupKey,
                            taskPosition++, group->name() + "/" + task.child_value("name"), {}, {}, {}, task};
            taskEntry.properties = fieldsOf(task, {});
            collector.add(std::move(taskEntry));
        }
    }
}

}  // namespace

std::string readableText(pugi::xml_node field) {
    std::size_t elementCount = 0;
    for (auto child : field.children()) elementCount += child.type() == pugi::node_element ? 1 : 0;
    if (elementCount == 0) return field.child_value();
    std::string text;
    for (auto child : field.children()) {
        if (child.type() != pugi::node_element) continue;
        if (!text.empty()) text += "; ";
        if (const auto type = child.attribute("type")) {
            text += std::string(type.value()) + ": ";
        } else if (elementCount > 1) {
            text += std::string(child.name()) + "=";
        }
        text += readableText(child);
    }
    return text;
}

std::string settingsText(const QuenzColorProject& project) {
    std::string text;
    for (const auto& setting : project.settings()) {
        if (!text.empty()) text += "; ";
        text += setting->key() + "=" + setting->value();
    }
    return text;
}

bool isItemElement(std::string_view elementName) {
    return std::find(itemElementNames.begin(), itemElementNames.end(), elementName) != itemElementNames.end();
}

const Property* Entry::property(const std::string& propertyName) const {
    for (const auto& field : properties) {
        if (field.name == propertyName) return &field;
    }
    return nullptr;
}

const Entry* EntryList::find(const std::string& key) const {
    const auto found = byKey.find(key);
    return found == byKey.end() ? nullptr : &entries[found->second];
}

std::unordered_map<std::string, std::vector<std::string>> EntryList::children() const {
    std::unordered_map<std::string, std::vector<std::string>> result;
    for (const auto& entry : entries) result[entry.parentKey].push_back(entry.key);
    return result;
}

DocumentIndex::DocumentIndex(QuenzColorProjectPtr project) : project_(std::move(project)) {
    auto root = document_.append_child("index");
    auto itemsElement = root.append_child("colorItems");
    for (const auto& item : project_->items()) QuenzColorFileWriter::writeItem(*item, itemsElement);
    std::size_t itemCount = 0;
    project_->forEachItem([&itemCount](const ProjectItemPtr&) { ++itemCount; });
    items_.entries.reserve(itemCount);
    items_.byKey.reserve(itemCount);
    ItemWalk{EntryCollector(items_)}.walk(project_->items(), itemsElement, nullptr);
    collectGroups(buildGroups_, project_->buildGroups(), root.append_child("buildGroups"),
                  [](const BuildGroup& group, pugi::xml_node parent) {
                      return QuenzColorFileWriter::writeBuildGroup(group, parent);
                  },
                  "tasks");
    collectGroups(testGroups_, project_->testGroups(), root.append_child("testGroups"),
                  [](const TestGroup& group, pugi::xml_node parent) {
                      return QuenzColorFileWriter::writeTestGroup(group, parent);
                  },
                  "tests");
}

std::string DocumentIndex::pathOf(const std::string& key) const {
    const auto* entry = items_.find(key);
    return entry ? entry->path : key;
}

std::vector<std::string> movedKeys(const EntryList& base, const EntryList& side) {
    std::vector<std::string> moved;
    std::unordered_map<std::string, std::vector<std::pair<std::size_t, std::string>>> stayed;  // parent → (base position, key)
    for (const auto& entry : side.entries) {
        const auto* before = base.find(entry.key);
        if (!before) continue;
        if (before->parentKey != entry.parentKey) {
            moved.push_back(entry.key);
        } else {
            stayed[entry.parentKey].emplace_back(before->position, entry.key);
        }
    }
    // Within one parent the longest run of siblings still in their old order stayed; the rest moved.
    for (const auto& parentAndSiblings : stayed) {
        const auto& siblings = parentAndSiblings.second;
        std::vector<std::size_t> tails;          // index into siblings of the smallest tail of each run length
        std::vector<std::size_t> previous(siblings.size(), siblings.size());
        for (std::size_t i = 0; i < siblings.size(); ++i) {
            const auto at = std::lower_bound(tails.begin(), tails.end(), siblings[i].first,
                                             [&](std::size_t index, std::size_t value) {
                                                 return siblings[index].first < value;
                                             });
            if (at != tails.begin()) previous[i] = *(at - 1);
            if (at == tails.end()) {
                tails.push_back(i);
            } else {
                *at = i;
            }
        }
        std::vector<bool> inOrder(siblings.size(), false);
        for (std::size_t i = tails.empty() ? siblings.size() : tails.back(); i < siblings.size(); i = previous[i]) {
            inOrder[i] = true;
        }
        for (std::size_t i = 0; i < siblings.size(); ++i) {
            if (!inOrder[i]) moved.push_back(siblings[i].second);
        }
    }
    return moved;
}

}  // namespace vantorel::compare
