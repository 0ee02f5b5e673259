// Report files: the generated pages saved as their element model, pictures kept as their original bytes.
//
// Layout, little-endian throughout:
//   magic "ORVREPT" 0x1A, u16 version, u16 reserved (0)
//   u32 picture count, each: text file name, blob original bytes
//   u32 page count, each: settings, u32 band count and bands, u32 element count and elements
//   (version 2 adds to the settings the paper the sheet is printed on and its unprintable margins)
//   u32 CRC-32 of every byte before it
// Texts are blobs of UTF-8; a blob is a u32 length and the bytes.
#include "preview/engine/report_file.h"

#include <zlib.h>
#include <QFile>
#include <QFileInfo>
#include <cmath>

#include "calendar/page/element_kinds.h"
#include "platform/errors/error.h"
#include "platform/fonts/font_points.h"
#include "preview/engine/byte_stream.h"

namespace orvella::report {
namespace {

using page::Alignment;
using page::Element;
using page::ElementKind;
using page::GeneratedPage;
using page::PageSettings;

constexpr char kMagic[8] = {'O', 'R', 'V', 'R', 'E', 'P', 'T', 0x1A};
constexpr std::uint16_t kVersion = 2;
constexpr std::uint16_t kFirstVersion = 1;

// Fewest bytes an element, a page and a picture take on file: counts are checked against these
// before anything is reserved.
constexpr qsizetype kMinElementBytes = 1 + 4 + 16 + 1 + 4 + 8 + 4 + 4 + 1 + 4 + 4 + 1 + 4 + 4 + 4 + 1 + 4 + 4;
constexpr qsizetype kMinSettingsBytes = 8 * 6 + 1 + 4 + 4 + 4 + 4 + 4 + 4 + 1;
constexpr qsizetype kMinPageBytes = kMinSettingsBytes + 4 + 4;
constexpr qsizetype kMinPictureBytes = 4 + 4;

// Limits far beyond any report this program writes (one page of a few hundred elements). Counts are
// otherwise bounded only by the bytes present, and a stranger's file of a few megabytes could hold a
// page of hundreds of thousands of labels that takes seconds to draw on every paint.
constexpr qsizetype kLargestFile = qsizetype(256) << 20;
constexpr std::uint32_t kMaxPages = 1000;
constexpr std::uint32_t kMaxElementsPerPage = 20000;  // bands and elements together
constexpr std::uint64_t kMaxElementsInFile = 1000000;
constexpr std::uint32_t kMaxPictures = 10000;
constexpr std::uint32_t kMaxCaptionBytes = 64 * 1024;
constexpr std::uint32_t kMaxNameBytes = 4 * 1024;  // names, titles, font and printer names

// Limits of what a page can sensibly hold; anything outside marks a damaged file.
constexpr int kMaxCoordinate = 100000;  // layout units, about 53 metres
constexpr double kMaxFrameWidth = 100;  // points
constexpr double kMaxPaperMm = 10000;
constexpr double kMaxCropPixels = 1e6;
constexpr int kMaxCopies = 9999;
constexpr int kMaxPageNumber = 1000000;

struct Damaged {};
struct Newer {};

void check(bool condition) {
  if (!condition) throw Damaged{};
}

bool finiteIn(double value, double low, double high) {
  return std::isfinite(value) && value >= low && value <= high;
}

std::uint32_t crc(const char* data, qsizetype size) {
  uLong sum = crc32(0L, Z_NULL, 0);
  while (size > 0) {
    const uInt chunk = static_cast<uInt>(std::min<qsizetype>(size, 1 << 30));
    sum = crc32(sum, reinterpret_cast<const Bytef*>(data), chunk);
    data += chunk;
    size -= chunk;
  }
  return static_cast<std::uint32_t>(sum);
}

// Pictures are stored once each, by the identity of their bytes and name.
class PictureTable {
 public:
  int indexOf(const Picture& picture) {
    if (picture.isNull()) return -1;
    for (size_t i = 0; i < pictures_.size(); ++i) {
      const Picture& known = pictures_[i];
      if (known.fileName() == picture.fileName() && known.bytes() == picture.bytes())
        return static_cast<int>(i);
    }
    pictures_.push_back(picture);
    return static_cast<int>(pictures_.size() - 1);
  }
  const std::vector<Picture>& pictures() const { return pictures_; }

