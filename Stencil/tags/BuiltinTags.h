#pragma once
// The tags every environment knows: for, if, ifnot, now, filter, include, extends and block.

#include "Stencil/detail/EnvironmentState.h"

namespace stencil::detail {

void addLoopTags(TagTable& tags);
void addConditionTags(TagTable& tags);
void addNowTag(TagTable& tags);
void addFilterTag(TagTable& tags);
void addIncludeTag(TagTable& tags);
void addInheritanceTags(TagTable& tags);

inline void addBuiltinTags(TagTable& tags) {
    addLoopTags(tags);
    addConditionTags(tags);
    addNowTag(tags);
    addFilterTag(tags);
    addIncludeTag(tags);
    addInheritanceTags(tags);
}

}  // namespace stencil::detail
