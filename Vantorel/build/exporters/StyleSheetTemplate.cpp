#include "Vantorel/build/exporters/StyleSheetTemplate.h"

namespace vantorel::build {

std::string_view styleSheetTemplateName(const StyleSheetTemplates& templates, const BuildTask& task) {
    const auto appearance = task.customValue<AppearanceColorType>();
    return appearance == AppearanceColorType::lightDark ? templates.lightDark : templates.individual;
}

std::vector<TemplateSubstitution> styleSheetSubstitutions(const BuildTask& task) {
    std::string_view colorTag = "colorAsCSSColor";
    std::string_view lightDarkFormat = "cssColor";
    switch (task.exportFormat().value_or(BuildExportFormat::cssColor)) {
        case BuildExportFormat::cssHex:
            colorTag = "colorAsCSSHexRGB";
            lightDarkFormat = "cssHex";
            break;
        case BuildExportFormat::cssRGBA:
            colorTag = "colorAsCSSRgb";
            lightDarkFormat = "cssRgb";
            break;
        case BuildExportFormat::cssColor: break;
        case BuildExportFormat::cssOKLCH:
            colorTag = "colorAsCSSOklch";
            lightDarkFormat = "cssOKLCH";
            break;
    }
    return {{"COLOR_FORMAT_TAG", colorTag}, {"LIGHT_DARK_FORMAT_TAG", lightDarkFormat}};
}

ExportResult exportStyleSheet(const QuenzColorProject& project, const StyleSheetTemplates& templates,
                              const ExportRequest& request) {
    return exportWithBuiltInTemplate(project, styleSheetTemplateName(templates, request.task),
                                     styleSheetSubstitutions(request.task), request);
}

}  // namespace vantorel::build
