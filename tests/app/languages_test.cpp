// The interface language as a user meets it: chosen at start-up from config.ini or the system's
// language, chosen in the Language menu, remembered at close, missing files reported; Qt's own texts
// in the same language; the Help menu's web pages.
#include <sys/stat.h>

#include <QAction>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include "app/main_window.h"
#include "app/program_windows.h"
#include "i18n/language/language_choice.h"
#include "i18n/language/qt_translations.h"
#include "platform/desktop/system_language.h"
#include "tests/app/started_program.h"
#include "tests/support/files.h"
#include "ui/dialog_seams.h"

using namespace orvella;
using testing::readFile;
using testing::writeFile;

namespace {

QStringList checkedLanguages(Tf_Main& main) {
  QStringList checked;
  for (QAction* item : main.mi_Language->actions())
    if (item->isChecked()) checked << item->text();
  return checked;
}

QAction* item(Tf_Main& main, const char* name) { return main.findChild<QAction*>(QLatin1String(name)); }

// The texts of the plain message boxes shown so far.
QStringList plainMessages() { return testing::messageBoxTexts(QMessageBox::NoIcon); }

// The caption Qt gives a Cancel button now.
QString qtsCancel() { return QDialogButtonBox(QDialogButtonBox::Cancel).button(QDialogButtonBox::Cancel)->text(); }

}  // namespace

class LanguagesTest : public QObject {
  Q_OBJECT

  std::unique_ptr<testing::StartedProgram> program;

  // Starts the program on a system of the language given; `prepare` may write config.ini or remove
  // language files first.
  Tf_Main& start(int systemLanguage, const std::function<void(const QString& programDir)>& prepare = {},
                 const QString& configFile = {}) {
    program = std::make_unique<testing::StartedProgram>(2009, [&](ProgramContext& context) {
      context.systemLanguage = [systemLanguage] { return systemLanguage; };
      context.configFile = configFile;
      if (prepare) prepare(context.programDir);
    });
    return program->main();
  }
  QString config() const { return program->folder.path(QStringLiteral("config.ini")); }

 private slots:
  void init() { ui::seams().cancelEverything(); }
  void cleanup() {
    program.reset();
    ui::seams().reset();
  }

  void firstStartFollowsTheSystemAndRemembersNothing_data() {
    QTest::addColumn<int>("system");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("january");
    QTest::newRow("Polish") << (0x0400 | kLangPolish) << "polski" << "Styczeń";
    QTest::newRow("Spanish") << (0x0C00 | kLangSpanish) << "espanol" << "Enero";
    QTest::newRow("German") << 0x0407 << "english" << "January";
  }
  void firstStartFollowsTheSystemAndRemembersNothing() {
    QFETCH(int, system);
    QFETCH(QString, file);
    QFETCH(QString, january);
    Tf_Main& main = start(system);
    QCOMPARE(main.cb_month->item(0)->text(), january);
    QCOMPARE(language_file_path, program->folder.path("lang/" + file + ".lng"));
    QVERIFY(checkedLanguages(main).isEmpty());
    QVERIFY(plainMessages().isEmpty());
    main.close();
    QVERIFY(!main.isVisible());
    QVERIFY(!QFile::exists(config()));
  }

  void aChosenLanguageIsAppliedAtOnceAndRememberedAtClose() {
    Tf_Main& main = start(kLangPolish);
    item(main, "mi_espanol")->trigger();
    QCOMPARE(checkedLanguages(main), QStringList{"espanol"});
    QCOMPARE(main.cb_month->item(11)->text(), QStringLiteral("Diciembre"));
    QCOMPARE(main.b_PrintPreview->text(), QStringLiteral("Vista previa de impresión"));
    QCOMPARE(main.www_part, QStringLiteral("es"));
    // The language items keep their names; the menu holding them does not.
    QCOMPARE(item(main, "mi_english")->text(), QStringLiteral("english"));
    QCOMPARE(main.mi_Language->title(), QStringLiteral("Idioma"));
    item(main, "mi_english")->trigger();
    QCOMPARE(checkedLanguages(main), QStringList{"english"});
    item(main, "mi_espanol")->trigger();
    main.close();
    QCOMPARE(readFile(config()), QByteArray("[main]\r\nlang=espanol\r\n"));

    // The next start applies it and shows it checked, whatever the system's language.
    program.reset();
    Tf_Main& again = start(kLangPolish, [](const QString& dir) {
      writeFile(dir + "/config.ini", "[main]\r\nlang=espanol\r\n");
    });
    QCOMPARE(checkedLanguages(again), QStringList{"espanol"});
    QCOMPARE(again.cb_month->item(0)->text(), QStringLiteral("Enero"));
  }

