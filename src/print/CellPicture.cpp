#include "print/CellPicture.h"

#include <cmath>

#include "picture/PictureReader.h"
#include "platform/Paths.h"
#include "print/CellPicturePlan.h"
#include "print/PageFiles.h"
#include "print/PhotoHeaderCheck.h"

namespace {

// The pixels a previewed photo is seen at: fitted into the target, at the shown scale.
QSize seenSize(const QString& fileName, QSize target, double shownScale) {
  const PhotoHeaderFacts facts = ReadPhotoHeaderFacts(fileName);
  if (!facts.printable()) return target;
  const QSize fitted = facts.upright.scaled(target, Qt::KeepAspectRatio);
  return QSize(qMax(1, static_cast<int>(std::ceil(fitted.width() * shownScale))),
               qMax(1, static_cast<int>(std::ceil(fitted.height() * shownScale))));
}

}  // namespace

QImage DecodeCellPicture(const QString& fileName, int level, int targetWidth, int targetHeight,
                         CellPictureUse use, double shownScale) {
  PictureRequest request;
  request.use = use == CellPictureUse::Preview ? PictureUse::Preview : PictureUse::Print;
  const qint64 fileSize = RegularFileSize(fileName);
  switch (PlanBeforeDecoding(fileSize, level, PictureFormatOfFile(fileName), targetWidth,
                             targetHeight)) {
    case CellPictureAction::Skip:
      return {};
    case CellPictureAction::LoadDirectly:
      return ReadPicture(fileName, request).picture;
    default:
      break;
  }
  request.sizeFor = [=](QSize upright) {
    const ResamplePlan plan =
        PlanResample(upright.width(), upright.height(), targetWidth, targetHeight, level);
    return plan.action == CellPictureAction::Resample ? QSize(plan.width, plan.height) : QSize();
  };
  const QSize target(targetWidth, targetHeight);
  request.shownSize = use == CellPictureUse::Preview && shownScale > 0.0
                          ? seenSize(fileName, target, shownScale)
                          : target;
  return ReadPicture(fileName, request).picture;
}

PictureHandle LoadCellPicture(PictureRegistry& pictures, const QString& fileName, int level,
                              int targetWidth, int targetHeight, CellPictureUse use) {
  return pictures.Add(DecodeCellPicture(fileName, level, targetWidth, targetHeight, use));
}
