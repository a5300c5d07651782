#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QRandomGenerator>
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

// Bytes like the body of a photo: every value equally likely.
QByteArray Noise(int size) {
  QByteArray bytes(size, Qt::Uninitialized);
  QRandomGenerator random(13);
  for (char& b : bytes) b = static_cast<char>(random.bounded(256));
  return bytes;
}

QByteArray JpegStart() {
  return QByteArray("\xFF\xD8\xFF\xE0\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00", 20);
}

TEST(DecodeCaptureList, GbkUtf8AndUtf16GiveTheSameText) {
  EXPECT_EQ(DecodeCaptureList(Gbk(kList)), kList);
  EXPECT_EQ(DecodeCaptureList(kList.toUtf8()), kList);
  EXPECT_EQ(DecodeCaptureList("\xEF\xBB\xBF" + kList.toUtf8()), kList);
  EXPECT_EQ(DecodeCaptureList(Utf16Le(kList)), kList);
  EXPECT_EQ(DecodeCaptureList(Utf16Le(kList).sliced(2)), kList);  // no byte-order mark
}

TEST(DecodeCaptureList, EndsAtTheFirstNul) {
  EXPECT_EQ(DecodeCaptureList(Gbk(kList) + QByteArray(16, '\0')), kList);
  EXPECT_EQ(DecodeCaptureList(Utf16Le(kList) + QByteArray(4, '\0')), kList);
  EXPECT_EQ(DecodeCaptureList(Gbk(kList) + QByteArray("\x00more\ttext\r\n", 13)), kList);
  EXPECT_EQ(DecodeCaptureList(Utf16Le(kList).sliced(2) + QByteArray(6, '\0')), kList);
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
  EXPECT_TRUE(DecodeCaptureList(Noise(4096)).isEmpty());
}

// A stray control byte, a NUL in the middle, NUL padding or a Ctrl-Z end mark leave a
// list a list; only controls all through make bytes binary, in UTF-16 too.
TEST(LooksBinary, OnlyControlsAllThroughMakeBytesBinary) {
  const QByteArray list = Gbk(kList);
  EXPECT_FALSE(LooksBinary(list));
  EXPECT_FALSE(LooksBinary(list + QByteArray(8, '\0')));
  EXPECT_FALSE(LooksBinary(list + '\x1A'));
  EXPECT_FALSE(LooksBinary(list.left(20) + '\x01' + list.mid(20)));
  EXPECT_FALSE(LooksBinary(list.left(20) + '\0' + list.mid(20)));
  EXPECT_FALSE(LooksBinary(Utf16Le(kList)));
  EXPECT_FALSE(LooksBinary(Utf16Le(kList).sliced(2)));
  EXPECT_FALSE(LooksBinary(QByteArray()));
  EXPECT_TRUE(LooksBinary(JpegStart()));
  EXPECT_TRUE(LooksBinary(list + Noise(4096)));
  EXPECT_TRUE(LooksBinary(Utf16Le(kList + QString(8, QChar(u'\x01')))));
  EXPECT_TRUE(LooksBinary(QByteArray(QStringEncoder(QStringConverter::Utf16BE).encode(kList))));
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

TEST_F(CaptureListFileTest, LargeTextIsTooLargeLargeBinaryIsBinary) {
  QByteArray text;
  while (text.size() < 300 * 1024) text += Gbk(kList);
  EXPECT_EQ(ReadCaptureList(Write("big.txt", text), 200 * 1024).outcome,
            CaptureListOutcome::TooLarge);
  EXPECT_EQ(ReadCaptureList(Write("fits.txt", text), 400 * 1024).text.size(),
            DecodeCaptureList(text).size());

  const CaptureListFile picture =
      ReadCaptureList(Write("photo.txt", JpegStart() + Noise(1024 * 1024)), 200 * 1024);
  EXPECT_EQ(picture.outcome, CaptureListOutcome::Binary);
  EXPECT_TRUE(picture.text.isEmpty());
}

// Reading stops at the first NUL code unit of UTF-16, not at the first NUL byte.
TEST_F(CaptureListFileTest, LongUtf16ListIsReadWhole) {
  QString text;
  while (text.size() < 100 * 1024) text += kList;
  EXPECT_EQ(ReadCaptureList(Write("utf16.txt", Utf16Le(text))).text, text);
  EXPECT_EQ(ReadCaptureList(Write("bare.txt", Utf16Le(text).sliced(2) + QByteArray(2, '\0'))).text,
            text);
}

TEST_F(CaptureListFileTest, EmptyFileIsEmptyText) {
  const CaptureListFile empty = ReadCaptureList(Write("empty.txt", QByteArray()));
  EXPECT_EQ(empty.outcome, CaptureListOutcome::Text);
  EXPECT_TRUE(empty.text.isEmpty());
}

}  // namespace
