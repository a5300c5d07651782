#include <gtest/gtest.h>

#include "platform/FakeDesktop.h"
#include "platform/FakeDialogs.h"

TEST(FakeDialogs, AnswersMessageBoxesInScriptedOrderAndRecordsTheirTexts) {
  FakeDialogs dialogs;
  dialogs.queueAnswer(AnswerNo);
  dialogs.queueAnswer(AnswerCancel);
  Dialogs& d = dialogs;
  EXPECT_EQ(d.messageBox(QStringLiteral("继续吗？"), QStringLiteral("问题"), MessageButtons::YesNo,
                         MessageIcon::Question, Modality::System),
            AnswerNo);
  EXPECT_EQ(d.timedMessageBox(QStringLiteral("下一个"), QStringLiteral("提示"),
                              MessageButtons::OkCancel, MessageIcon::Information, 2000),
            AnswerCancel);
  ASSERT_EQ(dialogs.calls().size(), 2);
  const FakeDialogs::Call& first = dialogs.calls()[0];
  EXPECT_EQ(first.kind, FakeDialogs::Kind::MessageBox);
  EXPECT_EQ(first.text, QStringLiteral("继续吗？"));
  EXPECT_EQ(first.caption, QStringLiteral("问题"));
  EXPECT_EQ(first.buttons, MessageButtons::YesNo);
  EXPECT_EQ(first.icon, MessageIcon::Question);
  EXPECT_EQ(first.modality, Modality::System);
  EXPECT_EQ(dialogs.calls()[1].timeoutMs, 2000);
  EXPECT_EQ(dialogs.unscriptedCalls(), 0);
  EXPECT_TRUE(dialogs.allAnswersUsed());
}

TEST(FakeDialogs, UnscriptedCallsGetTheEnterKeyAnswerAndAreCounted) {
  FakeDialogs dialogs;
  Dialogs& d = dialogs;
  EXPECT_EQ(d.messageBox(QStringLiteral("a"), QString(), MessageButtons::YesNoCancel), AnswerYes);
  EXPECT_EQ(d.messageBox(QStringLiteral("b"), QString(), MessageButtons::RetryCancel), AnswerRetry);
  EXPECT_EQ(d.messageBox(QStringLiteral("c"), QString(), MessageButtons::AbortRetryIgnore),
            AnswerAbort);
  // A timed box nobody answers closes itself; it must not read as Cancel.
  EXPECT_EQ(d.timedMessageBox(QStringLiteral("d"), QString(), MessageButtons::OkCancel,
                              MessageIcon::None, 10),
            AnswerTimedOut);
  QString text = QStringLiteral("预置");
  EXPECT_TRUE(d.inputText(QStringLiteral("p"), text));
  EXPECT_EQ(text, QStringLiteral("预置"));
  EXPECT_TRUE(d.browseForFolder(QStringLiteral("选文件夹")).isEmpty());
  EXPECT_TRUE(d.openFile(QStringLiteral("t"), QStringLiteral("f|*.txt")).isEmpty());
  FontDescription font = FontDescription::song9();
  EXPECT_FALSE(d.chooseFont(font));
  EXPECT_EQ(font, FontDescription::song9());
  EXPECT_EQ(dialogs.unscriptedCalls(), 8);
}

TEST(FakeDialogs, InputBoxesWriteOnlyOnConfirm) {
  FakeDialogs dialogs;
  dialogs.queueInputCancel();
  dialogs.queueInput(QStringLiteral("新值"));
  dialogs.queueInputCancel();
  dialogs.queueInput(QStringLiteral("12列"));
  dialogs.queueInput(QStringLiteral("无数字"));
  Dialogs& d = dialogs;

  QString text = QStringLiteral("旧值");
  EXPECT_FALSE(d.inputText(QStringLiteral("请输入标题"), text));
  EXPECT_EQ(text, QStringLiteral("旧值"));
  EXPECT_TRUE(d.inputText(QStringLiteral("请输入标题"), text, QStringLiteral("标题")));
  EXPECT_EQ(text, QStringLiteral("新值"));

  int column = 2;
  EXPECT_FALSE(d.inputInteger(QStringLiteral("照片列"), column));
  EXPECT_EQ(column, 2);
  EXPECT_TRUE(d.inputInteger(QStringLiteral("照片列"), column));
  EXPECT_EQ(column, 12);
  EXPECT_TRUE(d.inputInteger(QStringLiteral("照片列"), column));
  EXPECT_EQ(column, 0);

  const QList<FakeDialogs::Call> inputs = dialogs.callsOf(FakeDialogs::Kind::InputInteger);
  ASSERT_EQ(inputs.size(), 3);
  EXPECT_EQ(inputs[0].initialText, QStringLiteral("2"));
  EXPECT_EQ(inputs[0].caption, kDefaultInputCaption);
  EXPECT_EQ(inputs[2].initialText, QStringLiteral("12"));
  EXPECT_EQ(dialogs.callsOf(FakeDialogs::Kind::InputText)[1].caption, QStringLiteral("标题"));
}

