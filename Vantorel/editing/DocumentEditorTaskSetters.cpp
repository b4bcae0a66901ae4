// Setters of build groups, build tasks, test groups and tests.

#include "Vantorel/editing/DocumentEditor.h"

namespace vantorel {
namespace {

template <class Value, class Get, class Set>
std::function<bool(BuildTask&)> setField(Value value, Get get, Set set) {
    return [value = std::move(value), get, set](BuildTask& task) {
        if ((task.*get)() == value) return false;
        (task.*set)(value);
        return true;
    };
}

template <class Group>
std::shared_ptr<Group> findGroup(const std::vector<std::shared_ptr<Group>>& groups, const std::string& uuid) {
    for (const auto& group : groups) {
        if (group && group->uuid() == uuid) return group;
    }
    return nullptr;
}

}  // namespace

bool QuenzColorDocumentEditor::changeBuildGroupName(const std::string& groupUuid, std::string name) {
    return edit(TransactionScope::build, UndoName::changeName, [&](QuenzColorProject& project) {
        const BuildGroupPtr group = findGroup(project.buildGroups(), groupUuid);
        if (!group || group->name() == name) return false;
        group->setName(name);
        return true;
    });
}

bool QuenzColorDocumentEditor::changeTestGroupName(const std::string& groupUuid, std::string name) {
    return edit(TransactionScope::test, UndoName::changeName, [&](QuenzColorProject& project) {
        const TestGroupPtr group = findGroup(project.testGroups(), groupUuid);
        if (!group || group->name() == name) return false;
        group->setName(name);
        return true;
    });
}

bool QuenzColorDocumentEditor::changeBuildTask(const std::string& taskUuid,
                                               const std::function<bool(BuildTask&)>& change) {
    return edit(TransactionScope::build, UndoName::changeBuildTaskProperty, [&](QuenzColorProject& project) {
        for (const BuildGroupPtr& group : project.buildGroups()) {
            for (const BuildTaskPtr& task : group ? group->tasks() : std::vector<BuildTaskPtr>{}) {
                if (task && task->uuid() == taskUuid) return change && change(*task);
            }
        }
        return false;
    });
}

bool QuenzColorDocumentEditor::changeTestTask(const std::string& taskUuid,
                                              const std::function<bool(TestTask&)>& change) {
    return editTestTask(taskUuid, UndoName::changeTestGroup, change);
}

bool QuenzColorDocumentEditor::changeTestTaskName(const std::string& taskUuid, std::string name) {
    return editTestTask(taskUuid, UndoName::changeName, [&name](TestTask& test) {
        if (test.name() == name) return false;
        test.setName(std::move(name));
        return true;
    });
}

bool QuenzColorDocumentEditor::editTestTask(const std::string& taskUuid, UndoName undoName,
                                            const std::function<bool(TestTask&)>& change) {
    return edit(TransactionScope::test, undoName, [&](QuenzColorProject& project) {
        for (const TestGroupPtr& group : project.testGroups()) {
            for (const TestTaskPtr& test : group ? group->tests() : std::vector<TestTaskPtr>{}) {
                if (test && test->uuid() == taskUuid) return change && change(*test);
            }
        }
        return false;
    });
}

bool QuenzColorDocumentEditor::changeBuildTaskName(const std::string& taskUuid, std::string name) {
    return changeBuildTask(taskUuid, setField(std::move(name), &BuildTask::name, &BuildTask::setName));
}

bool QuenzColorDocumentEditor::changeBuildTaskFolder(const std::string& taskUuid, std::string folder) {
    return changeBuildTask(taskUuid,
                           setField(std::move(folder), &BuildTask::exportFileFolder, &BuildTask::setExportFileFolder));
}

bool QuenzColorDocumentEditor::changeBuildTaskFileName(const std::string& taskUuid, std::string fileName) {
    return changeBuildTask(taskUuid,
                           setField(std::move(fileName), &BuildTask::exportFileName, &BuildTask::setExportFileName));
}

bool QuenzColorDocumentEditor::changeBuildTaskFileType(const std::string& taskUuid, BuildFileType type) {
    return changeBuildTask(taskUuid, setField(type, &BuildTask::exportFileType, &BuildTask::setExportFileType));
}

bool QuenzColorDocumentEditor::changeBuildTaskFormat(const std::string& taskUuid,
                                                     std::optional<BuildExportFormat> format) {
    return changeBuildTask(taskUuid, setField(format, &BuildTask::exportFormat, &BuildTask::setExportFormat));
}

bool QuenzColorDocumentEditor::changeBuildTaskNameTransform(const std::string& taskUuid, BuildNameTransform transform) {
    return changeBuildTask(taskUuid, setField(transform, &BuildTask::nameTransform, &BuildTask::setNameTransform));
}

bool QuenzColorDocumentEditor::changeBuildTaskNamePrefix(const std::string& taskUuid,
                                                         std::optional<std::string> prefix) {
    return changeBuildTask(taskUuid, setField(std::move(prefix), &BuildTask::namePrefix, &BuildTask::setNamePrefix));
}

bool QuenzColorDocumentEditor::changeBuildTaskNameSuffix(const std::string& taskUuid,
                                                         std::optional<std::string> suffix) {
    return changeBuildTask(taskUuid, setField(std::move(suffix), &BuildTask::nameSuffix, &BuildTask::setNameSuffix));
}

bool QuenzColorDocumentEditor::changeBuildTaskColorSpaceConversion(const std::string& taskUuid,
                                                                   ColorSpaceConversion conversion) {
    return changeBuildTask(taskUuid, setField(conversion, &BuildTask::colorSpaceConversion,
                                              &BuildTask::setColorSpaceConversion));
}

bool QuenzColorDocumentEditor::changeBuildTaskCustomData(const std::string& taskUuid, CustomData data) {
    return changeBuildTask(taskUuid, setField(std::move(data), &BuildTask::customData, &BuildTask::setCustomData));
}

}  // namespace vantorel
