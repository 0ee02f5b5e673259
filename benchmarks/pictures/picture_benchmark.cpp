// How much a page's 24-megapixel background costs: the full-size decode is the floor; the preview's
// draw at zoom to width (first, scaled decode, then from the cache) and a 300 dpi print draw are
// measured against it and reported as ratios.
#include <benchmark/benchmark.h>

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>

#include "platform/pictures/jpeg_decoder.h"
#include "platform/pictures/picture.h"
#include "platform/pictures/raster_cache.h"

namespace {

struct Photo {
  QByteArray bytes;
  orvella::Picture picture;
  double fullDecodeSeconds = 0;  // the floor
};

Photo* photo = nullptr;

// Processor time of this process, all its threads included (Qt's raster engine may use helpers):
// other work on a busy machine does not count, as it would on a wall clock.
class CpuTimer {
 public:
  CpuTimer() { restart(); }
  void restart() { start_ = now(); }
  double seconds() const { return now() - start_; }

 private:
  static double now() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + t.tv_nsec * 1e-9;
  }
  double start_ = 0;
};

// A photograph-like picture: smooth gradients, shapes and fine noise, so that it compresses like a
// camera picture (several megabytes), not like a flat test card.
QByteArray makeJpeg(const QString& folder) {
  QImage image(6000, 4000, QImage::Format_RGB32);
  QPainter p(&image);
  QLinearGradient sky(0, 0, 0, 4000);
  sky.setColorAt(0, QColor(40, 90, 200));
  sky.setColorAt(1, QColor(240, 200, 120));
  p.fillRect(image.rect(), sky);
  QRandomGenerator random(7);
  for (int i = 0; i < 400; ++i) {
    p.setBrush(QColor::fromHsv(int(random.bounded(360)), 120, 200, 120));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(random.bounded(6000), random.bounded(4000)), random.bounded(400) + 20,
                  random.bounded(300) + 20);
  }
  p.end();
  for (int y = 0; y < image.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const int n = int(random.bounded(24)) - 12;
      const QRgb c = row[x];
      row[x] = qRgb(std::clamp(qRed(c) + n, 0, 255), std::clamp(qGreen(c) + n, 0, 255),
                    std::clamp(qBlue(c) + n, 0, 255));
    }
  }
  const QString path = folder + QStringLiteral("/background.jpg");
  image.save(path, "JPG", 90);
  QFile file(path);
  file.open(QIODevice::ReadOnly);
  return file.readAll();
}

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
  p.bytes = makeJpeg(folder.path());
  p.picture = orvella::Picture::fromBytes(p.bytes, folder.path() + "/background.jpg");
  // The floor, measured before the runs so that every benchmark can report its ratio to it.
  double best = 1e9;
  for (int i = 0; i < 3; ++i) {
    const CpuTimer timer;
    benchmark::DoNotOptimize(orvella::decodeJpeg(p.bytes, 8, "background.jpg"));
    best = std::min(best, timer.seconds());
  }
  p.fullDecodeSeconds = best;
  photo = &p;
  std::printf("6000 x 4000 JPEG of %.1f MB, full-size decode %.1f ms\n", p.bytes.size() / 1048576.0,
              best * 1e3);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
