#include <QImage>
#include <QTemporaryDir>

#include "SettingsWindowFixture.h"
#include "TestPictures.h"
#include "layout/CardGeometry.h"

namespace {

// Line height of the caption font on the full-scale card: 宋体 9 pt taken as 31.
int FullScaleLineHeight(PictureRegistry& pictures, int points = 9) {
  DrawPanel probe(pictures);
  FontDescription font = FontDescription::song9();
  font.size = CardFontSize(points);
  probe.setFont(font);
  return probe.TextHeight(QStringLiteral("大"));
}

bool HasColour(const QImage& image, QRgb colour) {
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qRed(image.pixel(x, y)) == qRed(colour) && qGreen(image.pixel(x, y)) == qGreen(colour) &&
          qBlue(image.pixel(x, y)) == qBlue(colour))
        return true;
  return false;
}

}  // namespace

class CellEditorTest : public SettingsWindowTest {
protected:
  void SetUp() override {
    open();
    showWindow();
  }

  QRect area(const char* name) { return panel(name)->geometry(); }

  // A plain or Ctrl drag with real mouse events on a panel.
  void drag(const char* name, QPoint from, QPoint by, Qt::KeyboardModifiers keys = {}) {
    DrawPanel* p = panel(name);
    QTest::mousePress(p, Qt::LeftButton, keys, from);
    QTest::mouseMove(p, from + by);
    QTest::mouseRelease(p, Qt::LeftButton, keys, from + by);
  }

  QString makePhoto(QSize size, QColor colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    const QString path = dir.filePath("photo.jpg");
    EXPECT_TRUE(image.save(path, "JPEG", 95));
    return path;
  }

  QTemporaryDir dir;
};

TEST_F(CellEditorTest, CardAndAreasStartAtTheirFormGeometry) {
  EXPECT_EQ(area("画板_名片"), QRect(584, 16, 168, 200));
  EXPECT_EQ(area("画板_名片中照片区域"), QRect(24, 8, 120, 156));
  EXPECT_EQ(area("画板_名片中文字区域"), QRect(32, 165, 104, 24));
  EXPECT_EQ(panel("画板_名片中照片区域")->parentWidget(), panel("画板_名片"));
  // The usage hints are written into the photo area when the window opens.
  EXPECT_TRUE(HasColour(panel("画板_名片中照片区域")->backImage(), qRgb(0, 0, 0)));
}

TEST_F(CellEditorTest, DefaultLayoutForBuiltInA4) {
  window->ShowDefaultCellPreview();
  const CardLayout& layout = session.workingLayout;
  const int band = FullScaleLineHeight(pictures) + 3;
  EXPECT_FLOAT_EQ(layout.photoArea.x, 0.0f);
  EXPECT_FLOAT_EQ(layout.photoArea.y, 0.0f);
  EXPECT_FLOAT_EQ(layout.photoArea.width, 1.0f);
  EXPECT_FLOAT_EQ(layout.photoArea.height, static_cast<float>(510.0 - band) / 510);
  EXPECT_FLOAT_EQ(layout.textArea.x, 0.0f);
  EXPECT_FLOAT_EQ(layout.textArea.width, 1.0f);
  EXPECT_FLOAT_EQ(layout.textArea.height, static_cast<float>(band) / 510);
  EXPECT_NEAR(layout.textArea.y + layout.textArea.height, 1.0f, 1e-6);
  EXPECT_EQ(area("画板_名片").size(), QSize(145, 200));
  EXPECT_EQ(area("画板_名片中照片区域"), PlaceArea(layout.photoArea, QSize(145, 200)));
  EXPECT_TRUE(panel("画板_名片")->isVisible());
}

TEST_F(CellEditorTest, SquareCellShowsASquareCard) {
  retype("编辑框_宽度", "100");
  retype("编辑框_高度", "100");
  for (const char* name : {"编辑框_上边距", "编辑框_下边距", "编辑框_左边距", "编辑框_右边距"})
    retype(name, "0");
  retype("编辑框_行数", "2");
  retype("编辑框_列数", "2");
  window->ShowDefaultCellPreview();
  EXPECT_EQ(area("画板_名片").size(), QSize(200, 200));
}

