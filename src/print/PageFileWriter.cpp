#include "print/PageFileWriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include "picture/PageFileEncoder.h"
#include "print/JobOutput.h"
#include "print/PageFiles.h"
#include "render/DrawPanel.h"

namespace {

// Written through a temporary file, so a failed save never leaves half a page under the name.
QString writePage(const DrawPanel& panel, const QString& fileName, PageFileFormat format,
                  bool landscape) {
  const QString folder = QFileInfo(fileName).absolutePath();
  if (!QFileInfo(folder).isDir())
    return QStringLiteral("文件夹不存在：%1").arg(QDir::toNativeSeparators(folder));
  // Drawn straight into the encoders' own layout: no conversion pass over the page and no
  // second page-sized picture.
  const EncodedPage page = EncodePagePicture(panel.backImage(QImage::Format_RGB888),
                                             PageFilePictureFormat(format), landscape);
  if (page.bytes.isEmpty()) return ReasonInWords(QStringLiteral("无法取得页面图像"), page.error);
  QSaveFile file(fileName);
  if (!file.open(QIODevice::WriteOnly) || file.write(page.bytes) != page.bytes.size() ||
      !file.commit())
    return ReasonInWords(QStringLiteral("无法写入文件"), file.errorString());
  return {};
}

}  // namespace

PageFileResult SavePageAsPictureFile(DrawPanel& panel, const QString& folder, int page,
                                     PageFileFormat format, bool landscape, const QDateTime& now,
                                     const QString& programFolder) {
  PageFileResult result;
  result.fileName = UniqueFileName(PageFileName(folder, now, page, format, programFolder),
                                   [](const QString& name) { return QFileInfo::exists(name); });
  result.reason = writePage(panel, result.fileName, format, landscape);
  result.written = result.reason.isEmpty();
  QCoreApplication::processEvents();
  panel.ClearPanel();
  return result;
}
