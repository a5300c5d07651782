#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTextDocumentFragment>
#include <QTreeWidget>

#include "app/MainWindow.h"

namespace {

// What a label shows, line by line, whether it holds plain or rich text.
QString shownText(const QLabel* label) {
  if (label->textFormat() == Qt::PlainText) return label->text();
  QString text = QTextDocumentFragment::fromHtml(label->text()).toPlainText();
  text.replace(QChar::LineSeparator, u'\n');
  return text;
}

QString textOf(const QWidget* w) {
  if (auto* b = qobject_cast<const QAbstractButton*>(w)) return b->text();
  if (auto* l = qobject_cast<const QLabel*>(w)) return shownText(l);
  if (auto* e = qobject_cast<const QLineEdit*>(w)) return e->text();
  if (auto* g = qobject_cast<const QGroupBox*>(w)) return g->title();
  return QString();
}

// The form's container of a component: the window's client area, a tab page (named
// by its tab text) or a group box.
QString containerOf(const MainWindow& window, const QWidget* w) {
  const QWidget* parent = w->parentWidget();
  if (parent == window.centralWidget()) return QStringLiteral("window");
  const int page = window.tabs()->indexOf(const_cast<QWidget*>(parent));
  if (page >= 0) return QStringLiteral("page ") + window.tabs()->tabText(page);
  return parent->objectName();
}

struct Component {
  const char* name;
  const char* kind;
  const char* container;
  QRect design;
  const char* text;
  const char* toolTip;
  int checked;  // -1: not a check box
};

const Component kComponents[] = {
    {"选择夹1", "QTabWidget", "window", {4, 0, 668, 496}, "", "", -1},
    {"树型框_文件夹", "QTreeWidget", "page 文件夹", {}, "", "", -1},
    {"按钮_文件夹搜索", "QPushButton", "page 文件夹", {}, "搜索", "", -1},
    {"按钮_文件夹停止搜索", "QPushButton", "page 文件夹", {}, "停止", "", -1},
    {"选择框_包括文件夹", "QCheckBox", "page 文件夹", {}, "包括子文件夹", "", 1},
    {"选择框_更多图片格式",
     "QCheckBox",
     "page 文件夹",
     {},
     "更多图片格式",
     "同时搜索png、tif、tiff、webp、heic、heif和avif图片",
     0},
    {"选择框_读取拍摄信息",
     "QCheckBox",
     "page 文件夹",
     {},
     "读取拍摄信息",
     "在图片说明后加上拍摄时间、相机和像素三列，从照片自带的信息中读出",
     0},
    {"标签_剪贴板", "QLabel", "page 剪贴板", {}, nullptr, "", -1},
    {"按钮_从剪贴板导入",
     "QPushButton",
     "page 剪贴板",
     {},
     "从剪贴板导入",
     "首先在其它表格内“复制”，然后单击它，即可自动创建。",
     -1},
    {"按钮_导出到剪贴板",
     "QPushButton",
     "page 剪贴板",
     {},
     "导出到剪贴板",
     "把右表的数据导出到剪贴板，然后再在其它软件中“粘贴”",
     -1},
    {"按钮_从Gleanview结果中导入",
     "QPushButton",
     "page 剪贴板",
     {},
     "导入Gleanview文本",
     "导入由Gleanview生成的列表文本文件。",
     -1},
    {"超级列表框_显示", "QTableView", "window", {208, 31, 456, 384}, "", "", -1},
    {"高级表格_中间结果", "QTableWidget", "window", {226, 392, 206, 32}, "", "", -1},
    {"分组框_文件夹打印", "QGroupBox", "window", {211, 416, 352, 72}, "打印", "", -1},
    {"标签_页眉页脚", "FormLinesLabel", "分组框_文件夹打印", {}, "页眉：\n\n页脚：", "", -1},
    {"编辑框_页眉", "QLineEdit", "分组框_文件夹打印", {40, 8, 232, 20}, "", "", -1},
    {"编辑框_页脚", "QLineEdit", "分组框_文件夹打印", {39, 29, 232, 20}, "", "", -1},
    {"选择框_按文件夹分类",
     "QCheckBox",
     "分组框_文件夹打印",
     {39, 52, 168, 18},
     "不同文件夹照片要分别打印",
     "",
     1},
    {"按钮_打印预览", "QPushButton", "分组框_文件夹打印", {282, 12, 60, 20}, "预览与设置", "", -1},
    {"按钮_文件夹准备打印",
     "QPushButton",
     "分组框_文件夹打印",
     {281, 36, 60, 20},
     "准备打印",
     "",
     -1},
    {"按钮_结束程序", "QPushButton", "window", {597, 466, 60, 20}, "退出程序", "", -1},
    {"状态条1", "QStatusBar", "MainWindow", {}, "", "", -1},
};

class MainWindowTest : public ::testing::Test {
protected:
  void SetUp() override {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  }
  MainWindow window;
};

}  // namespace

