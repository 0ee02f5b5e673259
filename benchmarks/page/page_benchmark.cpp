// Drawing a calendar page whose background is a 24-megapixel photo, against decoding that photo once.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QTemporaryDir>
#include <chrono>
#include <cmath>
#include <functional>

#include "calendar/page/page_renderer.h"
#include "calendar/page/print_form.h"

using namespace orvella;
using namespace orvella::page;

namespace {

QString g_photoPath;
double g_fullDecodeSeconds = 0;  // the floor: one full-size decode of the photo

// A photo-like picture: smooth gradients with fine detail, so the JPEG is not trivially small.
void writePhoto(const QString& path) {
  QImage image(6000, 4000, QImage::Format_RGB32);
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const int detail = ((x * 7 + y * 13) ^ (x * y)) & 31;
      line[x] = qRgb((x / 24 + detail) & 255, (y / 16 + detail) & 255, ((x + y) / 40) & 255);
    }
  }
  image.save(path, "JPEG", 90);
}

double secondsOf(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double measureFullDecode() {
  double best = 1e9;
  for (int i = 0; i < 3; ++i)
    best = std::min(best, secondsOf([] {
                      QImage image = QImageReader(g_photoPath).read();
                      benchmark::DoNotOptimize(image.constBits());
                    }));
  return best;
}

void BM_FullSizeDecode(benchmark::State& state) {
  for (auto _ : state) {
    QImage image = QImageReader(g_photoPath).read();
    benchmark::DoNotOptimize(image.constBits());
  }
}

// The sheet at `dpi` onto an image. Loading the picture and the first draw (between them the decode
// and any reduced copy) are timed apart; the loop times the draws after them.
void drawPageAt(benchmark::State& state, double dpi) {
  PrintForm form;
  const double load = secondsOf([&] { form.bg_img.picture = Picture::load(g_photoPath); });
  const GeneratedPage page = form.qr.generate();
  const DeviceMapping mapping{dpi, dpi};
  QImage target(int(std::lround(2970 * dpi / 254)), int(std::lround(2100 * dpi / 254)), QImage::Format_RGB32);
  const auto draw = [&] {
    target.fill(Qt::white);
    QPainter painter(&target);
    drawPage(page, painter, mapping);
  };
  const double first = secondsOf(draw);
  double total = 0;
  for (auto _ : state) total += secondsOf(draw);
  state.counters["load_vs_full_decode"] = load / g_fullDecodeSeconds;
  state.counters["first_draw_vs_full_decode"] = first / g_fullDecodeSeconds;
  state.counters["draw_vs_full_decode"] = total / double(state.iterations()) / g_fullDecodeSeconds;
  state.counters["width_px"] = target.width();
}

// Zoom to width on a maximised preview: a page image about 1100 pixels wide.
void BM_DrawScreenZoomToWidth(benchmark::State& state) { drawPageAt(state, 1100.0 / (297.0 / 25.4)); }
void BM_DrawPrinter300Dpi(benchmark::State& state) { drawPageAt(state, 300.0); }

BENCHMARK(BM_FullSizeDecode)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_DrawScreenZoomToWidth)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawPrinter300Dpi)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  QTemporaryDir dir;
  g_photoPath = dir.filePath(QStringLiteral("background.jpg"));
  writePhoto(g_photoPath);
  g_fullDecodeSeconds = measureFullDecode();

  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
