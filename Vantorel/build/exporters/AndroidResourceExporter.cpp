#include "Vantorel/build/exporters/AndroidResourceExporter.h"

#include "Vantorel/build/OutputBuffer.h"

#include <array>
#include <cmath>
#include <memory_resource>
#include <optional>
#include <string_view>
#include <unordered_set>

#include "Vantorel/build/CodeNames.h"
#include "Vantorel/build/OutputBuffer.h"
#include "Vantorel/build/SourceText.h"
#include "Vantorel/build/exporters/ExportColorText.h"
#include "Vantorel/build/exporters/ExportLocations.h"
#include "Vantorel/platform/AtomicFile.h"
#include "VantorelData/model/ItemTreeWalk.h"

namespace vantorel::build {
namespace {

// Text of a values resource file as the XML library prints an indented document, written
// straight out: `<kind name="…">text</kind>` per value, `<kind name="…" />` for one without text.
// Markup characters are escaped, and control characters as numeric references, as it escapes
// them (tab, line feed and carriage return stand as they are in text, not in attributes).
class ResourceText {
public:
    explicit ResourceText(std::string& out) : out_(out) {}

    // Texts end at a NUL, as the library's C strings do.
    void element(std::string_view indent, std::string_view kind, std::string_view name,
                 std::optional<std::string_view> text) {
        name = name.substr(0, name.find('\0'));
        if (text) text = text->substr(0, text->find('\0'));
        out_.append(indent).append("<").append(kind).append(" name=\"");
        appendEscaped(name, true);
        if (!text) {
            out_.append("\" />\n");
            return;
        }
        out_.append("\">");
        appendEscaped(*text, false);
        out_.append("</").append(kind).append(">\n");
    }

private:
    // Which bytes are escaped: in text, markup and control characters but tab, line feed and
    // carriage return; in attribute values also those three and the quote.
    enum : std::uint8_t { inText = 1, inAttribute = 2 };
    static constexpr std::array<std::uint8_t, 256> escaped = [] {
        std::array<std::uint8_t, 256> table{};
        for (int c = 0; c < 32; ++c) table[static_cast<std::size_t>(c)] = inAttribute | inText;
        for (char c : {'\t', '\n', '\r', '"'}) table[static_cast<std::uint8_t>(c)] = inAttribute;
        for (char c : {'&', '<', '>'}) table[static_cast<std::uint8_t>(c)] = inAttribute | inText;
        return table;
    }();

    void appendEscaped(std::string_view text, bool attribute) {
        const std::uint8_t context = attribute ? inAttribute : inText;
        std::size_t plain = 0;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const auto c = static_cast<unsigned char>(text[i]);
            if (!(escaped[c] & context)) continue;
            out_.append(text.substr(plain, i - plain));
            plain = i + 1;
            switch (c) {
                case '&': out_.append("&amp;"); break;
                case '<': out_.append("&lt;"); break;
                case '>': out_.append("&gt;"); break;
                case '"': out_.append("&quot;"); break;
                default:
                    out_.append("&#");
                    out_.push_back(static_cast<char>('0' + c / 10));
                    out_.push_back(static_cast<char>('0' + c % 10));
                    out_.push_back(';');
            }
        }
        out_.append(text.substr(plain));
    }

    std::string& out_;
};

class ResourceWriter {
public:
    ResourceWriter(const QuenzColorProject& project, const BuildTask& task)
        : project_(project), task_(task), names_(project, task) {}

