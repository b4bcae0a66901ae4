#include "Vantorel/import/figma/KiwiDecoder.h"

#include <algorithm>
#include <iterator>

#include "Vantorel/import/figma/KiwiReader.h"

namespace vantorel::import::figma {

std::string_view KiwiValue::text() const {
    if (const auto* view = std::get_if<std::string_view>(&storage)) return *view;
    if (const auto* string = std::get_if<std::string>(&storage)) return *string;
    return {};
}

const KiwiValue* KiwiValue::field(std::string_view name) const {
    const KiwiFields* list = fields();
    if (!list) return nullptr;
    for (const KiwiField& entry : *list) {
        if (entry.name == name) return &entry.value;
    }
    return nullptr;
}

namespace {

// Message fields are found by id in a table up to this id, in the definition's map beyond.
constexpr std::uint32_t denseFieldIds = 4096;

}  // namespace

KiwiDecoder::KiwiDecoder(const KiwiSchema& schema, std::map<std::string, KiwiTypeConverter> converters,
                         KiwiLimits limits)
    : schema_(schema), converters_(std::move(converters)), limits_(limits) {
    const auto& types = schema_.types();
    typeConverters_.assign(types.size(), nullptr);
    messageFields_.resize(types.size());
    for (std::size_t i = 0; i < types.size(); ++i) {
        const TypeInfo& type = types[i];
        if (const auto found = converters_.find(type.name); found != converters_.end())
            typeConverters_[i] = &found->second;
        if (type.kind != KiwiKind::message || type.fields.empty()) continue;
        const std::uint32_t largest = std::min(type.fields.rbegin()->first, denseFieldIds - 1);
        auto& byId = messageFields_[i];
        byId.assign(largest + 1, nullptr);
        for (const auto& [id, field] : type.fields) {
            if (id <= largest) byId[id] = &field;
        }
    }
}

const FieldInfo* KiwiDecoder::messageField(std::size_t type, std::uint32_t id) const {
    const auto& byId = messageFields_[type];
    if (id < byId.size()) return byId[id];
    const auto& fields = schema_.types()[type].fields;
    if (const auto found = fields.find(id); found != fields.end()) return &found->second;
    return nullptr;
}

// One decoding pass over one buffer: the reader, the nesting depth and the first failure.
class KiwiDecoder::Run {
public:
    Run(const KiwiDecoder& decoder, std::string_view data) : decoder_(decoder), reader_(data) {}

    KiwiValue definition(std::size_t type) {
        const TypeInfo& info = decoder_.schema_.types()[type];
        switch (info.kind) {
            case KiwiKind::enumeration:
                return enumMember(info);
            case KiwiKind::structure:
            case KiwiKind::message:
                break;
        }
        if (!charge(1, 0)) return {};
        if (++depth_ > maxDepth) {
            fail("values nest more than " + std::to_string(maxDepth) + " deep");
            return {};
        }
        KiwiValue value = info.kind == KiwiKind::structure ? structure(type, info) : message(type);
        --depth_;
        if (const KiwiTypeConverter* converter = decoder_.typeConverters_[type]; converter && !failed())
            value = (*converter)(std::move(value));
        return value;
    }

    bool failed() const { return !error_.empty() || reader_.failed(); }
    std::string error() const {
        if (!error_.empty()) return error_;
        return "the data ends inside a value, at byte " + std::to_string(reader_.offset());
    }

private:
    // Charges `values` values and `bytes` bytes to the tree; false (and the run fails) once
    // either passes its limit.
    bool charge(std::size_t values, std::size_t bytes) {
        values_ += values;
        bytes_ += bytes;
        const KiwiLimits& limits = decoder_.limits_;
        if (values_ <= limits.values && bytes_ <= limits.bytes) return true;
        fail(values_ > limits.values
                 ? "the data holds more than " + std::to_string(limits.values) + " values"
                 : "the data holds more than " + std::to_string(limits.bytes) + " bytes of text and blobs");
        return false;
    }

    void fail(std::string description) {
        if (error_.empty()) error_ = std::move(description);
        reader_.fail();
    }

    KiwiValue field(const FieldInfo& info) {
        if (!info.array) return single(info.type);
        const std::uint32_t count = reader_.readVarUint();
        const std::size_t smallest = std::max<std::size_t>(decoder_.schema_.minimumSize(info.type), 1);
        if (reader_.failed()) return {};
        if (count > reader_.bytesLeft() / smallest) {
            fail("the array \"" + info.name + "\" claims " + std::to_string(count) +
                 " elements, more than the data holds");
            return {};
        }
        if (info.type == static_cast<std::int32_t>(KiwiBuiltin::byte))
            return charge(1, count) ? bytes(count) : KiwiValue{};
        if (!charge(count, 0)) return {};
        KiwiList list;
        list.reserve(count);
        for (std::uint32_t i = 0; i < count && !failed(); ++i) list.push_back(single(info.type));
        return list;
    }

