#pragma once
// Where the application's shared-support files live: the built-in templates, the test report
// pages and the default document. The VANTOREL_RESOURCES environment variable points elsewhere
// (an installed copy, a test's own files); otherwise the folder compiled into the program.

#include <filesystem>
#include <string_view>

namespace vantorel::platform {

std::filesystem::path resourcesFolder();

// A file inside the resources folder, e.g. resourcePath("Templates/cssBase.stencil").
std::filesystem::path resourcePath(std::string_view relativePath);

}  // namespace vantorel::platform