 private:
  std::vector<Picture> pictures_;
};

std::uint8_t flagBits(std::initializer_list<bool> flags) {
  std::uint8_t bits = 0, bit = 1;
  for (bool flag : flags) {
    if (flag) bits |= bit;
    bit = static_cast<std::uint8_t>(bit << 1);
  }
  return bits;
}

void writeSettings(ByteWriter& out, const PageSettings& s) {
  out.f64(s.paperWidthMm);
  out.f64(s.paperHeightMm);
  out.u8(s.landscape ? 1 : 0);
  out.f64(s.marginTopMm);
  out.f64(s.marginBottomMm);
  out.f64(s.marginLeftMm);
  out.f64(s.marginRightMm);
  out.text(s.title);
  out.i32(s.copies);
  out.i32(s.printerIndex);
  out.text(s.printerName);
  out.i32(s.firstPage);
  out.i32(s.lastPage);
  out.u8(s.showProgress ? 1 : 0);
  const QSizeF paper = s.printPaper.sizeMm.isEmpty() ? QSizeF(0, 0) : s.printPaper.sizeMm;
  const QMarginsF& margins = s.printPaper.unprintableMm;
  for (double mm : {paper.width(), paper.height(), margins.left(), margins.top(), margins.right(), margins.bottom()})
    out.f64(mm);
}

void writeElement(ByteWriter& out, const Element& e, PictureTable& pictures) {
  out.u8(static_cast<std::uint8_t>(e.kind));
  out.text(e.name);
  out.i32(e.left);
  out.i32(e.top);
  out.i32(e.width);
  out.i32(e.height);
  out.u8(flagBits({e.frame.top, e.frame.bottom, e.frame.left, e.frame.right}));
  out.u32(e.frame.color);
  out.f64(e.frame.widthPoints);
  out.i32(e.tag);
  out.text(e.caption);
  out.u8(static_cast<std::uint8_t>(e.alignment));
  out.text(e.font.name);
  out.i32(e.font.size);
  out.u32(e.font.color);
  out.u8(flagBits({e.font.bold, e.font.italic, e.font.underline, e.font.strikeout}));
  out.i32(e.font.charset);
  out.u32(e.backgroundColor);
  const bool cropped = !e.crop.isEmpty();
  out.u8(flagBits({e.transparent, e.wordWrap, e.autoSize, e.autoStretch, e.stretch, cropped}));
  out.i32(pictures.indexOf(e.picture));
  out.u32(e.fillColor);
  // A cropped picture (our addition) keeps its crop after the element; pages without one are as before.
  if (cropped)
    for (double value : {e.crop.left(), e.crop.top(), e.crop.width(), e.crop.height()}) out.f64(value);
  if (e.kind == ElementKind::Moon) {
    out.i32(e.phase);
    out.i32(e.day);
  }
}

bool readBool(ByteReader& in) {
  const std::uint8_t value = in.u8();
  check(value <= 1);
  return value == 1;
}

// Reads a byte of flags, refusing bits beyond the count that exists.
std::uint8_t readFlags(ByteReader& in, int count) {
  const std::uint8_t bits = in.u8();
  check((bits >> count) == 0);
  return bits;
}

int readInt(ByteReader& in, int low, int high) {
  const std::int32_t value = in.i32();
  check(value >= low && value <= high);
  return value;
}

PageSettings readSettings(ByteReader& in, std::uint16_t version) {
  PageSettings s;
  s.paperWidthMm = in.f64();
  s.paperHeightMm = in.f64();
  check(finiteIn(s.paperWidthMm, 1, kMaxPaperMm) && finiteIn(s.paperHeightMm, 1, kMaxPaperMm));
  s.landscape = readBool(in);
  for (double* margin : {&s.marginTopMm, &s.marginBottomMm, &s.marginLeftMm, &s.marginRightMm}) {
    *margin = in.f64();
    check(finiteIn(*margin, 0, kMaxPaperMm));
  }
  s.title = in.text(kMaxNameBytes);
  s.copies = readInt(in, 1, kMaxCopies);
  s.printerIndex = readInt(in, -1, kMaxPageNumber);
  s.printerName = in.text(kMaxNameBytes);
  s.firstPage = readInt(in, 0, kMaxPageNumber);
  s.lastPage = readInt(in, 0, kMaxPageNumber);
  s.showProgress = readBool(in);
  if (version >= 2) {
    double mm[6];
    for (double& value : mm) {
      value = in.f64();
      check(finiteIn(value, 0, kMaxPaperMm));
    }
    // No paper, or one of a sensible size.
    check((mm[0] == 0 && mm[1] == 0) || (mm[0] >= 1 && mm[1] >= 1));
    if (mm[0] > 0) s.printPaper.sizeMm = QSizeF(mm[0], mm[1]);
    s.printPaper.unprintableMm = QMarginsF(mm[2], mm[3], mm[4], mm[5]);
  }
  return s;
}

Element readElement(ByteReader& in, const std::vector<Picture>& pictures) {
  Element e;
  const std::uint8_t kind = in.u8();
  check(kind < page::elementKindCount());
  e.kind = static_cast<ElementKind>(kind);
  e.name = in.text(kMaxNameBytes);
  e.left = readInt(in, -kMaxCoordinate, kMaxCoordinate);
  e.top = readInt(in, -kMaxCoordinate, kMaxCoordinate);
  e.width = readInt(in, 0, kMaxCoordinate);
  e.height = readInt(in, 0, kMaxCoordinate);
  const std::uint8_t edges = readFlags(in, 4);
  e.frame.top = edges & 1;
  e.frame.bottom = edges & 2;
  e.frame.left = edges & 4;
  e.frame.right = edges & 8;
  e.frame.color = in.u32();
  e.frame.widthPoints = in.f64();
  check(finiteIn(e.frame.widthPoints, 0, kMaxFrameWidth));
  e.tag = in.i32();
  e.caption = in.text(kMaxCaptionBytes);
  const std::uint8_t alignment = in.u8();
  check(alignment <= static_cast<std::uint8_t>(Alignment::Center));
  e.alignment = static_cast<Alignment>(alignment);
  e.font.name = in.text(kMaxNameBytes);
  e.font.size = readInt(in, kMinFontPoints, kMaxFontPoints);
  e.font.color = in.u32();
  const std::uint8_t style = readFlags(in, 4);
  e.font.bold = style & 1;
  e.font.italic = style & 2;
  e.font.underline = style & 4;
  e.font.strikeout = style & 8;
  e.font.charset = readInt(in, 0, 255);
  e.backgroundColor = in.u32();
  const std::uint8_t flags = readFlags(in, 6);
  e.transparent = flags & 1;
  e.wordWrap = flags & 2;
  e.autoSize = flags & 4;
  e.autoStretch = flags & 8;
  e.stretch = flags & 16;
  const int picture = readInt(in, -1, static_cast<int>(pictures.size()) - 1);
  if (picture >= 0) e.picture = pictures[static_cast<size_t>(picture)];
  e.fillColor = in.u32();
  if (flags & 32) {
    double crop[4];
    for (double& value : crop) {
      value = in.f64();
      check(finiteIn(value, 0, kMaxCropPixels));
    }
    e.crop = QRectF(crop[0], crop[1], crop[2], crop[3]);
  }
  if (e.kind == ElementKind::Moon) {
    e.phase = readInt(in, 0, 3);
    e.day = readInt(in, 1, 31);
  }
  return e;
}

// Reads a page's bands or elements; `budget` is what the page may still hold and shrinks by the count.
std::vector<Element> readElements(ByteReader& in, const std::vector<Picture>& pictures,
                                  std::uint32_t& budget) {
  const std::uint32_t count = in.u32();
  check(count <= budget && count <= static_cast<std::uint64_t>(in.remaining() / kMinElementBytes));
  budget -= count;
  std::vector<Element> elements;
  elements.reserve(count);
  for (std::uint32_t i = 0; i < count; ++i) elements.push_back(readElement(in, pictures));
  return elements;
}

}  // namespace

QByteArray encodeReport(const std::vector<GeneratedPage>& pages) {
  PictureTable pictures;
  ByteWriter body;
  body.u32(static_cast<std::uint32_t>(pages.size()));
  for (const GeneratedPage& page : pages) {
    writeSettings(body, page.settings);
    body.u32(static_cast<std::uint32_t>(page.bands.size()));
    for (const Element& band : page.bands) writeElement(body, band, pictures);
    body.u32(static_cast<std::uint32_t>(page.elements.size()));
    for (const Element& element : page.elements) writeElement(body, element, pictures);
  }

  ByteWriter out;
  out.raw(kMagic, sizeof kMagic);
  out.u16(kVersion);
  out.u16(0);
  out.u32(static_cast<std::uint32_t>(pictures.pictures().size()));
  for (const Picture& picture : pictures.pictures()) {
    out.text(picture.fileName());
    out.blob(picture.bytes());
  }
  out.raw(body.bytes().constData(), body.bytes().size());
  out.u32(crc(out.bytes().constData(), out.bytes().size()));
  return out.bytes();
}

std::vector<GeneratedPage> decodeReport(const QByteArray& bytes, const QString& fileName) {
  const QString damaged = formatMessage(messageText(messages::msg_NotAReport), fileName);
  ByteReader in(bytes.constData(), bytes.size());
  try {
    check(bytes.size() <= kLargestFile);
    in.expect(kMagic, sizeof kMagic);
    const std::uint16_t version = in.u16();
    if (version > kVersion) throw Newer{};
    check(version >= kFirstVersion && in.u16() == 0);

    const std::uint32_t pictureCount = in.u32();
    check(pictureCount <= kMaxPictures &&
          pictureCount <= static_cast<std::uint64_t>(in.remaining() / kMinPictureBytes));
    std::vector<Picture> pictures;
    pictures.reserve(pictureCount);
    for (std::uint32_t i = 0; i < pictureCount; ++i) {
      const QString name = in.text(kMaxNameBytes);
      const QByteArray data = in.blob();
      check(!data.isEmpty());
      pictures.push_back(Picture::fromBytes(data, name));
    }

    // A report always has a page: a file without one was not written by a preview.
    const std::uint32_t pageCount = in.u32();
    check(pageCount >= 1 && pageCount <= kMaxPages &&
          pageCount <= static_cast<std::uint64_t>(in.remaining() / kMinPageBytes));
    std::vector<GeneratedPage> pages;
    pages.reserve(pageCount);
    std::uint64_t elementsInFile = 0;
    for (std::uint32_t i = 0; i < pageCount; ++i) {
      GeneratedPage page;
      page.settings = readSettings(in, version);
      std::uint32_t budget = kMaxElementsPerPage;
      page.bands = readElements(in, pictures, budget);
      page.elements = readElements(in, pictures, budget);
      elementsInFile += page.bands.size() + page.elements.size();
      check(elementsInFile <= kMaxElementsInFile);
      pages.push_back(std::move(page));
    }

    const qsizetype covered = in.position();
    check(in.u32() == crc(bytes.constData(), covered) && in.remaining() == 0);
    return pages;
  } catch (const ByteReader::Malformed&) {
    throw Error(damaged);
  } catch (const Damaged&) {
    throw Error(damaged);
  } catch (const Newer&) {
    throw Error(formatMessage(messageText(messages::msg_NewerReport), fileName));
  } catch (const Error&) {
    // A picture that does not decode: the file is damaged, whatever the picture decoder says.
    throw Error(damaged);
  }
}

std::vector<GeneratedPage> loadReportFile(const QString& path) {
  const QFileInfo info(path);
  if (!info.exists() || !info.isFile()) throw Error(QString::fromLatin1(messages::kFileDoesNotExist));
  const QString name = info.fileName();
  if (info.size() > kLargestFile)
    throw Error(formatMessage(messageText(messages::msg_NotAReport), name));
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    throw Error(formatMessage(messageText(messages::msg_UnableToRead), path));
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError)
    throw Error(formatMessage(messageText(messages::msg_UnableToRead), path));
  return decodeReport(bytes, name);
}

}  // namespace orvella::report
