#include "Vantorel/build/exporters/JsonDesignExporter.h"

#include "Vantorel/build/OutputBuffer.h"
#include "Vantorel/build/exporters/DesignTokenTree.h"
#include "Vantorel/build/exporters/ExportLocations.h"
#include "Vantorel/platform/AtomicFile.h"

namespace vantorel::build {
namespace {
constexpr const char* failurePrefix = "Unable to export JSON file: ";
}

JsonDesignExporter::Text JsonDesignExporter::designTokenText(const QuenzColorProject& project, const BuildTask& task,
                                                             const std::vector<ProjectItemPtr>& items) {
    DesignTokenTree tree(project, task);
    tree.reserve(items.size());
    for (const auto& item : items) {
        if (item) tree.insert(*item);
    }
    auto text = tree.text();
    if (!text) return {{}, BuildError{std::string(failurePrefix) + "Unable to export JSON file"}};
    return {std::move(*text), std::nullopt};
}

ExportResult JsonDesignExporter::exportTask(const ExportRequest& request) {
    auto location = outputPath(request);
    if (location.error) return {{}, BuildError{failurePrefix + location.error->message}};
    const auto& path = location.path;
    removeEarlierOutput(path);
    auto rendered = designTokenText(project_, request.task, request.items);
    if (rendered.error) return {{}, std::move(rendered.error)};
    auto error = platform::writeFileAtomically(path, rendered.text);
    keepOutputBuffer(std::move(rendered.text));
    if (error) return ExportResult::failure(failurePrefix + error->message);
    return ExportResult::written(path);
}

}  // namespace vantorel::build
