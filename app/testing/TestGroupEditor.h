#pragma once
// TestGroupEditor: the "Test Groups" window. Test groups with their contrast tests; a group's
// name and the colors it tests with their roles; a test's name, kind (WCAG or APCA), how its
// threshold is given, the threshold, and the minimum font size and weight; and the buttons
// that run every group or the chosen one.

#include "app/builds/TaskGroupEditor.h"
#include "VantorelData/model/Project.h"

namespace vantorel::app {

class TestRunController;

class TestGroupEditor final : public TaskGroupEditor {
    Q_OBJECT
public:
    TestGroupEditor(DocumentSession& session, TestRunController& runs, QWidget* parent);

    void addGroup();
    void addTest(TestTaskType type);
    void deleteSelected();

protected:
    std::vector<GroupRow> rows() const override;
    void fillForm(QFormLayout& form, const std::string& groupUuid, const std::string& taskUuid) override;

private:
    void fillGroupForm(QFormLayout& form, const TestGroup& group);
    void fillTestForm(QFormLayout& form, const TestTask& test);

    TestRunController& runs_;
};

}  // namespace vantorel::app
