#include "picture/PictureReader.h"

#include <QFile>

#include "picture/ColourProfile.h"
#include "picture/DecodedPicture.h"
#include "picture/EmbeddedThumbnail.h"
#include "picture/HeifColour.h"
#include "picture/Orientation.h"
#include "picture/PcxDecoder.h"
#include "picture/PictureKind.h"
#include "picture/PictureLimits.h"
#include "picture/PictureStructure.h"
#include "picture/PngColour.h"
#include "picture/ProgressiveJpeg.h"
#include "picture/QtPictureReader.h"
#include "picture/ShrunkJpeg.h"
#include "picture/VipsPictureReader.h"
#include "platform/MappedFile.h"
#include "platform/Paths.h"

namespace {

// Enough of a file's start to tell its kind, file-type box of a HEIF file included.
constexpr qint64 kKindHeadBytes = 4096;
constexpr int kStrayBytesForgiven = 16;

PictureResult refused(const QString& reason) {
  return {QImage(), reason};
}

// The size the request asks for a picture of this upright size.
QSize plannedSize(const PictureRequest& request, QSize upright) {
  if (!request.sizeFor || upright.isEmpty()) return upright;
  const QSize asked = request.sizeFor(upright);
  if (asked.isEmpty() || (asked.width() >= upright.width() && asked.height() >= upright.height()))
    return upright;
  return asked;
}

ShownSizeFor plannedSizeFor(const PictureRequest& request) {
  return [&request](QSize upright) { return plannedSize(request, upright); };
}

const char* qtFormatOf(PictureKind kind) {
  switch (kind) {
    case PictureKind::Bmp:
      return "bmp";
    case PictureKind::Jpeg:
      return "jpeg";
    case PictureKind::Icon:
      return "ico";
    case PictureKind::Cursor:
      return "cur";
    case PictureKind::Gif:
      return "gif";
    default:
      return nullptr;
  }
}

// A JPEG's stand-ins for the preview and the sample, read from its header (or first
// scans) alone; null when none holds the pixels shown or the photo is not shrunk.
DecodedPicture shortcut(const QString& fileName, const PictureRequest& request) {
  const EmbeddedThumbnail thumbnail = ReadEmbeddedThumbnail(fileName);
  const QSize photo = thumbnail.photoSize;
  if (!pictureSizeAllowed(photo.width(), photo.height())) return {};
  const QSize planned = plannedSize(request, photo);
  if (planned == photo) return {};
  if (thumbnail.covers(request.shownSize.isEmpty() ? planned : request.shownSize)) {
    DecodedPicture decoded;
    decoded.pixels = thumbnail.picture;  // already upright
    decoded.storedSize = photo;
    decoded.iccProfile = thumbnail.iccProfile;
    return decoded;
  }
  if (request.use == PictureUse::Preview && photo.width() / 8 >= planned.width() &&
      photo.height() / 8 >= planned.height())
    return ReadProgressiveJpegAtEighth(fileName);
  return {};
}

// The program's own readers for what neither libjpeg nor libvips decodes.
DecodedPicture decodeWithReaders(const QByteArray& data, const PictureRequest& request) {
  const PictureKind kind = recognisePictureKind(data);
  if (kind == PictureKind::Pcx8 || kind == PictureKind::Pcx1) {
    DecodedPicture decoded;
    decoded.pixels = decodePcx(data);
    return decoded;
  }
  if (kind == PictureKind::Unsupported || isVipsPictureKind(kind)) return {};
  return readPictureWithQt(data, qtFormatOf(kind), plannedSizeFor(request));
}

DecodedPicture decodeFile(const QString& fileName, const PictureRequest& request,
                          QString& refusal) {
  QFile file;
  if (!OpenForReading(file, fileName)) {
    refusal = QStringLiteral("the file cannot be opened");
    return {};
  }
  const PictureKind kind = recognisePictureKind(file.peek(kKindHeadBytes));
  if (kind == PictureKind::Unsupported) {
    refusal = QStringLiteral("not a kind of picture the program reads");
    return {};
  }
  if (kind == PictureKind::Jpeg) {
    if (request.use == PictureUse::Preview || request.use == PictureUse::Sample) {
      DecodedPicture decoded = shortcut(fileName, request);
      if (!decoded.isNull()) return decoded;
    }
    // libjpeg refuses at the header what is not its own (CMYK, another kind under a
    // JPEG name), so the common photo reads its header once.
    DecodedPicture decoded = ReadShrunkJpeg(file, plannedSizeFor(request));
    if (!decoded.isNull()) return decoded;
    // libjpeg refuses what it warns about; a whole file with a few stray bytes between
    // segments is read by libvips' more forgiving loader.
    if (!fileReadsWithVips(file)) {
      const MappedFile whole(fileName);
      if (jpegIsComplete(whole.data(), kStrayBytesForgiven))
        return readJpegFileWithVips(file, plannedSizeFor(request));
    }
  }
  if (fileReadsWithVips(file)) {
    DecodedPicture decoded = readPictureFileWithVips(file, plannedSizeFor(request));
    if (kind == PictureKind::Png && decoded.iccProfile.isEmpty())
      decoded.iccProfile = PngStatedProfile(ReadPngColour(file));
    if (kind == PictureKind::Heif && !decoded.isNull() && decoded.iccProfile.isEmpty())
      decoded.iccProfile = HeifNclxProfile(fileName);
    return decoded;
  }
  file.close();
  const MappedFile whole(fileName);
  return decodeWithReaders(whole.data(), request);
}

// The steps every decoder's result takes: the exact size, upright, sRGB.
PictureResult finish(DecodedPicture decoded, const PictureRequest& request,
                     const QString& refusal) {
  if (decoded.isNull()) {
    return refused(refusal.isEmpty()
                       ? QStringLiteral("the picture is damaged, cut off or larger than %1 pixels")
                             .arg(kMaxPicturePixels)
                       : refusal);
  }
  const QSize stored = decoded.storedSize.isValid() ? decoded.storedSize : decoded.pixels.size();
  const QSize upright = plannedSize(request, UprightSize(stored, decoded.orientation));
  const QSize target = StoredSize(upright, decoded.orientation);
  QImage picture = std::move(decoded.pixels);
  // Only a stand-in (a thumbnail, first scans) is smaller than the size asked, and it
  // stands in only where it holds every pixel shown: enlarging it smoothly would add
  // nothing that is seen, at many times the cost of the enlargement itself.
  const bool standIn = picture.width() < target.width() && picture.height() < target.height();
  if (picture.size() != target)
    picture = picture.scaled(target, Qt::IgnoreAspectRatio,
                             standIn ? Qt::FastTransformation : Qt::SmoothTransformation);
  picture = TurnedUpright(picture, decoded.orientation);
  ConvertToSrgb(picture, decoded.iccProfile);
  if (picture.isNull() || !pictureSizeAllowed(picture.width(), picture.height()))
    return refused(QStringLiteral("the picture is larger than %1 pixels").arg(kMaxPicturePixels));
  return {picture, QString()};
}

}  // namespace

PictureRequest RequestAtSize(QSize size, PictureUse use) {
  PictureRequest request;
  request.use = use;
  if (!size.isEmpty()) request.sizeFor = [size](QSize) { return size; };
  return request;
}

PictureResult ReadPicture(const QString& fileName, const PictureRequest& request) {
  if (fileName.isEmpty()) return refused(QStringLiteral("no file"));
  QString refusal;
  DecodedPicture decoded = decodeFile(fileName, request, refusal);
  return finish(std::move(decoded), request, refusal);
}

PictureResult ReadPicture(const QByteArray& data, const PictureRequest& request) {
  if (data.isEmpty()) return refused(QStringLiteral("no picture data"));
  DecodedPicture decoded = readsWithVips(data) ? readPictureWithVips(data, plannedSizeFor(request))
                                               : decodeWithReaders(data, request);
  return finish(std::move(decoded), request, QString());
}

QSize ReadUprightPictureSize(const QByteArray& data) {
  if (readsWithVips(data)) return readVipsPictureSize(data);
  return readPictureSize(data);
}

QSize ReadUprightPictureSize(const QString& fileName) {
  const MappedFile file(fileName);
  return ReadUprightPictureSize(file.data());
}
