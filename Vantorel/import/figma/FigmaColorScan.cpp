#include "Vantorel/import/figma/FigmaColorScan.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>
#include <unordered_set>

#include "Vantorel/import/figma/KiwiReader.h"

namespace vantorel::import::figma {
namespace {

using Color = std::array<double, 4>;

// Colors are the same when their bytes are, as the import's own records compare them.
struct SameBytes {
    bool operator()(const Color& a, const Color& b) const { return std::memcmp(a.data(), b.data(), sizeof a) == 0; }
};
struct BytesHash {
    std::size_t operator()(const Color& color) const {
        std::uint64_t hash = 0xcbf29ce484222325;
        for (double component : color) {
            std::uint64_t bits = 0;
            std::memcpy(&bits, &component, sizeof bits);
            hash = (hash ^ bits) * 0x100000001b3;
            hash ^= hash >> 31;
        }
        return static_cast<std::size_t>(hash);
    }
};

// Colors in the order first met, each once.
class DistinctColors {
public:
    // False when the color was met before.
    bool add(const Color& color, std::vector<Color>& list) {
        if (!seen_.insert(color).second) return false;
        list.push_back(color);
        return true;
    }
    std::size_t size() const { return seen_.size(); }

private:
    std::unordered_set<Color, BytesHash, SameBytes> seen_;
};

// What the first entries named r, g, b and a of a "color" map held: a color only when all four
// are finite floating-point numbers.
class ColorCandidate {
public:
    static int componentOf(std::string_view name) {
        if (name.size() != 1) return -1;
        switch (name[0]) {
            case 'r': return 0;
            case 'g': return 1;
            case 'b': return 2;
            case 'a': return 3;
            default: return -1;
        }
    }
    void number(int component, double value) {
        if (seen_[component] == unseen) {
            seen_[component] = numberSeen;
            values_[component] = value;
        }
    }
    void other(int component) {
        if (seen_[component] == unseen) seen_[component] = otherSeen;
    }
    bool isColor() const {
        for (int i = 0; i < 4; ++i) {
            if (seen_[i] != numberSeen || !std::isfinite(values_[i])) return false;
        }
        return true;
    }
    const Color& values() const { return values_; }

private:
    enum Seen : std::uint8_t { unseen, numberSeen, otherSeen };
    Color values_{};
    std::array<Seen, 4> seen_{};
};

class Scanner {
public:
    Scanner(const KiwiDecoder& decoder, std::string_view data)
        : decoder_(decoder), types_(decoder.schema().types()), reader_(data) {}

    std::variant<FigmaColors, FigmaNeedsTree, std::string> run(std::size_t root) {
        if (types_[root].kind == KiwiKind::enumeration) {
            reader_.readVarUint();
        } else if (decoder_.converts(root)) {
            return FigmaNeedsTree{};
        } else {
            map(root, nullptr);
        }
        if (!tooMany_.empty()) return tooMany_;
        if (stepAside_ || reader_.failed()) return FigmaNeedsTree{};
        return std::move(result_);
    }

private:
    bool stopped() const { return stepAside_ || reader_.failed(); }

    // The entries of a struct or message, as the tree would list them.
    void map(std::size_t type, ColorCandidate* candidate) {
        if (++depth_ > KiwiDecoder::maxDepth) {
            stepAside_ = true;
            return;
        }
        const TypeInfo& info = types_[type];
        if (info.kind == KiwiKind::structure) {
            if (decoder_.schema().minimumSize(static_cast<std::int32_t>(type)) > reader_.bytesLeft()) {
                stepAside_ = true;
            } else {
                for (const auto& [value, member] : info.fields) {
                    if (stopped()) break;
                    entry(member, candidate);
                }
            }
        } else {
            // The ids this message has sent; only an id below the last one needs a look.
            std::vector<std::uint32_t>& sent = sentIds_[static_cast<std::size_t>(depth_)];
            sent.clear();
            std::uint32_t lastId = 0;
            while (!stopped()) {
                const std::uint32_t id = reader_.readVarUint();
                if (id == 0 || reader_.failed()) break;
                const FieldInfo* member = decoder_.messageField(type, id);
                if (!member) break;
                if (id <= lastId && std::find(sent.begin(), sent.end(), id) != sent.end()) {
                    stepAside_ = true;  // sent again: the tree keeps its first place, last value
                    break;
                }
                lastId = std::max(lastId, id);
                sent.push_back(id);
                entry(*member, candidate);
            }
        }
        --depth_;
    }

