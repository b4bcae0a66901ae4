#pragma once
// The HTML test report: the "TestOutput" template rendered by our template engine with the
// group results under "results", or the "NoResults" page as it is when no group produced a
// result. Both come from the application's resources.

#include <filesystem>
#include <string>
#include <variant>
#include <vector>

#include "Vantorel/testing/TestRunnerResults.h"

namespace vantorel {

inline constexpr const char* testOutputTemplateResource = "Templates/TestOutput.stencil";
inline constexpr const char* noResultsPageResource = "NoResults.html";

struct TestReportPages {
    std::string testOutputTemplate;
    std::string noResultsPage;
};

struct TestReportError {
    std::string message;
};

// Reads both pages from the resources folder; an error names the file that cannot be read.
std::variant<TestReportPages, TestReportError> loadTestReportPages(const std::filesystem::path& resourcesFolder);
// From the application's resources folder.
std::variant<TestReportPages, TestReportError> loadTestReportPages();

struct TestReportOptions {
    std::string documentName;  // shown in the title when given
};

// The report's HTML; an error carries the engine's message when the template is broken.
// Templates see the filter "escape", which writes a value as HTML text.
std::variant<std::string, TestReportError> renderTestReport(const std::vector<ColorTestGroupResult>& results,
                                                            const TestReportPages& pages,
                                                            const TestReportOptions& options = {});

// `&`, `<`, `>`, `"` and `'` as character references.
std::string escapeHTML(std::string_view text);

}  // namespace vantorel
