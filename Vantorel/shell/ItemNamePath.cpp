#include "Vantorel/shell/ItemNamePath.h"

#include "VantorelData/model/ItemTreeWalk.h"

namespace vantorel::shell {
namespace {

// Items whose names match the path's names level by level; the walk goes into a group only
// while its name matches.
void collect(const std::vector<ProjectItemPtr>& items, const std::vector<std::string>& names,
             std::vector<ProjectItemPtr>& found) {
    walkItemTree(items, [&](const ProjectItemPtr& item, const ItemPlace& place) {
        if (place.depth >= names.size() || item->name() != names[place.depth]) return WalkStep::skipChildren;
        if (place.depth + 1 == names.size()) {
            found.push_back(item);
            return WalkStep::skipChildren;
        }
        return WalkStep::descend;
    });
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
    if (!names.empty()) collect(project.items(), names, found);
    return found;
}

}  // namespace vantorel::shell
