#include "render/PrintStatusDialog.h"

#include <QCloseEvent>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <utility>

PrintStatusDialog::PrintStatusDialog(const QString& jobName, const QString& printerName,
                                     const QString& port, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("打印状态"));
  setWindowTitle(QStringLiteral("正在进行打印，请稍候 ......"));
  setModal(false);

  auto* fields = new QFormLayout;
  auto* job = new QLabel(jobName, this);
  job->setObjectName(QStringLiteral("标签_打印作业名"));
  auto* destination = new QLabel(destinationText(printerName, port), this);
  destination->setObjectName(QStringLiteral("标签_打印目的"));
  copies_ = new QLabel(QStringLiteral("0"), this);
  copies_->setObjectName(QStringLiteral("标签_已打印份数"));
  page_ = new QLabel(QStringLiteral("1"), this);
  page_->setObjectName(QStringLiteral("标签_当前页号"));
  fields->addRow(QStringLiteral("打印作业名："), job);
  fields->addRow(QStringLiteral("打印目的："), destination);
  fields->addRow(QStringLiteral("已打印份数："), copies_);
  fields->addRow(QStringLiteral("当前页号："), page_);

  abort_ = new QPushButton(QStringLiteral("中止打印"), this);
  abort_->setObjectName(QStringLiteral("按钮_中止打印"));
  connect(abort_, &QPushButton::clicked, this, [this] {
    abortRequested_ = true;
    abort_->setEnabled(false);
    Q_EMIT abortClicked();
  });

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addWidget(abort_, 0, Qt::AlignHCenter);
}

QString PrintStatusDialog::destinationText(const QString& printerName, const QString& port) {
  return QStringLiteral("%1 上的 %2").arg(printerName, port);
}

void PrintStatusDialog::setCopiesPrinted(int copies) {
  copies_->setText(QString::number(copies));
}
void PrintStatusDialog::followCopiesPrinted(std::function<int()> copiesPrinted) {
  const auto refresh = [this, copiesPrinted = std::move(copiesPrinted)] {
    setCopiesPrinted(copiesPrinted());
  };
  refresh();
  auto* timer = new QTimer(this);
  connect(timer, &QTimer::timeout, this, refresh);
  timer->start(1000);
}
void PrintStatusDialog::setCurrentPage(int page) {
  page_->setText(QString::number(page));
}

// Closing the window is no way to stop a job; the abort button is.
void PrintStatusDialog::closeEvent(QCloseEvent* event) {
  event->ignore();
}
