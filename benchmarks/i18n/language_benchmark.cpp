// How long switching the interface language takes: every window of the program is walked (main window,
// theme editor, print page and an open preview), each drawn once afterwards. The floor is reading every
// key of the same language file once through the settings reader; the walk is reported as a ratio to it,
// alone and with the repaint that follows, together with the most paints any widget received.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QHash>

#include "app/main_window.h"
#include "app/program_windows.h"
#include "benchmarks/support/cpu_timer.h"
#include "i18n/walk/language_walk.h"
#include "platform/settings/ini_file.h"
#include "preview/window/preview_window.h"
#include "tests/support/program_folder.h"
#include "ui/window_registry.h"

namespace {

using orvella::bench::CpuTimer;

// The two files applied in turn, so every caption really changes at each switch.
const QString kFiles[] = {QStringLiteral(ORVELLA_SOURCE_DIR "/data/lang/english.lng"),
                          QStringLiteral(ORVELLA_SOURCE_DIR "/data/lang/espanol.lng")};

double floorSeconds = 0;

// Every key of the file read once, as the settings reader is used everywhere else.
int readEveryKey(const QString& path) {
  const orvella::IniFile ini(path);
  int read = 0;
  for (const QString& section : ini.sections())
    for (const QString& key : ini.keys(section)) read += ini.readString(section, key, QString()).size();
  return read;
}

void measureFloor() {
  double best = 1e9;
  for (int round = 0; round < 50; ++round) {
    const CpuTimer timer;
    for (const QString& file : kFiles) benchmark::DoNotOptimize(readEveryKey(file));
    best = std::min(best, timer.seconds() / 2);
  }
  floorSeconds = best;
}

struct PaintCounter : QObject {
  QHash<QObject*, int> paints;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints[watched];
    return false;
  }
};

void ReadEveryKey(benchmark::State& state) {
  double seconds = 0;
  int i = 0;
  for (auto _ : state) {
    const CpuTimer timer;
    benchmark::DoNotOptimize(readEveryKey(kFiles[i++ % 2]));
    seconds += timer.seconds();
  }
  state.counters["ratio_to_floor"] = seconds / double(state.iterations()) / floorSeconds;
  state.counters["floor_us"] = floorSeconds * 1e6;
}

void measureSwitch(benchmark::State& state, bool withRepaint) {
  PaintCounter counter;
  double seconds = 0;
  int mostPaints = 0;
  int i = 0;
  for (auto _ : state) {
    QCoreApplication::processEvents();  // nothing left over from the switch before
    counter.paints.clear();
    qApp->installEventFilter(&counter);
    const CpuTimer timer;
    {
      const orvella::BusyCursor busy;
      orvella::apply_language_file(kFiles[i++ % 2]);
    }
    if (withRepaint) QCoreApplication::processEvents();
    seconds += timer.seconds();
    if (!withRepaint) QCoreApplication::processEvents();
    qApp->removeEventFilter(&counter);
    for (int paints : counter.paints) mostPaints = std::max(mostPaints, paints);
  }
  state.counters["ratio_to_floor"] = seconds / double(state.iterations()) / floorSeconds;
  state.counters["most_paints_per_widget"] = mostPaints;
  state.counters["windows"] = double(orvella::ui::windows().windows().size());
}

void ApplyToEveryWindow(benchmark::State& state) { measureSwitch(state, false); }
void ApplyAndRepaint(benchmark::State& state) { measureSwitch(state, true); }

}  // namespace

BENCHMARK(ReadEveryKey)->Unit(benchmark::kMicrosecond)->MinTime(1.0);
BENCHMARK(ApplyToEveryWindow)->Unit(benchmark::kMicrosecond)->MinTime(1.0);
BENCHMARK(ApplyAndRepaint)->Unit(benchmark::kMicrosecond)->MinTime(1.0);

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);

  // The program as a user has it: its three windows, the main window shown, a preview of a month open.
  const orvella::testing::ProgramFolder folder;
  orvella::ProgramContext context;
  context.programDir = folder.path();
  context.systemLanguage = [] { return orvella::kLangPolish; };
  orvella::ProgramWindows windows = orvella::createProgramWindows(context);
  windows.main->show();
  auto preview = orvella::ui::windows().make<orvella::preview::QRStandardPreview>();
  preview->show();
  QCoreApplication::processEvents();

  measureFloor();
  std::printf("reading every key of a language file once: %.1f us\n", floorSeconds * 1e6);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  preview.reset();
  return 0;
}
