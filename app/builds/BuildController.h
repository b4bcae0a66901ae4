#pragma once
// BuildController: a document window's builds. "Build All" and "Build Group" check first that
// every output folder and custom template can be reached (the "Missing Build Items" window
// opens when one cannot), then build on a worker thread from a copy of the document, with the
// progress and a Cancel button in the window's status bar. A failure shows "Build Error" (the
// outputs written before it stay); success posts "Build Completed" to the desktop.

#include <QObject>
#include <QPointer>
#include <atomic>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "Vantorel/build/Builder.h"
#include "app/builds/BackgroundJob.h"

class QMainWindow;
class QProgressBar;
class QPushButton;
class QLabel;

namespace vantorel::build {
class FileAccessManager;
}

namespace vantorel::app {

class DocumentSession;
class Prompts;

// The application's one record of granted locations, from the user's settings.
build::FileAccessManager& applicationFileAccess();

class BuildController final : public QObject {
    Q_OBJECT
public:
    BuildController(DocumentSession& session, Prompts& prompts, QMainWindow& window);
    ~BuildController() override;

    // Where "Build Completed" goes; the desktop's notification service unless replaced.
    void setNotificationCenter(platform::UserNotificationCenter* center) { notifications_ = center; }
    // The exporters builds use; called on the build's thread.
    void setExporterFactory(build::ExporterFactory factory) { exporters_ = std::move(factory); }

    void buildAll();
    void buildGroup(const std::string& groupUuid);
    void cancel();
    bool isBuilding() const { return static_cast<bool>(job_); }
    // The outputs of the last finished build, in order.
    const std::vector<std::filesystem::path>& lastOutputs() const { return lastOutputs_; }

signals:
    void buildStarted();
    // Every build that started ends here, whether it succeeded, failed or was cancelled.
    void buildFinished(bool succeeded);

private:
    void checkAndBuild(std::vector<std::string> groups);
    void startBuild(std::vector<std::string> groups);
    struct Outcome;
    void finish(Outcome& outcome);
    void showProgress(int number, int count, const QString& text);

    DocumentSession& session_;
    Prompts& prompts_;
    QMainWindow& window_;
    std::unique_ptr<platform::UserNotificationCenter> desktopNotifications_;
    platform::UserNotificationCenter* notifications_ = nullptr;
    build::ExporterFactory exporters_ = build::makeExporter;
    QPointer<BackgroundJob> job_;
    std::shared_ptr<std::atomic<bool>> cancelled_;
    std::vector<std::filesystem::path> lastOutputs_;
    QWidget* statusBox_ = nullptr;
    QLabel* statusText_ = nullptr;
    QProgressBar* progress_ = nullptr;
};

}  // namespace vantorel::app
