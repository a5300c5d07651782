#include "app/Application.h"
#include "cli/PrintCommandMain.h"
#include "cli/ProgramArguments.h"

int main(int argc, char** argv) {
  if (IsPrintCommand(argc, argv)) return RunPrintCommand(argc, argv);
  // Help, version and a mistyped argument are answered before the window needs a display.
  if (const std::optional<int> answered = AnswerProgramArguments(argc, argv)) return *answered;
  return runApplication(argc, argv);
}
