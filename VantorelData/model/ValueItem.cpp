#include "VantorelData/model/ValueItem.h"

namespace vantorel {

namespace {

std::unique_ptr<std::optional<std::string>> keptReason(const std::optional<std::string>& reason) {
    return reason ? std::make_unique<std::optional<std::string>>(reason) : nullptr;
}

}  // namespace

QuenzValueItem::QuenzValueItem(CommonValueFields common)
    : deprecated_(common.deprecated),
      appearanceType_(common.appearanceType),
      autoContrastAmount_(common.autoContrastAmount),
      deprecatedReason_(keptReason(common.deprecatedReason)) {}

QuenzValueItem::QuenzValueItem(const QuenzValueItem& other)
    : Observable(other),
      deprecated_(other.deprecated_),
      appearanceType_(other.appearanceType_),
      autoContrastAmount_(other.autoContrastAmount_),
      deprecatedReason_(keptReason(other.deprecatedReason())) {}

QuenzValueItem& QuenzValueItem::operator=(const QuenzValueItem& other) {
    Observable::operator=(other);
    appearanceType_ = other.appearanceType_;
    deprecated_ = other.deprecated_;
    autoContrastAmount_ = other.autoContrastAmount_;
    deprecatedReason_ = keptReason(other.deprecatedReason());
    return *this;
}

QuenzValueItem::~QuenzValueItem() = default;

const std::optional<std::string>& QuenzValueItem::deprecatedReason() const {
    static const std::optional<std::string> none;
    return deprecatedReason_ ? *deprecatedReason_ : none;
}

void QuenzValueItem::setDeprecatedReason(std::optional<std::string> reason) {
    if (deprecatedReason() == reason) return;
    deprecatedReason_ = keptReason(reason);
    notifyChanged(PropertyId::deprecatedReason);
}

void QuenzValueItem::setAppearanceType(AppearanceType type) {
    if (appearanceType_ == type) return;
    appearanceType_ = type;
    appearanceTypeDidChange();
    notifyChanged(PropertyId::appearanceType);
}

void QuenzValueItem::setAutoContrastAmount(double amount) {
    if (autoContrastAmount_ == amount) return;
    autoContrastAmount_ = amount;
    autoContrastAmountDidChange();
    notifyChanged(PropertyId::autoContrastAmount);
}

void QuenzColoredItem::setColorSpace(quenz::ColorSpace space) {
    if (presentation_.colorSpace == space) return;
    presentation_.colorSpace = space;
    if (!ignoreColorspaceChange_) convertStoredColors(quenz::rgbSpaceFor(space));
    notifyChanged(PropertyId::colorSpace);
}

}  // namespace vantorel
