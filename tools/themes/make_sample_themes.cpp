// Writes the sample themes into a data folder: for each, its twelve month backgrounds as JPEG files in
// themes/<folder>/, and the theme archive themes/<folder>.hol holding its settings, its left-margin
// picture and its holiday icon. The archive is written by the program's own theme files, with fixed
// file times, so that the same sources give the same bytes. The archive records each file under its
// full name, so the working folder is given too, the same at every run.
//   make_sample_themes <data folder> <empty working folder>
#include <QColor>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImageWriter>
#include <cstdio>
#include <functional>

#include "noise.h"
#include "ornaments.h"
#include "platform/colors/colors.h"
#include "platform/errors/error.h"
#include "scenes.h"
#include "theme/files/theme_files.h"

namespace {

using namespace themes;

struct Holiday {
  int month, day;
  const char* text;  // "*" first: with the theme's icon; "/" breaks the line
};

// Days every sample marks: the public holidays of fixed date with the icon, and days people keep.
constexpr Holiday kHolidays[] = {
    {1, 1, "*Nowy Rok"},         {1, 6, "*Trzech Króli"},     {1, 21, "Dzień Babci"},
    {1, 22, "Dzień Dziadka"},    {2, 14, "Walentynki"},       {3, 8, "Dzień Kobiet"},
    {3, 21, "Pierwszy dzień/wiosny"}, {4, 1, "Prima aprilis"}, {5, 1, "*Święto Pracy"},
    {5, 3, "*Święto/Konstytucji"}, {5, 26, "Dzień Matki"},    {6, 1, "Dzień Dziecka"},
    {6, 23, "Dzień Ojca"},       {8, 15, "*Wniebowzięcie"},   {9, 30, "Dzień/Chłopaka"},
    {11, 1, "*Wszystkich/Świętych"}, {11, 11, "*Święto/Niepodległości"}, {11, 29, "Andrzejki"},
    {12, 6, "Mikołajki"},        {12, 24, "Wigilia"},         {12, 25, "*Boże/Narodzenie"},
    {12, 26, "*Drugi dzień/Świąt"}, {12, 31, "Sylwester"},
};

struct Fonts {
  QColor weekday, holiday, userHoliday, forenames;
  const char* forenamesFace;
};

struct Sample {
  const char* folder;  // also the archive's name
  const char* name;
  std::function<QImage(int)> background;
  QColor paneTint;
  double paneOpacity;
  std::function<QImage()> strip;
  const char* stripFile;
  std::function<QImage()> icon;
  const char* iconFile;
  Fonts fonts;
  bool drawFrames = false;
  bool weekNumbers = false;
  bool sundayLikeWeekday = false;
};

const Sample kSamples[] = {
    {"gory", "Górskie szlaki", mountainsBackground, rgb(0xfbfcfd), 0.62, pinesStrip, "gory-sosny.jpg", sunIcon,
     "gory-slonce.ico", {rgb(0x1f3347), rgb(0xa3321f), rgb(0x2e6b3a), rgb(0x28323c), "Arial"}},
    {"niebo", "Niebo nad nami", skyBackground, rgb(0xfdfeff), 0.60, moonStrip, "niebo-ksiezyc.jpg", starIcon,
     "niebo-gwiazda.ico", {rgb(0x1b2a5c), rgb(0xb0283f), rgb(0x1f6f8b), rgb(0x1b2a5c), "Arial"}, false,
     true},
    {"morze", "Nad morzem", seaBackground, rgb(0xfcfdfd), 0.64, lighthouseStrip, "morze-latarnia.jpg",
     lifebuoyIcon, "morze-kolo.ico",
     {rgb(0x12405a), rgb(0xc23b22), rgb(0x16707a), rgb(0x12405a), "Times New Roman"}, true},
    {"wzory", "Ludowe wzory", patternBackground, rgb(0xfffdf6), 0.70, folkStrip, "wzory-kwiaty.jpg", rosetteIcon,
     "wzory-rozeta.ico", {rgb(0x2b2b2b), rgb(0xc1272d), rgb(0x2a6fb0), rgb(0x3a3a3a), "Arial"}},
};

const QDateTime kFileTime(QDate(2026, 12, 1), QTime(12, 0), Qt::UTC);

void fail(const QString& what) {
  std::fprintf(stderr, "make_sample_themes: %s\n", qPrintable(what));
  std::exit(1);
}

void writeJpeg(const QImage& image, const QString& path) {
  QImageWriter writer(path, "jpeg");
  writer.setQuality(80);
  writer.setOptimizedWrite(true);
  if (!writer.write(image)) fail(path + QStringLiteral(": ") + writer.errorString());
}

void writeFile(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) fail(path + QStringLiteral(": cannot write"));
}

