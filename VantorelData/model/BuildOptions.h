#pragma once
// The enumerations of build tasks: which exporter writes the output, the case style of code
// names, and the color text form of style sheets. Integer codes are 0-based positions.

#include <array>
#include <optional>
#include <string_view>

namespace vantorel {

enum class BuildFileType {
    text,
    css,
    scss,
    assetCatalog,
    swiftUIEnum,
    swiftUIKitEnum,
    swiftAppKitEnum,
    androidResource,
    gl,
    metal,
    jsonDesignToken,
    androidCompose,
    customTemplate,
    less,
};
inline constexpr int buildFileTypeCount = 14;

std::string_view displayName(BuildFileType type);  // "Text", "CSS", …, "LESS"
// The extension a file name without one gets, with its full stop (".css").
std::string_view fileExtension(BuildFileType type);
int code(BuildFileType type);
std::optional<BuildFileType> buildFileTypeFromCode(long long code);
// Style-sheet and text outputs keep a color text format; the others have none.
bool keepsExportFormat(BuildFileType type);

enum class BuildNameTransform { none, camelCase, pascalCase, snakeCase, kebabCase };

std::string_view displayName(BuildNameTransform transform);  // "Don't Change", "camelCase", …
int code(BuildNameTransform transform);
std::optional<BuildNameTransform> buildNameTransformFromCode(long long code);

enum class BuildExportFormat { cssHex, cssRGBA, cssColor, cssOKLCH };

std::string_view rawString(BuildExportFormat format);   // the case name: "cssHex", …
std::string_view displayName(BuildExportFormat format); // "CSS Hex RGB", "CSS rgb()", …
std::optional<BuildExportFormat> buildExportFormatFromRawString(std::string_view raw);

inline constexpr std::array<BuildExportFormat, 4> allBuildExportFormats = {
    BuildExportFormat::cssHex, BuildExportFormat::cssRGBA, BuildExportFormat::cssColor, BuildExportFormat::cssOKLCH};

}  // namespace vantorel
