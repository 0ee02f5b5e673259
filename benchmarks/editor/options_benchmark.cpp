// How long the theme editor takes to open when every picture of the theme is a 24-megapixel JPEG: the
// floor is one full-size decode of that JPEG, and each opening is reported as a ratio to it. An opening
// builds the editing copy, fills the month, loads the left-margin picture and paints the dialog; on the
// pictures tab that paint decodes the photograph for the preview box.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTabWidget>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

#include "app/core/program_data.h"
#include "benchmarks/support/large_photo.h"
#include "calendar/composition/month_names.h"
#include "editor/options/options_dialog.h"
#include "editor/options/picture_box.h"
#include "platform/pictures/jpeg_decoder.h"
#include "platform/pictures/raster_cache.h"
#include "theme/model/holiday_table.h"
#include "ui/file_dialogs.h"

namespace {

using orvella::bench::CpuTimer;

struct Setup {
  QByteArray photo;
  double fullDecodeSeconds = 0;  // the floor
  orvella::Theme theme;
  orvella::ui::OpenDialog od_Load;
  std::unique_ptr<orvella::Tf_Options> dialog;
};

Setup* setup = nullptr;

enum class Until { Shown, PreviewDrawn };

// One opening as the user sees it: shown, laid out and painted, then closed again; or kept open until
// the picture preview has been drawn too.
void openOnce(QWidget* tab, bool coldCache, Until until) {
  orvella::Tf_Options& d = *setup->dialog;
  d.PageControl1->setCurrentWidget(tab);
  if (coldCache) orvella::RasterCache::instance().clear();
  d.show();
  benchmark::DoNotOptimize(d.grab());
  if (until == Until::PreviewDrawn)
    while (!d.i_PicturePreview->isRendered()) QCoreApplication::processEvents();
  d.hide();
}

void measureOpenings(benchmark::State& state, QWidget* tab, bool coldCache, Until until = Until::Shown) {
  openOnce(tab, coldCache, until);  // the first opening ever also lays the dialog out
  double seconds = 0;
  const int decodesBefore = orvella::jpegDecodeStats().decodes;
  for (auto _ : state) {
    const CpuTimer timer;
    openOnce(tab, coldCache, until);
    seconds += timer.seconds();
  }
  const double opening = seconds / double(state.iterations());
  state.counters["ratio_to_full_decode"] = opening / setup->fullDecodeSeconds;
  state.counters["full_decode_ms"] = setup->fullDecodeSeconds * 1e3;
  state.counters["decodes_per_opening"] =
      double(orvella::jpegDecodeStats().decodes - decodesBefore) / double(state.iterations());
  state.counters["decoded_width"] = orvella::jpegDecodeStats().lastDecodedSize.width();
}

void FullSizeDecode(benchmark::State& state) {
  const CpuTimer timer;
  for (auto _ : state) benchmark::DoNotOptimize(orvella::decodeJpeg(setup->photo, 8, "photo.jpg"));
  state.counters["ratio_to_full_decode"] = timer.seconds() / double(state.iterations()) / setup->fullDecodeSeconds;
}

// The tab of the first opening: the picture is loaded (header and data checked), not drawn.
void OpenOnHolidaysTab(benchmark::State& state) { measureOpenings(state, setup->dialog->ts_Holidays, true); }

// On the pictures tab the dialog is up before the preview decodes the photograph at the box's size.
void OpenOnPicturesTab(benchmark::State& state) { measureOpenings(state, setup->dialog->ts_Pictures, true); }

// ... and this is how long until the preview shows it too: mostly the box-size decode, whose entropy
// decoding no scaling avoids.
void PreviewDrawnOnPicturesTab(benchmark::State& state) {
  measureOpenings(state, setup->dialog->ts_Pictures, true, Until::PreviewDrawn);
}

// Opened again later: the box-size decode comes from the picture cache.
void ReopenOnPicturesTab(benchmark::State& state) {
  measureOpenings(state, setup->dialog->ts_Pictures, false, Until::PreviewDrawn);
}

}  // namespace

BENCHMARK(FullSizeDecode)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(OpenOnHolidaysTab)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(OpenOnPicturesTab)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(PreviewDrawnOnPicturesTab)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(ReopenOnPicturesTab)->Unit(benchmark::kMillisecond)->MinTime(2.0);

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  QTemporaryDir folder;
  const QString photoPath = folder.path() + QStringLiteral("/photo.jpg");

  Setup s;
  s.photo = orvella::bench::writeLargePhoto(photoPath);
  const double best = orvella::bench::fullDecodeSeconds(s.photo);
  s.fullDecodeSeconds = best;

  // A theme whose every picture is the photograph, with a holiday on each day of January.
  orvella::resetTables(s.theme);
  s.theme.pictureLeft = s.theme.pictureHoliday = photoPath;
  s.theme.backgrounds.fill(photoPath);
  for (int day = 0; day < 31; ++day) s.theme.holidays[0][day] = {QStringLiteral("Święto %1").arg(day + 1), 'u'};
  orvella::OptionsHost host;
  host.theme = &s.theme;
  host.selectedYear = [] { return 2012; };
  for (int month = 0; month < 12; ++month) host.monthNames << orvella::polishMonthName(month);
  host.od_Load = &s.od_Load;
  host.programDir = folder.path();
  host.locatePicture = [&folder](const QString& held) { return orvella::locateProgramPicture(folder.path(), held); };
  s.dialog = std::make_unique<orvella::Tf_Options>(std::move(host));
  setup = &s;

  std::printf("6000 x 4000 JPEG of %.1f MB, full-size decode %.1f ms\n", s.photo.size() / 1048576.0, best * 1e3);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  setup = nullptr;
  return 0;
}
