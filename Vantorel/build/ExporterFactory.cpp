#include "Vantorel/build/ExporterFactory.h"

#include <memory>
#include <string>

#include "Vantorel/build/exporters/AndroidResourceExporter.h"
#include "Vantorel/build/exporters/AssetCatalogExporter.h"
#include "Vantorel/build/exporters/JsonDesignExporter.h"

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
        case BuildFileType::text: return unavailable("CSS");  // plain text is written as CSS
        case BuildFileType::css: return unavailable("CSS");
        case BuildFileType::scss: return unavailable("SCSS");
        case BuildFileType::less: return unavailable("LESS");
        case BuildFileType::assetCatalog: return std::make_unique<AssetCatalogExporter>(project);
        case BuildFileType::swiftUIEnum: return unavailable("SwiftUI Enum");
        case BuildFileType::swiftUIKitEnum: return unavailable("Swift UIKit Enum");
        case BuildFileType::swiftAppKitEnum: return unavailable("Swift AppKit Enum");
        case BuildFileType::metal: return unavailable("Metal");
        case BuildFileType::gl: return unavailable("OpenGL/WebGL");
        case BuildFileType::androidResource: return std::make_unique<AndroidResourceExporter>(project);
        case BuildFileType::androidCompose: return unavailable("Android Compose");
        case BuildFileType::jsonDesignToken: return std::make_unique<JsonDesignExporter>(project);
        case BuildFileType::customTemplate: return unavailable("custom template");
    }
    return unavailable(displayName(type));
}

}  // namespace vantorel::build
