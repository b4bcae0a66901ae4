#pragma once
// BuildGroupEditor: the "Build Groups" window. Build groups with their tasks; a group's name;
// every field of a task (name, file type, folder, file name, color format, name transform,
// prefix and suffix, color space, and the options of its exporter: appearance colors, asset
// catalog symbols, the custom template), with choosers for the folder and the template; and
// the buttons that build all groups or the chosen one.

#include "app/builds/TaskGroupEditor.h"
#include "VantorelData/model/Project.h"

namespace vantorel::app {

class BuildController;

class BuildGroupEditor final : public GroupEditorOf<BuildGroup, BuildTask> {
    Q_OBJECT
public:
    BuildGroupEditor(DocumentSession& session, BuildController& builds, QWidget* parent);

    // The document's folder, where relative task folders and templates start.
    QString documentFolder() const;
    // `path` as the task stores it: relative to the document's folder when it lies below it.
    QString storedLocation(const QString& path) const;

protected:
    void fillGroupForm(QFormLayout& form, const BuildGroup& group) override;
    void fillTaskForm(QFormLayout& form, const BuildTask& task) override;

private:
    BuildController& builds_;
};

}  // namespace vantorel::app
