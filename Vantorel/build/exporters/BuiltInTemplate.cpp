#include "Vantorel/build/exporters/BuiltInTemplate.h"

#include "Vantorel/build/templates/TemplateExporter.h"
#include "Vantorel/build/templates/TemplateFiles.h"

namespace vantorel::build {

std::string substituted(std::string text, const std::vector<TemplateSubstitution>& substitutions) {
    for (const auto& substitution : substitutions) {
        if (substitution.from.empty()) continue;
        std::string result;
        result.reserve(text.size());
        std::size_t start = 0;
        for (auto found = text.find(substitution.from); found != std::string::npos;
             found = text.find(substitution.from, start)) {
            result.append(text, start, found - start);
            result.append(substitution.to);
            start = found + substitution.from.size();
        }
        result.append(text, start);
        text = std::move(result);
    }
    return text;
}

ExportResult exportWithBuiltInTemplate(const QuenzColorProject& project, std::string_view name,
                                       const std::vector<TemplateSubstitution>& substitutions,
                                       const ExportRequest& request) {
    auto loaded = builtInTemplate(name);
    if (loaded.error) {
        return ExportResult{{}, std::move(loaded.error)};
    }
    TemplateRenderOptions options;
    options.templateName = std::string(name);
    TemplateExporter exporter(project, substituted(std::move(loaded.text), substitutions), std::move(options));
    return exporter.exportTask(request);
}

}  // namespace vantorel::build
