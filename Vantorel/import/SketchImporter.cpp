#include "Vantorel/import/SketchImporter.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <cstring>
#include <unordered_set>

namespace vantorel::import {
namespace {

using nlohmann::json;
using Entry = ZipArchiveReader::Entry;
using EntryStatus = ZipArchiveReader::EntryStatus;

// Layers nest a few levels in real documents; a hostile page must not exhaust the stack.
constexpr int maximumLayerDepth = 256;

// Sketch's fill types; a pattern fill paints with an image, so neither its color nor its
// gradient is seen.
constexpr double gradientFill = 1;
constexpr double patternFill = 4;

enum class Kind { object, array, string, number, integer, boolean };

bool hasKind(const json& value, Kind kind) {
    switch (kind) {
        case Kind::object: return value.is_object();
        case Kind::array: return value.is_array();
        case Kind::string: return value.is_string();
        case Kind::number: return value.is_number();
        case Kind::integer:
            if (value.is_number_integer()) return true;
            return value.is_number_float() && std::trunc(value.get<double>()) == value.get<double>();
        case Kind::boolean: return value.is_boolean();
    }
    return false;
}

// Reads the documented keys of Sketch's JSON records. A key that is absent (or null) is an
// absent field; a key of the wrong type makes the whole file undecodable, as it does for Sketch.
struct Decoder {
    bool ok = true;

    const json* optional(const json& object, const char* key, Kind kind) {
        if (!object.is_object()) {
            ok = false;
            return nullptr;
        }
        const auto found = object.find(key);
        if (found == object.end() || found->is_null()) return nullptr;
        if (!hasKind(*found, kind)) {
            ok = false;
            return nullptr;
        }
        return &*found;
    }

    const json* required(const json& object, const char* key, Kind kind) {
        const json* value = optional(object, key, kind);
        if (!value) ok = false;
        return value;
    }

    // Every element of an optional array, which must be objects.
    template <class Visit>
    void eachObject(const json& object, const char* key, Visit visit, bool isRequired = false) {
        const json* list = isRequired ? required(object, key, Kind::array) : optional(object, key, Kind::array);
        if (!list) return;
        for (const json& element : *list) {
            if (!ok) return;
            if (!element.is_object()) {
                ok = false;
                return;
            }
            visit(element);
        }
    }

    std::optional<quenz::ColorValue> color(const json& object, const char* key, quenz::RGBSpace space) {
        const json* node = optional(object, key, Kind::object);
        if (!node) return std::nullopt;
        quenz::ColorValue value;
        value.space = space;
        double* components[] = {&value.red, &value.green, &value.blue, &value.alpha};
        const char* names[] = {"red", "green", "blue", "alpha"};
        for (int i = 0; i < 4; ++i) {
            const json* component = required(*node, names[i], Kind::number);
            if (!component) return std::nullopt;
            *components[i] = component->get<double>();
        }
        return value;
    }
};

// Records in the order first collected, each equal record once.
class DistinctRecords {
public:
    void add(ImportedColor record) {
        std::string key(1, record.type == ImportedColorType::set ? 's' : 'c');
        key += record.name.value_or("");
        for (const quenz::NamedColor& color : record.colors) {
            key.push_back('\0');
            key += color.name();
            const quenz::ColorValue& value = color.color();
            const double values[] = {value.red, value.green, value.blue, value.alpha,
                                     static_cast<double>(value.space)};
            key.append(reinterpret_cast<const char*>(values), sizeof values);
        }
        if (seen_.insert(std::move(key)).second) records_.push_back(std::move(record));
    }
    std::vector<ImportedColor> take() { return std::move(records_); }

private:
    std::vector<ImportedColor> records_;
    std::unordered_set<std::string> seen_;
};

ImportedColor singleColor(std::string name, const quenz::ColorValue& color) {
    ImportedColor record;
    record.colors.emplace_back(std::move(name), color);
    return record;
}

class PageWalker {
public:
    PageWalker(quenz::RGBSpace space, DistinctRecords& records) : space_(space), records_(records) {}

