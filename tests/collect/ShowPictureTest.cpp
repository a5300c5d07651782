#include <gtest/gtest.h>
#include <stdio.h>

#include <QImageWriter>
#include <QItemSelectionModel>
#include <QTableView>
#include <QTemporaryDir>
#include <QtEndian>

#include "TestPictures.h"
#include "collect/PictureTableModel.h"
#include "collect/PictureTableView.h"
#include "collect/PictureViewWindow.h"
#include "collect/ShowPicture.h"
#include "platform/Paths.h"

namespace {

QString writePicture(
    const QTemporaryDir& dir, const QString& name, QSize size,
    QImageIOHandler::Transformations transform = QImageIOHandler::TransformationNone) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(Qt::darkGreen);
  const QString path = dir.filePath(name);
  QImageWriter writer(path, "jpeg");
  writer.setTransformation(transform);
  EXPECT_TRUE(writer.write(image)) << qPrintable(writer.errorString());
  return path;
}

// A table like the one a search leaves, with the picture column second.
struct SearchedTable {
  PictureTableModel model;
  QTableView view;
  explicit SearchedTable(const QStringList& paths) {
    model.InsertColumn(QStringLiteral("序号"), 60, 2);
    model.InsertColumn(QStringLiteral("图片名全称"), 220);
    for (const QString& path : paths) model.SetCell(model.AppendRow(), 1, path);
    AttachPictureTable(view, model);
    model.AnnounceAppendedRows();
  }
  void select(int row) {
    view.selectionModel()->select(model.index(row, 0),
                                  QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  }
};

}  // namespace

TEST(PictureColumn, TakesTheLeftmostTitleContainingTheName) {
  PictureTableModel model;
  EXPECT_EQ(PictureColumn(model), -1);
  model.InsertColumn(QStringLiteral("图片名"));
  EXPECT_EQ(PictureColumn(model), -1);
  model.InsertColumn(QStringLiteral("Photo 图片名全称 (Path)"));
  model.InsertColumn(QStringLiteral("图片名全称"));
  EXPECT_EQ(PictureColumn(model), 1);
}

TEST(FitPictureRect, KeepsAspectAndCentres) {
  EXPECT_EQ(FitPictureRect(QSize(400, 200), QSize(486, 371)), QRect(0, 64, 486, 243));
  EXPECT_EQ(FitPictureRect(QSize(100, 400), QSize(486, 371)), QRect(197, 0, 92, 371));
  // A small picture is enlarged to the window like any viewer does.
  EXPECT_EQ(FitPictureRect(QSize(10, 10), QSize(100, 50)), QRect(25, 0, 50, 50));
  EXPECT_EQ(FitPictureRect(QSize(10000, 1), QSize(100, 50)).height(), 1);
  EXPECT_TRUE(FitPictureRect(QSize(), QSize(100, 50)).isEmpty());
  EXPECT_TRUE(FitPictureRect(QSize(10, 10), QSize(0, 50)).isEmpty());
}

TEST(ReadViewPicture, TurnsPhotosUprightAndBoundsTheirSize) {
  QTemporaryDir dir;
  const QString turned = writePicture(dir, QStringLiteral("turned.jpg"), QSize(40, 20),
                                      QImageIOHandler::TransformationRotate90);
  EXPECT_EQ(ReadViewPicture(turned, 1000).size(), QSize(20, 40));
  const QString wide = writePicture(dir, QStringLiteral("wide.jpg"), QSize(800, 200));
  EXPECT_EQ(ReadViewPicture(wide, 400).size(), QSize(400, 100));
  EXPECT_EQ(ReadViewPicture(turned, 30).size(), QSize(15, 30));
}

TEST(ReadViewPicture, ShowsEveryKindUprightAndBounded) {
  QTemporaryDir dir;
  for (const char* kind : {".png", ".tif", ".webp", ".heic", ".avif"}) {
    SCOPED_TRACE(kind);
    const QString path = dir.filePath(QStringLiteral("turned") + QLatin1String(kind));
    ASSERT_TRUE(testpictures::write(path, testpictures::twoHalves(40, 20), 6));
    EXPECT_EQ(ReadViewPicture(path, 1000).size(), QSize(20, 40));
    const QImage bounded = ReadViewPicture(path, 30);
    ASSERT_EQ(bounded.size(), QSize(15, 30));
    EXPECT_GT(qRed(bounded.pixel(7, 5)), 200);  // the left half turned to the top
  }
}

TEST(ReadViewPicture, ShowsPicturesWhoseNamesAreNotValidText) {
  QTemporaryDir dir;
  const QString written = writePicture(dir, QStringLiteral("p.jpg"), QSize(30, 20));
  const QByteArray raw = NativePath(dir.path()) + "/\xff\xfe.jpg";
  ASSERT_EQ(::rename(NativePath(written).constData(), raw.constData()), 0);
  EXPECT_EQ(ReadViewPicture(PathFromNative(raw), 100).size(), QSize(30, 20));
}

