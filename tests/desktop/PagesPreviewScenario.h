// 全部页面预览 on a real X server: a three-page album at 2 × 2 cells whose third page
// holds a missing, a cut-off, an oversized-header and a 320 × 240 photo. Each page shown
// must be its page file at the shown scale, the problems listed, and closing the window
// must leave the settings as they were. Included by DesktopProbe.cpp after its helpers.
#include <QBuffer>
#include <QListWidget>
#include <QSpinBox>
#include <cmath>

#include "print/JobOutput.h"
#include "print/OutputDispatch.h"
#include "print/PageLoops.h"
#include "print/PagesWindow.h"
#include "print/ProgressWindowHost.h"
#include "render/PictureRegistry.h"
#include "settings/PrintSettingsWindow.h"
#include "settings/SettingsSession.h"

namespace {

struct PagesProbe {
  QString album;
  QString pageFiles;  // the page files of the same run, PNG
  QStringList expectedProblems;
  PrintSettings settingsBefore;
  CardLayout layoutBefore;
  bool appliedBefore = false;
};

// A JPEG whose frame header claims 60000 × 60000 pixels.
QByteArray claimingHugeSize(QByteArray jpeg) {
  for (qsizetype i = 2; i + 9 < jpeg.size(); ++i) {
    const auto marker = static_cast<unsigned char>(jpeg[i + 1]);
    if (static_cast<unsigned char>(jpeg[i]) == 0xFF && (marker == 0xC0 || marker == 0xC2)) {
      for (qsizetype at : {i + 5, i + 7}) {
        jpeg[at] = static_cast<char>(60000 >> 8);
        jpeg[at + 1] = static_cast<char>(60000 & 0xFF);
      }
      break;
    }
  }
  return jpeg;
}

QByteArray jpegOf(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "JPG", 95);
  return bytes;
}

QImage halves(int width, int height) {
  QImage photo(width, height, QImage::Format_RGB32);
  photo.fill(QColor(0, 160, 0));
  for (int y = 0; y < height; ++y)
    for (int x = width / 2; x < width; ++x) photo.setPixel(x, y, qRgb(0, 0, 200));
  return photo;
}

void writeBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  check(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size(),
        QStringLiteral("cannot write %1").arg(path));
}

// 01 … 08 sharp photos; 09 goes after the search, 10 is cut off, 11 claims 60000 ×
// 60000 pixels, 12 is 320 × 240.
void makeProblemAlbum(PagesProbe& probe) {
  QDir().mkpath(probe.album);
  const QByteArray sharp = jpegOf(halves(1200, 900));
  for (int i = 1; i <= 12; ++i) {
    const QString path = QStringLiteral("%1/%2.jpg").arg(probe.album).arg(i, 2, 10, QChar(u'0'));
    QByteArray bytes = sharp;
    if (i == 10) bytes.truncate(bytes.size() / 2);
    if (i == 11) bytes = claimingHugeSize(sharp);
    if (i == 12) bytes = jpegOf(halves(320, 240));
    writeBytes(path, bytes);
  }
  const auto shown = [&probe](int i) {
    return QDir::toNativeSeparators(
        QStringLiteral("%1/%2.jpg").arg(probe.album).arg(i, 2, 10, QChar(u'0')));
  };
  probe.expectedProblems = {
      QStringLiteral("第 3 页第 1 格：找不到照片文件（%1）").arg(shown(9)),
      QStringLiteral("第 3 页第 2 格：照片文件不完整，后面一部分没有了（%1）").arg(shown(10)),
      QStringLiteral("第 3 页第 3 格：照片有 60000 × 60000 像素，超过了 1 亿像素的上限（%1）")
          .arg(shown(11)),
      QStringLiteral("第 3 页第 4 格：照片只有 86 ppi，低于 150 ppi，印出来会发虚（%1）")
          .arg(shown(12)),
  };
}

