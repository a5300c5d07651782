#pragma once

#include <QString>

// What the folder tree and the picture search share with the rest of the program.
struct CollectState {
  bool searchDone = true;   // false only while a folder search runs
  bool stopSearch = false;  // the user asked the running search to stop
  QString folderPath;       // folder chosen in the tree, ending in one separator
  QString desktopPath;      // ending in one separator, or empty
  QString documentsPath;    // ending in one separator, or empty
  int selectedTreeItem = 0;
  int selectedTreeLevel = 0;
};
