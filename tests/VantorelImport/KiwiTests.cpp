// The Kiwi reader: every primitive, schemas, and messages decoded with a Figma-shaped schema,
// including hostile bytes that must fail with a description rather than stop or crash.

#include <gtest/gtest.h>

#include <fmt/format.h>

#include <cmath>

#include "Vantorel/import/figma/FigmaColorScan.h"
#include "Vantorel/import/figma/KiwiDecoder.h"
#include "Vantorel/import/figma/KiwiReader.h"
#include "tests/VantorelImport/FigmaTestFiles.h"

namespace vantorel::import::figma {
namespace {

using namespace vantorel::import::testing;

// "{a:1,b:[x,y]}", strings quoted, bytes as "bytes(n)".
std::string valueText(const KiwiValue& value) {
    struct Printer {
        std::string operator()(std::monostate) const { return "null"; }
        std::string operator()(bool v) const { return v ? "true" : "false"; }
        std::string operator()(std::int64_t v) const { return std::to_string(v); }
        std::string operator()(std::uint64_t v) const { return std::to_string(v) + "u"; }
        std::string operator()(double v) const { return fmt::format("{}", v); }
        std::string operator()(const std::string& v) const { return "\"" + v + "\""; }
        std::string operator()(std::string_view v) const { return std::string(v); }
        std::string operator()(const KiwiBytes& v) const { return fmt::format("bytes({})", v.size()); }
        std::string operator()(const KiwiList& list) const {
            std::string text;
            for (const KiwiValue& element : list) text += (text.empty() ? "" : ",") + valueText(element);
            return "[" + text + "]";
        }
        std::string operator()(const KiwiFields& fields) const {
            std::string text;
            for (const KiwiField& field : fields)
                text += (text.empty() ? "" : ",") + std::string(field.name) + ":" + valueText(field.value);
            return "{" + text + "}";
        }
    };
    return std::visit(Printer{}, value.storage);
}

TEST(KiwiReader, ReadsEveryPrimitiveAndFailsPastTheEnd) {
    enum Read { byte, boolean, varUint, varUint64, varInt, varInt64, varFloat, string };
    const struct {
        Read read;
        std::string bytes;
        std::string expected;  // the value, or "failed"
        std::size_t offset;    // after the read
    } cases[] = {
        {byte, "\xFF", "255", 1},
        {byte, "", "failed", 0},
        {boolean, "\x02", "1", 1},
        {varUint, "\x7F", "127", 1},
        {varUint, "\x80\x01", "128", 2},
        {varUint, "\xFF\xFF\xFF\xFF\x0F", "4294967295", 5},
        {varUint, "\x80\x80\x80\x80\x80\x01", "failed", 5},
        {varUint, "\x80", "failed", 1},
        {varUint64, "\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\x01", "18446744073709551615", 10},
        {varUint64, std::string(10, '\x80') + "\x01", "failed", 10},
        {varInt, "\x01", "-1", 1},
        {varInt, "\x04", "2", 1},
        {varInt, "\xFF\xFF\xFF\xFF\x0F", "-2147483648", 5},
        {varInt64, "\xFE\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF\x01", "9223372036854775807", 10},
        {varFloat, std::string("\0\x7F", 2), "0", 1},
        {varFloat, std::string("\x7F\0\0\0", 4), "1", 4},
        {varFloat, std::string("\x80\x01\0\0", 4), "-2", 4},
        {varFloat, std::string("\x7E\0\0\0", 4), "0.5", 4},
        {varFloat, std::string("\x7F\0", 2), "failed", 1},
        {string, std::string("abc\0d", 5), "abc", 4},
        {string, std::string("\0", 1), "", 1},
        {string, "abc", "failed", 3},
        {string, std::string("a\xFF\xC3\xA9\xE2\x82\0", 7), "a\xEF\xBF\xBD\xC3\xA9\xEF\xBF\xBD\xEF\xBF\xBD", 7},
    };
    for (const auto& test : cases) {
        KiwiReader reader(test.bytes);
        std::string value;
        switch (test.read) {
            case byte: value = std::to_string(reader.readByte()); break;
            case boolean: value = std::to_string(reader.readBool()); break;
            case varUint: value = std::to_string(reader.readVarUint()); break;
            case varUint64: value = std::to_string(reader.readVarUint64()); break;
            case varInt: value = std::to_string(reader.readVarInt()); break;
            case varInt64: value = std::to_string(reader.readVarInt64()); break;
            case varFloat: value = fmt::format("{}", reader.readVarFloat()); break;
            case string: value = reader.readString(); break;
        }
        EXPECT_EQ(reader.failed() ? "failed" : value, test.expected) << test.read << " " << test.bytes;
        EXPECT_EQ(reader.offset(), test.offset) << test.read << " " << test.bytes;
    }
}

TEST(KiwiReader, WritersFloatsReadBack) {
    const struct {
        float written, read;
        std::size_t size;
    } cases[] = {{0.0f, 0.0f, 1},   {-0.0f, 0.0f, 1},  {1e-45f, 0.0f, 1},      {1.0f, 1.0f, 4},
                 {0.2f, 0.2f, 4},   {-1e-30f, -1e-30f, 4}, {3.4e38f, 3.4e38f, 4}, {-INFINITY, -INFINITY, 4}};
    for (const auto& test : cases) {
        KiwiWriter writer;
        writer.varFloat(test.written);
        KiwiReader reader(writer.bytes);
        EXPECT_EQ(std::bit_cast<std::uint32_t>(reader.readVarFloat()), std::bit_cast<std::uint32_t>(test.read))
            << test.written;
        EXPECT_EQ(writer.bytes.size(), test.size) << test.written;
        EXPECT_TRUE(reader.atEnd() && !reader.failed()) << test.written;
    }
}

TEST(KiwiSchema, RejectsSchemasADecoderCouldNotTrust) {
    const auto withField = [](std::int32_t type, bool array = false) {
        return encodeSchema({{"Color", 1, {{"r", floatType, false, 0}}}, {"S", 1, {{"f", type, array, 0}}}});
    };
    const struct {
        const char* what;
        std::string bytes;
        std::string error;  // "" when the schema is read
    } cases[] = {
        {"the Figma-shaped schema", encodeSchema(figmaLikeSchema()), ""},
        {"a struct holding an array of itself", withField(1, true), ""},
        {"empty", "", "the schema's definition count does not fit its size"},
        {"a count past the bytes", KiwiWriter().varUint(1000).string("A").bytes,
         "the schema's definition count does not fit its size"},
        {"a field count past the bytes", KiwiWriter().varUint(1).string("A").byte(2).varUint(9).bytes,
         "definition 0 is truncated"},
        {"a truncated field", encodeSchema(figmaLikeSchema()).substr(0, 40), "definition \"DocumentColorProfile\" is truncated"},
        {"an unknown kind", KiwiWriter().varUint(1).string("A").byte(3).varUint(0).bytes,
         "definition \"A\" has the unknown kind 3"},
        {"a type index past the definitions", withField(2), "field \"f\" of \"S\" has the unknown type 2"},
        {"a built-in type below uint64", withField(-9), "field \"f\" of \"S\" has the unknown type -9"},
        {"two fields of one value", encodeSchema({{"A", 2, {{"x", boolType, false, 1}, {"y", boolType, false, 1}}}}),
         "definition \"A\" has two fields of value 1"},
        {"a struct holding itself", withField(1), "a struct of the schema contains itself"},
        {"structs holding each other",
         encodeSchema({{"A", 1, {{"b", 1, false, 0}}}, {"B", 1, {{"a", 0, false, 0}}}}),
         "a struct of the schema contains itself"},
    };
    for (const auto& test : cases) {
        std::string error;
        const auto schema = KiwiSchema::parse(test.bytes, error);
        EXPECT_EQ(schema ? "" : error, test.error) << test.what;
    }
}

// Node change messages of the Figma-shaped schema.
struct Node {
    KiwiWriter out;
    Node& guid(std::uint32_t session, std::uint32_t local) {
        out.field(1).varUint(session).varUint(local);
        return *this;
    }
    Node& name(std::string_view text) {
        out.field(2).string(text);
        return *this;
    }
    Node& fill(float r, float g, float b, float a) {
        out.field(3).varUint(1).field(1).color(r, g, b, a).end();
        return *this;
    }
    Node& background(float r, float g, float b, float a) {
        out.field(4).color(r, g, b, a);
        return *this;
    }
    std::string done() { return std::move(out.end().bytes); }
};

std::string message(const std::vector<std::string>& nodes, int profile = -1) {
    KiwiWriter out;
    out.field(1).varUint(0);
    out.field(2).varUint(nodes.size());
    for (const std::string& node : nodes) out.bytes += node;
    if (profile >= 0) out.field(3).varUint(static_cast<std::uint64_t>(profile));
    return std::move(out.end().bytes);
}

// A node nested `depth` deep through "children".
std::string nestedNode(int depth) {
    std::string node = Node().name("leaf").done();
    for (int i = 0; i < depth; ++i) node = KiwiWriter().field(6).varUint(1).bytes + node + std::string(1, '\0');
    return node;
}

const std::map<std::string, KiwiTypeConverter> converters{
    {"GUID", [](KiwiValue&& v) -> KiwiValue { return "guid" + std::to_string(v.fields()->size()); }},
    {"Nonexistent", [](KiwiValue&&) -> KiwiValue { return {}; }},
};

// The Figma-shaped schema, read once (the schema table checks that it reads).
const KiwiSchema& figmaSchema() {
    std::string error;
    static const auto schema = KiwiSchema::parse(encodeSchema(figmaLikeSchema()), error);
    return schema.value();
}

TEST(KiwiDecoder, DecodesMessagesAndFailsCleanlyOnBadData) {
    KiwiWriter everyType;
    everyType.field(7).varInt(-5).field(8).varUint(1ULL << 40).field(9).varInt(-3);
    everyType.field(10).varUint(3).byte(1).byte(2).byte(3).field(11).byte(200);
    everyType.field(12).varUint(2).string("a").string("b");
    everyType.field(5).varFloat(1).varFloat(0).varFloat(2).varFloat(0).varFloat(1).varFloat(0.5f).end();
    const struct {
        const char* what;
        std::string data;
        std::string expected;  // the value, or the error
    } cases[] = {
        {"every field type", message({Node().guid(1, 2).fill(1, 0, 0.5f, 1).done(), everyType.bytes}, 1),
         "{type:0u,nodeChanges:[{guid:\"guid2\",fillPaints:[{color:{r:1,g:0,b:0.5,a:1}}]},"
         "{offset:-5,size:1099511627776u,depth:-3,blob:bytes(3),flag:200u,tags:[\"a\",\"b\"],"
         "transform:{m00:1,m01:0,m02:2,m10:0,m11:1,m12:0.5}}],documentColorProfile:DISPLAY_P3}"},
        {"an enum value the schema lacks stays a number", message({}, 7),
         "{type:0u,nodeChanges:[],documentColorProfile:7u}"},
        {"a field sent twice keeps its last value", KiwiWriter().field(1).varUint(1).field(1).varUint(2).end().bytes,
         "{type:2u}"},
        {"an unknown field id ends the message, keeping what was read",
         KiwiWriter().field(1).varUint(3).field(99).varUint(4).field(3).varUint(1).end().bytes, "{type:3u}"},
        {"an unknown id in a node ends the node; its parent goes on",
         KiwiWriter().field(2).varUint(1).field(2).string("n").field(40).field(3).varUint(1).end().bytes,
         "{nodeChanges:[{name:\"n\"}],documentColorProfile:DISPLAY_P3}"},
        {"nesting past the limit", message({nestedNode(KiwiDecoder::maxDepth)}), "values nest more than 64 deep"},
        {"an array longer than the data", KiwiWriter().field(2).varUint(1000).end().bytes,
         "the array \"nodeChanges\" claims 1000 elements, more than the data holds"},
        {"a struct longer than the data", KiwiWriter().field(2).varUint(1).field(4).byte(0).byte(0).bytes,
         "the struct \"Color\" is longer than the data left"},
        {"a message without its end", KiwiWriter().field(1).varUint(3).bytes,
         "the data ends inside a value, at byte 2"},
        {"a string without its end", KiwiWriter().field(2).varUint(1).field(2).byte('x').bytes,
         "the data ends inside a value, at byte 4"},
        {"empty data", "", "the data ends inside a value, at byte 0"},
    };
    const KiwiDecoder decoder(figmaSchema(), converters);
    for (const auto& test : cases) {
        std::string error;
        const auto value = decoder.decode(test.data, "Message", error);
        EXPECT_EQ(value ? valueText(*value) : error, test.expected) << test.what;
    }
    std::string error;
    EXPECT_FALSE(decoder.decode("\0", "Document", error));
    EXPECT_EQ(error, "the schema has no type \"Document\"");
}

std::string colorsText(const FigmaColors& found) {
    std::string text = found.displayP3 ? "p3" : "srgb";
    for (const auto& [r, g, b, a] : found.colors) text += fmt::format(" {}/{}/{}/{}", r, g, b, a);
    return text;
}

// The scan, where it does not step aside, finds exactly what the walk over the decoded tree
// finds. Returns the scan's text, or "tree: " and the tree's when the scan stepped aside.
std::string scanAgreeingWithTree(const KiwiDecoder& decoder, const std::string& data) {
    const auto scanned = scanFigmaColors(decoder, data, "Message");
    std::string error;
    const auto tree = decoder.decode(data, "Message", error);
    if (const auto* found = std::get_if<FigmaColors>(&scanned)) {
        if (!tree) return "the scan read data the tree rejects: " + error;
        const std::string text = colorsText(*found);
        EXPECT_EQ(text, colorsText(figmaColorsOfTree(*tree)));
        return text;
    }
    return "tree: " + (tree ? colorsText(figmaColorsOfTree(*tree)) : error);
}

TEST(FigmaColorScan, FindsWhatTheTreeWalkFinds) {
    // A "color" map that may itself hold colors, a converted struct hiding one, and a
    // component name given twice.
    constexpr std::int32_t shade = 0, guid = 1;
    const std::vector<SchemaDefinition> definitions = {
        {"Shade", 2, {{"r", floatType, false, 1}, {"g", floatType, false, 2}, {"b", floatType, false, 3},
                      {"a", floatType, false, 4}, {"backgroundColor", shade, false, 5}, {"r", intType, false, 6}}},
        {"GUID", 1, {{"sessionID", uintType, false, 0}, {"inner", shade, false, 1}}},
        {"Message", 2, {{"color", shade, false, 1}, {"items", shade, true, 2}, {"guid", guid, false, 3},
                        {"backgroundColor", shade, true, 4}, {"documentColorProfile", stringType, false, 5}}},
    };
    const auto shadeOf = [](float r, float g, float b, float a) {
        return KiwiWriter().field(1).varFloat(r).field(2).varFloat(g).field(3).varFloat(b).field(4).varFloat(a).bytes;
    };
    const std::string full = shadeOf(0.5f, 0, 0, 1) + KiwiWriter().end().bytes;
    const std::string inner = KiwiWriter().field(5).bytes + shadeOf(0, 1, 0, 1) + KiwiWriter().end().bytes;
    const struct {
        const char* what;
        std::string data;
        std::string expected;
    } cases[] = {
        {"a color map's own colors are not looked at",
         KiwiWriter().field(1).bytes + shadeOf(0.5f, 0, 0, 1) + inner + KiwiWriter().end().end().bytes, "srgb 0.5/0/0/1"},
        {"a map that is not a color is walked",
         KiwiWriter().field(1).field(1).varFloat(1).bytes + inner + KiwiWriter().end().end().bytes, "srgb 0/1/0/1"},
        {"the first component of a name counts",
         KiwiWriter().field(1).field(2).varFloat(0).field(3).varFloat(0).field(4).varFloat(1).field(6).varInt(1).end().end().bytes,
         "srgb"},
        {"arrays of maps are walked, equal colors once, the profile as text",
         KiwiWriter().field(2).varUint(3).bytes + full + inner + KiwiWriter().end().bytes + full + KiwiWriter().field(4).varUint(1).bytes + full +
             KiwiWriter().field(5).string("DISPLAY_P3").end().bytes,
         "p3 0/1/0/1"},
        {"a converted struct holds no colors",
         KiwiWriter().field(3).varUint(7).bytes + inner + KiwiWriter().end().end().bytes, "srgb"},
        {"fields out of id order are read in their order",
         KiwiWriter().field(5).string("DISPLAY_P3").field(1).bytes + full + KiwiWriter().end().bytes, "p3 0.5/0/0/1"},
        {"a field sent again is left to the tree",
         KiwiWriter().field(5).string("x").field(5).string("DISPLAY_P3").end().bytes, "tree: p3"},
        {"damaged data is left to the tree", KiwiWriter().field(1).bytes, "tree: the data ends inside a value, at byte 1"},
    };
    std::string schemaError;
    const auto schema = KiwiSchema::parse(encodeSchema(definitions), schemaError);
    ASSERT_TRUE(schema) << schemaError;
    const KiwiDecoder decoder(*schema, converters);
    for (const auto& test : cases) EXPECT_EQ(scanAgreeingWithTree(decoder, test.data), test.expected) << test.what;
}

TEST(KiwiDecoder, StopsAtItsLimitsOnValuesAndBytes) {
    const std::string emptyNodes = message(std::vector<std::string>(60, std::string(1, '\0')));
    const std::string longName = message({Node().name(std::string(300, 'n')).done()});
    const struct {
        KiwiLimits limits;
        const std::string& data;
        std::string expected;
    } cases[] = {
        {{200, 1000}, emptyNodes, ""},
        {{100, 1000}, emptyNodes, "the data holds more than 100 values"},
        {{100, 300}, longName, ""},
        {{100, 299}, longName, "the data holds more than 299 bytes of text and blobs"},
    };
    for (const auto& test : cases) {
        const KiwiDecoder decoder(figmaSchema(), {}, test.limits);
        std::string error;
        decoder.decode(test.data, "Message", error);
        EXPECT_EQ(error, test.expected) << test.limits.values << " " << test.limits.bytes;
    }
}

TEST(KiwiDecoder, NestsToTheLimitAndSurvivesEveryTruncationAndFlippedByte) {
    const KiwiDecoder decoder(figmaSchema());
    std::string error;
    EXPECT_TRUE(decoder.decode(message({nestedNode(KiwiDecoder::maxDepth - 2)}), "Message", error)) << error;

    const std::string data = message({Node().guid(1, 2).name("Frame").fill(0.25f, 0.5f, 0.75f, 1).done(),
                                      Node().background(1, 1, 1, 1).done(), nestedNode(3)},
                                     0);
    ASSERT_TRUE(decoder.decode(data, "Message", error)) << error;
    EXPECT_EQ(scanAgreeingWithTree(decoder, data), "srgb 0.25/0.5/0.75/1 1/1/1/1");
    for (std::size_t size = 0; size < data.size(); ++size) {
        EXPECT_FALSE(decoder.decode(data.substr(0, size), "Message", error)) << size;
        EXPECT_FALSE(error.empty());
        EXPECT_TRUE(scanAgreeingWithTree(decoder, data.substr(0, size)).starts_with("tree: ")) << size;
    }
    for (std::size_t at = 0; at < data.size(); ++at) {
        for (const char bits : {'\x01', '\x80', '\xFF'}) {
            std::string flipped = data;
            flipped[at] = static_cast<char>(flipped[at] ^ bits);
            EXPECT_FALSE(scanAgreeingWithTree(decoder, flipped).starts_with("the scan read")) << at;
        }
    }
}

}  // namespace
}  // namespace vantorel::import::figma
