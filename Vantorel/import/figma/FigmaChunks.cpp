#include "Vantorel/import/figma/FigmaChunks.h"

#include <zlib.h>
#include <zstd.h>

#include <algorithm>
#include <climits>
#include <memory>

#include "Vantorel/platform/Log.h"

namespace vantorel::import::figma {
namespace {

std::uint32_t littleEndian32(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[at + i])) << (8 * i);
    return value;
}

// Reads a length and the chunk after it at `at`, moving `at` past both.
bool readChunk(std::string_view entry, std::size_t& at, std::string_view& chunk) {
    if (entry.size() - at < 4) return false;
    const std::uint32_t length = littleEndian32(entry, at);
    at += 4;
    if (entry.size() - at < length) return false;
    chunk = entry.substr(at, length);
    at += length;
    return true;
}

// Room for more output: doubles the buffer up to one byte past `limit`, so that a stream of
// exactly `limit` bytes can show that it ends there; false when that byte is in use too.
bool grow(std::string& output, std::size_t used, std::size_t limit) {
    if (used > limit) return false;
    const std::size_t wanted = std::max<std::size_t>(used * 2, 64 * 1024);
    output.resize(std::min(wanted, limit + 1));
    return true;
}

std::string limitError(std::size_t limit) {
    return "the chunk inflates to more than " + std::to_string(limit) + " bytes";
}

const platform::LogChannel& importLog() {
    static const platform::LogChannel channel("FigmaImport");
    return channel;
}

}  // namespace

std::optional<CanvasLayoutError> readCanvasLayout(std::string_view entry, FigmaCanvas& canvas) {
    if (entry.size() < 12) return CanvasLayoutError::truncatedHeader;
    canvas.version = littleEndian32(entry, 8);
    std::size_t at = 12;
    if (!readChunk(entry, at, canvas.schemaChunk)) return CanvasLayoutError::truncatedSchema;
    if (!readChunk(entry, at, canvas.dataChunk)) return CanvasLayoutError::truncatedData;
    return std::nullopt;
}

std::optional<std::string> inflateRawDeflate(std::string_view chunk, std::size_t limit, std::string& error) {
    z_stream stream{};
    if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) {
        error = "the inflater could not start";
        return std::nullopt;
    }
    const std::unique_ptr<z_stream, int (*)(z_stream*)> end(&stream, inflateEnd);
    std::string output;
    std::size_t used = 0;
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(chunk.data()));
    stream.avail_in = static_cast<uInt>(chunk.size());  // a chunk's length is 32-bit
    for (;;) {
        if (used == output.size() && !grow(output, used, limit)) {
            error = limitError(limit);
            return std::nullopt;
        }
        const std::size_t room = std::min<std::size_t>(output.size() - used, UINT_MAX);
        stream.next_out = reinterpret_cast<Bytef*>(output.data() + used);
        stream.avail_out = static_cast<uInt>(room);
        const int status = inflate(&stream, Z_NO_FLUSH);
        used += room - stream.avail_out;
        if (status == Z_STREAM_END && used <= limit) break;
        if (used > limit) {
            error = limitError(limit);
            return std::nullopt;
        }
        if (status == Z_BUF_ERROR && stream.avail_in == 0) {
            error = "unexpected end of data";
            return std::nullopt;
        }
        if (status != Z_OK && status != Z_BUF_ERROR) {
            error = stream.msg ? stream.msg : "status " + std::to_string(status);
            return std::nullopt;
        }
    }
    output.resize(used);
    return output;
}

std::optional<std::string> inflateZstandard(std::string_view chunk, std::size_t limit, std::string& error) {
    const std::unique_ptr<ZSTD_DCtx, std::size_t (*)(ZSTD_DCtx*)> context(ZSTD_createDCtx(), ZSTD_freeDCtx);
    if (!context) {
        error = "the decompressor could not start";
        return std::nullopt;
    }
    std::string output;
    // A frame that states its size gets its buffer at once, as far as the chunk's own size makes
    // that size believable; the buffer grows later if the frame told the truth.
    const unsigned long long stated = ZSTD_getFrameContentSize(chunk.data(), chunk.size());
    if (stated != ZSTD_CONTENTSIZE_UNKNOWN && stated != ZSTD_CONTENTSIZE_ERROR) {
        const unsigned long long believable = chunk.size() * 32ULL + 64 * 1024;
        output.resize(static_cast<std::size_t>(std::min<unsigned long long>({stated, limit, believable})));
    }
    std::size_t used = 0;
    ZSTD_inBuffer input{chunk.data(), chunk.size(), 0};
    std::size_t pending = 1;  // nonzero while a frame is unfinished
    while (input.pos < input.size || pending != 0) {
        if (used == output.size() && !grow(output, used, limit)) {
            error = limitError(limit);
            return std::nullopt;
        }
        ZSTD_outBuffer out{output.data() + used, output.size() - used, 0};
        const std::size_t before = input.pos;
        pending = ZSTD_decompressStream(context.get(), &out, &input);
        used += out.pos;
        if (ZSTD_isError(pending)) {
            error = ZSTD_getErrorName(pending);
            return std::nullopt;
        }
        if (used > limit) {
            error = limitError(limit);
            return std::nullopt;
        }
        if (pending != 0 && input.pos == input.size && input.pos == before && out.pos < out.size) {
            error = "unexpected end of data";
            return std::nullopt;
        }
    }
    output.resize(used);
    return output;
}

std::optional<std::string> inflateChunk(std::string_view chunk, std::size_t limit) {
    std::string error;
    if (auto inflated = inflateRawDeflate(chunk, limit, error)) return inflated;
    importLog().write("Error decoding as zlib " + error);
    if (auto inflated = inflateZstandard(chunk, limit, error)) return inflated;
    importLog().write("Error decoding as zstd " + error);
    return std::nullopt;
}

}  // namespace vantorel::import::figma
