#pragma once
// QuenzColorDocumentEditor: the one way the user's edits reach a document's project. Every
// undoable edit is a transaction over one scope list (top-level items, build groups or test
// groups): snapshot the list, change it, re-resolve the selection, snapshot again and record one
// named undo step whose undo restores the first snapshot and whose redo the second. An edit
// that changes nothing records nothing; once the document is gone every operation ends at
// once without effect.
//
// Operations are grouped by file: the transaction and restore (DocumentEditorTransaction.cpp),
// creation (DocumentEditorCreation.cpp), structure (DocumentEditorStructure.cpp), color spaces
// and ramps (DocumentEditorValues.cpp), item property setters (DocumentEditorItemSetters.cpp),
// set setters (DocumentEditorSetSetters.cpp), build and test setters
// (DocumentEditorTaskSetters.cpp). Operations return whether they changed the document (or the
// created object, null when nothing was created). Confined to the document's thread.

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "QuenzColorUtils/ColorSortHelper.h"
#include "QuenzColorUtils/RandomColor.h"
#include "Vantorel/editing/ColorDocumentHandle.h"
#include "Vantorel/editing/ProjectSnapshots.h"
#include "Vantorel/editing/TransactionScope.h"
#include "Vantorel/editing/UndoName.h"
#include "VantorelData/model/Model.h"

namespace vantorel {

// What new colors start as: the application settings for new colors.
struct NewColorDefaults {
    quenz::RandomColorAlgorithm algorithm = quenz::RandomColorAlgorithm::pastel;
    quenz::ColorSpace colorSpace = quenz::ColorSpace::sRGB;
    quenz::ColorFormat colorFormat = quenz::ColorFormat::floatRGBA;
};

class QuenzColorDocumentEditor : public std::enable_shared_from_this<QuenzColorDocumentEditor> {
public:
    using Change = std::function<bool(QuenzColorProject&)>;

    static std::shared_ptr<QuenzColorDocumentEditor> make(std::weak_ptr<ColorDocumentHandle> document);
    QuenzColorDocumentEditor(const QuenzColorDocumentEditor&) = delete;
    QuenzColorDocumentEditor& operator=(const QuenzColorDocumentEditor&) = delete;

    // Where new colors get their value from (the application settings); asked at each creation.
    void setNewColorDefaults(std::function<NewColorDefaults()> defaults) { newColorDefaults_ = std::move(defaults); }

    // --- Transaction ---
    // Runs `change` as one undoable step named `name` over `scope`. `change` reports whether it
    // changed anything; when it did not, no step is recorded. True when the change was made.
    bool edit(TransactionScope scope, UndoName name, const Change& change);
    // Puts the scope list back to a snapshot (what undo and redo run).
    void restore(TransactionScope scope, const ScopeSnapshotPtr& snapshot);
    // The scope's snapshot as it is now; null when the document is gone.
    ScopeSnapshotPtr snapshot(TransactionScope scope);
    // Elements compressed by snapshots so far (for measuring the incremental snapshots).
    std::size_t compressedElementCount() const;

    // --- Creation --- `position` is a path for the project's `insert`; none appends at the end
    // of the top level. The new items become the selection on the next turn of the queue.
    ProjectItemPtr addColor(std::string name, std::optional<ItemPath> position,
                            std::optional<quenz::ColorValue> color = std::nullopt);
    ProjectItemPtr addColorSet(std::string name, std::optional<ItemPath> position, NewSetOptions options = {});
    ProjectItemPtr addNumber(std::string name, std::optional<ItemPath> position, double value = 0);
    ProjectItemPtr addBoolean(std::string name, std::optional<ItemPath> position, bool value = false);
    ProjectItemPtr addString(std::string name, std::optional<ItemPath> position, std::string value = {});
    ProjectItemPtr addShadow(std::string name, std::optional<ItemPath> position);
    ProjectItemPtr addShadowSet(std::string name, std::optional<ItemPath> position, NewSetOptions options = {});
    ProjectItemPtr addGroup(std::optional<ItemPath> position, std::string name = "Group");
    // Aliases of the selected items of the family, each named "<target> Alias"; with no such
    // item selected, one alias without target named `name`.
    std::vector<ProjectItemPtr> addAlias(std::string name, std::optional<ItemPath> position);        // colors, color sets
    std::vector<ProjectItemPtr> addShadowAlias(std::string name, std::optional<ItemPath> position);  // shadows, shadow sets
    // Number, boolean and string aliases have no step names of their own: under addNumber,
    // addBoolean and addString, the family the user adds to.
    std::vector<ProjectItemPtr> addNumberAlias(std::string name, std::optional<ItemPath> position);
    std::vector<ProjectItemPtr> addBooleanAlias(std::string name, std::optional<ItemPath> position);
    std::vector<ProjectItemPtr> addStringAlias(std::string name, std::optional<ItemPath> position);
    // A new expanded group "Group" at the place of the first selected item, holding the
    // selected items in tree order.
    ProjectItemPtr groupSelection();
    BuildGroupPtr addBuildGroup();
    // Appended to the selected build group, or to a new "Build Group" when none is selected.
    BuildTaskPtr addBuildTask();
    TestGroupPtr addTestGroup();
    TestTaskPtr addTestTask(TestTaskType type);

