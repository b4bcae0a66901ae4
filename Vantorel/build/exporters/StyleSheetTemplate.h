#pragma once
// What the CSS, SCSS and LESS exporters share: a pair of built-in templates per language (one
// writing each appearance as its own value, one writing `light-dark()` pairs), chosen by the
// task's appearance setting, and specialised for the task's color format by replacing the
// placeholder words "COLOR_FORMAT_TAG" and "LIGHT_DARK_FORMAT_TAG" before rendering.

#include <string_view>
#include <vector>

#include "Vantorel/build/BuildTaskExporter.h"
#include "Vantorel/build/exporters/BuiltInTemplate.h"

namespace vantorel::build {

// The two templates of one style-sheet language.
struct StyleSheetTemplates {
    std::string_view individual;  // e.g. "cssBase"
    std::string_view lightDark;   // e.g. "cssBaseLightDark"
};

// The template for the task: `lightDark` only when the task asks for "lightDark".
std::string_view styleSheetTemplateName(const StyleSheetTemplates& templates, const BuildTask& task);

// The replacements for the task's export format; no format counts as `color()`.
std::vector<TemplateSubstitution> styleSheetSubstitutions(const BuildTask& task);

// The whole export of one style-sheet task.
ExportResult exportStyleSheet(const QuenzColorProject& project, const StyleSheetTemplates& templates,
                              const ExportRequest& request);

}  // namespace vantorel::build
