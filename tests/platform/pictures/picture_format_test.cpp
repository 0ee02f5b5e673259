// Format recognition: content decides before the extension.
#include <gtest/gtest.h>

#include "picture_test_support.h"
#include "platform/pictures/picture_format.h"

namespace orvella {
namespace {

TEST(PictureFormat, ContentWinsOverExtension) {
  EXPECT_EQ(detectPictureFormat(test::sampleBytes("quadrants.jpg"), "photo.bmp"), PictureFormat::Jpeg);
  EXPECT_EQ(detectPictureFormat(test::sampleBytes("red.bmp"), "red.jpg"), PictureFormat::Bitmap);
  EXPECT_EQ(detectPictureFormat(test::sampleBytes("two_sizes.ico"), "x.wmf"), PictureFormat::Icon);
}

TEST(PictureFormat, MetafileSignatures) {
  const QByteArray placeable("\xD7\xCD\xC6\x9A\0\0", 6);
  EXPECT_EQ(formatFromContent(placeable), PictureFormat::Wmf);
  const QByteArray plain("\x01\x00\x09\x00\x00\x03\x00\x00", 8);
  EXPECT_EQ(formatFromContent(plain), PictureFormat::Wmf);
  QByteArray emf(48, '\0');
  emf[0] = 1;
  emf.replace(40, 4, " EMF");
  EXPECT_EQ(formatFromContent(emf), PictureFormat::Emf);
  // An icon header differs from a plain metafile's only in its second word.
  EXPECT_EQ(formatFromContent(QByteArray("\x00\x00\x01\x00\x01\x00", 6)), PictureFormat::Icon);
}

TEST(PictureFormat, ExtensionWhenContentIsUnknown) {
  const QByteArray junk("hello world");
  EXPECT_EQ(detectPictureFormat(junk, "A.JPEG"), PictureFormat::Jpeg);
  EXPECT_EQ(detectPictureFormat(junk, "dir.x/Flower.WMF"), PictureFormat::Wmf);
  EXPECT_EQ(detectPictureFormat(junk, "a.emf"), PictureFormat::Emf);
  EXPECT_EQ(detectPictureFormat(junk, "a.ico"), PictureFormat::Icon);
  EXPECT_EQ(detectPictureFormat(junk, "notes.txt"), PictureFormat::Unknown);
  EXPECT_EQ(detectPictureFormat(QByteArray(), "noextension"), PictureFormat::Unknown);
}

}  // namespace
}  // namespace orvella