TEST(FakeDialogs, FontChoiceKeepsTheCallersAngle) {
  FakeDialogs dialogs;
  FontDescription picked;
  picked.face = QStringLiteral("楷体");
  picked.size = 14;
  picked.bold = 1;
  picked.underline = 1;
  picked.angle = 900;
  dialogs.queueFont(picked);
  dialogs.queueFontCancel();

  FontDescription font = FontDescription::song9();
  font.angle = 450;
  ASSERT_TRUE(dialogs.chooseFont(font));
  EXPECT_EQ(font.face, QStringLiteral("楷体"));
  EXPECT_EQ(font.size, 14);
  EXPECT_EQ(font.bold, 1);
  EXPECT_EQ(font.underline, 1);
  EXPECT_EQ(font.angle, 450);
  EXPECT_EQ(dialogs.calls()[0].font.face, QStringLiteral("宋体"));

  const FontDescription before = font;
  EXPECT_FALSE(dialogs.chooseFont(font));
  EXPECT_EQ(font, before);
}

TEST(FakeDialogs, FoldersAndFilesComeFromTheirOwnQueues) {
  FakeDialogs dialogs;
  dialogs.queueFolder(QStringLiteral("/tmp/输出"));
  dialogs.queueFile(QStringLiteral("/tmp/list.txt"));
  dialogs.queueAnswer(AnswerOk);
  EXPECT_EQ(dialogs.openFile(QStringLiteral("打开"), QStringLiteral("文本|*.txt")),
            QStringLiteral("/tmp/list.txt"));
  EXPECT_EQ(dialogs.browseForFolder(QStringLiteral("请选择")), QStringLiteral("/tmp/输出"));
  EXPECT_FALSE(dialogs.allAnswersUsed());
  EXPECT_EQ(dialogs.calls()[0].filter, QStringLiteral("文本|*.txt"));
  EXPECT_EQ(dialogs.calls()[1].text, QStringLiteral("请选择"));
}

TEST(FakeDialogs, DuringCallSeesTheCallBeforeItIsAnswered) {
  FakeDialogs dialogs;
  bool stopRequested = false;
  QString seen;
  dialogs.setDuringCall([&](const FakeDialogs::Call& call) {
    seen = call.text;
    stopRequested = true;
  });
  dialogs.queueAnswer(AnswerOk);
  dialogs.messageBox(QStringLiteral("正在打印"), QString());
  EXPECT_TRUE(stopRequested);
  EXPECT_EQ(seen, QStringLiteral("正在打印"));
}

TEST(FakeDesktop, CountsTheWaitCursorAndIgnoresUnbalancedOffs) {
  FakeDesktop desktop;
  desktop.setWaitCursor(true);
  desktop.setWaitCursor(true);
  desktop.setWaitCursor(false);
  desktop.setWaitCursor(false);
  desktop.setWaitCursor(false);
  EXPECT_EQ(desktop.waitDepth, 0);
  EXPECT_EQ(desktop.maxWaitDepth, 2);
  EXPECT_EQ(desktop.waitCursorShown, 2);
  EXPECT_EQ(desktop.unbalancedWaitOffs, 1);

  desktop.setClipboardText(QStringLiteral("a\tb"));
  EXPECT_EQ(desktop.clipboardText(), QStringLiteral("a\tb"));
  EXPECT_EQ(desktop.clipboardWrites, 1);
}
