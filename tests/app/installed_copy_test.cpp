// Portable and installed copies: where each reads its data and keeps its state, and an installed copy
// at work (compose, save, close) with nothing written under its prefix.
#include <QAction>
#include <QDirIterator>
#include <QListWidget>
#include <QtTest>

#include "app/core/program_paths.h"
#include "app/core/working_folder.h"
#include "app/main_window.h"
#include "app/print_window.h"
#include "app/program_state.h"
#include "app/program_windows.h"
#include "calendar/page/print_form.h"
#include "tests/app/started_program.h"
#include "tests/support/files.h"
#include "ui/dialog_seams.h"

using namespace orvella;

namespace {

// Every file and folder with its size, time and permissions: equal listings mean nothing was written.
QStringList listing(const QString& folder) {
  QStringList entries;
  QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QFileInfo info(it.next());
    entries << QStringLiteral("%1 %2 %3 %4")
                   .arg(info.filePath())
                   .arg(info.size())
                   .arg(info.lastModified().toMSecsSinceEpoch())
                   .arg(int(info.permissions()));
  }
  entries.sort();
  return entries;
}

void setReadOnly(const QString& folder, bool readOnly) {
  QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
  QStringList all{folder};
  while (it.hasNext()) all << it.next();
  for (const QString& path : all) {
    QFile::Permissions p = QFile::permissions(path);
    const QFile::Permissions write = QFile::WriteOwner | QFile::WriteUser | QFile::WriteGroup | QFile::WriteOther;
    QFile::setPermissions(path, readOnly ? p & ~write : p | QFile::WriteOwner | QFile::WriteUser);
  }
}

}  // namespace

class InstalledCopyTest : public QObject {
  Q_OBJECT

  QTemporaryDir user;
  QString userFolder(const QString& name) const { return user.path() + QLatin1Char('/') + name; }

  // The layout the install rules make: bin/ and share/orvella/ under one prefix.
  static void installInto(const QString& prefix) {
    testing::copyTree(QStringLiteral(ORVELLA_SOURCE_DIR "/data"),
                      QDir::cleanPath(prefix + QStringLiteral("/bin/" ORVELLA_DATA_FROM_BIN)));
    QDir().mkpath(prefix + QStringLiteral("/bin"));
  }

 private slots:
  void init() {
    for (const char* name : {"config", "cache", "runtime", "home"}) QDir().mkpath(userFolder(QLatin1String(name)));
    QFile::setPermissions(userFolder(QStringLiteral("runtime")), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_CONFIG_HOME", userFolder(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_CACHE_HOME", userFolder(QStringLiteral("cache")).toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", userFolder(QStringLiteral("runtime")).toLocal8Bit());
    ui::seams().cancelEverything();
  }
  void cleanup() { ui::seams().reset(); }

  void aCopyWithItsDataBesideItKeepsItsStateThere() {
    const testing::ProgramFolder portable;
    const ProgramPaths paths = locateProgramPaths(portable.path());
    QCOMPARE(paths.dataDir, portable.path());
    QCOMPARE(paths.workingDir, portable.path(QStringLiteral("temp")));
    QCOMPARE(paths.configFile, portable.path(QStringLiteral("config.ini")));

    // The same copy on a folder it may not write keeps its state in the user's folders.
    setReadOnly(portable.path(), true);
    const bool stillWritable = QFileInfo(portable.path()).isWritable();
    const ProgramPaths readOnly = locateProgramPaths(portable.path());
    setReadOnly(portable.path(), false);
    if (stillWritable) QSKIP("this user writes into read-only folders");
    QCOMPARE(readOnly.dataDir, portable.path());
    QVERIFY(readOnly.configFile.startsWith(userFolder(QStringLiteral("config/"))));
  }

  void anInstalledCopyKeepsItsStateInTheUsersFolders() {
    QTemporaryDir prefix;
    installInto(prefix.path());
    const QString app = QCoreApplication::applicationName();
    const ProgramPaths paths = locateProgramPaths(prefix.path() + QStringLiteral("/bin"));
    QCOMPARE(paths.dataDir, QDir::cleanPath(prefix.path() + QStringLiteral("/bin/" ORVELLA_DATA_FROM_BIN)));
    QCOMPARE(paths.configFile, userFolder(QStringLiteral("config/%1/config.ini").arg(app)));
    QCOMPARE(paths.workingDir, userFolder(QStringLiteral("runtime/%1/temp").arg(app)));
    // A session without a runtime folder: the cache folder.
    qunsetenv("XDG_RUNTIME_DIR");
    QCOMPARE(locateProgramPaths(prefix.path() + QStringLiteral("/bin")).workingDir,
             userFolder(QStringLiteral("cache/%1/temp").arg(app)));
  }

  void anInstalledCopyComposesAndSavesWithoutWritingUnderItsPrefix() {
    QTemporaryDir prefix;
    installInto(prefix.path());
    setReadOnly(prefix.path(), true);
    const QStringList before = listing(prefix.path());
    {
      const ProgramPaths paths = locateProgramPaths(prefix.path() + QStringLiteral("/bin"));
      const WorkingFolder working(paths.workingDir);
      ProgramContext context;
      context.programDir = paths.dataDir;
      context.workingFolder = working.path();
      context.configFile = paths.configFile;
      context.currentYear = [] { return 2012; };
      ProgramWindows windows = createProgramWindows(context);
      Tf_Main& main = *windows.main;
      main.show();
      QVERIFY(QTest::qWaitForWindowExposed(&main));

      // The preview composes the page from the installed pictures.
      const testing::ClosingPreviews previews;
      main.a_PrintPreview->trigger();
      QCOMPARE(previews.opened(), 1);
      QCOMPARE(f_Print->page().find(QStringLiteral("QRL_rok"))->caption, QStringLiteral("2013"));
      QVERIFY(!main.state().locatePicture(main.state().theme.pictureLeft).isEmpty());

      ui::seams().fileDialogs.setNextAnswer(userFolder(QStringLiteral("home/mine.hol")));
      main.findChild<QAction*>(QStringLiteral("mi_SaveAs"))->trigger();
      QVERIFY(QFileInfo(userFolder(QStringLiteral("home/mine.hol"))).size() > 0);
      QVERIFY(QFileInfo::exists(userFolder(QStringLiteral("runtime/%1/temp/holidays.ini"))
                                    .arg(QCoreApplication::applicationName())));
      // A language chosen is remembered in the user's configuration folder, made when it is missing.
      main.findChild<QAction*>(QStringLiteral("mi_espanol"))->trigger();
      QCOMPARE(main.cb_month->item(0)->text(), QStringLiteral("Enero"));
      main.close();
      // So is the theme saved, the first of the recent themes.
      const QByteArray config =
          testing::readFile(userFolder(QStringLiteral("config/%1/config.ini").arg(QCoreApplication::applicationName())));
      QVERIFY2(config.contains("[main]\r\nlang=espanol\r\n") && config.contains("1=\"" + userFolder("home/mine.hol").toUtf8()),
               config.constData());
    }
    QCOMPARE(testing::messageBoxTexts(), QStringList());
    QCOMPARE(listing(prefix.path()), before);
    setReadOnly(prefix.path(), false);
  }
};

QTEST_MAIN(InstalledCopyTest)
#include "installed_copy_test.moc"
