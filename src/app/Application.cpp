#include "app/Application.h"

#include "app/AppState.h"

#include <QApplication>
#include <QMainWindow>

int runApplication(int argc, char** argv) {
  QApplication app(argc, argv);
  AppState state;
  QMainWindow window;
  window.setWindowTitle(QStringLiteral("Quillmere（高级版）1.4"));
  window.show();
  return app.exec();
}
