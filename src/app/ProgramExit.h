#pragma once

#include <functional>
#include <vector>

// Ends the program at once with exit code 0 from wherever it is asked to — also from
// inside a modal dialog or a long handler that lets events run, where leaving the
// event loops would only return into that handler and let it carry on. The clean-ups
// registered here (restoring what the program changed outside itself) run first,
// newest first, each once.
class ProgramExit {
public:
  void addCleanup(std::function<void()> cleanup);
  // Runs the clean-ups; afterwards nothing is left to run.
  void runCleanups();
  [[noreturn]] void endNow();

private:
  std::vector<std::function<void()>> cleanups_;
};
