#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "AlbumFixture.h"
#include "TestPictures.h"
#include "render/DrawPanel.h"
#include "settings/PrintSettingsWindow.h"

using namespace album;

namespace {

const QColor kPanelColour(40, 40, 40);

// Where the shown page lies in the preview panel: the box of pixels that are not the
// panel's own colour.
QRect ShownPage(const QImage& panel) {
  QRect box;
  for (int y = 0; y < panel.height(); ++y) {
    for (int x = 0; x < panel.width(); ++x) {
      if (panel.pixelColor(x, y) != kPanelColour) box |= QRect(x, y, 1, 1);
    }
  }
  return box;
}

bool HasInk(const QImage& image, const QRect& area) {
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (qGray(image.pixel(x, y)) < 200) return true;
    }
  }
  return false;
}

// A camera-sized photo, reddish and noisy (a file far above the preview's 50 KB), with
// or without an EXIF thumbnail that is green.
bool WriteCameraPhoto(const QString& path, bool withThumbnail, quint32 seed) {
  QImage photo(1600, 1200, QImage::Format_RGB32);
  QRandomGenerator random(seed);
  for (int y = 0; y < photo.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(photo.scanLine(y));
    for (int x = 0; x < photo.width(); ++x)
      line[x] = qRgb(180 + random.bounded(60), random.bounded(60), random.bounded(60));
  }
  QImage thumbnail(160, 120, QImage::Format_RGB32);
  thumbnail.fill(QColor(30, 200, 30));
  const QByteArray jpeg = testpictures::encode(photo, ".jpg");
  return testpictures::writeFile(
      path, withThumbnail
                ? testpictures::withApp1(
                      jpeg, testpictures::exifBlock(1, testpictures::encode(thumbnail, ".jpg")))
                : jpeg);
}

// Where the page has ink: every pixel darker than near-white.
QImage InkMask(const QImage& page) {
  QImage mask(page.size(), QImage::Format_Mono);
  for (int y = 0; y < page.height(); ++y)
    for (int x = 0; x < page.width(); ++x) mask.setPixel(x, y, qGray(page.pixel(x, y)) < 230);
  return mask;
}

int GreenPixels(const QImage& image, const QRect& area) {
  int count = 0;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (qGreen(image.pixel(x, y)) > 150 && qRed(image.pixel(x, y)) < 100) ++count;
  return count;
}

class PreviewTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(dir.isValid());
    QDir(dir.path()).mkpath("photos/trip");
    for (int i = 0; i < 3; ++i) {
      ASSERT_TRUE(
          WritePhoto(dir.filePath(QStringLiteral("photos/trip/%1.jpg").arg(i)), 300, 400, i));
    }
    program.Search(dir.filePath("photos"));
    ASSERT_EQ(program.table()->rowCount(), 3);
    program.window->headerEdit()->setText(QStringLiteral("HEADER &f"));
  }

  // Opens the settings through 预览与设置 (proposals kept), runs `atWindow` there and
  // leaves by 取消打印 unless the action closed the window itself.
  void AtSettingsWindow(const SettingsWindowScript::Action& atWindow) {
    program.dialogs.queueInputCancel();
    program.dialogs.queueInputCancel();
    settingsWindow.queue([atWindow](PrintSettingsWindow& window) {
      window.pagePreviewPanel()->setBackgroundColor(kPanelColour);
      atWindow(window);
      if (window.isVisible()) Click(window, "按钮_取消");
    });
    program.PressPreviewAndSettings();
    ASSERT_EQ(settingsWindow.opened(), 1);
  }

  QImage Preview(PrintSettingsWindow& window) {
    Click(window, "按钮_打印预览");
    return window.pagePreviewPanel()->backImage();
  }

  QTemporaryDir dir;
  Program program;
  SettingsWindowScript settingsWindow;
};

TEST_F(PreviewTest, A4IsShownAtNaturalSizeCentred) {
  QImage shown;
  AtSettingsWindow([&](PrintSettingsWindow& window) { shown = Preview(window); });
  ASSERT_EQ(shown.size(), QSize(240, 340));
  EXPECT_EQ(ShownPage(shown), QRect(15, 21, 210, 297));
}

