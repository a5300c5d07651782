#pragma once

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "platform/FakeDialogs.h"
#include "render/DrawPanel.h"
#include "render/PictureRegistry.h"
#include "settings/PrintSettingsWindow.h"
#include "settings/SettingsSession.h"

// A settings window over a made-up printer set: three printers (the second is the
// default) and four paper forms, A4 not the first. paperQueries counts size queries.
class SettingsWindowTest : public ::testing::Test {
protected:
  PrinterCatalog printers() {
    PrinterCatalog catalog;
    catalog.listPrinters = [] { return QStringList{"Office Laser", "PDF Writer", "Photo Jet"}; };
    catalog.defaultPrinter = [] { return QStringLiteral("PDF Writer"); };
    catalog.listPaperForms = [] { return QStringList{"Letter", "a4", "A4 Small", "A3"}; };
    catalog.paperForm = [this](const QString& name, PaperForm& form) {
      ++paperQueries;
      if (name == "Letter")
        form = PaperForm{2159, 2794, 0, 0, 0, 0};
      else if (name == "A3")
        form = PaperForm{2970, 4200, 0, 0, 0, 0};
      else if (name == "a4")
        form = PaperForm{2100, 2970, 0, 0, 0, 0};
      else
        return false;
      return true;
    };
    return catalog;
  }

  PrintSettingsWindow& open() {
    window.reset();
    SettingsWindowHooks hooks;
    hooks.pagePreview = [this] { ++pagePreviews; };
    hooks.closeProgressWindow = [this] { ++progressCloses; };
    hooks.mainWindowChoices = [this] { return mainWindowChoices; };
    hooks.showMainWindowChoices = [this](const MainWindowChoices& c) { mainWindowChoices = c; };
    hooks.setStatusText = [this](const QString& text) { statusTexts << text; };
    window = std::make_unique<PrintSettingsWindow>(session, dialogs, pictures, printers(), hooks);
    return *window;
  }

  void showWindow() {
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  }

  template <typename W>
  W* child(const char* name) {
    W* widget = window->findChild<W*>(QString::fromUtf8(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  QLineEdit* box(const char* name) { return child<QLineEdit>(name); }
  QComboBox* combo(const char* name) { return child<QComboBox>(name); }
  DrawPanel* panel(const char* name) { return child<DrawPanel>(name); }
  void click(const char* buttonName) {
    QTest::mouseClick(child<QPushButton>(buttonName), Qt::LeftButton);
  }

  void retype(const char* name, const QString& text) {
    QLineEdit* edit = box(name);
    edit->clear();
    QTest::keyClicks(edit, text);
  }

  // Leaving a box the way Tab or a click elsewhere does.
  void leave(const char* name) {
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QCoreApplication::sendEvent(box(name), &out);
  }

  QList<FakeDialogs::Call> messages() const {
    return dialogs.callsOf(FakeDialogs::Kind::MessageBox);
  }

  SettingsSession session;
  FakeDialogs dialogs;
  PictureRegistry pictures;
  std::unique_ptr<PrintSettingsWindow> window;
  int paperQueries = 0;
  int pagePreviews = 0;
  int progressCloses = 0;
  MainWindowChoices mainWindowChoices;
  QStringList statusTexts;
};

// The same window over a start-settings file of its own in a temporary folder.
class SavedSettingsWindowTest : public SettingsWindowTest {
protected:
  void SetUp() override {
    ASSERT_TRUE(folder.isValid());
    session.startSettingsFile = file;
  }

  // The window closed and a new session over the same file, as at the next start.
  void newSession() {
    window.reset();
    session = SettingsSession();
    session.startSettingsFile = file;
  }

  QTemporaryDir folder;
  QString file = folder.filePath(QStringLiteral("config/settings.ini"));
};
