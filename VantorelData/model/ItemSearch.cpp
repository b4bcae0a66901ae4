#include "VantorelData/model/ItemSearch.h"

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

bool matches(const QuenzColorProjectItem& item, const icu::UnicodeString& needle) {
    if (nameContains(item.name(), needle)) return true;
    if (const auto set = item.colorSet()) return anyStepContains(*set, needle);
    if (const auto set = item.shadowSet()) return anyStepContains(*set, needle);
    if (const auto group = item.group()) {
        for (const ProjectItemPtr& child : group->items()) {
            if (child && matches(*child, needle)) return true;
        }
    }
    return false;
}

}  // namespace

bool matchesSearch(const QuenzColorProjectItem& item, std::string_view searchText) {
    if (searchText.empty()) return true;
    return matches(item, folded(searchText));
}

}  // namespace vantorel
