// Peak memory of printing a page whose background is a 24-megapixel photograph at 600 dpi into a PDF,
// through the same print job a printer gets. The peak resident size is reset before each run
// (/proc/self/clear_refs) and read afterwards (VmHWM of /proc/self/status).
#include "benchmarks/support/process_memory.h"
#include <benchmark/benchmark.h>
#include <jpeglib.h>
#include <QApplication>
#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>
#include <cstdio>
#include <vector>

#include "platform/pictures/picture.h"
#include "preview/window/print_job.h"
#include "preview/window/printer_setup.h"

namespace {

constexpr int kPhotoWidth = 6000;
constexpr int kPhotoHeight = 4000;  // 24 megapixels
constexpr int kDpi = 600;

// A JPEG photograph made row by row, so that making it never holds the whole picture.
QByteArray makePhoto() {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = kPhotoWidth;
  info.image_height = kPhotoHeight;
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 85, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<unsigned char> row(kPhotoWidth * 3);
  unsigned seed = 12345;
  while (info.next_scanline < info.image_height) {
    const int y = static_cast<int>(info.next_scanline);
    for (int x = 0; x < kPhotoWidth; ++x) {
      seed = seed * 1103515245u + 12345u;
      const int noise = static_cast<int>((seed >> 16) & 15);
      row[x * 3] = static_cast<unsigned char>(60 + 150 * x / kPhotoWidth + noise);
      row[x * 3 + 1] = static_cast<unsigned char>(80 + 120 * y / kPhotoHeight + noise);
      row[x * 3 + 2] = static_cast<unsigned char>(200 - 100 * x / kPhotoWidth + noise);
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  QByteArray bytes(reinterpret_cast<const char*>(buffer), static_cast<qsizetype>(size));
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return bytes;
}

using orvella::bench::resetPeak;
using orvella::bench::statusKilobytes;

orvella::page::GeneratedPage photoPage(const QByteArray& jpeg) {
  orvella::page::GeneratedPage page;
  orvella::page::Element background;
  background.kind = orvella::page::ElementKind::Image;
  background.width = 561;
  background.height = 401;
  background.stretch = true;
  background.picture = orvella::Picture::fromBytes(jpeg, QStringLiteral("photo.jpg"));
  page.elements.push_back(background);
  orvella::page::Element label;
  label.left = 24;
  label.top = 16;
  label.width = 521;
  label.height = 39;
  label.caption = QStringLiteral("Styczeń");
  label.font.size = 40;
  label.transparent = true;
  page.elements.push_back(label);
  return page;
}

void BM_PrintPhotoPageAt600Dpi(benchmark::State& state) {
  const QByteArray jpeg = makePhoto();
  const std::vector<orvella::page::GeneratedPage> pages{photoPage(jpeg)};
  QTemporaryDir folder;
  const double pageImageMb = 297.0 / 25.4 * kDpi * 210.0 / 25.4 * kDpi * 4 / (1024.0 * 1024.0);
  long baseline = 0, peak = 0;
  for (auto _ : state) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setResolution(kDpi);
    printer.setOutputFormat(QPrinter::PdfFormat);
    // ORVELLA_PRINT_PDF keeps the printed file where it names, to be looked at.
    const QString kept = qEnvironmentVariable("ORVELLA_PRINT_PDF");
    printer.setOutputFileName(kept.isEmpty() ? folder.filePath(QStringLiteral("photo.pdf")) : kept);
    orvella::preview::configurePrinter(printer, pages.front().settings);
    if (!resetPeak()) state.SkipWithError("cannot reset the peak resident size");
    baseline = statusKilobytes("VmRSS:");
    orvella::preview::printReport(pages, pages.front().settings, printer);
    peak = statusKilobytes("VmHWM:");
  }
  state.counters["baseline_MB"] = baseline / 1024.0;
  state.counters["peak_MB"] = peak / 1024.0;
  state.counters["growth_MB"] = (peak - baseline) / 1024.0;
  state.counters["page_image_MB"] = pageImageMb;
  state.counters["photo_decoded_MB"] = kPhotoWidth * double(kPhotoHeight) * 4 / (1024.0 * 1024.0);
  state.counters["jpeg_MB"] = jpeg.size() / (1024.0 * 1024.0);
}
BENCHMARK(BM_PrintPhotoPageAt600Dpi)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM",
          qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen") : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
