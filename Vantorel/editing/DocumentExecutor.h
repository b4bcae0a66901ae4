#pragma once
// A document's single thread of control: the queue on which undo, redo and the editor's
// asynchronous steps run, one task at a time and in the order they were posted.
//
// Confined to the thread that created it (the user-interface thread); there are no locks, and
// debug builds assert the owning thread on every call. The command line drains it with
// runUntilIdle(); the desktop app drains it from its event loop when told through setWakeUp().

#include <cstddef>
#include <deque>
#include <functional>
#include <thread>

namespace vantorel {

class DocumentExecutor {
public:
    using Task = std::function<void()>;

    DocumentExecutor();
    DocumentExecutor(const DocumentExecutor&) = delete;
    DocumentExecutor& operator=(const DocumentExecutor&) = delete;

    // Queues a task behind every task already queued. Tasks may post further tasks; those run
    // after everything queued before them. An empty task is ignored.
    void post(Task task);

    // Runs the oldest queued task; false when there was none.
    bool runOne();

    // Runs queued tasks, including the ones they post, until the queue is empty; returns how
    // many ran. Called from inside a task it runs nothing and returns 0: the drain already in
    // progress carries on in order, so no task ever starts in the middle of another.
    std::size_t runUntilIdle();

    bool hasPendingTasks() const;
    std::size_t pendingTaskCount() const;

    // Called whenever a post finds the queue empty, so that a host event loop can schedule a
    // drain on this thread (a spare drain finds nothing to do). The hook must not run tasks
    // itself: it is called from inside post().
    void setWakeUp(std::function<void()> wakeUp);

    // True on the thread that owns the document.
    bool isOwningThread() const;

private:
    void assertOwningThread() const;
    void runTask(Task& task);

    std::thread::id owner_;
    std::deque<Task> queue_;
    std::function<void()> wakeUp_;
    bool running_ = false;  // a task is running; nested drains do nothing
};

}  // namespace vantorel
