#pragma once
// BackgroundJob: one long operation (a build, a test run, an import) on a worker thread of its
// own. The work gets only values (a document's bytes, a file path), never the open document:
// the model stays on the user-interface thread. The result comes back there through the
// thread's finished signal, and is dropped when the window that asked has gone meanwhile.

#include <QPointer>
#include <QThread>
#include <functional>
#include <memory>
#include <optional>

namespace vantorel::app {

class BackgroundJob final : public QThread {
    Q_OBJECT
public:
    explicit BackgroundJob(std::function<void(BackgroundJob&)> work);

    // Called from the work: step `number` of `count` is starting.
    void reportProgress(int number, int count, const QString& text) { emit progressed(number, count, text); }

signals:
    void progressed(int number, int count, const QString& text);

protected:
    void run() override;

private:
    std::function<void(BackgroundJob&)> work_;
};

// Starts `work` on its own thread; `done` runs on `context`'s thread with the result.
template <class Result>
QPointer<BackgroundJob> startBackgroundJob(QObject* context, std::function<Result(BackgroundJob&)> work,
                                           std::function<void(Result&)> done) {
    auto result = std::make_shared<std::optional<Result>>();
    auto* job = new BackgroundJob([result, work = std::move(work)](BackgroundJob& self) { *result = work(self); });
    QObject::connect(job, &QThread::finished, context, [result, done = std::move(done)] {
        if (*result) done(**result);
    });
    QObject::connect(job, &QThread::finished, job, &QObject::deleteLater);
    job->start();
    return job;
}

}  // namespace vantorel::app
