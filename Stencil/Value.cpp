#include "Stencil/Value.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace stencil {

namespace {

constexpr std::size_t indexThreshold = 8;

void appendDouble(std::string& out, double number) {
    if (std::isnan(number)) {
        out += "nan";
        return;
    }
    if (std::isinf(number)) {
        out += number < 0 ? "-inf" : "inf";
        return;
    }
    // Plain notation for everyday magnitudes, exponent notation for the very large and very
    // small; either way the shortest digits that read back as the same double.
    double magnitude = std::fabs(number);
    bool plain = magnitude == 0 || (magnitude >= 1e-4 && magnitude < 1e16);
    char buffer[64];
    auto [end, ec] = plain ? std::to_chars(buffer, buffer + sizeof buffer, number, std::chars_format::fixed)
                           : std::to_chars(buffer, buffer + sizeof buffer, number, std::chars_format::scientific);
    if (ec != std::errc{}) {
        out += "nan";
        return;
    }
    std::string_view digits(buffer, static_cast<std::size_t>(end - buffer));
    out += digits;
    if (digits.find_first_of(".e") == std::string_view::npos) {
        out += ".0";
    }
}

void appendQuoted(std::string& out, const Value& value) {
    if (const auto* text = value.string()) {
        out += '"';
        out += *text;
        out += '"';
    } else if (value.isNull()) {
        out += "nil";
    } else {
        value.appendText(out);
    }
}

std::optional<std::size_t> parseIndex(std::string_view name) {
    std::size_t index = 0;
    auto [end, ec] = std::from_chars(name.data(), name.data() + name.size(), index);
    if (ec != std::errc{} || end != name.data() + name.size() || name.empty()) {
        return std::nullopt;
    }
    return index;
}

const Value* sequenceMember(const Value::Array& elements, std::string_view name, Value& holder) {
    if (name == "count") {
        holder = Value(elements.size());
        return &holder;
    }
    if (elements.empty()) {
        return nullptr;
    }
    if (name == "first") {
        return &elements.front();
    }
    if (name == "last") {
        return &elements.back();
    }
    if (auto index = parseIndex(name); index && *index < elements.size()) {
        return &elements[*index];
    }
    return nullptr;
}

Value stringMember(const std::string& text, std::string_view name) {
    auto characters = utf8Characters(text);
    if (name == "count") {
        return Value(characters.size());
    }
    if (characters.empty()) {
        return {};
    }
    if (name == "first") {
        return Value(characters.front());
    }
    if (name == "last") {
        return Value(characters.back());
    }
    if (auto index = parseIndex(name); index && *index < characters.size()) {
        return Value(characters[*index]);
    }
    return {};
}

}  // namespace

Value::Value(Array elements)
    : kind_(Kind::array), shared_(std::make_shared<const Array>(std::move(elements))) {}
Value::Value(Dictionary entries)
    : kind_(Kind::dictionary), shared_(std::make_shared<const Dictionary>(std::move(entries))) {}
Value::Value(std::shared_ptr<const HostObject> object) : integer_(0) {
    if (object) {
        new (&shared_) std::shared_ptr<const void>(std::move(object));
        kind_ = Kind::object;
    }
}

std::shared_ptr<const HostObject> Value::sharedObject() const {
    return kind_ == Kind::object ? std::shared_ptr<const HostObject>(shared_, object()) : nullptr;
}

std::string Value::text() const {
    std::string out;
    appendText(out);
    return out;
}

void Value::appendText(std::string& out) const {
    switch (kind()) {
    case Kind::null:
        return;
    case Kind::boolean:
        out += *boolean() ? "true" : "false";
        return;
    case Kind::integer: {
        char buffer[24];
        auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, *integer());
        out.append(buffer, ec == std::errc{} ? end : buffer);
        return;
    }
    case Kind::number:
        appendDouble(out, number_);
        return;
    case Kind::string:
        out += *string();
        return;
    case Kind::array: {
        out += '[';
        bool first = true;
        for (const auto& element : *array()) {
            if (!first) {
                out += ", ";
            }
            first = false;
            appendQuoted(out, element);
        }
        out += ']';
        return;
    }
    case Kind::dictionary: {
        const auto& entries = *dictionary();
        if (entries.empty()) {
            out += "[:]";
            return;
        }
        out += '[';
        bool first = true;
        for (const auto& [key, element] : entries) {
            if (!first) {
                out += ", ";
            }
            first = false;
            out += '"';
            out += key;
            out += "\": ";
            appendQuoted(out, element);
        }
        out += ']';
        return;
    }
    case Kind::object:
        out += object()->description();
        return;
    }
}

bool Value::truthy() const {
    switch (kind()) {
    case Kind::null:
        return false;
    case Kind::boolean:
        return *boolean();
    case Kind::integer:
        return *integer() > 0;
    case Kind::number:
        return number_ > 0;
    case Kind::string:
        return !string()->empty();
    case Kind::array:
        return !array()->empty();
    case Kind::dictionary:
        return !dictionary()->empty();
    case Kind::object: {
        auto elements = object()->elements();
        return !elements || !elements->empty();
    }
    }
    return false;
}

bool operator==(const Value& a, const Value& b) {
    if (a.kind() != b.kind()) {
        auto x = a.number();  // an integer and a double compare by value
        auto y = b.number();
        return x && y && *x == *y;
    }
    switch (a.kind()) {
    case Value::Kind::integer:
        return a.integer_ == b.integer_;
    case Value::Kind::number:
        return a.number_ == b.number_;
    case Value::Kind::null:
        return true;
    case Value::Kind::boolean:
        return *a.boolean() == *b.boolean();
    case Value::Kind::string:
        return *a.string() == *b.string();
    case Value::Kind::array:
        return *a.array() == *b.array();
    case Value::Kind::dictionary: {
        const auto& left = *a.dictionary();
        const auto& right = *b.dictionary();
        if (left.size() != right.size()) {
            return false;
        }
        for (const auto& [key, value] : left) {
            const Value* other = right.find(key);
            if (!other || !(*other == value)) {
                return false;
            }
        }
        return true;
    }
    case Value::Kind::object:
        return a.object() == b.object();
    }
    return false;
}

