#pragma once
// The two compressed chunks of a Figma canvas: where they lie in the "canvas.fig" entry and how
// they are inflated. Writers have used raw DEFLATE and, lately, Zstandard; a chunk is tried as
// the first and then as the second. Output is capped, so that a small hostile chunk cannot
// inflate to more memory than the machine has.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vantorel::import::figma {

// Enough for the largest documents users keep; a chunk that inflates further fails.
inline constexpr std::size_t maxInflatedChunk = std::size_t{1} << 30;

// The parts of a "canvas.fig" entry; the chunks are views into its bytes.
struct FigmaCanvas {
    std::uint32_t version = 0;
    std::string_view schemaChunk;
    std::string_view dataChunk;
};

// The stages of reading a canvas, in order; each later one needs the earlier to have passed.
enum class CanvasLayoutError { truncatedHeader, truncatedSchema, truncatedData };

// The canvas's version and chunks: an 8-byte prelude, the version, then each chunk after its
// length (all unsigned 32-bit little-endian numbers). `version` is filled as soon as it is read.
std::optional<CanvasLayoutError> readCanvasLayout(std::string_view entry, FigmaCanvas& canvas);

// The chunk inflated as raw DEFLATE, or else as Zstandard; none when both fail. Each failed
// attempt writes "Error decoding as zlib …" or "Error decoding as zstd …" to the log.
std::optional<std::string> inflateChunk(std::string_view chunk, std::size_t limit = maxInflatedChunk);

// The single attempts; on failure `error` holds the library's description.
std::optional<std::string> inflateRawDeflate(std::string_view chunk, std::size_t limit, std::string& error);
std::optional<std::string> inflateZstandard(std::string_view chunk, std::size_t limit, std::string& error);

}  // namespace vantorel::import::figma
