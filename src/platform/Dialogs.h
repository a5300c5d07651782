#pragma once

#include <QString>

#include "model/FontDescription.h"

// Answers of a message box, as the program's logic compares them.
enum MessageAnswer : int {
  AnswerOk = 0,
  AnswerCancel = 1,
  AnswerAbort = 2,
  AnswerRetry = 3,
  AnswerIgnore = 4,
  AnswerYes = 5,
  AnswerNo = 6,
  AnswerTimedOut = 32000,  // a timed message box closed itself; never Cancel
};

enum class MessageButtons { Ok, OkCancel, AbortRetryIgnore, YesNoCancel, YesNo, RetryCancel };
enum class MessageIcon { None, Error, Question, Warning, Information };
enum class Modality { Task, System };

inline const QString kDefaultInputCaption = QStringLiteral("请输入：");

// Every question the program puts to the user goes through this interface, so the
// logic can run under a scripted fake in tests and under real Qt dialogs in the program.
class Dialogs {
public:
  virtual ~Dialogs() = default;

  virtual int messageBox(const QString& text, const QString& caption,
                         MessageButtons buttons = MessageButtons::Ok,
                         MessageIcon icon = MessageIcon::None,
                         Modality modality = Modality::Task) = 0;

  // Closes itself after timeoutMs and then answers AnswerTimedOut.
  virtual int timedMessageBox(const QString& text, const QString& caption, MessageButtons buttons,
                              MessageIcon icon, int timeoutMs) = 0;

  // Input box with one pre-filled line: "value" is both the initial text and the
  // result; it is written only when the user confirms. Returns whether confirmed.
  virtual bool inputText(const QString& prompt, QString& value,
                         const QString& caption = kDefaultInputCaption) = 0;
  virtual bool inputInteger(const QString& prompt, int& value,
                            const QString& caption = kDefaultInputCaption) = 0;

  // Empty when the user cancels.
  virtual QString browseForFolder(const QString& prompt) = 0;
  // filter in the form "description|pattern[|description|pattern…]"; empty on cancel.
  virtual QString openFile(const QString& title, const QString& filter) = 0;

  // Face and size preset from "font"; on confirm writes face, size, bold, italic,
  // underline and strikeout (the angle stays). Returns whether confirmed.
  virtual bool chooseFont(FontDescription& font) = 0;
};
