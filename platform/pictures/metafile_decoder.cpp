// The picture loader's entry for Windows metafiles and enhanced metafiles: read by the metafile player.
#include <new>

#include "platform/errors/error.h"
#include "platform/metafile/damaged.h"
#include "platform/metafile/metafile_player.h"
#include "platform/metafile/metafile_readers.h"
#include "platform/pictures/picture.h"

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

Error cannotRead(const QString& fileName, const QString& reason) {
  return Error(QStringLiteral("Cannot read picture \"%1\": %2").arg(fileName, reason));
}

}  // namespace

std::shared_ptr<const PictureSource> decodeMetafile(const QByteArray& bytes, const QString& fileName) {
  const metafile::LeReader file(bytes);
  try {
    if (metafile::looksLikeEmf(file)) return std::make_shared<MetafileSource>(metafile::readEmf(file));
    if (metafile::looksLikeWmf(file)) return std::make_shared<MetafileSource>(metafile::readWmf(file));
    if (bytes.isEmpty()) throw cannotRead(fileName, QStringLiteral("the file is empty"));
    throw cannotRead(fileName, QStringLiteral("it is not a Windows metafile"));
  } catch (const metafile::Damaged& damaged) {
    throw cannotRead(fileName, damaged.reason);
  } catch (const std::bad_alloc&) {
    throw cannotRead(fileName, QStringLiteral("it is too large"));
  }
}

}  // namespace orvella
