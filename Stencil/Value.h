#pragma once
// The values a template sees: null, booleans, integers, doubles, strings, arrays, ordered
// dictionaries and host objects. Values are cheap to copy: containers and host objects are
// shared, immutable once built.

#include <atomic>
#include <concepts>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <new>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace stencil {

class Dictionary;
class HostObject;

class Value {
public:
    using Array = std::vector<Value>;
    enum class Kind { null, boolean, integer, number, string, array, dictionary, object };

    Value() noexcept : integer_(0) {}
    Value(std::nullptr_t) noexcept : integer_(0) {}  // NOLINT: implicit by design, as are the ones below
    template <std::same_as<bool> B>
    Value(B flag) noexcept : kind_(Kind::boolean), boolean_(flag) {}
    template <std::integral I>
        requires(!std::same_as<I, bool>)
    Value(I number) noexcept : kind_(Kind::integer), integer_(static_cast<std::int64_t>(number)) {}
    Value(double number) noexcept : kind_(Kind::number), number_(number) {}
    Value(std::string text) : kind_(Kind::string), string_(std::move(text)) {}
    Value(std::string_view text) : kind_(Kind::string), string_(text) {}
    Value(const char* text) : kind_(Kind::string), string_(text) {}
    Value(Array elements);
    Value(Dictionary entries);
    Value(std::shared_ptr<const HostObject> object);

    // Values are copied, moved and dropped for every name a template reads, so these stay
    // small and inline.
    Value(const Value& other) : integer_(0) { copyFrom(other); }
    Value(Value&& other) noexcept : integer_(0) { takeFrom(other); }
    Value& operator=(const Value& other) {
        if (this != &other) {
            Value copy(other);  // `other` may live inside this value's container
            release();
            takeFrom(copy);
        }
        return *this;
    }
    // Elements of containers are const, so a value moved in never lives under the one it replaces.
    Value& operator=(Value&& other) noexcept {
        if (this != &other) {
            release();
            takeFrom(other);
        }
        return *this;
    }
    ~Value() { release(); }

    Kind kind() const { return kind_; }
    bool isNull() const { return kind_ == Kind::null; }

    std::optional<bool> boolean() const {
        return kind_ == Kind::boolean ? std::optional<bool>(boolean_) : std::nullopt;
    }
    std::optional<std::int64_t> integer() const {
        return kind_ == Kind::integer ? std::optional<std::int64_t>(integer_) : std::nullopt;
    }
    // Integers and doubles alike.
    std::optional<double> number() const {
        return kind_ == Kind::integer  ? std::optional<double>(static_cast<double>(integer_))
               : kind_ == Kind::number ? std::optional<double>(number_)
                                       : std::nullopt;
    }
    const std::string* string() const { return kind_ == Kind::string ? &string_ : nullptr; }
    const Array* array() const { return kind_ == Kind::array ? static_cast<const Array*>(shared_.get()) : nullptr; }
    const Dictionary* dictionary() const {
        return kind_ == Kind::dictionary ? static_cast<const Dictionary*>(shared_.get()) : nullptr;
    }
    const HostObject* object() const {
        return kind_ == Kind::object ? static_cast<const HostObject*>(shared_.get()) : nullptr;
    }
    std::shared_ptr<const HostObject> sharedObject() const;

    // The printed form: nothing for null, "true"/"false", integers in decimal, doubles as the
    // shortest text that reads back with ".0" on whole numbers, strings as they are, and
    // containers in a bracketed list form.
    std::string text() const;
    void appendText(std::string& out) const;

    // Truth in conditions: present, not false, a number above 0, a non-empty string or container.
    bool truthy() const;

    // Equality of numbers (integers and doubles compare by value), strings, booleans and
    // containers element by element; host objects compare by identity.
    friend bool operator==(const Value& a, const Value& b);

private:
    bool isShared() const { return kind_ >= Kind::array; }
    [[gnu::always_inline]] void release() noexcept {
        if (kind_ == Kind::string) {
            string_.~basic_string();
        } else if (isShared()) {
            shared_.~shared_ptr();
        }
        kind_ = Kind::null;
    }
    // Both take an empty (null) value and fill it.
    [[gnu::always_inline]] void copyFrom(const Value& other) {
        switch (other.kind_) {
        case Kind::null: break;
        case Kind::boolean: boolean_ = other.boolean_; break;
        case Kind::integer: integer_ = other.integer_; break;
        case Kind::number: number_ = other.number_; break;
        case Kind::string: new (&string_) std::string(other.string_); break;
        case Kind::array:
        case Kind::dictionary:
        case Kind::object: new (&shared_) std::shared_ptr<const void>(other.shared_); break;
        }
        kind_ = other.kind_;
    }
    [[gnu::always_inline]] void takeFrom(Value& other) noexcept {
        switch (other.kind_) {
        case Kind::null: break;
        case Kind::boolean: boolean_ = other.boolean_; break;
        case Kind::integer: integer_ = other.integer_; break;
        case Kind::number: number_ = other.number_; break;
        case Kind::string: new (&string_) std::string(std::move(other.string_)); break;
        case Kind::array:
        case Kind::dictionary:
        case Kind::object: new (&shared_) std::shared_ptr<const void>(std::move(other.shared_)); break;
        }
        kind_ = other.kind_;
        other.release();
    }

    Kind kind_ = Kind::null;
    union {
        bool boolean_;
        std::int64_t integer_;
        double number_;
        std::string string_;
        // Arrays, dictionaries and host objects, told apart by the kind.
        std::shared_ptr<const void> shared_;
    };
};

