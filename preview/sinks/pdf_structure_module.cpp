// The module that edits a PDF's structure with qpdf: stand-ins become the JPEGs' own bytes or shared
// drawings, sheets get their trim and bleed boxes, the document its title. Streams Qt compressed stay
// as they are.
#include <QtGlobal>
#include <cstring>
#include <qpdf/Buffer.hh>
#include <qpdf/Pipeline.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFPageObjectHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include "preview/sinks/pdf_structure.h"

namespace orvella::sinks {

namespace {

constexpr double kPointsPerMm = 72.0 / 25.4;

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
  if (row.compare(0, kStandInSignatureLength, kStandInSignature) != 0) return -1;
  return (uchar(row[kStandInSignatureLength]) << 8) | uchar(row[kStandInSignatureLength + 1]);
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

// What qpdf writes goes to the output, which remembers a failed write; the caller checks it when qpdf
// is done (qpdf's pipelines may not throw while they are taken down).
class OutputPipeline final : public Pipeline {
 public:
  explicit OutputPipeline(QIODevice& out) : Pipeline("orvella output", nullptr), out_(out) {}
  void write(unsigned char const* data, size_t len) override {
    out_.write(reinterpret_cast<const char*>(data), qint64(len));
  }
  void finish() override {}

 private:
  QIODevice& out_;
};

class Finisher {
 public:
  explicit Finisher(const PdfFinish& finish) : finish_(finish), forms_(finish.originals.size()) {}

  void write(QIODevice& out) {
    QPDF pdf;
    pdf.processMemoryFile(finish_.name.toUtf8().constData(), finish_.document.constData(),
                          size_t(finish_.document.size()));
    const std::vector<QPDFPageObjectHelper> pages = QPDFPageDocumentHelper(pdf).getAllPages();
    if (!finish_.originals.empty())
      for (const QPDFPageObjectHelper& page : pages) replaceStandIns(pdf, page);
    for (size_t i = 0; i < pages.size() && i < finish_.sheetsMm.size(); ++i)
      if (!finish_.sheetsMm[i].isEmpty()) setPrintShopBoxes(pages[i].getObjectHandle(), finish_.sheetsMm[i]);
    QPDFObjectHandle info = pdf.getTrailer().getKey("/Info");
    if (info.isDictionary())
      info.replaceKey("/Title", QPDFObjectHandle::newUnicodeString(finish_.title.toStdString()));
    OutputPipeline pipeline(out);
    QPDFWriter writer(pdf);
    writer.setOutputPipeline(&pipeline);
    writer.setDecodeLevel(qpdf_dl_none);
    writer.setCompressStreams(true);  // the drawings, which come over uncompressed
    writer.write();
  }

 private:
  void replaceStandIns(QPDF& pdf, QPDFPageObjectHelper page) {
    QPDFObjectHandle xobjects = page.getAttribute("/Resources", false).getKey("/XObject");
    if (!xobjects.isDictionary()) return;
    for (const std::string& name : xobjects.getKeys()) {
      QPDFObjectHandle image = xobjects.getKey(name);
      if (!image.isStream()) continue;
      const int number = standInNumber(image);
      if (number < 0 || size_t(number) >= finish_.originals.size()) continue;
      const PdfOriginal& original = finish_.originals[size_t(number)];
      if (!original.drawing.isEmpty()) {
        QPDFObjectHandle& form = forms_[size_t(number)];
        if (!form.isInitialized()) form = drawingForm(pdf, original.drawing);
        xobjects.replaceKey(name, form);
        continue;
      }
      image.replaceStreamData(std::make_shared<BytesProvider>(original.jpeg), QPDFObjectHandle::newName("/DCTDecode"),
                              QPDFObjectHandle::newNull());
      QPDFObjectHandle dict = image.getDict();
      dict.replaceKey("/Width", QPDFObjectHandle::newInteger(original.size.width()));
      dict.replaceKey("/Height", QPDFObjectHandle::newInteger(original.size.height()));
      dict.replaceKey("/BitsPerComponent", QPDFObjectHandle::newInteger(8));
      dict.replaceKey("/ColorSpace",
                      QPDFObjectHandle::newName(original.components == 1 ? "/DeviceGray" : "/DeviceRGB"));
      for (const char* key : {"/Decode", "/DecodeParms", "/SMask", "/Mask"}) dict.removeKey(key);
    }
  }

  // The drawing's page becomes a form that fills the unit square, as an image does.
  QPDFObjectHandle drawingForm(QPDF& pdf, const QByteArray& drawing) {
    auto& document = drawingDocuments_.emplace_back(std::make_unique<QPDF>());
    document->processMemoryFile("drawing", drawing.constData(), size_t(drawing.size()));
    // The page comes over first, so that the form is the main document's own.
    QPDFObjectHandle page =
        pdf.copyForeignObject(QPDFPageDocumentHelper(*document).getAllPages().front().getObjectHandle());
    QPDFObjectHandle form = QPDFPageObjectHelper(page).getFormXObjectForPage();
    QPDFObjectHandle box = form.getDict().getKey("/BBox");
    auto at = [&](int i) { return box.getArrayItem(i).getNumericValue(); };
    const double w = at(2) - at(0), h = at(3) - at(1);
    form.getDict().replaceKey("/Matrix", QPDFObjectHandle::newFromMatrix(QPDFObjectHandle::Matrix(
                                             1 / w, 0, 0, 1 / h, -at(0) / w, -at(1) / h)));
    return form;
  }

  static QPDFObjectHandle box(double left, double bottom, double right, double top) {
    return QPDFObjectHandle::newArray(std::vector<QPDFObjectHandle>{
        QPDFObjectHandle::newReal(left, 3), QPDFObjectHandle::newReal(bottom, 3),
        QPDFObjectHandle::newReal(right, 3), QPDFObjectHandle::newReal(top, 3)});
  }

  // Qt gives a page a whole number of points and draws from its top-left corner: the page becomes as
  // large as asked, kept at its top, and the sheet is trimmed where it was drawn.
  void setPrintShopBoxes(QPDFObjectHandle page, QSizeF sheetMm) const {
    const double bleedMm = finish_.bleedMm, marksMm = finish_.marksMm;
    const double top = page.getKey("/MediaBox").getArrayItem(3).getNumericValue();
    const double width = (sheetMm.width() + 2 * (bleedMm + marksMm)) * kPointsPerMm;
    const double bottom = top - (sheetMm.height() + 2 * (bleedMm + marksMm)) * kPointsPerMm;
    auto inset = [&](double mm) {
      const double d = mm * kPointsPerMm;
      return box(d, bottom + d, width - d, top - d);
    };
    page.replaceKey("/MediaBox", inset(0));
    page.replaceKey("/CropBox", inset(0));
    page.replaceKey("/BleedBox", inset(marksMm));
    page.replaceKey("/TrimBox", inset(bleedMm + marksMm));
    page.removeKey("/ArtBox");
  }

  const PdfFinish& finish_;
  std::vector<QPDFObjectHandle> forms_;  // each drawing's form, made where it is first shown
  std::vector<std::unique_ptr<QPDF>> drawingDocuments_;  // which the forms are copied from at write()
};

}  // namespace

}  // namespace orvella::sinks

extern "C" Q_DECL_EXPORT void orvellaFinishPdf(const orvella::sinks::PdfFinish& finish, QIODevice& out,
                                               QString& problem) {
  try {
    orvella::sinks::Finisher(finish).write(out);
  } catch (const std::exception& e) {  // qpdf's own, which should not happen with Qt's documents
    problem = QString::fromUtf8(e.what());
  }
}
