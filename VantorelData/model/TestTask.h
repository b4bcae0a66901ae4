#pragma once
// TestTask: one contrast test (WCAG or APCA) with its optional threshold and minimum text size
// and weight; TestGroup: a named list of them run over the colors assigned to the group.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "VantorelData/model/Observable.h"
#include "VantorelData/model/TestOptions.h"
#include "VantorelData/model/Uuid.h"

namespace vantorel {

struct TestTaskFields {
    std::string name;
    TestTaskType taskType = TestTaskType::wcagContrastTest;
    std::optional<double> threshold;
    std::optional<int> minFontSize;
    std::optional<TestFontWeight> minFontWeight;
    std::optional<TestThresholdType> thresholdType;
};

class TestTask : public Observable {
public:
    explicit TestTask(TestTaskFields fields = {}, std::string uuid = makeUuid())
        : fields_(std::move(fields)), uuid_(std::move(uuid)) {}

    const std::string& uuid() const { return uuid_; }
    const TestTaskFields& fields() const { return fields_; }
    const std::string& name() const { return fields_.name; }
    TestTaskType taskType() const { return fields_.taskType; }
    std::optional<double> threshold() const { return fields_.threshold; }
    std::optional<int> minFontSize() const { return fields_.minFontSize; }
    std::optional<TestFontWeight> minFontWeight() const { return fields_.minFontWeight; }
    std::optional<TestThresholdType> thresholdType() const { return fields_.thresholdType; }

    void setName(std::string name) { update(fields_.name, std::move(name), PropertyId::name); }
    void setTaskType(TestTaskType type) { update(fields_.taskType, type, PropertyId::taskType); }
    void setThreshold(std::optional<double> threshold) { update(fields_.threshold, threshold, PropertyId::threshold); }
    void setMinFontSize(std::optional<int> size) { update(fields_.minFontSize, size, PropertyId::minFontSize); }
    void setMinFontWeight(std::optional<TestFontWeight> weight) {
        update(fields_.minFontWeight, weight, PropertyId::minFontWeight);
    }
    void setThresholdType(std::optional<TestThresholdType> type) {
        update(fields_.thresholdType, type, PropertyId::thresholdType);
    }

private:
    TestTaskFields fields_;
    std::string uuid_;
};

using TestTaskPtr = std::shared_ptr<TestTask>;

class TestGroup : public Observable {
public:
    explicit TestGroup(std::string name = {}, std::vector<TestTaskPtr> tests = {}, std::string uuid = makeUuid(),
                       bool isExpanded = false)
        : uuid_(std::move(uuid)), name_(std::move(name)), tests_(std::move(tests)), isExpanded_(isExpanded) {}

    const std::string& uuid() const { return uuid_; }
    const std::string& name() const { return name_; }
    const std::vector<TestTaskPtr>& tests() const { return tests_; }
    bool isExpanded() const { return isExpanded_; }

    void setName(std::string name) { update(name_, std::move(name), PropertyId::name); }
    void setTests(std::vector<TestTaskPtr> tests) { update(tests_, std::move(tests), PropertyId::tests); }
    void setExpanded(bool expanded) { update(isExpanded_, expanded, PropertyId::isExpanded); }

private:
    std::string uuid_;
    std::string name_;
    std::vector<TestTaskPtr> tests_;
    bool isExpanded_;
};

using TestGroupPtr = std::shared_ptr<TestGroup>;

}  // namespace vantorel
