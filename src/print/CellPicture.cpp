#include "print/CellPicture.h"

#include <QFile>
#include <QImageIOHandler>
#include <QImageReader>
#include <optional>

#include "platform/Paths.h"
#include "print/CellPicturePlan.h"
#include "print/PageFiles.h"
#include "render/CxImage.h"
#include "render/EmbeddedThumbnail.h"
#include "render/PictureLimits.h"
#include "render/ProgressiveJpeg.h"
#include "render/ShrunkJpeg.h"
#include "render/VipsPictureReader.h"

namespace {

// The size the photo has once turned upright, read from its header alone.
QSize uprightSize(const QString& fileName) {
  QFile file;
  if (!OpenForReading(file, fileName)) return {};
  QImageReader reader(&file);
  reader.setDecideFormatFromContent(true);
  QSize size = reader.size();
  if (size.isValid() && (reader.transformation() & QImageIOHandler::TransformationRotate90))
    size.transpose();
  return size;
}

// The kind the bytes really are, for names whose extension says nothing useful
// (".jpeg", ".tif", none): re-encoding needs a real format.
PictureFormat formatFromContent(const QString& fileName) {
  QFile file;
  if (!OpenForReading(file, fileName)) return PictureFormat::Unknown;
  const QByteArray head = file.read(8);
  if (head.startsWith("\xFF\xD8")) return PictureFormat::Jpeg;
  if (head.startsWith("GIF8")) return PictureFormat::Gif;
  if (head.startsWith("BM")) return PictureFormat::Bmp;
  if (head.startsWith("\x89PNG")) return PictureFormat::Png;
  if (head.startsWith("II*") || head.startsWith("MM\0*")) return PictureFormat::Tiff;
  return PictureFormat::Unknown;
}

// Decodes the photo at the size the plan asks for; shrink-on-load keeps large JPEGs
// from ever being decoded at full size.
bool decodeForCell(CxImage& image, const QString& fileName, PictureFormat format, int targetWidth,
                   int targetHeight, int level) {
  const QSize size = uprightSize(fileName);
  if (!size.isValid()) {
    if (!image.Load(fileName, format)) return false;
    const ResamplePlan plan =
        PlanResample(image.Width(), image.Height(), targetWidth, targetHeight, level);
    return plan.action != CellPictureAction::Resample || image.Resample(plan.width, plan.height);
  }
  const ResamplePlan plan =
      PlanResample(size.width(), size.height(), targetWidth, targetHeight, level);
  if (plan.action != CellPictureAction::Resample) return image.Load(fileName, format);
  if (!image.LoadShrunk(fileName, format, plan.width, plan.height)) return false;
  if (image.Width() == plan.width && image.Height() == plan.height) return true;
  return image.Resample(plan.width, plan.height);
}

// The size the plan shrinks a photo of the given upright size to; empty for none.
ShownSizeFor plannedSize(int targetWidth, int targetHeight, int level) {
  return [=](QSize upright) {
    const ResamplePlan plan =
        PlanResample(upright.width(), upright.height(), targetWidth, targetHeight, level);
    return plan.action == CellPictureAction::Resample ? QSize(plan.width, plan.height) : QSize();
  };
}

// Photos that libvips decodes (PNG, TIFF, WebP, HEIF, CMYK JPEG) go to it in one
// step, decoded straight at the size the plan asks for. Empty for any other photo.
std::optional<QImage> decodeWithVipsForCell(const QString& fileName, int targetWidth,
                                            int targetHeight, int level) {
  QFile file;
  if (!OpenForReading(file, fileName) || !fileReadsWithVips(file)) return std::nullopt;
  return readPictureFileWithVips(file, plannedSize(targetWidth, targetHeight, level));
}

// A colour or grey JPEG decoded straight at the planned size; null when the file holds
// another kind, a CMYK JPEG, or data the JPEG decoder warns about.
QImage decodeJpegForCell(const QString& fileName, int targetWidth, int targetHeight, int level) {
  QFile file;
  if (!OpenForReading(file, fileName)) return {};
  return ReadShrunkJpeg(file, plannedSize(targetWidth, targetHeight, level));
}

// The picture the photo would be shrunk to, made from a shortcut of the preview; null
// when none holds the pixels needed.
QImage previewShortcut(const QString& fileName, int targetWidth, int targetHeight, int level) {
  const EmbeddedThumbnail thumbnail = ReadEmbeddedThumbnail(fileName);
  const QSize photo = thumbnail.photoSize;
  if (!pictureSizeAllowed(photo.width(), photo.height())) return {};
  const ResamplePlan plan =
      PlanResample(photo.width(), photo.height(), targetWidth, targetHeight, level);
  if (plan.action != CellPictureAction::Resample) return {};
  const QSize planned(plan.width, plan.height);
  QImage source;
  if (thumbnail.covers(QSize(targetWidth, targetHeight)))
    source = thumbnail.picture;
  else if (photo.width() / 8 >= plan.width && photo.height() / 8 >= plan.height)
    source = ReadProgressiveJpegAtEighth(fileName);
  if (source.isNull()) return {};
  return source.scaled(planned, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

}  // namespace

QImage DecodeCellPicture(CxImage& image, const QString& fileName, int level, int targetWidth,
                         int targetHeight, CellPictureUse use) {
  const qint64 fileSize = RegularFileSize(fileName);
  PictureFormat format = PictureFormatOfFile(fileName);
  switch (PlanBeforeDecoding(fileSize, level, format, targetWidth, targetHeight)) {
    case CellPictureAction::Skip:
      return {};
    case CellPictureAction::LoadDirectly:
      return PictureRegistry::DecodePicture(fileName);
    default:
      break;
  }
  if (format == PictureFormat::Unknown) format = formatFromContent(fileName);
  // A preview's shortcuts read the JPEG's header alone, so they come before anything
  // that reads further into the file.
  if (use == CellPictureUse::Preview && format == PictureFormat::Jpeg) {
    QImage drawn = previewShortcut(fileName, targetWidth, targetHeight, level);
    if (!drawn.isNull()) return drawn;
  }
  // The JPEG decoder refuses at the header what is not its own (CMYK, another kind under
  // a JPEG name), so the common photo reads its header once.
  if (format == PictureFormat::Jpeg) {
    QImage picture = decodeJpegForCell(fileName, targetWidth, targetHeight, level);
    if (!picture.isNull()) return picture;
  }
  if (std::optional<QImage> picture =
          decodeWithVipsForCell(fileName, targetWidth, targetHeight, level))
    return *std::move(picture);
  if (format == PictureFormat::Unknown || format == PictureFormat::Bmp)
    return PictureRegistry::DecodePicture(fileName);
  if (!decodeForCell(image, fileName, format, targetWidth, targetHeight, level)) return {};
  return image.Bitmap();
}

PictureHandle LoadCellPicture(PictureRegistry& pictures, CxImage& image, const QString& fileName,
                              int level, int targetWidth, int targetHeight, CellPictureUse use) {
  return pictures.Add(DecodeCellPicture(image, fileName, level, targetWidth, targetHeight, use));
}
