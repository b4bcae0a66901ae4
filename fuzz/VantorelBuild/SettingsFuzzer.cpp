// Any bytes in the user's settings file: reading them never crashes, the granted locations
// read back are well-formed, and a store that read a damaged file refuses to overwrite it.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "Vantorel/build/GrantedLocation.h"
#include "Vantorel/platform/ApplicationSettings.h"

namespace fs = std::filesystem;
using namespace vantorel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const fs::path folder = fs::temp_directory_path() / ("vantorel-settings-fuzz-" + std::to_string(::getpid()));
    static const bool made = fs::create_directories(folder) || fs::exists(folder);
    if (!made) std::abort();
    const fs::path file = folder / "settings.json";
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }

    platform::ApplicationSettings settings(file);
    for (const auto& location : build::storedGrantedLocations(settings)) {
        // Skipped entries never surface half-read.
        (void)location.id.size();
    }
    (void)settings.stringValue("GrantedLocations");

    if (settings.readError()) {
        // A damaged file is the user's; a write must leave it byte for byte.
        (void)settings.setValue("fuzz", true);
        std::ifstream in(file, std::ios::binary);
        const std::string after((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (after != std::string(reinterpret_cast<const char*>(data), size)) std::abort();
    }
    return 0;
}
