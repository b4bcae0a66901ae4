#include "VantorelData/format/QuenzColorFileReader.h"

#include "VantorelData/format/ItemElements.h"
#include "VantorelData/format/TaskElements.h"
#include "VantorelData/format/XmlReading.h"

namespace vantorel::format {
namespace {

// Roughly the bytes of one item in a document, for reserving the linker's list up front.
constexpr std::size_t typicalItemBytes = 256;

bool parse(pugi::xml_document& document, std::string_view bytes) {
    return static_cast<bool>(
        document.load_buffer(bytes.data(), bytes.size(), documentParseOptions, pugi::encoding_auto));
}

}  // namespace

QuenzColorProjectPtr QuenzColorFileReader::read(std::string_view bytes) {
    auto project = std::make_shared<QuenzColorProject>();
    pugi::xml_document document;
    if (!parse(document, bytes)) return project;
    const pugi::xml_node projectElement = document.document_element().child("project");
    if (!projectElement) return project;

    if (const auto description = childText(projectElement.child("header"), "description")) {
        project->setProjectDescription(std::string(*description));
    }

    std::vector<DocumentSettingPtr> settings;
    for (const pugi::xml_node setting : projectElement.child("settings").children("setting")) {
        const auto key = childText(setting, "key");
        const auto value = childText(setting, "value");
        if (key && value) settings.push_back(std::make_shared<DocumentSetting>(std::string(*key), std::string(*value)));
    }
    project->setSettings(std::move(settings));

    // Groups first, so that items find the groups they are assigned to.
    std::vector<BuildGroupPtr> buildGroups;
    for (const pugi::xml_node group : projectElement.child("buildGroups").children("buildGroup")) {
        buildGroups.push_back(readBuildGroupElement(group, false));
    }
    project->setBuildGroups(std::move(buildGroups));
    std::vector<TestGroupPtr> testGroups;
    for (const pugi::xml_node group : projectElement.child("testGroups").children("testGroup")) {
        testGroups.push_back(readTestGroupElement(group, false));
    }
    project->setTestGroups(std::move(testGroups));

    // Aliases are linked from what the item reader offers as it goes, not by walking the
    // finished tree again: on a large document that walk costs a cache miss per item.
    ReferenceLinker linker;
    linker.reserve(bytes.size() / typicalItemBytes);
    std::vector<ProjectItemPtr> items;
    for (const pugi::xml_node element : projectElement.child("colorItems").children()) {
        if (element.type() != pugi::node_element) continue;
        if (auto item = readItemElement(element, *project, false, &linker)) items.push_back(std::move(item));
    }
    project->setItems(std::move(items));
    linker.link();
    return project;
}

bool QuenzColorFileReader::isWellFormed(std::string_view bytes) {
    pugi::xml_document document;
    return parse(document, bytes);
}

ProjectItemPtr QuenzColorFileReader::readItem(pugi::xml_node element, const QuenzColorProject& project,
                                              bool generateNewIds) {
    return readItemElement(element, project, generateNewIds);
}

BuildGroupPtr QuenzColorFileReader::readBuildGroup(pugi::xml_node element, bool generateNewIds) {
    return readBuildGroupElement(element, generateNewIds);
}

TestGroupPtr QuenzColorFileReader::readTestGroup(pugi::xml_node element, bool generateNewIds) {
    return readTestGroupElement(element, generateNewIds);
}

std::optional<BuildTaskPtr> QuenzColorFileReader::readBuildTask(pugi::xml_node element, bool generateNewIds) {
    return readBuildTaskElement(element, generateNewIds);
}

std::optional<TestTaskPtr> QuenzColorFileReader::readTestTask(pugi::xml_node element, bool generateNewIds) {
    return readTestTaskElement(element, generateNewIds);
}

ProjectItemPtr QuenzColorFileReader::readItemText(std::string_view text, const QuenzColorProject& project,
                                                  bool generateNewIds) {
    pugi::xml_document document;
    if (!parse(document, text)) return nullptr;
    return readItemElement(document.document_element(), project, generateNewIds);
}

}  // namespace vantorel::format
