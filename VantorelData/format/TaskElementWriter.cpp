#include "VantorelData/format/NumberText.h"
#include "VantorelData/format/TaskElements.h"
#include "VantorelData/format/XmlTextSink.h"

namespace vantorel::format {
namespace {

bool isAsciiLetter(unsigned char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

}  // namespace

// The characters the XML reader accepts in names: letters, "_", ":" and any non-ASCII byte
// to start, then also digits, "-" and "."; and, as all text of a document, valid UTF-8.
bool isStorableElementName(std::string_view key) {
    if (key.empty() || !isEncodableText(key)) return false;
    for (std::size_t i = 0; i < key.size(); ++i) {
        const auto c = static_cast<unsigned char>(key[i]);
        const bool start = isAsciiLetter(c) || c == '_' || c == ':' || c >= 0x80;
        const bool inner = start || (c >= '0' && c <= '9') || c == '-' || c == '.';
        if (!(i == 0 ? start : inner)) return false;
    }
    return true;
}

void writeBuildTaskElement(XmlSink& sink, const BuildTask& task) {
    sink.open("task");
    sink.leaf("name", task.name());
    sink.leaf("id", task.uuid());
    sink.leaf("folder", task.exportFileFolder());
    sink.leaf("fileName", task.exportFileName());
    sink.leaf("fileType", integerText(code(task.exportFileType())).view());
    sink.leaf("nameTransform", integerText(code(task.nameTransform())).view());
    sink.leaf("colorSpaceConversion", integerText(code(task.colorSpaceConversion())).view());
    if (const auto format = task.exportFormat()) sink.leaf("format", rawString(*format));
    if (const auto& prefix = task.namePrefix()) sink.leaf("namePrefix", *prefix);
    if (const auto& suffix = task.nameSuffix()) sink.leaf("nameSuffix", *suffix);
    if (!task.customData().empty()) {
        sink.open("configuration");
        // An entry whose key cannot be an element name cannot be stored in this form.
        for (const auto& [key, value] : task.customData()) {
            if (isStorableElementName(key)) sink.leaf(key.c_str(), value);
        }
        sink.close();
    }
    sink.close();
}

void writeBuildGroupElement(XmlSink& sink, const BuildGroup& group) {
    sink.open("buildGroup");
    sink.leaf("id", group.uuid());
    sink.leaf("name", group.name());
    if (group.isExpanded()) sink.leaf("expanded", "1");
    sink.open("tasks");
    for (const auto& task : group.tasks()) {
        if (task) writeBuildTaskElement(sink, *task);
    }
    sink.close();
    sink.close();
}

void writeTestTaskElement(XmlSink& sink, const TestTask& task) {
    sink.open("test");
    sink.leaf("name", task.name());
    sink.leaf("id", task.uuid());
    sink.leaf("type", rawString(task.taskType()));
    if (const auto thresholdType = task.thresholdType()) sink.leaf("thresholdType", rawString(*thresholdType));
    if (const auto threshold = task.threshold()) {
        const auto text = measuredNumberText(*threshold);
        sink.leaf("threshold", text ? text->view() : std::string_view{});
    }
    if (const auto fontSize = task.minFontSize()) sink.leaf("fontSize", integerText(*fontSize).view());
    if (const auto fontWeight = task.minFontWeight()) sink.leaf("fontWeight", rawString(*fontWeight));
    sink.close();
}

void writeTestGroupElement(XmlSink& sink, const TestGroup& group) {
    sink.open("testGroup");
    sink.leaf("id", group.uuid());
    sink.leaf("name", group.name());
    if (group.isExpanded()) sink.leaf("expanded", "1");
    sink.open("tests");
    for (const auto& test : group.tests()) {
        if (test) writeTestTaskElement(sink, *test);
    }
    sink.close();
    sink.close();
}

}  // namespace vantorel::format