TEST_F(MainWindowTest, EveryComponentHasItsNameKindContainerTextAndState) {
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Quillmere（高级版）1.4"));
  for (const Component& c : kComponents) {
    SCOPED_TRACE(c.name);
    auto* w = window.findChild<QWidget*>(QString::fromUtf8(c.name));
    ASSERT_NE(w, nullptr);
    EXPECT_STREQ(w->metaObject()->className(), c.kind);
    EXPECT_EQ(containerOf(window, w), QString::fromUtf8(c.container));
    if (c.text != nullptr) {
      EXPECT_EQ(textOf(w), QString::fromUtf8(c.text));
    }
    EXPECT_EQ(w->toolTip(), QString::fromUtf8(c.toolTip));
    if (c.checked >= 0) {
      EXPECT_EQ(qobject_cast<QCheckBox*>(w)->isChecked(), c.checked == 1);
    }
    if (!c.design.isNull()) {
      EXPECT_EQ(w->geometry(), c.design);
    }
  }
  EXPECT_EQ(window.findChildren<QTabWidget*>().size(), 1);
  EXPECT_EQ(window.tabs()->count(), 2);
  EXPECT_EQ(window.tabs()->tabText(0), QStringLiteral("文件夹"));
  EXPECT_EQ(window.tabs()->tabText(1), QStringLiteral("剪贴板"));
  EXPECT_EQ(window.tabs()->currentIndex(), 0);
  EXPECT_EQ(window.statusBar(), window.findChild<QStatusBar*>(QStringLiteral("状态条1")));
}

TEST_F(MainWindowTest, StartsEmptyAndReadOnlyWhereTheOtherPartsTakeOver) {
  EXPECT_EQ(window.folderTree()->topLevelItemCount(), 0);
  EXPECT_EQ(window.pictureList()->model(), nullptr);
  EXPECT_EQ(window.pictureList()->editTriggers(), QAbstractItemView::NoEditTriggers);
  EXPECT_EQ(window.pictureList()->selectionBehavior(), QAbstractItemView::SelectRows);
  EXPECT_TRUE(window.scratchGrid()->isHidden());
  EXPECT_EQ(window.scratchGrid()->rowCount(), 0);
  for (QPushButton* b : window.findChildren<QPushButton*>()) EXPECT_TRUE(b->isFlat());
  EXPECT_TRUE(window.statusText().isEmpty());
}

TEST_F(MainWindowTest, ClipboardHelpShowsItsLinesAndBlankLinesAndNoWrongReminder) {
  const QString expected = MainWindow::clipboardHelpLines().join(u'\n');
  EXPECT_EQ(shownText(window.clipboardHelpLabel()), expected);
  const QStringList lines = expected.split(u'\n');
  ASSERT_EQ(lines.size(), 17);
  EXPECT_TRUE(lines[0].startsWith(QStringLiteral("1.你可以在其它excel表中")));
  for (int i : {1, 2, 3, 5, 6, 7, 8, 11, 13, 15}) EXPECT_TRUE(lines[i].isEmpty()) << i;
  EXPECT_EQ(lines[9], QStringLiteral("友情提醒："));
  EXPECT_EQ(lines[10], QStringLiteral("1.导入数据时，会把第一行数据作为标题的。"));
  // The reminders are numbered from 1 like the points above them.
  const QStringList numbers = {lines[10].left(2), lines[12].left(2), lines[14].left(2),
                               lines[16].left(2)};
  EXPECT_EQ(numbers, (QStringList{"1.", "2.", "3.", "4."}));
  EXPECT_FALSE(expected.contains(QStringLiteral("你不可从导出到剪贴板后不经处理直接导入")));
}

TEST_F(MainWindowTest, ClipboardButtonsSitInTheBlankLinesOfTheHelp) {
  window.tabs()->setCurrentIndex(1);
  QApplication::processEvents();
  const QLabel* help = window.clipboardHelpLabel();
  // Every button starts on the label, fits the page, and leaves the first point's
  // text uncovered.
  for (QPushButton* b : {window.importClipboardButton(), window.exportClipboardButton(),
                         window.importCaptureListButton()}) {
    SCOPED_TRACE(b->objectName().toStdString());
    EXPECT_TRUE(b->isVisible());
    EXPECT_GE(b->y(), help->y());
    EXPECT_LE(b->geometry().bottom(), window.clipboardPage()->height());
  }
  EXPECT_GT(window.importClipboardButton()->y(), help->y() + help->fontMetrics().height());
}

TEST_F(MainWindowTest, SwitchingPagesHidesOnlyThePageComponents) {
  const QList<QWidget*> always = {window.pictureList(), window.printGroup(), window.exitButton(),
                                  window.headerEdit(), window.preparePrintButton()};
  const QList<QWidget*> folderOnly = {window.folderTree(), window.searchButton(),
                                      window.stopSearchButton(), window.includeSubfoldersBox(),
                                      window.morePictureFormatsBox()};
  const QList<QWidget*> clipboardOnly = {
      window.clipboardHelpLabel(), window.importClipboardButton(), window.exportClipboardButton(),
      window.importCaptureListButton()};
  for (int round = 0; round < 2; ++round) {
    window.tabs()->setCurrentIndex(1);
    QApplication::processEvents();
    for (QWidget* w : always) EXPECT_TRUE(w->isVisible()) << w->objectName().toStdString();
    for (QWidget* w : folderOnly) EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
    for (QWidget* w : clipboardOnly) EXPECT_TRUE(w->isVisible()) << w->objectName().toStdString();

    window.tabs()->setCurrentIndex(0);
    QApplication::processEvents();
    for (QWidget* w : always) EXPECT_TRUE(w->isVisible()) << w->objectName().toStdString();
    for (QWidget* w : folderOnly) EXPECT_TRUE(w->isVisible()) << w->objectName().toStdString();
    for (QWidget* w : clipboardOnly) EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
  }
}

