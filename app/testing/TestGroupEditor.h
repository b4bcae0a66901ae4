#pragma once
// TestGroupEditor: the "Test Groups" window. Test groups with their contrast tests; a group's
// name and the colors it tests with their roles; a test's name, kind (WCAG or APCA), how its
// threshold is given, the threshold, and the minimum font size and weight; and the buttons
// that run every group or the chosen one.

#include "app/builds/TaskGroupEditor.h"
#include "VantorelData/model/Project.h"

namespace vantorel::app {

class TestRunController;

class TestGroupEditor final : public GroupEditorOf<TestGroup, TestTask> {
    Q_OBJECT
public:
    TestGroupEditor(DocumentSession& session, TestRunController& runs, QWidget* parent);

protected:
    void fillGroupForm(QFormLayout& form, const TestGroup& group) override;
    void fillTaskForm(QFormLayout& form, const TestTask& test) override;

private:
    TestRunController& runs_;
};

}  // namespace vantorel::app
