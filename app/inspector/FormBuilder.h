#pragma once
// The inspector's form of one item: rows of fields that each read the item afresh (by
// identifier, since undo replaces item objects) and commit through the document editor, so
// that every change is one named undo step. Sections of each kind add their rows through it.

#include <QFormLayout>
#include <QPixmap>
#include <QString>
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "Vantorel/editing/DocumentEditor.h"
#include "app/ItemPresentation.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QWidget;

namespace vantorel::app {

class DocumentSession;

namespace inspector {

using Options = std::vector<std::pair<QString, QString>>;  // title, key

// The appearance as a word for field names ("light", "darkHighContrast").
QString sourceKey(ColorSource source);
bool isDarkSource(ColorSource source);
QPixmap swatchPixmap(const std::vector<QColor>& colors, QSize size);

template <class Enum, std::size_t N, class Names>
Options enumOptions(const std::array<Enum, N>& cases, Names names) {
    Options options;
    for (Enum value : cases) options.emplace_back(qText(names(value)), QString::number(static_cast<int>(value)));
    return options;
}

template <class Enum>
QString enumKey(Enum value) {
    return QString::number(static_cast<int>(value));
}

class FormBuilder {
public:
    FormBuilder(DocumentSession& session, std::string uuid, QFormLayout& form,
                std::vector<std::function<void()>>& refreshers);

    ProjectItemPtr item() const;
    QuenzColorDocumentEditor& editor() const;
    const std::string& uuid() const { return uuid_; }
    const QuenzColorProject& project() const;

    void section(const QString& title);
    // A row holding any widget; `refresh` keeps it in line with the item.
    void row(const QString& label, QWidget* widget, std::function<void()> refresh = {});
    // Runs `refresh` now and whenever the item changes (a field's state that follows another).
    void keepUpdated(std::function<void()> refresh);
    // A row across the form's whole width (pictures: steps, curves, previews).
    void wideRow(QWidget* widget, std::function<void()> refresh = {});

    // A line of text committed when the user presses Return or leaves the field; a commit that
    // is refused (text that does not read) marks the field until the next good value.
    QLineEdit* text(const QString& label, const QString& name, std::function<QString()> read,
                    std::function<bool(const QString&)> commit, QWidget* accessory = nullptr);
    QCheckBox* check(const QString& label, const QString& name, std::function<bool()> read,
                     std::function<void(bool)> commit);
    // A choice among options; the key of the current choice comes from `read`.
    QComboBox* choice(const QString& label, const QString& name, Options options, std::function<QString()> read,
                      std::function<void(const QString&)> commit);
    // A color as text in the item's format, with its swatch; parsed by the core's color parser.
    QLineEdit* color(const QString& label, const QString& name,
                     std::function<std::optional<quenz::ColorValue>()> read,
                     std::function<bool(const quenz::ColorValue&)> commit);
    // A number; with `optional`, an empty field clears the value.
    QLineEdit* number(const QString& label, const QString& name, std::function<std::optional<double>()> read,
                      std::function<bool(std::optional<double>)> commit, bool optional = false);

private:
    DocumentSession& session_;
    std::string uuid_;
    QFormLayout& form_;
    std::vector<std::function<void()>>& refreshers_;
};

}  // namespace inspector
}  // namespace vantorel::app
