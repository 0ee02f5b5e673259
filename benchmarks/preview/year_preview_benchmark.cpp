// The year preview: from the request until its window holds all twelve months, ready to print, as a
// ratio to two floors measured in the same run: the twelve months composed one after another without
// any window, and twelve month previews (each month composed and shown in its preview until it is
// ready, as a user without the year preview asks for them). All compose with the default theme and
// the program's own pictures and name days, on a fresh print page each time. Processor time.
//
// A preview window costs the same whatever it shows: the empty preview (the same window, opened,
// finished with no page and closed) is measured as well, and pages_alone_ratio is what the year
// preview adds to it, against the twelve compositions: (year preview - empty preview) / twelve months.
// That includes drawing the first page on the screen, which the month preview does as well:
// later_pages_ratio is what the eleven pages after the first cost (year preview - month preview)
// against their eleven compositions, so the cost of showing each page and the progress as it comes.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTimer>
#include <algorithm>
#include <cstdio>

#include "app/core/program_data.h"
#include "benchmarks/support/cpu_timer.h"
#include "calendar/composition/month_composition.h"
#include "calendar/namedays/name_days.h"
#include "platform/settings/ini_file.h"
#include "preview/engine/report_source.h"
#include "preview/window/preview_request.h"
#include "preview/window/preview_window.h"
#include "theme/model/theme_settings.h"

namespace {

using orvella::bench::CpuTimer;

constexpr int kYear = 2027;
const QString kDataDir = QStringLiteral(ORVELLA_SOURCE_DIR "/data");

struct Setup {
  orvella::Theme theme;
  orvella::NameDays nameDays;
  double floorSeconds = 0;         // twelve compositions
  double monthPreviewSeconds = 0;  // one month preview
  double emptyPreviewSeconds = 0;  // the window alone, with no page
};

Setup* setup = nullptr;

// The year's twelve requests, composed by a composer of their own as the window's is.
struct Year {
  orvella::PageComposer composer{orvella::PageSources{
      setup->nameDays, [](const QString& held) { return orvella::locateProgramPicture(kDataDir, held); }}};
  std::vector<orvella::MonthRequest> months =
      orvella::monthsOf(orvella::MonthRequest{orvella::snapshotOf(setup->theme), kYear, 1, {}}, 1, 12);
  orvella::page::GeneratedPage compose(int index) { return composer.compose(months[size_t(index)]).page; }
};

// The floor: the twelve months composed and taken as pages, nothing shown.
double twelveCompositions() {
  const CpuTimer timer;
  Year year;
  std::vector<orvella::page::GeneratedPage> pages;
  for (int i = 0; i < 12; ++i) pages.push_back(year.compose(i));
  benchmark::DoNotOptimize(pages.data());
  return timer.seconds();
}

enum class Shown { Year, Month, Nothing };

// A preview as the main window asks for it, timed until its window has the last page and Printer
// setup and Print are usable; then it is closed. The year preview composes each month when its turn
// comes; the month preview composes January, then shows the page; the empty one is the year preview's
// window given no page to make.
double previewOf(Shown shown) {
  const CpuTimer timer;
  Year year;
  orvella::report::ReportSource source;
  if (shown == Shown::Month) {
    source.generate = [page = year.compose(0)] { return std::vector<orvella::page::GeneratedPage>{page}; };
  } else {
    source.pageCount = shown == Shown::Year ? 12 : 0;
    source.generatePage = [&year](int index) { return year.compose(index); };
  }
  double ready = 0;
  QTimer watch;
  watch.setInterval(0);
  QObject::connect(&watch, &QTimer::timeout, [&] {
    for (QWidget* widget : QApplication::topLevelWidgets())
      if (auto* window = qobject_cast<orvella::preview::QRStandardPreview*>(widget);
          window && !window->isClosed() && window->generationFinished()) {
        ready = timer.seconds();
        window->close();
      }
  });
  watch.start();
  orvella::preview::previewReport(source);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  return ready;
}

double yearPreview() { return previewOf(Shown::Year); }
double monthPreview() { return previewOf(Shown::Month); }
double emptyPreview() { return previewOf(Shown::Nothing); }

double best(double (*work)(), int times) {
  double fastest = 1e9;
  for (int i = 0; i < times; ++i) fastest = std::min(fastest, work());
  return fastest;
}

void TwelveMonthCompositions(benchmark::State& state) {
  double seconds = 0;
  for (auto _ : state) seconds += twelveCompositions();
  state.counters["ratio_to_twelve_months"] = seconds / double(state.iterations()) / setup->floorSeconds;
}

void YearPreviewReady(benchmark::State& state) {
  double seconds = 0;
  for (auto _ : state) seconds += yearPreview();
  const double each = seconds / double(state.iterations());
  state.counters["ratio_to_twelve_months"] = each / setup->floorSeconds;
  state.counters["pages_alone_ratio"] = (each - setup->emptyPreviewSeconds) / setup->floorSeconds;
  state.counters["later_pages_ratio"] =
      (each - setup->monthPreviewSeconds) / (setup->floorSeconds * 11 / 12);
  state.counters["ratio_to_twelve_month_previews"] = each / (12 * setup->monthPreviewSeconds);
  state.counters["twelve_months_ms"] = setup->floorSeconds * 1e3;
  state.counters["month_preview_ms"] = setup->monthPreviewSeconds * 1e3;
  state.counters["empty_preview_ms"] = setup->emptyPreviewSeconds * 1e3;
}

void MonthPreviewReady(benchmark::State& state) {
  double seconds = 0;
  for (auto _ : state) seconds += monthPreview();
  state.counters["ratio_to_twelve_months"] = seconds / double(state.iterations()) / setup->floorSeconds;
}

}  // namespace

BENCHMARK(TwelveMonthCompositions)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(YearPreviewReady)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(MonthPreviewReady)->Unit(benchmark::kMillisecond)->MinTime(2.0);

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  orvella::registerProgramFonts(kDataDir);

  Setup s;
  readThemeDefaults(s.theme, orvella::IniFile(QStringLiteral("/nonexistent/holidays.ini")));
  s.nameDays.load_forenames(kDataDir);
  setup = &s;

  // Fonts, pictures and the first window are made once before anything is timed.
  twelveCompositions();
  yearPreview();
  s.floorSeconds = best(twelveCompositions, 5);
  s.monthPreviewSeconds = best(monthPreview, 5);
  s.emptyPreviewSeconds = best(emptyPreview, 5);
  std::printf("twelve month compositions: %.2f ms, one month preview: %.2f ms, empty preview: %.2f ms\n",
              s.floorSeconds * 1e3, s.monthPreviewSeconds * 1e3, s.emptyPreviewSeconds * 1e3);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  setup = nullptr;
  return 0;
}
