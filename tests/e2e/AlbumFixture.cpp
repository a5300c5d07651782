#include "AlbumFixture.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QColorSpace>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTableView>
#include <QTest>
#include <algorithm>

#include "app/Wiring.h"
#include "collect/PictureSearch.h"
#include "collect/PictureTableModel.h"
#include "print/HeaderFooter.h"
#include "print/PageLoops.h"
#include "render/DrawPanel.h"
#include "render/PictureRegistry.h"
#include "settings/PrintSettingsWindow.h"

namespace album {

bool WritePhoto(const QString& path, int width, int height, int seed) {
  QImage image(width, height, QImage::Format_RGB32);
  QPainter p(&image);
  QLinearGradient sky(0, 0, width, height);
  sky.setColorAt(0, QColor::fromHsv((seed * 47) % 360, 120, 230));
  sky.setColorAt(1, QColor::fromHsv((seed * 47 + 120) % 360, 200, 90));
  p.fillRect(image.rect(), sky);
  p.setBrush(QColor::fromHsv((seed * 91) % 360, 255, 255));
  p.drawEllipse(QRect(width / 4, height / 4, width / 2, height / 2));
  p.end();
  return image.save(path, "JPEG", 85);
}

QStringList MakePhotos(const QString& folder, const QString& name, int count, int firstSeed) {
  QDir(folder).mkpath(name);
  QStringList paths;
  for (int i = 0; i < count; ++i) {
    const QString path =
        QDir(folder).filePath(QStringLiteral("%1/%2.jpg").arg(name).arg(i + 1, 3, 10, QChar(u'0')));
    EXPECT_TRUE(WritePhoto(path, 400, 300, firstSeed + i));
    paths.append(path);
  }
  return paths;
}

void AcceptColumns(FakeDialogs& dialogs) {
  dialogs.queueInputCancel();
  dialogs.queueInputCancel();
  dialogs.queueInputCancel();
  dialogs.queueAnswer(AnswerOk);
}

QStringList PageFiles(const QString& folder) {
  QStringList files = QDir(folder).entryList(QDir::Files, QDir::Name);
  // date_time_page[suffix].ext: order by the page number part
  static const QRegularExpression pageNumber(QStringLiteral("^\\d+_\\d+_(\\d+)"));
  std::stable_sort(files.begin(), files.end(), [](const QString& a, const QString& b) {
    return pageNumber.match(a).captured(1).toInt() < pageNumber.match(b).captured(1).toInt();
  });
  for (QString& f : files) f = QDir(folder).filePath(f);
  return files;
}

QImage Band(const QImage& image, int y, int height) {
  QImage band = image.copy(0, y, image.width(), height).convertToFormat(QImage::Format_RGB32);
  band.setColorSpace(QColorSpace());  // a page file is tagged sRGB, a page drawn in memory not
  return band;
}

QImage ReferenceHeaderPage(const PrintSettings& settings, const QString& filledText) {
  PictureRegistry pictures;
  DrawPanel panel(pictures);
  panel.setUnit(0);
  panel.moveResize(0, 0, 2100, 2970);
  panel.ClearPanel();
  FontDescription font = settings.headerFont;
  font.size = PanelFontSize(font.size);
  panel.setFont(font);
  const FilledHeaderFooter filled =
      FillHeaderFooter(true, panel, filledText, MacroValues{1, 1, {}, {}}, panel.width(),
                       panel.height(), settings.marginLeft, settings.marginRight,
                       settings.headerFromTop, settings.footerFromBottom, settings.headerAlign);
  panel.WriteTextAt(filled.x, filled.y, filled.text);
  return panel.backImage().convertToFormat(QImage::Format_RGB32);
}

SettingsWindowScript::SettingsWindowScript() {
  timer_.setInterval(20);
  QObject::connect(&timer_, &QTimer::timeout, this, [this] { poll(); });
  timer_.start();
}

void SettingsWindowScript::poll() {
  auto* window = qobject_cast<PrintSettingsWindow*>(QApplication::activeModalWidget());
  if (!window || window == handled_ || !window->isVisible()) return;
  handled_ = window;
  ++opened_;
  if (actions_.isEmpty()) {
    window->reject();
    return;
  }
  const Action action = actions_.takeFirst();
  action(*window);
}

namespace {
template <typename T>
T* Find(PrintSettingsWindow& window, const char* name) {
  T* widget = window.findChild<T*>(QString::fromUtf8(name));
  if (!widget) qFatal("settings window has no %s", name);
  return widget;
}
}  // namespace

void SetText(PrintSettingsWindow& window, const char* name, const QString& text) {
  auto* edit = Find<QLineEdit>(window, name);
  edit->setText(text);
}

void SetChecked(PrintSettingsWindow& window, const char* name, bool checked) {
  Find<QAbstractButton>(window, name)->setChecked(checked);
}

void SelectIndex(PrintSettingsWindow& window, const char* name, int index) {
  Find<QComboBox>(window, name)->setCurrentIndex(index);
}

void Click(PrintSettingsWindow& window, const char* name) {
  QTest::mouseClick(Find<QAbstractButton>(window, name), Qt::LeftButton);
}

Program::Program() : window(std::make_unique<MainWindow>()) {
  state.collect.searchDone = true;
  wireSubsystems(*window, state, dialogs, desktop);
  window->show();
}

Program::~Program() = default;

void Program::Search(const QString& folder) {
  state.collect.folderPath =
      QDir::toNativeSeparators(QDir(folder).absolutePath()) + QDir::separator();
  auto* pictures = qobject_cast<PictureTableModel*>(table());
  if (!pictures) qFatal("the list view shows no picture table");
  PictureSearch search(state.collect, *pictures, desktop,
                       [this](const QString& text) { window->setStatusText(text); });
  search.SearchPictures(true);
}

void Program::PressPreparePrint() {
  QTest::mouseClick(window->preparePrintButton(), Qt::LeftButton);
}

void Program::PressPreviewAndSettings() {
  QTest::mouseClick(window->previewButton(), Qt::LeftButton);
}

QAbstractItemModel* Program::table() const {
  return window->pictureList()->model();
}

}  // namespace album