    // One pass over the items for one appearance, as lines at `indent`; each item is written at
    // most once per pass.
    void addItems(std::string& out, std::string_view indent, const std::vector<ProjectItemPtr>& items,
                  ColorSource source) {
        ResourceText text(out);
        // The identifiers met in one pass live as long as the pass: their set draws on one
        // block of memory, given back whole before the next pass.
        seen_.reset();
        seenMemory_.release();
        seen_.emplace(items.size() * 2, &seenMemory_);
        nextName_ = 0;
        for (const auto& item : items) {
            if (item) addItem(text, indent, *item, source);
        }
    }

private:
    void addItem(ResourceText& out, std::string_view indent, const QuenzColorProjectItem& item, ColorSource source) {
        if (!seen_->insert(item.uuid()).second) return;
        // Both appearance passes meet the items in the same order; the first names them. (A
        // group's walk adds names, so its own is not held across it.)
        if (nextName_ == itemNames_.size()) itemNames_.push_back(resourceName(names_.of(item)));
        const std::string& name = itemNames_[nextName_++];
        const auto color = [&](const std::string& colorName, const std::optional<quenz::ColorValue>& value) {
            addColor(out, indent, colorName, value);
        };
        switch (item.itemType()) {
            case ProjectItemType::color: color(name, item.color()->color().variant(source)); break;
            case ProjectItemType::colorAlias: color(name, project_.resolvedColor(*item.colorAlias()).variant(source)); break;
            case ProjectItemType::number: addInteger(out, indent, name, item.number()->value().variant(source)); break;
            case ProjectItemType::numberAlias:
                addInteger(out, indent, name, project_.resolvedValue(*item.numberAlias()).variant(source));
                break;
            case ProjectItemType::boolean: addBool(out, indent, name, item.boolean()->value().variant(source)); break;
            case ProjectItemType::booleanAlias:
                addBool(out, indent, name, project_.resolvedValue(*item.booleanAlias()).variant(source));
                break;
            case ProjectItemType::string: addString(out, indent, name, item.string()->value().variant(source)); break;
            case ProjectItemType::stringAlias:
                addString(out, indent, name, project_.resolvedValue(*item.stringAlias()).variant(source));
                break;
            case ProjectItemType::colorSet: {
                // Each step is named as if the set were one more namespace around it.
                auto setPath = namespacePath(item);
                setPath.push_back(item.name());
                for (const auto& step : item.colorSet()->colors()) {
                    color(resourceName(codeName(step.name, task_, setPath)), step.variant(source));
                }
                break;
            }
            case ProjectItemType::group:
                // Every value inside, however deep, by a walk rather than recursion.
                walkItemTree(item.group()->items(), [&](const ProjectItemPtr& child) {
                    if (!child->isGroup()) {
                        addItem(out, indent, *child, source);
                        return WalkStep::skipChildren;
                    }
                    return seen_->insert(child->uuid()).second ? WalkStep::descend : WalkStep::skipChildren;
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

    // A color without a value for the appearance still gets its (empty) element, so that the
    // dark style names every color.
    void addColor(ResourceText& out, std::string_view indent, const std::string& name,
                  const std::optional<quenz::ColorValue>& color) {
        std::optional<std::string_view> hex;
        if (color) hex = sRGBHexText(*color, quenz::ColorFormat::hexARGB, hexTexts_);
        out.element(indent, "color", name, hex);
    }

    // Resources hold whole numbers only; a fraction leaves the number out.
    static void addInteger(ResourceText& out, std::string_view indent, const std::string& name,
                           const std::optional<double>& number) {
        if (!number || std::fmod(*number, 1.0) != 0) return;
        out.element(indent, "integer", name, shortNumberText(*number));
    }

    static void addBool(ResourceText& out, std::string_view indent, const std::string& name,
                        const std::optional<bool>& value) {
        if (value) out.element(indent, "bool", name, *value ? "true" : "false");
    }

    static void addString(ResourceText& out, std::string_view indent, const std::string& name,
                          const std::optional<std::string>& value) {
        if (value) out.element(indent, "string", name, androidStringText(*value));
    }

    const QuenzColorProject& project_;
    const BuildTask& task_;
    TaskCodeNames names_;
    std::vector<std::string> itemNames_;  // in the order the items are met
    std::size_t nextName_ = 0;
    std::pmr::monotonic_buffer_resource seenMemory_;
    std::optional<std::pmr::unordered_set<Identifier>> seen_;  // identifiers of the items
    ColorTextStore hexTexts_;  // a color met again, in either appearance, is not written again
};

}  // namespace

std::string AndroidResourceExporter::resourceText(const QuenzColorProject& project, const BuildTask& task,
                                                  const std::vector<ProjectItemPtr>& items) {
    ResourceWriter writer(project, task);
    std::string text = takeOutputBuffer();
    text.reserve(items.size() * 100);
    text.append("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<resources>\n");
    writer.addItems(text, "  ", items, ColorSource::light);
    std::string dark;
    dark.reserve(items.size() * 50);
    writer.addItems(dark, "    ", items, ColorSource::dark);
    if (dark.empty()) {
        text.append("  <style name=\"Dark\" />\n");
    } else {
        text.append("  <style name=\"Dark\">\n").append(dark).append("  </style>\n");
    }
    text.append("</resources>\n");
    return text;
}

ExportResult AndroidResourceExporter::exportTask(const ExportRequest& request) {
    auto location = outputPath(request);
    if (location.error) return {{}, std::move(location.error)};
    removeEarlierOutput(location.path);
    std::string text = resourceText(project_, request.task, request.items);
    auto error = platform::writeFileAtomically(location.path, text);
    keepOutputBuffer(std::move(text));
    if (error) return ExportResult::failure(error->message);
    return ExportResult::written(location.path);
}

}  // namespace vantorel::build
