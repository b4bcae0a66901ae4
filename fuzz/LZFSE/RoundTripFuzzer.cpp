// Whatever we encode must decode to the same bytes.
#include <cstdlib>
#include <cstring>

#include "LZFSE/Lzfse.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> stream = lzfse::encode({data, size});
    const lzfse::DecodeResult result = lzfse::decodeChecked(stream);
    if (!result.ok() || result.bytes().size() != size ||
        (size > 0 && std::memcmp(result.bytes().data(), data, size) != 0)) {
        std::abort();
    }
    return 0;
}
