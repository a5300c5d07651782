#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>

#include "platform/InputBox.h"
#include "platform/QtDesktop.h"
#include "platform/QtDialogs.h"

namespace {

// Runs "act" on the modal dialog as soon as it is shown (the caller then blocks in
// its exec()). Gives up after a few seconds so a broken dialog fails instead of hanging.
void whenModalShows(std::function<void(QWidget*)> act) {
  auto* timer = new QTimer;
  auto* clock = new QElapsedTimer;
  clock->start();
  QObject::connect(timer, &QTimer::timeout, [timer, clock, act] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr && clock->elapsed() < 5000) return;
    timer->stop();
    timer->deleteLater();
    delete clock;
    if (modal != nullptr) act(modal);
  });
  timer->start(10);
}

}  // namespace

TEST(InputBox, ShowsCaptionPromptPrefilledLineAndTheTwoButtons) {
  InputBox box(QStringLiteral("请输入照片所在列："), QStringLiteral("2"), kDefaultInputCaption);
  EXPECT_EQ(box.windowTitle(), QStringLiteral("请输入："));
  auto* prompt = box.findChild<QLabel*>(QStringLiteral("标签_提示"));
  ASSERT_NE(prompt, nullptr);
  EXPECT_EQ(prompt->text(), QStringLiteral("请输入照片所在列："));
  EXPECT_EQ(box.edit()->text(), QStringLiteral("2"));
  EXPECT_EQ(box.confirmButton()->text(), QStringLiteral("确认输入(&O)"));
  EXPECT_EQ(box.cancelButton()->text(), QStringLiteral("取消(&C)"));
  EXPECT_EQ(box.findChildren<QLineEdit*>().size(), 1);
  EXPECT_EQ(box.findChildren<QPushButton*>().size(), 2);
}

TEST(QtDialogsInput, ConfirmWritesTheTypedText) {
  QtDialogs dialogs;
  whenModalShows([](QWidget* modal) {
    auto* edit = modal->findChild<QLineEdit*>(QStringLiteral("编辑框_输入"));
    ASSERT_NE(edit, nullptr);
    edit->clear();
    QTest::keyClicks(edit, QStringLiteral("abc"));
    QTest::mouseClick(modal->findChild<QPushButton*>(QStringLiteral("按钮_确认输入")),
                      Qt::LeftButton);
  });
  QString value = QStringLiteral("old");
  EXPECT_TRUE(dialogs.inputText(QStringLiteral("提示"), value, QStringLiteral("标题")));
  EXPECT_EQ(value, QStringLiteral("abc"));
}

TEST(QtDialogsInput, CancelAndEscapeLeaveTheVariableAlone) {
  QtDialogs dialogs;
  QString value = QStringLiteral("old");
  whenModalShows([](QWidget* modal) {
    auto* edit = modal->findChild<QLineEdit*>(QStringLiteral("编辑框_输入"));
    QTest::keyClicks(edit, QStringLiteral("typed"));
    QTest::mouseClick(modal->findChild<QPushButton*>(QStringLiteral("按钮_取消")), Qt::LeftButton);
  });
  EXPECT_FALSE(dialogs.inputText(QStringLiteral("提示"), value, kDefaultInputCaption));
  EXPECT_EQ(value, QStringLiteral("old"));

  whenModalShows([](QWidget* modal) {
    QTest::keyClicks(modal->findChild<QLineEdit*>(QStringLiteral("编辑框_输入")),
                     QStringLiteral("x"));
    QTest::keyClick(modal, Qt::Key_Escape);
  });
  EXPECT_FALSE(dialogs.inputText(QStringLiteral("提示"), value, kDefaultInputCaption));
  EXPECT_EQ(value, QStringLiteral("old"));
}

TEST(QtDialogsInput, IntegerVariantPrefillsAndReadsTheLeadingInteger) {
  QtDialogs dialogs;
  QString shownText;
  whenModalShows([&shownText](QWidget* modal) {
    auto* edit = modal->findChild<QLineEdit*>(QStringLiteral("编辑框_输入"));
    shownText = edit->text();
    edit->setText(QStringLiteral("7 列"));
    QTest::keyClick(edit, Qt::Key_Return);
  });
  int value = 3;
  EXPECT_TRUE(dialogs.inputInteger(QStringLiteral("列号"), value, kDefaultInputCaption));
  EXPECT_EQ(shownText, QStringLiteral("3"));
  EXPECT_EQ(value, 7);

  whenModalShows([](QWidget* modal) {
    modal->findChild<QLineEdit*>(QStringLiteral("编辑框_输入"))->setText(QStringLiteral("99"));
    QTest::mouseClick(modal->findChild<QPushButton*>(QStringLiteral("按钮_取消")), Qt::LeftButton);
  });
  EXPECT_FALSE(dialogs.inputInteger(QStringLiteral("列号"), value, kDefaultInputCaption));
  EXPECT_EQ(value, 7);
}

