#include "Vantorel/compare/DocumentIndex.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <tuple>

#include "VantorelData/format/QuenzColorFileReader.h"
#include "VantorelData/format/QuenzColorFileWriter.h"
#include "VantorelData/format/XmlReading.h"

namespace vantorel::compare {
namespace {

using format::QuenzColorFileReader;
using format::QuenzColorFileWriter;

constexpr std::array<std::string_view, 13> itemElementNames = {
    "group",      "colorItem",   "alias",        "colorSet",   "numberItem", "numberAlias", "booleanItem",
    "booleanAlias", "stringItem", "stringAlias", "shadowItem", "shadowSet",  "shadowAlias"};

constexpr std::array<std::string_view, 5> aliasElementNames = {"alias", "numberAlias", "booleanAlias", "stringAlias",
                                                                 "shadowAlias"};

bool isText(pugi::xml_node node) { return node.type() == pugi::node_pcdata || node.type() == pugi::node_cdata; }

bool hasChildElement(pugi::xml_node node) {
    for (auto child = node.first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_element) return true;
    }
    return false;
}

// The next child that holds content (an element or text), skipping comments and the like.
pugi::xml_node nextContent(pugi::xml_node node) {
    while (node && node.type() != pugi::node_element && !isText(node)) node = node.next_sibling();
    return node;
}

bool sameAttributes(pugi::xml_node a, pugi::xml_node b) {
    auto left = a.first_attribute();
    auto right = b.first_attribute();
    for (; left && right; left = left.next_attribute(), right = right.next_attribute()) {
        if (std::strcmp(left.name(), right.name()) != 0 || std::strcmp(left.value(), right.value()) != 0) return false;
    }
    return !left && !right;
}

// Two nodes alike in themselves, not counting children: texts by their text, elements by name,
// attributes and the text the parser kept inside the element when it was its only content.
bool sameNode(pugi::xml_node a, pugi::xml_node b) {
    if (isText(a) || isText(b)) return isText(a) && isText(b) && std::strcmp(a.value(), b.value()) == 0;
    return std::strcmp(a.name(), b.name()) == 0 && std::strcmp(a.value(), b.value()) == 0 && sameAttributes(a, b);
}

// One step of two walks taken together: both move on, neither can, or only one could (the trees differ).
enum class Step { moved, none, mismatch };

Step stepBoth(pugi::xml_node leftNext, pugi::xml_node rightNext, pugi::xml_node& left, pugi::xml_node& right) {
    if (!leftNext && !rightNext) return Step::none;
    if (!leftNext || !rightNext) return Step::mismatch;
    left = leftNext;
    right = rightNext;
    return Step::moved;
}

// Elements alike in name, attributes, text and children, in order. Both trees are walked in step
// without recursion, as a field of a hostile file may nest to any depth.
bool sameElement(pugi::xml_node a, pugi::xml_node b) {
    pugi::xml_node left = a;
    pugi::xml_node right = b;
    while (true) {
        if (!sameNode(left, right)) return false;
        auto step = stepBoth(nextContent(left.first_child()), nextContent(right.first_child()), left, right);
        // Without children: on to the next sibling, climbing until one has one or the root is reached.
        while (step == Step::none && left != a) {
            step = stepBoth(nextContent(left.next_sibling()), nextContent(right.next_sibling()), left, right);
            if (step == Step::none) {
                left = left.parent();
                right = right.parent();
            }
        }
        if (step != Step::moved) return step == Step::none;
    }
}

// An element's identifier and name, and its fields: every child element except those two and
// nested entries. One pass over the children.
struct ElementParts {
    pugi::xml_node idElement;
    pugi::xml_node nameElement;
    std::vector<Property> fields;

    const char* id() const { return idElement.child_value(); }  // "" for a missing element
    const char* name() const { return nameElement.child_value(); }
};

ElementParts partsOf(pugi::xml_node node, std::string_view nestedName) {
    ElementParts parts;
    for (auto child = node.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element) continue;
        const std::string_view name = child.name();
        if (name == "id") {
            if (!parts.idElement) parts.idElement = child;
        } else if (name == "name") {
            if (!parts.nameElement) parts.nameElement = child;
        } else if (name != nestedName && !isItemElement(name)) {
            parts.fields.push_back(Property{name, child});
        }
    }
    return parts;
}

