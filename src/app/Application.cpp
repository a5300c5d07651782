#include "app/Application.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>
#include <utility>

#include "QuillmereVersion.h"
#include "app/AppState.h"
#include "app/MainWindow.h"
#include "app/StartUp.h"
#include "app/Wiring.h"
#include "platform/QtDesktop.h"
#include "platform/QtDialogs.h"
#include "render/PrinterQueries.h"
#include "settings/PrinterCatalog.h"
#include "settings/SettingsFile.h"

namespace {

// Chinese window texts in a plain sans face where one is installed, rather than
// whatever face the font matcher happens to pick for the first Chinese glyph.
void useChineseUiFont() {
  QFont font = QApplication::font();
  font.setFamilies({QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Source Han Sans SC"),
                    QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Microsoft YaHei"),
                    QStringLiteral("PingFang SC")});
  font.setPointSize(9);
  QApplication::setFont(font);
}

// Qt's own texts — standard buttons, the file, folder and font dialogs — in Chinese like
// the rest of the program, whatever the locale of the session.
void useChineseQtTexts(QApplication& app) {
  auto* translator = new QTranslator(&app);
  if (translator->load(QStringLiteral("qtbase_zh_CN"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(translator);
}

}  // namespace

int runApplication(int argc, char** argv, const StartupHook& afterShow) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quillmere"));
  QApplication::setApplicationVersion(QStringLiteral(QUILLMERE_VERSION));
  // The installed menu entry and icon, so the desktop shows the window under them.
  QGuiApplication::setDesktopFileName(QStringLiteral("org.quillmere.Quillmere"));
  QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("org.quillmere.Quillmere")));
  useChineseUiFont();
  useChineseQtTexts(app);

  AppState state;
  // A printer job that made its printer the default puts the old default back even
  // when the program ends in the middle of the job.
  state.programExit.addCleanup([&state] {
    QString& previous = state.settings.defaultPrinterToRestore;
    if (!previous.isEmpty()) SetDefaultPrinter(std::exchange(previous, QString()));
  });
  QtDialogs dialogs;
  QtDesktop desktop;
  InitialiseMainWindowState(state.collect, desktop);

  MainWindow window;
  QObject::connect(&window, &MainWindow::exitRequested, &window,
                   [&state] { state.programExit.endNow(); });
  state.settings.startSettingsFile = SavedSettingsPath();
  ApplyStartSettings(
      ReadSettingsFile(state.settings.startSettingsFile, PrinterCatalog::system().listPrinters),
      state.settings, window);
  wireSubsystems(window, state, dialogs, desktop);
  window.show();
  if (afterShow) afterShow(window, state);

  const int code = QApplication::exec();
  state.programExit.runCleanups();
  return code;
}
