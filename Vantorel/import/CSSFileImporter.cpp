#include "Vantorel/import/CSSFileImporter.h"

#include <gumbo.h>

#include <algorithm>
#include <cctype>
#include <map>

#include "Vantorel/import/StyleSheetColors.h"
#include "Vantorel/platform/Log.h"
#include "VantorelData/format/XmlTextSink.h"

namespace vantorel::import {
namespace {

constexpr std::size_t smallestRun = 3;
constexpr std::size_t largestRun = 32;

struct GumboDeleter {
    void operator()(GumboOutput* output) const { gumbo_destroy_output(&kGumboDefaultOptions, output); }
};

// Searches every style element's text and every style attribute of the page; false when
// the page cannot be parsed.
bool extractFromHTML(std::string_view text, StyleSheetColors& colors) {
    std::unique_ptr<GumboOutput, GumboDeleter> output(
        gumbo_parse_with_options(&kGumboDefaultOptions, text.data(), text.size()));
    if (!output || !output->root) return false;
    // Depth first without recursion: pages can nest deeper than the stack allows.
    std::vector<const GumboNode*> pending{output->root};
    while (!pending.empty()) {
        const GumboNode* node = pending.back();
        pending.pop_back();
        if (node->type != GUMBO_NODE_ELEMENT && node->type != GUMBO_NODE_TEMPLATE) continue;
        const GumboElement& element = node->v.element;
        if (const GumboAttribute* style = gumbo_get_attribute(&element.attributes, "style"))
            colors.extract(style->value);
        for (unsigned i = element.children.length; i-- > 0;) {
            const auto* child = static_cast<const GumboNode*>(element.children.data[i]);
            if (element.tag == GUMBO_TAG_STYLE && child->type == GUMBO_NODE_TEXT)
                colors.extract(child->v.text.text);
            pending.push_back(child);
        }
    }
    return true;
}

struct NumberedName {
    std::string stem;
    long long position = 0;
};

// "brand-100" → stem "brand-", position 100; none without trailing digits.
std::optional<NumberedName> numberedName(const std::string& name) {
    std::size_t digits = name.size();
    while (digits > 0 && std::isdigit(static_cast<unsigned char>(name[digits - 1]))) --digits;
    if (digits == name.size() || name.size() - digits > 9) return std::nullopt;
    return NumberedName{name.substr(0, digits), std::stoll(name.substr(digits))};
}

}  // namespace

void groupNumberedColors(QuenzColorGroup& group) {
    struct Member {
        std::size_t index;
        long long position;
    };
    std::map<std::string, std::vector<Member>> runs;
    const std::vector<ProjectItemPtr>& items = group.items();
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i]->itemType() != ProjectItemType::color) continue;
        if (auto numbered = numberedName(items[i]->name()))
            runs[numbered->stem].push_back({i, numbered->position});
    }

    std::vector<ProjectItemPtr> result;
    std::vector<bool> taken(items.size(), false);
    std::map<std::size_t, ProjectItemPtr> setsAt;
    for (auto& [stem, members] : runs) {
        if (members.size() < smallestRun || members.size() > largestRun) continue;
        const std::size_t first = members.front().index;
        std::stable_sort(members.begin(), members.end(),
                         [](const Member& a, const Member& b) { return a.position < b.position; });
        std::vector<ThemeableColor> steps;
        for (const Member& member : members) {
            const ThemeableColor& color = items[member.index]->color()->color();
            steps.emplace_back(color.lightVariant, color.lightVariantHighContrast(), color.darkVariant(),
                               color.darkVariantHighContrast(), std::to_string(member.position));
            taken[member.index] = true;
        }
        std::string name = stem;
        if (!name.empty() && name.back() == '-') name.pop_back();
        setsAt[first] = makeImportedColorSet(std::move(name), std::move(steps));
    }
    if (setsAt.empty()) return;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (const auto set = setsAt.find(i); set != setsAt.end()) result.push_back(set->second);
        if (!taken[i]) result.push_back(items[i]);
    }
    group.setItems(std::move(result));
}

void CSSFileImporter::importText(std::string_view text, bool html, QuenzColorGroup& group) {
    StyleSheetColors colors;
    if (!html || !extractFromHTML(text, colors)) {
        if (html) {
            static const platform::LogChannel log("Import");
            log.write("Parsing as HTML failed, falling back to full text parse instead");
        }
        colors.extract(text);
    }
    addImportedColors(colors.records(), group);
    groupNumberedColors(group);
}

std::optional<ImportError> CSSFileImporter::importFile(const std::filesystem::path& file,
                                                       QuenzColorGroup& group) {
    const auto bytes = readFileBytes(file);
    if (!bytes || !format::isEncodableText(*bytes)) return ImportError{"Unable to read document"};
    std::string extension = file.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    importText(*bytes, extension == ".html" || extension == ".htm", group);
    return std::nullopt;
}

}  // namespace vantorel::import
