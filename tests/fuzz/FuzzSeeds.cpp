// Writes the small seed corpora of the fuzz targets: fuzz_seeds DIR makes DIR/TARGET/NAME
// for every target, each file a few hundred bytes to a few kilobytes, made from pictures
// drawn here so that no sample file is kept in the repository.
#include <QBuffer>
#include <QColorSpace>
#include <QDir>
#include <QGuiApplication>
#include <QImageWriter>
#include <QPainter>
#include <QPdfWriter>
#include <QStringEncoder>
#include <cstdio>
#include <cstdlib>

#include "PcxBytes.h"
#include "TestPictures.h"
#include "picture/GifResolution.h"

using namespace testpictures;

namespace {

QDir root;
int written = 0;

void seed(const char* target, const char* name, const QByteArray& bytes) {
  if (bytes.isEmpty()) {
    std::fprintf(stderr, "fuzz_seeds: no %s/%s\n", target, name);
    std::exit(1);
  }
  root.mkpath(QString::fromLatin1(target));
  if (!writeFile(root.filePath(QStringLiteral("%1/%2").arg(target, name)), bytes)) std::exit(1);
  ++written;
}

using pcxbytes::bytesOf;

// A PCX header with the 16-colour palette filled.
QByteArray pcxHeader(int version, int bits, int width, int height, int planes, int bytesPerLine) {
  QByteArray h = pcxbytes::pcxHeader(version, bits, width, height, planes, bytesPerLine);
  for (int i = 16; i < 64; ++i) h[i] = static_cast<char>(i * 5);
  return h;
}

QByteArray runs(int count, int value) {
  QByteArray body;
  for (; count > 0; count -= 63) body += bytesOf({0xC0 | std::min(count, 63), value});
  return body;
}

QByteArray qtEncoded(const QImage& image, const char* format, bool progressive = false) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, format);
  writer.setProgressiveScanWrite(progressive);
  writer.setQuality(60);
  return writer.write(image) ? bytes : QByteArray();
}

// A JPEG with its colour profile in two numbered APP2 chunks.
QByteArray withIccChunks(const QByteArray& jpeg) {
  QByteArray segments;
  for (int number = 1; number <= 2; ++number) {
    const QByteArray payload = QByteArray("ICC_PROFILE\0", 12) + char(number) + char(2) +
                               QByteArray(40, char('a' + number));
    const int length = int(payload.size()) + 2;
    segments += bytesOf({0xFF, 0xE2, length >> 8, length & 0xFF}) + payload;
  }
  return jpeg.left(2) + segments + jpeg.mid(2);
}

// The JPEG without its APP2 segments: the press profile of a CMYK one is most of a
// megabyte, more than a seed should be.
QByteArray withoutProfile(const QByteArray& jpeg) {
  QByteArray out = jpeg.left(2);
  qsizetype at = 2;
  while (at + 4 <= jpeg.size() && uchar(jpeg[at]) == 0xFF && uchar(jpeg[at + 1]) != 0xDA) {
    const qsizetype length = 2 + (uchar(jpeg[at + 2]) << 8 | uchar(jpeg[at + 3]));
    if (uchar(jpeg[at + 1]) != 0xE2) out += jpeg.mid(at, length);
    at += length;
  }
  return out + jpeg.mid(at);
}

QByteArray qtPdf(int pictures, bool text) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QPdfWriter writer(&buffer);
  QPainter painter(&writer);
  for (int i = 0; i < pictures; ++i) {
    QImage standIn(30 + 10 * i, 20, QImage::Format_Mono);
    standIn.fill(0);
    painter.drawImage(QRect(100 + 400 * i, 100, 300, 200), standIn);
  }
  if (text) painter.drawText(QPoint(100, 600), QStringLiteral("页 片 风 Album"));
  painter.end();
  return bytes;
}

