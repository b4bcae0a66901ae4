#include "VantorelData/format/QuenzColorFileWriter.h"

#include "VantorelData/format/DocumentVocabulary.h"
#include "VantorelData/format/ItemElements.h"
#include "VantorelData/format/TaskElements.h"
#include "VantorelData/format/XmlNodeSink.h"
#include "VantorelData/format/XmlTextSink.h"
#include "VantorelData/model/ItemTreeWalk.h"

namespace vantorel::format {
namespace {

// A rough size of an item's element, so that the output grows without repeated copying.
constexpr std::size_t estimatedBytesPerItem = 700;

std::size_t countItems(const std::vector<ProjectItemPtr>& items) {
    std::size_t count = 0;
    walkItemTree(items, [&count](const ProjectItemPtr&) { ++count; });
    return count;
}

DocumentWriteError encodingError() {
    return {DocumentWriteError::Kind::encoding,
            "The document contains text that is not valid UTF-8 and cannot be saved."};
}

DocumentWriteError invalidItemError() {
    return {DocumentWriteError::Kind::invalidItem, "Unknown or invalid project item encountered"};
}

template <class Write>
pugi::xml_node appendElement(pugi::xml_node parent, const Write& write) {
    XmlNodeSink sink(parent);
    const pugi::xml_node before = parent.last_child();
    if (!write(sink)) {
        const pugi::xml_node partial = before ? before.next_sibling() : parent.first_child();
        if (partial) parent.remove_child(partial);
        return {};
    }
    return parent.last_child();
}

}  // namespace

WrittenDocument QuenzColorFileWriter::write(const QuenzColorProject& project) {
    WrittenDocument result;
    std::string& out = result.bytes;
    out.reserve(4096 + countItems(project.items()) * estimatedBytesPerItem);
    out += declarationLine;

    XmlTextSink sink(out);
    sink.open("vantorel");
    sink.attribute("xmlns", documentNamespace);
    sink.attribute("xmlns:xsi", schemaInstanceNamespace);
    sink.attribute("xsi:schemaLocation", schemaLocation);
    sink.open("project");

    sink.open("header");
    sink.leaf("version", documentVersion);
    sink.leaf("description", project.projectDescription());
    sink.close();

    sink.open("settings");
    for (const auto& setting : project.settings()) {
        if (!setting) continue;
        sink.open("setting");
        sink.leaf("key", setting->key());
        sink.leaf("value", setting->value());
        sink.close();
    }
    sink.close();

    sink.open("colorItems");
    for (const auto& item : project.items()) {
        if (!item || !writeItemElement(sink, *item)) {
            return {{}, invalidItemError()};
        }
    }
    sink.close();

    sink.open("buildGroups");
    for (const auto& group : project.buildGroups()) {
        if (group) writeBuildGroupElement(sink, *group);
    }
    sink.close();

    sink.open("testGroups");
    for (const auto& group : project.testGroups()) {
        if (group) writeTestGroupElement(sink, *group);
    }
    sink.close();

    sink.close();  // project
    sink.close();  // vantorel
    if (sink.failed()) return {{}, encodingError()};
    return result;
}

pugi::xml_node QuenzColorFileWriter::writeItem(const QuenzColorProjectItem& item, pugi::xml_node parent) {
    return appendElement(parent, [&](XmlSink& sink) { return writeItemElement(sink, item); });
}

pugi::xml_node QuenzColorFileWriter::writeBuildGroup(const BuildGroup& group, pugi::xml_node parent) {
    return appendElement(parent, [&](XmlSink& sink) {
        writeBuildGroupElement(sink, group);
        return true;
    });
}

pugi::xml_node QuenzColorFileWriter::writeTestGroup(const TestGroup& group, pugi::xml_node parent) {
    return appendElement(parent, [&](XmlSink& sink) {
        writeTestGroupElement(sink, group);
        return true;
    });
}

pugi::xml_node QuenzColorFileWriter::writeBuildTask(const BuildTask& task, pugi::xml_node parent) {
    return appendElement(parent, [&](XmlSink& sink) {
        writeBuildTaskElement(sink, task);
        return true;
    });
}

pugi::xml_node QuenzColorFileWriter::writeTestTask(const TestTask& task, pugi::xml_node parent) {
    return appendElement(parent, [&](XmlSink& sink) {
        writeTestTaskElement(sink, task);
        return true;
    });
}

std::optional<std::string> QuenzColorFileWriter::itemText(const QuenzColorProjectItem& item) {
    std::string text;
    XmlTextSink sink(text);
    if (!writeItemElement(sink, item) || sink.failed()) return std::nullopt;
    return text;
}

}  // namespace vantorel::format
