#include "Vantorel/platform/UserLocale.h"

#include <cstdlib>

namespace vantorel::platform {
namespace {

std::string& overriddenLocale() {
    static std::string name;
    return name;
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

}  // namespace

std::string icuLocaleNameFromPOSIX(const std::string& posixName) {
    if (posixName.empty() || posixName == "C" || posixName == "POSIX" || posixName.rfind("C.", 0) == 0) {
        return "en_US_POSIX";
    }
    std::string name = posixName;
    std::string modifier;
    if (auto at = name.find('@'); at != std::string::npos) {
        modifier = name.substr(at);
        name.erase(at);
    }
    if (auto dot = name.find('.'); dot != std::string::npos) name.erase(dot);
    for (char& c : name) {
        if (c == '-') c = '_';
    }
    return name + modifier;
}

std::string userLocaleName(LocaleCategory category) {
    if (!overriddenLocale().empty()) return overriddenLocale();
    for (const char* variable : {"LC_ALL", category == LocaleCategory::numeric ? "LC_NUMERIC" : "LC_TIME", "LANG"}) {
        std::string value = environment(variable);
        if (!value.empty()) return icuLocaleNameFromPOSIX(value);
    }
    return "en_US_POSIX";
}

void overrideUserLocale(const std::string& localeName) { overriddenLocale() = localeName; }

}  // namespace vantorel::platform
