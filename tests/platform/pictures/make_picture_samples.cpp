// Writes the small sample pictures of tests/data/pictures (run once; the files are kept in the tree):
//   cmake --build <build> --target make_picture_samples
//   QT_QPA_PLATFORM=offscreen <build>/bin/make_picture_samples tests/data/pictures
#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QtEndian>
#include <cstdio>

#include <jpeglib.h>

namespace {

void put16(QByteArray& b, int v) { b.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF)); }
void put32(QByteArray& b, quint32 v) {
  put16(b, int(v & 0xFFFF));
  put16(b, int(v >> 16));
}

bool write(const QString& folder, const QString& name, const QByteArray& bytes) {
  QFile f(folder + QLatin1Char('/') + name);
  return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray encoded(const QImage& image, const char* format, int quality = -1) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, format, quality);
  return bytes;
}

// Four flat quadrants: red top-left, green top-right, blue bottom-left, white bottom-right.
QImage quadrants(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  QPainter p(&image);
  p.fillRect(0, 0, w / 2, h / 2, Qt::red);
  p.fillRect(w / 2, 0, w - w / 2, h / 2, Qt::green);
  p.fillRect(0, h / 2, w / 2, h - h / 2, Qt::blue);
  p.fillRect(w / 2, h / 2, w - w / 2, h - h / 2, Qt::white);
  return image;
}

// An icon bitmap entry: 40-byte header, 32-bit BGRA rows bottom-up, then a 1-bit mask. The top half
// is color, the bottom half yellow, so a picture drawn upside down shows.
QByteArray iconBitmap32(int size, QRgb top, bool withAlpha) {
  QByteArray b;
  put32(b, 40);
  put32(b, quint32(size));
  put32(b, quint32(size * 2));
  put16(b, 1);
  put16(b, 32);
  put32(b, 0);
  put32(b, 0);
  put32(b, 0);
  put32(b, 0);
  put32(b, 0);
  put32(b, 0);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const QRgb color = y < size / 2 ? qRgb(255, 255, 0) : top;  // stored bottom row first
      b.append(char(qBlue(color))).append(char(qGreen(color))).append(char(qRed(color)));
      b.append(char(withAlpha ? 255 : 0));
    }
  const int maskStride = ((size + 31) / 32) * 4;
  // The mask makes the left column transparent (stored bottom-up like the colours).
  for (int y = 0; y < size; ++y) {
    QByteArray row(maskStride, 0);
    row[0] = char(0x80);
    b.append(row);
  }
  return b;
}

// A 4-bit icon entry with a 16-colour table; every pixel uses colour 1.
QByteArray iconBitmap4(int size, QRgb color) {
  QByteArray b;
  put32(b, 40);
  put32(b, quint32(size));
  put32(b, quint32(size * 2));
  put16(b, 1);
  put16(b, 4);
  put32(b, 0);
  put32(b, 0);
  put32(b, 0);
  put32(b, 0);
  put32(b, 16);
  put32(b, 0);
  for (int i = 0; i < 16; ++i) {
    const QRgb c = i == 1 ? color : qRgb(0, 0, 0);
    b.append(char(qBlue(c))).append(char(qGreen(c))).append(char(qRed(c))).append(char(0));
  }
  const int stride = ((size * 4 + 31) / 32) * 4;
  for (int y = 0; y < size; ++y) {
    QByteArray row(stride, 0);
    for (int x = 0; x < size / 2; ++x) row[x] = char(0x11);
    b.append(row);
  }
  b.append(QByteArray(((size + 31) / 32) * 4 * size, 0));
  return b;
}

QByteArray iconFile(const QList<QPair<int, QByteArray>>& images) {
  QByteArray b;
  put16(b, 0);
  put16(b, 1);
  put16(b, int(images.size()));
  quint32 offset = 6 + 16 * quint32(images.size());
  for (const auto& [size, data] : images) {
    b.append(char(size >= 256 ? 0 : size))
        .append(char(size >= 256 ? 0 : size))
        .append(char(0))
        .append(char(0));
    put16(b, 1);
    put16(b, 32);
    put32(b, quint32(data.size()));
    put32(b, offset);
    offset += quint32(data.size());
  }
  for (const auto& image : images) b.append(image.second);
  return b;
}

