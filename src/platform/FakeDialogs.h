#pragma once

#include <QList>
#include <QQueue>
#include <functional>
#include <optional>

#include "platform/Dialogs.h"

// A scripted stand-in for the dialogs, for tests. Answers are taken from per-kind
// queues in order; every call is recorded with its texts. A call with nothing queued
// gets what pressing Enter would give (the first button, the pre-filled text, a
// cancelled file/folder/font dialog; a timed box times out) and is counted in
// unscriptedCalls(), so a test can insist that everything was scripted.
class FakeDialogs : public Dialogs {
public:
  enum class Kind { MessageBox, TimedMessageBox, InputText, InputInteger, Folder, OpenFile, Font };

  struct Call {
    Kind kind = Kind::MessageBox;
    QString text;     // message text or prompt
    QString caption;  // caption or title
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
    Modality modality = Modality::Task;
    int timeoutMs = 0;
    QString initialText;   // input boxes: the pre-filled text
    QString filter;        // open-file dialog
    FontDescription font;  // font dialog: the font it was preset with
  };

  // Answers of message boxes and timed message boxes (AnswerOk … AnswerTimedOut).
  void queueAnswer(int answer) { answers_.enqueue(answer); }
  // The user types "text" into an input box and confirms it.
  void queueInput(const QString& text) { inputs_.enqueue(text); }
  // The user cancels an input box.
  void queueInputCancel() { inputs_.enqueue(std::nullopt); }
  // Folder browser and open-file dialog answers; an empty path is a cancel.
  void queueFolder(const QString& path) { folders_.enqueue(path); }
  void queueFile(const QString& path) { files_.enqueue(path); }
  // The user picks this font (the angle of the caller's font stays), or cancels.
  void queueFont(const FontDescription& font) { fonts_.enqueue(font); }
  void queueFontCancel() { fonts_.enqueue(std::nullopt); }

  // Runs inside every dialog call, after it is recorded and before it answers — the
  // place to do what a user could do while a modal box is open.
  void setDuringCall(std::function<void(const Call&)> during) { during_ = std::move(during); }

  const QList<Call>& calls() const { return calls_; }
  QList<Call> callsOf(Kind kind) const;
  int unscriptedCalls() const { return unscripted_; }
  // Whether every queued answer has been used.
  bool allAnswersUsed() const;

  int messageBox(const QString& text, const QString& caption,
                 MessageButtons buttons = MessageButtons::Ok, MessageIcon icon = MessageIcon::None,
                 Modality modality = Modality::Task) override;
  int timedMessageBox(const QString& text, const QString& caption, MessageButtons buttons,
                      MessageIcon icon, int timeoutMs) override;
  bool inputText(const QString& prompt, QString& value,
                 const QString& caption = kDefaultInputCaption) override;
  bool inputInteger(const QString& prompt, int& value,
                    const QString& caption = kDefaultInputCaption) override;
  QString browseForFolder(const QString& prompt) override;
  QString openFile(const QString& title, const QString& filter) override;
  bool chooseFont(FontDescription& font) override;

private:
  void record(const Call& call);
  // The queued text answer, or the pre-filled text when nothing is queued.
  std::optional<QString> nextInput(const QString& initial);

  QQueue<int> answers_;
  QQueue<std::optional<QString>> inputs_;
  QQueue<QString> folders_;
  QQueue<QString> files_;
  QQueue<std::optional<FontDescription>> fonts_;
  QList<Call> calls_;
  std::function<void(const Call&)> during_;
  int unscripted_ = 0;
};
