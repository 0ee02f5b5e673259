// Any bytes as a theme file (a settings file or a theme archive) opened as File > Open would, then a
// month composed from the theme, saved as a report file and read back, as the preview would. The
// first byte picks the month and whether the year is a leap year; the rest is the theme file.
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "calendar/composition/month_composition.h"
#include "calendar/composition/month_names.h"
#include "calendar/namedays/name_days.h"
#include "calendar/page/page_renderer.h"
#include "dates/line_expansion.h"
#include "fuzz/gui_application.h"
#include "platform/errors/error.h"
#include "preview/engine/report_file.h"
#include "theme/files/theme_files.h"

namespace {

using namespace orvella;

void check(bool condition) {
  if (!condition) std::abort();
}

bool inside(const QString& path, const QString& folder) {
  const QString canonical = QFileInfo(path).canonicalFilePath();
  return !canonical.isEmpty() && canonical.startsWith(QDir(folder).canonicalPath() + QLatin1Char('/'));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  startOffscreenApplication(argc, argv);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static QTemporaryDir scratch;
  if (!scratch.isValid() || size == 0) return 0;
  const QString program = scratch.filePath(QStringLiteral("program"));
  const QString working = scratch.filePath(QStringLiteral("work"));
  const QString themeFile = scratch.filePath(QStringLiteral("theme.hol"));
  QDir().mkpath(program);
  {
    QFile file(themeFile);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
    file.write(reinterpret_cast<const char*>(data + 1), qint64(size - 1));
  }
  const int monthIndex = data[0] % 12;
  const int year = (data[0] & 0x10) ? 2012 : 2013;

  Theme theme;
  ThemeFiles files(theme, program, working);
  files.new_theme();
  try {
    files.load_theme(themeFile);
  } catch (const Error&) {
    // A damaged file is reported; the theme stays the one before, which a page can be composed from.
  }
  check(theme.holidays.size() == 12);

  // Pictures are taken only from the working folder, where the archive put them.
  NameDays nameDays;
  const PageSources sources{nameDays, [&working](const QString& held) {
                              return inside(held, working) && QFileInfo(held).isFile() ? held : QString();
                            }};
  PictureShelf pictures;
  try {
    const page::GeneratedPage page =
        composeMonth(MonthRequest{snapshotOf(theme), year, monthIndex + 1, {}}, sources, pictures).page;
    // The program's own report file of the page is always one its reader takes back.
    std::vector<page::GeneratedPage> loaded;
    try {
      loaded = report::decodeReport(report::encodeReport({page}), QStringLiteral("fuzz.QRP"));
    } catch (const Error&) {
      check(false);
    }
    check(loaded.size() == 1 && loaded.front().elements.size() == page.elements.size());
    QImage image(84, 60, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    page::drawPage(loaded.front(), painter, page::DeviceMapping::forScreen(7));
  } catch (const Error&) {
    // A marker that is no number, or a picture that cannot be read: the composition's own errors.
  }

  // Nothing was written beside the working folder and the theme file.
  const QStringList beside =
      QDir(scratch.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
  for (const QString& name : beside)
    check(name == QLatin1String("program") || name == QLatin1String("work") ||
          name == QLatin1String("theme.hol"));
  check(QDir(program).isEmpty());
  QDir(working).removeRecursively();
  return 0;
}
