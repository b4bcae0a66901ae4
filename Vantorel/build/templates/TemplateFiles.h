#pragma once
// Reading template text: the built-in templates that ship in the resources folder as
// "Templates/" + name + ".stencil", and template files the user chose. Templates are UTF-8
// text; a leading byte-order mark is dropped.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "Vantorel/build/BuildTaskExporter.h"

namespace vantorel::build {

struct TemplateText {
    std::string text;
    std::optional<BuildError> error;  // names the file and why it could not be read
};

// The whole file as UTF-8 text.
TemplateText readTemplateFile(const std::filesystem::path& file);

// Where the built-in template of this name lives ("cssBase" → ".../Templates/cssBase.stencil").
std::filesystem::path builtInTemplatePath(std::string_view name);

// The built-in template's text; a name that is not a plain file name is an error.
TemplateText builtInTemplate(std::string_view name);

}  // namespace vantorel::build
