#include "Vantorel/build/templates/TemplateFiles.h"

#include <unicode/ustring.h>

#include <limits>

#include "Vantorel/platform/AtomicFile.h"
#include "Vantorel/platform/Resources.h"

namespace vantorel::build {
namespace {

constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

bool isUTF8(std::string_view text) {
    if (text.size() > static_cast<std::size_t>(std::numeric_limits<int32_t>::max())) return false;
    UErrorCode status = U_ZERO_ERROR;
    int32_t length = 0;
    // Measuring the UTF-16 length validates every sequence on the way.
    u_strFromUTF8(nullptr, 0, &length, text.data(), static_cast<int32_t>(text.size()), &status);
    return status == U_BUFFER_OVERFLOW_ERROR || status == U_STRING_NOT_TERMINATED_WARNING || U_SUCCESS(status);
}

}  // namespace

TemplateText readTemplateFile(const std::filesystem::path& file) {
    std::error_code ignored;
    if (std::filesystem::is_directory(file, ignored)) {
        return {{}, BuildError{"The template \"" + file.string() + "\" is a folder, not a template file."}};
    }
    auto contents = platform::readWholeFile(file);
    if (contents.error) return {{}, BuildError{contents.error->message}};
    std::string_view text = contents.bytes;
    if (text.starts_with(byteOrderMark)) text.remove_prefix(byteOrderMark.size());
    if (!isUTF8(text)) {
        return {{}, BuildError{"The template \"" + file.string() + "\" couldn't be read because it isn't UTF-8 text."}};
    }
    return {std::string(text), std::nullopt};
}

std::filesystem::path builtInTemplatePath(std::string_view name) {
    return platform::resourcePath("Templates/" + std::string(name) + ".stencil");
}

TemplateText builtInTemplate(std::string_view name) {
    if (name.empty() || name.find('/') != std::string_view::npos || name.find('\0') != std::string_view::npos ||
        name.starts_with(".")) {
        return {{}, BuildError{"There is no built-in template named \"" + std::string(name) + "\"."}};
    }
    return readTemplateFile(builtInTemplatePath(name));
}

}  // namespace vantorel::build
