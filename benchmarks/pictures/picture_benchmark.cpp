// How much a page's 24-megapixel background costs: the full-size decode is the floor; the preview's
// draw at zoom to width (first, scaled decode, then from the cache) and a 300 dpi print draw are
// measured against it and reported as ratios.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

#include "platform/pictures/jpeg_decoder.h"
#include "platform/pictures/picture.h"
#include "platform/pictures/raster_cache.h"
#include "benchmarks/support/large_photo.h"

namespace {

struct Photo {
  QByteArray bytes;
  orvella::Picture picture;
  double fullDecodeSeconds = 0;  // the floor
};

Photo* photo = nullptr;

using orvella::bench::CpuTimer;

void reportRatio(benchmark::State& state, double seconds) {
  state.counters["ratio_to_full_decode"] = seconds / photo->fullDecodeSeconds;
  state.counters["full_decode_ms"] = photo->fullDecodeSeconds * 1e3;
}

// Draws the picture as the page does: stretched over target on a fresh painter of canvas.
void drawOnce(QImage& canvas, QRectF target) {
  QPainter painter(&canvas);
  photo->picture.draw(painter, target);
}

void FullSizeDecode(benchmark::State& state) {
  CpuTimer timer;
  for (auto _ : state) benchmark::DoNotOptimize(orvella::decodeJpeg(photo->bytes, 8, "background.jpg"));
  reportRatio(state, timer.seconds() / double(state.iterations()));
}

// The preview page at zoom to width: about 1100 × 800 device pixels.
void ScreenDrawFirstDecode(benchmark::State& state) {
  QImage canvas(1100, 800, QImage::Format_RGB32);
  double seconds = 0;
  for (auto _ : state) {
    orvella::RasterCache::instance().clear();
    const CpuTimer timer;
    drawOnce(canvas, QRectF(0, 0, 1100, 800));
    seconds += timer.seconds();
  }
  state.counters["decoded_width"] = orvella::jpegDecodeStats().lastDecodedSize.width();
  reportRatio(state, seconds / double(state.iterations()));
}

void ScreenDrawCached(benchmark::State& state) {
  QImage canvas(1100, 800, QImage::Format_RGB32);
  orvella::RasterCache::instance().clear();
  drawOnce(canvas, QRectF(0, 0, 1100, 800));  // the first paint decodes
  const int decodes = orvella::jpegDecodeStats().decodes;
  const CpuTimer timer;
  for (auto _ : state) drawOnce(canvas, QRectF(0, 0, 1100, 800));
  reportRatio(state, timer.seconds() / double(state.iterations()));
  state.counters["decodes_while_timed"] = orvella::jpegDecodeStats().decodes - decodes;
}

// An A4 landscape page at 300 dpi (3508 × 2480), as printing draws it: decoded once per print.
void PrintDraw300Dpi(benchmark::State& state) {
  QImage canvas(3508, 2480, QImage::Format_RGB32);
  double seconds = 0;
  for (auto _ : state) {
    orvella::RasterCache::instance().clear();
    const CpuTimer timer;
    drawOnce(canvas, QRectF(0, 0, 3508, 2480));
    seconds += timer.seconds();
  }
  state.counters["decoded_width"] = orvella::jpegDecodeStats().lastDecodedSize.width();
  reportRatio(state, seconds / double(state.iterations()));
}

}  // namespace

BENCHMARK(FullSizeDecode)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(ScreenDrawFirstDecode)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(ScreenDrawCached)->Unit(benchmark::kMillisecond);
BENCHMARK(PrintDraw300Dpi)->Unit(benchmark::kMillisecond)->MinTime(2.0);

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  QTemporaryDir folder;
  Photo p;
  p.bytes = orvella::bench::writeLargePhoto(folder.path() + "/background.jpg");
  p.picture = orvella::Picture::fromBytes(p.bytes, folder.path() + "/background.jpg");
  // The floor, measured before the runs so that every benchmark can report its ratio to it.
  const double best = orvella::bench::fullDecodeSeconds(p.bytes);
  p.fullDecodeSeconds = best;
  photo = &p;
  std::printf("6000 x 4000 JPEG of %.1f MB, full-size decode %.1f ms\n", p.bytes.size() / 1048576.0,
              best * 1e3);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