// A dictionary that keeps its keys in insertion order, as JSON objects and Swift-style
// contexts are written.
class Dictionary {
public:
    using Entry = std::pair<std::string, Value>;

    Dictionary() = default;
    Dictionary(std::initializer_list<Entry> entries);
    // Takes the entries as they are; their keys must differ from one another.
    explicit Dictionary(std::vector<Entry> distinctEntries);

    // Adds the key at the end, or replaces the value of an existing key in place.
    void set(std::string key, Value value);
    const Value* find(std::string_view key) const;

    std::size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    auto begin() const { return entries_.begin(); }
    auto end() const { return entries_.end(); }

private:
    struct KeyHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view key) const { return std::hash<std::string_view>{}(key); }
    };
    std::vector<Entry> entries_;
    // Built once a dictionary grows past a handful of keys; small ones are searched in order.
    std::unordered_map<std::string, std::size_t, KeyHash, std::equal_to<>> index_;
};

// The fields that every host object of one kind keeps at fixed places, as values made once.
// A path such as `item.colorItem.color.light` is read thousands of times in a render: after
// its first read, each step goes straight to the slot its name has in the object's shape.
struct HostShape {
    static constexpr std::size_t noSlot = static_cast<std::size_t>(-1);
    std::span<const std::string_view> fields;

    // Where the named field is kept; noSlot when objects of this shape do not keep it in a slot.
    std::size_t slotOf(std::string_view name) const;
};

// A record of the host program that templates read field by field, without copying it into a
// dictionary first. Fields are asked for by name only when a template names them.
class HostObject {
public:
    HostObject() = default;
    // A copy keeps no slots: they would point into the original.
    HostObject(const HostObject&) {}
    HostObject& operator=(const HostObject&) { return *this; }
    virtual ~HostObject() = default;
    // The named field, or nothing when the object has no such field.
    virtual std::optional<Value> lookup(std::string_view name) const = 0;
    // The same without copying: the field where the object keeps it as a Value, or `holder`
    // filled with one made on the spot; null when there is no such field. Templates read
    // fields through this; records that keep their fields as Values answer it directly.
    virtual const Value* find(std::string_view name, Value& holder) const;
    // The elements when the object is a sequence that `for` can walk; nothing otherwise.
    virtual std::optional<Value::Array> elements() const { return std::nullopt; }
    // The printed form of the object itself.
    virtual std::string description() const { return {}; }

    // The shape of the fields kept in slots, and the slots; both null for objects without.
    const HostShape* shape() const { return shape_; }
    const Value* slots() const { return slots_; }

protected:
    // Field `shape->fields[i]` is `slots[i]`, which `find` must answer alike; `slots` lives
    // as long as the object.
    void setSlots(const HostShape* shape, const Value* slots) {
        shape_ = shape;
        slots_ = slots;
    }

private:
    const HostShape* shape_ = nullptr;
    const Value* slots_ = nullptr;
};

// One step of a path remembering, from its last read, which shape it met and the slot its name
// has there: the next object of the same shape answers from the slot without a name search.
// Safe to share between threads that render the same compiled template.
class SlotCache {
public:
    SlotCache() = default;
    SlotCache(const SlotCache&) {}
    SlotCache& operator=(const SlotCache&) {
        packed_.store(unused, std::memory_order_relaxed);
        return *this;
    }

    // findMember(base, name, holder), answered from the slot when `base` has the remembered shape.
    const Value* findMember(const Value& base, std::string_view name, Value& holder) const;
    // The remembered slot of `base` when it has the remembered shape and the name a slot there;
    // null otherwise, when findMember answers.
    const Value* slotIn(const Value& base) const {
        const HostObject* object = base.object();
        if (!object) {
            return nullptr;
        }
        // A shape remembered without a slot, and the unused state, carry the high mark and so
        // never equal an address here.
        std::uint64_t packed = packed_.load(std::memory_order_relaxed);
        if ((packed >> slotBits) != reinterpret_cast<std::uintptr_t>(object->shape())) {
            return nullptr;
        }
        return object->slots() + (packed & slotMask);
    }

private:
    static constexpr std::uint64_t slotBits = 16;
    static constexpr std::uint64_t slotMask = (std::uint64_t{1} << slotBits) - 1;
    static constexpr std::uint64_t noSlot = std::uint64_t{1} << 63;
    static constexpr std::uint64_t unused = noSlot;
    // The shape's address shifted up 16 bits, and the slot below; with the high bit set when the
    // shape keeps no slot for the name.
    mutable std::atomic<std::uint64_t> packed_{unused};
};

// `base.name` as templates read it: a dictionary key (or `count`, when no key is named so);
// `first`, `last`, `count` or an index on arrays, strings (by character) and iterable host
// objects; a host object's field. Null when there is none.
Value lookupMember(const Value& base, std::string_view name);
// The same without copying: the member where its container keeps it, or `holder` filled with a
// member made on the spot (a count, a character, a host object's field); null when there is none.
const Value* findMember(const Value& base, std::string_view name, Value& holder);

// The elements `for` walks: array elements, dictionary keys in ascending byte order with their
// values as two-element arrays, a string's characters, a host object's elements. Nothing for values that are not
// collections.
std::optional<Value::Array> iterationElements(const Value& value);

// Characters of UTF-8 text, as code points kept in their encoded form.
std::vector<std::string_view> utf8Characters(std::string_view text);

}  // namespace stencil
