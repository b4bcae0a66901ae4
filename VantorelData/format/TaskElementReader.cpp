#include "VantorelData/format/FlatXmlDocument.h"
#include "VantorelData/format/NumberText.h"
#include "VantorelData/format/TaskElements.h"
#include "VantorelData/format/XmlReading.h"

namespace vantorel::format {
namespace {

template <class Element>
std::optional<std::string_view> fieldText(Element element, std::string_view name) {
    return textOf(element.child(name));
}

template <class Element>
std::string fieldTextOr(Element element, std::string_view name) {
    return std::string(element.child(name).value());
}

// Tasks keep the stored identifier; a missing one, or pasting, gives a fresh one.
template <class Element>
std::string taskIdentifier(Element element, bool generateNewIds) {
    if (generateNewIds) return makeUuid();
    const auto stored = fieldText(element, "id");
    return stored ? std::string(*stored) : makeUuid();
}

// Groups keep the stored identifier, the empty one when it is missing.
template <class Element>
std::string groupIdentifier(Element element, bool generateNewIds) {
    return generateNewIds ? makeUuid() : fieldTextOr(element, "id");
}

}  // namespace

template <class Element>
std::optional<BuildTaskPtr> readBuildTaskElement(Element element, bool generateNewIds) {
    if (element.name() != "task") return std::nullopt;
    BuildTaskFields fields;
    const auto fileType = codedCase<BuildFileType>(fieldText(element, "fileType"), buildFileTypeFromCode);
    const auto nameTransform =
        codedCase<BuildNameTransform>(fieldText(element, "nameTransform"), buildNameTransformFromCode);
    const auto conversion = codedCase<ColorSpaceConversion>(
        fieldText(element, "colorSpaceConversion").value_or("0"), colorSpaceConversionFromCode);
    if (!fileType || !nameTransform || !conversion) return std::nullopt;

    fields.name = fieldTextOr(element, "name");
    fields.exportFileFolder = fieldTextOr(element, "folder");
    fields.exportFileName = fieldTextOr(element, "fileName");
    fields.exportFileType = *fileType;
    fields.nameTransform = *nameTransform;
    fields.colorSpaceConversion = *conversion;
    if (const auto format = fieldText(element, "format")) fields.exportFormat = buildExportFormatFromRawString(*format);
    // Present but empty elements give empty texts: an empty prefix is still a prefix.
    if (const Element prefix = element.child("namePrefix")) fields.namePrefix = std::string(prefix.value());
    if (const Element suffix = element.child("nameSuffix")) fields.nameSuffix = std::string(suffix.value());
    for (Element entry = element.child("configuration").firstChild(); entry; entry = entry.nextSibling()) {
        if (const auto value = textOf(entry)) fields.customData[std::string(entry.name())] = std::string(*value);
    }
    return std::make_shared<BuildTask>(std::move(fields), taskIdentifier(element, generateNewIds));
}

template <class Element>
BuildGroupPtr readBuildGroupElement(Element element, bool generateNewIds) {
    std::vector<BuildTaskPtr> tasks;
    for (Element task = element.child("tasks").firstChild(); task; task = task.nextSibling()) {
        if (task.name() != "task") continue;
        if (auto read = readBuildTaskElement(task, generateNewIds)) tasks.push_back(std::move(*read));
    }
    const auto expanded = fieldText(element, "expanded");
    return std::make_shared<BuildGroup>(fieldTextOr(element, "name"), std::move(tasks),
                                        groupIdentifier(element, generateNewIds), expanded == "1");
}

template <class Element>
std::optional<TestTaskPtr> readTestTaskElement(Element element, bool generateNewIds) {
    if (element.name() != "test") return std::nullopt;
    const auto type = fieldText(element, "type");
    const auto taskType = type ? testTaskTypeFromRawString(*type) : std::nullopt;
    if (!taskType) return std::nullopt;

    TestTaskFields fields;
    fields.name = fieldTextOr(element, "name");
    fields.taskType = *taskType;
    if (const auto thresholdType = fieldText(element, "thresholdType")) {
        fields.thresholdType = testThresholdTypeFromRawString(*thresholdType);
    }
    if (const auto threshold = fieldText(element, "threshold")) fields.threshold = parseMeasuredNumber(*threshold);
    if (const auto fontSize = fieldText(element, "fontSize")) fields.minFontSize = parseInt(*fontSize);
    if (const auto fontWeight = fieldText(element, "fontWeight")) {
        fields.minFontWeight = testFontWeightFromRawString(*fontWeight);
    }
    return std::make_shared<TestTask>(std::move(fields), taskIdentifier(element, generateNewIds));
}

template <class Element>
TestGroupPtr readTestGroupElement(Element element, bool generateNewIds) {
    std::vector<TestTaskPtr> tests;
    for (Element test = element.child("tests").firstChild(); test; test = test.nextSibling()) {
        if (test.name() != "test") continue;
        if (auto read = readTestTaskElement(test, generateNewIds)) tests.push_back(std::move(*read));
    }
    const auto expanded = fieldText(element, "expanded");
    return std::make_shared<TestGroup>(fieldTextOr(element, "name"), std::move(tests),
                                       groupIdentifier(element, generateNewIds), expanded == "1");
}

// The readers over both element views.
#define VANTOREL_TASK_READERS(Element)                                                   \
    template BuildGroupPtr readBuildGroupElement(Element, bool);                         \
    template std::optional<BuildTaskPtr> readBuildTaskElement(Element, bool);            \
    template TestGroupPtr readTestGroupElement(Element, bool);                           \
    template std::optional<TestTaskPtr> readTestTaskElement(Element, bool);
VANTOREL_TASK_READERS(PugiElement)
VANTOREL_TASK_READERS(FlatXmlElement)
#undef VANTOREL_TASK_READERS

}  // namespace vantorel::format
