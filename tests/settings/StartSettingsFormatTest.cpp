#include <gtest/gtest.h>

#include "StartSettingsPrinting.h"
#include "settings/StartSettingsFormat.h"

namespace {

// Every field away from its built-in default.
StartSettings Unusual() {
  StartSettings s;
  PrintSettings& p = s.print;
  p.printerName = QStringLiteral("Photo Jet, upstairs");
  p.landscape = true;
  p.paperWidth = 2159;
  p.paperHeight = 2794;
  p.copies = 3;
  p.photoFit = 4;
  p.marginTop = 30;
  p.marginBottom = 0;
  p.marginLeft = 95;
  p.marginRight = 75;
  p.headerFromTop = 60;
  p.footerFromBottom = 70;
  p.bodyFont = FontDescription{0, 1, 0, 1, 0, 11, QStringLiteral("黑体")};
  p.headerFont = FontDescription{900, 0, 1, 0, 1, 14, QStringLiteral("@Light, Sans")};
  p.footerFont = FontDescription{-900, 1, 1, 1, 1, 2, QString()};
  p.headerAlign = HeaderAlign::Right;
  p.footerAlign = HeaderAlign::Left;
  p.rows = 3;
  p.columns = 4;
  p.rowSpacing = 25;
  p.columnSpacing = 0;
  p.photoArea = CardRect{0.1f, 0.05f, 0.8f, 0.7f};
  p.textArea = CardRect{-0.25f, 0.8f, 1.5f, 1.0f / 3.0f};
  p.captionAlign = CaptionAlign::Left;
  p.captionLines = 9;
  p.toPictureFiles = true;
  p.pictureFormat = PageFileFormat::Png;
  p.optimiseLevel = 0;
  s.mainWindow = MainWindowChoices{QStringLiteral("第&p页, 共&a页 = \"&f\""),
                                   QStringLiteral("; 2026\\12 #1"), false, false};
  return s;
}

QVariantMap WithValue(QVariantMap values, const QString& key, const QVariant& value) {
  values.insert(key, value);
  return values;
}

}  // namespace

TEST(StartSettingsFormat, ReadsBackWhatItWrites) {
  const StartSettings unusual = Unusual();
  const SettingsReading reading = ParseStartSettings(StartSettingsValues(unusual));
  EXPECT_EQ(reading.settings, unusual);
  EXPECT_FALSE(reading.incomplete());

  // As text, the way the file hands values back.
  QVariantMap asText;
  const QVariantMap values = StartSettingsValues(unusual);
  for (auto it = values.cbegin(); it != values.cend(); ++it)
    asText.insert(it.key(), it->toString());
  EXPECT_EQ(ParseStartSettings(asText).settings, unusual);
}

TEST(StartSettingsFormat, EachBadValueFallsBackToItsDefaultAlone) {
  QVariantMap stored = StartSettingsValues(Unusual());
  stored.insert(QStringLiteral("cells/rows"), QStringLiteral("-3"));
  stored.insert(QStringLiteral("cells/columns"), QStringLiteral("vier"));
  stored.insert(QStringLiteral("cells/captionLines"), 10);
  stored.insert(QStringLiteral("output/pictureFormat"), 0);
  stored.insert(QStringLiteral("paper/width"), QStringLiteral("99999999999"));
  stored.insert(QStringLiteral("margins/left"), QStringLiteral("-500"));  // photos off the paper
  stored.insert(QStringLiteral("margins/headerFromTop"), QStringLiteral("-1"));
  stored.insert(QStringLiteral("headerFont/bold"), 2);
  stored.insert(QStringLiteral("photoArea/x"), QStringLiteral("nan"));
  stored.insert(QStringLiteral("textArea/width"), QStringLiteral("1e30"));
  stored.insert(QStringLiteral("mainWindow/includeSubfolders"), QStringLiteral("maybe"));
  stored.insert(QStringLiteral("someday/unknownKey"), QStringLiteral("ignored"));
  stored.remove(QStringLiteral("margins/top"));  // missing: its default, nothing to report

  StartSettings expected = Unusual();
  const PrintSettings defaults = PrintSettings::builtInDefaults();
  expected.print.rows = defaults.rows;
  expected.print.columns = defaults.columns;
  expected.print.captionLines = defaults.captionLines;
  expected.print.pictureFormat = defaults.pictureFormat;
  expected.print.paperWidth = defaults.paperWidth;
  expected.print.marginLeft = defaults.marginLeft;
  expected.print.headerFromTop = defaults.headerFromTop;
  expected.print.headerFont.bold = 0;
  expected.print.photoArea.x = 0;
  expected.print.textArea.width = 0;
  expected.print.marginTop = defaults.marginTop;
  expected.mainWindow.includeSubfolders = true;

  const SettingsReading reading = ParseStartSettings(stored);
  EXPECT_EQ(reading.settings, expected);
  EXPECT_EQ(reading.badKeys, QStringList({"paper/width", "margins/left", "margins/headerFromTop",
                                          "cells/rows", "cells/columns", "cells/captionLines",
                                          "output/pictureFormat", "headerFont/bold", "photoArea/x",
                                          "textArea/width", "mainWindow/includeSubfolders"}));
  EXPECT_FALSE(reading.unreadable);
}

TEST(StartSettingsFormat, VersionDecidesWhetherTheFileIsRead) {
  const QVariantMap unusual = StartSettingsValues(Unusual());
  const QString version = QStringLiteral("version");

  // A newer program may mean something else by the same keys: nothing is taken.
  const SettingsReading newer =
      ParseStartSettings(WithValue(unusual, version, kStartSettingsVersion + 1));
  EXPECT_EQ(newer.settings, StartSettings());
  EXPECT_TRUE(newer.unreadable);

  // Without a usable version the fields are still read, and the version is reported.
  QVariantMap withoutVersion = unusual;
  withoutVersion.remove(version);
  for (const QVariantMap& stored : {withoutVersion, WithValue(unusual, version, "one")}) {
    const SettingsReading reading = ParseStartSettings(stored);
    EXPECT_EQ(reading.settings, Unusual());
    EXPECT_EQ(reading.badKeys, QStringList{version});
  }

  // An empty file (no keys at all) is a damaged one.
  EXPECT_TRUE(ParseStartSettings({}).incomplete());
  EXPECT_EQ(ParseStartSettings({}).settings, StartSettings());
}

TEST(StartSettingsFormat, APrinterThatIsNotInstalledFallsBackToNone) {
  SettingsReading reading = ParseStartSettings(StartSettingsValues(Unusual()));
  DropUnknownPrinter(reading, {QStringLiteral("photo jet, upstairs (USB)")});
  EXPECT_EQ(reading.settings.print.printerName, "Photo Jet, upstairs");
  EXPECT_FALSE(reading.incomplete());

  DropUnknownPrinter(reading, {QStringLiteral("Office Laser")});
  EXPECT_EQ(reading.settings.print.printerName, QString());
  EXPECT_EQ(reading.badKeys, QStringList{"printer/name"});
}
