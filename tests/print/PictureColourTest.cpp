#include <gtest/gtest.h>
#include <lcms2.h>

#include <QColor>
#include <QPainter>
#include <QStringList>
#include <memory>
#include <vips/vips8>

#include "PrintedPages.h"
#include "TestPictures.h"

using printtest::Output;
using printtest::PrintedPagesRig;

namespace {

struct ProfileCloser {
  void operator()(void* profile) const { cmsCloseProfile(profile); }
};
using Profile = std::unique_ptr<void, ProfileCloser>;

QByteArray saved(cmsHPROFILE profile) {
  cmsUInt32Number size = 0;
  cmsSaveProfileToMem(profile, nullptr, &size);
  QByteArray bytes(static_cast<qsizetype>(size), '\0');
  cmsSaveProfileToMem(profile, bytes.data(), &size);
  return bytes;
}

// A matrix/tone-curve RGB profile as the standards define the space.
QByteArray rgbProfile(const char* description, cmsCIExyY white, cmsCIExyYTRIPLE primaries,
                      cmsToneCurve* curve) {
  cmsToneCurve* curves[3] = {curve, curve, curve};
  const Profile profile(cmsCreateRGBProfile(&white, &primaries, curves));
  cmsFreeToneCurve(curve);
  cmsMLU* text = cmsMLUalloc(nullptr, 1);
  cmsMLUsetASCII(text, "en", "US", description);
  cmsWriteTag(profile.get(), cmsSigProfileDescriptionTag, text);
  cmsMLUfree(text);
  return saved(profile.get());
}

constexpr cmsCIExyY kD65{0.3127, 0.3290, 1.0};

QByteArray adobeRgb() {
  return rgbProfile("Adobe RGB (1998)", kD65,
                    {{0.64, 0.33, 1.0}, {0.21, 0.71, 1.0}, {0.15, 0.06, 1.0}},
                    cmsBuildGamma(nullptr, 563.0 / 256.0));
}

QByteArray proPhotoRgb() {
  return rgbProfile("ProPhoto RGB", {0.3457, 0.3585, 1.0},
                    {{0.7347, 0.2653, 1.0}, {0.1596, 0.8404, 1.0}, {0.0366, 0.0001, 1.0}},
                    cmsBuildGamma(nullptr, 1.8));
}

QByteArray displayP3() {
  const double srgbCurve[5] = {2.4, 1.0 / 1.055, 0.055 / 1.055, 1.0 / 12.92, 0.04045};
  return rgbProfile("Display P3", kD65,
                    {{0.680, 0.320, 1.0}, {0.265, 0.690, 1.0}, {0.150, 0.060, 1.0}},
                    cmsBuildParametricToneCurve(nullptr, 4, srgbCurve));
}

// The profile with its header and tag table intact and every tag's data overwritten,
// as a file damaged in transfer may carry it.
QByteArray damaged(QByteArray profile) {
  const auto byte = [&profile](int i) { return quint32(quint8(profile[i])); };
  const quint32 tags = byte(128) << 24 | byte(129) << 16 | byte(130) << 8 | byte(131);
  for (qsizetype i = 132 + 12 * tags; i < profile.size(); ++i) profile[i] = char(0xA5);
  return profile;
}

// A test chart of saturated, mid and skin colours in patches of 80 × 80.
QImage chart() {
  const QColor patches[12] = {{225, 35, 30},   {40, 190, 60},  {35, 60, 215},   {0, 190, 215},
                              {205, 45, 175},  {240, 215, 30}, {240, 135, 20},  {128, 128, 128},
                              {205, 150, 120}, {45, 45, 45},   {220, 220, 220}, {60, 120, 130}};
  QImage image(320, 240, QImage::Format_RGB32);
  QPainter painter(&image);
  for (int i = 0; i < 12; ++i) painter.fillRect(i % 4 * 80, i / 4 * 80, 80, 80, patches[i]);
  return image;
}

// The sRGB picture's colours in the profile's space, converted as an editor converts a
// photo it saves with that profile.
QImage inSpace(const QImage& srgbPicture, const QByteArray& icc) {
  QImage converted = srgbPicture.convertToFormat(QImage::Format_RGB32);
  const Profile srgb(cmsCreate_sRGBProfile());
  const Profile target(cmsOpenProfileFromMem(icc.constData(), cmsUInt32Number(icc.size())));
  cmsHTRANSFORM transform = cmsCreateTransform(srgb.get(), TYPE_BGRA_8, target.get(), TYPE_BGRA_8,
                                               INTENT_PERCEPTUAL, cmsFLAGS_BLACKPOINTCOMPENSATION);
  for (int y = 0; y < converted.height(); ++y)
    cmsDoTransform(transform, converted.scanLine(y), converted.scanLine(y),
                   cmsUInt32Number(converted.width()));
  cmsDeleteTransform(transform);
  return converted;
}

// The profile a file carries, as libvips reads it back.
QByteArray embeddedProfile(const QByteArray& file) {
  try {
    const vips::VImage image =
        vips::VImage::new_from_buffer(file.constData(), size_t(file.size()), "");
    if (!image.get_typeof(VIPS_META_ICC_NAME)) return {};
    size_t length = 0;
    const void* data = image.get_blob(VIPS_META_ICC_NAME, &length);
    return QByteArray(static_cast<const char*>(data), qsizetype(length));
  } catch (const vips::VError&) {
    return {};
  }
}

// The mean CIEDE2000 difference between two equally sized areas of sRGB pixels.
double meanDeltaE(const QImage& a, const QImage& b) {
  const Profile srgb(cmsCreate_sRGBProfile());
  const Profile lab(cmsCreateLab4Profile(nullptr));
  cmsHTRANSFORM toLab = cmsCreateTransform(srgb.get(), TYPE_BGRA_8, lab.get(), TYPE_Lab_DBL,
                                           INTENT_RELATIVE_COLORIMETRIC, 0);
  const QImage first = a.convertToFormat(QImage::Format_RGB32);
  const QImage second = b.convertToFormat(QImage::Format_RGB32);
  std::vector<cmsCIELab> labA(size_t(first.width())), labB(size_t(first.width()));
  double sum = 0;
  for (int y = 0; y < first.height(); ++y) {
    cmsDoTransform(toLab, first.constScanLine(y), labA.data(), cmsUInt32Number(first.width()));
    cmsDoTransform(toLab, second.constScanLine(y), labB.data(), cmsUInt32Number(first.width()));
    for (size_t x = 0; x < labA.size(); ++x) sum += cmsCIE2000DeltaE(&labA[x], &labB[x], 1, 1, 1);
  }
  cmsDeleteTransform(toLab);
  return sum / (double(first.width()) * first.height());
}

struct Space {
  const char* name;
  QByteArray profile;  // empty: the sRGB twin, which carries none
  bool damaged = false;
};

// The same chart in sRGB and saved in each wide space with its profile embedded, plus
// one whose embedded profile is damaged, as every format that carries a profile: the
// printed cell of each matches the sRGB twin's of its format on page files, in a PDF
// and in the preview. A damaged profile is ignored, so that file prints as its twin.
TEST(PictureColourTest, ProfiledPhotosPrintInTheColoursOfTheirSrgbTwin) {
  const QByteArray adobe = adobeRgb();
  const QList<Space> spaces = {{"sRGB", {}},
                               {"Adobe RGB", adobe},
                               {"ProPhoto RGB", proPhotoRgb()},
                               {"Display P3", displayP3()},
                               {"damaged profile", damaged(adobe), true}};
  // Lossy formats at a quality where their own loss stays below what is measured.
  const QStringList formats = {".jpg[Q=95]", ".png", ".tif", ".webp[Q=95]", ".heic"};
  const QImage srgbChart = chart();

  PrintedPagesRig rig;
  ASSERT_TRUE(rig.dir.isValid());
  PrintJob job;  // a row per space, a column per format
  for (const Space& space : spaces) {
    const QImage pixels =
        space.profile.isEmpty() || space.damaged ? srgbChart : inSpace(srgbChart, space.profile);
    for (const QString& format : formats) {
      const QByteArray file = testpictures::encode(pixels, format, 0, space.profile);
      ASSERT_FALSE(file.isEmpty()) << format.toStdString() << " " << space.name;
      EXPECT_EQ(embeddedProfile(file), space.profile) << format.toStdString() << " " << space.name;
      job.pictures.append(rig.dir.filePath(QStringLiteral("%1").arg(job.pictures.size())) +
                          format.section('[', 0, 0));
      ASSERT_TRUE(testpictures::writeFile(job.pictures.last(), file));
    }
  }

  const QSize pixels(800, 600);  // cells of 160 × 120
  const auto cols = int(formats.size());
  const auto rows = int(spaces.size());
  QStringList report;
  QStringList wrong;
  for (Output output : {Output::PageFiles, Output::Pdf, Output::Preview}) {
    const QList<QImage> pages = rig.print(output, job, pixels, rows, cols, 3);
    ASSERT_EQ(pages.size(), 1) << printtest::outputName(output);
    const QImage page = pages[0].copy(QRect(QPoint(), pixels));
    for (int column = 0; column < cols; ++column) {
      const QImage twin = page.copy(PrintedPagesRig::cellRect(pixels, rows, cols, 0, column));
      for (int row = 1; row < rows; ++row) {
        const QImage cell = page.copy(PrintedPagesRig::cellRect(pixels, rows, cols, row, column));
        const double deltaE = meanDeltaE(cell, twin);
        const QString line =
            QStringLiteral("%1 %2 %3: %4")
                .arg(printtest::outputName(output), formats[column], spaces[row].name)
                .arg(deltaE, 0, 'f', 2);
        report.append(line);
        // the PDF's rasteriser places each row at its own fraction of a pixel, which
        // blends the patches' edges a little differently even for equal pictures
        if (deltaE >= (spaces[row].damaged ? 0.5 : 1.5)) wrong.append(line);
      }
    }
  }
  ::testing::Test::RecordProperty("meanDeltaE", report.join("; ").toStdString());
  EXPECT_EQ(wrong.join('\n').toStdString(), "");
}

}  // namespace
