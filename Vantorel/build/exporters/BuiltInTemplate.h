#pragma once
// The one road every exporter backed by a built-in template takes: read the template from the
// resources folder, adapt its text for the task, and let the template exporter render it.

#include <string>
#include <string_view>
#include <vector>

#include "Vantorel/build/BuildTaskExporter.h"

namespace vantorel::build {

// One plain-text replacement made in a template before it is rendered; every occurrence of
// `from` becomes `to`, in the order given.
struct TemplateSubstitution {
    std::string_view from;
    std::string_view to;
};

// `text` with every occurrence of each substitution's `from` replaced, substitution by
// substitution.
std::string substituted(std::string text, const std::vector<TemplateSubstitution>& substitutions);

// Reads the named built-in template, applies the substitutions and renders it for the request
// through the template exporter. An unreadable template writes nothing.
ExportResult exportWithBuiltInTemplate(const QuenzColorProject& project, std::string_view name, const std::vector<TemplateSubstitution>& substitutions,
                                       const ExportRequest& request);

}  // namespace vantorel::build
