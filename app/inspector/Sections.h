#pragma once
// The inspector's sections, one per property group or item kind; each adds its rows to the
// form of the shown item.

#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "VantorelData/model/Model.h"

class QFormLayout;

namespace vantorel::app {

class DocumentSession;

namespace inspector {

class FormBuilder;

// Appearance type and, for the automatic appearances, the contrast amount.
void addAppearance(FormBuilder& form);
// Color space and text format of items that hold colors.
void addColorPresentation(FormBuilder& form);
// The value of colors, numbers, strings and booleans in each appearance.
void addPlainValues(FormBuilder& form, const QuenzColorProjectItem& shown);
// How a shadow's fields read and commit: a number by its field, and the color.
using ShadowRead = std::function<std::optional<ShadowDetails>()>;
struct ShadowEdits {
    std::function<bool(double ShadowDetails::*, double)> number;
    std::function<bool(const quenz::ColorValue&)> color;
};
// The offsets, blur, spread and color of one shadow; field names end in `key`.
void addShadowFields(FormBuilder& form, const QString& key, const ShadowRead& read, const ShadowEdits& edits);
// A shadow's offsets, blur, spread and color in each appearance, with a preview.
void addShadowDetails(FormBuilder& form, const QuenzColorProjectItem& shown);
// Color set and shadow set parameters, the drawn curve and every step.
void addColorSet(FormBuilder& form, const QuenzColorSet& shown);
void addShadowSet(FormBuilder& form, const QuenzColorShadowSet& shown);
// The targets of an alias of any kind, one per appearance; nothing for other kinds.
void addAliasTargets(FormBuilder& form, const QuenzColorProjectItem& shown);
void addDeprecation(FormBuilder& form);
// Build group, test group and the item's role in contrast tests.
void addAssignments(FormBuilder& form);

// The form with nothing selected: the document's description and a summary.
QString addDocumentSection(DocumentSession& session, QFormLayout& form, std::vector<std::function<void()>>& refreshers);

}  // namespace inspector
}  // namespace vantorel::app
