#pragma once
// The tags and filters that build templates use beyond the engine's own: color tags that write
// a TemplateRGBAColor in one text format ("colorAsHex", "colorAsCSSColor", …), "lightDark"
// pairs, shadow tags for CSS and for the VantorelShadow constructors, "codeSafeName", the
// "replace" filter and the filters that write names and texts for each generated language. A tag never stops a render: when its argument is missing or of the wrong
// kind it writes a short failure note in place of its value.

#include <string_view>

#include "Stencil/Extension.h"

namespace vantorel::build {

// Texts written in place of a value that a tag could not produce.
inline constexpr std::string_view colorTagFailure = "Rendering color failed";
inline constexpr std::string_view lightDarkFailure = "light-dark formatting failed";
inline constexpr std::string_view lightDarkLightColorFailure = "light-dark unable to convert light color to ";
inline constexpr std::string_view lightDarkDarkColorFailure = "light-dark unable to convert dark color to ";
inline constexpr std::string_view shadowTagFailure = "Formatting shadow failed";
inline constexpr std::string_view shadowColorFailure = "Formatting shadow color failed";
inline constexpr std::string_view nameTagFailure = "Formatting name failed";

// What clipped colors carry in exported text.
inline constexpr std::string_view clippedColorSuffix = " /* Clipped due to being outside sRGB */";

// The language a VantorelShadow constructor is written in: SwiftUI, UIKit, AppKit or Kotlin.
enum class ColorFormatType { swift, uiKit, appKit, kotlin };

// A fresh extension with every tag and filter; each export makes its own.
stencil::Extension makeTemplateExtension();

// The parts, for callers that want only some of them.
void registerColorTags(stencil::Extension& extension);
void registerShadowTags(stencil::Extension& extension);
void registerNameTags(stencil::Extension& extension);
void registerReplaceFilter(stencil::Extension& extension);
// Names, string literals and comments in the form each generated language accepts.
void registerSourceTextFilters(stencil::Extension& extension);

}  // namespace vantorel::build
