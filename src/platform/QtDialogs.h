#pragma once

#include "platform/Dialogs.h"

// The dialogs as the user sees them: Qt message boxes, our input box, Qt's folder,
// file and font dialogs. Every box is application-modal and has no owner window.
class QtDialogs : public Dialogs {
public:
  int messageBox(const QString& text, const QString& caption, MessageButtons buttons,
                 MessageIcon icon, Modality modality) override;
  int timedMessageBox(const QString& text, const QString& caption, MessageButtons buttons,
                      MessageIcon icon, int timeoutMs) override;
  bool inputText(const QString& prompt, QString& value, const QString& caption) override;
  bool inputInteger(const QString& prompt, int& value, const QString& caption) override;
  QString browseForFolder(const QString& prompt) override;
  QString openFile(const QString& title, const QString& filter) override;
  bool chooseFont(FontDescription& font) override;
};