Dictionary::Dictionary(std::initializer_list<Entry> entries) {
    for (const auto& [key, value] : entries) {
        set(key, value);
    }
}

Dictionary::Dictionary(std::vector<Entry> distinctEntries) : entries_(std::move(distinctEntries)) {
    if (entries_.size() > indexThreshold) {
        for (std::size_t i = 0; i < entries_.size(); ++i) {
            index_.emplace(entries_[i].first, i);
        }
    }
}

void Dictionary::set(std::string key, Value value) {
    if (Value* existing = const_cast<Value*>(find(key))) {
        *existing = std::move(value);
        return;
    }
    entries_.emplace_back(std::move(key), std::move(value));
    if (entries_.size() > indexThreshold) {
        if (index_.empty()) {
            for (std::size_t i = 0; i < entries_.size(); ++i) {
                index_.emplace(entries_[i].first, i);
            }
        } else {
            index_.emplace(entries_.back().first, entries_.size() - 1);
        }
    }
}

const Value* Dictionary::find(std::string_view key) const {
    if (!index_.empty()) {
        auto found = index_.find(key);
        return found == index_.end() ? nullptr : &entries_[found->second].second;
    }
    for (const auto& entry : entries_) {
        if (entry.first == key) {
            return &entry.second;
        }
    }
    return nullptr;
}

const Value* HostObject::find(std::string_view name, Value& holder) const {
    auto field = lookup(name);
    if (!field) {
        return nullptr;
    }
    holder = std::move(*field);
    return &holder;
}

std::size_t HostShape::slotOf(std::string_view name) const {
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (fields[i] == name) {
            return i;
        }
    }
    return noSlot;
}

const Value* SlotCache::findMember(const Value& base, std::string_view name, Value& holder) const {
    const HostObject* object = base.object();
    const HostShape* shape = object ? object->shape() : nullptr;
    const auto address = reinterpret_cast<std::uintptr_t>(shape);
    if (!shape || address >= (noSlot >> slotBits)) {
        return stencil::findMember(base, name, holder);  // no shape, or an address too wide to remember
    }
    std::uint64_t packed = packed_.load(std::memory_order_relaxed);
    if (((packed & ~noSlot) >> slotBits) != address) {
        std::size_t slot = shape->slotOf(name);
        packed = (static_cast<std::uint64_t>(address) << slotBits) | (slot < slotMask ? slot : noSlot);
        packed_.store(packed, std::memory_order_relaxed);
    }
    return (packed & noSlot) ? stencil::findMember(base, name, holder) : &object->slots()[packed & slotMask];
}

Value lookupMember(const Value& base, std::string_view name) {
    Value holder;
    const Value* found = findMember(base, name, holder);
    if (found == &holder) {
        return holder;
    }
    return found ? *found : Value();
}

const Value* findMember(const Value& base, std::string_view name, Value& holder) {
    switch (base.kind()) {
    case Value::Kind::dictionary: {
        const auto& entries = *base.dictionary();
        if (const Value* found = entries.find(name)) {
            return found;
        }
        if (name == "count") {
            holder = Value(entries.size());
            return &holder;
        }
        return nullptr;
    }
    case Value::Kind::array:
        return sequenceMember(*base.array(), name, holder);
    case Value::Kind::string:
        holder = stringMember(*base.string(), name);
        return &holder;
    case Value::Kind::object: {
        const HostObject& object = *base.object();
        if (const Value* field = object.find(name, holder)) {
            return field;
        }
        if (auto elements = object.elements()) {
            // The elements live only here, so the member is copied out of them.
            Value element;
            if (const Value* found = sequenceMember(*elements, name, element)) {
                holder = found == &element ? std::move(element) : *found;
                return &holder;
            }
        }
        return nullptr;
    }
    default:
        return nullptr;
    }
}

std::optional<Value::Array> iterationElements(const Value& value) {
    switch (value.kind()) {
    case Value::Kind::array:
        return *value.array();
    case Value::Kind::dictionary: {
        Value::Array pairs;
        pairs.reserve(value.dictionary()->size());
        std::vector<const Dictionary::Entry*> entries;
        entries.reserve(value.dictionary()->size());
        for (const auto& entry : *value.dictionary()) {
            entries.push_back(&entry);
        }
        // Sorted by key, so that output does not depend on how the dictionary was built.
        std::sort(entries.begin(), entries.end(), [](const auto* a, const auto* b) { return a->first < b->first; });
        for (const auto* entry : entries) {
            pairs.emplace_back(Value::Array{Value(entry->first), entry->second});
        }
        return pairs;
    }
    case Value::Kind::string: {
        Value::Array characters;
        for (auto character : utf8Characters(*value.string())) {
            characters.emplace_back(character);
        }
        return characters;
    }
    case Value::Kind::object:
        return value.object()->elements();
    default:
        return std::nullopt;
    }
}

std::vector<std::string_view> utf8Characters(std::string_view text) {
    std::vector<std::string_view> characters;
    std::size_t start = 0;
    for (std::size_t i = 1; i <= text.size(); ++i) {
        bool continuation =
            i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80 && i - start < 4;
        if (!continuation) {
            characters.push_back(text.substr(start, i - start));
            start = i;
        }
    }
    return characters;
}

}  // namespace stencil
