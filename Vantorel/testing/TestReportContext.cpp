#include "Vantorel/testing/TestReportContext.h"

#include <memory>
#include <optional>
#include <string_view>

#include "Vantorel/testing/TestRunnerPairing.h"
#include "VantorelData/model/Appearance.h"

namespace vantorel {
namespace {

using stencil::Value;
using Results = std::vector<ColorTestGroupResult>;

// Each record is reached through a pointer that shares ownership of the whole result list, so
// the template can hold any part of it for as long as it likes.
template <class Record>
using Shared = std::shared_ptr<const Record>;

void addCounts(stencil::Dictionary& into, const TestCounts& counts) {
    into.set("passedCount", counts.passed);
    into.set("failedCount", counts.failed);
    into.set("resultCount", counts.total());
}

Value countField(std::string_view name, const TestCounts& counts) {
    if (name == "passedCount") return counts.passed;
    if (name == "failedCount") return counts.failed;
    if (name == "resultCount") return counts.total();
    return {};
}

bool isCountField(std::string_view name) {
    return name == "passedCount" || name == "failedCount" || name == "resultCount";
}

class PairObject final : public stencil::HostObject {
public:
    explicit PairObject(Shared<TestColorResult> pair) : pair_(std::move(pair)) {}

    std::optional<Value> lookup(std::string_view name) const override {
        const auto& pair = *pair_;
        if (name == "foregroundColorName") return Value(pair.foregroundColorName);
        if (name == "foregroundCSSColorString") return Value(pair.foregroundCSSColorString);
        if (name == "backgroundColorName") return Value(pair.backgroundColorName);
        if (name == "backgroundCSSColorString") return Value(pair.backgroundCSSColorString);
        if (name == "source") return Value(caseName(pair.source));
        if (name == "sourceName") return Value(displayName(static_cast<ColorSource>(pair.source)));
        if (name == "sourceCSSId") return Value(pair.sourceCSSId);
        if (name == "testResultSummary") return Value(pair.testResultSummary);
        if (name == "passed") return Value(pair.passed);
        return std::nullopt;
    }
    std::string description() const override { return pair_->testResultSummary; }

private:
    static std::string_view caseName(TestedAppearance source) {
        switch (source) {
            case TestedAppearance::light: return "light";
            case TestedAppearance::lightHighContrast: return "lightHighContrast";
            case TestedAppearance::dark: return "dark";
            case TestedAppearance::darkHighContrast: return "darkHighContrast";
        }
        return "light";
    }

    Shared<TestColorResult> pair_;
};

class TestObject final : public stencil::HostObject {
public:
    explicit TestObject(Shared<ColorTestResult> test) : test_(std::move(test)), counts_(countResults(*test_)) {}

    std::optional<Value> lookup(std::string_view name) const override {
        if (name == "testSummaryName") return Value(test_->testSummaryName);
        if (name == "testColors") {
            Value::Array pairs;
            pairs.reserve(test_->testColors.size());
            for (const auto& pair : test_->testColors) {
                pairs.emplace_back(std::make_shared<const PairObject>(Shared<TestColorResult>(test_, &pair)));
            }
            return Value(std::move(pairs));
        }
        if (isCountField(name)) return countField(name, counts_);
        return std::nullopt;
    }
    std::string description() const override { return test_->testSummaryName; }

private:
    Shared<ColorTestResult> test_;
    TestCounts counts_;
};

TestCounts countsOf(const ColorTestGroupResult& group) {
    TestCounts counts;
    for (const auto& test : group.tests) counts += countResults(test);
    return counts;
}

class GroupObject final : public stencil::HostObject {
public:
    explicit GroupObject(Shared<ColorTestGroupResult> group) : group_(std::move(group)), counts_(countsOf(*group_)) {}

    std::optional<Value> lookup(std::string_view name) const override {
        const auto& group = *group_;
        if (name == "testGroupName") return Value(group.testGroupName);
        if (name == "testTime") return Value(group.testTime);
        if (name == "passSummary") return Value(group.passSummary);
        if (name == "failSummary") return Value(group.failSummary);
        if (name == "resultPassPercent") return Value(group.resultPassPercent);
        if (name == "tests") {
            Value::Array tests;
            tests.reserve(group.tests.size());
            for (const auto& test : group.tests) {
                tests.emplace_back(std::make_shared<const TestObject>(Shared<ColorTestResult>(group_, &test)));
            }
            return Value(std::move(tests));
        }
        if (isCountField(name)) return countField(name, counts_);
        return std::nullopt;
    }
    std::string description() const override { return group_->testGroupName; }

private:
    Shared<ColorTestGroupResult> group_;
    TestCounts counts_;
};

}  // namespace

stencil::Value testReportContext(std::vector<ColorTestGroupResult> results, const std::string& documentName) {
    auto shared = std::make_shared<const Results>(std::move(results));
    Value::Array groups;
    TestCounts total;
    for (const auto& group : *shared) {
        auto object = std::make_shared<const GroupObject>(Shared<ColorTestGroupResult>(shared, &group));
        total += countsOf(group);
        groups.emplace_back(std::move(object));
    }
    stencil::Dictionary context;
    context.set("results", Value(std::move(groups)));
    context.set("documentName", documentName);
    addCounts(context, total);
    return Value(std::move(context));
}

}  // namespace vantorel
