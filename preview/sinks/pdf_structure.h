// The last step of a PDF: Qt's document becomes the file written, with the JPEG photos' own bytes in
// place of their stand-in images, the drawings shared as forms, each sheet's trim and bleed boxes and
// the document's title. Done with qpdf in a module of its own, loaded when the first PDF is written,
// so that neither qpdf nor the libraries it brings are loaded when the program starts.
#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QSize>
#include <QSizeF>
#include <QString>
#include <vector>

namespace orvella::sinks {

// A stand-in is an image of one row of grey pixels: this signature, then its number in two bytes.
inline constexpr char kStandInSignature[] = "OrvellaOriginal#";
inline constexpr int kStandInSignatureLength = sizeof(kStandInSignature) - 1;
inline constexpr int kStandInWidth = kStandInSignatureLength + 2;

// What a stand-in of that number becomes: a JPEG's bytes, or a drawing (a PDF of one page as large as
// its place).
struct PdfOriginal {
  QByteArray jpeg;
  QSize size;  // of the JPEG, in pixels
  int components = 0;  // 1: grey, 3: colour
  QByteArray drawing;
};

struct PdfFinish {
  QByteArray document;  // as Qt's PDF writer wrote it
  QString name;         // of the output, for qpdf's messages
  std::vector<PdfOriginal> originals;  // by stand-in number
  std::vector<QSizeF> sheetsMm;  // of each page on its own paper (empty: none), which gets its boxes
  double bleedMm = 0;
  double marksMm = 0;  // the room of the crop marks beyond the bleed
  QString title;
};

// Writes the finished document to out; raises Error when qpdf cannot read Qt's document or the module
// cannot be loaded. A failed write is left to out to remember.
void finishPdf(const PdfFinish& finish, QIODevice& out);

// The module's one function: problem stays empty on success, otherwise it says what went wrong.
using FinishPdfFunction = void (*)(const PdfFinish& finish, QIODevice& out, QString& problem);
inline constexpr char kPdfStructureModule[] = "orvella_pdf_structure";
inline constexpr char kFinishPdfFunction[] = "orvellaFinishPdf";

}  // namespace orvella::sinks
