#include "render/FontMapping.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QHash>
#include <QStringList>
#include <cmath>
#include <mutex>

namespace {

// Bytes of the face name in the Chinese code page: ASCII one byte, the rest two.
int codePageLength(const QString& face) {
  int bytes = 0;
  for (QChar c : face) bytes += c.unicode() < 0x80 ? 1 : 2;
  return bytes;
}

struct FaceAlias {
  const char16_t* face;
  const char* family;
};

constexpr FaceAlias kAliases[] = {
    {u"宋体", "Noto Serif CJK SC"},   {u"新宋体", "Noto Serif CJK SC"},
    {u"仿宋", "Noto Serif CJK SC"},   {u"仿宋_GB2312", "Noto Serif CJK SC"},
    {u"SimSun", "Noto Serif CJK SC"}, {u"NSimSun", "Noto Serif CJK SC"},
    {u"黑体", "Noto Sans CJK SC"},    {u"微软雅黑", "Noto Sans CJK SC"},
    {u"SimHei", "Noto Sans CJK SC"},  {u"Microsoft YaHei", "Noto Sans CJK SC"},
    {u"楷体", "AR PL UKai CN"},       {u"楷体_GB2312", "AR PL UKai CN"},
    {u"KaiTi", "AR PL UKai CN"},
};

// The font database answers through a fontconfig lookup that costs more than drawing
// a caption, and text is drawn cell after cell; the installed families do not change
// while the program runs.
bool familyInstalled(const QString& family) {
  static std::mutex mutex;
  static QHash<QString, bool> known;
  const std::lock_guard lock(mutex);
  const auto it = known.constFind(family);
  if (it != known.constEnd()) return it.value();
  const bool installed = QFontDatabase::hasFamily(family);
  known.insert(family, installed);
  return installed;
}

}  // namespace

int screenFontPixels(int points) {
  return static_cast<int>(std::lround(std::abs(points) * 96.0 / 72.0));
}

QString resolvedFontFamily(const QString& face) {
  QString trimmed = face.trimmed();
  if (trimmed.isEmpty() || codePageLength(trimmed) > 31) return {};
  for (const FaceAlias& alias : kAliases) {
    if (trimmed.compare(QString::fromUtf16(alias.face), Qt::CaseInsensitive) == 0) {
      QString family = QString::fromLatin1(alias.family);
      if (familyInstalled(family)) return family;
      break;
    }
  }
  return trimmed;
}

QFont makeFont(const FontDescription& description, int pixelHeight) {
  QFont font;
  const QString family = resolvedFontFamily(description.face);
  if (!family.isEmpty()) font.setFamilies(QStringList{family});
  font.setPixelSize(std::max(1, pixelHeight));
  font.setBold(description.bold != 0);
  font.setItalic(description.italic != 0);
  font.setUnderline(description.underline != 0);
  font.setStrikeOut(description.strikeout != 0);
  return font;
}

TextCell textCellOf(const QFont& font, const QPaintDevice* device) {
  const QFontMetricsF metrics = device ? QFontMetricsF(font, device) : QFontMetricsF(font);
  const qreal box = metrics.ascent() + metrics.descent();
  const int height = font.pixelSize() > 0 ? font.pixelSize() : qRound(box);
  const int baseline = qRound((height + metrics.ascent() - metrics.descent()) / 2);
  return {height, baseline};
}
