#include "app/ProgramExit.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

void ProgramExit::addCleanup(std::function<void()> cleanup) {
  cleanups_.push_back(std::move(cleanup));
}

void ProgramExit::runCleanups() {
  // A clean-up that asks to end the program again finds the list already empty.
  std::vector<std::function<void()>> pending;
  pending.swap(cleanups_);
  for (auto cleanup = pending.rbegin(); cleanup != pending.rend(); ++cleanup)
    if (*cleanup) (*cleanup)();
}

void ProgramExit::endNow() {
  runCleanups();
  std::fflush(nullptr);
  // Skipping the unwinding is the point: handlers further up the stack must not run
  // on, and the operating system takes back the memory.
  std::_Exit(0);
}
