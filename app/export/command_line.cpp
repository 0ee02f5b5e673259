// The command line: one table of the export's options, read into the export request.
#include "app/export/command_line.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QTimeZone>
#include <algorithm>
#include <functional>
#include <vector>

#include "i18n/language/language_choice.h"
#include "platform/errors/error.h"
#include "preview/sinks/page_sink.h"

namespace orvella {

namespace {

constexpr int kMinYear = 1;
constexpr int kMaxYear = 9999;
constexpr int kMinDpi = 36;
constexpr int kMaxDpi = 2400;
constexpr double kMaxBleedMm = 25.0;

QString quoted(const QString& value) { return QLatin1Char('"') + value + QLatin1Char('"'); }

Error badValue(const QString& option, const QString& value, const QString& why) {
  return Error(QStringLiteral("--%1 %2: %3").arg(option, quoted(value), why));
}

int wholeNumberIn(const QString& option, const QString& value, int low, int high, const QString& what) {
  bool ok = false;
  const int number = value.trimmed().toInt(&ok);
  if (!ok || number < low || number > high)
    throw badValue(option, value, QStringLiteral("%1 runs from %2 to %3").arg(what).arg(low).arg(high));
  return number;
}

// A file an option names must be there to be read; the file's own faults are found when it is read.
void checkReadableFile(const QString& option, const QString& value) {
  const QFileInfo info(value);
  if (!info.exists()) throw badValue(option, value, QStringLiteral("there is no such file"));
  if (info.isDir()) throw badValue(option, value, QStringLiteral("this is a folder, not a file"));
  if (!info.isFile()) throw badValue(option, value, QStringLiteral("this is no regular file"));
  if (!info.isReadable()) throw badValue(option, value, QStringLiteral("the file cannot be read"));
}

// One option of the export: how it reads, and how its values go into the request. An option given
// several times passes all its values; one that takes a single value refuses a second.
struct ExportOption {
  QCommandLineOption option;
  bool required;
  bool repeatable;
  std::function<void(ExportRequest&, const QString& name, const QStringList& values)> read;
};

std::vector<ExportOption> exportOptions() {
  std::vector<ExportOption> options;
  options.push_back(
      {QCommandLineOption(QStringLiteral("export"),
                          QStringLiteral("Composes months without a window and writes them to OUT: one "
                                         "PDF page per month (.pdf), one image or drawing per month (.png, "
                                         ".svg, the month number before the extension when there are "
                                         "several), the composed page model (.json) or a report file "
                                         "the preview loads (.qrp)."),
                          QStringLiteral("OUT")),
       true, false, [](ExportRequest& request, const QString& name, const QStringList& values) {
         if (!sinks::sinkFormatOf(values.front()))
           throw badValue(name, values.front(), QStringLiteral("the output ends in ") + sinks::sinkSuffixList());
         request.output = values.front();
       }});
  options.push_back({QCommandLineOption(QStringLiteral("year"), QStringLiteral("The year, 1 to 9999."),
                                        QStringLiteral("Y")),
                     true, false, [](ExportRequest& request, const QString& name, const QStringList& values) {
                       request.year =
                           wholeNumberIn(name, values.front(), kMinYear, kMaxYear, QStringLiteral("a year"));
                     }});
  options.push_back(
      {QCommandLineOption(QStringLiteral("month"),
                          QStringLiteral("The month, 1 to 12, or the months M to M2 (for example 1-12); M2 before M "
                                         "runs on into the next year (9-8: September to August)."),
                          QStringLiteral("M[-M2]")),
       true, false, [](ExportRequest& request, const QString& name, const QStringList& values) {
         const QString& value = values.front();
         // A leading minus is no range: "-1" is a month that does not exist.
         const qsizetype dash = value.indexOf(QLatin1Char('-'), 1);
         const QString first = dash < 0 ? value : value.left(dash);
         const QString last = dash < 0 ? value : value.mid(dash + 1);
         const QString why = QStringLiteral("months are 1 to 12, or M-M2");
         bool firstOk = false, lastOk = false;
         request.firstMonth = first.toInt(&firstOk);
         request.lastMonth = last.toInt(&lastOk);
         if (!firstOk || !lastOk || request.firstMonth < 1 || request.firstMonth > 12 || request.lastMonth < 1 ||
             request.lastMonth > 12)
           throw badValue(name, value, why);
       }});
  options.push_back(
      {QCommandLineOption(QStringLiteral("theme"),
                          QStringLiteral("Opens the theme archive or settings file FILE as File > Open "
                                         "would; without it, the default theme."),
                          QStringLiteral("FILE")),
       false, false, [](ExportRequest& request, const QString& name, const QStringList& values) {
         checkReadableFile(name, values.front());
         request.themeFile = values.front();
       }});
  options.push_back(
      {QCommandLineOption(QStringLiteral("holidays"),
                          QStringLiteral("Adds the national holidays file FILE.hln, or the shipped one of "
                                         "that NAME (see --list-holidays), to the theme for the year, as "
                                         "the theme editor's \"Dodaj...\" does. May be given several "
                                         "times: the first holiday of a day wins."),
                          QStringLiteral("FILE.hln|NAME")),
       false, true, [](ExportRequest& request, const QString& name, const QStringList& values) {
         // A bare name that is no file here is looked for among the shipped files when the export starts.
         for (const QString& value : values)
           if (value.contains(QLatin1Char('/')) || QFileInfo::exists(value)) checkReadableFile(name, value);
         request.holidayFiles = values;
       }});
  options.push_back(
      {QCommandLineOption(QStringLiteral("dpi"),
                          QStringLiteral("Pixels per inch of images, drawings and photos in a PDF, 36 to "
                                         "2400 (PDF 300, PNG and SVG 150 without it)."),
                          QStringLiteral("N")),
       false, false, [](ExportRequest& request, const QString& name, const QStringList& values) {
         request.dpi =
             wholeNumberIn(name, values.front(), kMinDpi, kMaxDpi, QStringLiteral("the resolution"));
       }});
  options.push_back(
      {QCommandLineOption(QStringLiteral("paper"),
                          QStringLiteral("The paper of PDF pages and images, in landscape: a4, a3, letter "
                                         "or legal (a4 without it). On any paper but A4 the page is "
                                         "scaled to fit and centred."),
                          QStringLiteral("a4|a3|letter|legal")),
       false, false, [](ExportRequest& request, const QString& name, const QStringList& values) {
         const auto paper = exportPaperNamed(values.front());
         if (!paper) throw badValue(name, values.front(), QStringLiteral("the paper is a4, a3, letter or legal"));
         request.paper = *paper;
       }});
  options.push_back(
      {QCommandLineOption(QStringLiteral("bleed"),
                          QStringLiteral("Millimetres, 0 to 25, by which each PDF page reaches beyond the "
                                         "sheet on every side for a print shop to cut: the background "
                                         "alone extends into them (0 without it)."),
                          QStringLiteral("MM")),
       false, false, [](ExportRequest& request, const QString& name, const QStringList& values) {
         bool ok = false;
         const double mm = values.front().trimmed().toDouble(&ok);
         if (!ok || !(mm >= 0 && mm <= kMaxBleedMm))
           throw badValue(name, values.front(), QStringLiteral("the bleed runs from 0 to 25 millimetres"));
         request.bleedMm = mm;
       }});
  options.push_back({QCommandLineOption(QStringLiteral("marks"),
                                        QStringLiteral("Crop marks around each PDF page, outside the bleed.")),
                     false, false,
                     [](ExportRequest& request, const QString&, const QStringList&) { request.cropMarks = true; }});
  options.push_back(
      {QCommandLineOption(QStringLiteral("lang"),
                          QStringLiteral("The language of the month and weekday names and of the export's messages: "
                                         "english, espanol or polski (the program's own Polish without it)."),
                          QStringLiteral("NAME")),
       false, false, [](ExportRequest& request, const QString& name, const QStringList& values) {
         const QStringList offered = language::offeredLanguages();
         if (!offered.contains(values.front()))
           throw badValue(name, values.front(), QStringLiteral("the language is ") + offered.join(QStringLiteral(", ")));
         request.language = values.front();
       }});
  options.push_back(
      {QCommandLineOption(QStringLiteral("overview"),
                          QStringLiteral("Adds the year's overview page (the twelve months small on one "
                                         "page) before the months.")),
       false, false, [](ExportRequest& request, const QString&, const QStringList&) { request.overview = true; }});
  options.push_back(
      {QCommandLineOption(QStringLiteral("timezone"),
                          QStringLiteral("The time zone whose days the Moon's phases fall on, by its IANA "
                                         "name such as Europe/Warsaw (the computer's without it)."),
                          QStringLiteral("ZONE")),
       false, false, [](ExportRequest& request, const QString& name, const QStringList& values) {
         const QByteArray zone = values.front().toUtf8();
         if (!QTimeZone::isTimeZoneIdAvailable(zone))
           throw badValue(name, values.front(), QStringLiteral("no time zone has that name"));
         request.timeZone = zone;
       }});
  return options;
}

QString usageHint() { return QStringLiteral("\n(orvella --help lists the options)"); }

// The toolkit's own options, which its application object takes away itself, with whether each takes
// a value ("-style fusion" or "-style=fusion").
struct ToolkitOption {
  const char* name;
  bool takesValue;
};
constexpr ToolkitOption kToolkitOptions[] = {
    {"platform", true},        {"platformpluginpath", true},
    {"platformtheme", true},   {"plugin", true},
    {"qwindowgeometry", true}, {"qwindowicon", true},
    {"qwindowtitle", true},    {"session", true},
    {"display", true},         {"geometry", true},
    {"style", true},           {"stylesheet", true},
    {"qmljsdebugger", true},   {"dialogs", true},
    {"fontengine", true},      {"reverse", false},
    {"widgetcount", false},
};

// The arguments without the toolkit's options and their values; platform is set to the value of
// "-platform" when it is there.
QStringList withoutToolkitOptions(const QStringList& arguments, QString& platform) {
  QStringList rest;
  for (qsizetype i = 0; i < arguments.size(); ++i) {
    const QString& argument = arguments[i];
    if (argument == QLatin1String("--")) {
      rest += arguments.mid(i);
      break;
    }
    const qsizetype dashes = argument.startsWith(QLatin1String("--")) ? 2
                             : argument.startsWith(QLatin1Char('-'))  ? 1
                                                                      : 0;
    const qsizetype equals = argument.indexOf(QLatin1Char('='));
    const QString name = argument.mid(dashes, equals < 0 ? -1 : equals - dashes);
    const auto known =
        std::find_if(std::begin(kToolkitOptions), std::end(kToolkitOptions),
                     [&name](const ToolkitOption& o) { return name == QLatin1String(o.name); });
    if (i == 0 || dashes == 0 || known == std::end(kToolkitOptions)) {
      rest << argument;
      continue;
    }
    QString value = equals < 0 ? QString() : argument.mid(equals + 1);
    if (known->takesValue && equals < 0 && i + 1 < arguments.size()) value = arguments[++i];
    if (name == QLatin1String("platform")) platform = value;
  }
  return rest;
}

}  // namespace

CommandLine parseCommandLine(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  parser.setApplicationDescription(QStringLiteral(
      "Orvella composes and prints monthly wall calendars. Without --export it opens its window, "
      "and FILE.hol, when given, as File > Open would."));
  const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                QStringLiteral("Shows this help."));
  const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                   QStringLiteral("Shows the program's version."));
  const QCommandLineOption listHolidays(
      QStringLiteral("list-holidays"),
      QStringLiteral("Lists the national holidays files shipped with the program, with their countries."));
  QCommandLineOption quitWhenShown(QStringLiteral("quit-when-shown"),
                                   QStringLiteral("Closes the window as soon as it is shown."));
  quitWhenShown.setFlags(QCommandLineOption::HiddenFromHelp);
  const QCommandLineOption newTheme(QStringLiteral("new"),
                                    QStringLiteral("Starts a new theme: the theme editor opens on the default theme."));
  const QCommandLineOption yearPreview(
      QStringLiteral("year-preview"),
      QStringLiteral("Starts with the preview of every month of the year the window starts with, in the theme FILE.hol when given."));
  const QCommandLineOption* windowOnly[] = {&quitWhenShown, &newTheme, &yearPreview};
  std::vector<ExportOption> exportOptions = orvella::exportOptions();
  for (const ExportOption& o : exportOptions) parser.addOption(o.option);
  parser.addOption(help);
  parser.addOption(version);
  parser.addOption(listHolidays);
  parser.addOption(quitWhenShown);
  parser.addOption(newTheme);
  parser.addOption(yearPreview);
  parser.addPositionalArgument(QStringLiteral("FILE.hol"), QStringLiteral("A theme to open in the window."),
                               QStringLiteral("[FILE.hol]"));

  CommandLine line;
  const QStringList ours = withoutToolkitOptions(arguments, line.platform);
  const bool parsed = parser.parse(ours.isEmpty() ? QStringList{QStringLiteral("orvella")} : ours);
  if (parser.isSet(help)) {
    line.action = CommandLine::Action::Help;
    line.text = parser.helpText().replace(QStringLiteral("<executable_name>"), QStringLiteral("orvella"));
    return line;
  }
  if (parser.isSet(version)) {
    line.action = CommandLine::Action::Version;
    line.text = QStringLiteral("Orvella 1.33\n");
    return line;
  }

  // An option that neither the program nor the toolkit knows is a mistake in every mode.
  if (!parsed) throw Error(parser.errorText() + usageHint());
  if (parser.isSet(listHolidays)) {
    line.action = CommandLine::Action::ListHolidays;
    return line;
  }

  const QString exportName = exportOptions.front().option.names().front();
  if (!parser.isSet(exportName)) {
    for (const ExportOption& o : exportOptions) {
      const QString name = o.option.names().front();
      if (parser.isSet(name))
        throw Error(QStringLiteral("--%1 %2: this option belongs to the export (--export OUT)")
                        .arg(name, quoted(parser.value(name))) +
                    usageHint());
    }
    line.quitWhenShown = parser.isSet(quitWhenShown);
    line.themeFiles = parser.positionalArguments();
    if (parser.isSet(newTheme) && parser.isSet(yearPreview))
      throw Error(QStringLiteral("--new, --year-preview: the window starts in one place or the other") + usageHint());
    if (parser.isSet(newTheme) && !line.themeFiles.isEmpty())
      throw Error(QStringLiteral("--new %1: a new theme starts from the default theme, not from a file")
                      .arg(quoted(line.themeFiles.front())) +
                  usageHint());
    if (parser.isSet(newTheme)) line.start = CommandLine::Start::NewTheme;
    if (parser.isSet(yearPreview)) line.start = CommandLine::Start::YearPreview;
    return line;
  }

  if (!parser.positionalArguments().isEmpty())
    throw Error(QStringLiteral("%1: the export takes no arguments besides its options")
                    .arg(quoted(parser.positionalArguments().front())) +
                usageHint());
  for (const QCommandLineOption* option : windowOnly)
    if (parser.isSet(*option))
      throw Error(QStringLiteral("--%1: the export opens no window").arg(option->names().front()) + usageHint());
  line.action = CommandLine::Action::Export;
  for (const ExportOption& o : exportOptions) {
    const QString name = o.option.names().front();
    // An option without a value (--marks, --overview) passes one empty value when it is given.
    const QStringList values = !o.option.valueName().isEmpty() ? parser.values(name)
                               : parser.isSet(name)             ? QStringList{QString()}
                                                                : QStringList();
    if (values.isEmpty()) {
      if (o.required)
        throw Error(QStringLiteral("--%1 is missing: the export needs %2 <%3>")
                        .arg(name, QStringLiteral("--") + name, o.option.valueName()) +
                    usageHint());
      continue;
    }
    if (values.size() > 1 && !o.repeatable)
      throw Error(
          QStringLiteral("--%1 is given more than once: %2").arg(name, values.join(QStringLiteral(", "))) +
          usageHint());
    try {
      o.read(line.exportRequest, name, values);
    } catch (const Error& e) {
      throw Error(e.message() + usageHint());
    }
  }
  return line;
}

}  // namespace orvella