    KiwiBytes bytes(std::uint32_t count) {
        KiwiBytes result(count);
        for (std::uint8_t& byte : result) byte = reader_.readByte();
        return result;
    }

    KiwiValue single(std::int32_t type) {
        switch (static_cast<KiwiBuiltin>(type)) {
            case KiwiBuiltin::boolean:
                return reader_.readBool();
            case KiwiBuiltin::byte:
                return std::uint64_t{reader_.readByte()};
            case KiwiBuiltin::int32:
                return std::int64_t{reader_.readVarInt()};
            case KiwiBuiltin::uint32:
                return std::uint64_t{reader_.readVarUint()};
            case KiwiBuiltin::float32:
                return double{reader_.readVarFloat()};
            case KiwiBuiltin::string: {
                std::string text = reader_.readString();
                if (!charge(0, text.size())) return {};
                return text;
            }
            case KiwiBuiltin::int64:
                return reader_.readVarInt64();
            case KiwiBuiltin::uint64:
                return reader_.readVarUint64();
        }
        return definition(static_cast<std::size_t>(type));
    }

    // The member's name; a value the enum does not define stays a number, so that a newer
    // writer's member loses nothing.
    KiwiValue enumMember(const TypeInfo& info) {
        const std::uint32_t value = reader_.readVarUint();
        if (const auto found = info.fields.find(value); found != info.fields.end())
            return std::string_view(found->second.name);
        return std::uint64_t{value};
    }

    KiwiValue structure(std::size_t type, const TypeInfo& info) {
        if (decoder_.schema_.minimumSize(static_cast<std::int32_t>(type)) > reader_.bytesLeft()) {
            fail("the struct \"" + info.name + "\" is longer than the data left");
            return {};
        }
        if (!charge(info.fields.size(), 0)) return {};
        KiwiFields fields;
        fields.reserve(info.fields.size());
        for (const auto& [value, member] : info.fields) {
            if (failed()) break;
            fields.push_back({member.name, field(member)});
        }
        return fields;
    }

    KiwiValue message(std::size_t type) {
        // Fields gather in this depth's scratch list, so that the message's own list is
        // allocated once at its exact size.
        KiwiFields& fields = scratch_[static_cast<std::size_t>(depth_ - 1)];
        fields.clear();
        std::uint32_t lastId = 0;
        while (!failed()) {
            const std::uint32_t id = reader_.readVarUint();
            if (id == 0 || reader_.failed()) break;
            const FieldInfo* member = decoder_.messageField(type, id);
            if (!member) break;
            if (!charge(1, 0)) break;
            KiwiValue value = field(*member);
            // A field sent twice keeps its last value, so that every name appears once. Writers
            // send fields in ascending order, and then no id can repeat.
            auto same = fields.end();
            if (id <= lastId) {
                same = std::find_if(fields.begin(), fields.end(),
                                    [&](const KiwiField& f) { return f.name.data() == member->name.data(); });
            }
            lastId = std::max(lastId, id);
            if (same != fields.end()) {
                same->value = std::move(value);
            } else {
                fields.push_back({member->name, std::move(value)});
            }
        }
        return KiwiFields(std::make_move_iterator(fields.begin()), std::make_move_iterator(fields.end()));
    }

    const KiwiDecoder& decoder_;
    KiwiReader reader_;
    int depth_ = 0;
    std::size_t values_ = 0;
    std::size_t bytes_ = 0;
    // One per depth, made at the start: an outer message holds a reference to its own.
    std::vector<KiwiFields> scratch_ = std::vector<KiwiFields>(maxDepth + 1);
    std::string error_;
};

std::optional<KiwiValue> KiwiDecoder::decode(std::string_view data, std::string_view rootTypeName,
                                             std::string& error) const {
    const auto root = schema_.typeIndex(rootTypeName);
    if (!root) {
        error = "the schema has no type \"" + std::string(rootTypeName) + "\"";
        return std::nullopt;
    }
    Run run(*this, data);
    KiwiValue value = run.definition(*root);
    if (run.failed()) {
        error = run.error();
        return std::nullopt;
    }
    return value;
}

}  // namespace vantorel::import::figma