TEST_F(PreviewTest, A3IsShrunkToFitThePanel) {
  QImage shown;
  AtSettingsWindow([&](PrintSettingsWindow& window) {
    SetText(window, "编辑框_宽度", "297");
    SetText(window, "编辑框_高度", "420");
    shown = Preview(window);
  });
  const QRect page = ShownPage(shown);
  EXPECT_EQ(page.width(), 240);
  EXPECT_GE(page.height(), 339);
  EXPECT_LE(page.height(), 340);
}

TEST_F(PreviewTest, LandscapeA4IsComposedLyingAndShownTurned) {
  QImage shown;
  AtSettingsWindow([&](PrintSettingsWindow& window) {
    SetChecked(window, "单选框_横向打印", true);
    shown = Preview(window);
  });
  const QRect page = ShownPage(shown);
  ASSERT_EQ(page, QRect(15, 21, 210, 297));
  // composed 297 wide: the header line ran along the long side, so after the quarter
  // turn it lies along one of the long (vertical) edges, not across the top
  const QImage turned = shown.copy(page);
  const bool headerOnASide =
      HasInk(turned, QRect(0, 60, 16, 180)) || HasInk(turned, QRect(194, 60, 16, 180));
  EXPECT_TRUE(headerOnASide);
  EXPECT_FALSE(HasInk(turned, QRect(60, 0, 90, 10)));
}

TEST_F(PreviewTest, FewerPicturesThanCellsLeaveTheOtherCellsEmpty) {
  QImage shown;
  AtSettingsWindow([&](PrintSettingsWindow& window) { shown = Preview(window); });
  const QImage page = shown.copy(ShownPage(shown));
  // 5 × 5 cells between the margins: 20 mm top, 5 mm left; the three photos fill the
  // first three cells of the first row, rows 2 to 5 stay blank
  const int cellHeight = (297 - 20 - 18 - 4) / 5;
  EXPECT_TRUE(HasInk(page, QRect(6, 21, 30, cellHeight - 2)));
  EXPECT_FALSE(HasInk(page, QRect(5, 20 + cellHeight + 2, 190, 4 * cellHeight - 4)));
  // and the fourth cell of the first row as well
  EXPECT_FALSE(HasInk(page, QRect(5 + 3 * 39, 21, 35, cellHeight - 2)));
}

TEST_F(PreviewTest, TheProgressWindowsHideButtonStopsWithAPartPage) {
  program.window->footerEdit()->setText(QStringLiteral("FOOTER"));
  QImage shown;
  AtSettingsWindow([&](PrintSettingsWindow& window) {
    QTimer::singleShot(0, &window, [] {
      for (QWidget* top : QApplication::topLevelWidgets()) {
        auto* hide = top->findChild<QPushButton*>(QStringLiteral("按钮_隐藏"));
        if (hide && top->isVisible()) QTest::mouseClick(hide, Qt::LeftButton);
      }
    });
    shown = Preview(window);
    EXPECT_FALSE(program.state.settings.previewStopRequested);
  });
  const QImage page = shown.copy(ShownPage(shown));
  ASSERT_EQ(page.size(), QSize(210, 297));
  const int cellHeight = (297 - 20 - 18 - 4) / 5;
  EXPECT_TRUE(HasInk(page, QRect(6, 21, 30, cellHeight - 2)));        // the first photo
  EXPECT_FALSE(HasInk(page, QRect(5 + 39, 21, 35, cellHeight - 2)));  // not the second
  EXPECT_FALSE(HasInk(page, QRect(0, 297 - 16, 210, 6)));             // nor the footer
}

