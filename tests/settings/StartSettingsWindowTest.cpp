#include <QFile>
#include <QTemporaryDir>

#include "SettingsWindowFixture.h"
#include "StartSettingsPrinting.h"
#include "settings/SettingsFile.h"

namespace {

class StartSettingsWindowTest : public SavedSettingsWindowTest {
protected:
  // A new program state, started the way the program starts.
  void restart() {
    newSession();
    const std::optional<SettingsReading> saved = ReadSettingsFile(file, printers().listPrinters);
    ASSERT_TRUE(saved.has_value());
    EXPECT_FALSE(saved->incomplete());
    EXPECT_EQ(saved->settings.mainWindow, mainWindowChoices);
    session.startFrom(saved->settings.print);
  }

  QList<FakeDialogs::Call> messagesTitled(const QString& title) const {
    QList<FakeDialogs::Call> titled;
    for (const FakeDialogs::Call& call : messages())
      if (call.caption == title) titled << call;
    return titled;
  }
};

}  // namespace

TEST_F(StartSettingsWindowTest, SavedSettingsAreWhatTheNextStartOpensWith) {
  open();
  retype("编辑框_宽度", "215.9");
  retype("编辑框_高度", "279.4");
  retype("编辑框_上边距", "12");
  retype("编辑框_页脚距底端", "7");
  retype("编辑框_行数", "3");
  retype("编辑框_列数", "2");
  retype("编辑框_行间距", "15");
  retype("编辑框_打印份数", "4");
  combo("组合框_页眉对齐")->setCurrentIndex(0);
  combo("组合框_页脚对齐")->setCurrentIndex(2);
  combo("组合框_图片优化比率")->setCurrentIndex(5);
  combo("组合框_照片打印方式")->setCurrentIndex(3);
  combo("组合框_正文对齐方式")->setCurrentIndex(2);
  combo("组合框_正文文字行数")->setCurrentIndex(0);
  combo("组合框_图片格式")->setCurrentIndex(4);
  combo("组合框_打印机列表")->setCurrentIndex(2);
  child<QRadioButton>("单选框_横向打印")->setChecked(true);
  child<QCheckBox>("选择框_打印到图片文件")->setChecked(true);
  session.printSettings.bodyFont = FontDescription{0, 1, 0, 0, 0, 12, QStringLiteral("黑体")};
  session.printSettings.footerFont.face = QStringLiteral("楷体");
  session.workingLayout = CardLayout{{0.1f, 0.05f, 0.8f, 0.6f}, {0.1f, 0.7f, 0.8f, 0.25f}};
  mainWindowChoices =
      MainWindowChoices{QStringLiteral("第&p页"), QStringLiteral("共&a页"), false, false};
  const PrintSettings saved = window->SettingsFromControls();
  click("按钮_保存为默认设置");
  ASSERT_EQ(messagesTitled(QStringLiteral("保存为默认设置")).size(), 1);
  EXPECT_EQ(messagesTitled(QStringLiteral("保存为默认设置")).first().icon,
            MessageIcon::Information);
  EXPECT_FALSE(session.settingsApplied);
  EXPECT_FALSE(session.printSettings.confirmed);

  restart();
  open();
  EXPECT_EQ(window->SettingsFromControls(), saved);
  EXPECT_FALSE(child<QCheckBox>("选择框_自定义纸张")->isChecked());

  // Within the run the saved values are the defaults: copies and the picture format at
  // every opening, everything after a cancel. The saved cell layout is kept.
  retype("编辑框_打印份数", "1");
  click("按钮_确定");
  EXPECT_EQ(session.printSettings.photoArea, saved.photoArea);
  open();
  EXPECT_EQ(box("编辑框_打印份数")->text(), "4");
  EXPECT_EQ(combo("组合框_图片格式")->currentText(), "png格式");
  click("按钮_取消");
  open();
  EXPECT_EQ(window->SettingsFromControls(), saved);
}

