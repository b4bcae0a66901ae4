#include <QFormLayout>
#include <QLabel>
#include <QTextEdit>

#include <algorithm>

#include "app/DocumentSession.h"
#include "app/ItemPresentation.h"
#include "app/inspector/Sections.h"

namespace vantorel::app::inspector {
namespace {

// A plain-text editor that reports when the user leaves it, as line edits do, and grows with
// its text so that a description of a paragraph or two reads without scrolling; a longer one
// stops growing at about sixteen lines and scrolls.
class DescriptionEdit final : public QTextEdit {
public:
    DescriptionEdit() {
        setAcceptRichText(false);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        connect(this, &QTextEdit::textChanged, this, &DescriptionEdit::fitHeight);
    }

    std::function<void(const QString&)> committed;

protected:
    void focusOutEvent(QFocusEvent* event) override {
        QTextEdit::focusOutEvent(event);
        if (committed) committed(toPlainText());
    }
    void resizeEvent(QResizeEvent* event) override {
        QTextEdit::resizeEvent(event);
        fitHeight();
    }

private:
    void fitHeight() {
        const int lineHeight = fontMetrics().lineSpacing();
        document()->setTextWidth(viewport()->width());
        const int textHeight = static_cast<int>(document()->size().height());
        const int fitted = std::clamp(textHeight, 3 * lineHeight, 16 * lineHeight) + 2 * frameWidth();
        if (fitted != height()) setFixedHeight(fitted);
    }
};

}  // namespace

QString addDocumentSection(DocumentSession& session, QFormLayout& form, std::vector<std::function<void()>>& refreshers) {
    const QuenzColorProjectPtr project = session.project();
    auto* description = new DescriptionEdit;
    description->setObjectName(QStringLiteral("documentDescriptionField"));
    description->setPlaceholderText(QStringLiteral("What this design system is for"));
    description->setPlainText(qText(project->projectDescription()));
    description->committed = [&session](const QString& text) {
        session.editor().changeDocumentDescription(text.toStdString());
    };
    refreshers.push_back([description, &session] {
        if (description->hasFocus()) return;
        const QString text = qText(session.project()->projectDescription());
        if (description->toPlainText() != text) description->setPlainText(text);
    });
    form.addRow(QStringLiteral("Description"), description);
    const auto stats = project->statistics();
    auto* summary = new QLabel(QStringLiteral("%1 colors, %2 color sets, %3 aliases, %4 groups\n%5 build groups, %6 test groups")
                                   .arg(stats.colorItemCount)
                                   .arg(stats.colorSetCount)
                                   .arg(stats.colorAliasCount + stats.numberAliasCount + stats.booleanAliasCount +
                                        stats.stringAliasCount + stats.shadowAliasCount)
                                   .arg(stats.groupCount)
                                   .arg(project->buildGroups().size())
                                   .arg(project->testGroups().size()));
    summary->setObjectName(QStringLiteral("documentSummary"));
    summary->setWordWrap(true);
    summary->setStyleSheet(QStringLiteral("color: palette(placeholder-text);"));
    form.addRow(QString(), summary);
    return session.displayName();
}

}  // namespace vantorel::app::inspector
