#include <gtest/gtest.h>

#include <QDir>
#include <limits>

#include "platform/DialogText.h"
#include "platform/Paths.h"

TEST(QtFileFilter, ConvertsDescriptionPatternPairs) {
  EXPECT_EQ(qtFileFilter(QStringLiteral("文本文件（*.txt）|*.txt")),
            QStringLiteral("文本文件（*.txt） (*.txt)"));
  EXPECT_EQ(qtFileFilter(QStringLiteral("图片|*.jpg;*.bmp|所有文件|*.*")),
            QStringLiteral("图片 (*.jpg *.bmp);;所有文件 (*.*)"));
}

TEST(QtFileFilter, ToleratesMissingOrEmptyParts) {
  EXPECT_EQ(qtFileFilter(QString()), QString());
  EXPECT_EQ(qtFileFilter(QStringLiteral("   ")), QString());
  // A description with no pattern matches everything rather than nothing.
  EXPECT_EQ(qtFileFilter(QStringLiteral("全部")), QStringLiteral("全部 (*)"));
  EXPECT_EQ(qtFileFilter(QStringLiteral("|*.txt")), QStringLiteral("*.txt (*.txt)"));
  EXPECT_EQ(qtFileFilter(QStringLiteral("文本|*.txt;;")), QStringLiteral("文本 (*.txt)"));
}

TEST(LeadingInteger, ReadsTheNumberATextBeginsWith) {
  EXPECT_EQ(leadingInteger(QStringLiteral("12")), 12);
  EXPECT_EQ(leadingInteger(QStringLiteral("  7 列")), 7);
  EXPECT_EQ(leadingInteger(QStringLiteral("3abc")), 3);
  EXPECT_EQ(leadingInteger(QStringLiteral("-4")), -4);
  EXPECT_EQ(leadingInteger(QStringLiteral("+5")), 5);
  EXPECT_EQ(leadingInteger(QStringLiteral("abc")), 0);
  EXPECT_EQ(leadingInteger(QString()), 0);
  EXPECT_EQ(leadingInteger(QStringLiteral("-")), 0);
  EXPECT_EQ(leadingInteger(QStringLiteral("1 2")), 1);
}

TEST(LeadingInteger, ClampsInsteadOfOverflowing) {
  EXPECT_EQ(leadingInteger(QStringLiteral("99999999999999999999999")),
            std::numeric_limits<int>::max());
  EXPECT_EQ(leadingInteger(QStringLiteral("-99999999999999999999999")),
            std::numeric_limits<int>::min());
  EXPECT_EQ(leadingInteger(QStringLiteral("2147483647")), std::numeric_limits<int>::max());
  EXPECT_EQ(leadingInteger(QStringLiteral("-2147483648")), std::numeric_limits<int>::min());
}

TEST(WithTrailingSeparator, EndsInExactlyOneSeparator) {
  const auto native = [](const char* p) { return QDir::toNativeSeparators(QString::fromUtf8(p)); };
  EXPECT_EQ(withTrailingSeparator(native("/home/a")), native("/home/a/"));
  EXPECT_EQ(withTrailingSeparator(native("/home/a/")), native("/home/a/"));
  EXPECT_EQ(withTrailingSeparator(native("/home//a///")), native("/home/a/"));
  EXPECT_EQ(withTrailingSeparator(native("/")), native("/"));
  EXPECT_EQ(withTrailingSeparator(native("照片/2024")), native("照片/2024/"));
  EXPECT_EQ(withTrailingSeparator(QString()), QString());
}

TEST(WithTrailingSeparator, KeepsANetworkPathsLeadingPair) {
  EXPECT_EQ(withTrailingSeparator(QDir::toNativeSeparators(QStringLiteral("//server//share"))),
            QDir::toNativeSeparators(QStringLiteral("//server/share/")));
}
