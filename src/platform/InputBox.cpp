#include "platform/InputBox.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

InputBox::InputBox(const QString& prompt, const QString& initialText, const QString& caption,
                   QWidget* parent)
    : QDialog(parent),
      prompt_(new QLabel(prompt, this)),
      edit_(new QLineEdit(initialText, this)),
      confirm_(new QPushButton(QStringLiteral("确认输入(&O)"), this)),
      cancel_(new QPushButton(QStringLiteral("取消(&C)"), this)) {
  setObjectName(QStringLiteral("输入框"));
  setWindowTitle(caption);
  setModal(true);
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);

  prompt_->setObjectName(QStringLiteral("标签_提示"));
  prompt_->setWordWrap(true);
  prompt_->setTextFormat(Qt::PlainText);
  edit_->setObjectName(QStringLiteral("编辑框_输入"));
  edit_->selectAll();
  confirm_->setObjectName(QStringLiteral("按钮_确认输入"));
  confirm_->setDefault(true);
  cancel_->setObjectName(QStringLiteral("按钮_取消"));
  connect(confirm_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(confirm_);
  buttons->addWidget(cancel_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(prompt_);
  layout->addWidget(edit_);
  layout->addLayout(buttons);
  setMinimumWidth(360);
  edit_->setFocus();
}

QString InputBox::text() const {
  return edit_->text();
}
