// Figma import: files made by the test-side Kiwi writer, with DEFLATE and Zstandard chunks,
// both color profiles, and every documented failure; then every cut and flipped byte of a
// file, which must fail or import, never crash.

#include <gtest/gtest.h>

#include "Vantorel/import/FigmaImporter.h"
#include "Vantorel/import/Importer.h"
#include "Vantorel/import/figma/FigmaChunks.h"
#include "Vantorel/platform/Log.h"
#include "tests/VantorelImport/FigmaTestFiles.h"
#include "tests/VantorelImport/ImportTestSupport.h"
#include "tests/support/FileContents.h"
#include "tests/support/ScratchFolder.h"

namespace vantorel::import {
namespace {

using namespace vantorel::import::testing;
using C = Compression;

const std::string schema = encodeSchema(figmaLikeSchema());

// A document with a red fill, a translucent blue background, the red again inside a nested
// node, a zero-valued (one-byte) green channel and a non-finite color that is not a color.
std::string document(int profile) {
    KiwiWriter out;
    out.field(1).varUint(1).field(2).varUint(3);
    out.field(2).string("Frame").field(3).varUint(2);
    out.field(1).color(1, 0, 0, 1).end().field(2).varFloat(0.5f).end();
    out.field(4).color(0, 0, 1, 0.5f).end();
    out.field(6).varUint(1).field(3).varUint(1).field(1).color(1, 0, 0, 1).end().end();
    out.field(4).color(0, 0, 0, 0).field(1).varUint(1).varUint(2).end();
    out.field(4).color(std::numeric_limits<float>::infinity(), 0, 0, 1).end();
    if (profile >= 0) out.field(3).varUint(static_cast<std::uint64_t>(profile));
    return std::move(out.end().bytes);
}

std::string canvasZip(std::string entry) {
    return zipArchive({{"thumbnail.png", "png"}, {"canvas.fig", std::move(entry)}});
}

struct FileCase {
    const char* what;
    std::string file;
    std::string expected;  // the imported items, or the error
};

std::vector<FileCase> fileCases() {
    const std::string deflatedSchema = compressed(schema, C::deflate);
    const std::string deflatedData = compressed(document(0), C::deflate);
    return {
        {"DEFLATE chunks, sRGB", figmaFile(schema, document(0), C::deflate, C::deflate),
         "Color=#FF0000,Color=#0000FF80,Color=#00000000"},
        {"Zstandard chunks, Display P3", figmaFile(schema, document(1), C::zstd, C::zstd),
         "Color=p3#FF0000,Color=p3#0000FF80,Color=p3#00000000"},
        {"mixed chunks, no color profile", figmaFile(schema, document(-1), C::deflate, C::zstd),
         "Color=#FF0000,Color=#0000FF80,Color=#00000000"},
        {"a deflated archive entry", zipArchive({{"canvas.fig", canvasEntry(15, deflatedSchema, deflatedData)}}, false),
         "Color=#FF0000,Color=#0000FF80,Color=#00000000"},
        {"a message with no nodes", figmaFile(schema, std::string(1, '\0'), C::zstd, C::deflate), ""},
        {"a bare Kiwi stream", canvasEntry(48, deflatedSchema, deflatedData), "Unable to open Figma document"},
        {"an empty file", "", "Unable to open Figma document"},
        {"no canvas entry", zipArchive({{"document.json", "{}"}}), "No figma canvas found"},
        {"an entry too short for a version", canvasZip("fig-kiwi\x0F"),
         "The figma canvas is too short to hold a document"},
        {"version 14", canvasZip(canvasEntry(14, deflatedSchema, deflatedData)),
         "This Figma document is too old to convert, re-save it and try again"},
        {"a schema length past the end", canvasZip(canvasEntry(15, deflatedSchema, "").substr(0, 40)),
         "The figma canvas ends inside its schema"},
        {"a data length past the end", canvasZip(canvasEntry(15, deflatedSchema, deflatedData).substr(0, 22 + deflatedSchema.size())),
         "The figma canvas ends inside its data"},
        {"a schema chunk neither format reads", canvasZip(canvasEntry(15, "\xFFschema", deflatedData)),
         "Failed to decompress Figma header"},
        {"a truncated DEFLATE schema", canvasZip(canvasEntry(15, deflatedSchema.substr(0, 30), deflatedData)),
         "Failed to decompress Figma header"},
        {"a data chunk neither format reads", canvasZip(canvasEntry(15, deflatedSchema, "")),
         "Failed to decompress Figma data"},
        {"a truncated Zstandard data chunk",
         canvasZip(canvasEntry(15, deflatedSchema, compressed(document(0), C::zstd).substr(0, 20))),
         "Failed to decompress Figma data"},
        {"a damaged schema", figmaFile("\x05", document(0), C::deflate, C::deflate),
         "The Figma document's schema is damaged: the schema's definition count does not fit its size"},
        {"no Message type", figmaFile(encodeSchema({{"Color", 1, {}}}), document(0), C::deflate, C::deflate),
         "The Figma document's data is damaged: the schema has no type \"Message\""},
        {"truncated data", figmaFile(schema, document(0).substr(0, 12), C::deflate, C::deflate),
         "The Figma document's data is damaged: the data ends inside a value, at byte 12"},
    };
}

TEST(FigmaImporter, ImportsEachDistinctColorOnceOrFailsWithItsMessage) {
    for (const FileCase& test : fileCases()) {
        QuenzColorGroup group;
        const auto error = FigmaImporter::importBytes(test.file, group);
        EXPECT_EQ(error ? error->description : describe(group.items()), test.expected) << test.what;
    }
}

TEST(FigmaImporter, IsTheKindOfFigFilesAndFillsAFigmaImportGroup) {
    vantorel::testing::ScratchFolder folder("figma-import");
    const auto file = folder / "Brand.FIG";
    vantorel::testing::writeFileContents(file, figmaFile(schema, document(1), C::zstd, C::deflate));
    const ImportKindInfo* kind = Importer::kindForFile(file);
    ASSERT_TRUE(kind);
    EXPECT_EQ(kind->commandName, "figma");
    const ImportResult result = Importer::importFile(kind->kind, file);
    ASSERT_TRUE(result.group) << result.error->description;
    EXPECT_EQ(describe({result.group}), "Figma Import - Brand.FIG[Color=p3#FF0000,Color=p3#0000FF80,Color=p3#00000000]");
    EXPECT_EQ(Importer::importFile(kind->kind, folder / "missing.fig").error->description,
              "Unable to open Figma document");
}

TEST(FigmaImporter, InflatesDeflateThenZstandardUpToTheLimitAndLogsEachMiss) {
    std::string log;
    const auto previous = platform::setLogSink([&](std::string_view channel, std::string_view line) {
        log += std::string(channel) + ": " + std::string(line) + "\n";
    });
    const std::string zeros(1 << 20, '\0');
    for (const C compression : {C::deflate, C::zstd}) {
        const std::string chunk = compressed(zeros, compression);
        EXPECT_EQ(figma::inflateChunk(chunk, zeros.size()), zeros);
        EXPECT_FALSE(figma::inflateChunk(chunk, zeros.size() - 1));
    }
    platform::setLogSink(previous);
    EXPECT_EQ(log,
              "FigmaImport: Error decoding as zlib the chunk inflates to more than 1048575 bytes\n"
              "FigmaImport: Error decoding as zstd Unknown frame descriptor\n"
              "FigmaImport: Error decoding as zlib invalid stored block lengths\n"
              "FigmaImport: Error decoding as zlib invalid stored block lengths\n"
              "FigmaImport: Error decoding as zstd the chunk inflates to more than 1048575 bytes\n");
    QuenzColorGroup group;
    EXPECT_EQ(FigmaImporter::importBytes(figmaFile(schema, document(0), C::deflate, C::deflate), group, 100)
                  ->description,
              "The figma canvas cannot be read: the entry is larger than 100 bytes");
}

TEST(FigmaImporter, SurvivesEveryCutAndFlippedByteOfItsCanvas) {
    const std::string entry =
        canvasEntry(48, compressed(schema, C::deflate), compressed(document(0), C::zstd));
    std::size_t imported = 0;
    for (std::size_t size = 0; size <= entry.size(); ++size) {
        QuenzColorGroup group;
        if (!FigmaImporter::importBytes(canvasZip(entry.substr(0, size)), group)) ++imported;
    }
    EXPECT_EQ(imported, 1u);
    for (std::size_t at = 8; at < entry.size(); ++at) {
        std::string flipped = entry;
        flipped[at] = static_cast<char>(flipped[at] ^ 0x5A);
        QuenzColorGroup group;
        (void)FigmaImporter::importBytes(canvasZip(flipped), group, 1 << 20);
    }
}

}  // namespace
}  // namespace vantorel::import
