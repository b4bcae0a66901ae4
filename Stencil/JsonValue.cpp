#include "Stencil/JsonValue.h"

#include <fstream>
#include <sstream>

namespace stencil {

namespace {

// Deeper JSON would make the values themselves too deep to walk and free safely.
constexpr std::size_t maxJsonDepth = 256;

Value convert(const nlohmann::ordered_json& json, std::size_t depth, bool& tooDeep) {
    if (depth > maxJsonDepth) {
        tooDeep = true;
        return {};
    }
    using Type = nlohmann::ordered_json::value_t;
    switch (json.type()) {
    case Type::null:
    case Type::discarded:
        return {};
    case Type::boolean:
        return Value(json.get<bool>());
    case Type::number_integer:
        return Value(json.get<std::int64_t>());
    case Type::number_unsigned: {
        auto number = json.get<std::uint64_t>();
        if (number > static_cast<std::uint64_t>(INT64_MAX)) {
            return Value(static_cast<double>(number));
        }
        return Value(static_cast<std::int64_t>(number));
    }
    case Type::number_float:
        return Value(json.get<double>());
    case Type::string:
        return Value(json.get_ref<const std::string&>());
    case Type::array: {
        Value::Array elements;
        elements.reserve(json.size());
        for (const auto& element : json) {
            elements.push_back(convert(element, depth + 1, tooDeep));
        }
        return Value(std::move(elements));
    }
    case Type::object: {
        Dictionary entries;
        for (const auto& [key, element] : json.items()) {
            entries.set(key, convert(element, depth + 1, tooDeep));
        }
        return Value(std::move(entries));
    }
    case Type::binary:
        return {};
    }
    return {};
}

}  // namespace

Value valueFromJson(const nlohmann::ordered_json& json) {
    bool tooDeep = false;
    return convert(json, 0, tooDeep);
}

Result<Value> parseJsonValue(std::string_view text) {
    auto json = nlohmann::ordered_json::parse(text, nullptr, false);
    if (json.is_discarded()) {
        try {
            auto reparsed = nlohmann::ordered_json::parse(text);
            return valueFromJson(reparsed);  // not reached: the text failed to parse once already
        } catch (const nlohmann::json::parse_error& error) {
            return makeError(ErrorKind::syntax, std::string("Invalid JSON: ") + error.what());
        }
        return makeError(ErrorKind::syntax, "Invalid JSON");
    }
    bool tooDeep = false;
    Value value = convert(json, 0, tooDeep);
    if (tooDeep) {
        return makeError(ErrorKind::nestingTooDeep,
                         "JSON is nested more than " + std::to_string(maxJsonDepth) + " levels deep");
    }
    return value;
}

Result<Value> readJsonFile(const std::filesystem::path& file) {
    std::ifstream stream(file, std::ios::binary);
    if (!stream) {
        return makeError(ErrorKind::templateNotFound, "Cannot read '" + file.string() + "'");
    }
    std::ostringstream contents;
    contents << stream.rdbuf();
    auto value = parseJsonValue(contents.str());
    if (!value) {
        Error error = std::move(value).error();
        error.message = file.string() + ": " + error.message;
        return error;
    }
    return value;
}

}  // namespace stencil
