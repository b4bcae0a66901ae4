#pragma once
// KiwiDecoder: decodes a Kiwi message or struct from bytes with a KiwiSchema. Bytes from a
// file are untrusted: every read is bounds-checked, an array's count must fit in the bytes left
// before it is reserved, messages and structs nest at most `maxDepth` deep, and any truncated
// or inconsistent input gives a failure with a description instead of a value.
//
// A message ends at field id 0, or early at an id its definition does not know; the fields
// read before it are kept and decoding goes on in the enclosing value.

#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Vantorel/import/figma/KiwiSchema.h"
#include "Vantorel/import/figma/KiwiValue.h"

namespace vantorel::import::figma {

// Replaces each decoded value of one struct or message type.
using KiwiTypeConverter = std::function<KiwiValue(KiwiValue&&)>;

// How much one decoded tree may hold. Every value costs a few dozen bytes however few bytes it
// took in the data (an empty message takes one), so a hostile chunk could otherwise expand
// into many gigabytes of tree; at these limits it stays near one. A 44 MB design decodes to
// some 13 million values.
struct KiwiLimits {
    std::size_t values = 20'000'000;             // messages, structs, array elements and fields
    std::size_t bytes = std::size_t{256} << 20;  // of strings and byte arrays
};

class KiwiDecoder {
public:
    static constexpr int maxDepth = 64;

    // `converters` are keyed by type name; a name the schema lacks is ignored.
    KiwiDecoder(const KiwiSchema& schema, std::map<std::string, KiwiTypeConverter> converters = {},
                KiwiLimits limits = {});

    // The value of type `rootTypeName` in `data`; none (and `error` says why) when the schema
    // lacks that type or the data is truncated or inconsistent.
    std::optional<KiwiValue> decode(std::string_view data, std::string_view rootTypeName,
                                    std::string& error) const;

    const KiwiSchema& schema() const { return schema_; }
    // The field of message definition `type` whose id is `id`; null when it has none.
    const FieldInfo* messageField(std::size_t type, std::uint32_t id) const;
    // True when decoded values of definition `type` are replaced by a converter.
    bool converts(std::size_t type) const { return typeConverters_[type] != nullptr; }

private:
    class Run;

    const KiwiSchema& schema_;
    std::map<std::string, KiwiTypeConverter> converters_;
    KiwiLimits limits_;
    // Per definition: its converter (or null) and, for messages, its fields by id.
    std::vector<const KiwiTypeConverter*> typeConverters_;
    std::vector<std::vector<const FieldInfo*>> messageFields_;
};

}  // namespace vantorel::import::figma
