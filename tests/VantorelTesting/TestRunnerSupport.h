#pragma once
// Small projects for the test runner's tests: colors, sets and aliases assigned to a test
// group with a role, and test tasks.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "VantorelData/model/Model.h"

namespace vantorel::testsupport {

inline quenz::ColorValue srgb(double r, double g, double b, double a = 1) {
    return {quenz::RGBSpace::sRGB, r, g, b, a};
}

inline TestTaskPtr testTask(TestTaskType type, std::string name, std::optional<double> threshold) {
    TestTaskFields fields;
    fields.name = std::move(name);
    fields.taskType = type;
    fields.threshold = threshold;
    return std::make_shared<TestTask>(fields);
}
inline TestTaskPtr wcagTask(std::string name, std::optional<double> threshold = std::nullopt) {
    return testTask(TestTaskType::wcagContrastTest, std::move(name), threshold);
}
inline TestTaskPtr apcaTask(std::string name, std::optional<double> threshold = std::nullopt) {
    return testTask(TestTaskType::apcaContrastTest, std::move(name), threshold);
}

// A project with one test group that the helpers assign items to.
struct TestProject {
    QuenzColorProjectPtr project = std::make_shared<QuenzColorProject>("Tests");
    TestGroupPtr group;

    explicit TestProject(std::vector<TestTaskPtr> tasks = {wcagTask("Body text", 4.5)}) {
        group = std::make_shared<TestGroup>("Text", std::move(tasks));
        project->appendTestGroup(group);
    }

    ProjectItemPtr assign(ProjectItemPtr item, TestPosition position, const TestGroupPtr& to = nullptr) {
        item->setTestGroup(to ? to : group);
        item->setTestPosition(position);
        auto items = project->items();
        items.push_back(item);
        project->setItems(std::move(items));
        return item;
    }

    ProjectItemPtr color(const std::string& name, TestPosition position, const ThemeableColor& value,
                         const TestGroupPtr& to = nullptr) {
        return assign(QuenzColorProjectItem::make(name, std::make_shared<QuenzColorItem>(value)), position, to);
    }
    ProjectItemPtr color(const std::string& name, TestPosition position, quenz::ColorValue light,
                         const TestGroupPtr& to = nullptr) {
        return color(name, position, ThemeableColor(light), to);
    }

    ProjectItemPtr colorSet(const std::string& name, TestPosition position,
                            const std::vector<std::pair<std::string, quenz::ColorValue>>& steps) {
        std::vector<ThemeableColor> colors;
        for (const auto& [stepName, value] : steps) {
            colors.emplace_back(value, std::nullopt, std::nullopt, std::nullopt, stepName);
        }
        SetParameters parameters;
        parameters.type = SetType::manual;
        auto set = std::make_shared<QuenzColorSet>(std::move(colors), parameters);
        return assign(QuenzColorProjectItem::make(name, set), position);
    }
};

}  // namespace vantorel::testsupport
