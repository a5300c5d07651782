#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include "exchange/CaptureListText.h"

namespace {

const QString kList = QStringLiteral(
    "序号\t图片名全称\t图片类别\t图片说明\r\n"
    "1\tD:\\照片\\春游 合影.jpg\t春游\t春游 合影\r\n");

QByteArray Gbk(const QString& text) {
  return QStringEncoder("GBK").encode(text);
}

QByteArray Utf16Le(const QString& text) {
  return QByteArray("\xFF\xFE", 2) + QStringEncoder(QStringConverter::Utf16LE).encode(text);
}

QByteArray JpegStart() {
  return QByteArray("\xFF\xD8\xFF\xE0\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00", 20);
}

TEST(DecodeCaptureList, GbkUtf8AndUtf16GiveTheSameText) {
  EXPECT_EQ(DecodeCaptureList(Gbk(kList)), kList);
  EXPECT_EQ(DecodeCaptureList(kList.toUtf8()), kList);
  EXPECT_EQ(DecodeCaptureList("\xEF\xBB\xBF" + kList.toUtf8()), kList);
  EXPECT_EQ(DecodeCaptureList(Utf16Le(kList)), kList);
}

TEST(DecodeCaptureList, EndsAtTheFirstNul) {
  EXPECT_EQ(DecodeCaptureList(Gbk(kList) + QByteArray(16, '\0')), kList);
  EXPECT_EQ(DecodeCaptureList(Utf16Le(kList) + QByteArray(4, '\0')), kList);
}

TEST(DecodeCaptureList, InvalidGbkSequencesKeepTheRestOfTheText) {
  // 0x80 0x0A and a lead byte at the very end are no GBK characters.
  const QByteArray bytes =
      Gbk(QStringLiteral("标题\t说明\r\n")) + "a\x81\x0A" + Gbk(QStringLiteral("照片")) + "\x81";
  const QString text = DecodeCaptureList(bytes);
  EXPECT_TRUE(text.startsWith(QStringLiteral("标题\t说明\r\na")));
  EXPECT_TRUE(text.contains(QStringLiteral("照片")));
}

TEST(DecodeCaptureList, BinaryBytesGiveNoText) {
  EXPECT_TRUE(DecodeCaptureList(JpegStart()).isEmpty());
  EXPECT_TRUE(DecodeCaptureList(QByteArray("\x89PNG\r\n\x1A\n\x00\x00\x00\rIHDR", 16)).isEmpty());
  EXPECT_TRUE(DecodeCaptureList(Gbk(kList) + QByteArray("\x00more text", 10)).isEmpty());
}

TEST(LooksBinary, TextWithTabsLineEndsAndNulPaddingIsText) {
  EXPECT_FALSE(LooksBinary(Gbk(kList)));
  EXPECT_FALSE(LooksBinary(Gbk(kList) + QByteArray(8, '\0')));
  EXPECT_FALSE(LooksBinary(Utf16Le(kList)));
  EXPECT_FALSE(LooksBinary(QByteArray()));
  EXPECT_TRUE(LooksBinary(QByteArray("abc\x01", 4)));
  EXPECT_TRUE(LooksBinary(Utf16Le(QStringLiteral("a\x01"))));
}

class CaptureListFileTest : public ::testing::Test {
protected:
  QString Write(const QString& name, const QByteArray& bytes) {
    const QString path = dir_.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    return path;
  }
  QTemporaryDir dir_;
};

TEST_F(CaptureListFileTest, ReadsGbkAndUtf8Lists) {
  const CaptureListFile gbk = ReadCaptureList(Write("gbk.txt", Gbk(kList)));
  const CaptureListFile utf8 = ReadCaptureList(Write("utf8.txt", kList.toUtf8()));
  EXPECT_EQ(gbk.outcome, CaptureListOutcome::Text);
  EXPECT_EQ(gbk.text, kList);
  EXPECT_EQ(utf8.text, kList);
}

TEST_F(CaptureListFileTest, MissingFilesAndFoldersAreUnreadable) {
  EXPECT_EQ(ReadCaptureList(dir_.filePath("none.txt")).outcome, CaptureListOutcome::Unreadable);
  EXPECT_EQ(ReadCaptureList(dir_.path()).outcome, CaptureListOutcome::Unreadable);
  EXPECT_EQ(ReadCaptureList(QStringLiteral("/dev/zero")).outcome, CaptureListOutcome::Unreadable);
}

TEST_F(CaptureListFileTest, LargeTextIsRefusedLargeBinaryIsEmpty) {
  QByteArray text;
  while (text.size() < 300 * 1024) text += Gbk(kList);
  EXPECT_EQ(ReadCaptureList(Write("big.txt", text), 200 * 1024).outcome,
            CaptureListOutcome::TooLarge);
  EXPECT_EQ(ReadCaptureList(Write("fits.txt", text), 400 * 1024).text.size(),
            DecodeCaptureList(text).size());

  const CaptureListFile picture =
      ReadCaptureList(Write("photo.txt", JpegStart() + QByteArray(1024 * 1024, 'x')), 200 * 1024);
  EXPECT_EQ(picture.outcome, CaptureListOutcome::Text);
  EXPECT_TRUE(picture.text.isEmpty());
}

TEST_F(CaptureListFileTest, EmptyFileIsEmptyText) {
  const CaptureListFile empty = ReadCaptureList(Write("empty.txt", QByteArray()));
  EXPECT_EQ(empty.outcome, CaptureListOutcome::Text);
  EXPECT_TRUE(empty.text.isEmpty());
}

}  // namespace
