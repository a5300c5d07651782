#pragma once

#include <QByteArray>
#include <QString>

class QFile;

// The path with doubled separators collapsed and exactly one native separator at the
// end; an empty path stays empty (it means "unknown", not the root).
QString withTrailingSeparator(const QString& path);

// File names are bytes to the file system, and not every byte sequence is UTF-8. A
// path read from the disk is held as text that maps back to exactly the same bytes:
// valid UTF-8 decodes as usual, and each byte that is not part of valid UTF-8 becomes
// one of the lone surrogates U+DC80..U+DCFF, which no valid UTF-8 can yield. Such a
// character shows as a replacement mark, but the path still opens.
QString PathFromNative(const QByteArray& nativePath);
QByteArray NativePath(const QString& path);

// Opens a path for reading whatever bytes its name holds. Only regular files open: a
// folder or a pipe named like a picture is no picture, and a pipe would block.
bool OpenForReading(QFile& file, const QString& path);

// Puts up to maxBytes from the start of the regular file at path into `into`, read with as
// few calls into the system as can be, reusing what `into` holds already; false when the
// file cannot be opened or read, or is no regular file.
bool ReadFileStart(const QString& path, qsizetype maxBytes, QByteArray& into);

// The size of the regular file at path, or -1 when there is none.
qint64 RegularFileSize(const QString& path);
inline bool IsRegularFile(const QString& path) {
  return RegularFileSize(path) >= 0;
}
