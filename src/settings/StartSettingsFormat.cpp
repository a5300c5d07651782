#include "settings/StartSettingsFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <type_traits>
#include <utility>
#include <vector>

#include "model/MarginRange.h"
#include "settings/SettingsForm.h"

namespace {

const QString kVersionKey = QStringLiteral("version");

// Lengths beyond ten metres are no album page: such a value is a damaged file.
constexpr int kLongest = 100000;  // 0.1 mm
// The cell layout's fractions may leave the cell a little, never by this much.
constexpr float kFarthestFraction = 10.0f;

// A field stored as a whole number in a range: flags as 0 and 1, alignments as the
// index the settings window lists them at, picture formats as their number from 1.
struct NumberKey {
  const char* key;
  int (*get)(const PrintSettings&);
  void (*set)(PrintSettings&, int);
  int lowest;
  int highest;
};

template <auto Field>
NumberKey Number(const char* key, int lowest, int highest) {
  using Value = std::remove_cvref_t<decltype(std::declval<PrintSettings&>().*Field)>;
  return {key, [](const PrintSettings& s) { return static_cast<int>(s.*Field); },
          [](PrintSettings& s, int v) { s.*Field = static_cast<Value>(v); }, lowest, highest};
}

struct FontKey {
  const char* group;
  FontDescription PrintSettings::*font;
};

struct FontPartKey {
  const char* key;
  int FontDescription::*field;
  int lowest;
  int highest;
};

struct RectKey {
  const char* group;
  CardRect PrintSettings::*rect;
};

struct FractionKey {
  const char* key;
  float CardRect::*field;
};

struct TextKey {
  const char* key;
  QString MainWindowChoices::*field;
};

struct FlagKey {
  const char* key;
  bool MainWindowChoices::*field;
};

int LastIndex(const QStringList& items) {
  return static_cast<int>(items.size()) - 1;
}

// The record's numbers, each with the range a value may take.
const std::vector<NumberKey>& NumberKeys() {
  static const std::vector<NumberKey> keys = {
      Number<&PrintSettings::paperWidth>("paper/width", 1, kLongest),
      Number<&PrintSettings::paperHeight>("paper/height", 1, kLongest),
      Number<&PrintSettings::landscape>("paper/landscape", 0, 1),
      Number<&PrintSettings::marginTop>("margins/top", kMarginLowest, kMarginHighest),
      Number<&PrintSettings::marginBottom>("margins/bottom", kMarginLowest, kMarginHighest),
      Number<&PrintSettings::marginLeft>("margins/left", kMarginLowest, kMarginHighest),
      Number<&PrintSettings::marginRight>("margins/right", kMarginLowest, kMarginHighest),
      Number<&PrintSettings::headerFromTop>("margins/headerFromTop", kMarginLowest, kMarginHighest),
      Number<&PrintSettings::footerFromBottom>("margins/footerFromBottom", kMarginLowest,
                                               kMarginHighest),
      Number<&PrintSettings::rows>("cells/rows", 1, 1000),
      Number<&PrintSettings::columns>("cells/columns", 1, 1000),
      Number<&PrintSettings::rowSpacing>("cells/rowSpacing", -kLongest, kLongest),
      Number<&PrintSettings::columnSpacing>("cells/columnSpacing", -kLongest, kLongest),
      Number<&PrintSettings::photoFit>("cells/photoFit", 0, LastIndex(formitems::PhotoFitModes())),
      Number<&PrintSettings::captionLines>("cells/captionLines", 0,
                                           LastIndex(formitems::CaptionLineCounts())),
      Number<&PrintSettings::copies>("output/copies", 1, 9999),
      Number<&PrintSettings::toPictureFiles>("output/toPictureFiles", 0, 1),
      Number<&PrintSettings::pictureFormat>("output/pictureFormat", 1,
                                            LastIndex(formitems::PictureFormats()) + 1),
      Number<&PrintSettings::optimiseLevel>("output/optimiseLevel", 0,
                                            LastIndex(formitems::Optimisations())),
      Number<&PrintSettings::headerAlign>("header/align", 0,
                                          LastIndex(formitems::HeaderFooterAlignments())),
      Number<&PrintSettings::footerAlign>("footer/align", 0,
                                          LastIndex(formitems::HeaderFooterAlignments())),
      Number<&PrintSettings::captionAlign>("cells/captionAlign", 0,
                                           LastIndex(formitems::CaptionAlignments())),
  };
  return keys;
}

constexpr FontKey kFontKeys[] = {{"bodyFont", &PrintSettings::bodyFont},
                                 {"headerFont", &PrintSettings::headerFont},
                                 {"footerFont", &PrintSettings::footerFont}};

constexpr FontPartKey kFontPartKeys[] = {{"angle", &FontDescription::angle, -3600, 3600},
                                         {"bold", &FontDescription::bold, 0, 1},
                                         {"italic", &FontDescription::italic, 0, 1},
                                         {"underline", &FontDescription::underline, 0, 1},
                                         {"strikeout", &FontDescription::strikeout, 0, 1},
                                         {"size", &FontDescription::size, 0, 1000}};

constexpr RectKey kRectKeys[] = {{"photoArea", &PrintSettings::photoArea},
                                 {"textArea", &PrintSettings::textArea}};

constexpr FractionKey kFractionKeys[] = {{"x", &CardRect::x},
                                         {"y", &CardRect::y},
                                         {"width", &CardRect::width},
                                         {"height", &CardRect::height}};

constexpr TextKey kTextKeys[] = {{"mainWindow/headerTemplate", &MainWindowChoices::headerTemplate},
                                 {"mainWindow/footerTemplate", &MainWindowChoices::footerTemplate}};

constexpr FlagKey kFlagKeys[] = {
    {"mainWindow/includeSubfolders", &MainWindowChoices::includeSubfolders},
    {"mainWindow/printByCategory", &MainWindowChoices::printByCategory}};

QString Joined(const char* group, const char* key) {
  return QString::fromUtf8(group) + u'/' + QString::fromUtf8(key);
}

// An unquoted text with commas reads back as a list; its parts are the text.
QString TextOf(const QVariant& value) {
  if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(u',');
  return value.toString();
}

std::optional<int> IntOf(const QVariant& value, int lowest, int highest) {
  bool ok = false;
  const int number = TextOf(value).trimmed().toInt(&ok);
  if (!ok || number < lowest || number > highest) return std::nullopt;
  return number;
}

std::optional<float> FractionOf(const QVariant& value) {
  bool ok = false;
  const float number = TextOf(value).trimmed().toFloat(&ok);
  if (!ok || !std::isfinite(number) || std::fabs(number) > kFarthestFraction) return std::nullopt;
  return number;
}

std::optional<bool> FlagOf(const QVariant& value) {
  const QString text = TextOf(value).trimmed().toLower();
  if (text == u"true" || text == u"1") return true;
  if (text == u"false" || text == u"0") return false;
  return std::nullopt;
}

// The shortest text that reads back as the same float: 0.25f is "0.25", not
// "0.25000000372529".
QString FractionText(float value) {
  char buffer[32];
  const auto result = std::to_chars(std::begin(buffer), std::end(buffer), value);
  return QString::fromLatin1(buffer, result.ptr - buffer);
}

// Reads one key into "target" when its value passes "parse"; names it in badKeys when
// it is there but does not.
template <typename T, typename Parse>
void ReadKey(const QVariantMap& stored, const QString& key, T& target, Parse parse,
             QStringList& badKeys) {
  const auto found = stored.constFind(key);
  if (found == stored.constEnd()) return;
  if (const auto value = parse(*found))
    target = *value;
  else
    badKeys << key;
}

}  // namespace

