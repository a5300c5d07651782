#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// A few threads that run queued tasks in the order given. Every hand-over — a task queued,
// taken, finished — goes through one standard mutex, so what a task reads was written
// before it was queued and what it wrote is seen by whoever waited for it, in a way the
// thread sanitizer can follow too. Threads start with the first tasks, up to the count
// given. A task must not throw: it catches its own failures and reports them in its result.
class WorkerPool {
public:
  explicit WorkerPool(int maxThreads);
  // Runs every task queued to its end, then ends the threads.
  ~WorkerPool();
  WorkerPool(const WorkerPool&) = delete;
  WorkerPool& operator=(const WorkerPool&) = delete;

  void Start(std::function<void()> task);
  // Returns once every task queued so far has finished.
  void WaitForDone();
  int maxThreads() const { return maxThreads_; }

private:
  void work();

  const int maxThreads_;
  std::mutex mutex_;
  std::condition_variable taskQueued_;
  std::condition_variable allDone_;
  std::deque<std::function<void()>> queue_;
  int running_ = 0;
  bool stopping_ = false;
  std::vector<std::thread> threads_;
};
