#include "app/Application.h"
#include "cli/PrintCommandMain.h"

int main(int argc, char** argv) {
  if (IsPrintCommand(argc, argv)) return RunPrintCommand(argc, argv);
  return runApplication(argc, argv);
}
