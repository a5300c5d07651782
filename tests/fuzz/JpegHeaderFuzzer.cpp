// The JPEG header reader: the same facts from a file it may seek in and from a pipe it
// must read through, every byte counted within the data, the EXIF block as found.
#include <QBuffer>
#include <QByteArray>

#include "FuzzSupport.h"
#include "picture/JpegHeader.h"

namespace {

// The data as a device that cannot seek, as a pipe or a network stream.
class Pipe : public QIODevice {
public:
  explicit Pipe(const QByteArray& data) : data_(data) { open(QIODevice::ReadOnly); }
  bool isSequential() const override { return true; }

protected:
  qint64 readData(char* out, qint64 most) override {
    const qint64 count = std::min<qint64>(most, data_.size() - at_);
    std::copy_n(data_.constData() + at_, count, out);
    at_ += count;
    return count;
  }
  qint64 writeData(const char*, qint64) override { return -1; }

private:
  const QByteArray data_;
  qint64 at_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
  QBuffer file(&bytes);
  file.open(QIODevice::ReadOnly);
  const JpegHeader header = ReadJpegHeader(file);
  Pipe pipe(bytes);
  const JpegHeader piped = ReadJpegHeader(pipe);

  fuzz::Check(header.valid == piped.valid && header.storedSize == piped.storedSize &&
                  header.components == piped.components && header.exif == piped.exif &&
                  header.iccProfile == piped.iccProfile,
              "a pipe gives the facts a file gives");
  fuzz::Check(header.bytesRead <= qint64(size) && piped.bytesRead <= qint64(size),
              "no more bytes counted than there are");
  fuzz::Check(header.exif.isEmpty() || header.exif.startsWith(QByteArrayView("Exif\0\0", 6)),
              "the EXIF block starts with its header");
  fuzz::Check(header.iccProfile.size() <= qsizetype(size), "the profile lies within the data");
  fuzz::Check(JpegIsCmyk(bytes) == (header.components == 4), "CMYK told by four components");
  return 0;
}
