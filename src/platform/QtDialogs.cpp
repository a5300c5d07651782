#include "platform/QtDialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include "platform/DialogText.h"
#include "platform/InputBox.h"

namespace {

QMessageBox::StandardButtons standardButtons(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::Ok:
      return QMessageBox::Ok;
    case MessageButtons::OkCancel:
      return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::AbortRetryIgnore:
      return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
    case MessageButtons::YesNoCancel:
      return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MessageButtons::YesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::RetryCancel:
      return QMessageBox::Retry | QMessageBox::Cancel;
  }
  return QMessageBox::Ok;
}

QMessageBox::Icon standardIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::None:
      return QMessageBox::NoIcon;
    case MessageIcon::Error:
      return QMessageBox::Critical;
    case MessageIcon::Question:
      return QMessageBox::Question;
    case MessageIcon::Warning:
      return QMessageBox::Warning;
    case MessageIcon::Information:
      return QMessageBox::Information;
  }
  return QMessageBox::NoIcon;
}

int answerFor(QMessageBox::StandardButton button) {
  switch (button) {
    case QMessageBox::Ok:
      return AnswerOk;
    case QMessageBox::Cancel:
      return AnswerCancel;
    case QMessageBox::Abort:
      return AnswerAbort;
    case QMessageBox::Retry:
      return AnswerRetry;
    case QMessageBox::Ignore:
      return AnswerIgnore;
    case QMessageBox::Yes:
      return AnswerYes;
    case QMessageBox::No:
      return AnswerNo;
    default:
      return AnswerCancel;
  }
}

// The first button is the default, as on the boxes users know.
QMessageBox::StandardButton defaultButton(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::Ok:
    case MessageButtons::OkCancel:
      return QMessageBox::Ok;
    case MessageButtons::AbortRetryIgnore:
      return QMessageBox::Abort;
    case MessageButtons::YesNoCancel:
    case MessageButtons::YesNo:
      return QMessageBox::Yes;
    case MessageButtons::RetryCancel:
      return QMessageBox::Retry;
  }
  return QMessageBox::Ok;
}

void prepare(QMessageBox& box, const QString& text, const QString& caption, MessageButtons buttons,
             MessageIcon icon) {
  box.setWindowTitle(caption);
  box.setText(text);
  box.setTextFormat(Qt::PlainText);
  box.setIcon(standardIcon(icon));
  box.setStandardButtons(standardButtons(buttons));
  box.setDefaultButton(defaultButton(buttons));
  box.setWindowModality(Qt::ApplicationModal);
}

}  // namespace

int QtDialogs::messageBox(const QString& text, const QString& caption, MessageButtons buttons,
                          MessageIcon icon, Modality modality) {
  QMessageBox box;
  prepare(box, text, caption, buttons, icon);
  if (modality == Modality::System) box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
  box.exec();
  return answerFor(box.standardButton(box.clickedButton()));
}

int QtDialogs::timedMessageBox(const QString& text, const QString& caption, MessageButtons buttons,
                               MessageIcon icon, int timeoutMs) {
  QMessageBox box;
  prepare(box, text, caption, buttons, icon);
  bool timedOut = false;
  QTimer timer;
  timer.setSingleShot(true);
  QObject::connect(&timer, &QTimer::timeout, &box, [&box, &timedOut] {
    timedOut = true;
    box.done(QDialog::Rejected);
  });
  if (timeoutMs > 0) timer.start(timeoutMs);
  box.exec();
  timer.stop();
  if (timedOut) return AnswerTimedOut;
  return answerFor(box.standardButton(box.clickedButton()));
}

bool QtDialogs::inputText(const QString& prompt, QString& value, const QString& caption) {
  InputBox box(prompt, value, caption);
  box.setWindowModality(Qt::ApplicationModal);
  if (box.exec() != QDialog::Accepted) return false;
  value = box.text();
  return true;
}

bool QtDialogs::inputInteger(const QString& prompt, int& value, const QString& caption) {
  QString text = QString::number(value);
  if (!inputText(prompt, text, caption)) return false;
  value = leadingInteger(text);
  return true;
}

QString QtDialogs::browseForFolder(const QString& prompt) {
  const QString folder = QFileDialog::getExistingDirectory(nullptr, prompt);
  return folder.isEmpty() ? QString() : QDir::toNativeSeparators(folder);
}

QString QtDialogs::openFile(const QString& title, const QString& filter) {
  const QString file =
      QFileDialog::getOpenFileName(nullptr, title, QString(), qtFileFilter(filter));
  return file.isEmpty() ? QString() : QDir::toNativeSeparators(file);
}

bool QtDialogs::chooseFont(FontDescription& font) {
  QFont initial(font.face);
  if (font.size > 0) initial.setPointSize(font.size);
  initial.setBold(font.bold != 0);
  initial.setItalic(font.italic != 0);
  initial.setUnderline(font.underline != 0);
  initial.setStrikeOut(font.strikeout != 0);
  bool ok = false;
  const QFont chosen = QFontDialog::getFont(&ok, initial, nullptr);
  if (!ok) return false;
  font.face = chosen.family();
  if (chosen.pointSize() > 0) font.size = chosen.pointSize();
  font.bold = chosen.bold() ? 1 : 0;
  font.italic = chosen.italic() ? 1 : 0;
  font.underline = chosen.underline() ? 1 : 0;
  font.strikeout = chosen.strikeOut() ? 1 : 0;
  return true;
}
