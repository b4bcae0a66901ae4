#include "Vantorel/editing/Pasteboard.h"

#include <utility>

namespace vantorel {

std::optional<std::string_view> PasteboardItem::data(std::string_view type) const {
    const auto found = data_.find(type);
    if (found == data_.end()) return std::nullopt;
    return std::string_view(found->second);
}

std::vector<std::string> PasteboardItem::types() const {
    std::vector<std::string> names;
    names.reserve(data_.size());
    for (const auto& entry : data_) names.push_back(entry.first);
    return names;
}

void InProcessPasteboard::setItems(std::vector<PasteboardItem> items) {
    items_ = std::move(items);
    ++changeCount_;
}

namespace {

std::shared_ptr<Pasteboard>& installedGeneralPasteboard() {
    static std::shared_ptr<Pasteboard> pasteboard = std::make_shared<InProcessPasteboard>();
    return pasteboard;
}

}  // namespace

Pasteboard& generalPasteboard() { return *installedGeneralPasteboard(); }

void setGeneralPasteboard(std::shared_ptr<Pasteboard> pasteboard) {
    installedGeneralPasteboard() = pasteboard ? std::move(pasteboard) : std::make_shared<InProcessPasteboard>();
}

}  // namespace vantorel
