#pragma once
// What the editor's Qt Test suites share: prompts that answer in place of the user and record
// what was asked, a scratch copy of the example document, and lookups of items and fields.

#include <QAction>
#include <QCoreApplication>
#include <QLineEdit>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <deque>
#include <filesystem>

#include "Vantorel/shell/Document.h"
#include "VantorelData/format/QuenzColorFileWriter.h"
#include "app/DocumentManager.h"
#include "app/DocumentWindow.h"
#include "app/Inspector.h"
#include "app/ItemListModel.h"
#include "app/ItemTreeModel.h"
#include "app/Prompts.h"

namespace vantorel::app::testing {

class ScriptedPrompts final : public Prompts {
public:
    std::deque<SaveChoice> saveAnswers;
    std::deque<bool> reloadAnswers;
    QString saveFile;
    QStringList questions;  // what was asked, in order

    SaveChoice askSaveChanges(QWidget*, const QString& name) override {
        questions << QStringLiteral("save changes to ") + name;
        if (saveAnswers.empty()) return SaveChoice::cancel;
        const SaveChoice answer = saveAnswers.front();
        saveAnswers.pop_front();
        return answer;
    }
    QString chooseSaveFile(QWidget*, const QString&) override {
        questions << QStringLiteral("save as");
        return saveFile;
    }
    QStringList chooseFilesToOpen(QWidget*) override { return {}; }
    bool askReloadChangedFile(QWidget*, const QString& name) override {
        questions << QStringLiteral("reload ") + name;
        if (reloadAnswers.empty()) return false;
        const bool answer = reloadAnswers.front();
        reloadAnswers.pop_front();
        return answer;
    }
    void showError(QWidget*, const QString& title, const QString& message) override {
        questions << title + QStringLiteral(": ") + message;
    }
};

// A manager with scripted prompts and a scratch folder holding copies of the example document.
struct EditorFixture {
    QTemporaryDir folder;
    std::unique_ptr<DocumentManager> manager = std::make_unique<DocumentManager>();
    ScriptedPrompts* prompts = nullptr;

    EditorFixture() {
        auto scripted = std::make_unique<ScriptedPrompts>();
        prompts = scripted.get();
        manager->setPrompts(std::move(scripted));
    }

    QString exampleCopy(const QString& name) {
        const QString path = folder.filePath(name + QStringLiteral(".vantorel"));
        QFile::copy(QStringLiteral(VANTOREL_SOURCE_DIR "/examples/Showcase.vantorel"), path);
        return path;
    }
};

inline void useTestSettings() {
    QStandardPaths::setTestModeEnabled(true);
    // Each test process keeps its settings (recent documents above all) in a folder of its own,
    // so that suites run side by side never read each other's lists.
    static QTemporaryDir folder;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder.path());
    qputenv("XDG_CONFIG_HOME", folder.path().toLocal8Bit());
    QCoreApplication::setOrganizationName(QStringLiteral("VantorelTests"));
    QCoreApplication::setApplicationName(QStringLiteral("VantorelEditorTests"));
}

// The project as it would be saved: two projects with the same text hold the same values.
inline std::string documentText(const QuenzColorProject& project) {
    return format::QuenzColorFileWriter::write(project).bytes;
}

inline ProjectItemPtr itemNamed(const QuenzColorProject& project, const std::string& name) {
    ProjectItemPtr found;
    project.forEachItem([&](const ProjectItemPtr& item) {
        if (!found && item->name() == name) found = item;
    });
    return found;
}

// Types into an inspector field and presses Return, as the user does.
inline void typeInto(QLineEdit* field, const QString& text) {
    QVERIFY(field);
    field->setFocus();
    field->selectAll();
    field->setModified(true);
    field->setText(text);
    QTest::keyClick(field, Qt::Key_Return);
}

template <class Field>
Field* inspectorField(DocumentWindow& window, const char* name) {
    return window.inspector().findChild<Field*>(QString::fromLatin1(name));
}

inline void trigger(DocumentWindow& window, const char* action) {
    QAction* found = window.action(QString::fromLatin1(action));
    QVERIFY2(found, action);
    QVERIFY2(found->isEnabled(), action);
    found->trigger();
}

}  // namespace vantorel::app::testing
