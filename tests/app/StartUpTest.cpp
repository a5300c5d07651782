#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>

#include "app/AppState.h"
#include "app/FormPlacement.h"
#include "app/MainWindow.h"
#include "app/ProgramExit.h"
#include "app/StartUp.h"
#include "platform/FakeDesktop.h"
#include "settings/StartSettingsFormat.h"

TEST(AppStateAtStart, HoldsTheStartValues) {
  AppState state;
  EXPECT_TRUE(state.collect.searchDone);
  EXPECT_FALSE(state.collect.stopSearch);
  EXPECT_TRUE(state.collect.folderPath.isEmpty());
  EXPECT_EQ(state.collect.selectedTreeItem, 0);
  EXPECT_EQ(state.collect.selectedTreeLevel, 0);
  EXPECT_EQ(state.settings.printSettings.bodyFont, FontDescription::song9());
  EXPECT_EQ(state.settings.printSettings.headerFont, FontDescription::song9());
  EXPECT_EQ(state.settings.printSettings.footerFont, FontDescription::song9());
  EXPECT_FALSE(state.settings.settingsApplied);
  EXPECT_FALSE(state.settings.previewBusy);
  EXPECT_FALSE(state.settings.previewStopRequested);
  EXPECT_EQ(state.settings.lastJob, PrintJob());
  EXPECT_EQ(state.columnMap.pictureColumn, 0);
  EXPECT_EQ(state.columnMap.categoryColumn, 0);
  EXPECT_TRUE(state.columnMap.captionColumns.isEmpty());
  EXPECT_EQ(state.pictures.liveCount(), 0);
}

TEST(InitialiseMainWindowState, TakesTheSpecialFoldersEndingInOneSeparator) {
  FakeDesktop desktop;
  desktop.desktop = QDir::toNativeSeparators(QStringLiteral("/home/ann/桌面"));
  desktop.documents = QDir::toNativeSeparators(QStringLiteral("/home/ann/文档//"));
  CollectState collect;
  collect.searchDone = false;
  InitialiseMainWindowState(collect, desktop);
  EXPECT_TRUE(collect.searchDone);
  EXPECT_EQ(collect.desktopPath, QDir::toNativeSeparators(QStringLiteral("/home/ann/桌面/")));
  EXPECT_EQ(collect.documentsPath, QDir::toNativeSeparators(QStringLiteral("/home/ann/文档/")));
}

TEST(InitialiseMainWindowState, AFolderTheSystemCannotNameStaysEmpty) {
  FakeDesktop desktop;
  CollectState collect;
  InitialiseMainWindowState(collect, desktop);
  EXPECT_TRUE(collect.desktopPath.isEmpty());
  EXPECT_TRUE(collect.documentsPath.isEmpty());
}

TEST(ProgramExit, RunsCleanupsNewestFirstAndEachOnlyOnce) {
  ProgramExit exit;
  QStringList order;
  exit.addCleanup([&] { order << QStringLiteral("printer"); });
  exit.addCleanup(nullptr);
  exit.addCleanup([&] {
    order << QStringLiteral("temp");
    exit.runCleanups();  // asking again from inside must not run anything twice
  });
  exit.runCleanups();
  exit.runCleanups();
  EXPECT_EQ(order, (QStringList{QStringLiteral("temp"), QStringLiteral("printer")}));
}

TEST(PlaceComponent, FollowsItsAnchorAndNeverShrinks) {
  const QRect design(10, 20, 100, 50);
  EXPECT_EQ(placeComponent(design, Anchor::Fixed, QSize(30, 40)), design);
  EXPECT_EQ(placeComponent(design, Anchor::Bottom, QSize(30, 40)), QRect(10, 60, 100, 50));
  EXPECT_EQ(placeComponent(design, Anchor::BottomRight, QSize(30, 40)), QRect(40, 60, 100, 50));
  EXPECT_EQ(placeComponent(design, Anchor::GrowDown, QSize(30, 40)), QRect(10, 20, 100, 90));
  EXPECT_EQ(placeComponent(design, Anchor::GrowBoth, QSize(30, 40)), QRect(10, 20, 130, 90));
  EXPECT_EQ(placeComponent(design, Anchor::GrowBoth, QSize(-30, -40)), design);
  EXPECT_EQ(placeComponent(design, Anchor::BottomRight, QSize(-5, 7)), QRect(10, 27, 100, 50));
  EXPECT_EQ(placeComponent(design, Anchor::Fixed, QSize(), QPoint(2, 24)), QRect(8, -4, 100, 50));
}

TEST(ApplyStartSettings, SavedSettingsStartTheRunAndUnreadOnesAreSaidOnce) {
  MainWindow window;
  SettingsSession session;
  const QString slogan = window.statusText();
  ApplyStartSettings(std::nullopt, session, window);
  EXPECT_EQ(session.printSettings, PrintSettings());
  EXPECT_EQ(session.startSettings, PrintSettings::builtInDefaults());
  EXPECT_TRUE(window.headerEdit()->text().isEmpty());
  EXPECT_TRUE(window.includeSubfoldersBox()->isChecked());
  EXPECT_TRUE(window.byFolderBox()->isChecked());
  EXPECT_EQ(window.statusText(), slogan);

  SettingsReading saved;
  saved.settings.print.rows = 2;
  saved.settings.print.printerName = QStringLiteral("Photo Jet");
  saved.settings.print.photoArea = CardRect{0.2f, 0.1f, 0.6f, 0.5f};
  saved.settings.mainWindow =
      MainWindowChoices{QStringLiteral("第&p页"), QStringLiteral("共&a页"), false, false};
  ApplyStartSettings(saved, session, window);
  EXPECT_EQ(session.startSettings, saved.settings.print);
  EXPECT_EQ(session.printSettings, saved.settings.print);
  EXPECT_EQ(session.workingLayout.photoArea, saved.settings.print.photoArea);
  EXPECT_FALSE(session.settingsApplied);
  EXPECT_EQ(window.headerEdit()->text(), "第&p页");
  EXPECT_EQ(window.footerEdit()->text(), "共&a页");
  EXPECT_FALSE(window.includeSubfoldersBox()->isChecked());
  EXPECT_FALSE(window.byFolderBox()->isChecked());
  EXPECT_EQ(window.statusText(), slogan);

  saved.badKeys << QStringLiteral("cells/rows");
  ApplyStartSettings(saved, session, window);
  EXPECT_EQ(window.statusText(), StartSettingsIncompleteText());
}
