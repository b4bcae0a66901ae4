#include "Vantorel/testing/TestReport.h"

#include "Stencil/Environment.h"
#include "Stencil/Extension.h"
#include "Vantorel/platform/AtomicFile.h"
#include "Vantorel/platform/Resources.h"
#include "Vantorel/testing/TestReportContext.h"

namespace vantorel {
namespace {

stencil::Extension reportExtension() {
    stencil::Extension extension;
    extension.registerFilter("escape", [](const stencil::Value& value) -> stencil::Result<stencil::Value> {
        return stencil::Value(escapeHTML(value.text()));
    });
    return extension;
}

}  // namespace

std::string escapeHTML(std::string_view text) {
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&': escaped += "&amp;"; break;
            case '<': escaped += "&lt;"; break;
            case '>': escaped += "&gt;"; break;
            case '"': escaped += "&quot;"; break;
            case '\'': escaped += "&#39;"; break;
            default: escaped += c; break;
        }
    }
    return escaped;
}

std::variant<TestReportPages, TestReportError> loadTestReportPages(const std::filesystem::path& resourcesFolder) {
    auto output = platform::readWholeFile(resourcesFolder / testOutputTemplateResource);
    if (output.error) return TestReportError{"cannot read the test report template: " + output.error->message};
    auto empty = platform::readWholeFile(resourcesFolder / noResultsPageResource);
    if (empty.error) return TestReportError{"cannot read the test report page: " + empty.error->message};
    return TestReportPages{std::move(output.bytes), std::move(empty.bytes)};
}

std::variant<TestReportPages, TestReportError> loadTestReportPages() {
    return loadTestReportPages(platform::resourcesFolder());
}

std::variant<std::string, TestReportError> renderTestReport(const std::vector<ColorTestGroupResult>& results,
                                                            const TestReportPages& pages,
                                                            const TestReportOptions& options) {
    if (results.empty()) return pages.noResultsPage;
    // Like the built-in export templates: no loader, so the report cannot pull in other files,
    // and block tags on lines of their own leave no blank lines behind.
    const stencil::Environment environment(nullptr, {reportExtension()}, stencil::TrimBehaviour::smart());
    auto compiled = environment.templateFromString(pages.testOutputTemplate, "TestOutput");
    if (!compiled) return TestReportError{"the test report template is broken: " + compiled.error().describe()};
    auto rendered = compiled->render(testReportContext(results, options.documentName));
    if (!rendered) return TestReportError{"the test report failed to render: " + rendered.error().describe()};
    return std::move(rendered.value());
}

}  // namespace vantorel
