// JPEG pictures into a PDF as their own bytes, through stand-in images that finishPdf replaces.
#include "preview/sinks/pdf_originals.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/pictures/jpeg_decoder.h"

namespace orvella::sinks {

namespace {

QImage standInImage(int number) {
  QImage image(kStandInWidth, 1, QImage::Format_Grayscale8);
  uchar* row = image.scanLine(0);
  std::memcpy(row, kStandInSignature, kStandInSignatureLength);
  row[kStandInSignatureLength] = uchar(number >> 8);
  row[kStandInSignatureLength + 1] = uchar(number & 0xFF);
  return image;
}

}  // namespace

PdfOriginals::PdfOriginals() = default;
PdfOriginals::~PdfOriginals() = default;

bool PdfOriginals::draw(QPainter& painter, const Picture& picture, const QRectF& target) {
  const bool jpeg = picture.format() == PictureFormat::Jpeg;
  if (!jpeg && !isMetafileFormat(picture.format())) return false;
  const QSizeF pixels = painter.transform().mapRect(target).size();
  // The same file is the same picture (compared by its bytes: files of other sizes never are). A
  // drawing is drawn again where it is shown at another size, so its lines keep their widths.
  auto known = std::find_if(originals_.begin(), originals_.end(), [&](const Original& o) {
    return o.bytes == picture.bytes() &&
           (jpeg || (std::abs(o.drawingPixels.width() - pixels.width()) < 0.5 &&
                     std::abs(o.drawingPixels.height() - pixels.height()) < 0.5));
  });
  if (known == originals_.end()) {
    if (originals_.size() >= 0xFFFF) return false;
    Original original{picture.bytes(), {}, 0, standInImage(int(originals_.size())), {}, {}, 0};
    if (jpeg) {
      const JpegInfo info = readJpegInfo(picture.bytes(), picture.fileName());
      if (info.components != 1 && info.components != 3) return false;
      original.size = info.size;
      original.components = info.components;
    } else {
      original.drawing = picture;
      original.drawingPixels = pixels;
      original.dpi = painter.device()->logicalDpiX();
    }
    originals_.push_back(std::move(original));
    known = originals_.end() - 1;
  }
  painter.save();
  // Kept without loss, so that its signature survives into the document.
  painter.setRenderHint(QPainter::LosslessImageRendering, true);
  painter.drawImage(target, known->standIn);
  painter.restore();
  return true;
}

// Each metafile drawn once into a document of its own, on a page as large as its place.
std::vector<PdfOriginal> PdfOriginals::originals() const {
  std::vector<PdfOriginal> result;
  result.reserve(originals_.size());
  for (const Original& original : originals_) {
    PdfOriginal& made = result.emplace_back();
    if (original.drawing.isNull()) {
      made.jpeg = original.bytes;
      made.size = original.size;
      made.components = original.components;
      continue;
    }
    QBuffer buffer(&made.drawing);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(int(std::lround(original.dpi)));
    writer.setPageLayout(QPageLayout(
        QPageSize(original.drawingPixels / original.dpi * 72.0, QPageSize::Point), QPageLayout::Portrait, {}));
    QPainter painter(&writer);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    original.drawing.draw(painter, QRectF(QPointF(), original.drawingPixels));
  }
  return result;
}

}  // namespace orvella::sinks
