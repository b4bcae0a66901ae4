#include "Vantorel/platform/UserLocale.h"

#include <unicode/locid.h>

#include <cstdlib>
#include <cstdint>
#include <cstring>

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

bool isKnownLocale(const std::string& posixName) {
    const std::string name = icuLocaleNameFromPOSIX(posixName);
    if (name == "en_US_POSIX") return true;
    const icu::Locale locale(name.c_str());
    if (locale.isBogus() || std::strlen(locale.getLanguage()) == 0) return false;
    // ICU answers every name with its nearest data, down to the root locale; a country it
    // cannot name in ISO 3166 is a typing error, not a region without data.
    if (std::strlen(locale.getCountry()) != 0 && std::strlen(locale.getISO3Country()) == 0) return false;
    std::int32_t count = 0;
    const icu::Locale* available = icu::Locale::getAvailableLocales(count);
    for (std::int32_t i = 0; i < count; ++i) {
        if (std::strcmp(available[i].getLanguage(), locale.getLanguage()) == 0) return true;
    }
    return false;
}

void overrideUserLocale(const std::string& localeName) { overriddenLocale() = localeName; }

}  // namespace vantorel::platform
