#include "print/CellPicture.h"

#include "picture/PictureReader.h"
#include "platform/Paths.h"
#include "print/CellPicturePlan.h"
#include "print/PageFiles.h"

QImage DecodeCellPicture(const QString& fileName, int level, int targetWidth, int targetHeight,
                         CellPictureUse use) {
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
  request.shownSize = QSize(targetWidth, targetHeight);
  return ReadPicture(fileName, request).picture;
}

PictureHandle LoadCellPicture(PictureRegistry& pictures, const QString& fileName, int level,
                              int targetWidth, int targetHeight, CellPictureUse use) {
  return pictures.Add(DecodeCellPicture(fileName, level, targetWidth, targetHeight, use));
}
