#include <gtest/gtest.h>

#include <QFont>
#include <QRawFont>

#include "pdf/PdfTextMap.h"
#include "render/FontMapping.h"
#include "render/PrinterObject.h"

namespace {

TEST(RepairToUnicodeText, SingleCodesAndArraysChangeRangesAndLengthsStay) {
  // ⻚ U+2EDA stands for 页 U+9875, ⽚ U+2F5A for 片 U+7247
  const QHash<char16_t, char16_t> ideographs{{0x2EDA, 0x9875}, {0x2F5A, 0x7247}};
  QByteArray text =
      "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n"
      "4 beginbfrange\n"
      "<0000> <0000> <0000>\n"
      "<0003> <0003> <2eda>\n"
      "<0004> <0006> [<0041> <2F5A> <2EDA> ]\n"
      "<0010> <0019> <2EDA>\n"
      "endbfrange\n";
  const qsizetype size = text.size();
  EXPECT_EQ(RepairToUnicodeText(text, ideographs), 3);
  EXPECT_EQ(text.size(), size);
  EXPECT_EQ(text,
            "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n"
            "4 beginbfrange\n"
            "<0000> <0000> <0000>\n"
            "<0003> <0003> <9875>\n"
            "<0004> <0006> [<0041> <7247> <9875> ]\n"
            "<0010> <0019> <2EDA>\n"
            "endbfrange\n");
}

TEST(SharedGlyphIdeographs, ACjkFontDrawsPageRadicalWithThePageIdeograph) {
  QFont font(resolvedFontFamily(QStringLiteral("宋体")));
  font.setPixelSize(40);
  const QRawFont raw = QRawFont::fromFont(font);
  if (raw.glyphIndexesForString(QStringLiteral("页")).value(0) !=
      raw.glyphIndexesForString(QStringLiteral("⻚")).value(0))
    GTEST_SKIP() << "this font draws the radical apart";
  EXPECT_EQ(SharedGlyphIdeographs(raw).value(0x2EDA), 0x9875);
}

TEST(PictureSizeLimit, PixelsPerInchOfTheDrawnSizeRoundedDown) {
  EXPECT_EQ(PictureSizeLimit(QSizeF(2.0, 1.5), 300), QSize(600, 450));
  EXPECT_EQ(PictureSizeLimit(QSizeF(1.4649, 0.001), 300), QSize(439, 1));
}

}  // namespace
