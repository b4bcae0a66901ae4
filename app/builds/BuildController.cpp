#include "app/builds/BuildController.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>

#include "Vantorel/build/BuildRequirement.h"
#include "Vantorel/build/FileAccessManager.h"
#include "Vantorel/build/MissingBuildItemsModel.h"
#include "VantorelData/format/QuenzColorFileReader.h"
#include "VantorelData/format/QuenzColorFileWriter.h"
#include "app/DocumentSession.h"
#include "app/ItemPresentation.h"
#include "app/Prompts.h"
#include "app/builds/BackgroundJob.h"
#include "app/builds/DesktopNotifications.h"
#include "app/builds/MissingBuildItemsDialog.h"

namespace vantorel::app {
namespace {

constexpr const char* cancelledMessage = "The build was cancelled.";

// Stands in for every exporter once the user cancelled: the build stops before the next task.
class CancelledExporter final : public build::BuildTaskExporter {
public:
    build::ExportResult exportTask(const build::ExportRequest&) override {
        return build::ExportResult::failure(cancelledMessage);
    }
};

}  // namespace

build::FileAccessManager& applicationFileAccess() {
    static platform::ApplicationSettings settings;
    static build::FileAccessManager access(settings);
    return access;
}

struct BuildController::Outcome {
    build::BuildResult result;
    std::optional<platform::UserNotification> notification;
    bool cancelled = false;
};

BuildController::BuildController(DocumentSession& session, Prompts& prompts,
                                 QMainWindow& window)
    : QObject(&window),
      session_(session),
      prompts_(prompts),
      window_(window),
      desktopNotifications_(std::make_unique<DesktopNotifications>()),
      notifications_(desktopNotifications_.get()) {
    statusBox_ = new QWidget;
    statusBox_->setObjectName(QStringLiteral("buildStatus"));
    auto* layout = new QHBoxLayout(statusBox_);
    layout->setContentsMargins(0, 0, 0, 0);
    statusText_ = new QLabel;
    statusText_->setObjectName(QStringLiteral("buildStatusText"));
    progress_ = new QProgressBar;
    progress_->setObjectName(QStringLiteral("buildProgress"));
    progress_->setMaximumWidth(180);
    progress_->setTextVisible(false);
    auto* cancelButton = new QPushButton(QStringLiteral("Cancel"));
    cancelButton->setObjectName(QStringLiteral("cancelBuildButton"));
    connect(cancelButton, &QPushButton::clicked, this, &BuildController::cancel);
    layout->addWidget(statusText_);
    layout->addWidget(progress_);
    layout->addWidget(cancelButton);
    window_.statusBar()->addPermanentWidget(statusBox_);
    statusBox_->hide();
}

BuildController::~BuildController() {
    if (cancelled_) *cancelled_ = true;
}

void BuildController::buildAll() { checkAndBuild(build::allBuildGroupNames(*session_.project())); }

void BuildController::buildGroup(const std::string& groupUuid) {
    for (const auto& group : session_.project()->buildGroups()) {
        if (group->uuid() == groupUuid) return checkAndBuild({group->name()});
    }
}

void BuildController::cancel() {
    if (cancelled_) *cancelled_ = true;
}

void BuildController::checkAndBuild(std::vector<std::string> groups) {
    if (isBuilding()) return;
    const auto& file = session_.document().file();
    if (!file) {
        prompts_.showError(&window_, qText(build::buildErrorTitle),
                           QStringLiteral("Save the document first: its outputs are written beside it."));
        return;
    }
    auto unmet = build::unmetBuildRequirements(*session_.project(), groups, *file, applicationFileAccess());
    if (unmet.empty()) return startBuild(std::move(groups));
    auto model = std::make_unique<build::MissingBuildItemsModel>(
        std::move(unmet), *file, applicationFileAccess(),
        [this, groups] { QMetaObject::invokeMethod(this, [this, groups] { startBuild(groups); }, Qt::QueuedConnection); });
    auto* dialog = new MissingBuildItemsDialog(std::move(model), &window_);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

void BuildController::startBuild(std::vector<std::string> groups) {
    if (isBuilding()) return;
    const auto written = format::QuenzColorFileWriter::write(*session_.project());
    if (written.error) {
        prompts_.showError(&window_, qText(build::buildErrorTitle),
                           qText(std::string(build::buildErrorLead) + written.error->message));
        return;
    }
    cancelled_ = std::make_shared<std::atomic<bool>>(false);
    const std::filesystem::path documentURL = *session_.document().file();
    const std::string documentName = session_.displayName().toStdString();
    // The worker builds its own copy of the project, read from the document's bytes.
    std::function<Outcome(BackgroundJob&)> work = [bytes = written.bytes, documentURL, documentName, groups,
                                                   cancelled = cancelled_, exporters = exporters_](BackgroundJob& job) {
        const QuenzColorProjectPtr copy = format::QuenzColorFileReader::read(bytes);
        build::Builder builder(*copy, documentURL, documentName, groups);
        builder.setExporterFactory([cancelled, exporters](BuildFileType type, const QuenzColorProject& project) {
            if (*cancelled) return build::BuildTaskExporterPtr(std::make_unique<CancelledExporter>());
            return exporters(type, project);
        });
        Outcome outcome;
        platform::CallbackNotificationCenter notes(
            [&outcome](const platform::UserNotification& note) { outcome.notification = note; });
        builder.setNotificationCenter(&notes);
        builder.setProgressHandler([&job](const build::BuildProgress& step) {
            job.reportProgress(static_cast<int>(step.taskNumber), static_cast<int>(step.taskCount),
                               qText(step.group.name()) + QStringLiteral(" › ") + qText(step.task.name()));
        });
        outcome.result = builder.build();
        outcome.cancelled = *cancelled;
        return outcome;
    };
    std::function<void(Outcome&)> done = [this](Outcome& outcome) { finish(outcome); };
    job_ = startBackgroundJob(this, std::move(work), std::move(done));
    connect(job_, &BackgroundJob::progressed, this, &BuildController::showProgress);
    statusText_->setText(QStringLiteral("Building…"));
    progress_->setRange(0, 0);
    statusBox_->show();
    emit buildStarted();
}

void BuildController::showProgress(int number, int count, const QString& text) {
    progress_->setRange(0, count);
    progress_->setValue(number - 1);
    statusText_->setText(QStringLiteral("Building %1 (%2 of %3)…").arg(text).arg(number).arg(count));
}

void BuildController::finish(Outcome& outcome) {
    job_ = nullptr;
    statusBox_->hide();
    lastOutputs_ = outcome.result.outputs;
    if (outcome.cancelled) {
        window_.statusBar()->showMessage(QStringLiteral("Build cancelled"), 5000);
    } else if (outcome.result.failure) {
        const build::BuildAlert alert = build::alertFor(*outcome.result.failure);
        prompts_.showError(&window_, qText(alert.title), qText(alert.text));
    } else {
        window_.statusBar()->showMessage(qText(build::buildCompletedTitle), 5000);
        if (outcome.notification && notifications_) platform::notifyUser(*notifications_, *outcome.notification);
    }
    emit buildFinished(outcome.result.succeeded() && !outcome.cancelled);
}

}  // namespace vantorel::app
