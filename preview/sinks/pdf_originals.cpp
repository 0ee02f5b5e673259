// JPEG pictures into a PDF as their own bytes, through stand-in images replaced with qpdf.
#include "preview/sinks/pdf_originals.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <qpdf/Buffer.hh>
#include <qpdf/Pipeline.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>

#include "platform/pictures/jpeg_decoder.h"

namespace orvella::sinks {

namespace {

// A stand-in is one row of grey pixels: a signature no picture of a page has, then its number.
constexpr char kSignature[] = "OrvellaOriginal#";
constexpr int kSignatureLength = sizeof(kSignature) - 1;
constexpr int kStandInWidth = kSignatureLength + 2;

QImage standInImage(int number) {
  QImage image(kStandInWidth, 1, QImage::Format_Grayscale8);
  uchar* row = image.scanLine(0);
  std::memcpy(row, kSignature, kSignatureLength);
  row[kSignatureLength] = uchar(number >> 8);
  row[kSignatureLength + 1] = uchar(number & 0xFF);
  return image;
}

// The number of the original an image object stands in for, or -1. Its pixels are read as the writer
// kept them, in grey or in colour (one channel of three is enough).
int standInNumber(QPDFObjectHandle image) {
  QPDFObjectHandle dict = image.getDict();
  if (!dict.getKey("/Width").isInteger() || dict.getKey("/Width").getIntValue() != kStandInWidth ||
      !dict.getKey("/Height").isInteger() || dict.getKey("/Height").getIntValue() != 1)
    return -1;
  std::shared_ptr<Buffer> buffer;
  try {
    buffer = image.getStreamData(qpdf_dl_generalized);
  } catch (const std::exception&) {
    return -1;
  }
  const std::string data(reinterpret_cast<const char*>(buffer->getBuffer()), buffer->getSize());
  const size_t step = data.size() == size_t(kStandInWidth) * 3 ? 3 : 1;
  if (data.size() != size_t(kStandInWidth) * step) return -1;
  std::string row;
  for (size_t i = 0; i < data.size(); i += step) row += data[i];
  if (row.compare(0, kSignatureLength, kSignature) != 0) return -1;
  return (uchar(row[kSignatureLength]) << 8) | uchar(row[kSignatureLength + 1]);
}

// A JPEG's bytes handed to qpdf's writer as they are written, without a copy.
class BytesProvider final : public QPDFObjectHandle::StreamDataProvider {
 public:
  explicit BytesProvider(QByteArray bytes) : bytes_(std::move(bytes)) {}
  void provideStreamData(QPDFObjGen const&, Pipeline* pipeline) override {
    pipeline->write(reinterpret_cast<const unsigned char*>(bytes_.constData()), size_t(bytes_.size()));
    pipeline->finish();
  }

 private:
  QByteArray bytes_;
};

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

// The metafile drawn once into a document of its own, on a page as large as its place, which becomes
// a form that fills the unit square as an image does.
QPDFObjectHandle PdfOriginals::drawingForm(QPDF& pdf, const Original& original) {
  QBuffer buffer(&drawingBytes_.emplace_back());
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setResolution(int(std::lround(original.dpi)));
    writer.setPageLayout(QPageLayout(
        QPageSize(original.drawingPixels / original.dpi * 72.0, QPageSize::Point), QPageLayout::Portrait, {}));
    QPainter painter(&writer);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    original.drawing.draw(painter, QRectF(QPointF(), original.drawingPixels));
  }
  auto& document = drawingDocuments_.emplace_back(std::make_unique<QPDF>());
  document->processMemoryFile("drawing", drawingBytes_.back().constData(), size_t(drawingBytes_.back().size()));
  // The page comes over first, so that the form is the main document's own.
  QPDFObjectHandle page = pdf.copyForeignObject(QPDFPageDocumentHelper(*document).getAllPages().front().getObjectHandle());
  QPDFObjectHandle form = QPDFPageObjectHelper(page).getFormXObjectForPage();
  QPDFObjectHandle box = form.getDict().getKey("/BBox");
  auto at = [&](int i) { return box.getArrayItem(i).getNumericValue(); };
  const double w = at(2) - at(0), h = at(3) - at(1);
  form.getDict().replaceKey("/Matrix", QPDFObjectHandle::newFromMatrix(QPDFObjectHandle::Matrix(
                                           1 / w, 0, 0, 1 / h, -at(0) / w, -at(1) / h)));
  return form;
}

void PdfOriginals::replaceStandIns(QPDF& pdf) {
  if (originals_.empty()) return;
  std::vector<QPDFObjectHandle> forms(originals_.size());
  for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(pdf).getAllPages()) {
    QPDFObjectHandle xobjects = page.getAttribute("/Resources", false).getKey("/XObject");
    if (!xobjects.isDictionary()) continue;
    for (const std::string& name : xobjects.getKeys()) {
      QPDFObjectHandle image = xobjects.getKey(name);
      if (!image.isStream()) continue;
      const int number = standInNumber(image);
      if (number < 0 || size_t(number) >= originals_.size()) continue;
      const Original& original = originals_[size_t(number)];
      if (!original.drawing.isNull()) {
        if (!forms[size_t(number)].isInitialized()) forms[size_t(number)] = drawingForm(pdf, original);
        xobjects.replaceKey(name, forms[size_t(number)]);
        continue;
      }
      image.replaceStreamData(std::make_shared<BytesProvider>(original.bytes),
                              QPDFObjectHandle::newName("/DCTDecode"), QPDFObjectHandle::newNull());
      QPDFObjectHandle dict = image.getDict();
      dict.replaceKey("/Width", QPDFObjectHandle::newInteger(original.size.width()));
      dict.replaceKey("/Height", QPDFObjectHandle::newInteger(original.size.height()));
      dict.replaceKey("/BitsPerComponent", QPDFObjectHandle::newInteger(8));
      dict.replaceKey("/ColorSpace",
                      QPDFObjectHandle::newName(original.components == 1 ? "/DeviceGray" : "/DeviceRGB"));
      for (const char* key : {"/Decode", "/DecodeParms", "/SMask", "/Mask"}) dict.removeKey(key);
    }
  }
}

}  // namespace orvella::sinks
