#include "Vantorel/import/FigmaImporter.h"

#include "Vantorel/import/ImportedColor.h"
#include "Vantorel/import/figma/FigmaArchive.h"
#include "Vantorel/import/figma/FigmaColorScan.h"
#include "Vantorel/import/figma/KiwiDecoder.h"

namespace vantorel::import {
namespace {

using namespace figma;

// Documents saved before this version keep their data in a form this reader does not know.
constexpr std::uint32_t oldestVersion = 15;

// Node identifiers become "session:local"; the walk for colors does not look at them, but a
// compact form keeps the decoded tree small.
KiwiValue guidText(KiwiValue&& guid) {
    const auto part = [&](std::string_view name) -> std::string {
        const KiwiValue* value = guid.field(name);
        const auto* number = value ? std::get_if<std::uint64_t>(&value->storage) : nullptr;
        return number ? std::to_string(*number) : "?";
    };
    return part("sessionID") + ":" + part("localID");
}

// Affine transforms become their six numbers, row by row.
KiwiValue matrixNumbers(KiwiValue&& matrix) {
    KiwiList numbers;
    numbers.reserve(6);
    for (const char* name : {"m00", "m01", "m02", "m10", "m11", "m12"}) {
        const KiwiValue* value = matrix.field(name);
        const double* number = value ? value->number() : nullptr;
        numbers.emplace_back(number ? *number : 0.0);
    }
    return numbers;
}

}  // namespace

std::optional<ImportError> FigmaImporter::importFile(const std::filesystem::path& file, QuenzColorGroup& group) {
    const auto bytes = readFileBytes(file);
    if (!bytes) return ImportError{"Unable to open Figma document"};
    return importBytes(*bytes, group);
}

std::optional<ImportError> FigmaImporter::importBytes(std::string_view file, QuenzColorGroup& group,
                                                      std::size_t inflatedLimit) {
    const CanvasEntry entry = readCanvasEntry(file, inflatedLimit);
    switch (entry.status) {
        case CanvasEntry::Status::read:
            break;
        case CanvasEntry::Status::notAnArchive:
            return ImportError{"Unable to open Figma document"};
        case CanvasEntry::Status::noCanvas:
            return ImportError{"No figma canvas found"};
        case CanvasEntry::Status::unreadable:
            return ImportError{"The figma canvas cannot be read: " + entry.detail};
    }
    return importCanvas(entry.bytes, group, inflatedLimit);
}

std::optional<ImportError> FigmaImporter::importCanvas(std::string_view entry, QuenzColorGroup& group,
                                                       std::size_t inflatedLimit) {
    FigmaCanvas canvas;
    const auto layoutError = readCanvasLayout(entry, canvas);
    if (layoutError == CanvasLayoutError::truncatedHeader)
        return ImportError{"The figma canvas is too short to hold a document"};
    if (canvas.version < oldestVersion)
        return ImportError{"This Figma document is too old to convert, re-save it and try again"};
    if (layoutError == CanvasLayoutError::truncatedSchema)
        return ImportError{"The figma canvas ends inside its schema"};
    const auto schemaBytes = inflateChunk(canvas.schemaChunk, inflatedLimit);
    if (!schemaBytes) return ImportError{"Failed to decompress Figma header"};
    std::string error;
    const auto schema = KiwiSchema::parse(*schemaBytes, error);
    if (!schema) return ImportError{"The Figma document's schema is damaged: " + error};

    if (layoutError == CanvasLayoutError::truncatedData)
        return ImportError{"The figma canvas ends inside its data"};
    const auto dataBytes = inflateChunk(canvas.dataChunk, inflatedLimit);
    if (!dataBytes) return ImportError{"Failed to decompress Figma data"};
    const KiwiDecoder decoder(*schema, {{"GUID", guidText}, {"Matrix", matrixNumbers}});
    auto scanned = scanFigmaColors(decoder, *dataBytes, "Message");
    if (const auto* refusal = std::get_if<std::string>(&scanned))
        return ImportError{"The Figma document cannot be imported: " + *refusal};
    if (std::holds_alternative<FigmaNeedsTree>(scanned)) {
        // Damaged data, or a field sent twice: the decoded tree settles what the file says.
        const auto root = decoder.decode(*dataBytes, "Message", error);
        if (!root) return ImportError{"The Figma document's data is damaged: " + error};
        scanned = figmaColorsOfTree(*root);
    }
    const FigmaColors& found = std::get<FigmaColors>(scanned);
    const quenz::RGBSpace space = found.displayP3 ? quenz::RGBSpace::displayP3 : quenz::RGBSpace::sRGB;
    DistinctColorRecords records;
    for (const auto& [red, green, blue, alpha] : found.colors) {
        quenz::ColorValue color;
        color.space = space;
        color.red = red;
        color.green = green;
        color.blue = blue;
        color.alpha = alpha;
        records.add("Color", color);
    }
    addImportedColors(records.records(), group);
    return std::nullopt;
}

}  // namespace vantorel::import
