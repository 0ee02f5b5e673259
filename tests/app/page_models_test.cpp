// The page models of four themes over twelve years, each month exported to JSON and kept as a digest
// in tests/data/page_models/digests.txt: a change anywhere between a theme file and a composed page
// shows here as the pages it changes.
//
//   ORVELLA_PAGE_MODELS_WRITE=1 writes the digests anew (commit them only for a change meant to show).
//   ORVELLA_PAGE_MODELS_DUMP=DIR writes every page's model to DIR/THEME-YEAR-MONTH.json, so that the
//   pages of two builds can be compared with diff -r.
#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "app/export/export_command.h"
#include "tests/support/files.h"
#include "tests/support/program_folder.h"

namespace orvella::testing {
namespace {

// Centuries with and without 29 February, leap years, and years with months of six rows.
constexpr int kYears[] = {1900, 2000, 2009, 2010, 2011, 2012, 2015, 2016, 2017, 2024, 2027, 2100};
// The default theme; holidays of both kinds with icons, frames, week numbers and markers; a theme
// without name days, with Sunday like a weekday and no icon file; a background in every month.
const char* const kThemes[] = {"default", "holidays", "plain", "backgrounds"};

const QString kFolder = QStringLiteral(ORVELLA_TEST_DATA "/page_models");

// Pictures are named by paths of this run's folders: only their file part is kept.
QJsonObject withoutFolders(QJsonObject page) {
  QJsonArray elements = page[QStringLiteral("elements")].toArray();
  for (QJsonValueRef value : elements) {
    QJsonObject element = value.toObject();
    if (element.contains(QStringLiteral("picture"))) {
      element[QStringLiteral("picture")] = QFileInfo(element[QStringLiteral("picture")].toString()).fileName();
      value = element;
    }
  }
  page[QStringLiteral("elements")] = elements;
  return page;
}

TEST(PageModels, EveryPageIsAsRecorded) {
  const ProgramFolder program;
  const QTemporaryDir out;
  const QString dump = qEnvironmentVariable("ORVELLA_PAGE_MODELS_DUMP");
  QStringList lines;
  for (const char* theme : kThemes) {
    const QString name = QLatin1String(theme);
    const QString file = name == QLatin1String("default") ? QString() : kFolder + QLatin1Char('/') + name + QStringLiteral(".hol");
    for (int year : kYears) {
      ExportRequest request{out.filePath(QStringLiteral("year.json")), year, 1, 12, file, 0};
      runExport(request, program.path());
      const QJsonArray pages = QJsonDocument::fromJson(readFile(request.output))[QStringLiteral("pages")].toArray();
      for (qsizetype month = 1; month <= pages.size(); ++month) {
        const QByteArray model = QJsonDocument(withoutFolders(pages[month - 1].toObject())).toJson();
        const QString page = QStringLiteral("%1-%2-%3").arg(name).arg(year).arg(month, 2, 10, QLatin1Char('0'));
        if (!dump.isEmpty()) writeFile(dump + QLatin1Char('/') + page + QStringLiteral(".json"), model);
        lines << page + QLatin1Char(' ') +
                     QString::fromLatin1(QCryptographicHash::hash(model, QCryptographicHash::Sha256).toHex().left(32));
      }
    }
  }
  ASSERT_EQ(lines.size(), 576);
  const QString recorded = kFolder + QStringLiteral("/digests.txt");
  if (!qEnvironmentVariableIsEmpty("ORVELLA_PAGE_MODELS_WRITE")) {
    ASSERT_TRUE(writeFile(recorded, lines.join(QLatin1Char('\n')).toUtf8() + '\n'));
    GTEST_SKIP() << "written anew: " << recorded.toStdString();
  }
  const QStringList expected = QString::fromUtf8(readFile(recorded)).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  QStringList differing;
  for (qsizetype i = 0; i < lines.size(); ++i)
    if (lines[i] != expected.value(i)) differing << lines[i].section(QLatin1Char(' '), 0, 0);
  EXPECT_TRUE(differing.isEmpty()) << differing.size() << " pages differ: "
                                   << differing.mid(0, 12).join(QLatin1Char(' ')).toStdString();
}

}  // namespace
}  // namespace orvella::testing