TEST_F(StartSettingsWindowTest, FactorySettingsRemoveTheFileAndShowTheBuiltInDefaults) {
  StartSettings start;
  start.print.rows = 2;
  start.print.copies = 3;
  start.print.headerFont.size = 20;
  start.print.photoArea = CardRect{0.2f, 0.1f, 0.6f, 0.5f};
  QString error;
  ASSERT_TRUE(WriteSettingsFile(file, start, error));
  session.startFrom(start.print);
  open();
  ASSERT_EQ(box("编辑框_行数")->text(), "2");

  dialogs.queueAnswer(AnswerNo);
  click("按钮_恢复出厂设置");
  EXPECT_TRUE(QFile::exists(file));
  EXPECT_EQ(box("编辑框_行数")->text(), "2");

  dialogs.queueAnswer(AnswerYes);
  click("按钮_恢复出厂设置");
  EXPECT_FALSE(QFile::exists(file));
  PrintSettings factory = PrintSettings::builtInDefaults();
  factory.defaultPrinter = QStringLiteral("PDF Writer");
  factory.printerName = QStringLiteral("PDF Writer");
  factory.confirmed = true;  // what 准备打印 would store
  EXPECT_EQ(window->SettingsFromControls(), factory);
  EXPECT_EQ(session.startSettings, PrintSettings::builtInDefaults());
  EXPECT_FALSE(session.keepsUserLayout());
  // The next start is a start without saved settings.
  EXPECT_FALSE(ReadSettingsFile(file).has_value());
}

TEST_F(StartSettingsWindowTest, FactorySettingsTakeBackWhatTheSavedOnesPutIntoTheMainWindow) {
  StartSettings start;
  start.mainWindow =
      MainWindowChoices{QStringLiteral("第&p页"), QStringLiteral("共&a页"), false, false};
  QString error;
  ASSERT_TRUE(WriteSettingsFile(file, start, error));
  mainWindowChoices = start.mainWindow;
  mainWindowChoices.footerTemplate = QStringLiteral("我的页脚");  // typed since the start
  open();
  dialogs.queueAnswer(AnswerYes);
  click("按钮_恢复出厂设置");
  EXPECT_EQ(mainWindowChoices,
            (MainWindowChoices{QString(), QStringLiteral("我的页脚"), true, true}));

  // Without saved settings the main window is the user's alone.
  mainWindowChoices = start.mainWindow;
  dialogs.queueAnswer(AnswerYes);
  click("按钮_恢复出厂设置");
  EXPECT_EQ(mainWindowChoices, start.mainWindow);
}

TEST_F(StartSettingsWindowTest, OnlyTheButtonWritesAndOnlyWhatConfirmingWouldAccept) {
  open();
  click("按钮_确定");
  open();
  click("按钮_取消");
  open();
  window->close();
  EXPECT_FALSE(QFile::exists(file));

  open();
  retype("编辑框_行数", "0");
  click("按钮_保存为默认设置");
  retype("编辑框_行数", "4");
  retype("编辑框_宽度", "");
  click("按钮_保存为默认设置");
  retype("编辑框_宽度", "210");
  retype("编辑框_打印份数", "100000");
  click("按钮_保存为默认设置");
  EXPECT_FALSE(QFile::exists(file));
  ASSERT_EQ(messages().size(), 3);
  EXPECT_EQ(messages().at(0).text, "“每页行数”不能小于1，请重新设置！");
  EXPECT_EQ(messages().at(1).text, "请重新设置一下纸张！");
  EXPECT_EQ(messages().at(2).text, "默认设置没有保存：这些设置超出了可保存的范围：output/copies");
}

TEST_F(StartSettingsWindowTest, AFailedSaveSaysWhyAndChangesNothing) {
  QFile blocker(folder.filePath(QStringLiteral("config")));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));  // a file where the folder should be
  blocker.close();
  open();
  retype("编辑框_行数", "3");
  click("按钮_保存为默认设置");
  const QList<FakeDialogs::Call> said = messagesTitled(QStringLiteral("保存为默认设置"));
  ASSERT_EQ(said.size(), 1);
  EXPECT_EQ(said.first().icon, MessageIcon::Warning);
  EXPECT_TRUE(said.first().text.startsWith(QStringLiteral("默认设置没有保存：")))
      << said.first().text.toStdString();
  EXPECT_EQ(session.startSettings, PrintSettings::builtInDefaults());
}
