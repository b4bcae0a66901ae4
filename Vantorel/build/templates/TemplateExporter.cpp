#include "Vantorel/build/templates/TemplateExporter.h"

#include "Stencil/Environment.h"
#include "Vantorel/build/OutputBuffer.h"
#include "Vantorel/build/exporters/ExportLocations.h"
#include "Vantorel/build/templates/TemplateItemCollector.h"
#include "Vantorel/build/templates/TemplateTags.h"
#include "Vantorel/platform/AtomicFile.h"

namespace vantorel::build {

stencil::Value templateRenderContext(const std::vector<TemplateItemPtr>& items, const BuildTask& task) {
    stencil::Value::Array records;
    records.reserve(items.size());
    for (const auto& item : items) records.emplace_back(std::shared_ptr<const stencil::HostObject>(item));
    return stencil::Value(stencil::Dictionary{
        {"items", stencil::Value(std::move(records))},
        {"exportFileName", stencil::Value(task.baseFileName())},
        {"exportFileNameWithExtension", stencil::Value(task.outputFileName())},
    });
}

RenderedTemplate renderTemplateText(std::string_view templateText, const stencil::Value& context,
                                    const TemplateRenderOptions& options) {
    // No loader: a build template stands alone, so `include` and `extends` find nothing.
    const stencil::Environment environment(nullptr, {makeTemplateExtension()}, options.trim);
    auto compiled = environment.templateFromString(templateText, options.templateName);
    if (!compiled) return {{}, BuildError{compiled.error().describe()}};
    stencil::Context prepared(context);
    std::string text = takeOutputBuffer();
    text.reserve(options.expectedSize);
    if (auto error = compiled->render(prepared, text)) return {{}, BuildError{error->describe()}};
    return {std::move(text), std::nullopt};
}

TemplateExporter::TemplateExporter(const QuenzColorProject& project, std::string templateContents,
                                   TemplateRenderOptions options)
    : project_(project), templateContents_(std::move(templateContents)), options_(std::move(options)) {}

RenderedTemplate TemplateExporter::render(const BuildTask& task, const std::vector<ProjectItemPtr>& items,
                                          SharedTemplateItems* sharedItems) {
    itemsForExport_ = sharedItems ? sharedItems->itemsFor(task, items) : collectTemplateItems(project_, task, items);
    // Built-in outputs write a line or a few per item, each well under this.
    constexpr std::size_t expectedBytesPerItem = 256;
    TemplateRenderOptions options = options_;
    options.expectedSize = templateContents_.size() + itemsForExport_.size() * expectedBytesPerItem;
    return renderTemplateText(templateContents_, templateRenderContext(itemsForExport_, task), options);
}

ExportResult TemplateExporter::exportTask(const ExportRequest& request) {
    auto location = outputPath(request);
    if (location.error) return {{}, std::move(location.error)};
    removeEarlierOutput(location.path);

    auto rendered = render(request.task, request.items, request.sharedItems);
    if (rendered.error) return {{}, std::move(rendered.error)};
    auto error = platform::writeFileAtomically(location.path, rendered.text);
    keepOutputBuffer(std::move(rendered.text));
    if (error) return ExportResult::failure(error->message);
    return ExportResult::written(location.path);
}

ExportResult renderTemplate(std::string_view templateText, const ExportRequest& request,
                            const TemplateRenderOptions& options) {
    TemplateExporter exporter(request.project, std::string(templateText), options);
    return exporter.exportTask(request);
}

}  // namespace vantorel::build
