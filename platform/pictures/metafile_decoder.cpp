// The picture loader's entry for Windows metafiles and enhanced metafiles: read by the metafile player.
#include <new>

#include "platform/errors/error.h"
#include "platform/metafile/damaged.h"
#include "platform/metafile/metafile_player.h"
#include "platform/metafile/metafile_readers.h"
#include "platform/pictures/picture.h"
#include "platform/pictures/picture_error.h"

namespace orvella {
namespace {

class MetafileSource : public PictureSource {
 public:
  explicit MetafileSource(metafile::Program program) : program_(std::move(program)) {}

  QSizeF naturalSize() const override { return program_.naturalSize; }
  void draw(QPainter& painter, const QRectF& target) const override {
    metafile::playMetafile(program_, painter, target);
  }

 private:
  metafile::Program program_;
};

}  // namespace

std::shared_ptr<const PictureSource> decodeMetafile(const QByteArray& bytes, const QString& fileName) {
  const metafile::LeReader file(bytes);
  try {
    if (metafile::looksLikeEmf(file)) return std::make_shared<MetafileSource>(metafile::readEmf(file));
    if (metafile::looksLikeWmf(file)) return std::make_shared<MetafileSource>(metafile::readWmf(file));
    if (bytes.isEmpty()) throw pictureError(fileName, QStringLiteral("the file is empty"));
    throw pictureError(fileName, QStringLiteral("it is not a Windows metafile"));
  } catch (const metafile::Damaged& damaged) {
    throw pictureError(fileName, damaged.reason);
  } catch (const std::bad_alloc&) {
    throw pictureError(fileName, QStringLiteral("it is too large"));
  }
}

}  // namespace orvella
