#include "platform/Paths.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <algorithm>
#include <cerrno>

namespace {

// The escape of byte b (0x80..0xFF) is U+DC00 + b.
constexpr char16_t kEscapeBase = 0xDC00;

bool isEscape(char16_t unit) {
  return unit >= kEscapeBase + 0x80 && unit <= kEscapeBase + 0xFF;
}

// The code point of the well-formed UTF-8 sequence at bytes[i], and its length; a
// length of 0 when the bytes there are not one (overlong forms and surrogates included).
struct Decoded {
  char32_t codePoint = 0;
  int length = 0;
};

Decoded decodeOne(const uchar* bytes, qsizetype size, qsizetype i) {
  const uchar lead = bytes[i];
  int length = 0;
  char32_t codePoint = 0;
  char32_t smallest = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    codePoint = lead & 0x1Fu;
    smallest = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    codePoint = lead & 0x0Fu;
    smallest = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    codePoint = lead & 0x07u;
    smallest = 0x10000;
  }
  if (length == 0 || i + length > size) return {};
  for (int k = 1; k < length; ++k) {
    const uchar next = bytes[i + k];
    if ((next & 0xC0u) != 0x80u) return {};
    codePoint = (codePoint << 6) | (next & 0x3Fu);
  }
  if (codePoint < smallest || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
    return {};
  return {codePoint, length};
}

void appendUtf8(QByteArray& out, char32_t codePoint) {
  if (codePoint < 0x80) {
    out += char(codePoint);
  } else if (codePoint < 0x800) {
    out += char(0xC0 | (codePoint >> 6));
    out += char(0x80 | (codePoint & 0x3F));
  } else if (codePoint < 0x10000) {
    out += char(0xE0 | (codePoint >> 12));
    out += char(0x80 | ((codePoint >> 6) & 0x3F));
    out += char(0x80 | (codePoint & 0x3F));
  } else {
    out += char(0xF0 | (codePoint >> 18));
    out += char(0x80 | ((codePoint >> 12) & 0x3F));
    out += char(0x80 | ((codePoint >> 6) & 0x3F));
    out += char(0x80 | (codePoint & 0x3F));
  }
}

// A NUL would end the name early and name another file.
bool usable(const QByteArray& native) {
  return !native.isEmpty() && !native.contains('\0');
}

}  // namespace

QString withTrailingSeparator(const QString& path) {
  if (path.isEmpty()) return path;
  QString p = QDir::fromNativeSeparators(path);
  // A UNC-style leading "//" names a host, not a doubled separator.
  const bool unc = p.startsWith(QLatin1String("//"));
  QString out;
  out.reserve(p.size() + 1);
  if (unc) out += QLatin1String("//");
  for (qsizetype i = unc ? 2 : 0; i < p.size(); ++i) {
    if (p[i] == u'/' && out.endsWith(u'/') && !(unc && out.size() == 2)) continue;
    out += p[i];
  }
  if (!out.endsWith(u'/')) out += u'/';
  return QDir::toNativeSeparators(out);
}

QString PathFromNative(const QByteArray& nativePath) {
  const auto* bytes = reinterpret_cast<const uchar*>(nativePath.constData());
  const qsizetype size = nativePath.size();
  QString out;
  out.reserve(size);
  for (qsizetype i = 0; i < size;) {
    if (bytes[i] < 0x80) {
      out += QChar(char16_t(bytes[i++]));
      continue;
    }
    const Decoded one = decodeOne(bytes, size, i);
    if (one.length == 0) {
      out += QChar(char16_t(kEscapeBase + bytes[i++]));
    } else if (QChar::requiresSurrogates(one.codePoint)) {
      out += QChar(QChar::highSurrogate(one.codePoint));
      out += QChar(QChar::lowSurrogate(one.codePoint));
      i += one.length;
    } else {
      out += QChar(char16_t(one.codePoint));
      i += one.length;
    }
  }
  return out;
}

QByteArray NativePath(const QString& path) {
  QByteArray out;
  out.reserve(path.size());
  for (qsizetype i = 0; i < path.size(); ++i) {
    const char16_t unit = path.at(i).unicode();
    if (QChar::isHighSurrogate(unit) && i + 1 < path.size() && path.at(i + 1).isLowSurrogate()) {
      appendUtf8(out, QChar::surrogateToUcs4(unit, path.at(i + 1).unicode()));
      ++i;
    } else if (isEscape(unit)) {
      out += char(unit - kEscapeBase);
    } else if (QChar::isSurrogate(unit)) {
      appendUtf8(out, QChar::ReplacementCharacter);
    } else {
      appendUtf8(out, unit);
    }
  }
  return out;
}

namespace {

// A descriptor open for reading the regular file at path, and the file's size; -1 when
// there is none. Non-blocking so that opening a pipe returns at once; reads of a regular
// file are not affected by the flag.
int openRegularFile(const QString& path, qint64& size) {
  const QByteArray native = NativePath(path);
  if (!usable(native)) return -1;
  const int fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return -1;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return -1;
  }
  size = info.st_size;
  return fd;
}

}  // namespace

bool OpenForReading(QFile& file, const QString& path) {
  qint64 size = 0;
  const int fd = openRegularFile(path, size);
  if (fd < 0) return false;
  if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    ::close(fd);
    return false;
  }
  return true;
}

bool ReadFileStart(const QString& path, qsizetype maxBytes, QByteArray& into) {
  qint64 size = 0;
  const int fd = openRegularFile(path, size);
  if (fd < 0) return false;
  into.resize(static_cast<qsizetype>(std::min<qint64>(maxBytes, size)));
  qsizetype got = 0;
  bool read = true;
  while (got < into.size()) {
    const ssize_t n = ::read(fd, into.data() + got, static_cast<size_t>(into.size() - got));
    if (n < 0 && errno == EINTR) continue;
    read = n >= 0;
    if (n <= 0) break;
    got += n;
  }
  // A file that shrank meanwhile gives what it still holds.
  into.truncate(got);
  ::close(fd);
  return read;
}

qint64 RegularFileSize(const QString& path) {
  const QByteArray native = NativePath(path);
  struct stat info {};
  if (!usable(native) || ::stat(native.constData(), &info) != 0 || !S_ISREG(info.st_mode))
    return -1;
  return qint64(info.st_size);
}