SettingsReading ParseStartSettings(const QVariantMap& stored) {
  SettingsReading reading;
  int version = kStartSettingsVersion;
  const auto found = stored.constFind(kVersionKey);
  const auto stated =
      found == stored.constEnd() ? std::nullopt : IntOf(*found, 1, std::numeric_limits<int>::max());
  if (stated)
    version = *stated;
  else
    reading.badKeys << kVersionKey;
  // A newer program may mean something else by the same keys.
  if (version > kStartSettingsVersion) {
    reading.unreadable = true;
    reading.whyUnreadable = QStringLiteral("它由更新版本的程序写成");
    return reading;
  }
  // Not one key of ours: some other file.
  const QVariantMap known = StartSettingsValues(StartSettings{});
  if (std::none_of(stored.keyBegin(), stored.keyEnd(),
                   [&known](const QString& key) { return known.contains(key); })) {
    reading.unreadable = true;
    reading.whyUnreadable = QStringLiteral("里面没有保存的设置");
    return reading;
  }

  PrintSettings& print = reading.settings.print;
  QStringList& bad = reading.badKeys;
  const auto text = [](const QVariant& v) -> std::optional<QString> { return TextOf(v); };
  ReadKey(stored, QStringLiteral("printer/name"), print.printerName, text, bad);
  for (const NumberKey& k : NumberKeys()) {
    int number = k.get(print);
    ReadKey(
        stored, QString::fromUtf8(k.key), number,
        [&k](const QVariant& v) { return IntOf(v, k.lowest, k.highest); }, bad);
    k.set(print, number);
  }
  for (const FontKey& font : kFontKeys) {
    for (const FontPartKey& part : kFontPartKeys)
      ReadKey(
          stored, Joined(font.group, part.key), print.*font.font.*part.field,
          [&part](const QVariant& v) { return IntOf(v, part.lowest, part.highest); }, bad);
    ReadKey(stored, Joined(font.group, "face"), (print.*font.font).face, text, bad);
  }
  for (const RectKey& rect : kRectKeys)
    for (const FractionKey& fraction : kFractionKeys)
      ReadKey(stored, Joined(rect.group, fraction.key), print.*rect.rect.*fraction.field,
              FractionOf, bad);

  MainWindowChoices& main = reading.settings.mainWindow;
  for (const TextKey& k : kTextKeys)
    ReadKey(stored, QString::fromUtf8(k.key), main.*k.field, text, bad);
  for (const FlagKey& k : kFlagKeys)
    ReadKey(stored, QString::fromUtf8(k.key), main.*k.field, FlagOf, bad);
  return reading;
}