// The page files of the window's run, written by the page-file loop with a session,
// registry and image of their own, so nothing of the program's state is touched.
QStringList writePageFiles(const PagesRun& run, const QString& folder) {
  SettingsSession session;
  session.printSettings = run.settings;
  PictureRegistry pictures;
  ProgressWindowHost progress(session);
  PageLoopServices services(session, pictures, progress);
  PrintSettings settings = run.settings;
  settings.pictureFormat = PageFileFormat::Png;
  for (const PrintJob& job : run.jobs)
    RunJobOutput(services, PictureFileArgsFor(folder, job, settings));
  return QDir(folder).entryList({QStringLiteral("*.png")}, QDir::Files, QDir::Name);
}

// The shown page against its page file at the same scale: the share of pixels that
// differ by more than a little, which a photo or a line placed one pixel off would
// raise far above the bound.
double differingShare(const QImage& shown, const QImage& pageFile) {
  const QImage a = shown.convertToFormat(QImage::Format_RGB32);
  const QImage b = pageFile.scaled(shown.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                       .convertToFormat(QImage::Format_RGB32);
  qint64 differing = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      if (std::abs(qRed(p) - qRed(q)) > 40 || std::abs(qGreen(p) - qGreen(q)) > 40 ||
          std::abs(qBlue(p) - qBlue(q)) > 40)
        ++differing;
    }
  return double(differing) / (double(a.width()) * a.height());
}

PagesWindow* pagesWindow() {
  return visible<PagesWindow>("PagesWindow");
}

// Waits for page `index` drawn, then compares it with its page file.
void expectPage(Scenario& s, PagesProbe& probe, int index) {
  s.script.add(
      QStringLiteral("page %1 drawn").arg(index + 1),
      [index] {
        PagesWindow* w = pagesWindow();
        return w && w->checkDone() && !w->isDrawing() && w->drawnPageIndex() == index;
      },
      [&probe, index] {
        PagesWindow* w = pagesWindow();
        check(w->findChild<QLabel*>(QStringLiteral("标签_页码"))->text() ==
                  QStringLiteral("第 %1 页，共 3 页").arg(index + 1),
              QStringLiteral("the page text of page %1").arg(index + 1));
        const QStringList files = QDir(probe.pageFiles).entryList(QDir::Files, QDir::Name);
        const QImage pageFile(QDir(probe.pageFiles).filePath(files.value(index)));
        check(w->drawnPage().size() == pageFile.size(),
              QStringLiteral("page %1 is not drawn at its page file's size").arg(index + 1));
        const double share = differingShare(w->shownPage(), pageFile);
        check(share < 0.001,
              QStringLiteral("page %1 differs from its page file in %2 of its pixels")
                  .arg(index + 1)
                  .arg(share));
      });
}

