// Sketch documents the tests pack themselves: swatches, the colors of layers in every style
// entry, gradients as sets, equal records once, the document's color space, and every failure
// with its message.

#include <gtest/gtest.h>

#include <utility>

#include "Vantorel/import/Importer.h"
#include "tests/VantorelImport/FigmaTestFiles.h"
#include "tests/VantorelImport/ImportTestSupport.h"
#include "tests/support/FileContents.h"
#include "tests/support/ScratchFolder.h"

namespace vantorel::import {
namespace {

using testing::describe;
using vantorel::testing::ScratchFolder;

using Entries = std::vector<std::pair<std::string, std::string>>;

// Entries are stored uncompressed, so that a test can find and damage an entry's bytes.
void writeArchive(const std::filesystem::path& file, const Entries& entries) {
    vantorel::testing::writeFileContents(file, testing::zipArchive(entries));
}

const std::string red = R"({"_class":"color","red":1,"green":0,"blue":0,"alpha":1})";
const std::string green = R"({"_class":"color","red":0,"green":1,"blue":0,"alpha":1})";
const std::string blue = R"({"_class":"color","red":0,"green":0,"blue":1,"alpha":0.5})";

std::string document(int colorSpace, const std::string& swatches = "[]",
                     const std::string& pages = R"([{"_class":"MSJSONFileReference","_ref":"pages/A"}])") {
    return R"({"_class":"document","colorSpace":)" + std::to_string(colorSpace) + R"(,"pages":)" + pages +
           R"(,"sharedSwatches":{"objects":)" + swatches + "}}";
}

std::string page(const std::string& layers) {
    return R"({"_class":"page","name":"Page 1","layers":)" + layers + "}";
}

std::string fill(const std::string& color) {
    return R"({"_class":"fill","fillType":0,"color":)" + color + "}";
}

std::string gradientFill(const std::string& stops) {
    return R"({"_class":"fill","gradient":{"_class":"gradient","stops":)" + stops + "}}";
}

// A fill as Sketch writes it: a color and a gradient, and the type saying which one paints.
std::string typedFill(int type, const std::string& color, const std::string& stop) {
    return R"({"_class":"fill","fillType":)" + std::to_string(type) + R"(,"color":)" + color +
           R"(,"gradient":{"stops":[{"position":0,"color":)" + stop + "}]}}";
}

std::string nestedLayers(int depth) {
    std::string layers = "[]";
    for (int level = 0; level < depth; ++level) layers = R"([{"name":"L","layers":)" + layers + "}]";
    return layers;
}

struct SketchCase {
    const char* what;
    Entries entries;
    std::string expected;  // the group's description, or the error
};

const std::string aPage = "pages/A.json";

const SketchCase sketchCases[] = {
    {"swatches, unnamed as Swatch, equal ones once",
     {{"document.json", document(1, "[{\"name\":\"Brand\",\"value\":" + red + "},{\"value\":" + green +
                                        "},{\"name\":\"Brand\",\"value\":" + red + "},{\"name\":\"Empty\"}]")},
      {aPage, page("[]")}},
     "Brand=#FF0000,Swatch=#00FF00"},
    {"every style entry in order, child layers after their parent, unnamed layers as Color",
     {{"document.json", document(1)},
      {aPage, page(R"([{"_class":"rectangle","name":"Card","style":{"fills":[)" + fill(red) + R"(],"borders":[{"color":)" +
                       green + R"(}],"shadows":[{"color":)" + blue + R"(}],"innerShadows":[{"color":)" + red +
                       R"(}]},"layers":[{"_class":"text","style":{},"attributedString":{"string":"Hi","attributes":[{"length":2,"attributes":{"MSAttributedStringColorAttribute":)" +
                       blue + R"(}}]}}]}])")}},
     "Card=#FF0000,Card=#00FF00,Card=#0000FF80,Color=#0000FF80"},
    {"a gradient becomes a set named after its layer, stops numbered from 1",
     {{"document.json", document(1)},
      {aPage, page(R"([{"name":"Sky","style":{"fills":[)" +
                   gradientFill(R"([{"position":0,"color":)" + red + R"(},{"position":1,"color":)" + blue + "}]") +
                   R"(],"borders":[)" + gradientFill("[]") + R"(]}},{"style":{"fills":[)" +
                   gradientFill(R"([{"color":)" + green + "}]") + "]}}]")}},
     "Sky={Color 1=#FF0000,Color 2=#0000FF80},Sky={},Color Set={Color 1=#00FF00}"},
    {"the fill type picks what paints: solid its color, gradient its stops, pattern neither",
     {{"document.json", document(1)},
      {aPage, page(R"([{"name":"Typed","style":{"fills":[)" + typedFill(0, red, blue) + "," + typedFill(1, green, red) +
                   "," + typedFill(4, blue, green) + R"(],"borders":[)" + typedFill(1, red, green) + "]}}]")}},
     "Typed=#FF0000,Typed={Color 1=#FF0000},Typed={Color 1=#00FF00}"},
    {"hidden layers and everything inside them give nothing",
     {{"document.json", document(1)},
      {aPage, page(R"([{"name":"Old","isVisible":false,"style":{"fills":[)" + fill(red) +
                   R"(]},"layers":[{"name":"Inner","style":{"fills":[)" + fill(green) + R"(]}}]},{"name":"New","isVisible":true,"style":{"fills":[)" +
                   fill(blue) + "]}}]")}},
     "New=#0000FF80"},
    {"equal layer colors once, across pages",
     {{"document.json", document(1, "[]", R"([{"_ref":"pages/A"},{"_ref":"pages/B"},{"_class":"x"}])")},
      {aPage, page(R"([{"name":"A","style":{"fills":[)" + fill(red) + "," + fill(red) + "]}}]")},
      {"pages/B.json", page(R"([{"name":"A","style":{"borders":[)" + fill(red) + R"(]}},{"name":"B","style":{"fills":[)" +
                            fill(red) + "]}}]")}},
     "A=#FF0000,B=#FF0000"},
    {"Display P3 documents keep their components",
     {{"document.json", document(2, "[{\"name\":\"P\",\"value\":" + red + "}]")}, {aPage, page("[]")}},
     "P=p3#FF0000"},
    {"another color space imports nothing",
     {{"document.json", document(3, "[{\"name\":\"P\",\"value\":" + red + "}]")}}, ""},
    {"no document", {{"other.json", "{}"}}, "No document found in Sketch file"},
    {"a document that is not JSON", {{"document.json", "{\"pages\":["}}, "Unable to decode Sketch file"},
    {"a document without a color space", {{"document.json", R"({"pages":[]})"}}, "Unable to decode Sketch file"},
    {"a swatch color without alpha",
     {{"document.json", document(1, R"([{"value":{"red":1,"green":0,"blue":0}}])")}},
     "Unable to decode Sketch file"},
    {"a missing page", {{"document.json", document(1)}}, "The page \"pages/A\" is missing from the Sketch file"},
    {"a page without layers",
     {{"document.json", document(1)}, {aPage, R"({"_class":"page"})"}},
     "Unable to decode the page \"pages/A\" of the Sketch file"},
    {"a page whose fill color is text",
     {{"document.json", document(1)}, {aPage, page(R"([{"style":{"fills":[{"color":"red"}]}}])")}},
     "Unable to decode the page \"pages/A\" of the Sketch file"},
    {"a gradient stop without a color",
     {{"document.json", document(1)}, {aPage, page("[{\"style\":{\"fills\":[" + gradientFill("[{}]") + "]}}]")}},
     "Unable to decode the page \"pages/A\" of the Sketch file"},
    {"layers nested beyond any real document",
     {{"document.json", document(1)}, {aPage, page(nestedLayers(300))}},
     "Unable to decode the page \"pages/A\" of the Sketch file"},
};

std::string importedText(const std::filesystem::path& file) {
    const ImportResult result = Importer::importFile(ImportKind::sketch, file);
    if (result.error) return result.error->description;
    const std::string prefix = "Sketch Import - " + file.filename().string();
    EXPECT_EQ(result.group->name(), prefix);
    return describe(result.group->group()->items());
}

TEST(SketchImporter, ReadsSwatchesAndLayerColorsOrFailsWithItsMessage) {
    ScratchFolder folder("sketch");
    for (const SketchCase& test : sketchCases) {
        const auto file = folder.path() / "design.sketch";
        writeArchive(file, test.entries);
        EXPECT_EQ(importedText(file), test.expected) << test.what;
    }
}

TEST(SketchImporter, DamagedBytesFailWithTheEntrysMessage) {
    ScratchFolder folder("sketch");
    const auto file = folder.path() / "design.sketch";
    const std::string pageText = page(R"([{"name":"Marker","style":{"fills":[)" + fill(red) + "]}}]");
    writeArchive(file, {{"document.json", document(1)}, {aPage, pageText}});
    std::string bytes = vantorel::testing::fileContents(file);
    const struct {
        const char* what;
        std::string marker;  // a byte of this text is changed
        std::string expected;
    } cases[] = {
        {"a page whose checksum no longer matches", "Marker",
         "Unable to decode the page \"pages/A\" of the Sketch file"},
        {"a document whose checksum no longer matches", "colorSpace", "Unable to decode Sketch file"},
    };
    for (const auto& test : cases) {
        std::string damaged = bytes;
        damaged[damaged.find(test.marker)] ^= 0x20;
        vantorel::testing::writeFileContents(file, damaged);
        EXPECT_EQ(importedText(file), test.expected) << test.what;
    }
    vantorel::testing::writeFileContents(file, "PK\x03\x04 not really");
    EXPECT_EQ(importedText(file), "The file is not a Sketch document");
}

}  // namespace
}  // namespace vantorel::import
