// decodeRaster: bitmaps and icons decoded whole at load, JPEG pictures decoded when drawn.
#include <QPainter>

#include "platform/pictures/bitmap_decoder.h"
#include "platform/pictures/icon_decoder.h"
#include "platform/pictures/jpeg_decoder.h"
#include "platform/pictures/picture.h"
#include "platform/pictures/picture_error.h"
#include "platform/pictures/picture_format.h"
#include "platform/pictures/raster_cache.h"
#include "platform/pictures/raster_draw.h"

namespace orvella {

namespace {

// A picture held decoded in memory: bitmaps and icons are small enough, or must be read whole anyway.
class ImageSource final : public PictureSource {
 public:
  ImageSource(QImage image, std::uint64_t key) : image_(std::move(image)), key_(key) {}
  QSizeF naturalSize() const override { return QSizeF(image_.size()); }
  void draw(QPainter& painter, const QRectF& target) const override {
    drawRasterImage(painter, target, image_, key_, Enlarging::CrispWhenSmall);
  }
  void prepare(QSize devicePixels) const override { shownImage(image_, devicePixels, key_); }

 private:
  QImage image_;
  std::uint64_t key_;
};

}  // namespace

std::shared_ptr<const PictureSource> decodeRaster(const QByteArray& bytes, const QString& fileName) {
  switch (detectPictureFormat(bytes, fileName)) {
    case PictureFormat::Bitmap:
      return std::make_shared<ImageSource>(decodeBitmapFile(bytes, fileName), pictureContentKey(bytes));
    case PictureFormat::Icon:
      return std::make_shared<ImageSource>(decodeIconFile(bytes, fileName), pictureContentKey(bytes));
    case PictureFormat::Jpeg:
      return makeJpegSource(bytes, fileName);
    default:
      throw pictureError(fileName, QStringLiteral("not a bitmap, icon or JPEG picture"));
  }
}

}  // namespace orvella
