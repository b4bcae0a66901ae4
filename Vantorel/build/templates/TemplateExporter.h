#pragma once
// The template exporter: turns the items assigned to a build group into template records,
// renders one template against them with the build tags and the "smart" trim behaviour, and
// writes the result to the task's output file. Templates cannot include or extend others: an
// export has no template loader. The style-sheet, Swift, Metal, OpenGL and Compose exporters
// hand it their built-in template; the custom-template exporter hands it the user's file.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Stencil/TrimBehaviour.h"
#include "Stencil/Value.h"
#include "Vantorel/build/BuildTaskExporter.h"
#include "Vantorel/build/templates/TemplateRecords.h"

namespace vantorel::build {

struct TemplateRenderOptions {
    // Names the template in engine errors ("cssBase:3:1: Unknown tag 'x'"); may be empty.
    std::string templateName;
    stencil::TrimBehaviour trim = stencil::TrimBehaviour::smart();
    // Room taken for the text up front, so that a long output is not copied each time it
    // outgrows its buffer. Room never written costs no memory.
    std::size_t expectedSize = 0;
};

// The context templates render against: "items" (the records, in export order),
// "exportFileName" (the task's file name without extension) and "exportFileNameWithExtension".
stencil::Value templateRenderContext(const std::vector<TemplateItemPtr>& items, const BuildTask& task);

struct RenderedTemplate {
    std::string text;
    std::optional<BuildError> error;  // the engine's message: syntax errors, unknown tags, …
};

// Renders a template against a context with the build tags and filters, writing nothing.
RenderedTemplate renderTemplateText(std::string_view templateText, const stencil::Value& context,
                                    const TemplateRenderOptions& options = {});

class TemplateExporter : public BuildTaskExporter {
public:
    TemplateExporter(const QuenzColorProject& project, std::string templateContents,
                     TemplateRenderOptions options = {});

    // Replaces the task's output file with the rendered template. An engine error or a failed
    // write fails the export; a file that stood there before is gone either way.
    ExportResult exportTask(const ExportRequest& request) override;

    // Collects the items (or takes the build's shared records of them) and renders them under
    // the task's settings, writing nothing.
    RenderedTemplate render(const BuildTask& task, const std::vector<ProjectItemPtr>& items,
                            SharedTemplateItems* sharedItems = nullptr);

    const std::string& templateContents() const { return templateContents_; }
    // The records of the last export or render, in export order.
    const std::vector<TemplateItemPtr>& itemsForExport() const { return itemsForExport_; }

private:
    const QuenzColorProject& project_;
    std::string templateContents_;
    TemplateRenderOptions options_;
    std::vector<TemplateItemPtr> itemsForExport_;
};

// One export through a TemplateExporter: what the built-in exporters call with their
// (possibly specialised) template text.
ExportResult renderTemplate(std::string_view templateText, const ExportRequest& request,
                            const TemplateRenderOptions& options = {});

}  // namespace vantorel::build
