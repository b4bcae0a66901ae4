#include "Vantorel/build/exporters/AndroidResourceExporter.h"

#include <pugixml.hpp>

#include <cmath>
#include <optional>
#include <unordered_map>
#include <string_view>
#include <unordered_set>

#include "Vantorel/build/CodeNames.h"
#include "Vantorel/build/SourceText.h"
#include "Vantorel/build/exporters/ExportColorText.h"
#include "Vantorel/build/exporters/ExportLocations.h"
#include "Vantorel/platform/AtomicFile.h"
#include "VantorelData/model/ItemTreeWalk.h"

namespace vantorel::build {
namespace {

class ResourceWriter {
public:
    ResourceWriter(const QuenzColorProject& project, const BuildTask& task)
        : project_(project), task_(task), names_(project, task) {}

    // One pass over the items for one appearance; each item is written at most once per pass.
    void addItems(pugi::xml_node parent, const std::vector<ProjectItemPtr>& items, ColorSource source) {
        seen_.clear();
        for (const auto& item : items) {
            if (item) addItem(parent, *item, source);
        }
    }

private:
    void addItem(pugi::xml_node parent, const QuenzColorProjectItem& item, ColorSource source) {
        if (!seen_.insert(item.uuid()).second) return;
        // Both appearance passes name each item; the resource name is made in the first.
        auto named = itemNames_.find(&item);
        if (named == itemNames_.end()) named = itemNames_.emplace(&item, resourceName(names_.of(item))).first;
        const std::string& name = named->second;
        switch (item.itemType()) {
            case ProjectItemType::color: addColor(parent, name, item.color()->color().variant(source)); break;
            case ProjectItemType::colorAlias:
                addColor(parent, name, project_.resolvedColor(*item.colorAlias()).variant(source));
                break;
            case ProjectItemType::number: addInteger(parent, name, item.number()->value().variant(source)); break;
            case ProjectItemType::numberAlias:
                addInteger(parent, name, project_.resolvedValue(*item.numberAlias()).variant(source));
                break;
            case ProjectItemType::boolean: addBool(parent, name, item.boolean()->value().variant(source)); break;
            case ProjectItemType::booleanAlias:
                addBool(parent, name, project_.resolvedValue(*item.booleanAlias()).variant(source));
                break;
            case ProjectItemType::string: addString(parent, name, item.string()->value().variant(source)); break;
            case ProjectItemType::stringAlias:
                addString(parent, name, project_.resolvedValue(*item.stringAlias()).variant(source));
                break;
            case ProjectItemType::colorSet: {
                // Each step is named as if the set were one more namespace around it.
                auto setPath = namespacePath(item);
                setPath.push_back(item.name());
                for (const auto& step : item.colorSet()->colors()) {
                    addColor(parent, resourceName(codeName(step.name, task_, setPath)), step.variant(source));
                }
                break;
            }
            case ProjectItemType::group:
                // Every value inside, however deep, by a walk rather than recursion.
                walkItemTree(item.group()->items(), [&](const ProjectItemPtr& child) {
                    if (!child->isGroup()) {
                        addItem(parent, *child, source);
                        return WalkStep::skipChildren;
                    }
                    return seen_.insert(child->uuid()).second ? WalkStep::descend : WalkStep::skipChildren;
                });
                break;
            case ProjectItemType::shadow:
            case ProjectItemType::shadowSet:
            case ProjectItemType::shadowAlias: break;
        }
    }

    std::vector<std::string> namespacePath(const QuenzColorProjectItem& item) const { return names_.namespacePath(item); }

    static std::string resourceName(const std::string& codeName) {
        return identifierIn(IdentifierLanguage::android, codeName);
    }

    static pugi::xml_node element(pugi::xml_node parent, const char* kind, const std::string& name) {
        auto node = parent.append_child(kind);
        node.append_attribute("name").set_value(name.c_str());
        return node;
    }

    // A color without a value for the appearance still gets its (empty) element, so that the
    // dark style names every color.
    static void addColor(pugi::xml_node parent, const std::string& name, const std::optional<quenz::ColorValue>& color) {
        auto node = element(parent, "color", name);
        if (!color) return;
        if (auto hex = sRGBHexText(*color, quenz::ColorFormat::hexARGB)) node.text().set(hex->c_str());
    }

    // Resources hold whole numbers only; a fraction leaves the number out.
    static void addInteger(pugi::xml_node parent, const std::string& name, const std::optional<double>& number) {
        if (!number || std::fmod(*number, 1.0) != 0) return;
        element(parent, "integer", name).text().set(shortNumberText(*number).c_str());
    }

    static void addBool(pugi::xml_node parent, const std::string& name, const std::optional<bool>& value) {
        if (value) element(parent, "bool", name).text().set(*value ? "true" : "false");
    }

    static void addString(pugi::xml_node parent, const std::string& name, const std::optional<std::string>& value) {
        if (value) element(parent, "string", name).text().set(androidStringText(*value).c_str());
    }

    const QuenzColorProject& project_;
    const BuildTask& task_;
    TaskCodeNames names_;
    std::unordered_map<const QuenzColorProjectItem*, std::string> itemNames_;
    std::unordered_set<std::string_view> seen_;  // identifiers of the items, which outlive the writer
};

struct StringWriter final : pugi::xml_writer {
    std::string text;
    void write(const void* data, size_t size) override { text.append(static_cast<const char*>(data), size); }
};

}  // namespace

std::string AndroidResourceExporter::resourceText(const QuenzColorProject& project, const BuildTask& task,
                                                  const std::vector<ProjectItemPtr>& items) {
    pugi::xml_document document;
    auto resources = document.append_child("resources");
    ResourceWriter writer(project, task);
    writer.addItems(resources, items, ColorSource::light);
    auto style = resources.append_child("style");
    style.append_attribute("name").set_value("Dark");
    writer.addItems(style, items, ColorSource::dark);

    StringWriter output;
    output.text = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n";
    resources.print(output, "  ", pugi::format_indent);
    return output.text;
}

ExportResult AndroidResourceExporter::exportTask(const ExportRequest& request) {
    auto location = outputPath(request);
    if (location.error) return {{}, std::move(location.error)};
    removeEarlierOutput(location.path);
    const std::string text = resourceText(project_, request.task, request.items);
    if (auto error = platform::writeFileAtomically(location.path, text)) return ExportResult::failure(error->message);
    return ExportResult::written(location.path);
}

}  // namespace vantorel::build
