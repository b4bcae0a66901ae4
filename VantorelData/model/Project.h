#pragma once
// QuenzColorProject: the root of a document: the item tree, the build and test groups and the
// document's settings, with lookups by identifier and by position, alias linking, and the
// lists builders and testers walk.

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "VantorelData/model/BuildGroup.h"
#include "VantorelData/model/DocumentSetting.h"
#include "VantorelData/model/Observable.h"
#include "VantorelData/model/ProjectItem.h"
#include "VantorelData/model/ProjectOptions.h"
#include "VantorelData/model/TestTask.h"
#include "VantorelData/model/Uuid.h"

namespace vantorel {

// The position of an item in the tree: its top-level index, then its index inside each
// enclosing group.
using ItemPath = std::vector<std::size_t>;

struct ResolvedAliasTarget {
    ProjectItemPtr item;
    std::optional<int> index;
};

class QuenzColorProject : public Observable {
public:
    explicit QuenzColorProject(std::string name = {}, std::string uuid = makeUuid())
        : uuid_(std::move(uuid)), name_(std::move(name)) {}

    const std::string& uuid() const { return uuid_; }
    const std::string& name() const { return name_; }
    const std::string& projectDescription() const { return projectDescription_; }
    const std::vector<ProjectItemPtr>& items() const { return items_; }
    const std::vector<BuildGroupPtr>& buildGroups() const { return buildGroups_; }
    const std::vector<TestGroupPtr>& testGroups() const { return testGroups_; }
    const std::vector<DocumentSettingPtr>& settings() const { return settings_; }
    const std::string& searchFilter() const { return searchFilter_; }

    void setName(std::string name) { update(name_, std::move(name), PropertyId::name); }
    void setProjectDescription(std::string text) {
        update(projectDescription_, std::move(text), PropertyId::projectDescription);
    }
    void setItems(std::vector<ProjectItemPtr> items) { update(items_, std::move(items), PropertyId::items); }
    void setBuildGroups(std::vector<BuildGroupPtr> groups) {
        update(buildGroups_, std::move(groups), PropertyId::buildGroups);
    }
    void setTestGroups(std::vector<TestGroupPtr> groups) {
        update(testGroups_, std::move(groups), PropertyId::testGroups);
    }
    void setSettings(std::vector<DocumentSettingPtr> settings) {
        update(settings_, std::move(settings), PropertyId::settings);
    }
    void setSearchFilter(std::string filter) { update(searchFilter_, std::move(filter), PropertyId::searchFilter); }
    void appendBuildGroup(BuildGroupPtr group);
    void appendTestGroup(TestGroupPtr group);

    // Settings: the first with the key; appending one; changing the first value or appending.
    DocumentSettingPtr setting(std::string_view key) const;
    void addSetting(std::string key, std::string value);
    void setSettingValue(std::string_view key, std::string value);
    // How the items are shown, kept in the "DisplayMode" setting.
    AppContentMode displayMode() const;
    void setDisplayMode(AppContentMode mode);

    // The first item with this identifier, depth first: an item before its group's children,
    // a group's children before the next top-level item.
    ProjectItemPtr itemWithId(const Identifier& uuid) const;
    std::optional<ItemPath> indexPath(const Identifier& uuid) const;
    ProjectItemPtr itemAtPath(const ItemPath& path) const;
    // Inserts the items, in order: into the group that the path's parent names, at the path's
    // last index (clamped); otherwise into the top level at that index (0 for an empty path);
    // without a path at the end of the top level.
    void insert(const std::vector<ProjectItemPtr>& items, const std::optional<ItemPath>& path = std::nullopt);

    // Visits every item depth first, a group before its children.
    void forEachItem(const std::function<void(const ProjectItemPtr&)>& visit) const;

    // Rebuilds every alias's resolved references from its stored targets.
    void linkReferences();
    ResolvedAliasTarget resolveAliasTarget(const AliasSetType& target) const;
    ProjectItemPtr resolveAliasTarget(const ItemAliasType& target) const;
    ThemeableColor resolvedColor(const QuenzColorAlias& alias) const { return alias.resolvedColor(); }
    ThemeableShadow resolvedValue(const QuenzColorShadowAlias& alias) const { return alias.resolvedValue(); }
    ThemeableNumber resolvedValue(const QuenzColorNumberAlias& alias) const { return alias.resolvedValue(); }
    ThemeableBoolean resolvedValue(const QuenzColorBooleanAlias& alias) const { return alias.resolvedValue(); }
    ThemeableString resolvedValue(const QuenzColorStringAlias& alias) const { return alias.resolvedValue(); }

    // The items (groups included) assigned to the group, depth first; compared by identifier.
    std::vector<ProjectItemPtr> itemsInBuildGroup(const BuildGroup& group) const;
    std::vector<ProjectItemPtr> itemsInTestGroup(const TestGroup& group) const;

    // The number of items of each kind in the whole tree.
    QuenzColorProjectStatistics statistics() const;

private:
    std::string uuid_;
    std::string name_;
    std::string projectDescription_;
    std::vector<ProjectItemPtr> items_;
    std::vector<BuildGroupPtr> buildGroups_;
    std::vector<TestGroupPtr> testGroups_;
    std::vector<DocumentSettingPtr> settings_;
    std::string searchFilter_;
};

using QuenzColorProjectPtr = std::shared_ptr<QuenzColorProject>;

}  // namespace vantorel
