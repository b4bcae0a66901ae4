#include "Vantorel/shell/ItemNamePath.h"

namespace vantorel::shell {
namespace {

void collect(const std::vector<ProjectItemPtr>& items, const std::vector<std::string>& names, std::size_t depth,
             std::vector<ProjectItemPtr>& found) {
    for (const ProjectItemPtr& item : items) {
        if (!item || item->name() != names[depth]) continue;
        if (depth + 1 == names.size()) {
            found.push_back(item);
        } else if (const auto group = item->group()) {
            collect(group->items(), names, depth + 1, found);
        }
    }
}

}  // namespace

std::optional<std::vector<std::string>> parseItemNamePath(std::string_view text) {
    if (text.empty()) return std::nullopt;
    std::vector<std::string> names(1);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\\') {
            if (i + 1 == text.size()) return std::nullopt;
            const char next = text[i + 1];
            if (next == '/' || next == '\\') {
                names.back() += next;
                ++i;
            } else {
                names.back() += c;  // any other backslash is part of the name
            }
        } else if (c == '/') {
            names.emplace_back();
        } else {
            names.back() += c;
        }
    }
    return names;
}

std::vector<ProjectItemPtr> itemsAtNamePath(const QuenzColorProject& project, const std::vector<std::string>& names) {
    std::vector<ProjectItemPtr> found;
    if (!names.empty()) collect(project.items(), names, 0, found);
    return found;
}

}  // namespace vantorel::shell
