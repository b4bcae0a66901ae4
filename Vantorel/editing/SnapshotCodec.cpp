#include "Vantorel/editing/SnapshotCodec.h"

#include <pugixml.hpp>

#include <optional>
#include <string>

#include "LZFSE/Lzfse.h"
#include "VantorelData/format/QuenzColorFileReader.h"
#include "VantorelData/format/QuenzColorFileWriter.h"
#include "VantorelData/format/TaskElements.h"
#include "VantorelData/format/XmlTextSink.h"

namespace vantorel::snapshot {
namespace {

CompressedElementPtr compressText(const std::string& text) {
    return std::make_shared<const CompressedElement>(lzfse::encode(std::string_view(text)));
}

template <class Group, class Write>
CompressedElementPtr compressGroup(const Group& group, Write write) {
    std::string text;
    format::XmlTextSink sink(text);
    write(sink, group);
    if (sink.failed()) return nullptr;
    return compressText(text);
}

std::optional<std::string> decompress(const CompressedElement& bytes) {
    return lzfse::decodeToString(std::span<const std::uint8_t>(bytes.data(), bytes.size()));
}

// The root element of the decompressed text, kept alive by `document`.
pugi::xml_node parseElement(const CompressedElement& bytes, pugi::xml_document& document) {
    const std::optional<std::string> text = decompress(bytes);
    if (!text) return {};
    if (!format::parseDocumentXml(document, *text)) return {};
    return document.document_element();
}

}  // namespace

CompressedElementPtr compress(const QuenzColorProjectItem& item) {
    const std::optional<std::string> text = format::QuenzColorFileWriter::itemText(item);
    return text ? compressText(*text) : nullptr;
}

CompressedElementPtr compress(const BuildGroup& group) {
    return compressGroup(group, [](format::XmlSink& sink, const BuildGroup& g) { format::writeBuildGroupElement(sink, g); });
}

CompressedElementPtr compress(const TestGroup& group) {
    return compressGroup(group, [](format::XmlSink& sink, const TestGroup& g) { format::writeTestGroupElement(sink, g); });
}

ProjectItemPtr restoreItem(const CompressedElement& bytes, const QuenzColorProject& project) {
    const std::optional<std::string> text = decompress(bytes);
    if (!text) return nullptr;
    return format::QuenzColorFileReader::readItemText(*text, project, false);
}

BuildGroupPtr restoreBuildGroup(const CompressedElement& bytes) {
    pugi::xml_document document;
    const pugi::xml_node element = parseElement(bytes, document);
    if (!element || std::string_view(element.name()) != "buildGroup") return nullptr;
    return format::QuenzColorFileReader::readBuildGroup(element, false);
}

TestGroupPtr restoreTestGroup(const CompressedElement& bytes) {
    pugi::xml_document document;
    const pugi::xml_node element = parseElement(bytes, document);
    if (!element || std::string_view(element.name()) != "testGroup") return nullptr;
    return format::QuenzColorFileReader::readTestGroup(element, false);
}

}  // namespace vantorel::snapshot
