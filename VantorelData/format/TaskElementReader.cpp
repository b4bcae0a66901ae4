#include <cstring>

#include "VantorelData/format/NumberText.h"
#include "VantorelData/format/TaskElements.h"
#include "VantorelData/format/XmlReading.h"

namespace vantorel::format {
namespace {

// Tasks keep the stored identifier; a missing one, or pasting, gives a fresh one.
std::string taskIdentifier(pugi::xml_node element, bool generateNewIds) {
    if (generateNewIds) return makeUuid();
    const auto stored = childText(element, "id");
    return stored ? std::string(*stored) : makeUuid();
}

// Groups keep the stored identifier, the empty one when it is missing.
std::string groupIdentifier(pugi::xml_node element, bool generateNewIds) {
    return generateNewIds ? makeUuid() : childTextOr(element, "id");
}

}  // namespace

std::optional<BuildTaskPtr> readBuildTaskElement(pugi::xml_node element, bool generateNewIds) {
    if (std::strcmp(element.name(), "task") != 0) return std::nullopt;
    BuildTaskFields fields;
    const auto fileType = codedCase<BuildFileType>(childText(element, "fileType"), buildFileTypeFromCode);
    const auto nameTransform =
        codedCase<BuildNameTransform>(childText(element, "nameTransform"), buildNameTransformFromCode);
    const auto conversion = codedCase<ColorSpaceConversion>(
        childText(element, "colorSpaceConversion").value_or("0"), colorSpaceConversionFromCode);
    if (!fileType || !nameTransform || !conversion) return std::nullopt;

    fields.name = childTextOr(element, "name");
    fields.exportFileFolder = childTextOr(element, "folder");
    fields.exportFileName = childTextOr(element, "fileName");
    fields.exportFileType = *fileType;
    fields.nameTransform = *nameTransform;
    fields.colorSpaceConversion = *conversion;
    if (const auto format = childText(element, "format")) fields.exportFormat = buildExportFormatFromRawString(*format);
    // Present but empty elements give empty texts: an empty prefix is still a prefix.
    if (const auto prefix = element.child("namePrefix")) fields.namePrefix = std::string(prefix.text().get());
    if (const auto suffix = element.child("nameSuffix")) fields.nameSuffix = std::string(suffix.text().get());
    for (const pugi::xml_node entry : element.child("configuration").children()) {
        if (entry.type() != pugi::node_element) continue;
        const char* value = entry.text().get();
        if (*value != '\0') fields.customData[entry.name()] = value;
    }
    return std::make_shared<BuildTask>(std::move(fields), taskIdentifier(element, generateNewIds));
}

BuildGroupPtr readBuildGroupElement(pugi::xml_node element, bool generateNewIds) {
    std::vector<BuildTaskPtr> tasks;
    for (const pugi::xml_node task : element.child("tasks").children("task")) {
        if (auto read = readBuildTaskElement(task, generateNewIds)) tasks.push_back(std::move(*read));
    }
    return std::make_shared<BuildGroup>(childTextOr(element, "name"), std::move(tasks),
                                        groupIdentifier(element, generateNewIds), childTextIs(element, "expanded", "1"));
}

std::optional<TestTaskPtr> readTestTaskElement(pugi::xml_node element, bool generateNewIds) {
    if (std::strcmp(element.name(), "test") != 0) return std::nullopt;
    const auto type = childText(element, "type");
    const auto taskType = type ? testTaskTypeFromRawString(*type) : std::nullopt;
    if (!taskType) return std::nullopt;

    TestTaskFields fields;
    fields.name = childTextOr(element, "name");
    fields.taskType = *taskType;
    if (const auto thresholdType = childText(element, "thresholdType")) {
        fields.thresholdType = testThresholdTypeFromRawString(*thresholdType);
    }
    if (const auto threshold = childText(element, "threshold")) fields.threshold = parseMeasuredNumber(*threshold);
    if (const auto fontSize = childText(element, "fontSize")) fields.minFontSize = parseInt(*fontSize);
    if (const auto fontWeight = childText(element, "fontWeight")) {
        fields.minFontWeight = testFontWeightFromRawString(*fontWeight);
    }
    return std::make_shared<TestTask>(std::move(fields), taskIdentifier(element, generateNewIds));
}

TestGroupPtr readTestGroupElement(pugi::xml_node element, bool generateNewIds) {
    std::vector<TestTaskPtr> tests;
    for (const pugi::xml_node test : element.child("tests").children("test")) {
        if (auto read = readTestTaskElement(test, generateNewIds)) tests.push_back(std::move(*read));
    }
    return std::make_shared<TestGroup>(childTextOr(element, "name"), std::move(tests),
                                       groupIdentifier(element, generateNewIds), childTextIs(element, "expanded", "1"));
}

}  // namespace vantorel::format