void fixTime(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadWrite) || !file.setFileTime(kFileTime, QFileDevice::FileModificationTime))
    fail(path + QStringLiteral(": cannot set its time"));
}

orvella::ThemeFont font(const char* face, int size, const QColor& color, bool bold = false) {
  orvella::ThemeFont f;
  f.name = QString::fromUtf8(face);
  f.size = size;
  f.color = orvella::fromQColor(color);
  f.bold = bold;
  return f;
}

void makeSample(const Sample& sample, const QString& dataDir, const QString& workingDir) {
  const QString folder = QStringLiteral("themes/") + QLatin1String(sample.folder);
  if (!QDir(dataDir).mkpath(folder)) fail(dataDir + QLatin1Char('/') + folder + QStringLiteral(": cannot make it"));

  orvella::Theme theme;
  const QDir working(workingDir);
  orvella::ThemeFiles files(theme, dataDir, workingDir);
  files.new_theme();
  theme.name = QString::fromUtf8(sample.name);
  for (int month = 1; month <= 12; ++month) {
    // Relative to the program's data, where the program looks for such a name.
    const QString background = folder + QStringLiteral("/%1.jpg").arg(month, 2, 10, QLatin1Char('0'));
    QImage image = sample.background(month);
    addPanes(image, sample.paneTint, sample.paneOpacity);
    writeJpeg(image, dataDir + QLatin1Char('/') + background);
    theme.backgrounds[month - 1] = background;
  }
  theme.pictureLeft = working.filePath(QLatin1String(sample.stripFile));
  writeJpeg(sample.strip(), theme.pictureLeft);
  theme.pictureHoliday = working.filePath(QLatin1String(sample.iconFile));
  writeFile(theme.pictureHoliday, iconFile(sample.icon()));

  const Fonts& f = sample.fonts;
  theme.weekdayFont = font("SF Intellivised", 46, f.weekday);
  theme.holidayFont = font("SF Intellivised Outline", 46, f.holiday);
  theme.userHolidayFont = font("SF Intellivised Outline", 46, f.userHoliday);
  theme.forenamesFont = font(f.forenamesFace, 10, f.forenames);
  theme.drawFrames = sample.drawFrames;
  theme.weekNumbers = sample.weekNumbers;
  theme.sundayLikeWeekday = sample.sundayLikeWeekday;
  for (const Holiday& h : kHolidays) theme.holidays[h.month - 1][h.day - 1] = {QString::fromUtf8(h.text), orvella::kUserHoliday};

  files.save_theme(QString());  // the settings file alone
  const QStringList stored{files.settingsFile(), theme.pictureHoliday, theme.pictureLeft};
  for (const QString& path : stored) fixTime(path);
  const QString archive = dataDir + QLatin1Char('/') + folder + QStringLiteral(".hol");
  QFile::remove(archive);
  if (!files.archive().Backup(stored, archive) || files.archive().ErrorCode() != 0) fail(archive + QStringLiteral(": not written"));
  std::printf("%s: %s\n", qPrintable(archive), sample.name);
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 3) fail(QStringLiteral("usage: make_sample_themes <data folder> <empty working folder>"));
  try {
    for (const Sample& sample : kSamples) makeSample(sample, QString::fromLocal8Bit(argv[1]), QString::fromLocal8Bit(argv[2]));
  } catch (const orvella::Error& e) {
    fail(e.message());
  }
  return 0;
}
