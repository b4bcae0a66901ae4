#pragma once
// ImportController: File › Import of a document window. One entry per import kind this build
// reads; each asks for a file of its kind (a folder for asset catalogs), shows "Importing…"
// while the importer reads it on a worker thread, then inserts the new group as one "Add
// Color" step and selects it, or shows "Import Error" and leaves the document as it was.

#include <QObject>
#include <QPointer>
#include <filesystem>
#include <functional>
#include <string>

#include "Vantorel/import/Importer.h"
#include "app/builds/BackgroundJob.h"

class QMainWindow;
class QMenu;

namespace vantorel::app {

class DocumentSession;
class Prompts;

class ImportController final : public QObject {
    Q_OBJECT
public:
    // `reveal` shows the item with this identifier in the window.
    ImportController(DocumentSession& session, Prompts& prompts, QMainWindow& window,
                     std::function<void(const std::string&)> reveal);

    // Adds one action per kind, named "import" + the kind's command name + "Action".
    void fillMenu(QMenu& menu);
    // Asks for the kind's file, then imports it.
    void chooseAndImport(import::ImportKind kind);
    void importFile(import::ImportKind kind, const std::filesystem::path& file);
    bool isImporting() const { return static_cast<bool>(job_); }

signals:
    // The group the import added; empty when it failed.
    void importFinished(const QString& groupUuid);

private:
    DocumentSession& session_;
    Prompts& prompts_;
    QMainWindow& window_;
    std::function<void(const std::string&)> reveal_;
    QPointer<BackgroundJob> job_;
};

}  // namespace vantorel::app