    void entry(const FieldInfo& field, ColorCandidate* candidate) {
        const int component = candidate ? ColorCandidate::componentOf(field.name) : -1;
        const bool profile = depth_ == 1 && !profileSeen_ && field.name == "documentColorProfile";
        if (profile) profileSeen_ = true;
        if (field.array) {
            if (component >= 0) candidate->other(component);
            array(field);
            return;
        }
        if (field.type < 0) {
            const auto builtin = static_cast<KiwiBuiltin>(field.type);
            if (builtin == KiwiBuiltin::float32) {
                const float value = reader_.readVarFloat();
                if (component >= 0) candidate->number(component, value);
                return;
            }
            if (component >= 0) candidate->other(component);
            if (builtin == KiwiBuiltin::string) {
                const std::string_view text = reader_.readRawString();
                if (profile) result_.displayP3 = text == "DISPLAY_P3";
                return;
            }
            skipBuiltin(builtin);
            return;
        }
        if (component >= 0) candidate->other(component);
        const auto type = static_cast<std::size_t>(field.type);
        if (types_[type].kind == KiwiKind::enumeration) {
            const std::uint32_t value = reader_.readVarUint();
            if (profile) {
                const auto& members = types_[type].fields;
                const auto found = members.find(value);
                result_.displayP3 = found != members.end() && found->second.name == "DISPLAY_P3";
            }
            return;
        }
        nested(type, field.name == "color" || field.name == "backgroundColor");
    }

    void array(const FieldInfo& field) {
        const std::uint32_t count = reader_.readVarUint();
        const std::size_t smallest = std::max<std::size_t>(decoder_.schema().minimumSize(field.type), 1);
        if (reader_.failed()) return;
        if (count > reader_.bytesLeft() / smallest) {
            stepAside_ = true;
            return;
        }
        if (field.type < 0) {
            const auto builtin = static_cast<KiwiBuiltin>(field.type);
            if (builtin == KiwiBuiltin::byte || builtin == KiwiBuiltin::boolean) {
                reader_.skipBytes(count);
                return;
            }
            for (std::uint32_t i = 0; i < count && !stopped(); ++i) skipBuiltin(builtin);
            return;
        }
        const auto type = static_cast<std::size_t>(field.type);
        const bool enumeration = types_[type].kind == KiwiKind::enumeration;
        for (std::uint32_t i = 0; i < count && !stopped(); ++i) {
            if (enumeration) {
                reader_.readVarUint();
            } else {
                nested(type, false);
            }
        }
    }

    void skipBuiltin(KiwiBuiltin builtin) {
        switch (builtin) {
            case KiwiBuiltin::boolean:
            case KiwiBuiltin::byte:
                reader_.readByte();
                return;
            case KiwiBuiltin::int32:
            case KiwiBuiltin::uint32:
                reader_.readVarUint();
                return;
            case KiwiBuiltin::float32:
                reader_.readVarFloat();
                return;
            case KiwiBuiltin::string:
                reader_.readRawString();
                return;
            case KiwiBuiltin::int64:
            case KiwiBuiltin::uint64:
                reader_.readVarUint64();
                return;
        }
    }

