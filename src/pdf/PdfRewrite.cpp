#include "pdf/PdfRewrite.h"

#include <QByteArray>
#include <QHash>
#include <QIODevice>
#include <algorithm>
#include <optional>

namespace {

// Enough of an object to hold its dictionary, unless it is a long font width table.
constexpr qint64 kHead = 1024;
constexpr qint64 kChunk = 1024 * 1024;
// A font dictionary is rewritten whole; a larger one is not one Qt wrote.
constexpr qint64 kLongestFont = 4 * 1024 * 1024;
constexpr int kEntrySize = 20;

struct Segment {
  int number = 0;
  qint64 offset = 0;
  qint64 end = 0;
};

// What becomes of an object on the way out.
struct Change {
  int picture = -1;         // the stream that replaces it
  qint64 lengthValue = -1;  // the new value of a picture's length object
  QByteArray baseFont;      // its /BaseFont, tagged as a subset
};

bool readAt(QIODevice& device, qint64 at, qint64 size, QByteArray& bytes) {
  if (!device.seek(at)) return false;
  bytes = device.read(size);
  return bytes.size() == size;
}

bool writeAll(QIODevice& out, const QByteArray& bytes) {
  return out.write(bytes) == bytes.size();
}

bool copyRange(QIODevice& in, QIODevice& out, qint64 from, qint64 length) {
  if (!in.seek(from)) return false;
  while (length > 0) {
    const QByteArray piece = in.read(std::min(length, kChunk));
    if (piece.isEmpty() || !writeAll(out, piece)) return false;
    length -= piece.size();
  }
  return true;
}

bool isDelimiter(char c) {
  return QByteArrayView(" \t\r\n/<>[]()%").contains(c);
}

// The dictionary at the start of an object: up to its stream, if it has one.
QByteArray dictionaryOf(const QByteArray& head) {
  const qsizetype stream = head.indexOf("stream");
  return stream < 0 ? head : head.left(stream);
}

std::optional<qint64> numberAfter(const QByteArray& text, QByteArrayView key) {
  const qsizetype at = text.indexOf(key);
  if (at < 0) return std::nullopt;
  qsizetype i = at + key.size();
  while (i < text.size() && (text[i] == ' ' || text[i] == '[')) ++i;
  const qsizetype start = i;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
  if (i == start) return std::nullopt;
  bool ok = false;
  const qint64 value = text.mid(start, i - start).toLongLong(&ok);
  return ok ? std::optional(value) : std::nullopt;
}

// The name after key ("/BaseFont /"), without its slash.
QByteArray nameAfter(const QByteArray& text, QByteArrayView key) {
  const qsizetype at = text.indexOf(key);
  if (at < 0) return {};
  qsizetype end = at + key.size();
  while (end < text.size() && !isDelimiter(text[end])) ++end;
  return text.mid(at + key.size(), end - at - key.size());
}

// A subset's name: six capital letters, a plus sign and the font's own name.
bool isSubsetName(const QByteArray& name) {
  if (name.size() < 8 || name[6] != '+') return false;
  return std::all_of(name.begin(), name.begin() + 6, [](char c) { return c >= 'A' && c <= 'Z'; });
}

// Ten digits of offset, five of generation, in use or free: "0000000015 00000 n\r\n".
bool isEntry(const QByteArray& entry) {
  const auto digits = [&entry](qsizetype from, qsizetype count) {
    return std::all_of(entry.begin() + from, entry.begin() + from + count,
                       [](char c) { return c >= '0' && c <= '9'; });
  };
  return entry.size() == kEntrySize && digits(0, 10) && entry[10] == ' ' && digits(11, 5) &&
         entry[16] == ' ' && (entry[17] == 'n' || entry[17] == 'f');
}

struct Layout {
  QByteArray entries;  // the cross-reference entries, kEntrySize bytes each
  QByteArray trailer;  // from "trailer" up to "startxref"
  qint64 xref = 0;
  QList<Segment> segments;  // in file order
};

bool readLayout(QIODevice& in, Layout& layout) {
  const qint64 size = in.size();
  QByteArray tail;
  const qint64 tailSize = std::min<qint64>(size, 1024);
  if (!readAt(in, size - tailSize, tailSize, tail)) return false;
  const qsizetype startxref = tail.lastIndexOf("startxref");
  if (startxref < 0) return false;
  const std::optional<qint64> xref = numberAfter(tail.mid(startxref), "startxref\n");
  if (!xref || *xref <= 0 || *xref >= size) return false;
  layout.xref = *xref;

  QByteArray header;
  if (!readAt(in, *xref, std::min<qint64>(64, size - *xref), header) ||
      !header.startsWith("xref\n0 "))
    return false;
  const std::optional<qint64> count = numberAfter(header, "xref\n0 ");
  const qsizetype entriesAt = header.indexOf('\n', 5) + 1;
  if (!count || *count < 1 || entriesAt <= 0) return false;
  const qint64 entriesStart = *xref + entriesAt;
  // Checked before multiplying: a count the file cannot hold is no table Qt wrote.
  if (*count > (size - entriesStart) / kEntrySize) return false;
  const qint64 trailerStart = entriesStart + *count * kEntrySize;
  const qint64 trailerEnd = size - tailSize + startxref;
  if (trailerStart > trailerEnd) return false;
  if (!readAt(in, entriesStart, *count * kEntrySize, layout.entries) ||
      !readAt(in, trailerStart, trailerEnd - trailerStart, layout.trailer) ||
      !layout.trailer.contains("trailer"))
    return false;

  for (int number = 1; number < *count; ++number) {
    const QByteArray entry = layout.entries.mid(qsizetype(number) * kEntrySize, kEntrySize);
    // An entry not as Qt writes it hides an object the copy would lose.
    if (!isEntry(entry)) return false;
    if (entry[17] != 'n') continue;
    const qint64 offset = entry.left(10).toLongLong();
    // Qt leaves an object it never wrote at offset 0: its entry stays as it is.
    if (offset == 0) continue;
    if (offset >= *xref) return false;
    layout.segments.append({number, offset, 0});
  }
  if (layout.segments.isEmpty()) return false;
  std::sort(layout.segments.begin(), layout.segments.end(),
            [](const Segment& a, const Segment& b) { return a.offset < b.offset; });
  for (qsizetype i = 0; i < layout.segments.size(); ++i)
    layout.segments[i].end = i + 1 < layout.segments.size() ? layout.segments[i + 1].offset : *xref;
  return true;
}

// Reads the head of every object and decides its change: pictures in file order take
// the streams in order; fonts take the subset names of their descriptors.
bool planChanges(QIODevice& in, const Layout& layout, const QList<PdfJpegStream>& streams,
                 QHash<int, Change>& changes) {
  QHash<int, QByteArray> subsetNames;  // descriptor → its tagged name
  QHash<int, int> descriptorOf;        // CID font → descriptor
  QHash<int, int> descendantOf;        // composite font → CID font
  QHash<int, QByteArray> baseFontOf;
  int pictures = 0;
  for (const Segment& segment : layout.segments) {
    QByteArray head;
    if (!readAt(in, segment.offset, std::min(kHead, segment.end - segment.offset), head) ||
        !head.startsWith(QByteArray::number(segment.number) + " 0 obj"))
      return false;
    const QByteArray dictionary = dictionaryOf(head);
    if (dictionary.contains("/Subtype /Image")) {
      if (pictures >= streams.size()) return false;
      const QSize size = streams[pictures].size;
      if (numberAfter(dictionary, "/Width ") != size.width() ||
          numberAfter(dictionary, "/Height ") != size.height())
        return false;
      changes[segment.number].picture = pictures;
      if (const std::optional<qint64> length = numberAfter(dictionary, "/Length "))
        changes[int(*length)].lengthValue = streams[pictures].length;
      ++pictures;
    } else if (dictionary.contains("/Type /FontDescriptor")) {
      const QByteArray name = nameAfter(dictionary, "/FontName /");
      if (isSubsetName(name)) subsetNames[segment.number] = name;
    } else if (dictionary.contains("/BaseFont /")) {
      baseFontOf[segment.number] = nameAfter(dictionary, "/BaseFont /");
      if (const std::optional<qint64> d = numberAfter(dictionary, "/FontDescriptor "))
        descriptorOf[segment.number] = int(*d);
      if (const std::optional<qint64> d = numberAfter(dictionary, "/DescendantFonts "))
        descendantOf[segment.number] = int(*d);
    }
  }
  if (pictures != streams.size()) return false;

  const auto subsetNameOf = [&](int font) -> QByteArray {
    const QByteArray tagged = subsetNames.value(descriptorOf.value(font, -1));
    return tagged.mid(7) == baseFontOf.value(font) ? tagged : QByteArray();
  };
  for (auto it = baseFontOf.cbegin(); it != baseFontOf.cend(); ++it) {
    const QByteArray tagged = descendantOf.contains(it.key())
                                  ? subsetNameOf(descendantOf.value(it.key()))
                                  : subsetNameOf(it.key());
    if (!tagged.isEmpty()) changes[it.key()].baseFont = tagged;
  }
  return true;
}

// The colour space a colour picture names: the profile's object, or plain device RGB
// when there is none.
QByteArray rgbSpace(int profileObject) {
  return profileObject > 0 ? "[/ICCBased " + QByteArray::number(profileObject) + " 0 R]"
                           : QByteArray("/DeviceRGB");
}

bool writePicture(QIODevice& out, int number, const PdfJpegStream& stream, QIODevice& spool,
                  int profileObject) {
  const QByteArray dictionary =
      QByteArray::number(number) + " 0 obj\n<<\n/Type /XObject\n/Subtype /Image\n/Width " +
      QByteArray::number(stream.size.width()) + "\n/Height " +
      QByteArray::number(stream.size.height()) + "\n/BitsPerComponent 8\n/ColorSpace " +
      (stream.gray ? QByteArray("/DeviceGray") : rgbSpace(profileObject)) +
      "\n/Filter /DCTDecode\n/Length " + QByteArray::number(stream.length) + "\n>>\nstream\n";
  return writeAll(out, dictionary) && copyRange(spool, out, stream.offset, stream.length) &&
         writeAll(out, "\nendstream\nendobj\n");
}

bool writeProfile(QIODevice& out, int number, const QByteArray& profile) {
  return writeAll(out, QByteArray::number(number) +
                           " 0 obj\n<<\n/N 3\n/Alternate /DeviceRGB\n/Length " +
                           QByteArray::number(profile.size()) + "\n>>\nstream\n") &&
         writeAll(out, profile) && writeAll(out, "\nendstream\nendobj\n");
}

// The trailer with its /Size, the number of objects, set to size; empty when it has none.
QByteArray withSize(const QByteArray& trailer, qsizetype size) {
  const qsizetype key = trailer.indexOf("/Size ");
  if (key < 0) return {};
  const qsizetype at = key + 6;
  qsizetype end = at;
  while (end < trailer.size() && trailer[end] >= '0' && trailer[end] <= '9') ++end;
  if (end == at) return {};
  QByteArray out = trailer;
  return out.replace(at, end - at, QByteArray::number(size));
}

bool writeObject(QIODevice& in, QIODevice& out, const Segment& segment, const Change* change,
                 const QList<PdfJpegStream>& streams, QIODevice& spool, int profileObject) {
  const qint64 length = segment.end - segment.offset;
  if (!change) return copyRange(in, out, segment.offset, length);
  if (change->picture >= 0)
    return writePicture(out, segment.number, streams[change->picture], spool, profileObject);
  if (change->lengthValue >= 0)
    return writeAll(out, QByteArray::number(segment.number) + " 0 obj\n" +
                             QByteArray::number(change->lengthValue) + "\nendobj\n");
  QByteArray object;
  if (length > kLongestFont || !readAt(in, segment.offset, length, object)) return false;
  const qsizetype key = object.indexOf("/BaseFont /");
  if (key < 0) return false;
  const qsizetype at = key + 11;
  qsizetype end = at;
  while (end < object.size() && !isDelimiter(object[end])) ++end;
  object.replace(at, end - at, change->baseFont);
  return writeAll(out, object);
}

}  // namespace

