#pragma once
// A document laid out for comparison: every item, build group, build task, test group and test
// task under a stable key, with its fields as elements of the document format. Comparing elements
// field by field means a field added to the format is compared without touching this code.

#include <pugixml.hpp>

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "VantorelData/model/Project.h"

namespace vantorel::compare {

struct Property {
    std::string_view name;  // the field's element name ("color", "format", "buildGroupId", …)
    pugi::xml_node node;
};

struct Entry {
    std::string key;        // the identifier; aliases, which keep none in the file, get parent + name
    std::string name;
    std::string elementName;  // the kind as the format names it ("colorItem", "task", …)
    std::string parentKey;  // empty at the top level
    std::size_t position = 0;  // among its parent's children
    std::string path;       // names from the top level down, joined with "/"
    std::string codeName;   // the names that reach generated code: namespace groups and the item's own
    std::vector<Property> properties;
    ProjectItemPtr item;    // only when indexed from a project; null for groups and tasks of the configuration
    pugi::xml_node node;

    const Property* property(std::string_view propertyName) const;
};

// One list of entries of one sort (items, build groups, …) in document order.
struct EntryList {
    std::vector<Entry> entries;
    std::unordered_map<std::string, std::size_t> byKey;

    const Entry* find(const std::string& key) const;
    // Child keys of each parent key, in order.
    std::unordered_map<std::string, std::vector<std::string>> children() const;
};

using SettingList = std::vector<std::pair<std::string, std::string>>;

class DocumentIndex {
public:
    // A project as the writer lays it out, each item entry holding its model item.
    explicit DocumentIndex(QuenzColorProjectPtr project);
    // The `project` element of a parsed document, as the file has it; the document must outlive
    // the index. What the reader skips or fills in is left to the reader of the merged result.
    explicit DocumentIndex(pugi::xml_node projectElement);
    DocumentIndex(const DocumentIndex&) = delete;
    DocumentIndex& operator=(const DocumentIndex&) = delete;

    const std::string& description() const { return description_; }
    const SettingList& settings() const { return settings_; }
    const EntryList& items() const { return items_; }
    const EntryList& buildGroups() const { return buildGroups_; }  // tasks are children of their group
    const EntryList& testGroups() const { return testGroups_; }
    // Path of an item for messages; the key itself when the item is unknown.
    std::string pathOf(const std::string& key) const;

    // An entry of this index with its fields as this version writes them (a file may spell a value
    // otherwise, "0.0" for "0"), read and written again on first request; null when the reader
    // cannot read the element and would skip it. Entries indexed from a project are returned as
    // they are.
    const Entry* normalised(const Entry& entry) const;

private:
    void collectItems(pugi::xml_node itemsElement, const std::vector<ProjectItemPtr>* modelItems);
    pugi::xml_node rewritten(const Entry& entry) const;

    QuenzColorProjectPtr project_;
    pugi::xml_document document_;
    pugi::xml_node projectElement_;
    // What normalising needs: the build and test groups items are assigned to, scratch elements,
    // and the normalised entries (null for elements the reader skips).
    mutable QuenzColorProjectPtr groups_;
    mutable pugi::xml_document scratch_;
    mutable std::unordered_map<const Entry*, std::unique_ptr<Entry>> normalised_;
    std::string description_;
    SettingList settings_;
    EntryList items_;
    EntryList buildGroups_;
    EntryList testGroups_;
};

// Whether two fields hold the same content: the text of text-only fields, element by element
// (names, attributes and text) for nested ones.
bool sameField(pugi::xml_node a, pugi::xml_node b);

// Whether two entries have the same fields, in the same order, with the same content.
bool sameProperties(const Entry& a, const Entry& b);

// A field's content for people: plain text as it is, nested fields as "name=value" pieces and
// appearance variants as "dark: value", joined with "; ".
std::string readableText(pugi::xml_node field);

// Settings as "key=value" pieces, in order.
std::string settingsText(const SettingList& settings);

// True for the element names of items (the group's children), as opposed to fields.
bool isItemElement(std::string_view elementName);

// Keys of the entries of `side` that sit elsewhere than in `base`: under another parent, or out of
// order among the siblings both share (the fewest items that explain the new order).
std::vector<std::string> movedKeys(const EntryList& base, const EntryList& side);

}  // namespace vantorel::compare