// Paths and code names name a place for people and compare namespaces; a hostile file nesting
// groups thousands deep must not make them grow with the square of the depth, so past this
// length the deeper names are left out.
constexpr std::size_t maxJoinedLength = 1024;
constexpr std::string_view elidedTail = "/…";

std::string joined(const std::string& head, std::string_view tail) {
    if (head.ends_with(elidedTail)) return head;
    std::string path;
    path.reserve(head.size() + 1 + tail.size());
    if (!head.empty()) (path += head) += '/';
    path += tail;
    if (path.size() > maxJoinedLength) {
        path.resize(maxJoinedLength - elidedTail.size());
        // Never end on half a character.
        while (!path.empty() && (static_cast<unsigned char>(path.back()) & 0xC0) == 0x80) path.pop_back();
        if (!path.empty() && static_cast<unsigned char>(path.back()) >= 0xC0) path.pop_back();
        path += elidedTail;
    }
    return path;
}

class EntryCollector {
public:
    explicit EntryCollector(EntryList& list) : list_(list) {}

    Entry& add(Entry entry) {
        // A key met before (a copied identifier, or two aliases of one name) gets a counted suffix,
        // so that every entry stays addressable.
        // An empty identifier (a build group read without one) must not read as "the top level".
        if (entry.key.empty()) entry.key = "(no identifier)";
        auto [slot, fresh] = list_.byKey.try_emplace(entry.key, list_.entries.size());
        for (int count = 2; !fresh; ++count) {
            std::tie(slot, fresh) = list_.byKey.try_emplace(entry.key + "#" + std::to_string(count), list_.entries.size());
        }
        entry.key = slot->first;
        list_.entries.push_back(std::move(entry));
        return list_.entries.back();
    }

private:
    EntryList& list_;
};

// Item elements in document order, groups before their children. With the model's items beside
// the elements (the writer wrote one element per item), each entry also holds its item. Groups
// are entered through a stack of their own, not by recursion: a file may nest them to any depth.
struct ItemWalk {
    EntryCollector collector;

    struct Level {
        pugi::xml_node element;  // the next child to look at
        const std::vector<ProjectItemPtr>* modelItems;
        std::size_t position;
        std::size_t contextIndex;  // into contexts; npos at the top level
    };

    void walk(pugi::xml_node itemsElement, const std::vector<ProjectItemPtr>* modelItems) {
        // Contexts stay put while deeper levels push more, so the levels refer to them by index.
        std::vector<Entry> contexts;
        std::vector<Level> levels{{itemsElement.first_child(), modelItems, 0, std::string::npos}};
        while (!levels.empty()) {
            Level& level = levels.back();
            if (!level.element) {
                if (level.contextIndex != std::string::npos) contexts.pop_back();
                levels.pop_back();
                continue;
            }
            const pugi::xml_node element = level.element;
            level.element = element.next_sibling();
            if (element.type() != pugi::node_element) continue;
            const std::string_view elementName = element.name();
            if (!isItemElement(elementName)) continue;
            const Entry* parent = level.contextIndex == std::string::npos ? nullptr : &contexts[level.contextIndex];
            auto parts = partsOf(element, {});
            Entry entry;
            entry.parentKey = parent ? parent->key : std::string();
            entry.name = parts.name();
            const bool alias =
                std::find(aliasElementNames.begin(), aliasElementNames.end(), elementName) != aliasElementNames.end();
            entry.key = alias ? entry.parentKey + "/" + entry.name : std::string(parts.id());
            entry.elementName = elementName;
            entry.position = level.position;
            entry.path = joined(parent ? parent->path : std::string(), entry.name);
            const std::string namespaceName = parent ? parent->codeName : std::string();
            entry.codeName = joined(namespaceName, entry.name);
            entry.properties = std::move(parts.fields);
            if (level.modelItems && level.position < level.modelItems->size()) {
                entry.item = (*level.modelItems)[level.position];
            }
            entry.node = element;
            ++level.position;
            const Entry& added = collector.add(std::move(entry));
            if (elementName != "group") continue;
            // Only a group that provides a namespace passes its name on to its descendants' code names.
            Entry context;
            context.key = added.key;
            context.path = added.path;
            context.codeName = format::childTextIs(element, "namespace", "1") ? added.codeName : namespaceName;
            const auto group = added.item ? added.item->group() : nullptr;
            contexts.push_back(std::move(context));
            levels.push_back({element.first_child(), group ? &group->items() : nullptr, 0, contexts.size() - 1});
        }
    }
};

