// Names from documents and file systems reach JSON and JUnit outputs as arbitrary bytes: what
// comes out is always valid UTF-8, valid text is kept as it is, and the JSON text reads back.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "Vantorel/platform/OutputText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vantorel::platform;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string valid = validUTF8(bytes);
    if (!isValidUTF8(valid)) std::abort();
    if (isValidUTF8(bytes) && valid != bytes) std::abort();

    nlohmann::json value = {{std::string(bytes), nlohmann::json::array({std::string(bytes), 1})}};
    const auto parsed = nlohmann::json::parse(jsonOutputText(value, -1));
    if (parsed.begin().key() != valid || parsed.begin().value()[0] != valid) std::abort();
    return 0;
}
