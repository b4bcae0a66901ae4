// Kiwi schemas and messages from any bytes. The first byte picks the mode: odd decodes the rest
// with a fixed Figma-shaped schema (so that mutations reach deep into messages); even reads a
// schema from the bytes up to the first "\xFF\xFE" and decodes what follows with it, rooted at
// the definition the second byte picks. Reading fails or succeeds; it never crashes or hangs,
// and the import's scan for colors agrees with the decoded tree.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "Vantorel/import/figma/FigmaColorScan.h"
#include "Vantorel/import/figma/KiwiDecoder.h"
#include "tests/VantorelImport/FigmaTestFiles.h"

using namespace vantorel::import::figma;

namespace {

void decodeWithEveryRoot(const KiwiSchema& schema, std::string_view data, std::uint8_t pick) {
    const KiwiDecoder decoder(schema, {{"GUID", [](KiwiValue&& v) { return std::move(v); }},
                                       {"Color", [](KiwiValue&&) -> KiwiValue { return 0.0; }}});
    std::string error;
    if (schema.types().empty()) {
        (void)decoder.decode(data, "Message", error);
        return;
    }
    const TypeInfo& root = schema.types()[pick % schema.types().size()];
    if (const auto value = decoder.decode(data, root.name, error)) (void)value->field("color");

    // The import's scan for colors must find what the walk over the tree finds, whenever it
    // does not leave the data to the tree. Converted values hold no map, as the import's do.
    const KiwiDecoder figmaDecoder(schema, {{"GUID", [](KiwiValue&&) -> KiwiValue { return std::string("id"); }},
                                            {"Matrix", [](KiwiValue&&) -> KiwiValue { return KiwiList{}; }}});
    const auto scanned = scanFigmaColors(figmaDecoder, data, root.name);
    if (const auto* found = std::get_if<FigmaColors>(&scanned)) {
        const auto tree = figmaDecoder.decode(data, root.name, error);
        if (!tree) std::abort();
        const FigmaColors walked = figmaColorsOfTree(*tree);
        if (walked.displayP3 != found->displayP3 || walked.colors.size() != found->colors.size() ||
            std::memcmp(walked.colors.data(), found->colors.data(), found->colors.size() * sizeof(found->colors[0])) != 0)
            std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    if (size < 2) return 0;
    const std::string_view input(reinterpret_cast<const char*>(bytes) + 2, size - 2);
    std::string error;
    if (bytes[0] & 1) {
        static const auto figmaSchema =
            KiwiSchema::parse(vantorel::import::testing::encodeSchema(vantorel::import::testing::figmaLikeSchema()),
                              error);
        decodeWithEveryRoot(*figmaSchema, input, bytes[1]);
        return 0;
    }
    const std::size_t split = input.find("\xFF\xFE");
    const std::string_view schemaBytes = input.substr(0, split);
    const std::string_view data = split == std::string_view::npos ? std::string_view() : input.substr(split + 2);
    if (const auto schema = KiwiSchema::parse(schemaBytes, error)) decodeWithEveryRoot(*schema, data, bytes[1]);
    return 0;
}