TEST_F(CellEditorTest, TwoLineCaptionAsksAndYesSelectsTwoLines) {
  session.lastJob.captions = QStringList{"第一行\r\n第二行"};
  dialogs.queueAnswer(AnswerYes);
  window->ShowDefaultCellPreview();
  ASSERT_EQ(messages().size(), 1);
  EXPECT_EQ(messages()[0].caption, "设置与实际不符，要手工调整？");
  EXPECT_EQ(messages()[0].buttons, MessageButtons::YesNo);
  EXPECT_EQ(messages()[0].icon, MessageIcon::Question);
  EXPECT_EQ(combo("组合框_正文文字行数")->currentText(), "每照片配2行文字");
  const int line = FullScaleLineHeight(pictures);
  EXPECT_FLOAT_EQ(session.workingLayout.textArea.height, static_cast<float>(2 * line + 3) / 510);

  dialogs.queueAnswer(AnswerNo);
  combo("组合框_正文文字行数")->setCurrentIndex(1);
  window->ShowDefaultCellPreview();
  EXPECT_EQ(messages().size(), 2);
  EXPECT_EQ(combo("组合框_正文文字行数")->currentIndex(), 1);
  EXPECT_FLOAT_EQ(session.workingLayout.textArea.height, static_cast<float>(line + 3) / 510);

  // A matching list asks nothing.
  combo("组合框_正文文字行数")->setCurrentIndex(2);
  window->ShowDefaultCellPreview();
  EXPECT_EQ(messages().size(), 2);
}

TEST_F(CellEditorTest, CaptionOfMoreThanNineLinesSelectsTheLastItem) {
  session.lastJob.captions = QStringList{QStringList(12, "x").join("\r\n")};
  dialogs.queueAnswer(AnswerYes);
  window->ShowDefaultCellPreview();
  EXPECT_EQ(combo("组合框_正文文字行数")->currentIndex(), 9);
}

TEST_F(CellEditorTest, RightClickPutsTheCornerAtThePoint) {
  window->ShowDefaultCellPreview();
  const QPoint photoTopLeft = area("画板_名片中照片区域").topLeft();
  QTest::mouseClick(panel("画板_名片中照片区域"), Qt::RightButton, {}, QPoint(10, 10));
  EXPECT_EQ(area("画板_名片中照片区域"), QRect(photoTopLeft, QSize(10, 10)));
  EXPECT_FLOAT_EQ(session.workingLayout.photoArea.width, 10.0f / 145);
  EXPECT_FLOAT_EQ(session.workingLayout.photoArea.height, 10.0f / 200);

  // An area without size makes both previews do nothing.
  QTest::mouseClick(panel("画板_名片中文字区域"), Qt::RightButton, {}, QPoint(0, 5));
  const CardLayout before = session.workingLayout;
  window->ShowDefaultCellPreview();
  window->ShowCellPreview();
  EXPECT_EQ(session.workingLayout, before);
  EXPECT_EQ(area("画板_名片中文字区域").width(), 0);
}

TEST_F(CellEditorTest, PlainDragMovesAnAreaAndCapturesTheLayout) {
  const QRect before = area("画板_名片中照片区域");
  drag("画板_名片中照片区域", QPoint(30, 30), QPoint(12, -5));
  EXPECT_EQ(area("画板_名片中照片区域"), before.translated(12, -5));
  EXPECT_EQ(panel("画板_名片中照片区域")->cursor().shape(), Qt::SizeAllCursor);
  EXPECT_FLOAT_EQ(session.workingLayout.photoArea.x, 36.0f / 168);
  EXPECT_FLOAT_EQ(session.workingLayout.photoArea.y, 3.0f / 200);
  EXPECT_FLOAT_EQ(session.workingLayout.photoArea.width, 120.0f / 168);
  // A plain move of the text area leaves its pointer alone.
  drag("画板_名片中文字区域", QPoint(5, 5), QPoint(-40, 0));
  EXPECT_EQ(panel("画板_名片中文字区域")->cursor().shape(), Qt::ArrowCursor);
  EXPECT_FLOAT_EQ(session.workingLayout.textArea.x, -8.0f / 168);
}