bool RewriteQtPdf(QIODevice& in, QIODevice& out, const QList<PdfJpegStream>& streams,
                  QIODevice& spool, const QByteArray& rgbProfile) {
  Layout layout;
  QHash<int, Change> changes;
  if (!readLayout(in, layout) || !planChanges(in, layout, streams, changes)) return false;

  // The profile becomes one more object, after every object Qt wrote, when a colour
  // picture names it.
  const qsizetype objects = layout.entries.size() / kEntrySize;
  const bool colour = std::any_of(streams.cbegin(), streams.cend(),
                                  [](const PdfJpegStream& stream) { return !stream.gray; });
  const int profileObject = !rgbProfile.isEmpty() && colour ? int(objects) : 0;
  const QByteArray trailer =
      profileObject > 0 ? withSize(layout.trailer, objects + 1) : layout.trailer;
  if (trailer.isEmpty()) return false;

  if (!copyRange(in, out, 0, layout.segments.first().offset)) return false;
  QHash<int, qint64> offsets;
  for (const Segment& segment : layout.segments) {
    offsets[segment.number] = out.pos();
    const auto change = changes.constFind(segment.number);
    if (!writeObject(in, out, segment, change == changes.cend() ? nullptr : &*change, streams,
                     spool, profileObject))
      return false;
  }
  const qint64 profileOffset = out.pos();
  if (profileObject > 0 && !writeProfile(out, profileObject, rgbProfile)) return false;
  const qint64 written = out.pos();

  QByteArray xref = "xref\n0 " + QByteArray::number(objects + (profileObject > 0 ? 1 : 0)) + '\n';
  for (qsizetype i = 0; i < objects; ++i) {
    QByteArray entry = layout.entries.mid(i * kEntrySize, kEntrySize);
    if (const auto offset = offsets.constFind(int(i)); offset != offsets.cend())
      entry.replace(0, 10, QByteArray::number(*offset).rightJustified(10, '0'));
    xref += entry;
  }
  // In use, generation 0, ended like Qt's own entries.
  if (profileObject > 0)
    xref += QByteArray::number(profileOffset).rightJustified(10, '0') + " 00000 n" +
            layout.entries.mid(18, 2);
  xref += trailer + "startxref\n" + QByteArray::number(written) + "\n%%EOF\n";
  return writeAll(out, xref);
}