TEST_F(MainWindowTest, PageComponentsFitTheirPageAndFollowAGrowingWindow) {
  const QRect page = window.folderPage()->rect();
  for (QWidget* w :
       {static_cast<QWidget*>(window.folderTree()), static_cast<QWidget*>(window.searchButton()),
        static_cast<QWidget*>(window.includeSubfoldersBox()),
        static_cast<QWidget*>(window.morePictureFormatsBox())})
    EXPECT_TRUE(page.contains(w->geometry())) << w->objectName().toStdString();
  // the tree, the two check boxes and the buttons do not overlap
  EXPECT_LE(window.folderTree()->geometry().bottom(), window.morePictureFormatsBox()->y());
  EXPECT_LE(window.morePictureFormatsBox()->geometry().bottom(),
            window.includeSubfoldersBox()->y());

  const int treeHeight = window.folderTree()->height();
  const QRect list = window.pictureList()->geometry();
  const QRect exit = window.exitButton()->geometry();
  window.resize(window.width() + 120, window.height() + 80);
  QApplication::processEvents();
  EXPECT_EQ(window.pictureList()->width(), list.width() + 120);
  EXPECT_EQ(window.pictureList()->height(), list.height() + 80);
  EXPECT_EQ(window.exitButton()->geometry(), exit.translated(120, 80));
  EXPECT_EQ(window.folderTree()->height(), treeHeight + 80);
  EXPECT_TRUE(window.folderPage()->rect().contains(window.searchButton()->geometry()));
  EXPECT_GE(window.printGroup()->y(), window.pictureList()->geometry().bottom());
}

TEST_F(MainWindowTest, HeaderAndFooterHelpIsWrittenEveryTimeTheBoxGetsTheFocus) {
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  const QString header = QStringLiteral(
      "显示在每个页眉上，可用&a表示总页数， &p表示当前页， "
      "&f表示分类。字体及对齐方式从‘打印设置’中设置。");
  const QString footer = QStringLiteral(
      "显示在每个页脚上，可用&a表示总页数， &p表示当前页， "
      "&f表示分类。字体及对齐方式从‘打印设置’中设置。");

  window.headerEdit()->setFocus(Qt::MouseFocusReason);
  EXPECT_EQ(window.statusText(), header);
  window.footerEdit()->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(window.statusText(), footer);

  // Another part writes the status bar meanwhile; the next focus brings the help back.
  window.setStatusText(QStringLiteral("找到 3 张照片"));
  window.pictureList()->setFocus();
  EXPECT_EQ(window.statusText(), QStringLiteral("找到 3 张照片"));
  window.footerEdit()->setFocus();
  EXPECT_EQ(window.statusText(), footer);
  window.setStatusText(QStringLiteral("别的"));
  window.headerEdit()->setFocus();
  EXPECT_EQ(window.statusText(), header);
  // Typing does not disturb what another part wrote after the focus came.
  window.setStatusText(QStringLiteral("打印完毕！"));
  QTest::keyClicks(window.headerEdit(), QStringLiteral("page &p of &a"));
  EXPECT_EQ(window.statusText(), QStringLiteral("打印完毕！"));
  EXPECT_EQ(window.headerEdit()->text(), QStringLiteral("page &p of &a"));
}

TEST_F(MainWindowTest, ExitButtonAndCloseAskToEndTheProgramWithoutAQuestion) {
  QSignalSpy spy(&window, &MainWindow::exitRequested);
  QTest::mouseClick(window.exitButton(), Qt::LeftButton);
  EXPECT_EQ(spy.count(), 1);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  window.close();
  EXPECT_EQ(spy.count(), 2);
}

TEST_F(MainWindowTest, StatusTextIsOneLineOverTheWholeWidth) {
  window.setStatusText(QStringLiteral("正在搜索：/home/照片"));
  EXPECT_EQ(window.statusText(), QStringLiteral("正在搜索：/home/照片"));
  auto* part0 = window.findChild<QLabel*>(QStringLiteral("状态条1_0"));
  ASSERT_NE(part0, nullptr);
  EXPECT_EQ(part0->text(), QStringLiteral("正在搜索：/home/照片"));
  EXPECT_GT(part0->width(), window.width() * 3 / 4);
  window.setStatusText(QStringLiteral("<b>不是格式</b>"));
  EXPECT_EQ(part0->textFormat(), Qt::PlainText);
}
