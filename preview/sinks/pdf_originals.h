// Pictures a PDF takes as they are: a JPEG's own bytes, never decoded and encoded again, and a
// metafile's shapes drawn once for every page that shows it. Qt's PDF writer draws a small stand-in
// image in the picture's place, with the picture's placement and clip; once the document is written
// the stand-in's stream becomes the original bytes, or the stand-in gives way to a drawing of its own
// (finishPdf).
#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <memory>
#include <vector>

#include "calendar/page/page_renderer.h"
#include "preview/sinks/pdf_structure.h"

namespace orvella::sinks {

class PdfOriginals final : public page::PictureStandIn {
 public:
  PdfOriginals();
  ~PdfOriginals() override;

  // Draws a stand-in for a colour or grey JPEG and for a metafile; other pictures (and CMYK JPEGs,
  // whose inks PDF readers take in different ways) are left to be drawn as pixels.
  bool draw(QPainter& painter, const Picture& picture, const QRectF& target) override;

  // What each stand-in becomes, by its number; drawings are drawn now, each into a document of its own.
  std::vector<PdfOriginal> originals() const;

 private:
  struct Original {
    QByteArray bytes;
    QSize size;
    int components = 0;
    QImage standIn;  // one image per original, so the PDF writer keeps one object for all its pages
    Picture drawing;  // a metafile, drawn as large as its first place on the device
    QSizeF drawingPixels;
    double dpi = 0;
  };

  std::vector<Original> originals_;
};

}  // namespace orvella::sinks