TEST(ReadViewPicture, GivesNothingForWhatCannotBeShown) {
  QTemporaryDir dir;
  QFile text(dir.filePath(QStringLiteral("not.jpg")));
  ASSERT_TRUE(text.open(QIODevice::WriteOnly));
  text.write("this is no picture");
  text.close();
  EXPECT_TRUE(ReadViewPicture(QString(), 100).isNull());
  EXPECT_TRUE(ReadViewPicture(dir.filePath(QStringLiteral("missing.jpg")), 100).isNull());
  EXPECT_TRUE(ReadViewPicture(text.fileName(), 100).isNull());
  EXPECT_TRUE(ReadViewPicture(dir.path(), 100).isNull());
  // refused by the size it claims, although the reader would shrink it on load
  const QString bomb = dir.filePath(QStringLiteral("bomb.jpg"));
  ASSERT_TRUE(testpictures::writeFile(
      bomb, testpictures::withClaimedJpegSize(
                testpictures::encode(testpictures::twoHalves(64, 48), ".jpg"), 60000, 60000)));
  EXPECT_TRUE(ReadViewPicture(bomb, 2560).isNull());
}

// The window stays blank rather than show what memory held where the pixels should be.
TEST(ReadViewPicture, RefusesABmpWhosePixelsAreMissing) {
  QTemporaryDir dir;
  QImage image(40, 30, QImage::Format_RGB32);
  image.fill(Qt::darkGreen);
  const QString whole = dir.filePath(QStringLiteral("whole.bmp"));
  ASSERT_TRUE(image.save(whole, "BMP"));
  QFile file(whole);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  QByteArray pastTheEnd = bytes;
  qToLittleEndian(quint32(bytes.size() + 4096), pastTheEnd.data() + 10);
  const auto written = [&dir](const char* name, const QByteArray& data) {
    QFile out(dir.filePath(QString::fromLatin1(name)));
    EXPECT_TRUE(out.open(QIODevice::WriteOnly) && out.write(data) == data.size());
    return out.fileName();
  };
  EXPECT_EQ(ReadViewPicture(whole, 100).size(), QSize(40, 30));
  EXPECT_TRUE(ReadViewPicture(written("past.bmp", pastTheEnd), 100).isNull());
  EXPECT_TRUE(ReadViewPicture(written("half.bmp", bytes.left(bytes.size() / 2)), 100).isNull());
}

TEST(ShowPicture, OpensOneWindowAndReplacesItsPicture) {
  QTemporaryDir dir;
  const QString first = writePicture(dir, QStringLiteral("一.jpg"), QSize(30, 20));
  const QString second = writePicture(dir, QStringLiteral("two words.jpg"), QSize(20, 30));
  SearchedTable table({first, second, dir.filePath(QStringLiteral("gone.jpg"))});
  QWidget owner;
  PictureViewer viewer(&owner);

  table.select(0);
  ShowPicture(table.model, viewer);
  PictureViewWindow* window = viewer.window();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->size(), QSize(486, 371));
  EXPECT_EQ(window->picture().size(), QSize(30, 20));

  table.select(1);
  ShowPicture(table.model, viewer);
  EXPECT_EQ(viewer.window(), window);
  EXPECT_EQ(window->picture().size(), QSize(20, 30));

  table.select(2);
  ShowPicture(table.model, viewer);
  EXPECT_TRUE(window->picture().isNull());

  table.select(0);
  ShowPicture(table.model, viewer);
  table.view.selectionModel()->clearSelection();
  ShowPicture(table.model, viewer);
  EXPECT_TRUE(window->picture().isNull());
}

TEST(ShowPicture, ReopensAfterTheUserClosedTheWindow) {
  QTemporaryDir dir;
  SearchedTable table({writePicture(dir, QStringLiteral("a.jpg"), QSize(10, 10))});
  QWidget owner;
  PictureViewer viewer(&owner);
  table.select(0);
  ShowPicture(table.model, viewer);
  ASSERT_NE(viewer.window(), nullptr);
  viewer.window()->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(viewer.window(), nullptr);
  ShowPicture(table.model, viewer);
  ASSERT_NE(viewer.window(), nullptr);
  EXPECT_EQ(viewer.window()->picture().size(), QSize(10, 10));
}

TEST(ShowPicture, DoesNothingWithoutAPictureColumn) {
  PictureTableModel model;
  model.InsertColumn(QStringLiteral("图片"));
  model.AppendRow();
  QWidget owner;
  PictureViewer viewer(&owner);
  ShowPicture(model, viewer);
  EXPECT_EQ(viewer.window(), nullptr);
}