TEST_F(PreviewTest, CameraThumbnailsDrawThePhotosInTheSamePlaces) {
  QImage withThumbnails;
  QImage withoutThumbnails;
  AtSettingsWindow([&](PrintSettingsWindow& window) {
    for (bool thumbnails : {true, false}) {
      for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(WriteCameraPhoto(dir.filePath(QStringLiteral("photos/trip/%1.jpg").arg(i)),
                                     thumbnails, quint32(i + 1)));
      }
      const QImage shown = Preview(window);
      (thumbnails ? withThumbnails : withoutThumbnails) = shown.copy(ShownPage(shown));
    }
  });
  ASSERT_EQ(withThumbnails.size(), QSize(210, 297));
  ASSERT_EQ(withoutThumbnails.size(), QSize(210, 297));
  EXPECT_EQ(InkMask(withThumbnails), InkMask(withoutThumbnails));
  const QRect firstRow(5, 20, 3 * 38, 40);
  EXPECT_GT(GreenPixels(withThumbnails, firstRow), 300);
  EXPECT_EQ(GreenPixels(withoutThumbnails, firstRow), 0);
}

TEST_F(PreviewTest, ASecondPressWhileRenderingIsIgnoredAndSettingsComeBack) {
  bool busyAtSecondPress = false;
  bool stillBusyAfterIt = false;
  AtSettingsWindow([&](PrintSettingsWindow& window) {
    const PrintSettings before = program.state.settings.printSettings;
    QTimer::singleShot(0, &window, [&] {
      busyAtSecondPress = program.state.settings.previewBusy;
      Click(window, "按钮_预览打印");
      // a second preview run to its end would have cleared the flag under the first
      stillBusyAfterIt = program.state.settings.previewBusy;
    });
    Preview(window);
    EXPECT_FALSE(program.state.settings.previewBusy);
    EXPECT_TRUE(program.state.settings.settingsApplied);
    // the preview stored the window's settings for drawing only
    EXPECT_EQ(program.state.settings.printSettings, before);
  });
  EXPECT_TRUE(busyAtSecondPress);
  EXPECT_TRUE(stillBusyAfterIt);
}

TEST_F(PreviewTest, PreparePrintDuringAPreviewNeitherStoresNorCloses) {
  bool pressedWhileBusy = false;
  bool visibleAfterPress = false;
  bool visibleAfterPreview = false;
  AtSettingsWindow([&](PrintSettingsWindow& window) {
    const PrintSettings before = program.state.settings.printSettings;
    QTimer::singleShot(0, &window, [&] {
      pressedWhileBusy = program.state.settings.previewBusy;
      Click(window, "按钮_确定");
      visibleAfterPress = window.isVisible();
    });
    Preview(window);
    visibleAfterPreview = window.isVisible();
    EXPECT_EQ(program.state.settings.printSettings, before);
  });
  EXPECT_TRUE(pressedWhileBusy);
  EXPECT_TRUE(visibleAfterPress);
  EXPECT_TRUE(visibleAfterPreview);
  EXPECT_FALSE(program.state.settings.printSettings.confirmed);
}

TEST_F(PreviewTest, PreviewEntryHandsTheSettingsWindowAHundredEntrySample) {
  PrintJob sample;
  program.dialogs.queueInputCancel();
  program.dialogs.queueInput(QStringLiteral("2，4"));
  settingsWindow.queue([&](PrintSettingsWindow& window) {
    sample = program.state.settings.lastJob;
    Click(window, "按钮_取消");
  });
  program.PressPreviewAndSettings();
  ASSERT_EQ(sample.pictures.size(), 100);
  EXPECT_TRUE(sample.pictures[2].endsWith(QStringLiteral("2.jpg")));
  for (int i = 3; i < 100; ++i) EXPECT_TRUE(sample.pictures[i].isEmpty());
  EXPECT_EQ(sample.captions[0],
            program.table()->index(0, 1).data().toString() + QStringLiteral("\r\n0"));
  EXPECT_EQ(sample.headerText, QStringLiteral("HEADER &f"));
  EXPECT_EQ(sample.macros.category, QStringLiteral("trip"));
  EXPECT_EQ(program.state.columnMap.captionColumns, (QStringList{"2", "4"}));
  // no status text, no confirmation box
  EXPECT_TRUE(program.dialogs.callsOf(FakeDialogs::Kind::MessageBox).isEmpty());
}

}  // namespace