    // A struct or message value. Colors met inside a "color" map or a converted value are held
    // back: the first is dropped when the map itself is a color, the second always, since
    // the converted value holds no map.
    void nested(std::size_t type, bool colorKey) {
        const std::size_t mark = heldBack_.size();
        if (decoder_.converts(type)) {
            ++holding_;
            map(type, nullptr);
            --holding_;
            heldBack_.resize(mark);
            return;
        }
        if (!colorKey) {
            map(type, nullptr);
            return;
        }
        ColorCandidate candidate;
        ++holding_;
        map(type, &candidate);
        --holding_;
        if (candidate.isColor()) {
            heldBack_.resize(mark);
            found(candidate.values());
        } else if (holding_ == 0) {
            for (std::size_t i = mark; i < heldBack_.size(); ++i) keep(heldBack_[i]);
            heldBack_.resize(mark);
        }
    }

    void found(const Color& color) {
        if (holding_ > 0) {
            heldBack_.push_back(color);
        } else {
            keep(color);
        }
    }

    void keep(const Color& color) {
        if (!distinct_.add(color, result_.colors)) return;
        if (distinct_.size() > maxDistinctFigmaColors) {
            tooMany_ = "the design holds more than " + std::to_string(maxDistinctFigmaColors) + " distinct colors";
            stepAside_ = true;
        }
    }

    const KiwiDecoder& decoder_;
    const std::vector<TypeInfo>& types_;
    KiwiReader reader_;
    int depth_ = 0;
    int holding_ = 0;  // open "color" maps and converted values around the current read
    bool profileSeen_ = false;
    bool stepAside_ = false;
    std::string tooMany_;
    std::vector<Color> heldBack_;
    std::vector<std::vector<std::uint32_t>> sentIds_ = std::vector<std::vector<std::uint32_t>>(KiwiDecoder::maxDepth + 1);
    DistinctColors distinct_;
    FigmaColors result_;
};

// A map with floating-point r, g, b and a, all finite; none otherwise.
std::optional<Color> colorOf(const KiwiValue& value) {
    if (!value.isFields()) return std::nullopt;
    Color color{};
    const char* names[] = {"r", "g", "b", "a"};
    for (std::size_t i = 0; i < color.size(); ++i) {
        const KiwiValue* component = value.field(names[i]);
        const double* number = component ? component->number() : nullptr;
        if (!number || !std::isfinite(*number)) return std::nullopt;
        color[i] = *number;
    }
    return color;
}

// Depth first, each map's entries in the order they were read. The tree is no deeper than the
// decoder allows, so recursion is bounded.
void collectColors(const KiwiFields& fields, DistinctColors& distinct, std::vector<Color>& colors) {
    for (const KiwiField& entry : fields) {
        if (entry.name == "color" || entry.name == "backgroundColor") {
            if (const auto color = colorOf(entry.value)) {
                distinct.add(*color, colors);
                continue;
            }
        }
        if (const KiwiFields* inner = entry.value.fields()) {
            collectColors(*inner, distinct, colors);
        } else if (const KiwiList* list = entry.value.list()) {
            for (const KiwiValue& element : *list) {
                if (const KiwiFields* item = element.fields()) collectColors(*item, distinct, colors);
            }
        }
    }
}

}  // namespace

FigmaColors figmaColorsOfTree(const KiwiValue& root) {
    FigmaColors result;
    const KiwiValue* profile = root.field("documentColorProfile");
    result.displayP3 = profile && profile->text() == "DISPLAY_P3";
    DistinctColors distinct;
    if (const KiwiFields* fields = root.fields()) collectColors(*fields, distinct, result.colors);
    return result;
}

std::variant<FigmaColors, FigmaNeedsTree, std::string> scanFigmaColors(const KiwiDecoder& decoder,
                                                                        std::string_view data,
                                                                        std::string_view rootTypeName) {
    const auto root = decoder.schema().typeIndex(rootTypeName);
    if (!root) return FigmaNeedsTree{};
    return Scanner(decoder, data).run(*root);
}

}  // namespace vantorel::import::figma