void pictureSeeds(const char* target) {
  const QImage picture = twoHalves(16, 12);
  seed(target, "photo.jpg", encode(picture, ".jpg", 6));
  seed(target, "photo.png", encode(picture, ".png"));
  seed(target, "photo.gif", encode(picture, ".gif"));
  seed(target, "photo.bmp", encode(picture, ".bmp"));
  seed(target, "photo.tif", encode(picture, ".tif"));
  seed(target, "photo.webp", encode(picture, ".webp"));
  seed(target, "photo.heic", encode(picture, ".heic"));
  seed(target, "cmyk.jpg", withoutProfile(cmykJpeg(picture)));
  QImage wide = picture;
  wide.setColorSpace(QColorSpace(QColorSpace::AdobeRgb));
  seed(target, "adobe-rgb.png", qtEncoded(wide, "png"));
  seed(target, "progressive.jpg", qtEncoded(twoHalves(24, 16), "jpeg", true));
  seed(target, "icon.ico", qtEncoded(picture, "ico"));
  seed(target, "rle8.bmp",
       bytesOf({'B', 'M', 0x4A, 4, 0, 0, 0, 0, 0, 0, 0x36, 4, 0, 0, 40, 0, 0,  0,
                2,   0,   0,    0, 2, 0, 0, 0, 1, 0, 8,    0, 1, 0, 0,  0, 12, 0,
                0,   0,   0,    0, 0, 0, 0, 0, 0, 0, 2,    0, 0, 0, 0,  0, 0,  0}) +
           QByteArray(1024, '\x40') + bytesOf({2, 1, 0, 0, 2, 0, 0, 1}));
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: fuzz_seeds DIR\n");
    return 2;
  }
  root = QDir(QString::fromLocal8Bit(argv[1]));

  const QByteArray pcx8 = pcxHeader(5, 8, 8, 6, 1, 8) + runs(30, 3) + bytesOf({1, 2, 0xC1, 0xC7}) +
                          runs(14, 9) + bytesOf({0x0C}) + QByteArray(768, '\x50');
  const QByteArray pcxRgb = pcxHeader(5, 8, 4, 2, 3, 4) + runs(12, 0x20) + runs(12, 0x90);
  const QByteArray pcxMono =
      pcxHeader(3, 1, 10, 2, 1, 2) + bytesOf({0xC1, 0xA0, 0xC1, 0x40, 0xC2, 0xFF});
  const QByteArray pcxPlanes = pcxHeader(3, 1, 9, 3, 4, 2) + runs(10, 0x5A) + runs(14, 0xC3);
  for (const char* target : {"pcx", "read_picture", "picture_kind"}) {
    seed(target, "palette.pcx", pcx8);
    seed(target, "rgb.pcx", pcxRgb);
    seed(target, "mono.pcx", pcxMono);
    seed(target, "planes.pcx", pcxPlanes);
  }
  for (const char* target : {"picture_structure", "picture_kind", "read_picture"})
    pictureSeeds(target);

  const QByteArray thumbnail = encode(twoHalves(16, 12), ".jpg");
  const QByteArray photo = encode(twoHalves(32, 24), ".jpg");
  const QByteArray exif = exifBlock(6, thumbnail);
  seed("exif_thumbnail", "block", exif);
  seed("exif_thumbnail", "block-big-endian", exifBlock(3, thumbnail, true));
  seed("exif_thumbnail", "photo.jpg", withApp1(photo, exif));
  seed("exif_thumbnail", "padded.jpg",
       withApp1(encode(twoHalves(32, 16), ".jpg"), exifBlock(1, thumbnail)));
  seed("jpeg_header", "exif.jpg", withApp1(photo, exif));
  seed("jpeg_header", "profile.jpg", withIccChunks(photo));
  seed("jpeg_header", "cmyk.jpg", withoutProfile(cmykJpeg(twoHalves(16, 12))));
  seed("progressive_jpeg", "progressive.jpg", qtEncoded(twoHalves(40, 24), "jpeg", true));
  seed("progressive_jpeg", "grey.jpg",
       qtEncoded(twoHalves(24, 24).convertToFormat(QImage::Format_Grayscale8), "jpeg", true));
  seed("progressive_jpeg", "exif.jpg",
       withApp1(qtEncoded(twoHalves(24, 16), "jpeg", true), exifBlock(8, {})));

  const QByteArray gif = encode(twoHalves(8, 6), ".gif");
  seed("gif_resolution", "photo.gif", gif);
  seed("gif_resolution", "with-resolution.gif", withGifResolution(gif, 300, 300));
  seed("gif_resolution", "header.gif",
       QByteArray("GIF89a\x01\x00\x01\x00\x80\x00\x00", 13) + QByteArray(6, '\0') + ";");

  seed("pdf_rewrite", "one-picture.pdf", qtPdf(1, false));
  seed("pdf_rewrite", "two-pictures-and-text.pdf", qtPdf(2, true));
  seed("pdf_text_map", "ranges",
       "/CIDInit /ProcSet findresource begin\n1 beginbfrange\n<0003> <0003> <2EDA>\n<0004> "
       "<0006> [<2F5A> <0041> <2edb>]\n<0007> <0009> <0030>\nendbfrange\nend\n");
  seed("pdf_text_map", "two-sections",
       "2 beginbfrange\n<0001> <0001> <2F00>\nendbfrange\n1 beginbfrange\n<0002> <0002> "
       "<31C0>\nendbfrange\n");

  const QString table = QStringLiteral(
      "序号\t图片名全称\t图片类别\t图片说明\r\n1\t/home/u/照片/a.jpg\t假日\t海边\r\n");
  QStringEncoder gbk("GBK");
  seed("capture_list", "utf8.txt", table.toUtf8());
  seed("capture_list", "utf8-mark.txt", "\xEF\xBB\xBF" + table.toUtf8());
  seed("capture_list", "gbk.txt", gbk.isValid() ? QByteArray(gbk.encode(table)) : table.toUtf8());
  QStringEncoder utf16le(QStringConverter::Utf16LE), utf16be(QStringConverter::Utf16BE);
  seed("capture_list", "utf16le.txt", QByteArray(utf16le.encode(table)));
  seed("capture_list", "utf16le-mark.txt", "\xFF\xFE" + QByteArray(utf16le.encode(table)));
  seed("capture_list", "utf16be-mark.txt", "\xFE\xFF" + QByteArray(utf16be.encode(table)));
  seed("capture_list", "nul-ended.txt", QByteArray("a\tb\r\n\0\0\0padding", 15));

  seed("table_text", "spreadsheet.txt", table.toUtf8());
  seed("table_text", "lf.txt", QByteArray("a\tb\nc\t\n\n\td"));
  std::printf("fuzz_seeds: %d seeds\n", written);
  return 0;
}
