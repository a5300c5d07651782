#pragma once

#include <QByteArrayView>
#include <QString>

// Capture lists are plain-text tables written by a capture tool, usually on Chinese
// Windows (GBK), sometimes as UTF-8 with or without a byte-order mark, or as UTF-16
// LE with or without one (UTF-16 BE only with one). These turn a list file's bytes
// into table text.

// True when the bytes cannot be a text list: within their first 64 KiB, NUL padding
// at the end aside, more than one byte in fifty (and at least two) is a NUL, a DEL or
// a control byte other than TAB, LF, CR and Ctrl-Z. A stray control byte, a NUL in the
// middle or an end-of-file mark leave a text a text; pictures and programs have
// controls all through. UTF-16 text is judged after decoding.
bool LooksBinary(QByteArrayView bytes);

// The text of the bytes up to their first NUL (NUL code unit for UTF-16). A byte-order
// mark decides the encoding; UTF-16 LE without one is told by its NUL-paired ASCII;
// otherwise valid UTF-8 is read as UTF-8 and anything else as GBK. Invalid sequences
// become replacement characters. Empty for bytes that look binary.
QString DecodeCaptureList(QByteArrayView bytes);

enum class CaptureListOutcome { Text, Unreadable, TooLarge, Binary };

struct CaptureListFile {
  CaptureListOutcome outcome = CaptureListOutcome::Unreadable;
  QString text;  // empty unless outcome is Text
};

// Lists larger than this are refused rather than read into memory: a table of 100,000
// picture rows takes a few megabytes, so this leaves ample room.
inline constexpr qint64 kMaxCaptureListBytes = 64 * 1024 * 1024;

// Reads the list file at "path". A binary file is recognised from its first bytes and
// is Binary without being read further, however large it is; a text file larger than
// maxBytes is TooLarge. Reading stops where the text ends.
CaptureListFile ReadCaptureList(const QString& path, qint64 maxBytes = kMaxCaptureListBytes);
