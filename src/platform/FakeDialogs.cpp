#include "platform/FakeDialogs.h"

#include "platform/DialogText.h"

namespace {

int firstButtonAnswer(MessageButtons buttons) {
  switch (buttons) {
    case MessageButtons::Ok:
    case MessageButtons::OkCancel:
      return AnswerOk;
    case MessageButtons::AbortRetryIgnore:
      return AnswerAbort;
    case MessageButtons::YesNoCancel:
    case MessageButtons::YesNo:
      return AnswerYes;
    case MessageButtons::RetryCancel:
      return AnswerRetry;
  }
  return AnswerOk;
}

}  // namespace

QList<FakeDialogs::Call> FakeDialogs::callsOf(Kind kind) const {
  QList<Call> result;
  for (const Call& call : calls_)
    if (call.kind == kind) result << call;
  return result;
}

bool FakeDialogs::allAnswersUsed() const {
  return answers_.isEmpty() && inputs_.isEmpty() && folders_.isEmpty() && files_.isEmpty() &&
         fonts_.isEmpty();
}

void FakeDialogs::record(const Call& call) {
  calls_ << call;
  if (during_) during_(call);
}

std::optional<QString> FakeDialogs::nextInput(const QString& initial) {
  if (inputs_.isEmpty()) {
    ++unscripted_;
    return initial;
  }
  return inputs_.dequeue();
}

int FakeDialogs::messageBox(const QString& text, const QString& caption, MessageButtons buttons,
                            MessageIcon icon, Modality modality) {
  Call call;
  call.kind = Kind::MessageBox;
  call.text = text;
  call.caption = caption;
  call.buttons = buttons;
  call.icon = icon;
  call.modality = modality;
  record(call);
  if (answers_.isEmpty()) {
    ++unscripted_;
    return firstButtonAnswer(buttons);
  }
  return answers_.dequeue();
}

int FakeDialogs::timedMessageBox(const QString& text, const QString& caption,
                                 MessageButtons buttons, MessageIcon icon, int timeoutMs) {
  Call call;
  call.kind = Kind::TimedMessageBox;
  call.text = text;
  call.caption = caption;
  call.buttons = buttons;
  call.icon = icon;
  call.timeoutMs = timeoutMs;
  record(call);
  if (answers_.isEmpty()) {
    ++unscripted_;
    return AnswerTimedOut;
  }
  return answers_.dequeue();
}

bool FakeDialogs::inputText(const QString& prompt, QString& value, const QString& caption) {
  Call call;
  call.kind = Kind::InputText;
  call.text = prompt;
  call.caption = caption;
  call.initialText = value;
  record(call);
  const std::optional<QString> typed = nextInput(value);
  if (!typed) return false;
  value = *typed;
  return true;
}

bool FakeDialogs::inputInteger(const QString& prompt, int& value, const QString& caption) {
  Call call;
  call.kind = Kind::InputInteger;
  call.text = prompt;
  call.caption = caption;
  call.initialText = QString::number(value);
  record(call);
  const std::optional<QString> typed = nextInput(call.initialText);
  if (!typed) return false;
  value = leadingInteger(*typed);
  return true;
}

QString FakeDialogs::browseForFolder(const QString& prompt) {
  Call call;
  call.kind = Kind::Folder;
  call.text = prompt;
  record(call);
  if (folders_.isEmpty()) {
    ++unscripted_;
    return QString();
  }
  return folders_.dequeue();
}

QString FakeDialogs::openFile(const QString& title, const QString& filter) {
  Call call;
  call.kind = Kind::OpenFile;
  call.caption = title;
  call.filter = filter;
  record(call);
  if (files_.isEmpty()) {
    ++unscripted_;
    return QString();
  }
  return files_.dequeue();
}

bool FakeDialogs::chooseFont(FontDescription& font) {
  Call call;
  call.kind = Kind::Font;
  call.font = font;
  record(call);
  if (fonts_.isEmpty()) {
    ++unscripted_;
    return false;
  }
  const std::optional<FontDescription> chosen = fonts_.dequeue();
  if (!chosen) return false;
  const int angle = font.angle;
  font = *chosen;
  font.angle = angle;
  return true;
}