    // --- Structure ---
    // The selected groups give way to their children, in place.
    bool unGroup();
    bool deleteItems(const std::vector<std::string>& itemUuids);
    bool deleteBuildGroup(const std::string& groupUuid);
    bool deleteBuildTask(const std::string& taskUuid);
    bool deleteTestGroup(const std::string& groupUuid);
    bool deleteTestTask(const std::string& taskUuid);
    // Takes the items out of their test group ("Delete Test Color" / "Delete Test Colors").
    bool deleteTestColors(const std::vector<std::string>& itemUuids);
    // Moves the items into the group `toParent` (the top level when none) from `atIndex` on,
    // in the given order; the group is expanded. Items before the index in the same parent
    // count as already taken out. A group is never moved into itself.
    bool move(const std::vector<std::string>& itemUuids, const std::optional<std::string>& toParent, int atIndex);
    bool moveBuildTasks(const std::vector<std::string>& taskUuids, const std::string& toGroup, int atIndex);
    bool moveTestTasks(const std::vector<std::string>& taskUuids, const std::string& toGroup, int atIndex);
    // Each selected color set becomes a group, named as the set, of one color item per step.
    bool convertToIndividualColors();

    // --- Values ---
    // The selected items that hold colors keep their components, reinterpreted in the space.
    bool assignSRGB();
    bool assignP3();
    bool sortRampColors(const std::string& setUuid, quenz::ColorSortKey key);
    // Names every step of the set by `scheme`, which becomes the set's scheme.
    bool applyRampNaming(const std::string& setUuid, ColorNamingScheme scheme);
    bool changeDocumentDescription(std::string text);

    // --- Item properties ---
    // Properties without a step name of their own are recorded under the nearest one: the
    // auto-contrast amount under changeAppearanceType (it tunes the automatic appearances),
    // the color format under changeColorSpace (both say how the colors are written), a
    // string's value under changeNumberValue (the value of a plain item).
    bool changeName(const std::string& itemUuid, std::string name);
    bool changeBuildGroup(const std::string& itemUuid, const std::optional<std::string>& buildGroupUuid);
    bool changeTestGroup(const std::string& itemUuid, const std::optional<std::string>& testGroupUuid);
    bool changeTestPosition(const std::string& itemUuid, TestPosition position);
    bool changeProvidesNamespace(const std::string& groupUuid, bool provides);
    bool changeAppearanceType(const std::string& itemUuid, AppearanceType type);
    bool changeAutoContrastAmount(const std::string& itemUuid, double amount);  // under changeAppearanceType
    bool changeDeprecated(const std::string& itemUuid, bool deprecated);
    bool changeDeprecatedReason(const std::string& itemUuid, std::optional<std::string> reason);
    // A color item's color, a shadow's color.
    bool changeColor(const std::string& itemUuid, const quenz::ColorValue& color, ColorSource source);
    bool changeColorSpace(const std::string& itemUuid, quenz::ColorSpace space);  // converts the colors
    bool changeColorFormat(const std::string& itemUuid, quenz::ColorFormat format);  // under changeColorSpace
    bool changeAliasLink(const std::string& aliasUuid, ColorSource source, AliasSetType target);
    bool changeAliasLink(const std::string& aliasUuid, ColorSource source, ItemAliasType target);
    bool changeNumberValue(const std::string& itemUuid, double value, ColorSource source);
    bool changeNumberMin(const std::string& itemUuid, std::optional<double> value);
    bool changeNumberMax(const std::string& itemUuid, std::optional<double> value);
    bool changeNumberSteps(const std::string& itemUuid, std::optional<int> steps);
    bool changeBooleanValue(const std::string& itemUuid, bool value, ColorSource source);
    bool changeStringValue(const std::string& itemUuid, std::string value, ColorSource source);  // under changeNumberValue
    bool changeShadowX(const std::string& itemUuid, double value, ColorSource source);
    bool changeShadowY(const std::string& itemUuid, double value, ColorSource source);
    bool changeShadowBlur(const std::string& itemUuid, double value, ColorSource source);
    bool changeShadowSpread(const std::string& itemUuid, double value, ColorSource source);