    // False when the page does not decode.
    bool walk(const json& page) {
        decoder_.optional(page, "_class", Kind::string);
        decoder_.eachObject(page, "layers", [&](const json& layer) { visitLayer(layer, 1, true); }, true);
        return decoder_.ok;
    }

private:
    void visitLayer(const json& layer, int depth, bool collect) {
        if (depth > maximumLayerDepth) {
            decoder_.ok = false;
            return;
        }
        decoder_.optional(layer, "_class", Kind::string);
        if (const json* visible = decoder_.optional(layer, "isVisible", Kind::boolean); visible && !visible->get<bool>())
            collect = false;
        const json* nameNode = decoder_.optional(layer, "name", Kind::string);
        const std::optional<std::string> name =
            nameNode ? std::optional<std::string>(nameNode->get<std::string>()) : std::nullopt;
        if (const json* style = decoder_.optional(layer, "style", Kind::object)) {
            const auto add = [&](ImportedColor record) {
                if (collect && decoder_.ok) records_.add(std::move(record));
            };
            // Sketch keeps both a color and a gradient on every fill and border; its fill type
            // says which one paints. Without a type both are read.
            const auto paint = [&](const json& entry) {
                const json* typeNode = decoder_.optional(entry, "fillType", Kind::integer);
                const std::optional<double> type =
                    typeNode ? std::optional<double>(typeNode->get<double>()) : std::nullopt;
                const auto color = decoder_.color(entry, "color", space_);
                const json* gradient = decoder_.optional(entry, "gradient", Kind::object);
                if (type == patternFill) return;
                if (color && type != gradientFill) add(singleColor(name.value_or("Color"), *color));
                if (gradient && (!type || type == gradientFill)) add(gradientSet(*gradient, name));
            };
            const auto shadow = [&](const json& entry) {
                if (const auto color = decoder_.color(entry, "color", space_)) add(singleColor(name.value_or("Color"), *color));
            };
            decoder_.eachObject(*style, "fills", paint);
            decoder_.eachObject(*style, "borders", paint);
            decoder_.eachObject(*style, "shadows", shadow);
            decoder_.eachObject(*style, "innerShadows", shadow);
            if (const json* text = decoder_.optional(layer, "attributedString", Kind::object)) {
                decoder_.optional(*text, "string", Kind::string);
                decoder_.eachObject(*text, "attributes", [&](const json& attribute) {
                    decoder_.optional(attribute, "length", Kind::integer);
                    if (const json* attributes = decoder_.optional(attribute, "attributes", Kind::object)) {
                        if (const auto color = decoder_.color(*attributes, "MSAttributedStringColorAttribute", space_))
                            add(singleColor(name.value_or("Color"), *color));
                    }
                });
            }
        }
        decoder_.eachObject(layer, "layers", [&](const json& child) { visitLayer(child, depth + 1, collect); });
    }

    ImportedColor gradientSet(const json& gradient, const std::optional<std::string>& name) {
        ImportedColor record;
        record.type = ImportedColorType::set;
        record.name = name;
        decoder_.eachObject(gradient, "stops", [&](const json& stop) {
            decoder_.optional(stop, "position", Kind::number);
            const auto color = decoder_.color(stop, "color", space_);
            if (!color) {
                decoder_.ok = false;  // a stop is its color
                return;
            }
            record.colors.emplace_back("Color " + std::to_string(record.colors.size() + 1), *color);
        }, true);
        return record;
    }

    Decoder decoder_;
    quenz::RGBSpace space_;
    DistinctRecords& records_;
};

}  // namespace

std::variant<std::vector<ImportedColor>, ImportError> SketchImporter::readColors(const EntryReader& read) {
    const Entry documentEntry = read("document.json");
    if (documentEntry.status == EntryStatus::missing) return ImportError{"No document found in Sketch file"};
    const json document = documentEntry.status == EntryStatus::read
                              ? json::parse(documentEntry.bytes, nullptr, false)
                              : json(json::value_t::discarded);
    Decoder decoder;
    const ImportError undecodable{"Unable to decode Sketch file"};
    if (document.is_discarded() || !document.is_object()) return undecodable;
    const json* pages = decoder.required(document, "pages", Kind::array);
    const json* colorSpace = decoder.required(document, "colorSpace", Kind::integer);
    std::vector<std::string> pagePaths;
    if (pages) {
        for (const json& page : *pages) {
            if (!page.is_object()) return undecodable;
            decoder.optional(page, "_class", Kind::string);
            if (const json* path = decoder.optional(page, "_ref", Kind::string)) pagePaths.push_back(path->get<std::string>());
        }
    }
    DistinctRecords records;
    std::optional<quenz::RGBSpace> space;
    if (colorSpace && colorSpace->get<double>() == 1) space = quenz::RGBSpace::sRGB;
    if (colorSpace && colorSpace->get<double>() == 2) space = quenz::RGBSpace::displayP3;
    if (const json* shared = decoder.optional(document, "sharedSwatches", Kind::object)) {
        decoder.eachObject(*shared, "objects", [&](const json& swatch) {
            const json* name = decoder.optional(swatch, "name", Kind::string);
            const auto color = decoder.color(swatch, "value", space.value_or(quenz::RGBSpace::sRGB));
            if (color && space) records.add(singleColor(name ? name->get<std::string>() : "Swatch", *color));
        });
    }
    if (!decoder.ok) return undecodable;
    if (!space) return std::vector<ImportedColor>{};

    for (const std::string& path : pagePaths) {
        const Entry pageEntry = read(path + ".json");
        if (pageEntry.status == EntryStatus::missing)
            return ImportError{"The page \"" + path + "\" is missing from the Sketch file"};
        const json page = pageEntry.status == EntryStatus::read ? json::parse(pageEntry.bytes, nullptr, false)
                                                                : json(json::value_t::discarded);
        if (page.is_discarded() || !PageWalker(*space, records).walk(page))
            return ImportError{"Unable to decode the page \"" + path + "\" of the Sketch file"};
    }
    return records.take();
}

std::optional<ImportError> SketchImporter::importArchive(std::string_view bytes, QuenzColorGroup& group) {
    const auto archive = ZipArchiveReader::open(bytes);
    if (!archive) return ImportError{"The file is not a Sketch document"};
    auto result = readColors([&](const std::string& name) { return archive->read(name); });
    if (auto* error = std::get_if<ImportError>(&result)) return std::move(*error);
    addImportedColors(std::get<std::vector<ImportedColor>>(result), group);
    return std::nullopt;
}

std::optional<ImportError> SketchImporter::importFile(const std::filesystem::path& file, QuenzColorGroup& group) {
    const auto bytes = readFileBytes(file);
    if (!bytes) return ImportError{"The file is not a Sketch document"};
    return importArchive(*bytes, group);
}

}  // namespace vantorel::import
