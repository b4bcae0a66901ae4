#pragma once
// The questions the editor asks the user: whether to save before closing, where to save or
// what to open, whether to read again a file changed on disk, and error alerts. Windows ask
// through this interface so that a test can answer in place of the user.

#include <QString>
#include <QStringList>

class QWidget;

namespace vantorel::app {

enum class SaveChoice { save, discard, cancel };

class Prompts {
public:
    virtual ~Prompts() = default;

    // "Do you want to save the changes made to the document “name”?"
    virtual SaveChoice askSaveChanges(QWidget* parent, const QString& documentName) = 0;
    // The file to save to; empty when cancelled.
    virtual QString chooseSaveFile(QWidget* parent, const QString& suggestedPath) = 0;
    // The files to open; empty when cancelled.
    virtual QStringList chooseFilesToOpen(QWidget* parent) = 0;
    // The file changed on disk while the document has unsaved changes: true reads it again.
    virtual bool askReloadChangedFile(QWidget* parent, const QString& documentName) = 0;
    virtual void showError(QWidget* parent, const QString& title, const QString& message) = 0;
};

// The desktop's own dialogs.
class DialogPrompts final : public Prompts {
public:
    SaveChoice askSaveChanges(QWidget* parent, const QString& documentName) override;
    QString chooseSaveFile(QWidget* parent, const QString& suggestedPath) override;
    QStringList chooseFilesToOpen(QWidget* parent) override;
    bool askReloadChangedFile(QWidget* parent, const QString& documentName) override;
    void showError(QWidget* parent, const QString& title, const QString& message) override;
};

}  // namespace vantorel::app
