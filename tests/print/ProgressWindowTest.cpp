#include <gtest/gtest.h>

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include "print/ProgressWindow.h"
#include "print/ProgressWindowHost.h"
#include "settings/SettingsSession.h"

namespace {

class ProgressWindowTest : public ::testing::Test {
protected:
  SettingsSession session;
  ProgressWindowHost host{session};
};

TEST_F(ProgressWindowTest, OpensFreshWithItsComponents) {
  ProgressWindow& window = host.Open();
  EXPECT_TRUE(window.isVisible());
  EXPECT_FALSE(window.windowFlags() & Qt::WindowStaysOnTopHint);
  auto* label = window.findChild<QLabel*>("标签_说明");
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->text(), "正在处理，请稍候。。。");
  auto* button = window.findChild<QPushButton*>("按钮_隐藏");
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->text(), "隐藏");
  auto* bar = window.findChild<QProgressBar*>("进度条_当前进度");
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->minimum(), 0);
  EXPECT_EQ(bar->maximum(), 100);
  EXPECT_EQ(bar->value(), 0);
}

TEST_F(ProgressWindowTest, OpeningAgainKeepsTheLoadedWindow) {
  ProgressWindow* first = &host.Open();
  first->setProgress(40);
  EXPECT_EQ(&host.Open(), first);
  EXPECT_EQ(first->progressBar().value(), 40);
}

TEST_F(ProgressWindowTest, CloseDestroysTheWindowSoTheNextJobStartsFresh) {
  host.Open().setProgress(50);
  host.Close();
  EXPECT_FALSE(host.isLoaded());
  EXPECT_EQ(host.Open().progressBar().value(), 0);
  host.Close();
  host.Close();  // closing a window that is not loaded does nothing
}

TEST_F(ProgressWindowTest, ProgressAboveTheBarsRangeShowsFull) {
  ProgressWindow& window = host.Open();
  window.setRange(40000);
  EXPECT_EQ(window.progressBar().maximum(), 32767);
  window.setProgress(32766);
  EXPECT_LT(window.progressBar().value(), window.progressBar().maximum());
  window.setProgress(32767);
  EXPECT_EQ(window.progressBar().value(), window.progressBar().maximum());
  window.setProgress(39999);
  EXPECT_EQ(window.progressBar().value(), window.progressBar().maximum());
}

TEST_F(ProgressWindowTest, HideButtonHidesAndAsksThePreviewToStop) {
  ProgressWindow& window = host.Open();
  QTest::mouseClick(window.findChild<QPushButton*>("按钮_隐藏"), Qt::LeftButton);
  EXPECT_FALSE(window.isVisible());
  EXPECT_TRUE(session.previewStopRequested);
  EXPECT_TRUE(host.isLoaded());  // the running job keeps its printer and panel
}

TEST_F(ProgressWindowTest, ClosingFromTheTitleBarOnlyHides) {
  ProgressWindow& window = host.Open();
  window.close();
  EXPECT_FALSE(window.isVisible());
  EXPECT_TRUE(host.isLoaded());
  EXPECT_TRUE(session.previewStopRequested);
}

TEST_F(ProgressWindowTest, DraggingTheBarMovesTheWindowAndAClickDoesNot) {
  ProgressWindow& window = host.Open();
  QProgressBar& bar = window.progressBar();
  const QPoint start = window.pos();
  QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(10, 5));
  EXPECT_EQ(window.pos(), start);

  QTest::mousePress(&bar, Qt::LeftButton, {}, QPoint(10, 5));
  QMouseEvent move(QEvent::MouseMove, QPointF(40, 25), bar.mapToGlobal(QPointF(40, 25)),
                   Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&bar, &move);
  QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(40, 25));
  EXPECT_EQ(window.pos(), start + QPoint(30, 20));
}

}  // namespace
