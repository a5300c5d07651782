#pragma once

#include <QList>
#include <QString>

// Kinds of volume, as the folder tree draws them.
enum class VolumeKind { Other, Removable, Fixed, Remote, CdRom, RamDisk };

struct Volume {
  QString root;   // mount path or drive root, e.g. "/media/usb" or "C:\"
  QString label;  // volume label, blanks trimmed; may be empty
  VolumeKind kind = VolumeKind::Other;
};

// What the desktop session offers besides dialogs: clipboard text, the special
// folders, the mounted volumes and the wait cursor.
class Desktop {
public:
  virtual ~Desktop() = default;

  virtual QString clipboardText() = 0;
  virtual void setClipboardText(const QString& text) = 0;

  // Each ends in one separator, or is empty when the system cannot tell.
  virtual QString desktopPath() = 0;
  virtual QString documentsPath() = 0;

  virtual QList<Volume> volumes() = 0;

  // Nested calls balance: the cursor returns when every "on" has had its "off".
  virtual void setWaitCursor(bool on) = 0;
};
