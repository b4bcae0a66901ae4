#include "Vantorel/editing/DocumentExecutor.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace vantorel {
namespace {

TEST(DocumentExecutor, RunsTasksInPostOrderAndTasksTheyPostAfterThose) {
    DocumentExecutor executor;
    std::vector<std::string> log;
    executor.post([&] {
        log.push_back("a");
        executor.post([&] {
            log.push_back("a.child");
            executor.post([&] { log.push_back("a.grandchild"); });
        });
    });
    executor.post([&] { log.push_back("b"); });
    executor.post([&] { log.push_back("c"); });

    EXPECT_EQ(executor.pendingTaskCount(), 3u);
    EXPECT_TRUE(executor.runOne()) << "one task, the oldest";
    EXPECT_EQ(log, std::vector<std::string>{"a"});
    EXPECT_EQ(executor.pendingTaskCount(), 3u);
    EXPECT_EQ(executor.runUntilIdle(), 4u);
    EXPECT_EQ(log, (std::vector<std::string>{"a", "b", "c", "a.child", "a.grandchild"}));
    EXPECT_FALSE(executor.hasPendingTasks());
    EXPECT_EQ(executor.runUntilIdle(), 0u);
    EXPECT_FALSE(executor.runOne());
}

TEST(DocumentExecutor, DrainFromInsideATaskRunsNothingAndKeepsOrder) {
    DocumentExecutor executor;
    std::vector<std::string> log;
    std::size_t nestedRan = 99;
    executor.post([&] {
        log.push_back("outer start");
        executor.post([&] { log.push_back("posted by outer"); });
        nestedRan = executor.runUntilIdle();
        EXPECT_FALSE(executor.runOne());
        log.push_back("outer end");
    });
    executor.post([&] { log.push_back("second"); });

    executor.runUntilIdle();
    EXPECT_EQ(nestedRan, 0u);
    EXPECT_EQ(log, (std::vector<std::string>{"outer start", "outer end", "second", "posted by outer"}));
}

TEST(DocumentExecutor, WakesTheHostOnlyWhenTheQueueStopsBeingEmpty) {
    DocumentExecutor executor;
    int wakeUps = 0;
    executor.setWakeUp([&] { ++wakeUps; });

    executor.post([] {});
    executor.post([] {});
    EXPECT_EQ(wakeUps, 1);
    executor.runUntilIdle();

    executor.post([&] { executor.post([] {}); });  // the queue is empty while this runs
    EXPECT_EQ(wakeUps, 2);
    executor.runOne();
    EXPECT_EQ(wakeUps, 3) << "a task posted by the last task must not be stranded";
    executor.runUntilIdle();

    executor.post(DocumentExecutor::Task{});
    EXPECT_EQ(wakeUps, 3) << "an empty task is ignored";
    EXPECT_FALSE(executor.hasPendingTasks());
}

TEST(DocumentExecutor, BelongsToTheThreadThatCreatedIt) {
    DocumentExecutor executor;
    EXPECT_TRUE(executor.isOwningThread());
    bool onOtherThread = true;
    std::thread other([&] { onOtherThread = executor.isOwningThread(); });
    other.join();
    EXPECT_FALSE(onOtherThread);
}

}  // namespace
}  // namespace vantorel
