#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// The program's input box: the caller's caption and prompt, one edit line pre-filled
// with the initial text, and the buttons "确认输入(&O)" and "取消(&C)".
class InputBox : public QDialog {
  Q_OBJECT
public:
  InputBox(const QString& prompt, const QString& initialText, const QString& caption,
           QWidget* parent = nullptr);

  QString text() const;
  QLineEdit* edit() const { return edit_; }
  QPushButton* confirmButton() const { return confirm_; }
  QPushButton* cancelButton() const { return cancel_; }

private:
  QLabel* prompt_;
  QLineEdit* edit_;
  QPushButton* confirm_;
  QPushButton* cancel_;
};