QVariantMap StartSettingsValues(const StartSettings& settings) {
  const PrintSettings& print = settings.print;
  QVariantMap values;
  values.insert(kVersionKey, kStartSettingsVersion);
  values.insert(QStringLiteral("printer/name"), print.printerName);
  for (const NumberKey& k : NumberKeys()) values.insert(QString::fromUtf8(k.key), k.get(print));
  for (const FontKey& font : kFontKeys) {
    for (const FontPartKey& part : kFontPartKeys)
      values.insert(Joined(font.group, part.key), print.*font.font.*part.field);
    values.insert(Joined(font.group, "face"), (print.*font.font).face);
  }
  for (const RectKey& rect : kRectKeys)
    for (const FractionKey& fraction : kFractionKeys)
      values.insert(Joined(rect.group, fraction.key),
                    FractionText(print.*rect.rect.*fraction.field));
  for (const TextKey& k : kTextKeys)
    values.insert(QString::fromUtf8(k.key), settings.mainWindow.*k.field);
  for (const FlagKey& k : kFlagKeys)
    values.insert(QString::fromUtf8(k.key), settings.mainWindow.*k.field);
  return values;
}

void DropUnknownPrinter(SettingsReading& reading, const QStringList& installedPrinters) {
  QString& name = reading.settings.print.printerName;
  if (name.isEmpty()) return;
  for (const QString& installed : installedPrinters)
    if (installed.startsWith(name, Qt::CaseInsensitive)) return;
  name.clear();
  reading.badKeys << QStringLiteral("printer/name");
}
