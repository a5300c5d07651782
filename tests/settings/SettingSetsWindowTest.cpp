#include <QFile>
#include <QTemporaryDir>

#include "SettingsWindowFixture.h"
#include "StartSettingsPrinting.h"
#include "settings/SettingSetControls.h"
#include "settings/SettingSets.h"

namespace {

class SettingSetsWindowTest : public SavedSettingsWindowTest {
protected:
  // A new program state, as the next start of the program has it.
  void restart() { newSession(); }

  QStringList listed() {
    QStringList names;
    for (int i = 0; i < combo("组合框_方案")->count(); ++i)
      names << combo("组合框_方案")->itemText(i);
    return names;
  }

  void choose(const QString& name) {
    QComboBox* list = combo("组合框_方案");
    const int index = list->findText(name);
    ASSERT_GE(index, 0) << name.toStdString();
    list->setCurrentIndex(index);
    Q_EMIT list->activated(index);
  }

  void saveAs(const QString& name) {
    dialogs.queueInput(name);
    click("按钮_保存方案");
  }

  SettingSets sets{file};
};

}  // namespace

TEST_F(SettingSetsWindowTest, SavedSetsComeBackAfterARestart) {
  open();
  retype("编辑框_行数", "3");
  retype("编辑框_列数", "2");
  retype("编辑框_打印份数", "4");
  combo("组合框_正文对齐方式")->setCurrentIndex(2);
  combo("组合框_打印机列表")->setCurrentIndex(2);
  session.printSettings.bodyFont = FontDescription{0, 1, 0, 0, 0, 12, QStringLiteral("黑体")};
  session.workingLayout = CardLayout{{0.1f, 0.05f, 0.8f, 0.6f}, {0.1f, 0.7f, 0.8f, 0.25f}};
  const PrintSettings classSet = window->SettingsFromControls();
  saveAs(QStringLiteral("班级"));

  retype("编辑框_宽度", "297");
  retype("编辑框_高度", "420");
  retype("编辑框_列数", "3");
  child<QRadioButton>("单选框_横向打印")->setChecked(true);
  child<QCheckBox>("选择框_打印到图片文件")->setChecked(true);
  combo("组合框_图片格式")->setCurrentIndex(4);
  session.printSettings.bodyFont = FontDescription{0, 0, 0, 0, 0, 9, QStringLiteral("宋体")};
  session.workingLayout = CardLayout{};
  PrintSettings productSet = window->SettingsFromControls();
  saveAs(QStringLiteral("产品"));
  EXPECT_EQ(dialogs.callsOf(FakeDialogs::Kind::InputText).first().caption, "保存方案");
  EXPECT_TRUE(messages().isEmpty());

  restart();
  open();
  EXPECT_EQ(listed(), (QStringList{"产品", "班级"}));
  EXPECT_EQ(combo("组合框_方案")->currentIndex(), -1);
  choose(QStringLiteral("班级"));
  EXPECT_EQ(window->SettingsFromControls(), classSet);
  choose(QStringLiteral("产品"));
  EXPECT_EQ(window->SettingsFromControls(), productSet);
  EXPECT_FALSE(child<QCheckBox>("选择框_自定义纸张")->isChecked());
  choose(QStringLiteral("班级"));
  // The set's cell layout is the one printed, as saved start settings' layout is.
  click("按钮_确定");
  EXPECT_EQ(session.printSettings.photoArea, classSet.photoArea);
  EXPECT_EQ(session.printSettings.rows, 3);
  EXPECT_TRUE(statusTexts.isEmpty());
}

TEST_F(SettingSetsWindowTest, ReplacingAndDeletingAskFirst) {
  open();
  retype("编辑框_行数", "3");
  saveAs(QStringLiteral("Class"));
  retype("编辑框_行数", "4");

  dialogs.queueAnswer(AnswerNo);
  saveAs(QStringLiteral("class"));
  ASSERT_EQ(messages().size(), 1);
  EXPECT_EQ(messages().last().text, "方案“Class”已经存在，要用当前设置替换它吗？");
  EXPECT_EQ(sets.Read(QStringLiteral("Class"))->settings.print.rows, 3);

  dialogs.queueAnswer(AnswerYes);
  saveAs(QStringLiteral("class"));
  EXPECT_EQ(sets.Names(), QStringList{"class"});
  EXPECT_EQ(sets.Read(QStringLiteral("class"))->settings.print.rows, 4);
  EXPECT_EQ(combo("组合框_方案")->currentText(), "class");

  dialogs.queueAnswer(AnswerNo);
  click("按钮_删除方案");
  EXPECT_EQ(messages().last().text, "要删除方案“class”吗？");
  EXPECT_EQ(sets.Names(), QStringList{"class"});
  dialogs.queueAnswer(AnswerYes);
  click("按钮_删除方案");
  EXPECT_EQ(sets.Names(), QStringList());
  EXPECT_EQ(listed(), QStringList());
  EXPECT_EQ(messages().size(), 4);
  EXPECT_TRUE(dialogs.allAnswersUsed());
}

TEST_F(SettingSetsWindowTest, ADamagedSetShowsDefaultsForWhatItLacksAndSaysSoOnce) {
  StartSettings set;
  set.print.rows = 2;
  set.print.columns = 3;
  QString error;
  ASSERT_TRUE(sets.Write(QStringLiteral("旧"), set, error)) << error.toStdString();
  QFile stored(sets.FileOf(QStringLiteral("旧")));
  ASSERT_TRUE(stored.open(QIODevice::ReadOnly));
  QByteArray text = stored.readAll();
  stored.close();
  text.replace("rows=2", "rows=lots");
  ASSERT_TRUE(stored.open(QIODevice::WriteOnly | QIODevice::Truncate));
  stored.write(text);
  stored.close();

  open();
  choose(QStringLiteral("旧"));
  EXPECT_EQ(box("编辑框_行数")->text(), "5");
  EXPECT_EQ(box("编辑框_列数")->text(), "3");
  EXPECT_EQ(statusTexts, QStringList{SettingSetIncompleteText(QStringLiteral("旧"))});
}

TEST_F(SettingSetsWindowTest, WhatCannotBeReadBackIsNotSaved) {
  open();
  retype("编辑框_打印份数", "100000");
  saveAs(QStringLiteral("多"));
  saveAs(QStringLiteral(" "));
  EXPECT_EQ(sets.Names(), QStringList());
  ASSERT_EQ(messages().size(), 2);
  EXPECT_EQ(messages().at(0).text, "方案没有保存：这些设置超出了可保存的范围：output/copies");
  EXPECT_EQ(messages().at(1).text, "方案没有保存：方案名称不能是空的");
}

TEST(SettingSets, NamesThatFileSystemsRefuseComeBackAsTyped) {
  QTemporaryDir folder;
  const SettingSets sets(folder.filePath(QStringLiteral("settings.ini")));
  const QStringList names{"A/B: 1?", "..", "50%", "班级 (2024)", "*"};
  for (const QString& name : names) {
    QString error;
    EXPECT_TRUE(sets.Write(name, StartSettings{}, error)) << name.toStdString();
  }
  EXPECT_EQ(sets.Names(), (QStringList{"*", "..", "50%", "A/B: 1?", "班级 (2024)"}));
  for (const QString& bad : QStringList{"", " lead", "tab\there", QString(41, u'长')})
    EXPECT_FALSE(SettingSets::RefuseName(bad).isEmpty()) << bad.toStdString();
}
