// Stands in for the metafile player in builds that leave it out: metafiles are then refused plainly.
#include "platform/pictures/picture.h"
#include "platform/pictures/picture_error.h"

namespace orvella {

std::shared_ptr<const PictureSource> decodeMetafile(const QByteArray&, const QString& fileName) {
  throw pictureError(fileName,
                     QStringLiteral("unsupported picture (metafiles cannot be shown by this build)"));
}

}  // namespace orvella
