// Images with known pixel counts, made by the tests in every format the importer reads: the
// threshold, the alpha limit, most frequent first, the closeness and near-gray rules, and
// the files that do not decode.

#include <gtest/gtest.h>

#include <functional>

#include "Vantorel/import/Importer.h"
#include "tests/VantorelImport/ImageEncoding.h"
#include "tests/VantorelImport/ImportTestSupport.h"
#include "tests/support/FileContents.h"
#include "tests/support/ScratchFolder.h"

namespace vantorel::import {
namespace {

using testing::describe;
using testing::RGBAImage;
using vantorel::testing::ScratchFolder;

// 100 × 100, transparent but for the given runs of pixels.
RGBAImage hundredSquare(const std::vector<std::pair<std::size_t, std::uint32_t>>& runs) {
    RGBAImage image(100, 100);
    std::size_t next = 0;
    for (const auto& [count, rgba] : runs) next = image.fill(next, count, rgba);
    return image;
}

// Most frequent first; F00A0A and E60000 are within 0.1 of FF0000, D90000 is not; the two grays
// are both near-gray.
const RGBAImage closeColors = hundredSquare({{40, 0xFF0000FF},
                                             {35, 0xF00A0AFF},
                                             {30, 0xDDDDDDFF},
                                             {25, 0xE60000FF},
                                             {22, 0x222222FF},
                                             {21, 0xD90000FF}});
const std::string closeColorsKept = "Color 40=#FF0000,Color 30=#DDDDDD,Color 21=#D90000";

struct ImageCase {
    const char* what;
    const char* file;
    std::function<std::string()> bytes;
    std::string expected;  // the group's contents, or the error
};

const ImageCase imageCases[] = {
    {"a 100 × 100 image counts colors of 11 pixels or more", "a.png",
     [] { return testing::encodePNG(hundredSquare({{11, 0xFF0000FF}, {10, 0x00FF00FF}})); }, "Color 11=#FF0000"},
    {"alpha 0.4 and below is never counted", "a.png",
     [] { return testing::encodePNG(hundredSquare({{50, 0xFF000066}, {50, 0x0000FF67}})); }, "Color 50=#0000FF67"},
    {"closeness and near-gray rules", "close.png", [] { return testing::encodePNG(closeColors); }, closeColorsKept},
    {"interlaced PNG", "close.PNG", [] { return testing::encodePNG(closeColors, true); }, closeColorsKept},
    {"lossless WebP", "close.webp", [] { return testing::encodeWebP(closeColors); }, closeColorsKept},
    {"JPEG", "stripes.jpg",
     [] {
         // Whole 8 × 8 blocks of one color come back exact; black is near-gray as white is.
         RGBAImage image(16, 24);
         image.fill(0, 256, 0xFFFFFFFF);
         image.fill(256, 128, 0x000000FF);
         return testing::encodeJPEG(image);
     },
     "Color 256=#FFFFFF"},
    {"a large photo, counted per color", "large.png",
     [] {
         RGBAImage image(2000, 2000);
         std::size_t next = image.fill(0, 3'000'000, 0x3366CCFF);
         next = image.fill(next, 900'000, 0xCC3366FF);
         next = image.fill(next, 4'001, 0x66CC3380);  // a translucent color just over the threshold
         for (std::uint32_t i = 0; next < 4'000'000; ++i) image.set(next++, 0x000100FF + (i << 8));
         return testing::encodePNG(image);
     },
     "Color 3000000=#3366CC,Color 900000=#CC3366,Color 4001=#66CC3380"},
    {"nothing above the threshold", "empty.png", [] { return testing::encodePNG(hundredSquare({{10, 0xFF0000FF}})); },
     ""},
    {"not an image", "a.png", [] { return std::string("GIF89a"); }, "Unable to open image file"},
    {"an empty file", "a.jpg", [] { return std::string(); }, "Unable to open image file"},
    {"a truncated PNG", "a.png",
     [] {
         const std::string bytes = testing::encodePNG(closeColors);
         return bytes.substr(0, bytes.size() / 2);
     },
     "Unable to open image file"},
    {"a truncated JPEG", "a.jpg",
     [] {
         const std::string bytes = testing::encodeJPEG(closeColors);
         return bytes.substr(0, bytes.size() / 2);
     },
     "Unable to open image file"},
    {"a JPEG whose coded data meets a marker halfway", "a.jpg",
     [] {
         std::string bytes = testing::encodeJPEG(closeColors);
         bytes.replace(bytes.size() * 3 / 4, 2, "\xFF\xD9");
         return bytes;
     },
     "Unable to open image file"},
    {"a JPEG whose coded data is noise", "a.jpg",
     [] {
         std::string bytes = testing::encodeJPEG(closeColors);
         for (std::size_t i = bytes.size() * 3 / 4; i < bytes.size() - 2; ++i) bytes[i] = static_cast<char>(i * 37 % 255);
         return bytes;
     },
     "Unable to open image file"},
    {"a truncated WebP", "a.webp",
     [] {
         const std::string bytes = testing::encodeWebP(closeColors);
         return bytes.substr(0, bytes.size() - 8);
     },
     "Unable to open image file"},
};

TEST(ImageImporter, ImportsTheDominantColorsOrFails) {
    ScratchFolder folder("image");
    for (const ImageCase& test : imageCases) {
        const auto file = folder.path() / test.file;
        vantorel::testing::writeFileContents(file, test.bytes());
        const ImportKindInfo* kind = Importer::kindForFile(file);
        ASSERT_TRUE(kind && kind->kind == ImportKind::image) << test.file;
        const ImportResult result = Importer::importFile(kind->kind, file);
        const std::string text = result.error ? result.error->description : describe(result.group->group()->items());
        EXPECT_EQ(text, test.expected) << test.what;
    }
}

}  // namespace
}  // namespace vantorel::import
