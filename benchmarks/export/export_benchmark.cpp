// The headless export's time and memory, each against a floor measured in the same run.
//
// BM_ExportYearToPdf/photo:W/dpi:D — a year of months, each with a photo of W × 2W/3 pixels of its
// own as background, composed and exported to one PDF in this process, against decoding the same
// twelve photos at full size. Counters: floor_s, export_s, ratio (export / floor), peak_MB and idle_MB
// (VmHWM during the export and the resident size before it), photo_MB (one photo decoded), pdf_MB,
// images.
//
// BM_PngMonth/dpi:D/photo:W — one month to PNG at D dpi with the default theme (and a photo behind
// it when W > 0), in this process, against drawing the same page once into one full-page image.
// Counters: draw_s (the floor), export_s, time_ratio (export / draw; goal at most 2), the same in
// processor time (draw_cpu_s, export_cpu_s, cpu_ratio: the work, whatever else runs), page_image_MB
// (one full-page image), growth_MB, memory_ratio (growth / page image), png_MB.
//
// BM_ProgramMemory/... — the program itself, started as its own process, so that nothing this process
// did before shows in the figures: idle_MB is the program's peak when it composes one month into
// JSON (it draws nothing and decodes no photo), peak_MB its peak for the export. For the year with
// 3000 × 2000 photos growth_per_photo = (peak - idle) / one decoded photo (goal at most 1.5); for a
// month at 600 dpi memory_ratio = (peak - idle) / one full-page image (goal at most 0.3).
//
// ORVELLA_EXPORT_PDF keeps the last PDF there; ORVELLA_EXPORT_PNG keeps each PNG month as
// NAME-dpi-photo.png and the PNG photo year as NAME-year-MM.png, to compare files from one build with
// another's.
#include "benchmarks/support/cpu_timer.h"
#include "benchmarks/support/process_memory.h"
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <jpeglib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <vector>

#include "app/core/program_data.h"
#include "app/export/export_command.h"
#include "calendar/composition/month_composition.h"
#include "calendar/namedays/name_days.h"
#include "calendar/page/page_renderer.h"
#include "calendar/page/print_form.h"
#include "platform/desktop/font_registry.h"
#include "platform/pictures/jpeg_decoder.h"
#include "platform/pictures/raster_cache.h"
#include "tests/support/program_folder.h"
#include "theme/files/theme_files.h"

