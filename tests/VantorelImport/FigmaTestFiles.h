#pragma once
// Figma files made on the test side: a Kiwi writer (primitives, binary schemas), the two chunk
// compressions, the "canvas.fig" layout and a ZIP archive around it. A small schema shaped like
// Figma's (a Message of node changes with paints, colors, identifiers and transforms) serves
// the tests, the fuzz seeds and the benchmark.

#include <zip.h>
#include <zlib.h>
#include <zstd.h>

#include <bit>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vantorel::import::testing {

class KiwiWriter {
public:
    std::string bytes;

    KiwiWriter& byte(std::uint8_t value) {
        bytes.push_back(static_cast<char>(value));
        return *this;
    }
    KiwiWriter& varUint(std::uint64_t value) {
        do {
            const auto low = static_cast<std::uint8_t>(value & 0x7F);
            value >>= 7;
            byte(value ? low | 0x80 : low);
        } while (value);
        return *this;
    }
    KiwiWriter& varInt(std::int64_t value) {
        return varUint((static_cast<std::uint64_t>(value) << 1) ^ static_cast<std::uint64_t>(value >> 63));
    }
    // The rotated word, whose low byte is the exponent; a zero exponent (zero, negative zero,
    // subnormals) as the one byte 0, as Kiwi writers do.
    KiwiWriter& varFloat(float value) {
        const std::uint32_t word = std::rotl(std::bit_cast<std::uint32_t>(value), 9);
        if ((word & 0xFF) == 0) return byte(0);
        for (int i = 0; i < 4; ++i) byte(static_cast<std::uint8_t>(word >> (8 * i)));
        return *this;
    }
    KiwiWriter& string(std::string_view text) {
        bytes.append(text);
        return byte(0);
    }
    // A message field's id.
    KiwiWriter& field(std::uint32_t id) { return varUint(id); }
    KiwiWriter& end() { return byte(0); }
    KiwiWriter& color(float r, float g, float b, float a) { return varFloat(r).varFloat(g).varFloat(b).varFloat(a); }
};

struct SchemaField {
    std::string name;
    std::int32_t type;  // -1 bool … -8 uint64, else a definition's index
    bool array;
    std::uint32_t value;
};
struct SchemaDefinition {
    std::string name;
    std::uint8_t kind;  // 0 enum, 1 struct, 2 message
    std::vector<SchemaField> fields;
};

inline std::string encodeSchema(const std::vector<SchemaDefinition>& definitions) {
    KiwiWriter out;
    out.varUint(definitions.size());
    for (const auto& definition : definitions) {
        out.string(definition.name).byte(definition.kind).varUint(definition.fields.size());
        for (const auto& field : definition.fields)
            out.string(field.name).varInt(field.type).byte(field.array ? 1 : 0).varUint(field.value);
    }
    return std::move(out.bytes);
}

// Indexes of the definitions of figmaLikeSchema().
enum FigmaType : std::int32_t { profileType, colorType, guidType, matrixType, paintType, nodeType, messageType };
inline constexpr std::int32_t boolType = -1, byteType = -2, intType = -3, uintType = -4, floatType = -5,
                              stringType = -6, int64Type = -7, uint64Type = -8;

inline std::vector<SchemaDefinition> figmaLikeSchema() {
    return {
        {"DocumentColorProfile", 0, {{"SRGB", 0, false, 0}, {"DISPLAY_P3", 0, false, 1}}},
        {"Color",
         1,
         {{"r", floatType, false, 0}, {"g", floatType, false, 1}, {"b", floatType, false, 2}, {"a", floatType, false, 3}}},
        {"GUID", 1, {{"sessionID", uintType, false, 0}, {"localID", uintType, false, 1}}},
        {"Matrix",
         1,
         {{"m00", floatType, false, 0},
          {"m01", floatType, false, 1},
          {"m02", floatType, false, 2},
          {"m10", floatType, false, 3},
          {"m11", floatType, false, 4},
          {"m12", floatType, false, 5}}},
        {"Paint",
         2,
         {{"color", colorType, false, 1}, {"opacity", floatType, false, 2}, {"visible", boolType, false, 3}}},
        {"NodeChange",
         2,
         {{"guid", guidType, false, 1},
          {"name", stringType, false, 2},
          {"fillPaints", paintType, true, 3},
          {"backgroundColor", colorType, false, 4},
          {"transform", matrixType, false, 5},
          {"children", nodeType, true, 6},
          {"offset", int64Type, false, 7},
          {"size", uint64Type, false, 8},
          {"depth", intType, false, 9},
          {"blob", byteType, true, 10},
          {"flag", byteType, false, 11},
          {"tags", stringType, true, 12}}},
        {"Message",
         2,
         {{"type", uintType, false, 1},
          {"nodeChanges", nodeType, true, 2},
          {"documentColorProfile", profileType, false, 3}}},
    };
}

enum class Compression { deflate, zstd };

inline std::string compressed(std::string_view data, Compression compression, int level = 6) {
    if (compression == Compression::zstd) {
        std::string out(ZSTD_compressBound(data.size()), '\0');
        const std::size_t size = ZSTD_compress(out.data(), out.size(), data.data(), data.size(), level);
        if (ZSTD_isError(size)) throw std::runtime_error("zstd");
        out.resize(size);
        return out;
    }
    z_stream stream{};
    if (deflateInit2(&stream, level, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("deflate");
    std::string out(deflateBound(&stream, static_cast<uLong>(data.size())), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    const int status = deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    if (status != Z_STREAM_END) throw std::runtime_error("deflate");
    return out;
}

inline void appendLittleEndian32(std::string& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>(value >> (8 * i)));
}

// The "canvas.fig" entry: prelude, version, and the two chunks after their lengths.
inline std::string canvasEntry(std::uint32_t version, std::string_view schemaChunk, std::string_view dataChunk) {
    std::string out = "fig-kiwi";
    appendLittleEndian32(out, version);
    appendLittleEndian32(out, static_cast<std::uint32_t>(schemaChunk.size()));
    out.append(schemaChunk);
    appendLittleEndian32(out, static_cast<std::uint32_t>(dataChunk.size()));
    out.append(dataChunk);
    return out;
}

// A ZIP archive of these entries, stored or deflated, built in memory.
inline std::string zipArchive(const std::vector<std::pair<std::string, std::string>>& entries, bool store = true) {
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_source_keep(buffer);
    zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    if (!archive) throw std::runtime_error("zip");
    for (const auto& [name, bytes] : entries) {
        zip_source_t* entry = zip_source_buffer(archive, bytes.data(), bytes.size(), 0);
        const zip_int64_t index = zip_file_add(archive, name.c_str(), entry, ZIP_FL_ENC_UTF_8);
        if (store) zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0);
    }
    if (zip_close(archive) != 0) throw std::runtime_error("zip");
    std::string out;
    zip_source_open(buffer);
    zip_source_seek(buffer, 0, SEEK_END);
    out.resize(static_cast<std::size_t>(zip_source_tell(buffer)));
    zip_source_seek(buffer, 0, SEEK_SET);
    zip_source_read(buffer, out.data(), out.size());
    zip_source_close(buffer);
    zip_source_free(buffer);
    return out;
}

// A whole ".fig" file around a schema and a message.
inline std::string figmaFile(std::string_view schema, std::string_view message, Compression schemaCompression,
                             Compression dataCompression, std::uint32_t version = 48) {
    return zipArchive({{"canvas.fig", canvasEntry(version, compressed(schema, schemaCompression),
                                                  compressed(message, dataCompression))}});
}

}  // namespace vantorel::import::testing
