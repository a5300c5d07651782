#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QTemporaryDir>

#include "platform/Paths.h"

TEST(PathFromNative, EveryByteSequenceMapsBackToItself) {
  const QList<QByteArray> names = {
      "/home/a/\xe7\x85\xa7\xe7\x89\x87.jpg",  // 照片: valid text decodes as usual
      "/tmp/\xff\xfe/x.jpg",                   // bytes that never occur in UTF-8
      "\xe7\x85",                              // a sequence cut short
      "\xc0\xaf\xe0\x80\xaf",                  // overlong forms of "/"
      "\xed\xa0\x80\xed\xb2\xbf",              // surrogates spelled in UTF-8
      "\xf0\x9f\x82\x80\xff",                  // a pair whose low half looks like an escape
      "\xf4\x90\x80\x80",                      // past U+10FFFF
  };
  for (const QByteArray& name : names) EXPECT_EQ(NativePath(PathFromNative(name)), name);
  EXPECT_EQ(PathFromNative(names[0]), QString::fromUtf8(names[0]));
  EXPECT_EQ(PathFromNative("a\xff"), QStringLiteral("a") + QChar(0xDCFF));
}

TEST(OpenForReading, OpensRegularFilesByTheirExactBytesOnly) {
  QTemporaryDir dir;
  const QByteArray base = NativePath(dir.path());
  const QByteArray raw = base + "/\xff\xfe.jpg";
  const int fd = ::open(raw.constData(), O_CREAT | O_WRONLY, 0644);
  ASSERT_GE(fd, 0);
  ASSERT_EQ(::write(fd, "data", 4), 4);
  ::close(fd);
  ASSERT_EQ(::mkfifo((base + "/pipe.jpg").constData(), 0644), 0);

  QFile file;
  ASSERT_TRUE(OpenForReading(file, PathFromNative(raw)));
  EXPECT_EQ(file.readAll(), QByteArray("data"));
  EXPECT_EQ(RegularFileSize(PathFromNative(raw)), 4);
  QByteArray start("left over from an earlier file");
  ASSERT_TRUE(ReadFileStart(PathFromNative(raw), 3, start));
  EXPECT_EQ(start, QByteArray("dat"));
  ASSERT_TRUE(ReadFileStart(PathFromNative(raw), 100, start));
  EXPECT_EQ(start, QByteArray("data"));
  for (const QString& refused : {dir.path(), dir.filePath("pipe.jpg"), dir.filePath("missing"),
                                 QString(), PathFromNative(raw) + QChar(0) + QChar(u'x')}) {
    QFile other;
    EXPECT_FALSE(OpenForReading(other, refused)) << qPrintable(refused);
    EXPECT_FALSE(IsRegularFile(refused));
    EXPECT_FALSE(ReadFileStart(refused, 100, start)) << qPrintable(refused);
  }
}
