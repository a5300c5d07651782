#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "StartSettingsPrinting.h"
#include "settings/SettingsFile.h"

namespace {

class SettingsFileTest : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(folder.isValid()); }

  QString path(const QString& name = QStringLiteral("settings.ini")) const {
    return folder.filePath(name);
  }

  void writeBytes(const QString& file, const QByteArray& bytes) const {
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(bytes);
  }

  static QByteArray readBytes(const QString& file) {
    QFile in(file);
    return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
  }

  QTemporaryDir folder;
};

StartSettings Saved() {
  StartSettings s;
  s.print.printerName = QStringLiteral("Photo Jet");
  s.print.rows = 3;
  s.print.headerFont.face = QStringLiteral("@楷体, Sans");
  s.print.photoArea = CardRect{0.1f, 0.05f, 0.8f, 0.7f};
  s.mainWindow =
      MainWindowChoices{QStringLiteral("第&p页, 共&a页"), QStringLiteral("=; #"), false, true};
  return s;
}

}  // namespace

TEST_F(SettingsFileTest, WritesAReadableFileThatReadsBackWhole) {
  QString error;
  ASSERT_TRUE(WriteSettingsFile(path(QStringLiteral("new/folder/settings.ini")), Saved(), error))
      << error.toStdString();
  const QString written = path(QStringLiteral("new/folder/settings.ini"));
  const std::optional<SettingsReading> reading = ReadSettingsFile(written);
  ASSERT_TRUE(reading.has_value());
  EXPECT_EQ(reading->settings, Saved());
  EXPECT_FALSE(reading->incomplete());

  const QString text = QString::fromUtf8(readBytes(written));
  EXPECT_TRUE(text.contains(QStringLiteral("version=1"))) << text.toStdString();
  EXPECT_TRUE(text.contains(QStringLiteral("[cells]\n"))) << text.toStdString();
  EXPECT_TRUE(text.contains(QStringLiteral("rows=3\n"))) << text.toStdString();
  // Nothing but the file itself is left in its folder.
  EXPECT_EQ(QDir(QFileInfo(written).absolutePath()).entryList(QDir::Files | QDir::Hidden),
            QStringList{"settings.ini"});

  // Saving again replaces the whole file.
  StartSettings other;
  other.print.columns = 7;
  ASSERT_TRUE(WriteSettingsFile(written, other, error));
  EXPECT_EQ(ReadSettingsFile(written)->settings, other);
}

TEST_F(SettingsFileTest, NoFileMeansNoSavedSettingsAndRemovingItTwiceIsFine) {
  EXPECT_FALSE(ReadSettingsFile(path()).has_value());
  QString error;
  ASSERT_TRUE(WriteSettingsFile(path(), Saved(), error));
  EXPECT_TRUE(RemoveSettingsFile(path(), error));
  EXPECT_FALSE(QFile::exists(path()));
  EXPECT_TRUE(RemoveSettingsFile(path(), error));
}

TEST_F(SettingsFileTest, DamagedFilesReadAsDefaultsAndSaySo) {
  const struct {
    const char* what;
    QByteArray bytes;
  } damaged[] = {
      {"binary junk", QByteArray("\x00\xff\x13[\x01\x02=\n\x7f", 9) + QByteArray(3000, '\xfe')},
      {"cut off mid-way", QByteArray("version=1\n[cells]\nrows=")},
      {"empty", QByteArray()},
      {"far too large", "version=1\n" + QByteArray(2 * 1024 * 1024, '#')},
  };
  for (const auto& file : damaged) {
    writeBytes(path(), file.bytes);
    const std::optional<SettingsReading> reading = ReadSettingsFile(path());
    ASSERT_TRUE(reading.has_value()) << file.what;
    EXPECT_EQ(reading->settings, StartSettings()) << file.what;
    EXPECT_TRUE(reading->incomplete()) << file.what;
  }

  // A folder where the file should be.
  ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("folder.ini")));
  EXPECT_TRUE(ReadSettingsFile(path(QStringLiteral("folder.ini")))->unreadable);
}

TEST_F(SettingsFileTest, HandWrittenValuesAreCheckedOneByOne) {
  writeBytes(path(),
             "[General]\nversion=1\n[cells]\nrows=-2\ncolumns=zwei\nphotoFit=3\n"
             "[printer]\nname=Gone Printer\n[mainWindow]\nheaderTemplate=Seite &p, von &a\n");
  int printerQueries = 0;
  const std::optional<SettingsReading> reading = ReadSettingsFile(path(), [&printerQueries] {
    ++printerQueries;
    return QStringList{QStringLiteral("Office Laser")};
  });
  ASSERT_TRUE(reading.has_value());
  StartSettings expected;
  expected.print.photoFit = 3;
  expected.mainWindow.headerTemplate = QStringLiteral("Seite &p,von &a");
  EXPECT_EQ(reading->settings, expected);
  EXPECT_EQ(reading->badKeys, QStringList({"cells/rows", "cells/columns", "printer/name"}));
  EXPECT_EQ(printerQueries, 1);

  // Without a saved printer the installed ones are not asked for.
  QString error;
  ASSERT_TRUE(WriteSettingsFile(path(), StartSettings(), error));
  ReadSettingsFile(path(), [&printerQueries] {
    ++printerQueries;
    return QStringList();
  });
  EXPECT_EQ(printerQueries, 1);
}

TEST_F(SettingsFileTest, AFailedWriteSaysWhyAndLeavesNothingBehind) {
  writeBytes(path(QStringLiteral("not-a-folder")), "x");
  QString error;
  EXPECT_FALSE(
      WriteSettingsFile(path(QStringLiteral("not-a-folder/settings.ini")), Saved(), error));
  EXPECT_FALSE(error.isEmpty());
  EXPECT_EQ(readBytes(path(QStringLiteral("not-a-folder"))), "x");
}