TEST_F(CellEditorTest, CtrlDragResizesFromTheBottomRightAndMayLeaveTheCard) {
  DrawPanel* text = panel("画板_名片中文字区域");
  QTest::mousePress(text, Qt::LeftButton, Qt::ControlModifier, QPoint(100, 20));
  EXPECT_EQ(text->cursor().shape(), Qt::SizeFDiagCursor);
  QTest::mouseMove(text, QPoint(200, 60));
  QTest::mouseRelease(text, Qt::LeftButton, Qt::ControlModifier, QPoint(200, 60));
  EXPECT_EQ(text->cursor().shape(), Qt::SizeAllCursor);
  EXPECT_EQ(area("画板_名片中文字区域"), QRect(32, 165, 204, 64));
  const CardRect captured = session.workingLayout.textArea;
  EXPECT_GT(captured.x + captured.width, 1.0f);
  EXPECT_GT(captured.y + captured.height, 1.0f);

  // Stored and handed on unchanged, once the layout is the user's own.
  session.settingsApplied = true;
  drag("画板_名片中照片区域", QPoint(10, 10), QPoint(20, 0));
  click("按钮_确定");
  EXPECT_EQ(session.printSettings.textArea.x, session.workingLayout.textArea.x);
  EXPECT_GT(session.printSettings.textArea.width + session.printSettings.textArea.x, 1.0f);
  EXPECT_GT(session.printSettings.textArea.y + session.printSettings.textArea.height, 1.0f);
}

TEST_F(CellEditorTest, DraggingTheCardLeavesTheLayoutAlone) {
  window->ShowDefaultCellPreview();
  const CardLayout before = session.workingLayout;
  const QRect card = area("画板_名片");
  drag("画板_名片", QPoint(card.width() - 2, card.height() - 2), QPoint(-30, 40));
  EXPECT_EQ(area("画板_名片"), card.translated(-30, 40));
  EXPECT_EQ(session.workingLayout, before);
}

TEST_F(CellEditorTest, CellPreviewKeepsTheUsersLayoutOnceThePhotoLeavesTheLeftEdge) {
  window->ShowDefaultCellPreview();
  drag("画板_名片中照片区域", QPoint(10, 10), QPoint(20, 10));
  const CardLayout mine = session.workingLayout;
  retype("编辑框_列数", "4");  // a wider cell: same fractions, other pixels
  window->ShowCellPreview();
  EXPECT_EQ(session.workingLayout, mine);
  const QSize card = area("画板_名片").size();
  EXPECT_EQ(area("画板_名片中照片区域"), PlaceArea(mine.photoArea, card));

  // Back at the left edge the default layout comes back.
  drag("画板_名片中照片区域", QPoint(10, 10), QPoint(-area("画板_名片中照片区域").x(), 0));
  EXPECT_FLOAT_EQ(session.workingLayout.photoArea.x, 0.0f);
  window->ShowCellPreview();
  EXPECT_FLOAT_EQ(session.workingLayout.photoArea.x, 0.0f);
  EXPECT_FLOAT_EQ(session.workingLayout.photoArea.width, 1.0f);
}

TEST_F(CellEditorTest, NoCellWithoutRowsLeavesTheCardAsItIs) {
  window->ShowDefaultCellPreview();
  const CardLayout before = session.workingLayout;
  retype("编辑框_行数", "0");
  window->ShowDefaultCellPreview();
  session.workingLayout.photoArea.x = 0.2f;
  window->ShowCellPreview();
  session.workingLayout.photoArea.x = before.photoArea.x;
  EXPECT_EQ(session.workingLayout, before);
  EXPECT_TRUE(panel("画板_名片")->isVisible());
}

