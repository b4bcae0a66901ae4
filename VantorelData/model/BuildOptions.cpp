#include "VantorelData/model/BuildOptions.h"

#include "VantorelData/model/EnumText.h"

namespace vantorel {
namespace {

constexpr std::array<std::string_view, buildFileTypeCount> fileTypeNames = {
    "Text",  "CSS",   "SCSS",               "Asset Catalog",   "SwiftUI Enum",    "Swift UIKit Enum", "Swift AppKit Enum",
    "Android Resource XML", "OpenGL/WebGL", "Metal", "Design Tokens JSON", "Android Compose", "Custom Template", "LESS"};
constexpr std::array<std::string_view, buildFileTypeCount> fileTypeExtensions = {
    ".txt", ".css", ".scss", ".xcassets", ".swift", ".swift", ".swift",
    ".xml", ".gl",  ".metal", ".json",    ".kt",    ".txt",   ".less"};
constexpr std::array<std::string_view, 5> nameTransformNames = {"Don't Change", "camelCase", "PascalCase",
                                                                 "snake_case", "kebab-case"};
constexpr std::array<std::string_view, 4> exportFormatRaw = {"cssHex", "cssRGBA", "cssColor", "cssOKLCH"};
constexpr std::array<std::string_view, 4> exportFormatNames = {"CSS Hex RGB", "CSS rgb()", "CSS color()",
                                                               "CSS oklch()"};

}  // namespace

std::string_view displayName(BuildFileType type) { return enum_text::textOf(fileTypeNames, type); }
std::string_view fileExtension(BuildFileType type) { return enum_text::textOf(fileTypeExtensions, type); }
int code(BuildFileType type) { return static_cast<int>(type); }
std::optional<BuildFileType> buildFileTypeFromCode(long long code) {
    return enum_text::caseAt<BuildFileType, buildFileTypeCount>(code);
}

bool keepsExportFormat(BuildFileType type) {
    return type == BuildFileType::text || type == BuildFileType::css || type == BuildFileType::scss ||
           type == BuildFileType::less;
}

std::string_view displayName(BuildNameTransform transform) { return enum_text::textOf(nameTransformNames, transform); }
int code(BuildNameTransform transform) { return static_cast<int>(transform); }
std::optional<BuildNameTransform> buildNameTransformFromCode(long long code) {
    return enum_text::caseAt<BuildNameTransform, 5>(code);
}

std::string_view rawString(BuildExportFormat format) { return enum_text::textOf(exportFormatRaw, format); }
std::string_view displayName(BuildExportFormat format) { return enum_text::textOf(exportFormatNames, format); }
std::optional<BuildExportFormat> buildExportFormatFromRawString(std::string_view raw) {
    return enum_text::caseWithText<BuildExportFormat>(exportFormatRaw, raw);
}

}  // namespace vantorel
