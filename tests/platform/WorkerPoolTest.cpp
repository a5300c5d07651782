#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/WorkerPool.h"

// Every task runs once, no more than the threads allowed run at a time, and both the wait
// and the pool's end come only after the last task has finished.
TEST(WorkerPoolTest, RunsEveryTaskWithinItsThreadCountAndWaitsForThem) {
  constexpr int kTasks = 40;
  std::atomic<int> running = 0;
  std::atomic<int> mostRunning = 0;
  std::atomic<int> finished = 0;
  auto task = [&] {
    const int now = ++running;
    int seen = mostRunning.load();
    while (now > seen && !mostRunning.compare_exchange_weak(seen, now)) {
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    --running;
    ++finished;
  };
  {
    WorkerPool pool(3);
    for (int i = 0; i < kTasks; ++i) pool.Start(task);
    pool.WaitForDone();
    EXPECT_EQ(finished, kTasks);
    for (int i = 0; i < kTasks; ++i) pool.Start(task);
  }
  EXPECT_EQ(finished, 2 * kTasks);
  EXPECT_LE(mostRunning, 3);
  EXPECT_GE(mostRunning, 1);
}
