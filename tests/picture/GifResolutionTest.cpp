#include <gtest/gtest.h>

#include "TestPictures.h"
#include "picture/GifResolution.h"

namespace {

// A screen descriptor with a global colour table of two entries, then `rest`.
QByteArray gifFollowedBy(const QByteArray& rest) {
  QByteArray gif("GIF89a\x01\x00\x01\x00\x80\x00\x00", 13);
  return gif + QByteArray(6, '\0') + rest;
}

}  // namespace

// The resolution reads back whatever follows the header and colour table, down to
// nothing at all; a cut-off resource is none.
TEST(GifResolution, ReadsBackWhatWasWritten) {
  const QByteArray cases[] = {gifFollowedBy(""), gifFollowedBy(";"), gifFollowedBy("\0;"),
                              gifFollowedBy("\x21\x00;"),
                              testpictures::encode(testpictures::twoHalves(8, 6), ".gif")};
  for (const QByteArray& gif : cases) {
    SCOPED_TRACE(gif.size());
    int x = 0, y = 0;
    ASSERT_TRUE(readGifResolution(withGifResolution(gif, 300, 150), x, y));
    EXPECT_EQ(std::pair(x, y), std::pair(300, 150));
    EXPECT_FALSE(readGifResolution(gif, x, y));
  }
  int x = 0, y = 0;
  EXPECT_FALSE(readGifResolution(withGifResolution(gifFollowedBy(""), 300, 150).chopped(2), x, y));
}
