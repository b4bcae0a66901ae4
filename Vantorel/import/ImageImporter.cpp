#include "Vantorel/import/ImageImporter.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <new>
#include <memory>
#include <unordered_map>

#include "Vantorel/import/image/ImageDecoder.h"

namespace vantorel::import {
namespace {

// Counts pixels by exact color as rows arrive. Opaque colors of a large image go into one
// counter per possible color (64 MB, whatever the photo), so that a noisy 24-megapixel photo
// with millions of distinct colors never needs a hash table of millions of entries; the rest,
// and everything of a small image, go into a hash table.
class ColorCounter final : public PixelRowSink {
public:
    void start(std::uint32_t width, std::uint32_t height) override {
        width_ = width;
        height_ = height;
        // Zeroed by the system page by page as colors land, rather than all 64 MB up front.
        if (std::uint64_t{width} * height >= denseFromPixels) {
            opaque_.reset(static_cast<std::uint32_t*>(std::calloc(std::size_t{1} << 24, sizeof(std::uint32_t))));
            if (!opaque_) throw std::bad_alloc();
        }
    }

    void row(const std::uint8_t* rgba) override {
        for (std::uint32_t x = 0; x < width_; ++x, rgba += 4) {
            // Alpha above 0.4: 102 of 255 is exactly 0.4.
            if (rgba[3] <= 102) continue;
            const std::uint32_t rgb = (std::uint32_t{rgba[0]} << 16) | (std::uint32_t{rgba[1]} << 8) | rgba[2];
            if (opaque_ && rgba[3] == 255) {
                ++opaque_[rgb];
            } else {
                ++others_[(rgb << 8) | rgba[3]];
            }
        }
    }

    // Every color counted more than `threshold` times.
    std::vector<CountedColor> candidates(std::uint64_t threshold) const {
        std::vector<CountedColor> result;
        for (const auto& [rgba, count] : others_) {
            if (count > threshold) result.push_back({rgba, count});
        }
        if (opaque_) {
            for (std::uint32_t rgb = 0; rgb < (1u << 24); ++rgb) {
                if (opaque_[rgb] > threshold) result.push_back({(rgb << 8) | 0xFF, opaque_[rgb]});
            }
        }
        return result;
    }

    std::uint64_t pixels() const { return std::uint64_t{width_} * height_; }

private:
    static constexpr std::uint64_t denseFromPixels = 4'000'000;
    std::uint32_t width_ = 0;
    std::uint32_t height_ = 0;
    struct Free {
        void operator()(std::uint32_t* counts) const { std::free(counts); }
    };
    std::unique_ptr<std::uint32_t[], Free> opaque_;
    std::unordered_map<std::uint32_t, std::uint64_t> others_;
};

double channel(std::uint32_t rgba, int shift) {
    return ((rgba >> shift) & 0xFF) / 255.0;
}

quenz::ColorValue colorOf(std::uint32_t rgba) {
    quenz::ColorValue color;
    color.red = channel(rgba, 24);
    color.green = channel(rgba, 16);
    color.blue = channel(rgba, 8);
    color.alpha = channel(rgba, 0);
    return color;
}

bool isNearGray(const quenz::ColorValue& color) {
    return std::abs(color.green - color.red) < 0.03 && std::abs(color.blue - color.red) < 0.03;
}

bool tooClose(const quenz::ColorValue& a, const quenz::ColorValue& b) {
    if (isNearGray(a) && isNearGray(b)) return true;
    return std::abs(a.red - b.red) <= 0.1 && std::abs(a.green - b.green) <= 0.1 && std::abs(a.blue - b.blue) <= 0.1;
}

}  // namespace

std::vector<ImportedColor> ImageImporter::dominantColors(std::vector<CountedColor> candidates) {
    std::sort(candidates.begin(), candidates.end(), [](const CountedColor& a, const CountedColor& b) {
        return a.count != b.count ? a.count > b.count : a.rgba < b.rgba;
    });
    std::vector<ImportedColor> kept;
    for (const CountedColor& candidate : candidates) {
        const quenz::ColorValue color = colorOf(candidate.rgba);
        const bool close = std::any_of(kept.begin(), kept.end(), [&](const ImportedColor& record) {
            return tooClose(record.colors.front().color(), color);
        });
        if (close) continue;
        ImportedColor record;
        record.colors.emplace_back("Color " + std::to_string(candidate.count), color);
        kept.push_back(std::move(record));
    }
    return kept;
}

std::optional<ImportError> ImageImporter::importImage(std::string_view bytes, std::vector<ImportedColor>& records) {
    ColorCounter counter;
    if (!decodeImage(bytes, counter)) return ImportError{"Unable to open image file"};
    const auto threshold = static_cast<std::uint64_t>(static_cast<double>(counter.pixels()) * 0.001);
    records = dominantColors(counter.candidates(threshold));
    return std::nullopt;
}

std::optional<ImportError> ImageImporter::importFile(const std::filesystem::path& file, QuenzColorGroup& group) {
    const auto bytes = readFileBytes(file);
    if (!bytes) return ImportError{"Unable to open image file"};
    std::vector<ImportedColor> records;
    if (auto error = importImage(*bytes, records)) return error;
    addImportedColors(records, group);
    return std::nullopt;
}

}  // namespace vantorel::import
