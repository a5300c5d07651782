#include <gtest/gtest.h>

#include <QFile>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

#include "app/AppState.h"
#include "app/MainWindow.h"
#include "app/Wiring.h"
#include "collect/PictureTableModel.h"
#include "platform/FakeDesktop.h"
#include "platform/FakeDialogs.h"

namespace {

class ExchangeWiringTest : public ::testing::Test {
protected:
  void SetUp() override { wireSubsystems(window_, state_, dialogs_, desktop_); }

  void Click(const char* name) {
    auto* button = window_.findChild<QPushButton*>(QString::fromUtf8(name));
    ASSERT_NE(button, nullptr) << name;
    window_.tabs()->setCurrentWidget(window_.clipboardPage());
    QTest::mouseClick(button, Qt::LeftButton);
  }

  PictureTableModel* Table() {
    return qobject_cast<PictureTableModel*>(window_.pictureList()->model());
  }

  AppState state_;
  FakeDialogs dialogs_;
  FakeDesktop desktop_;
  MainWindow window_;
};

TEST_F(ExchangeWiringTest, ClipboardButtonsImportAndExportThePictureList) {
  window_.show();
  ASSERT_NE(Table(), nullptr);
  desktop_.clipboard = QStringLiteral("序号\t图片名全称\r\n1\t/home/user/My Photos/a.jpg\r\n");
  dialogs_.queueAnswer(AnswerOk);
  Click("按钮_从剪贴板导入");
  ASSERT_EQ(Table()->RowCount(), 1);
  EXPECT_EQ(Table()->Cell(0, 1), u"/home/user/My Photos/a.jpg");
  EXPECT_EQ(window_.pictureList()->model()->headerData(1, Qt::Horizontal).toString(),
            u"图片名全称");

  desktop_.clipboard.clear();
  Click("按钮_导出到剪贴板");
  EXPECT_EQ(desktop_.clipboard, u"序号\t图片名全称\n1\t/home/user/My Photos/a.jpg");
  EXPECT_EQ(dialogs_.callsOf(FakeDialogs::Kind::TimedMessageBox).size(), 1);
}

TEST_F(ExchangeWiringTest, CaptureListButtonOpensTheListAndImportsIt) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("list.txt"));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(QStringLiteral("图片名全称\n/a.jpg\n/b.jpg").toUtf8());
  file.close();

  dialogs_.queueFile(path);
  dialogs_.queueAnswer(AnswerOk);
  Click("按钮_从Gleanview结果中导入");
  ASSERT_NE(Table(), nullptr);
  EXPECT_EQ(Table()->RowCount(), 2);
  EXPECT_EQ(dialogs_.callsOf(FakeDialogs::Kind::OpenFile).size(), 1);
}

}  // namespace