// A CMYK JPEG as Adobe programs write it (inks stored inverted), cyan over the whole picture.
QByteArray cmykJpeg(int w, int h) {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr err;
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_compress(&cinfo);
  unsigned char* out = nullptr;
  unsigned long outSize = 0;
  jpeg_mem_dest(&cinfo, &out, &outSize);
  cinfo.image_width = JDIMENSION(w);
  cinfo.image_height = JDIMENSION(h);
  cinfo.input_components = 4;
  cinfo.in_color_space = JCS_CMYK;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 90, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  QByteArray row(w * 4, 0);
  for (int x = 0; x < w; ++x) {
    row[4 * x] = char(255 - 255);  // full cyan, inverted
    row[4 * x + 1] = char(255);
    row[4 * x + 2] = char(255);
    row[4 * x + 3] = char(255);  // no black
  }
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW r = reinterpret_cast<JSAMPROW>(row.data());
    jpeg_write_scanlines(&cinfo, &r, 1);
  }
  jpeg_finish_compress(&cinfo);
  QByteArray bytes(reinterpret_cast<const char*>(out), qsizetype(outSize));
  jpeg_destroy_compress(&cinfo);
  free(out);
  return bytes;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_picture_samples <folder>\n");
    return 2;
  }
  const QString folder = QString::fromLocal8Bit(argv[1]);
  bool ok = true;

  QImage red(8, 6, QImage::Format_RGB32);
  red.fill(Qt::red);
  ok &= write(folder, "red.bmp", encoded(red, "BMP"));
  ok &= write(folder, "quadrants.bmp", encoded(quadrants(16, 12), "BMP"));
  QImage indexed = quadrants(16, 12).convertToFormat(QImage::Format_Indexed8);
  ok &= write(folder, "quadrants_indexed.bmp", encoded(indexed, "BMP"));

  const QByteArray photo = encoded(quadrants(64, 48), "JPG", 95);
  ok &= write(folder, "quadrants.jpg", photo);
  ok &= write(folder, "large.jpg", encoded(quadrants(800, 600), "JPG", 90));
  QImage grey(32, 32, QImage::Format_Grayscale8);
  grey.fill(128);
  ok &= write(folder, "grey.jpg", encoded(grey, "JPG", 95));
  ok &= write(folder, "cmyk.jpg", cmykJpeg(24, 16));
  ok &= write(folder, "truncated.jpg", photo.left(photo.size() / 2));

  // Two bitmap entries: a green 16 × 16 and a blue 32 × 32; the larger is the one shown.
  ok &= write(
      folder, "two_sizes.ico",
      iconFile({{16, iconBitmap4(16, qRgb(0, 255, 0))}, {32, iconBitmap32(32, qRgb(0, 0, 255), false)}}));
  QImage png(48, 48, QImage::Format_ARGB32);
  png.fill(qRgba(255, 0, 0, 255));
  ok &= write(folder, "png_entry.ico", iconFile({{48, encoded(png, "PNG")}}));

  // Damaged: a directory entry pointing past the end of the file.
  QByteArray lying = iconFile({{32, iconBitmap32(32, qRgb(0, 0, 255), true)}});
  qToLittleEndian<quint32>(1000000, lying.data() + 6 + 12);
  ok &= write(folder, "lying_directory.ico", lying);
  // Damaged: a bitmap header claiming 100000 × 100000 pixels.
  QByteArray huge = encoded(red, "BMP");
  qToLittleEndian<qint32>(100000, huge.data() + 18);
  qToLittleEndian<qint32>(100000, huge.data() + 22);
  ok &= write(folder, "absurd_size.bmp", huge);

  return ok ? 0 : 1;
}
