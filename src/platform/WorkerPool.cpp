#include "platform/WorkerPool.h"

#include <algorithm>
#include <utility>

WorkerPool::WorkerPool(int maxThreads) : maxThreads_(std::max(1, maxThreads)) {}

WorkerPool::~WorkerPool() {
  {
    std::unique_lock lock(mutex_);
    allDone_.wait(lock, [this] { return queue_.empty() && running_ == 0; });
    stopping_ = true;
  }
  taskQueued_.notify_all();
  for (std::thread& thread : threads_) thread.join();
}

void WorkerPool::Start(std::function<void()> task) {
  {
    const std::lock_guard lock(mutex_);
    queue_.push_back(std::move(task));
    // A new thread only when every one there is already busy.
    if (std::ssize(threads_) < maxThreads_ && running_ + std::ssize(queue_) > std::ssize(threads_))
      threads_.emplace_back([this] { work(); });
  }
  taskQueued_.notify_one();
}

void WorkerPool::WaitForDone() {
  std::unique_lock lock(mutex_);
  allDone_.wait(lock, [this] { return queue_.empty() && running_ == 0; });
}

void WorkerPool::work() {
  std::unique_lock lock(mutex_);
  for (;;) {
    taskQueued_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
    if (queue_.empty()) return;
    std::function<void()> task = std::move(queue_.front());
    queue_.pop_front();
    ++running_;
    lock.unlock();
    task();
    // The task's captures go before the finish is announced, so a waiter may free
    // what they pointed at.
    task = nullptr;
    lock.lock();
    --running_;
    if (queue_.empty() && running_ == 0) allDone_.notify_all();
  }
}
