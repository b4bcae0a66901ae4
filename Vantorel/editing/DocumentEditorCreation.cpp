// Creation of new items, groups, build and test records. Every new object gets a fresh
// identifier and becomes the selection once the transaction has finished.

#include "Vantorel/editing/DocumentEditor.h"

#include <utility>

#include "QuenzColorUtils/ColorOperations.h"
#include "Vantorel/editing/ItemTreeEditing.h"
#include "Vantorel/editing/SelectionManager.h"

namespace vantorel {
namespace {

quenz::ColorValue randomNewColor(const NewColorDefaults& defaults) {
    const quenz::QCUColor drawn = quenz::randomColor(defaults.algorithm, defaults.colorSpace);
    if (const auto value = drawn.colorValue()) return *value;
    return quenz::plainRandomColor();
}

// The dark end of a new ramp: the same hue and chroma at a low OKLCH lightness.
quenz::ColorValue darkCounterpart(const quenz::ColorValue& color) {
    if (const auto lch = quenz::toOKLCH(color)) {
        quenz::OKLCHValues dark = *lch;
        dark.lightness = 0.3;
        if (const auto converted = quenz::convert(quenz::fromOKLCH(dark), color.space)) return *converted;
    }
    return quenz::ColorValue{color.space, 0, 0, 0, color.alpha, 0};
}


// The stored target of an alias of `family` pointing at `target`; none when it cannot.
std::optional<AliasSetType> setAliasTarget(ProjectItemType family, const QuenzColorProjectItem& target) {
    const ProjectItemType kind = target.itemType();
    if (family == ProjectItemType::colorAlias) {
        if (kind == ProjectItemType::color) return AliasSetType::item(target.uuid());
        if (kind == ProjectItemType::colorSet) return AliasSetType::set(target.uuid());
    } else if (family == ProjectItemType::shadowAlias) {
        if (kind == ProjectItemType::shadow) return AliasSetType::item(target.uuid());
        if (kind == ProjectItemType::shadowSet) return AliasSetType::set(target.uuid());
    }
    return std::nullopt;
}

bool takesItemAlias(ProjectItemType family, ProjectItemType kind) {
    return (family == ProjectItemType::numberAlias && kind == ProjectItemType::number) ||
           (family == ProjectItemType::booleanAlias && kind == ProjectItemType::boolean) ||
           (family == ProjectItemType::stringAlias && kind == ProjectItemType::string);
}

// A new alias of the family with the light appearance pointing at `target` (or at nothing).
ProjectItemPtr makeAlias(ProjectItemType family, std::string name, const QuenzColorProjectItem* target) {
    AliasSetTargets setTargets{};
    ItemAliasTargets itemTargets{};
    if (target) {
        if (const auto stored = setAliasTarget(family, *target)) setTargets[0] = *stored;
        if (takesItemAlias(family, target->itemType())) itemTargets[0] = ItemAliasType::item(target->uuid());
    }
    switch (family) {
        case ProjectItemType::colorAlias:
            return QuenzColorProjectItem::make(std::move(name), std::make_shared<QuenzColorAlias>(setTargets));
        case ProjectItemType::shadowAlias:
            return QuenzColorProjectItem::make(std::move(name), std::make_shared<QuenzColorShadowAlias>(setTargets));
        case ProjectItemType::numberAlias:
            return QuenzColorProjectItem::make(std::move(name), std::make_shared<QuenzColorNumberAlias>(itemTargets));
        case ProjectItemType::booleanAlias:
            return QuenzColorProjectItem::make(std::move(name), std::make_shared<QuenzColorBooleanAlias>(itemTargets));
        case ProjectItemType::stringAlias:
            return QuenzColorProjectItem::make(std::move(name), std::make_shared<QuenzColorStringAlias>(itemTargets));
        default: return nullptr;
    }
}

bool canAlias(ProjectItemType family, const QuenzColorProjectItem& target) {
    return setAliasTarget(family, target).has_value() || takesItemAlias(family, target.itemType());
}

// Resolves the new alias's targets right away, so that it shows its value at once.
void linkAlias(const QuenzColorProject& project, const QuenzColorProjectItem& item) {
    const auto linkSet = [&](QuenzSetAliasBase& alias) {
        for (ColorSource source : allColorSources) {
            const ResolvedAliasTarget resolved = project.resolveAliasTarget(alias.target(source));
            alias.setReference(source, resolved.item, resolved.index);
        }
    };
    const auto linkItem = [&](QuenzItemAliasBase& alias) {
        for (ColorSource source : allColorSources) alias.setReference(source, project.resolveAliasTarget(alias.target(source)));
    };
    if (const auto alias = item.colorAlias()) linkSet(*alias);
    if (const auto alias = item.shadowAlias()) linkSet(*alias);
    if (const auto alias = item.numberAlias()) linkItem(*alias);
    if (const auto alias = item.booleanAlias()) linkItem(*alias);
    if (const auto alias = item.stringAlias()) linkItem(*alias);
}

}  // namespace

ProjectItemPtr QuenzColorDocumentEditor::addItem(UndoName name, ProjectItemPtr item,
                                                 const std::optional<ItemPath>& position) {
    const bool added = edit(TransactionScope::items, name, [&](QuenzColorProject& project) {
        project.insert({item}, position);
        return true;
    });
    if (!added) return nullptr;
    selectItemsLater({item->uuid()});
    return item;
}

ProjectItemPtr QuenzColorDocumentEditor::addColor(std::string name, std::optional<ItemPath> position,
                                                  std::optional<quenz::ColorValue> color) {
    const NewColorDefaults defaults = newColorDefaults();
    ColorPresentation presentation{defaults.colorSpace, defaults.colorFormat};
    if (color) {
        if (const auto space = quenz::colorSpaceOf(*color)) presentation.colorSpace = *space;
    }
    auto payload = std::make_shared<QuenzColorItem>(ThemeableColor(color ? *color : randomNewColor(defaults)),
                                                    presentation);
    return addItem(UndoName::addColor, QuenzColorProjectItem::make(std::move(name), std::move(payload)), position);
}

ProjectItemPtr QuenzColorDocumentEditor::addColorSet(std::string name, std::optional<ItemPath> position,
                                                     NewSetOptions options) {
    const NewColorDefaults defaults = newColorDefaults();
    const quenz::ColorValue first = randomNewColor(defaults);
    if (options.steps < 2) options.steps = 2;
    auto payload = QuenzColorSet::makeAutomatic(ThemeableColor(first), std::nullopt,
                                                ThemeableColor(darkCounterpart(first)), options);
    return addItem(UndoName::addColorSet, QuenzColorProjectItem::make(std::move(name), std::move(payload)), position);
}

ProjectItemPtr QuenzColorDocumentEditor::addNumber(std::string name, std::optional<ItemPath> position, double value) {
    auto payload = std::make_shared<QuenzColorNumber>(ThemeableNumber(value));
    return addItem(UndoName::addNumber, QuenzColorProjectItem::make(std::move(name), std::move(payload)), position);
}

ProjectItemPtr QuenzColorDocumentEditor::addBoolean(std::string name, std::optional<ItemPath> position, bool value) {
    auto payload = std::make_shared<QuenzColorBoolean>(ThemeableBoolean(value));
    return addItem(UndoName::addBoolean, QuenzColorProjectItem::make(std::move(name), std::move(payload)), position);
}

ProjectItemPtr QuenzColorDocumentEditor::addString(std::string name, std::optional<ItemPath> position,
                                                   std::string value) {
    auto payload = std::make_shared<QuenzColorString>(ThemeableString(std::move(value)));
    return addItem(UndoName::addString, QuenzColorProjectItem::make(std::move(name), std::move(payload)), position);
}

ProjectItemPtr QuenzColorDocumentEditor::addShadow(std::string name, std::optional<ItemPath> position) {
    auto payload = std::make_shared<QuenzColorShadow>(ThemeableShadow(defaultShadowDetails()));
    return addItem(UndoName::addShadow, QuenzColorProjectItem::make(std::move(name), std::move(payload)), position);
}

ProjectItemPtr QuenzColorDocumentEditor::addShadowSet(std::string name, std::optional<ItemPath> position,
                                                      NewSetOptions options) {
    if (options.steps < 2) options.steps = 2;
    const ShadowDetails small = defaultShadowDetails();
    ShadowDetails large = small;
    large.yOffset = small.yOffset * 4 + 4;
    large.blur = small.blur * 4 + 8;
    auto payload = QuenzColorShadowSet::makeAutomatic(ThemeableShadow(small), std::nullopt, ThemeableShadow(large),
                                                      options);
    return addItem(UndoName::addShadowSet, QuenzColorProjectItem::make(std::move(name), std::move(payload)),
                   position);
}

ProjectItemPtr QuenzColorDocumentEditor::addGroup(std::optional<ItemPath> position, std::string name) {
    auto payload = std::make_shared<QuenzColorGroup>();
    return addItem(UndoName::addGroup, QuenzColorProjectItem::make(std::move(name), std::move(payload)), position);
}

std::vector<ProjectItemPtr> QuenzColorDocumentEditor::addAliases(UndoName undoName, ProjectItemType family,
                                                                 std::string name,
                                                                 const std::optional<ItemPath>& position) {
    const auto document = document_.lock();
    if (!document) return {};
    std::vector<ProjectItemPtr> aliases;
    for (const ProjectItemPtr& target : document->selectionManager().selectedItems()) {
        if (target && canAlias(family, *target)) aliases.push_back(makeAlias(family, target->name() + " Alias", target.get()));
    }
    if (aliases.empty()) aliases.push_back(makeAlias(family, std::move(name), nullptr));

    const bool added = edit(TransactionScope::items, undoName, [&](QuenzColorProject& project) {
        project.insert(aliases, position);
        for (const ProjectItemPtr& alias : aliases) linkAlias(project, *alias);
        return true;
    });
    if (!added) return {};
    std::vector<std::string> uuids;
    for (const ProjectItemPtr& alias : aliases) uuids.push_back(alias->uuid());
    selectItemsLater(std::move(uuids));
    return aliases;
}

std::vector<ProjectItemPtr> QuenzColorDocumentEditor::addAlias(std::string name, std::optional<ItemPath> position) {
    return addAliases(UndoName::addAlias, ProjectItemType::colorAlias, std::move(name), position);
}

std::vector<ProjectItemPtr> QuenzColorDocumentEditor::addShadowAlias(std::string name,
                                                                     std::optional<ItemPath> position) {
    return addAliases(UndoName::addShadowAlias, ProjectItemType::shadowAlias, std::move(name), position);
}

// Number, boolean and string aliases have no step names of their own; they are recorded under
// the name of adding their family's value.
std::vector<ProjectItemPtr> QuenzColorDocumentEditor::addNumberAlias(std::string name,
                                                                     std::optional<ItemPath> position) {
    return addAliases(UndoName::addNumber, ProjectItemType::numberAlias, std::move(name), position);
}

std::vector<ProjectItemPtr> QuenzColorDocumentEditor::addBooleanAlias(std::string name,
                                                                      std::optional<ItemPath> position) {
    return addAliases(UndoName::addBoolean, ProjectItemType::booleanAlias, std::move(name), position);
}

std::vector<ProjectItemPtr> QuenzColorDocumentEditor::addStringAlias(std::string name,
                                                                     std::optional<ItemPath> position) {
    return addAliases(UndoName::addString, ProjectItemType::stringAlias, std::move(name), position);
}

ProjectItemPtr QuenzColorDocumentEditor::groupSelection() {
    const auto document = document_.lock();
    if (!document) return nullptr;
    std::vector<std::string> uuids;
    for (const ProjectItemPtr& item : document->selectionManager().selectedItems()) uuids.push_back(item->uuid());

    ProjectItemPtr group;
    const bool grouped = edit(TransactionScope::items, UndoName::addGroup, [&](QuenzColorProject& project) {
        const std::vector<ItemPath> paths = itemtree::topmostPaths(project, uuids);
        if (paths.empty()) return false;
        // Taking items out from the last one up keeps the earlier paths valid; the first
        // selected item's place is where the group goes.
        std::vector<ProjectItemPtr> members;
        for (auto path = paths.rbegin(); path != paths.rend(); ++path) {
            if (ProjectItemPtr removed = itemtree::removeAt(project, *path)) members.insert(members.begin(), removed);
        }
        group = QuenzColorProjectItem::make("Group", std::make_shared<QuenzColorGroup>(std::move(members)));
        group->setExpanded(true);
        const ItemPath& first = paths.front();
        itemtree::insertAt(project, ItemPath(first.begin(), first.end() - 1), first.back(), {group});
        return true;
    });
    if (!grouped) return nullptr;
    selectItemsLater({group->uuid()});
    return group;
}

BuildGroupPtr QuenzColorDocumentEditor::addBuildGroup() {
    auto group = std::make_shared<BuildGroup>("Build Group");
    const bool added = edit(TransactionScope::build, UndoName::addBuildGroup, [&](QuenzColorProject& project) {
        project.appendBuildGroup(group);
        return true;
    });
    if (!added) return nullptr;
    selectBuildLater(group->uuid(), {});
    return group;
}

BuildTaskPtr QuenzColorDocumentEditor::addBuildTask() {
    const auto document = document_.lock();
    if (!document) return nullptr;
    const BuildGroupPtr selected = document->selectionManager().selectedBuildGroup();
    BuildTaskPtr task = BuildTask::makeDefault();
    BuildGroupPtr owner;
    const bool added = edit(TransactionScope::build, UndoName::addBuildTask, [&](QuenzColorProject& project) {
        for (const BuildGroupPtr& group : project.buildGroups()) {
            if (group && selected && group->uuid() == selected->uuid()) {
                owner = group;
                break;
            }
        }
        if (owner) {
            std::vector<BuildTaskPtr> tasks = owner->tasks();
            tasks.push_back(task);
            owner->setTasks(std::move(tasks));
        } else {
            owner = std::make_shared<BuildGroup>("Build Group", std::vector<BuildTaskPtr>{task});
            project.appendBuildGroup(owner);
        }
        return true;
    });
    if (!added) return nullptr;
    selectBuildLater(owner->uuid(), task->uuid());
    return task;
}

TestGroupPtr QuenzColorDocumentEditor::addTestGroup() {
    auto group = std::make_shared<TestGroup>("Test Group");
    const bool added = edit(TransactionScope::test, UndoName::addTestGroup, [&](QuenzColorProject& project) {
        project.appendTestGroup(group);
        return true;
    });
    if (!added) return nullptr;
    selectTestLater(group->uuid(), {});
    return group;
}

TestTaskPtr QuenzColorDocumentEditor::addTestTask(TestTaskType type) {
    const auto document = document_.lock();
    if (!document) return nullptr;
    TestTaskFields fields;
    fields.taskType = type;
    if (type == TestTaskType::wcagContrastTest) {
        fields.name = "WCAG Contrast Test";
    } else {
        fields.name = "APCA Contrast Test";
        fields.thresholdType = TestThresholdType::textSize;
        fields.minFontSize = 18;
        fields.minFontWeight = TestFontWeight::fourHundred;
    }
    auto task = std::make_shared<TestTask>(std::move(fields));
    const TestGroupPtr selected = document->selectionManager().selectedTestGroup();
    TestGroupPtr owner;
    const bool added = edit(TransactionScope::test, UndoName::addTestTask, [&](QuenzColorProject& project) {
        for (const TestGroupPtr& group : project.testGroups()) {
            if (group && selected && group->uuid() == selected->uuid()) {
                owner = group;
                break;
            }
        }
        if (owner) {
            std::vector<TestTaskPtr> tests = owner->tests();
            tests.push_back(task);
            owner->setTests(std::move(tests));
        } else {
            owner = std::make_shared<TestGroup>("Test Group", std::vector<TestTaskPtr>{task});
            project.appendTestGroup(owner);
        }
        return true;
    });
    if (!added) return nullptr;
    selectTestLater(owner->uuid(), task->uuid());
    return task;
}

}  // namespace vantorel
