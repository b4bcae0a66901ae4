// Arbitrary bytes must either decode within the output limit or be rejected with a message.
#include <cstdlib>

#include "LZFSE/Lzfse.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    constexpr size_t kLimit = size_t{16} << 20;
    const lzfse::DecodeResult result = lzfse::decodeChecked({data, size}, kLimit);
    if (result.ok() ? result.bytes().size() > kLimit : result.error().empty()) std::abort();
    return 0;
}
