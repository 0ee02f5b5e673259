// A year of months, each with its own 24-megapixel photo as background, composed and exported to one
// PDF; measured against the floor of decoding the same twelve photos at full size in the same run.
//
// Counters: floor_s (best full decode of the twelve), export_s (best export), ratio (export / floor),
// peak_MB (VmHWM during the export, reset before it), growth_MB (peak over the resident size at its
// start), pdf_MB and images (image objects in the PDF). ORVELLA_EXPORT_PDF keeps the last PDF there.
#include "benchmarks/support/process_memory.h"
#include <benchmark/benchmark.h>

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>
#include <vector>

#include "app/core/program_data.h"
#include "app/export/export_command.h"
#include "calendar/namedays/name_days.h"
#include "platform/pictures/jpeg_decoder.h"
#include "platform/pictures/raster_cache.h"
#include "tests/support/program_folder.h"
#include "theme/files/theme_files.h"

namespace {

constexpr int kPhotoWidth = 6000;
constexpr int kPhotoHeight = 4000;
constexpr int kQuality = 90;

struct Photos {
  QTemporaryDir folder;
  QStringList paths;
};

// A photo-like picture, different for each month: soft colour fields, a few bands of detail and
// sensor-like noise, written row by row so that making it never holds the whole picture.
void writePhoto(const QString& path, int month) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  std::FILE* out = std::fopen(QFile::encodeName(path).constData(), "wb");
  if (!out) std::abort();
  jpeg_stdio_dest(&info, out);
  info.image_width = kPhotoWidth;
  info.image_height = kPhotoHeight;
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, kQuality, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<unsigned char> row(kPhotoWidth * 3);
  unsigned seed = 0x9E3779B9u * unsigned(month + 1);
  const int hue = month * 21;
  while (info.next_scanline < info.image_height) {
    const int y = static_cast<int>(info.next_scanline);
    for (int x = 0; x < kPhotoWidth; ++x) {
      seed = seed * 1103515245u + 12345u;
      const int noise = static_cast<int>((seed >> 16) & 15) - 8;
      // Fine stripes in a few places stand in for foliage and fabric.
      const int detail = ((x / 3 + y / 5 + month) % 7 == 0 && (x / 900 + y / 700) % 3 == month % 3) ? 40 : 0;
      const int r = (hue + 255 * x / kPhotoWidth) % 256;
      const int g = (80 + 120 * y / kPhotoHeight + month * 9) % 256;
      const int b = (200 - 100 * x / kPhotoWidth + 60 * y / kPhotoHeight) % 256;
      row[x * 3] = static_cast<unsigned char>(std::clamp(r + noise + detail, 0, 255));
      row[x * 3 + 1] = static_cast<unsigned char>(std::clamp(g + noise - detail, 0, 255));
      row[x * 3 + 2] = static_cast<unsigned char>(std::clamp(b + noise, 0, 255));
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::fclose(out);
}

// Made once, on first use, and removed at exit.
const Photos& photos() {
  static Photos made;
  static const bool written = [] {
    for (int month = 0; month < 12; ++month) {
      const QString path = made.folder.filePath(QStringLiteral("photo-%1.jpg").arg(month + 1, 2, 10, QLatin1Char('0')));
      writePhoto(path, month);
      made.paths.append(path);
    }
    return true;
  }();
  (void)written;
  return made;
}

double secondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The floor: each photo read and decoded at its full size by the same libjpeg-turbo decoder.
double decodeTwelvePhotos() {
  const auto start = std::chrono::steady_clock::now();
  for (const QString& path : photos().paths) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) std::abort();
    const QImage image = orvella::decodeJpeg(file.readAll(), 8, path);
    benchmark::DoNotOptimize(image.constBits());
  }
  return secondsSince(start);
}

using orvella::bench::resetPeak;
using orvella::bench::statusKilobytes;

int countImageObjects(const QString& pdf) {
  QFile file(pdf);
  if (!file.open(QIODevice::ReadOnly)) return -1;
  return int(file.readAll().count("/Subtype /Image"));
}

// Arg: the export resolution (0: the format's default).
void BM_ExportYearToPdf(benchmark::State& state) {
  // The program's data laid out in a folder of its own, with the default theme and one photo behind
  // each month.
  const orvella::testing::ProgramFolder program;
  const QString programDir = program.path();
  orvella::registerProgramFonts(programDir);
  orvella::Theme theme;
  orvella::ThemeFiles files(theme, programDir);
  files.new_theme(2027);
  for (int month = 0; month < 12; ++month) theme.backgrounds[month] = photos().paths[month];
  orvella::NameDays nameDays;
  nameDays.load_forenames(programDir);

  const QString kept = qEnvironmentVariable("ORVELLA_EXPORT_PDF");
  QTemporaryDir out;
  const QString pdf = kept.isEmpty() ? out.filePath(QStringLiteral("year.pdf")) : kept;
  const orvella::ExportRequest request{pdf, 2027, 1, 12, {}, int(state.range(0))};

  double bestFloor = 1e9, bestExport = 1e9;
  long peak = 0, baseline = 0;
  for (auto _ : state) {
    // The floor, measured beside each export so that both see the same machine load.
    bestFloor = std::min(bestFloor, decodeTwelvePhotos());
    orvella::RasterCache::instance().clear();
    if (!resetPeak()) state.SkipWithError("cannot reset the peak resident size");
    baseline = statusKilobytes("VmRSS:");
    const auto start = std::chrono::steady_clock::now();
    orvella::exportMonths(request, theme, nameDays, programDir);
    const double seconds = secondsSince(start);
    peak = std::max(peak, statusKilobytes("VmHWM:"));
    bestExport = std::min(bestExport, seconds);
    state.SetIterationTime(seconds);
  }
  state.counters["floor_s"] = bestFloor;
  state.counters["export_s"] = bestExport;
  state.counters["ratio"] = bestExport / bestFloor;
  state.counters["peak_MB"] = peak / 1024.0;
  state.counters["growth_MB"] = (peak - baseline) / 1024.0;
  state.counters["pdf_MB"] = QFileInfo(pdf).size() / (1024.0 * 1024.0);
  state.counters["images"] = countImageObjects(pdf);
}
BENCHMARK(BM_ExportYearToPdf)
    ->ArgName("dpi")
    ->Arg(0)
    ->Arg(600)
    ->Iterations(4)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  photos();  // made before any timing starts
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
