#include "Vantorel/build/ExporterFactory.h"

#include <memory>
#include <string>

#include "Vantorel/build/exporters/AndroidComposeExporter.h"
#include "Vantorel/build/exporters/AndroidResourceExporter.h"
#include "Vantorel/build/exporters/AssetCatalogExporter.h"
#include "Vantorel/build/exporters/CustomTemplateExporter.h"
#include "Vantorel/build/exporters/CSSExporter.h"
#include "Vantorel/build/exporters/JsonDesignExporter.h"
#include "Vantorel/build/exporters/LESSExporter.h"
#include "Vantorel/build/exporters/MetalExporter.h"
#include "Vantorel/build/exporters/OpenGLExporter.h"
#include "Vantorel/build/exporters/SCSSExporter.h"
#include "Vantorel/build/exporters/SwiftEnumExporter.h"

namespace vantorel::build {

UnavailableExporter::UnavailableExporter(std::string_view outputKind)
    : message_("This version of Vantorel can't write " + std::string(outputKind) + " files yet.") {}

ExportResult UnavailableExporter::exportTask(const ExportRequest&) { return ExportResult::failure(message_); }

namespace {
BuildTaskExporterPtr unavailable(std::string_view outputKind) {
    return std::make_unique<UnavailableExporter>(outputKind);
}
}  // namespace

BuildTaskExporterPtr makeExporter(BuildFileType type, const QuenzColorProject& project) {
    switch (type) {
        case BuildFileType::text: return std::make_unique<CSSExporter>(project);  // plain text is written as CSS
        case BuildFileType::css: return std::make_unique<CSSExporter>(project);
        case BuildFileType::scss: return std::make_unique<SCSSExporter>(project);
        case BuildFileType::less: return std::make_unique<LESSExporter>(project);
        case BuildFileType::assetCatalog: return std::make_unique<AssetCatalogExporter>(project);
        case BuildFileType::swiftUIEnum: return std::make_unique<SwiftEnumExporter>(project, SwiftFlavour::swiftUI);
        case BuildFileType::swiftUIKitEnum: return std::make_unique<SwiftEnumExporter>(project, SwiftFlavour::uiKit);
        case BuildFileType::swiftAppKitEnum: return std::make_unique<SwiftEnumExporter>(project, SwiftFlavour::appKit);
        case BuildFileType::metal: return std::make_unique<MetalExporter>(project);
        case BuildFileType::gl: return std::make_unique<OpenGLExporter>(project);
        case BuildFileType::androidResource: return std::make_unique<AndroidResourceExporter>(project);
        case BuildFileType::androidCompose: return std::make_unique<AndroidComposeExporter>(project);
        case BuildFileType::jsonDesignToken: return std::make_unique<JsonDesignExporter>(project);
        case BuildFileType::customTemplate: return std::make_unique<CustomTemplateExporter>(project);
    }
    return unavailable(displayName(type));
}

}  // namespace vantorel::build