  void aMissingLanguageFileIsReportedAndChangesNothing() {
    Tf_Main& main = start(kLangSpanish, [](const QString& dir) { QFile::remove(dir + "/lang/english.lng"); });
    QCOMPARE(main.www_part, QStringLiteral("es"));
    item(main, "mi_english")->trigger();
    const QString path = program->folder.path("lang/english.lng");
    QCOMPARE(plainMessages(), QStringList{QString::fromUtf8("Brak pliku z wybraną wersją językową: \n\r") + path});
    QCOMPARE(ui::seams().messageBoxes.requests().front().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(language_file_path, path);
    testing::keepScreenshotOfBox(ui::seams().messageBoxes.requests().front(), &main,
                                 QStringLiteral("language_file_missing_box"));
    QCOMPARE(checkedLanguages(main), QStringList{"english"});  // checked anyway, and saved at close
    QCOMPARE(main.cb_month->item(0)->text(), QStringLiteral("Enero"));
    QCOMPARE(main.www_part, QStringLiteral("es"));
    main.close();
    QCOMPARE(readFile(config()), QByteArray("[main]\r\nlang=english\r\n"));

    // A remembered name that no item has still selects its file; nothing is checked or rewritten.
    program.reset();
    ui::seams().messageBoxes.reset();
    ui::seams().cancelEverything();
    Tf_Main& other = start(kLangPolish, [](const QString& dir) {
      writeFile(dir + "/config.ini", "[main]\nlang=klingon\n");
    });
    const QString klingon = program->folder.path("lang/klingon.lng");
    QCOMPARE(plainMessages(), QStringList{QString::fromUtf8("Brak pliku z wybraną wersją językową: \n\r") + klingon});
    QVERIFY(checkedLanguages(other).isEmpty());
    QVERIFY(other.www_part.isEmpty());
    other.close();
    QCOMPARE(readFile(config()), QByteArray("[main]\nlang=klingon\n"));
  }

  // A language file that cannot be applied (cut short, or a pipe that would stop the program) is said,
  // naming it, and changes nothing: the menus keep their captions. A pipe as config.ini is said too,
  // and the system's language decides.
  void aDamagedLanguageFileOrAPipeIsSaidAndChangesNothing() {
    Tf_Main& main = start(kLangPolish, [](const QString& dir) {
      writeFile(dir + "/lang/english.lng", "[main]\nwww=en\n[f_Ma");
      QFile::remove(dir + "/lang/espanol.lng");
      ::mkfifo(QFile::encodeName(dir + "/lang/espanol.lng").constData(), 0600);
    });
    QStringList menus;
    for (const QAction* menu : main.menuBar()->actions()) menus << menu->text();
    item(main, "mi_english")->trigger();
    item(main, "mi_espanol")->trigger();
    const QStringList said = plainMessages();
    QVERIFY(said.size() == 2 && said[0].endsWith(": \n\r" + program->folder.path("lang/english.lng")));
    QVERIFY(said[1].contains(program->folder.path("lang/espanol.lng") + "” nie jest zwykłym"));
    for (const QAction* menu : main.menuBar()->actions()) QCOMPARE(menu->text(), menus.takeFirst());

    program.reset();
    Tf_Main& piped = start(kLangSpanish, [](const QString& dir) {
      ::mkfifo(QFile::encodeName(dir + "/config.ini").constData(), 0600);
    });
    QVERIFY(testing::messageBoxTexts(QMessageBox::Critical).last().contains(config() + "” nie jest zwykłym"));
    QCOMPARE(piped.cb_month->item(0)->text(), QStringLiteral("Enero"));
  }

  void aConfigFileThatCannotBeWrittenIsReportedAndTheProgramStillCloses() {
    QTemporaryDir dir;
    writeFile(dir.filePath("file"), "not a folder");
    const QString impossible = dir.filePath("file/config.ini");
    Tf_Main& main = start(kLangPolish, {}, impossible);
    item(main, "mi_polski")->trigger();
    main.close();
    QVERIFY(!main.isVisible());
    QVERIFY(testing::messageBoxTexts(QMessageBox::Critical).contains("Unable to write to " + impossible));
    QVERIFY(!QFile::exists(program->folder.path("temp/holidays.ini")));  // the working folder was emptied first
  }

  // Qt's own dialogs and buttons speak the applied language; with no language file to apply the windows
  // keep their built-in Polish and Qt's texts are Polish with them, whatever the system's language.
  void qtsOwnTextsFollowTheAppliedLanguageOrThePolishBuiltIn() {
    useQtTranslationsOf(QStringLiteral("english"));
    start(kLangEnglish, [](const QString& dir) { QDir(dir + "/lang").removeRecursively(); });
    QCOMPARE(plainMessages().size(), 1);  // the missing file, said
    QCOMPARE(qtsCancel(), QStringLiteral("Anuluj"));

    program.reset();
    Tf_Main& main = start(kLangSpanish);
    QCOMPARE(qtsCancel(), QStringLiteral("Cancelar"));
    item(main, "mi_polski")->trigger();
    QCOMPARE(qtsCancel(), QStringLiteral("Anuluj"));
    item(main, "mi_english")->trigger();
    QCOMPARE(qtsCancel(), QStringLiteral("Cancel"));
  }

  // In a build that names a web site.
  void helpEntriesOpenTheSitePagesOfTheLanguage() {
    const QString site = QStringLiteral("https://www.orvella.example/");
    program = std::make_unique<testing::StartedProgram>(2009, [&site](ProgramContext& context) {
      context.siteUrl = site;
      QFile::remove(context.programDir + "/lang/polski.lng");
      writeFile(context.programDir + "/lang/english.lng", "[main]\nwww=en\n[f_Main]\n");
    });
    Tf_Main& main = program->main();
    auto opened = [] { return ui::seams().webPages.requests(); };
    for (const char* name : {"mi_Www", "mi_ThemeGallery", "mi_HelpOnline"}) {
      QVERIFY2(item(main, name)->isEnabled() && item(main, name)->isVisible(), name);
      item(main, name)->trigger();
    }
    main.findChild<QToolButton*>(QStringLiteral("ToolButton10"))->click();
    // No language file could be applied: the addresses have no language folder.
    QCOMPARE(opened(), (QList<QString>{site, site + "/download.php", site + "/tutorial.php", site + "/tutorial.php"}));
    ui::seams().webPages.reset();
    ui::seams().cancelEverything();
    item(main, "mi_english")->trigger();
    item(main, "mi_Www")->trigger();
    main.a_HelpOnline->trigger();
    item(main, "mi_ThemeGallery")->trigger();
    QCOMPARE(opened(), (QList<QString>{site + "en", site + "en/tutorial.php", site + "en/download.php"}));
  }
};

QTEST_MAIN(LanguagesTest)
#include "languages_test.moc"
