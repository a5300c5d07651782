#include "print/ProgressWindow.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QWindow>

#include "settings/SettingsSession.h"

ProgressWindow::ProgressWindow(SettingsSession& session)
    : QWidget(nullptr, Qt::Window), session_(session) {
  setObjectName(QStringLiteral("ProgressWindow"));
  setWindowTitle(QString());
  setGeometry(50, 50, 380, 51);

  bar_ = new QProgressBar(this);
  bar_->setObjectName(QStringLiteral("进度条_当前进度"));
  bar_->setGeometry(3, 2, 368, 16);
  bar_->setTextVisible(false);
  bar_->setRange(0, 100);
  bar_->setValue(0);
  bar_->installEventFilter(this);

  label_ = new QLabel(QStringLiteral("正在处理，请稍候。。。"), this);
  label_->setObjectName(QStringLiteral("标签_说明"));
  label_->setGeometry(82, 24, 160, 16);

  hideButton_ = new QPushButton(QStringLiteral("隐藏"), this);
  hideButton_->setObjectName(QStringLiteral("按钮_隐藏"));
  hideButton_->setGeometry(247, 22, 64, 24);
  connect(hideButton_, &QPushButton::clicked, this, &ProgressWindow::HideAndRequestStop);
}

ProgressWindow::~ProgressWindow() = default;

void ProgressWindow::setRange(int count) {
  bar_->setRange(0, qBound(0, count, kMaxSteps));
}

void ProgressWindow::setProgress(int done) {
  bar_->setValue(qBound(0, done, bar_->maximum()));
}

void ProgressWindow::HideAndRequestStop() {
  session_.previewStopRequested = true;
  hide();
}

void ProgressWindow::closeEvent(QCloseEvent* event) {
  // Closing it from its title bar only hides it, like the hide button: the work goes
  // on and may show its progress again.
  event->ignore();
  HideAndRequestStop();
}

bool ProgressWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched != bar_) return QWidget::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() != Qt::LeftButton) break;
      if (windowHandle() && windowHandle()->startSystemMove()) return true;
      dragging_ = true;
      dragStartGlobal_ = mouse->globalPosition().toPoint();
      dragStartWindow_ = pos();
      return true;
    }
    case QEvent::MouseMove:
      if (dragging_) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        move(dragStartWindow_ + (mouse->globalPosition().toPoint() - dragStartGlobal_));
        return true;
      }
      break;
    case QEvent::MouseButtonRelease:
      if (dragging_) {
        dragging_ = false;
        return true;
      }
      break;
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}
