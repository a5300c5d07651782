#include "print/PageFileWriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "picture/CxImage.h"
#include "print/JobOutput.h"
#include "print/PageFiles.h"
#include "render/DrawPanel.h"

namespace {

// The page panel holds one pixel per 0.1 mm: 254 pixels per inch, so a page file prints at
// the size of the paper it was laid out on.
constexpr int kPageDpi = 254;

QString writePage(DrawPanel& panel, CxImage& image, const QString& fileName, PageFileFormat format,
                  bool landscape) {
  const QString folder = QFileInfo(fileName).absolutePath();
  if (!QFileInfo(folder).isDir())
    return QStringLiteral("文件夹不存在：%1").arg(QDir::toNativeSeparators(folder));
  if (!image.TakeBitmap(panel.backImage()))
    return ReasonInWords(QStringLiteral("无法取得页面图像"), image.lastError());
  image.SetXDpi(kPageDpi);
  image.SetYDpi(kPageDpi);
  if (landscape && !image.RotateQuarter())
    return ReasonInWords(QStringLiteral("无法旋转横向页面"), image.lastError());
  if (!image.Save(fileName, PageFilePictureFormat(format)))
    return ReasonInWords(QStringLiteral("无法写入文件"), image.lastError());
  return {};
}

}  // namespace

PageFileResult SavePageAsPictureFile(DrawPanel& panel, CxImage& image, const QString& folder,
                                     int page, PageFileFormat format, bool landscape,
                                     const QDateTime& now, const QString& programFolder) {
  PageFileResult result;
  result.fileName = UniqueFileName(PageFileName(folder, now, page, format, programFolder),
                                   [](const QString& name) { return QFileInfo::exists(name); });
  result.reason = writePage(panel, image, result.fileName, format, landscape);
  result.written = result.reason.isEmpty();
  QCoreApplication::processEvents();
  panel.ClearPanel();
  return result;
}
