#pragma once

#include <QByteArrayView>
#include <QString>

// Capture lists are plain-text tables written by a capture tool, usually on Chinese
// Windows (GBK), sometimes as UTF-8 with or without a byte-order mark, or as UTF-16
// with one. These turn a list file's bytes into table text.

// True when the bytes cannot be a text list: a control byte other than TAB, LF and CR
// before the first NUL, or anything but NULs after it (pictures and other binary files
// carry a NUL within their first bytes; a text may only be padded with NULs).
// UTF-16 text is judged after decoding.
bool LooksBinary(QByteArrayView bytes);

// The text of the bytes up to their first NUL. A byte-order mark decides the encoding;
// otherwise valid UTF-8 is read as UTF-8 and anything else as GBK. Invalid sequences
// become replacement characters. Empty for bytes that look binary.
QString DecodeCaptureList(QByteArrayView bytes);

enum class CaptureListOutcome { Text, Unreadable, TooLarge };

struct CaptureListFile {
  CaptureListOutcome outcome = CaptureListOutcome::Unreadable;
  QString text;  // empty unless outcome is Text; empty too for a binary file
};

// Lists larger than this are refused rather than read into memory: a table of 100,000
// picture rows takes a few megabytes, so this leaves ample room.
inline constexpr qint64 kMaxCaptureListBytes = 64 * 1024 * 1024;

// Reads the list file at "path". A binary file is recognised from its first bytes and
// gives empty text without being read further, however large it is; a text file larger
// than maxBytes is TooLarge.
CaptureListFile ReadCaptureList(const QString& path, qint64 maxBytes = kMaxCaptureListBytes);
