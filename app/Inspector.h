#pragma once
// Inspector: the detail editor of the selected item. It lays out a form for the item's kind
// (name, appearance, the value in each appearance, set parameters, alias targets, shadow
// details, deprecation, build and test groups) and sends every change through the document
// editor, so that each one is a single named undo step. With nothing selected it edits the
// document's description. The form is rebuilt only when the shown item or its shape changes;
// otherwise its fields are refreshed in place, leaving a field the user is typing in alone.

#include <QScrollArea>
#include <functional>
#include <string>
#include <vector>

namespace vantorel::app {

class DocumentSession;

class Inspector final : public QScrollArea {
    Q_OBJECT
public:
    explicit Inspector(DocumentSession& session, QWidget* parent = nullptr);

    void refresh();

private:
    QString shapeKey() const;
    void rebuild();

    DocumentSession& session_;
    QString builtKey_;
    std::vector<std::function<void()>> refreshers_;
};

}  // namespace vantorel::app
