#include "app/builds/BackgroundJob.h"

namespace vantorel::app {

BackgroundJob::BackgroundJob(std::function<void(BackgroundJob&)> work) : work_(std::move(work)) {}

void BackgroundJob::run() { work_(*this); }

}  // namespace vantorel::app