TEST(QtDialogsMessageBox, AnswersWithTheCodeOfTheClickedButton) {
  QtDialogs dialogs;
  struct Case {
    MessageButtons buttons;
    QMessageBox::StandardButton click;
    int answer;
  };
  const Case cases[] = {
      {MessageButtons::Ok, QMessageBox::Ok, AnswerOk},
      {MessageButtons::OkCancel, QMessageBox::Cancel, AnswerCancel},
      {MessageButtons::AbortRetryIgnore, QMessageBox::Abort, AnswerAbort},
      {MessageButtons::AbortRetryIgnore, QMessageBox::Retry, AnswerRetry},
      {MessageButtons::AbortRetryIgnore, QMessageBox::Ignore, AnswerIgnore},
      {MessageButtons::YesNoCancel, QMessageBox::Yes, AnswerYes},
      {MessageButtons::YesNo, QMessageBox::No, AnswerNo},
      {MessageButtons::RetryCancel, QMessageBox::Retry, AnswerRetry},
  };
  for (const Case& c : cases) {
    QString title;
    QString text;
    bool modal = false;
    whenModalShows([&](QWidget* w) {
      auto* box = qobject_cast<QMessageBox*>(w);
      ASSERT_NE(box, nullptr);
      title = box->windowTitle();
      text = box->text();
      modal = box->windowModality() == Qt::ApplicationModal;
      box->button(c.click)->click();
    });
    EXPECT_EQ(dialogs.messageBox(QStringLiteral("内容"), QStringLiteral("标题"), c.buttons,
                                 MessageIcon::Question, Modality::System),
              c.answer);
    EXPECT_EQ(title, QStringLiteral("标题"));
    EXPECT_EQ(text, QStringLiteral("内容"));
    EXPECT_TRUE(modal);
  }
}

TEST(QtDialogsTimedMessageBox, ClosesItselfAndNeverAnswersCancel) {
  QtDialogs dialogs;
  QElapsedTimer clock;
  clock.start();
  const int answer =
      dialogs.timedMessageBox(QStringLiteral("继续下一批吗？"), QStringLiteral("提示"),
                              MessageButtons::OkCancel, MessageIcon::Question, 150);
  EXPECT_EQ(answer, AnswerTimedOut);
  EXPECT_NE(answer, AnswerCancel);
  EXPECT_GE(clock.elapsed(), 100);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(QtDialogsTimedMessageBox, AClickBeforeTheTimeOutIsTheAnswer) {
  QtDialogs dialogs;
  whenModalShows(
      [](QWidget* w) { qobject_cast<QMessageBox*>(w)->button(QMessageBox::Cancel)->click(); });
  EXPECT_EQ(dialogs.timedMessageBox(QStringLiteral("继续？"), QStringLiteral("提示"),
                                    MessageButtons::OkCancel, MessageIcon::None, 10000),
            AnswerCancel);
  whenModalShows(
      [](QWidget* w) { qobject_cast<QMessageBox*>(w)->button(QMessageBox::Ok)->click(); });
  EXPECT_EQ(dialogs.timedMessageBox(QStringLiteral("继续？"), QStringLiteral("提示"),
                                    MessageButtons::OkCancel, MessageIcon::None, 10000),
            AnswerOk);
}

TEST(QtDesktop, WaitCursorIsBalancedAndGivenBackOnDestruction) {
  ASSERT_EQ(QApplication::overrideCursor(), nullptr);
  {
    QtDesktop desktop;
    desktop.setWaitCursor(true);
    desktop.setWaitCursor(true);
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    desktop.setWaitCursor(false);
    EXPECT_NE(QApplication::overrideCursor(), nullptr);
    desktop.setWaitCursor(false);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    desktop.setWaitCursor(false);  // one "off" too many must not disturb anyone else
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    desktop.setWaitCursor(true);
  }
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(QtDesktop, SpecialFoldersEndInOneSeparatorAndVolumesAreRealFolders) {
  QtDesktop desktop;
  for (const QString& path : {desktop.desktopPath(), desktop.documentsPath()}) {
    if (path.isEmpty()) continue;
    EXPECT_TRUE(path.endsWith(QDir::separator())) << path.toStdString();
    EXPECT_FALSE(path.endsWith(QString(QDir::separator()) + QDir::separator()));
    EXPECT_TRUE(QFileInfo(path).isDir());
  }
  for (const Volume& v : desktop.volumes()) {
    EXPECT_TRUE(QFileInfo(v.root).isDir()) << v.root.toStdString();
    EXPECT_FALSE(v.root.startsWith(QStringLiteral("/proc")));
    EXPECT_FALSE(v.root.startsWith(QStringLiteral("/sys")));
  }
}

TEST(QtDesktop, ClipboardRoundTripsText) {
  QtDesktop desktop;
  desktop.setClipboardText(QStringLiteral("序号\t位置\n1\t/a.jpg"));
  EXPECT_EQ(desktop.clipboardText(), QStringLiteral("序号\t位置\n1\t/a.jpg"));
}
