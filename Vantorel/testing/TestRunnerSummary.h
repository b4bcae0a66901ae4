#pragma once
// The pass and fail counts of a test group and the summary texts made from them.

#include <optional>
#include <string>

namespace vantorel {

struct TestCounts {
    int passed = 0;
    int failed = 0;

    int total() const { return passed + failed; }
    TestCounts& operator+=(const TestCounts& other) {
        passed += other.passed;
        failed += other.failed;
        return *this;
    }
    friend bool operator==(const TestCounts&, const TestCounts&) = default;
};

struct TestGroupSummary {
    std::string passSummary;  // "P passed (x%)"
    std::string failSummary;  // "F failed (y%)"
    int resultPassPercent = 0;

    friend bool operator==(const TestGroupSummary&, const TestGroupSummary&) = default;
};

// None when nothing was evaluated. Each percentage is truncated on its own, so the two need
// not add up to 100: 1 passed and 2 failed give 33% and 66%.
std::optional<TestGroupSummary> summarizeTestGroup(const TestCounts& counts);

}  // namespace vantorel
