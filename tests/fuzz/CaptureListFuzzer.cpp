// The capture-list reader: the file read in chunks gives the text its bytes decode to,
// a binary file is told as one, and text ends at its first NUL.
#include <QByteArray>
#include <QStringDecoder>
#include <algorithm>

#include "FuzzSupport.h"
#include "exchange/CaptureListText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArrayView bytes(data, qsizetype(size));
  const QString text = DecodeCaptureList(bytes);
  const bool binary = LooksBinary(bytes);
  fuzz::Check(!binary || text.isEmpty(), "binary bytes give no text");
  fuzz::Check(!text.contains(QChar(u'\0')), "the text ends at its first NUL");

  const CaptureListFile file = ReadCaptureList(fuzz::InputFile(data, size));
  fuzz::Check((file.outcome == CaptureListOutcome::Binary) == binary,
              "the file is binary when its bytes are");
  fuzz::Check(binary || (file.outcome == CaptureListOutcome::Text && file.text == text),
              "the file gives the text its bytes decode to");

  // Plain UTF-8 without a mark, a NUL, a DEL or controls reads as itself.
  QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
  const QString asUtf8 = utf8.decode(bytes);
  const bool plain = !utf8.hasError() && !bytes.startsWith("\xEF\xBB\xBF") &&
                     std::all_of(bytes.begin(), bytes.end(), [](char c) {
                       const auto u = static_cast<unsigned char>(c);
                       return (u >= 0x20 && u != 0x7F) || c == '\t' || c == '\n';
                     });
  fuzz::Check(!plain || text == asUtf8, "plain UTF-8 reads as itself");
  return 0;
}
