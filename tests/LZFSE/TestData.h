// Inputs shared by the LZFSE tests: deterministic text, noise and runs of any length.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace lzfse::testing {

inline std::vector<uint8_t> xmlLike(size_t size) {
    std::string xml = "<?xml version=\"1.0\"?>\n<document>\n";
    for (size_t i = 0; xml.size() < size; ++i) {
        xml += "  <color name=\"accent-" + std::to_string(i % 37) + "\" light=\"#" +
               std::to_string(100000 + i * 7919 % 899999) + "\" dark=\"#" +
               std::to_string(100000 + i * 104729 % 899999) + "\"/>\n";
    }
    xml.resize(size);
    return {xml.begin(), xml.end()};
}

inline std::vector<uint8_t> noise(size_t size, uint32_t seed = 1) {
    std::vector<uint8_t> bytes(size);
    for (auto& b : bytes) {
        seed ^= seed << 13;
        seed ^= seed >> 17;
        seed ^= seed << 5;
        b = static_cast<uint8_t>(seed);
    }
    return bytes;
}

inline std::vector<uint8_t> runs(size_t size) {
    std::vector<uint8_t> bytes(size);
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<uint8_t>((i / 1000) % 3 == 0 ? 'a' : (i / 1000) % 3 == 1 ? i % 7 : 0);
    return bytes;
}

inline std::vector<uint8_t> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::string blockMagic(const std::vector<uint8_t>& stream) {
    return stream.size() < 4 ? std::string() : std::string(stream.begin(), stream.begin() + 4);
}

}  // namespace lzfse::testing
