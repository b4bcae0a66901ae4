#pragma once
// KiwiSchema: the type definitions of a Kiwi binary schema, as a Figma document carries them in
// its first chunk. Reading checks everything a decoder later relies on: each field's type is a
// built-in type or one of the definitions, counts fit in the bytes left, and no struct
// contains itself (it could never be encoded).

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantorel::import::figma {

enum class KiwiKind : std::uint8_t { enumeration = 0, structure = 1, message = 2 };

// The built-in types, as a field's negative type number.
enum class KiwiBuiltin : std::int32_t {
    boolean = -1,
    byte = -2,
    int32 = -3,
    uint32 = -4,
    float32 = -5,
    string = -6,
    int64 = -7,
    uint64 = -8,
};

struct FieldInfo {
    std::string name;
    std::int32_t type = 0;  // negative: a KiwiBuiltin; else an index into the schema's types
    bool array = false;
    std::uint32_t value = 0;  // the field's id in a message, or the enum member's value
};

struct TypeInfo {
    std::string name;
    KiwiKind kind = KiwiKind::message;
    std::map<std::uint32_t, FieldInfo> fields;  // by value; a struct's are in encoding order
};

class KiwiSchema {
public:
    // The schema in the bytes of a decompressed schema chunk; none (and `error` says why) when
    // they are truncated or inconsistent.
    static std::optional<KiwiSchema> parse(std::string_view data, std::string& error);

    const std::vector<TypeInfo>& types() const { return types_; }
    // The index of the definition named `name`.
    std::optional<std::size_t> typeIndex(std::string_view name) const;
    // The fewest bytes one value of the type (a built-in one when negative) can take; an array
    // takes at least its count.
    std::size_t minimumSize(std::int32_t type) const;

private:
    std::vector<TypeInfo> types_;
    std::vector<std::size_t> minimumSizes_;  // per definition
};

}  // namespace vantorel::import::figma