// The list element that holds a group's tasks or tests, which are entries of their own.
std::string_view nestedListOf(std::string_view elementName) {
    if (elementName == "buildGroup") return "tasks";
    if (elementName == "testGroup") return "tests";
    return {};
}

void collectGroups(EntryList& list, pugi::xml_node groupsElement, const char* groupName, const char* listName) {
    EntryCollector collector(list);
    std::size_t position = 0;
    for (auto element : groupsElement.children(groupName)) {
        auto parts = partsOf(element, listName);
        const std::string groupPath = parts.name();
        Entry entry{parts.id(), groupPath, element.name(), {}, position++, groupPath, {}, std::move(parts.fields), {}, element};
        const std::string groupKey = collector.add(std::move(entry)).key;
        std::size_t taskPosition = 0;
        for (auto task = element.child(listName).first_child(); task; task = task.next_sibling()) {
            if (task.type() != pugi::node_element) continue;
            auto taskParts = partsOf(task, {});
            Entry taskEntry{taskParts.id(), taskParts.name(), task.name(), groupKey, taskPosition++,
                            groupPath + "/" + taskParts.name(), {}, std::move(taskParts.fields), {}, task};
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

std::string settingsText(const SettingList& settings) {
    std::string text;
    for (const auto& [key, value] : settings) {
        if (!text.empty()) text += "; ";
        text += key + "=" + value;
    }
    return text;
}

bool sameField(pugi::xml_node a, pugi::xml_node b) {
    const bool nestedA = hasChildElement(a);
    const bool nestedB = hasChildElement(b);
    if (!nestedA && !nestedB) return std::strcmp(a.child_value(), b.child_value()) == 0;
    return nestedA == nestedB && sameElement(a, b);
}

bool sameProperties(const Entry& a, const Entry& b) {
    if (a.properties.size() != b.properties.size()) return false;
    for (std::size_t index = 0; index < a.properties.size(); ++index) {
        if (a.properties[index].name != b.properties[index].name ||
            !sameField(a.properties[index].node, b.properties[index].node)) {
            return false;
        }
    }
    return true;
}

bool isItemElement(std::string_view elementName) {
    return std::find(itemElementNames.begin(), itemElementNames.end(), elementName) != itemElementNames.end();
}

const Property* Entry::property(std::string_view propertyName) const {
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

DocumentIndex::DocumentIndex(QuenzColorProjectPtr project)
    : project_(std::move(project)), description_(project_->projectDescription()) {
    for (const auto& setting : project_->settings()) settings_.emplace_back(setting->key(), setting->value());
    auto root = document_.append_child("project");
    auto itemsElement = root.append_child("colorItems");
    for (const auto& item : project_->items()) QuenzColorFileWriter::writeItem(*item, itemsElement);
    auto buildGroupsElement = root.append_child("buildGroups");
    for (const auto& group : project_->buildGroups()) QuenzColorFileWriter::writeBuildGroup(*group, buildGroupsElement);
    auto testGroupsElement = root.append_child("testGroups");
    for (const auto& group : project_->testGroups()) QuenzColorFileWriter::writeTestGroup(*group, testGroupsElement);
    collectItems(itemsElement, &project_->items());
    collectGroups(buildGroups_, buildGroupsElement, "buildGroup", "tasks");
    collectGroups(testGroups_, testGroupsElement, "testGroup", "tests");
}

DocumentIndex::DocumentIndex(pugi::xml_node projectElement) : projectElement_(projectElement) {
    // The document's description and settings, by the reader's rules: a setting needs both texts.
    if (const auto description = format::childText(projectElement.child("header"), "description")) {
        description_ = *description;
    }
    for (auto setting : projectElement.child("settings").children("setting")) {
        const auto key = format::childText(setting, "key");
        const auto value = format::childText(setting, "value");
        if (key && value) settings_.emplace_back(*key, *value);
    }
    collectItems(projectElement.child("colorItems"), nullptr);
    collectGroups(buildGroups_, projectElement.child("buildGroups"), "buildGroup", "tasks");
    collectGroups(testGroups_, projectElement.child("testGroups"), "testGroup", "tests");
}

void DocumentIndex::collectItems(pugi::xml_node itemsElement, const std::vector<ProjectItemPtr>* modelItems) {
    // Sized for every item of the tree, so that the list never moves while it fills.
    std::size_t itemCount = 0;
    for (auto node = itemsElement.first_child(); node && node != itemsElement;) {
        if (node.type() == pugi::node_element && isItemElement(node.name())) ++itemCount;
        if (node.first_child() && std::strcmp(node.name(), "group") == 0) {
            node = node.first_child();
            continue;
        }
        while (node != itemsElement && !node.next_sibling()) node = node.parent();
        if (node != itemsElement) node = node.next_sibling();
    }
    items_.entries.reserve(itemCount);
    items_.byKey.reserve(itemCount);
    ItemWalk{EntryCollector(items_)}.walk(itemsElement, modelItems);
}

const Entry* DocumentIndex::normalised(const Entry& entry) const {
    if (project_) return &entry;
    auto [slot, fresh] = normalised_.try_emplace(&entry);
    if (!fresh) return slot->second.get();
    const auto written = rewritten(entry);
    if (!written) return nullptr;
    auto parts = partsOf(written, nestedListOf(entry.elementName));
    slot->second = std::make_unique<Entry>(Entry{entry.key, parts.name(), entry.elementName, entry.parentKey,
                                                 entry.position, entry.path, entry.codeName, std::move(parts.fields),
                                                 nullptr, written});
    return slot->second.get();
}

// The entry's element through the reader and back through the writer: its own fields only, as
// nested entries are entries of their own.
pugi::xml_node DocumentIndex::rewritten(const Entry& entry) const {
    if (!scratch_.first_child()) {
        scratch_.append_child("read");
        scratch_.append_child("written");
    }
    const std::string_view kind = entry.elementName;
    const std::string_view nested = nestedListOf(kind);
    auto copy = scratch_.first_child().append_child(entry.node.name());
    for (auto child = entry.node.first_child(); child; child = child.next_sibling()) {
        if (child.type() == pugi::node_element && (child.name() == nested || isItemElement(child.name()))) continue;
        copy.append_copy(child);
    }
    const auto out = scratch_.last_child();
    if (kind == "buildGroup") return QuenzColorFileWriter::writeBuildGroup(*QuenzColorFileReader::readBuildGroup(copy, false), out);
    if (kind == "testGroup") return QuenzColorFileWriter::writeTestGroup(*QuenzColorFileReader::readTestGroup(copy, false), out);
    if (kind == "task") {
        const auto task = QuenzColorFileReader::readBuildTask(copy, false);
        return task ? QuenzColorFileWriter::writeBuildTask(**task, out) : pugi::xml_node();
    }
    if (kind == "test") {
        const auto test = QuenzColorFileReader::readTestTask(copy, false);
        return test ? QuenzColorFileWriter::writeTestTask(**test, out) : pugi::xml_node();
    }
    if (!groups_) {
        // Items find the build and test groups they are assigned to by identifier.
        groups_ = std::make_shared<QuenzColorProject>();
        std::vector<BuildGroupPtr> buildGroups;
        for (auto group : projectElement_.child("buildGroups").children("buildGroup")) {
            buildGroups.push_back(QuenzColorFileReader::readBuildGroup(group, false));
        }
        groups_->setBuildGroups(std::move(buildGroups));
        std::vector<TestGroupPtr> testGroups;
        for (auto group : projectElement_.child("testGroups").children("testGroup")) {
            testGroups.push_back(QuenzColorFileReader::readTestGroup(group, false));
        }
        groups_->setTestGroups(std::move(testGroups));
    }
    const auto item = QuenzColorFileReader::readItem(copy, *groups_, false);
    return item ? QuenzColorFileWriter::writeItem(*item, out) : pugi::xml_node();
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
