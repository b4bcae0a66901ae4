#include "Vantorel/editing/DocumentExecutor.h"

#include <cassert>
#include <utility>

namespace vantorel {

DocumentExecutor::DocumentExecutor() : owner_(std::this_thread::get_id()) {}

bool DocumentExecutor::isOwningThread() const { return std::this_thread::get_id() == owner_; }

void DocumentExecutor::assertOwningThread() const {
    assert(isOwningThread() && "a document is used only on the thread that owns it");
}

void DocumentExecutor::post(Task task) {
    assertOwningThread();
    if (!task) return;
    const bool wasIdle = queue_.empty();
    queue_.push_back(std::move(task));
    if (wasIdle && wakeUp_) wakeUp_();
}

void DocumentExecutor::runTask(Task& task) {
    // Cleared again even if the task throws, so the queue stays usable.
    struct RunningMark {
        bool& flag;
        explicit RunningMark(bool& f) : flag(f) { flag = true; }
        ~RunningMark() { flag = false; }
        RunningMark(const RunningMark&) = delete;
        RunningMark& operator=(const RunningMark&) = delete;
    } mark(running_);
    task();
}

bool DocumentExecutor::runOne() {
    assertOwningThread();
    if (running_ || queue_.empty()) return false;
    // Taken off the queue before it runs: the task may post more work.
    Task task = std::move(queue_.front());
    queue_.pop_front();
    runTask(task);
    return true;
}

std::size_t DocumentExecutor::runUntilIdle() {
    assertOwningThread();
    std::size_t ran = 0;
    while (runOne()) ++ran;
    return ran;
}

bool DocumentExecutor::hasPendingTasks() const {
    assertOwningThread();
    return !queue_.empty();
}

std::size_t DocumentExecutor::pendingTaskCount() const {
    assertOwningThread();
    return queue_.size();
}

void DocumentExecutor::setWakeUp(std::function<void()> wakeUp) {
    assertOwningThread();
    wakeUp_ = std::move(wakeUp);
}

}  // namespace vantorel