TEST_F(CellEditorTest, PhotoSampleFollowsTheFitMode) {
  session.lastJob.pictures = QStringList{makePhoto(QSize(400, 100), QColor(200, 30, 30))};
  DrawPanel* photo = panel("画板_名片中照片区域");

  combo("组合框_照片打印方式")->setCurrentIndex(1);
  window->ShowDefaultCellPreview();
  const QImage stretched = photo->backImage();
  // Stretched over the whole area: red in the bottom-right corner too.
  EXPECT_GT(qRed(stretched.pixel(stretched.width() - 3, stretched.height() - 3)), 150);

  combo("组合框_照片打印方式")->setCurrentIndex(3);
  window->ShowCellPreview();
  const QImage topLeft = photo->grab().toImage();
  // Scaled to the width at the top: red at the top, background at the bottom.
  EXPECT_GT(qRed(topLeft.pixel(3, 3)), 150);
  EXPECT_LT(qGreen(topLeft.pixel(3, 3)), 100);
  EXPECT_GT(qGreen(topLeft.pixel(3, topLeft.height() - 3)), 150);

  combo("组合框_照片打印方式")->setCurrentIndex(0);
  window->ShowCellPreview();
  const QImage centred = photo->grab().toImage();
  const int middle = centred.height() / 2;
  EXPECT_GT(qRed(centred.pixel(centred.width() / 2, middle)), 150);
  EXPECT_LT(qGreen(centred.pixel(centred.width() / 2, middle)), 100);
  EXPECT_GT(qGreen(centred.pixel(centred.width() / 2, 3)), 150);
  EXPECT_EQ(pictures.liveCount(), 0);
}

TEST_F(CellEditorTest, PhotoSampleIsDrawnFromALargeEnoughThumbnail) {
  const auto solid = [](QSize size, QColor colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
  };
  const QString path = dir.filePath("camera.jpg");
  DrawPanel* photo = panel("画板_名片中照片区域");
  for (QSize thumbnail : {QSize(400, 300), QSize(40, 30)}) {
    ASSERT_TRUE(testpictures::writeFile(
        path, testpictures::withApp1(
                  testpictures::encode(solid(QSize(800, 600), QColor(200, 30, 30)), ".jpg"),
                  testpictures::exifBlock(
                      1, testpictures::encode(solid(thumbnail, QColor(30, 200, 30)), ".jpg")))));
    session.lastJob.pictures = QStringList{path};
    for (int mode : {0, 1, 3}) {
      combo("组合框_照片打印方式")->setCurrentIndex(mode);
      window->ShowDefaultCellPreview();
      const QImage shown = photo->grab().toImage();
      const QRgb corner =
          mode == 0 ? shown.pixel(shown.width() / 2, shown.height() / 2) : shown.pixel(3, 3);
      // green from the thumbnail only where it holds the pixels drawn
      EXPECT_EQ(qGreen(corner) > 150, thumbnail.width() == 400) << mode;
      EXPECT_EQ(qRed(corner) > 150, thumbnail.width() == 40) << mode;
    }
  }
  EXPECT_EQ(pictures.liveCount(), 0);
}

TEST_F(CellEditorTest, MissingPhotoLeavesTheAreaEmpty) {
  session.lastJob.pictures = QStringList{dir.filePath("missing.jpg")};
  for (int mode = 0; mode < 5; ++mode) {
    combo("组合框_照片打印方式")->setCurrentIndex(mode);
    window->ShowDefaultCellPreview();
    EXPECT_FALSE(HasColour(panel("画板_名片中照片区域")->grab().toImage(), qRgb(0, 0, 0))) << mode;
  }
  EXPECT_EQ(pictures.liveCount(), 0);
}

TEST_F(CellEditorTest, CaptionSampleShowsInTheTextArea) {
  session.lastJob.captions = QStringList{"标题"};
  window->ShowDefaultCellPreview();
  const QImage text = panel("画板_名片中文字区域")->grab().toImage();
  EXPECT_TRUE(HasColour(text, qRgb(0, 0, 0)) || text.allGray());
  int dark = 0;
  for (int y = 0; y < text.height(); ++y)
    for (int x = 0; x < text.width(); ++x) dark += qGray(text.pixel(x, y)) < 128;
  EXPECT_GT(dark, 5);
}