    // --- Color set and shadow set properties (automatic sets regenerate) ---
    bool changeSetColor(const std::string& setUuid, std::size_t step, const quenz::ColorValue& color,
                        ColorSource source);                                            // under changeColor
    // One step of a shadow set in one appearance, under the name of the field that differs, as
    // for a shadow: changeShadowX, changeShadowY, changeShadowBlur, changeShadowSpread, or
    // changeColor for its color.
    bool changeSetShadow(const std::string& setUuid, std::size_t step, const ShadowDetails& details,
                         ColorSource source);
    bool changeStepName(const std::string& setUuid, std::size_t step, std::string name);  // under changeName
    bool changeStepCount(const std::string& setUuid, int steps);
    bool changeInterpolationMethod(const std::string& setUuid, InterpolationMethod method);
    bool changeCurveType(const std::string& setUuid, CurveType curve);
    bool changeCurveAmount(const std::string& setUuid, double amount);
    bool changeNamingScheme(const std::string& setUuid, ColorNamingScheme scheme);
    bool changeMiddleColor(const std::string& setUuid, double middleLocation);
    bool changeSetType(const std::string& setUuid, SetType type);

    // --- Build and test records ---
    bool changeBuildGroupName(const std::string& groupUuid, std::string name);  // under changeName
    bool changeTestGroupName(const std::string& groupUuid, std::string name);   // under changeName
    // Any edit of one build task's fields, under changeBuildTaskProperty; `change` reports
    // whether it changed something.
    bool changeBuildTask(const std::string& taskUuid, const std::function<bool(BuildTask&)>& change);
    bool changeBuildTaskName(const std::string& taskUuid, std::string name);
    bool changeBuildTaskFolder(const std::string& taskUuid, std::string folder);
    bool changeBuildTaskFileName(const std::string& taskUuid, std::string fileName);
    bool changeBuildTaskFileType(const std::string& taskUuid, BuildFileType type);
    bool changeBuildTaskFormat(const std::string& taskUuid, std::optional<BuildExportFormat> format);
    bool changeBuildTaskNameTransform(const std::string& taskUuid, BuildNameTransform transform);
    bool changeBuildTaskNamePrefix(const std::string& taskUuid, std::optional<std::string> prefix);
    bool changeBuildTaskNameSuffix(const std::string& taskUuid, std::optional<std::string> suffix);
    bool changeBuildTaskColorSpaceConversion(const std::string& taskUuid, ColorSpaceConversion conversion);
    bool changeBuildTaskCustomData(const std::string& taskUuid, CustomData data);
    // Any edit of one test's settings (type, threshold, font size and weight), under
    // changeTestGroup: tests have no step name of their own, and the step changes what the
    // test group checks. A test's name is a name like any other, under changeName.
    bool changeTestTask(const std::string& taskUuid, const std::function<bool(TestTask&)>& change);
    bool changeTestTaskName(const std::string& taskUuid, std::string name);

private:
    explicit QuenzColorDocumentEditor(std::weak_ptr<ColorDocumentHandle> document);

    using ItemChange = std::function<bool(QuenzColorProjectItem&, QuenzColorProject&)>;
    // A transaction over the items scope that changes the item with this identifier.
    bool editItem(const std::string& itemUuid, UndoName name, const ItemChange& change);
    template <class Payload>
    bool editPayload(const std::string& itemUuid, UndoName name, const std::function<bool(Payload&)>& change);
    // A color set or shadow set, whichever the item holds.
    bool editSet(const std::string& setUuid, UndoName name,
                 const std::function<bool(QuenzSetBase<ThemeableColor>*, QuenzSetBase<ThemeableShadow>*)>& change);
    bool changeShadowDetail(const std::string& itemUuid, UndoName name, ColorSource source,
                            const std::function<bool(ShadowDetails&)>& change);
    bool editTestTask(const std::string& taskUuid, UndoName name, const std::function<bool(TestTask&)>& change);

    ProjectItemPtr addItem(UndoName name, ProjectItemPtr item, const std::optional<ItemPath>& position);
    std::vector<ProjectItemPtr> addAliases(UndoName undoName, ProjectItemType family, std::string name,
                                           const std::optional<ItemPath>& position);
    bool assignColorSpace(UndoName name, quenz::ColorSpace space);
    bool moveTasks(TransactionScope scope, const std::vector<std::string>& taskUuids, const std::string& toGroup,
                   int atIndex);
    bool deleteTask(TransactionScope scope, const std::string& taskUuid);

    // Selects on the next turn of the document's queue, by identifier.
    void selectItemsLater(std::vector<std::string> itemUuids);
    void selectBuildLater(std::string groupUuid, std::string taskUuid);
    void selectTestLater(std::string groupUuid, std::string taskUuid);

    ProjectSnapshots& snapshotsFor(const QuenzColorProjectPtr& project);
    NewColorDefaults newColorDefaults() const;

    std::weak_ptr<ColorDocumentHandle> document_;
    std::unique_ptr<ProjectSnapshots> snapshots_;
    std::function<NewColorDefaults()> newColorDefaults_;
};

}  // namespace vantorel
