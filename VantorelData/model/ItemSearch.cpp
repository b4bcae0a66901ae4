#include "VantorelData/model/ItemSearch.h"

#include "VantorelData/model/ItemTreeWalk.h"

#include <unicode/locid.h>
#include <unicode/unistr.h>

namespace vantorel {
namespace {

// Lower-cases by the user's locale (so a Turkish dotted capital I behaves), then applies
// full case folding so that, for example, "STRASSE" finds "Straße".
icu::UnicodeString folded(std::string_view text) {
    icu::UnicodeString unicode =
        icu::UnicodeString::fromUTF8(icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
    unicode.toLower(icu::Locale::getDefault());
    unicode.foldCase();
    return unicode;
}

bool nameContains(const std::string& name, const icu::UnicodeString& needle) {
    return folded(name).indexOf(needle) >= 0;
}

template <class Set>
bool anyStepContains(const Set& set, const icu::UnicodeString& needle) {
    for (const auto& step : set.stepValues()) {
        if (nameContains(step.name, needle)) return true;
    }
    return false;
}

// The item's own name, or the name of one of its steps.
bool ownNameMatches(const QuenzColorProjectItem& item, const icu::UnicodeString& needle) {
    if (nameContains(item.name(), needle)) return true;
    if (const auto* set = item.payloadIf<QuenzColorSet>()) return anyStepContains(*set, needle);
    if (const auto* set = item.payloadIf<QuenzColorShadowSet>()) return anyStepContains(*set, needle);
    return false;
}

bool matches(const QuenzColorProjectItem& item, const icu::UnicodeString& needle) {
    if (ownNameMatches(item, needle)) return true;
    const auto* group = item.payloadIf<QuenzColorGroup>();
    return group && !walkItemTree(group->items(), [&](const ProjectItemPtr& child) {
        return ownNameMatches(*child, needle) ? WalkStep::stop : WalkStep::descend;
    });
}

}  // namespace

bool matchesSearch(const QuenzColorProjectItem& item, std::string_view searchText) {
    if (searchText.empty()) return true;
    return matches(item, folded(searchText));
}

}  // namespace vantorel
