#include "app/builds/BuildGroupEditor.h"

#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>

#include "app/DocumentSession.h"
#include "app/ItemPresentation.h"
#include "app/builds/BuildController.h"
#include "app/builds/LocationChooser.h"

namespace vantorel::app {
namespace {

std::array<BuildFileType, buildFileTypeCount> allFileTypes() {
    std::array<BuildFileType, buildFileTypeCount> types{};
    for (int code = 0; code < buildFileTypeCount; ++code) types[static_cast<std::size_t>(code)] = static_cast<BuildFileType>(code);
    return types;
}

bool isStyleSheet(BuildFileType type) {
    return type == BuildFileType::css || type == BuildFileType::scss || type == BuildFileType::less ||
           type == BuildFileType::text;
}

template <class Option>
int optionCode(const BuildTask& task) {
    const auto value = task.customValue<Option>();
    return value ? static_cast<int>(*value) : unsetChoice;
}

constexpr GroupKind<BuildGroup, BuildTask> buildGroupKind{
    &QuenzColorProject::buildGroups, &BuildGroup::tasks, [](const BuildTask& task) { return displayName(task.exportFileType()); },
    &QuenzColorDocumentEditor::addBuildGroup, &SelectionManager::setSelectedBuildGroup,
    &QuenzColorDocumentEditor::deleteBuildGroup, &QuenzColorDocumentEditor::deleteBuildTask};

}  // namespace

BuildGroupEditor::BuildGroupEditor(DocumentSession& session, BuildController& builds,
                                   QWidget* parent)
    : GroupEditorOf(session, QStringLiteral("Build Groups"), buildGroupKind, parent), builds_(builds) {
    setObjectName(QStringLiteral("buildGroupEditor"));
    addButton(QStringLiteral("Add Group"), QStringLiteral("addBuildGroupButton"), [this] { addGroup(); });
    addButton(QStringLiteral("Add Task"), QStringLiteral("addBuildTaskButton"), [this] { addTask([](QuenzColorDocumentEditor& editor) { return editor.addBuildTask(); }); });
    addButton(QStringLiteral("Delete"), QStringLiteral("deleteBuildButton"), [this] { deleteSelected(); });
    addButton(QStringLiteral("Build Group"), QStringLiteral("buildGroupButton"), [this] {
        if (!selectedGroup().empty()) builds_.buildGroup(selectedGroup());
    });
    addButton(QStringLiteral("Build All"), QStringLiteral("buildAllButton"), [this] { builds_.buildAll(); });
    refresh();
}

QString BuildGroupEditor::documentFolder() const {
    const auto& file = session().document().file();
    return file ? QString::fromStdString(file->parent_path().string()) : QDir::homePath();
}

QString BuildGroupEditor::storedLocation(const QString& path) const {
    const QString relative = QDir(documentFolder()).relativeFilePath(path);
    if (relative.startsWith(QStringLiteral("..")) || QDir::isAbsolutePath(relative)) return path;
    return relative.isEmpty() || relative == QStringLiteral(".") ? QStringLiteral("./") : relative;
}

void BuildGroupEditor::fillGroupForm(QFormLayout& form, const BuildGroup& group) {
    addTextField(form, QStringLiteral("Group Name"), QStringLiteral("groupNameField"), qText(group.name()),
                 [this, uuid = group.uuid()](const QString& name) {
                     session().editor().changeBuildGroupName(uuid, name.toStdString());
                 });
    const auto items = session().project()->itemsInBuildGroup(group);
    addNote(form, QStringLiteral("%1 items assigned, %2 tasks.").arg(items.size()).arg(group.tasks().size()));
}

void BuildGroupEditor::fillTaskForm(QFormLayout& form, const BuildTask& task) {
    QuenzColorDocumentEditor& editor = session().editor();
    const std::string uuid = task.uuid();
    const BuildFileType type = task.exportFileType();
    const auto optionalText = [](const QString& text) {
        return text.isEmpty() ? std::nullopt : std::optional<std::string>(text.toStdString());
    };

    addTextField(form, QStringLiteral("Name"), QStringLiteral("taskNameField"), qText(task.name()),
                 [&editor, uuid](const QString& text) { editor.changeBuildTaskName(uuid, text.toStdString()); });
    addChoiceField(form, QStringLiteral("File Type"), QStringLiteral("fileTypeField"), enumChoices(allFileTypes()),
                   static_cast<int>(type), [&editor, uuid](int code) {
                       editor.changeBuildTaskFileType(uuid, static_cast<BuildFileType>(code));
                   });

    auto* chooseFolder = new QPushButton(QStringLiteral("Choose…"));
    chooseFolder->setObjectName(QStringLiteral("chooseFolderButton"));
    connect(chooseFolder, &QPushButton::clicked, this, [this, &editor, uuid, name = qText(task.name())] {
        const QString chosen = locationChooser().chooseFolder(
            this, QStringLiteral("Choose the folder “%1” exports into.").arg(name), documentFolder());
        if (!chosen.isEmpty()) editor.changeBuildTaskFolder(uuid, storedLocation(chosen).toStdString());
    });
    addTextField(form, QStringLiteral("Folder"), QStringLiteral("folderField"), qText(task.exportFileFolder()),
                 [&editor, uuid](const QString& text) { editor.changeBuildTaskFolder(uuid, text.toStdString()); },
                 chooseFolder);
    addTextField(form, QStringLiteral("File Name"), QStringLiteral("fileNameField"), qText(task.exportFileName()),
                 [&editor, uuid](const QString& text) { editor.changeBuildTaskFileName(uuid, text.toStdString()); });
    addNote(form, QStringLiteral("Writes “%1”").arg(qText(task.outputFileName())));

    if (keepsExportFormat(type)) {
        addChoiceField(form, QStringLiteral("Color Format"), QStringLiteral("colorFormatField"),
                       enumChoices(allBuildExportFormats, QStringLiteral("Default")),
                       task.exportFormat() ? static_cast<int>(*task.exportFormat()) : unsetChoice, [&editor, uuid](int code) {
                           editor.changeBuildTaskFormat(uuid, code == unsetChoice ? std::nullopt
                                                                            : std::optional(static_cast<BuildExportFormat>(code)));
                       });
    }
    addChoiceField(form, QStringLiteral("Names"), QStringLiteral("nameTransformField"),
                   enumChoices(std::array{BuildNameTransform::none, BuildNameTransform::camelCase,
                                          BuildNameTransform::pascalCase, BuildNameTransform::snakeCase,
                                          BuildNameTransform::kebabCase}),
                   static_cast<int>(task.nameTransform()), [&editor, uuid](int code) {
                       editor.changeBuildTaskNameTransform(uuid, static_cast<BuildNameTransform>(code));
                   });
    addTextField(form, QStringLiteral("Prefix"), QStringLiteral("prefixField"), qText(task.namePrefix().value_or("")),
                 [&editor, uuid, optionalText](const QString& text) { editor.changeBuildTaskNamePrefix(uuid, optionalText(text)); });
    addTextField(form, QStringLiteral("Suffix"), QStringLiteral("suffixField"), qText(task.nameSuffix().value_or("")),
                 [&editor, uuid, optionalText](const QString& text) { editor.changeBuildTaskNameSuffix(uuid, optionalText(text)); });
    addChoiceField(form, QStringLiteral("Color Space"), QStringLiteral("colorSpaceField"),
                   enumChoices(allColorSpaceConversions), static_cast<int>(task.colorSpaceConversion()),
                   [&editor, uuid](int code) {
                       editor.changeBuildTaskColorSpaceConversion(uuid, static_cast<ColorSpaceConversion>(code));
                   });

    // The options only some exporters have, each unsetChoice until chosen.
    const QString notSet = QStringLiteral("Not Set");
    if (isStyleSheet(type)) {
        addChoiceField(form, QStringLiteral("Appearances"), QStringLiteral("appearanceColorTypeField"),
                       enumChoices(std::array{AppearanceColorType::individualColors, AppearanceColorType::lightDark}, notSet),
                       optionCode<AppearanceColorType>(task), [&editor, uuid](int code) {
                           editor.changeBuildTask(uuid, [code](BuildTask& changed) {
                               const CustomData before = changed.customData();
                               changed.setCustomValue<AppearanceColorType>(
                                   code == unsetChoice ? std::nullopt : std::optional(static_cast<AppearanceColorType>(code)));
                               return changed.customData() != before;
                           });
                       });
    }
    if (type == BuildFileType::assetCatalog) {
        addChoiceField(form, QStringLiteral("Symbols"), QStringLiteral("assetCatalogSymbolsField"),
                       enumChoices(std::array{AssetCatalogSymbolGeneration::notSpecified, AssetCatalogSymbolGeneration::yes,
                                              AssetCatalogSymbolGeneration::no},
                                   notSet),
                       optionCode<AssetCatalogSymbolGeneration>(task), [&editor, uuid](int code) {
                           editor.changeBuildTask(uuid, [code](BuildTask& changed) {
                               const CustomData before = changed.customData();
                               changed.setCustomValue<AssetCatalogSymbolGeneration>(
                                   code == unsetChoice ? std::nullopt
                                                 : std::optional(static_cast<AssetCatalogSymbolGeneration>(code)));
                               return changed.customData() != before;
                           });
                       });
    }
    if (type == BuildFileType::customTemplate) {
        const auto setTemplate = [&editor, uuid](const QString& location) {
            editor.changeBuildTask(uuid, [location](BuildTask& changed) {
                const CustomData before = changed.customData();
                changed.setCustomValue<CustomTemplateLocation>(
                    location.isEmpty() ? std::nullopt : std::optional(CustomTemplateLocation{location.toStdString()}));
                return changed.customData() != before;
            });
        };
        auto* chooseTemplate = new QPushButton(QStringLiteral("Choose…"));
        chooseTemplate->setObjectName(QStringLiteral("chooseTemplateButton"));
        connect(chooseTemplate, &QPushButton::clicked, this, [this, setTemplate, name = qText(task.name())] {
            const QString chosen = locationChooser().chooseFile(
                this, QStringLiteral("Locate the template file “%1” uses.").arg(name), documentFolder(),
                {QStringLiteral("Templates (*.stencil *.txt)"), QStringLiteral("All files (*)")});
            if (!chosen.isEmpty()) setTemplate(storedLocation(chosen));
        });
        const auto location = task.customValue<CustomTemplateLocation>();
        addTextField(form, QStringLiteral("Template"), QStringLiteral("templateField"),
                     location ? qText(location->location) : QString(), setTemplate, chooseTemplate);
    }
}

}  // namespace vantorel::app
