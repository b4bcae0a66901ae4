#include "Vantorel/import/figma/KiwiSchema.h"

#include "Vantorel/import/figma/KiwiReader.h"

namespace vantorel::import::figma {
namespace {

constexpr std::int32_t lowestBuiltin = static_cast<std::int32_t>(KiwiBuiltin::uint64);

// The bytes a definition and a field take at the least: a name's terminating 0, the kind and
// the field count; a field's name, type, array flag and value.
constexpr std::size_t smallestDefinition = 3;
constexpr std::size_t smallestField = 4;

// Sums saturate: a schema of nested structs can claim sizes past any real file.
std::size_t plus(std::size_t a, std::size_t b) {
    constexpr std::size_t limit = std::size_t{1} << 48;
    return a + b > limit ? limit : a + b;
}

enum class SizeState : std::uint8_t { unknown, working, known };

// Works out the minimum size of every definition; false when a struct holds itself without an
// array in between.
bool computeMinimumSizes(const std::vector<TypeInfo>& types, std::vector<std::size_t>& sizes) {
    sizes.assign(types.size(), 1);
    std::vector<SizeState> states(types.size(), SizeState::unknown);
    // Depth-first over struct members, with an explicit stack: schemas come from outside.
    struct Frame {
        std::size_t type;
        std::map<std::uint32_t, FieldInfo>::const_iterator next;
        std::size_t sum;
    };
    for (std::size_t root = 0; root < types.size(); ++root) {
        if (types[root].kind != KiwiKind::structure || states[root] == SizeState::known) continue;
        std::vector<Frame> stack{{root, types[root].fields.begin(), 0}};
        states[root] = SizeState::working;
        while (!stack.empty()) {
            Frame& frame = stack.back();
            const TypeInfo& type = types[frame.type];
            if (frame.next == type.fields.end()) {
                sizes[frame.type] = frame.sum;
                states[frame.type] = SizeState::known;
                const std::size_t size = frame.sum;
                stack.pop_back();
                if (!stack.empty()) stack.back().sum = plus(stack.back().sum, size);
                continue;
            }
            const FieldInfo& field = (frame.next++)->second;
            if (field.array || field.type < 0) {
                frame.sum = plus(frame.sum, 1);
                continue;
            }
            const auto member = static_cast<std::size_t>(field.type);
            if (types[member].kind != KiwiKind::structure || states[member] == SizeState::known) {
                frame.sum = plus(frame.sum, sizes[member]);
                continue;
            }
            if (states[member] == SizeState::working) return false;
            states[member] = SizeState::working;
            stack.push_back({member, types[member].fields.begin(), 0});
        }
    }
    return true;
}

}  // namespace

std::optional<KiwiSchema> KiwiSchema::parse(std::string_view data, std::string& error) {
    KiwiReader reader(data);
    KiwiSchema schema;
    const std::uint32_t definitionCount = reader.readVarUint();
    if (reader.failed() || definitionCount > reader.bytesLeft() / smallestDefinition) {
        error = "the schema's definition count does not fit its size";
        return std::nullopt;
    }
    schema.types_.reserve(definitionCount);
    for (std::uint32_t d = 0; d < definitionCount; ++d) {
        TypeInfo type;
        type.name = reader.readString();
        const std::uint8_t kind = reader.readByte();
        const std::uint32_t fieldCount = reader.readVarUint();
        if (reader.failed() || fieldCount > reader.bytesLeft() / smallestField) {
            error = "definition " + std::to_string(d) + " is truncated";
            return std::nullopt;
        }
        if (kind > static_cast<std::uint8_t>(KiwiKind::message)) {
            error = "definition \"" + type.name + "\" has the unknown kind " + std::to_string(kind);
            return std::nullopt;
        }
        type.kind = static_cast<KiwiKind>(kind);
        for (std::uint32_t f = 0; f < fieldCount; ++f) {
            FieldInfo field;
            field.name = reader.readString();
            field.type = reader.readVarInt();
            field.array = reader.readBool();
            field.value = reader.readVarUint();
            if (reader.failed()) {
                error = "definition \"" + type.name + "\" is truncated";
                return std::nullopt;
            }
            if (type.kind != KiwiKind::enumeration &&
                (field.type < lowestBuiltin || field.type >= static_cast<std::int64_t>(definitionCount))) {
                error = "field \"" + field.name + "\" of \"" + type.name + "\" has the unknown type " +
                        std::to_string(field.type);
                return std::nullopt;
            }
            const std::uint32_t value = field.value;
            if (!type.fields.emplace(value, std::move(field)).second) {
                error = "definition \"" + type.name + "\" has two fields of value " + std::to_string(value);
                return std::nullopt;
            }
        }
        schema.types_.push_back(std::move(type));
    }
    if (!computeMinimumSizes(schema.types_, schema.minimumSizes_)) {
        error = "a struct of the schema contains itself";
        return std::nullopt;
    }
    return schema;
}

std::optional<std::size_t> KiwiSchema::typeIndex(std::string_view name) const {
    for (std::size_t i = 0; i < types_.size(); ++i) {
        if (types_[i].name == name) return i;
    }
    return std::nullopt;
}

std::size_t KiwiSchema::minimumSize(std::int32_t type) const {
    if (type < 0) return 1;
    return minimumSizes_[static_cast<std::size_t>(type)];
}

}  // namespace vantorel::import::figma