namespace {

constexpr int kQuality = 90;

struct Photos {
  QTemporaryDir folder;
  QStringList paths;
};

// A photo-like picture, different for each month: soft colour fields, a few bands of detail and
// sensor-like noise, written row by row so that making it never holds the whole picture.
void writePhoto(const QString& path, int month, int width, int height) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  std::FILE* out = std::fopen(QFile::encodeName(path).constData(), "wb");
  if (!out) std::abort();
  jpeg_stdio_dest(&info, out);
  info.image_width = JDIMENSION(width);
  info.image_height = JDIMENSION(height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, kQuality, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<unsigned char> row(std::size_t(width) * 3);
  unsigned seed = 0x9E3779B9u * unsigned(month + 1);
  const int hue = month * 21;
  while (info.next_scanline < info.image_height) {
    const int y = static_cast<int>(info.next_scanline);
    for (int x = 0; x < width; ++x) {
      seed = seed * 1103515245u + 12345u;
      const int noise = static_cast<int>((seed >> 16) & 15) - 8;
      // Fine stripes in a few places stand in for foliage and fabric.
      const int detail = ((x / 3 + y / 5 + month) % 7 == 0 && (x / 900 + y / 700) % 3 == month % 3) ? 40 : 0;
      const int r = (hue + 255 * x / width) % 256;
      const int g = (80 + 120 * y / height + month * 9) % 256;
      const int b = (200 - 100 * x / width + 60 * y / height) % 256;
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

// Twelve photos of the width given (height two thirds of it), made on first use and removed at exit.
const Photos& photos(int width) {
  static std::map<int, Photos> made;
  Photos& set = made[width];
  if (set.paths.isEmpty()) {
    for (int month = 0; month < 12; ++month) {
      const QString path =
          set.folder.filePath(QStringLiteral("photo-%1.jpg").arg(month + 1, 2, 10, QLatin1Char('0')));
      writePhoto(path, month, width, width * 2 / 3);
      set.paths.append(path);
    }
  }
  return set;
}

double secondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The floor: each photo read and decoded at its full size by the same libjpeg-turbo decoder.
double decodeTwelvePhotos(int width) {
  const auto start = std::chrono::steady_clock::now();
  for (const QString& path : photos(width).paths) {
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

// The program's data laid out in a folder of its own, with the default theme.
struct Program {
  orvella::testing::ProgramFolder folder;
  orvella::Theme theme;
  orvella::NameDays nameDays;
  Program() {
    orvella::registerProgramFonts(folder.path());
    orvella::ThemeFiles files(theme, folder.path());
    files.new_theme();
    nameDays.load_forenames(folder.path());
  }
};

constexpr double kMb = 1024.0 * 1024.0;

// Args: the photos' width, the export resolution (0: the format's default).
void BM_ExportYearToPdf(benchmark::State& state) {
  const int width = int(state.range(0));
  Program program;
  for (int month = 0; month < 12; ++month) program.theme.backgrounds[month] = photos(width).paths[month];
  const QString kept = qEnvironmentVariable("ORVELLA_EXPORT_PDF");
  QTemporaryDir out;
  const QString pdf = kept.isEmpty() ? out.filePath(QStringLiteral("year.pdf")) : kept;
  const orvella::ExportRequest request{pdf, 2027, 1, 12, {}, int(state.range(1))};

  double bestFloor = 1e9, bestExport = 1e9;
  long peak = 0, idle = 0;
  for (auto _ : state) {
    // The floor, measured beside each export so that both see the same machine load.
    bestFloor = std::min(bestFloor, decodeTwelvePhotos(width));
    orvella::RasterCache::instance().clear();
    orvella::bench::releaseFreeMemory();
    if (!resetPeak()) state.SkipWithError("cannot reset the peak resident size");
    idle = statusKilobytes("VmRSS:");
    const auto start = std::chrono::steady_clock::now();
    orvella::exportMonths(request, program.theme, program.nameDays, program.folder.path());
    const double seconds = secondsSince(start);
    peak = std::max(peak, statusKilobytes("VmHWM:"));
    bestExport = std::min(bestExport, seconds);
    state.SetIterationTime(seconds);
  }
  const double photoMb = double(width) * (width * 2 / 3) * 4 / kMb;
  state.counters["floor_s"] = bestFloor;
  state.counters["export_s"] = bestExport;
  state.counters["ratio"] = bestExport / bestFloor;
  state.counters["peak_MB"] = peak / 1024.0;
  state.counters["idle_MB"] = idle / 1024.0;
  state.counters["photo_MB"] = photoMb;
  state.counters["pdf_MB"] = QFileInfo(pdf).size() / kMb;
  state.counters["images"] = countImageObjects(pdf);
}
BENCHMARK(BM_ExportYearToPdf)
    ->ArgNames({"photo", "dpi"})
    ->Args({3000, 0})
    ->Args({6000, 0})
    ->Args({6000, 600})
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// Args: the resolution, the width of a background photo (0: none).
void BM_PngMonth(benchmark::State& state) {
  const int dpi = int(state.range(0));
  const int width = int(state.range(1));
  Program program;
  if (width > 0) program.theme.backgrounds[0] = photos(width).paths[0];
  QTemporaryDir out;
  const orvella::ExportRequest request{out.filePath(QStringLiteral("month.png")), 2027, 1, 1, {}, dpi};

  // The floor: the same page composed and drawn once into one image of the whole sheet.
  const QString programDir = program.folder.path();
  const orvella::PageSources sources{
      program.nameDays, [&programDir](const QString& held) { return orvella::locateProgramPicture(programDir, held); }};
  const int pageWidth = int(std::lround(297 / 25.4 * dpi)), pageHeight = int(std::lround(210 / 25.4 * dpi));
  auto drawOnce = [&] {
    orvella::PictureShelf pictures;
    const orvella::page::GeneratedPage page =
        orvella::composeMonth(orvella::MonthRequest{orvella::snapshotOf(program.theme), 2027, 1, {}}, sources, pictures)
            .page;
    QImage image(pageWidth, pageHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    orvella::page::drawPage(page, painter, orvella::page::DeviceMapping{double(dpi), double(dpi)});
    painter.end();
    benchmark::DoNotOptimize(image.constBits());
  };

  double bestDraw = 1e9, bestExport = 1e9, bestDrawCpu = 1e9, bestExportCpu = 1e9;
  long growth = 0;
  for (auto _ : state) {
    orvella::RasterCache::instance().clear();
    orvella::bench::releaseFreeMemory();
    if (!resetPeak()) state.SkipWithError("cannot reset the peak resident size");
    const long idle = statusKilobytes("VmRSS:");
    auto start = std::chrono::steady_clock::now();
    orvella::bench::CpuTimer cpu;
    orvella::exportMonths(request, program.theme, program.nameDays, programDir);
    const double seconds = secondsSince(start);
    bestExportCpu = std::min(bestExportCpu, cpu.seconds());
    growth = std::max(growth, statusKilobytes("VmHWM:") - idle);
    bestExport = std::min(bestExport, seconds);
    state.SetIterationTime(seconds);
    orvella::RasterCache::instance().clear();
    start = std::chrono::steady_clock::now();
    cpu.restart();
    drawOnce();
    bestDrawCpu = std::min(bestDrawCpu, cpu.seconds());
    bestDraw = std::min(bestDraw, secondsSince(start));
  }
  const double pageMb = double(pageWidth) * pageHeight * 4 / kMb;
  state.counters["draw_s"] = bestDraw;
  state.counters["export_s"] = bestExport;
  state.counters["time_ratio"] = bestExport / bestDraw;
  state.counters["draw_cpu_s"] = bestDrawCpu;
  state.counters["export_cpu_s"] = bestExportCpu;
  state.counters["cpu_ratio"] = bestExportCpu / bestDrawCpu;
  state.counters["page_image_MB"] = pageMb;
  state.counters["growth_MB"] = growth / 1024.0;
  state.counters["memory_ratio"] = growth / 1024.0 / pageMb;
  state.counters["png_MB"] = QFileInfo(request.output).size() / kMb;
  const QString kept = qEnvironmentVariable("ORVELLA_EXPORT_PNG");
  if (!kept.isEmpty()) {
    const QString copy = QStringLiteral("%1-%2-%3.png").arg(kept).arg(dpi).arg(width);
    QFile::remove(copy);
    QFile::copy(request.output, copy);
  }
}
BENCHMARK(BM_PngMonth)
    ->ArgNames({"dpi", "photo"})
    ->Args({600, 0})
    ->Args({600, 3000})
    ->Args({150, 0})
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// Runs a command (the built program when none is named) on the offscreen platform, its standard
// output and errors thrown away; what it used, its waited-for children included, or nothing when it
// did not run or failed.
std::optional<rusage> runCommand(const QStringList& arguments, const QString& command = {}) {
  std::vector<QByteArray> args{command.isEmpty() ? QByteArray(ORVELLA_RUNTIME_DIR "/orvella") : QFile::encodeName(command)};
  for (const QString& a : arguments) args.push_back(QFile::encodeName(a));
  std::vector<char*> argv;
  for (QByteArray& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const int null = open("/dev/null", O_WRONLY);
    if (null >= 0) dup2(null, 1), dup2(null, 2);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  if (pid < 0) return std::nullopt;
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
  return usage;
}

long programPeakKilobytes(const QStringList& arguments) {
  const auto usage = runCommand(arguments);
  return usage ? usage->ru_maxrss : -1;
}

// Processor time of a finished command, user and system; a large figure when it failed.
double cpuSeconds(const std::optional<rusage>& usage) {
  if (!usage) return 1e9;
  auto seconds = [](const timeval& t) { return double(t.tv_sec) + t.tv_usec * 1e-6; };
  return seconds(usage->ru_utime) + seconds(usage->ru_stime);
}

// A settings-file theme whose months show the photos given (January first).
QString photoTheme(const QTemporaryDir& folder, const QStringList& photos) {
  const QString path = folder.filePath(QStringLiteral("photos.ini"));
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) std::abort();
  for (int month = 0; month < photos.size(); ++month)
    file.write(QStringLiteral("[%1]\r\nbg=%2\r\n").arg(month + 1).arg(photos[month]).toUtf8());
  return path;
}

// Args: 0 for the year to PDF with 3000 × 2000 photos, else the resolution of one month to PNG and
// whether a 3000 × 2000 photo lies behind it.
void BM_ProgramMemory(benchmark::State& state) {
  QTemporaryDir out;
  const bool year = state.range(0) == 0;
  const int dpi = int(state.range(0));
  const QStringList allPhotos = photos(3000).paths;
  const QStringList shown = year ? allPhotos : state.range(1) ? allPhotos.mid(0, 1) : QStringList();
  QStringList common{QStringLiteral("--year"), QStringLiteral("2027")};
  if (!shown.isEmpty()) common << QStringLiteral("--theme") << photoTheme(out, shown);
  long idle = 0, peak = 0;
  for (auto _ : state) {
    idle = programPeakKilobytes(QStringList{QStringLiteral("--export"),
                                            out.filePath(QStringLiteral("idle.json")),
                                            QStringLiteral("--month"), QStringLiteral("1")} +
                                common);
    const QStringList exportArguments =
        year ? QStringList{QStringLiteral("--export"), out.filePath(QStringLiteral("year.pdf")),
                           QStringLiteral("--month"), QStringLiteral("1-12")}
             : QStringList{QStringLiteral("--export"), out.filePath(QStringLiteral("month.png")),
                           QStringLiteral("--month"),  QStringLiteral("1"),
                           QStringLiteral("--dpi"),    QString::number(dpi)};
    peak = programPeakKilobytes(exportArguments + common);
    if (idle < 0 || peak < 0) state.SkipWithError("the program did not run");
  }
  state.counters["idle_MB"] = idle / 1024.0;
  state.counters["peak_MB"] = peak / 1024.0;
  if (year) {
    const double photoMb = 3000.0 * 2000 * 4 / kMb;
    state.counters["photo_MB"] = photoMb;
    state.counters["growth_per_photo"] = (peak - idle) / 1024.0 / photoMb;
  } else {
    const double pageMb = std::lround(297 / 25.4 * dpi) * double(std::lround(210 / 25.4 * dpi)) * 4 / kMb;
    state.counters["page_image_MB"] = pageMb;
    state.counters["memory_ratio"] = (peak - idle) / 1024.0 / pageMb;
  }
}
BENCHMARK(BM_ProgramMemory)
    ->ArgNames({"dpi", "photo"})
    ->Args({0, 1})
    ->Args({600, 0})
    ->Args({600, 1})
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// What a finished command used: processor time (user and system) and the time it took on the clock;
// large figures when it failed.
struct CommandTime {
  double cpu = 1e9;
  double wall = 1e9;
};

CommandTime timeCommand(const QStringList& arguments, const QString& command = {}) {
  const auto start = std::chrono::steady_clock::now();
  const std::optional<rusage> usage = runCommand(arguments, command);
  return usage ? CommandTime{cpuSeconds(usage), secondsSince(start)} : CommandTime{};
}

// The export as its own process against the tools people would otherwise use (the best of three of
// each, measured in turns so that both see the same machine), in processor time and on the clock:
// BM_AgainstTools/photos:1 — a year of twelve 6000 × 4000 photos to a PDF at 300 dpi, against djpeg
// decoding the twelve photos one after the other (goal: ratio at most 0.3); photos_MB and pdf_MB
// (goal: the PDF at most the photos plus 1 MB).
// BM_AgainstTools/photos:0 — a year of the default theme to a PDF, against pcal writing the year's
// PostScript and ps2pdf making it a PDF (goal: ratio at most 0.8).
// BM_AgainstTools/photos:2 — the same photo year as twelve PNG images at 150 dpi, against djpeg:
// every photo is decoded here, the next month's on the second core while a page is written, so
// wall_ratio shows what that overlap gains.
void BM_AgainstTools(benchmark::State& state) {
  const bool withPhotos = state.range(0) != 0;
  const bool png = state.range(0) == 2;
  QTemporaryDir out;
  const QString kept = qEnvironmentVariable("ORVELLA_EXPORT_PNG");
  const QString written = !png            ? out.filePath(QStringLiteral("year.pdf"))
                           : kept.isEmpty() ? out.filePath(QStringLiteral("year.png"))
                                            : kept + QStringLiteral("-year.png");
  QStringList exportArguments{"--export", written, "--year", "2027", "--month", "1-12"};
  if (withPhotos)
    exportArguments << "--dpi" << (png ? "150" : "300") << "--theme" << photoTheme(out, photos(6000).paths);
  const QString ps = out.filePath(QStringLiteral("year.ps"));
  CommandTime floor, exported;
  for (auto _ : state) {
    for (int run = 0; run < 3; ++run) {
      CommandTime tools{0, 0};
      auto add = [&tools](const CommandTime& t) { tools = {tools.cpu + t.cpu, tools.wall + t.wall}; };
      if (withPhotos) {
        for (const QString& photo : photos(6000).paths)
          add(timeCommand({"-outfile", "/dev/null", photo}, QStringLiteral("djpeg")));
      } else {
        add(timeCommand({"-o", ps, "1", "2027", "12"}, QStringLiteral("pcal")));
        add(timeCommand({ps, out.filePath(QStringLiteral("pcal.pdf"))}, QStringLiteral("ps2pdf")));
      }
      const CommandTime program = timeCommand(exportArguments);
      floor = {std::min(floor.cpu, tools.cpu), std::min(floor.wall, tools.wall)};
      exported = {std::min(exported.cpu, program.cpu), std::min(exported.wall, program.wall)};
    }
    state.SetIterationTime(exported.wall);
  }
  if (floor.cpu >= 1e9 || exported.cpu >= 1e9)
    state.SkipWithError("a command failed (pcal, ghostscript, djpeg: scripts/setup)");
  state.counters["floor_cpu_s"] = floor.cpu;
  state.counters["export_cpu_s"] = exported.cpu;
  state.counters["ratio"] = exported.cpu / floor.cpu;
  state.counters["floor_s"] = floor.wall;
  state.counters["export_s"] = exported.wall;
  state.counters["wall_ratio"] = exported.wall / floor.wall;
  if (!png) {
    state.counters["goal"] = withPhotos ? 0.3 : 0.8;
    state.counters["pdf_MB"] = QFileInfo(written).size() / kMb;
  }
  if (withPhotos) {
    double photosMb = 0;
    for (const QString& photo : photos(6000).paths) photosMb += QFileInfo(photo).size() / kMb;
    state.counters["photos_MB"] = photosMb;
  }
}
BENCHMARK(BM_AgainstTools)
    ->ArgNames({"photos"})
    ->Arg(1)
    ->Arg(0)
    ->Arg(2)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
