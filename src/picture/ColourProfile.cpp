#include "picture/ColourProfile.h"

#include <lcms2.h>

#include <QHash>
#include <cstring>
#include <memory>
#include <mutex>
#include <vector>

#include "picture/MatrixShaper.h"

namespace {

// Albums seldom mix more than a few profiles; the cache is emptied past this many.
constexpr qsizetype kKeptTransforms = 16;

struct TransformDeleter {
  void operator()(void* transform) const { cmsDeleteTransform(transform); }
};
using Transform = std::shared_ptr<void>;

struct Conversion {
  Transform transform;                         // null: the pixels stay as they are
  std::shared_ptr<const MatrixShaper> tables;  // the same conversion by tables, where it serves
  bool grey = false;                           // the profile describes one grey channel
};

struct ProfileCloser {
  void operator()(void* profile) const { cmsCloseProfile(profile); }
};
using Profile = std::unique_ptr<void, ProfileCloser>;

// A profile that says it is sRGB needs no work: most cameras and phones write one.
bool describesSrgb(cmsHPROFILE profile) {
  char description[256] = {};
  cmsGetProfileInfoASCII(profile, cmsInfoDescription, "en", "US", description, sizeof description);
  return std::strstr(description, "sRGB") != nullptr;
}

Conversion buildConversion(const QByteArray& icc) {
  Conversion conversion;
  const Profile source(
      cmsOpenProfileFromMem(icc.constData(), static_cast<cmsUInt32Number>(icc.size())));
  if (!source) return conversion;
  const cmsColorSpaceSignature space = cmsGetColorSpace(source.get());
  if (space != cmsSigRgbData && space != cmsSigGrayData) return conversion;
  if (space == cmsSigRgbData && describesSrgb(source.get())) return conversion;
  const Profile srgb(cmsCreate_sRGBProfile());
  conversion.grey = space == cmsSigGrayData;
  // On a little-endian machine a 32-bit pixel lies in memory as B, G, R, A; the fourth
  // byte is left as it is.
  const cmsUInt32Number in =
      conversion.grey ? TYPE_GRAY_8 : (Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? TYPE_BGRA_8 : TYPE_ARGB_8);
  const cmsUInt32Number out = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? TYPE_BGRA_8 : TYPE_ARGB_8;
  // No cache inside the transform, so one transform serves every thread at once.
  cmsHTRANSFORM transform = cmsCreateTransform(source.get(), in, srgb.get(), out, INTENT_PERCEPTUAL,
                                               cmsFLAGS_BLACKPOINTCOMPENSATION | cmsFLAGS_NOCACHE);
  if (!transform) return conversion;
  conversion.transform = Transform(transform, TransformDeleter());
  if (!conversion.grey)
    conversion.tables = MatrixShaper::build(source.get(), srgb.get(), transform);
  return conversion;
}

Conversion conversionFor(const QByteArray& icc) {
  static std::mutex mutex;
  static QHash<QByteArray, Conversion> kept;
  static const bool quiet = [] {
    // A damaged profile is ignored, not reported on standard error.
    cmsSetLogErrorHandler(nullptr);
    return true;
  }();
  Q_UNUSED(quiet);
  const std::lock_guard lock(mutex);
  const auto found = kept.constFind(icc);
  if (found != kept.constEnd()) return *found;
  if (kept.size() >= kKeptTransforms) kept.clear();
  Conversion conversion = buildConversion(icc);
  kept.insert(icc, conversion);
  return conversion;
}

QByteArray saved(cmsHPROFILE profile) {
  cmsUInt32Number size = 0;
  if (!profile || !cmsSaveProfileToMem(profile, nullptr, &size)) return {};
  QByteArray bytes(static_cast<qsizetype>(size), Qt::Uninitialized);
  if (!cmsSaveProfileToMem(profile, bytes.data(), &size)) return {};
  return bytes;
}

}  // namespace

void ConvertToSrgb(QImage& picture, const QByteArray& iccProfile) {
  if (iccProfile.isEmpty() || picture.isNull()) return;
  const Conversion conversion = conversionFor(iccProfile);
  if (!conversion.transform) return;
  if (picture.format() != QImage::Format_RGB32 && picture.format() != QImage::Format_ARGB32)
    picture = picture.convertToFormat(picture.hasAlphaChannel() ? QImage::Format_ARGB32
                                                                : QImage::Format_RGB32);
  const int width = picture.width();
  std::vector<uchar> grey(conversion.grey ? static_cast<size_t>(width) : 0);
  for (int y = 0; y < picture.height(); ++y) {
    uchar* line = picture.scanLine(y);
    if (conversion.tables) {
      conversion.tables->apply(reinterpret_cast<QRgb*>(line), width);
    } else if (conversion.grey) {
      // A grey picture arrives with three equal channels; the profile reads one.
      for (int x = 0; x < width; ++x) grey[static_cast<size_t>(x)] = line[x * 4 + 1];
      cmsDoTransform(conversion.transform.get(), grey.data(), line,
                     static_cast<cmsUInt32Number>(width));
    } else {
      cmsDoTransform(conversion.transform.get(), line, line, static_cast<cmsUInt32Number>(width));
    }
  }
}

QByteArray SrgbProfile() {
  static const QByteArray profile = [] {
    const Profile srgb(cmsCreate_sRGBProfile());
    // Written as a version 2 profile: PDF 1.4 and older lab software read no other.
    if (srgb) cmsSetProfileVersion(srgb.get(), 2.1);
    return saved(srgb.get());
  }();
  return profile;
}

QByteArray MakeRgbProfile(const RgbChromaticities& space, double exponent) {
  const cmsCIExyY white{space.white[0], space.white[1], 1.0};
  const cmsCIExyYTRIPLE primaries{{space.red[0], space.red[1], 1.0},
                                  {space.green[0], space.green[1], 1.0},
                                  {space.blue[0], space.blue[1], 1.0}};
  if (white.y <= 0 || primaries.Red.y <= 0 || primaries.Green.y <= 0 || primaries.Blue.y <= 0 ||
      exponent < 0)
    return {};
  // sRGB's curve: a 2.4 power above a short straight piece.
  const double srgbCurve[5] = {2.4, 1.0 / 1.055, 0.055 / 1.055, 1.0 / 12.92, 0.04045};
  const std::unique_ptr<cmsToneCurve, void (*)(cmsToneCurve*)> curve(
      exponent > 0 ? cmsBuildGamma(nullptr, exponent)
                   : cmsBuildParametricToneCurve(nullptr, 4, srgbCurve),
      cmsFreeToneCurve);
  if (!curve) return {};
  cmsToneCurve* curves[3] = {curve.get(), curve.get(), curve.get()};
  const Profile profile(cmsCreateRGBProfile(&white, &primaries, curves));
  return saved(profile.get());
}
