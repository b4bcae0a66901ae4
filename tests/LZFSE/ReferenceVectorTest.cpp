// Streams assembled by make_vectors.py, an independent implementation of the format, cover
// every block kind and every LZVN opcode.
#include <gtest/gtest.h>

#include "LZFSE/Lzfse.h"
#include "tests/LZFSE/TestData.h"

namespace lzfse {
namespace {

class ReferenceVector : public ::testing::TestWithParam<const char*> {};

TEST_P(ReferenceVector, DecodesToItsOriginal) {
    const std::string base = std::string(VANTOREL_TEST_DATA) + "/" + GetParam();
    const std::vector<uint8_t> stream = testing::readFile(base + ".lzfse");
    const std::vector<uint8_t> original = testing::readFile(base + ".bin");
    ASSERT_FALSE(stream.empty());
    const DecodeResult result = decodeChecked(stream);
    ASSERT_TRUE(result.ok()) << result.error();
    EXPECT_TRUE(result.bytes() == original);
    // And our own encoding of the same bytes comes back too.
    EXPECT_TRUE(decode(encode(original)) == original);
}

INSTANTIATE_TEST_SUITE_P(Vectors, ReferenceVector,
                         ::testing::Values("empty-raw", "raw", "lzvn-opcodes", "v1-xml", "v2-xml",
                                           "multi-block", "v2-runs"),
                         [](const ::testing::TestParamInfo<const char*>& p) {
                             std::string name = p.param;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

}  // namespace
}  // namespace lzfse