void pagesPreview(Scenario& s) {
  static PagesProbe probe;
  probe.album = s.photos + QStringLiteral("/album");
  probe.pageFiles = s.output;
  makeProblemAlbum(probe);
  s.search(12);
  s.script.add(
      QStringLiteral("the photos listed"), [] { return true; },
      [] {
        QFile::remove(QStringLiteral("%1/09.jpg").arg(probe.album));
        click(visible("按钮_打印预览"));
      });
  s.confirmInputBoxesUntil(QStringLiteral("the settings window"),
                           [] { return visible("PrintSettingsWindow") != nullptr; });
  for (const char* box : {"编辑框_行数", "编辑框_列数"}) {
    s.script.add(
        QStringLiteral("%1 set to 2").arg(QString::fromUtf8(box)), [] { return true; },
        [box] {
          click(visible(box));
          xdotool({QStringLiteral("key"), QStringLiteral("ctrl+a")});
          typeText(QStringLiteral("2"));
        });
  }
  s.script.add(
      QStringLiteral("全部页面预览"),
      [] {
        return visible<QLineEdit>("编辑框_行数")->text() == u"2" &&
               visible<QLineEdit>("编辑框_列数")->text() == u"2";
      },
      [&s] {
        probe.settingsBefore = s.state.settings.printSettings;
        probe.layoutBefore = s.state.settings.workingLayout;
        probe.appliedBefore = s.state.settings.settingsApplied;
        click(visible("按钮_全部页面预览"));
      });
  s.script.add(
      QStringLiteral("the pages window"),
      [] { return pagesWindow() && QApplication::activeWindow() == pagesWindow(); },
      [] {
        PagesWindow* w = pagesWindow();
        settle(w);
        check(w->pageCount() == 3, QStringLiteral("%1 pages, not 3").arg(w->pageCount()));
        check(writePageFiles(w->run(), probe.pageFiles).size() == 3,
              QStringLiteral("the page-file loop did not write three pages"));
      });
  expectPage(s, probe, 0);
  for (int page : {1, 2}) {
    s.script.add(
        QStringLiteral("PageDown to page %1").arg(page + 1),
        // A key pressed on the X server goes to the window that has the focus.
        [] { return pagesWindow() && QApplication::activeWindow() == pagesWindow(); },
        [] {
          xdotool({QStringLiteral("key"), QStringLiteral("Next")});
        });
    expectPage(s, probe, page);
  }
  s.script.add(
      QStringLiteral("the problems of page 3"), [] { return true; },
      [] {
        PagesWindow* w = pagesWindow();
        auto* list = w->findChild<QListWidget*>(QStringLiteral("列表框_问题"));
        QStringList shown;
        for (int i = 0; i < list->count(); ++i) shown << list->item(i)->text();
        check(shown == probe.expectedProblems,
              QStringLiteral("the problems listed: %1").arg(shown.join(u'|')));
        check(w->findChild<QLabel*>(QStringLiteral("标签_总结"))->text() ==
                  QStringLiteral("共 1 个作业，3 页，12 张照片，4 个问题。"),
              QStringLiteral("the summary line"));
        const QString shot = QString::fromLocal8Bit(qgetenv("QUILLMERE_PAGES_SHOT"));
        if (!shot.isEmpty())
          QProcess::execute(QStringLiteral("import"),
                            {QStringLiteral("-window"), QStringLiteral("root"), shot});
        click(w->findChild<QPushButton*>(QStringLiteral("按钮_实际大小")));
      });
  s.script.add(
      QStringLiteral("100 %"), [] { return !pagesWindow()->zoomedToFit(); },
      [] {
        PagesWindow* w = pagesWindow();
        check(std::abs(w->shownScale() - 96.0 / 254.0) < 1e-9,
              QStringLiteral("100 % is not 96 dpi"));
        const QStringList files = QDir(probe.pageFiles).entryList(QDir::Files, QDir::Name);
        const double share =
            differingShare(w->shownPage(), QImage(QDir(probe.pageFiles).filePath(files.value(2))));
        check(share < 0.001,
              QStringLiteral("page 3 at 100 % differs in %1 of its pixels").arg(share));
        click(w->findChild<QPushButton*>(QStringLiteral("按钮_适合窗口")));
      });
  s.script.add(
      QStringLiteral("back to fit"), [] { return pagesWindow()->zoomedToFit(); },
      [] {
        PagesWindow* w = pagesWindow();
        const QSize room = w->findChild<QWidget*>(QStringLiteral("画板_页面"))->size();
        const QImage shown = w->shownPage();
        check(shown.width() <= room.width() && shown.height() <= room.height(),
              QStringLiteral("the fitted page does not fit"));
        xdotool({QStringLiteral("key"), QStringLiteral("Escape")});
      });
  s.script.add(
      QStringLiteral("the pages window closed"), [] { return pagesWindow() == nullptr; },
      [&s] {
        check(s.state.settings.printSettings == probe.settingsBefore &&
                  s.state.settings.workingLayout == probe.layoutBefore &&
                  s.state.settings.settingsApplied == probe.appliedBefore,
              QStringLiteral("closing the pages window changed the settings"));
        click(visible("分组框_打印设置")->findChild<QPushButton*>(QStringLiteral("按钮_取消")));
      });
  s.script.add(QStringLiteral("the settings window closed"),
               [] { return visible("PrintSettingsWindow") == nullptr; });
}

}  // namespace
