#pragma once
// KiwiValue: one decoded Kiwi value as a plain tree. A message or struct is a list of fields in
// the order they were read (each name once), an array a list, an enum the name of its member,
// and built-in types booleans, integers, floating-point numbers or strings. Arrays of bytes
// stay bytes, which keeps the blobs of a design file compact.
//
// Field and enum names are views into the KiwiSchema the value was decoded with: the schema
// must outlive the value.

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

namespace vantorel::import::figma {

struct KiwiValue;
struct KiwiField;
using KiwiList = std::vector<KiwiValue>;
using KiwiFields = std::vector<KiwiField>;
using KiwiBytes = std::vector<std::uint8_t>;

struct KiwiValue {
    using Storage = std::variant<std::monostate, bool, std::int64_t, std::uint64_t, double, std::string,
                                 std::string_view, KiwiBytes, KiwiList, KiwiFields>;
    Storage storage;

    KiwiValue() = default;
    template <class T>
        requires(!std::is_same_v<std::remove_cvref_t<T>, KiwiValue>)
    KiwiValue(T&& value) : storage(std::forward<T>(value)) {}  // NOLINT: values convert implicitly

    bool isFields() const { return std::holds_alternative<KiwiFields>(storage); }
    bool isList() const { return std::holds_alternative<KiwiList>(storage); }
    const KiwiFields* fields() const { return std::get_if<KiwiFields>(&storage); }
    const KiwiList* list() const { return std::get_if<KiwiList>(&storage); }
    const double* number() const { return std::get_if<double>(&storage); }
    // A string, or the name of an enum member.
    std::string_view text() const;
    // The field of a message or struct named `name`; null when absent or not a message.
    const KiwiValue* field(std::string_view name) const;
};

struct KiwiField {
    std::string_view name;
    KiwiValue value;
};

}  // namespace vantorel::import::figma
