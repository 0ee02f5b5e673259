// The decoded-picture cache: least recently used first out, byte budget, one print-size image at most.
#include <gtest/gtest.h>

#include "platform/pictures/raster_cache.h"

namespace orvella {
namespace {

class RasterCacheRules : public ::testing::Test {
 protected:
  void SetUp() override { cache_.setBudgetBytes(3 * kSmallBytes); }

  static constexpr int kSide = 64;  // 64 × 64 × 4 bytes
  static constexpr std::int64_t kSmallBytes = kSide * kSide * 4;

  static QImage image(int w, int h, QRgb color) {
    QImage i(w, h, QImage::Format_RGB32);
    i.fill(color);
    return i;
  }
  static RasterCache::Key key(std::uint64_t content, int w = kSide, int h = kSide) { return {content, w, h}; }

  RasterCache cache_;
};

TEST_F(RasterCacheRules, LeastRecentlyUsedLeavesFirst) {
  for (std::uint64_t c = 1; c <= 3; ++c) cache_.insert(key(c), image(kSide, kSide, qRgb(int(c), 0, 0)));
  EXPECT_FALSE(cache_.find(key(1)).isNull());  // 1 becomes the most recent
  cache_.insert(key(4), image(kSide, kSide, 0));
  EXPECT_TRUE(cache_.find(key(2)).isNull());
  EXPECT_FALSE(cache_.find(key(1)).isNull());
  EXPECT_FALSE(cache_.find(key(3)).isNull());
  EXPECT_EQ(cache_.bytesHeld(), 3 * kSmallBytes);
  EXPECT_EQ(qRed(cache_.find(key(1)).pixel(0, 0)), 1);
}

TEST_F(RasterCacheRules, SizeIsPartOfTheKeyAndReinsertReplaces) {
  cache_.insert(key(7, 64, 64), image(64, 64, qRgb(1, 0, 0)));
  EXPECT_TRUE(cache_.find(key(7, 32, 32)).isNull());
  cache_.insert(key(7, 64, 64), image(64, 64, qRgb(2, 0, 0)));
  EXPECT_EQ(cache_.entryCount(), 1);
  EXPECT_EQ(cache_.bytesHeld(), kSmallBytes);
  EXPECT_EQ(qRed(cache_.find(key(7)).pixel(0, 0)), 2);
}

TEST_F(RasterCacheRules, ImageBeyondTheBudgetIsNotKept) {
  cache_.insert(key(1), image(kSide, kSide, 0));
  cache_.insert(key(2, 200, 200), image(200, 200, 0));
  EXPECT_TRUE(cache_.find(key(2, 200, 200)).isNull());
  EXPECT_FALSE(cache_.find(key(1)).isNull()) << "a refused image must not push others out";
}

TEST_F(RasterCacheRules, OnlyOnePrintSizeImageIsKept) {
  cache_.setBudgetBytes(RasterCache::kDefaultBudgetBytes);
  const int side = 3000;  // 36 MB: a print-resolution decode
  cache_.insert(key(1), image(kSide, kSide, 0));
  cache_.insert(key(10, side, side), image(side, side, 0));
  cache_.insert(key(11, side, side), image(side, side, 0));
  EXPECT_EQ(cache_.largeEntryCount(), 1);
  EXPECT_FALSE(cache_.find(key(11, side, side)).isNull());
  EXPECT_TRUE(cache_.find(key(10, side, side)).isNull());
  EXPECT_FALSE(cache_.find(key(1)).isNull());
}

TEST_F(RasterCacheRules, RoomForAPrintSizeImageIsMadeBeforeItIsDecoded) {
  cache_.setBudgetBytes(RasterCache::kDefaultBudgetBytes);
  const int side = 3000;
  cache_.insert(key(1), image(kSide, kSide, 0));
  cache_.insert(key(10, side, side), image(side, side, 0));
  // The decodes fail (null images), so only the room made before them is left to see.
  cache_.findOrMake(key(11, side, side), std::int64_t(side) * side * 4, [&] {
    EXPECT_EQ(cache_.largeEntryCount(), 0) << "two print-size images would be held during the decode";
    return QImage();
  });
  EXPECT_FALSE(cache_.find(key(1)).isNull());
  cache_.findOrMake(key(2), kSmallBytes, [&] {
    EXPECT_EQ(cache_.entryCount(), 1) << "a small image makes room only within the budget";
    return QImage();
  });
}

TEST(PictureContentKey, FollowsTheBytes) {
  const QByteArray a("same bytes"), b("same bytes"), c("same bytez");
  EXPECT_EQ(pictureContentKey(a), pictureContentKey(b));
  EXPECT_NE(pictureContentKey(a), pictureContentKey(c));
  EXPECT_NE(pictureContentKey(QByteArray(10, '\0')), pictureContentKey(QByteArray(11, '\0')));
}

}  // namespace
}  // namespace orvella
