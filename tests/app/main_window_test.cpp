// The main window driven as a user would: start-up, keys, clicks, the year field and theme files.
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

#include "app/export/export_command.h"
#include "app/help_window.h"
#include "app/main_window.h"
#include "app/print_window.h"
#include "app/program_state.h"
#include "app/program_windows.h"
#include "app/year_spin_edit.h"
#include "editor/options/options_dialog.h"
#include "platform/desktop/dialog_folders.h"
#include "tests/app/started_program.h"
#include "tests/preview/engine/sample_pages.h"
#include "tests/support/damaged_archive.h"
#include "tests/support/file_drops.h"
#include "tests/support/pdf_pages.h"
#include "ui/dialog_seams.h"
#include "ui/window_registry.h"

using namespace orvella;

class MainWindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<testing::StartedProgram> program;
  testing::ProgramFolder* folder = nullptr;

  Tf_Main& start(int currentYear = 2009) {
    program = std::make_unique<testing::StartedProgram>(currentYear);
    folder = &program->folder;
    return program->main();
  }

 private slots:
  // The messages of the error boxes shown so far.
  static QStringList errors() { return testing::messageBoxTexts(QMessageBox::Critical); }

  static const QList<ui::FileDialogRequest>& fileDialogs() { return ui::seams().fileDialogs.requests(); }

  void init() {
    ui::seams().cancelEverything();
  }

  void cleanup() {
    program.reset();
    folder = nullptr;
    ui::seams().reset();
  }

  void windowsAreCreatedInOrderWithTheirNames() {
    Tf_Main& main = start();
    QCOMPARE(f_Main, &main);
    QVERIFY(f_Options && f_Print);
    QCOMPARE(main.objectName(), QStringLiteral("f_Main"));
    QCOMPARE(main.windowTitle(), QStringLiteral("Orvella"));
    QCOMPARE(main.centralWidget()->size(), QSize(279, 425));
    for (const char* name : {"ToolBar1", "gb_Main", "se_year", "cb_month", "b_PrintPreview", "ToolButton1", "ToolButton2",
                             "ToolButton3", "ToolButton4", "ToolButton5", "ToolButton6", "ToolButton7", "ToolButton8",
                             "ToolButton9", "ToolButton10", "mm_Menu", "pm_Calendar"})
      QVERIFY2(main.findChild<QObject*>(QLatin1String(name)), name);
    for (const char* name : {"a_New", "a_Open", "a_Save", "a_PrintPreview", "a_Edit", "a_HelpOnline", "Nowy1", "Otwrz1",
                             "mi_Save", "mi_SaveAs", "mi_Edit", "N2", "Podgldwydruku1", "N1", "mi_Close", "mi_english",
                             "mi_espanol", "mi_polski", "mi_About", "N3", "mi_Www", "mi_HelpOnline", "mi_ThemeGallery",
                             "Edytuj1"})
      QVERIFY2(main.findChild<QAction*>(QLatin1String(name)), name);
    // The tool bar is flat: its buttons side by side, one pixel in from its edge.
    const QWidget* first = main.findChild<QWidget*>(QStringLiteral("ToolButton1"));
    QCOMPARE(first->pos(), QPoint(1, 1));
    QCOMPARE(main.findChild<QWidget*>(QStringLiteral("ToolButton2"))->x(), first->geometry().right() + 1);
    QCOMPARE(main.cb_month->count(), 12);
    QCOMPARE(main.cb_month->item(9)->text(), QStringLiteral("Październik"));
    QCOMPARE(main.cb_month->currentRow(), 0);
    QVERIFY(main.state().theme.holidays.size() == 12);
  }

  void startYearIsNextYearWithinRange_data() {
    QTest::addColumn<int>("now");
    QTest::addColumn<int>("shown");
    QTest::newRow("2008") << 2008 << 2009;
    QTest::newRow("2012") << 2012 << 2013;
    QTest::newRow("2026") << 2026 << 2027;
    QTest::newRow("9999") << 9999 << 9999;
  }
  void startYearIsNextYearWithinRange() {
    QFETCH(int, now);
    QFETCH(int, shown);
    Tf_Main& main = start(now);
    QCOMPARE(main.se_year->value(), shown);
    QCOMPARE(main.selectedYear(), shown);
  }

  void enterAndDoubleClickReachThePreview() {
    Tf_Main& main = start();
    testing::ClosingPreviews previews;
    main.cb_month->setFocus();
    QTest::keyClick(main.cb_month, Qt::Key_Return);
    QCOMPARE(previews.opened(), 1);
    main.se_year->setFocus();
    QTest::keyClick(main.se_year, Qt::Key_Enter, Qt::ShiftModifier);
    QCOMPARE(previews.opened(), 2);
    const QRect row = main.cb_month->visualItemRect(main.cb_month->item(4));
    QTest::mouseClick(main.cb_month->viewport(), Qt::LeftButton, {}, row.center());  // a double click starts with a press
    QTest::mouseDClick(main.cb_month->viewport(), Qt::LeftButton, {}, row.center());
    QCOMPARE(previews.opened(), 3);
    QCOMPARE(main.selectedMonth(), 4);
    QTest::mouseClick(main.b_PrintPreview, Qt::LeftButton);
    QCOMPARE(previews.opened(), 4);
    QTest::keyClick(main.cb_month, Qt::Key_Down);
    QCOMPARE(previews.opened(), 4);
  }

  void typedYearIsReadUntilTheFieldIsLeft() {
    Tf_Main& main = start();
    main.se_year->setFocus();
    main.se_year->editor()->selectAll();
    QTest::keyClicks(main.se_year, QStringLiteral("2030"));
    QCOMPARE(main.selectedYear(), 2030);
    QTest::keyClicks(main.se_year, QStringLiteral("x"));  // refused
    QCOMPARE(main.se_year->text(), QStringLiteral("2030"));
    // Text that is no whole number keeps the last year the field held.
    main.se_year->editor()->selectAll();
    QTest::keyClicks(main.se_year, QStringLiteral("-"));
    QCOMPARE(main.selectedYear(), 2030);

    // A year out of range is read as typed until the field is left; then it comes back to the nearest
    // bound.
    main.se_year->editor()->selectAll();
    QTest::keyClicks(main.se_year, QStringLiteral("12000"));
    QCOMPARE(main.selectedYear(), 12000);
    main.cb_month->setFocus();
    QCOMPARE(main.se_year->value(), 9999);
    main.se_year->setFocus();
    main.se_year->editor()->selectAll();
    QTest::keyClicks(main.se_year, QStringLiteral("0"));
    main.cb_month->setFocus();
    QCOMPARE(main.se_year->text(), QStringLiteral("1"));
  }

  void previewOpensTheComposedMonthAndReturnsWhenClosed() {
    Tf_Main& main = start(2009);
    main.cb_month->setCurrentRow(2);
    testing::ClosingPreviews previews;
    previews.beforeClosing = [](QWidget& preview) { testing::keepScreenshot(preview, QStringLiteral("month_preview")); };
    main.a_PrintPreview->trigger();
    QCOMPARE(previews.opened(), 1);
    QVERIFY(errors().isEmpty());
    QCOMPARE(f_Print->page().find(QStringLiteral("qr_miech"))->caption, QStringLiteral("Marzec"));
    QCOMPARE(f_Print->page().find(QStringLiteral("QRL_rok"))->caption, QStringLiteral("2010"));
  }

  void savePdfInThePreviewWritesTheExportsPage() {
    if (!testing::havePdfRasterizer()) QSKIP("pdftoppm is missing (scripts/setup installs poppler-utils)");
    Tf_Main& main = start(2009);
    main.cb_month->setCurrentRow(4);
    const QString saved = folder->path(QStringLiteral("saved.pdf"));
    const QString exported = folder->path(QStringLiteral("exported.pdf"));
    testing::ClosingPreviews previews;
    previews.beforeClosing = [&saved](preview::QRStandardPreview& window) {
      ui::seams().fileDialogs.setNextAnswer(saved);
      window.findChild<QToolButton*>(QStringLiteral("SavePdf"))->click();
    };
    main.a_PrintPreview->trigger();
    QCOMPARE(previews.opened(), 1);
    QVERIFY(errors().isEmpty());
    QCOMPARE(fileDialogs().front().fileName, QStringLiteral("Maj 2010.pdf"));

    ExportRequest request;
    request.output = exported;
    request.year = 2010;
    request.firstMonth = request.lastMonth = 5;
    exportMonths(request, main.state().theme, main.state().nameDays, folder->path());
    const QImage fromPreview = testing::rasterizePdf(saved, 1, 40);
    QVERIFY(!fromPreview.isNull());
    QCOMPARE(testing::pdfPageCount(saved), 1);
    QVERIFY(testing::sameImages(testing::rasterizePdf(exported, 1, 40), fromPreview, QStringLiteral("saved-pdf")));
  }

  void aFailingCompositionShowsTheMessageAndOpensNoPreview() {
    Tf_Main& main = start();
    main.se_year->editor()->setText(QStringLiteral("12000"));
    main.a_PrintPreview->trigger();
    QCOMPARE(errors(), QStringList{QStringLiteral("Invalid argument to date encode")});
  }

  void saveAfterStartAsksForAName() {
    Tf_Main& main = start();
    main.a_Save->trigger();
    QCOMPARE(fileDialogs().size(), 1);
    QCOMPARE(fileDialogs()[0].objectName, QStringLiteral("sd_Save"));
    QCOMPARE(fileDialogs()[0].filter, QStringLiteral("swieta_wlasne|*.hol"));
    QCOMPARE(main.windowTitle(), QStringLiteral("Orvella"));  // cancelled: nothing written
    ui::seams().fileDialogs.setNextAnswer(folder->path(QStringLiteral("first.hol")));
    main.a_Save->trigger();
    QCOMPARE(main.windowTitle(), QStringLiteral("Orvella - first.hol"));
    QVERIFY(QFileInfo::exists(folder->path(QStringLiteral("first.hol"))));
    main.a_Save->trigger();  // the file the caption names
    QCOMPARE(fileDialogs().size(), 2);
  }

  // File > the sample themes: each opens as File > Open would, and Save then asks for a name of the
  // user's own instead of writing over the shipped file.
  void aSampleThemeIsTheStartOfAThemeOfOnesOwn() {
    Tf_Main& main = start();
    QVERIFY(main.findChild<QMenu*>(QStringLiteral("mi_File"))->actions().contains(main.mi_SampleThemes->menuAction()));
    main.mi_SampleThemes->popup(QPoint());  // the names are read when the menu opens
    main.mi_SampleThemes->close();
    const QList<QAction*> samples = main.mi_SampleThemes->actions();
    QVERIFY(samples.size() >= 4);
    QAction* sample = samples.last();
    sample->trigger();
    QVERIFY(errors().isEmpty());
    QVERIFY(!main.findChild<QAction*>(QStringLiteral("mi_Recent1"))->isVisible());  // no theme of the user's
    QCOMPARE(main.state().theme.name, sample->text());
    QVERIFY(main.windowTitle().endsWith(QStringLiteral(".hol")));
    QVERIFY(!main.state().locatePicture(main.state().theme.backgrounds[0]).isEmpty());
    const QString opened = folder->path(QStringLiteral("themes/") + main.windowTitle().section(QStringLiteral(" - "), 1));
    const QByteArray before = testing::readFile(opened);
    main.a_Save->trigger();
    QCOMPARE(fileDialogs().size(), 1);
    QCOMPARE(fileDialogs()[0].objectName, QStringLiteral("sd_Save"));
    QCOMPARE(testing::readFile(opened), before);
  }

  void openThenSaveAsThenSave() {
    Tf_Main& main = start();
    const QString f = folder->path(QStringLiteral("f.hol"));
    const QString g = folder->path(QStringLiteral("g.hol"));
    ui::seams().fileDialogs.setNextAnswer(f);
    main.findChild<QAction*>(QStringLiteral("mi_SaveAs"))->trigger();
    QCOMPARE(fileDialogs().last().folder, userDocumentsFolder());  // before any theme file
    ui::seams().fileDialogs.setNextAnswer(f);
    main.a_Open->trigger();
    QCOMPARE(fileDialogs().last().objectName, QStringLiteral("od_Load"));
    QCOMPARE(fileDialogs().last().title, QStringLiteral("Open"));
    QCOMPARE(fileDialogs().last().filter, QStringLiteral("user holidays (.hol)|*.hol"));
    QCOMPARE(fileDialogs().last().folder, folder->path());  // the current theme's
    QCOMPARE(main.windowTitle(), QStringLiteral("Orvella - f.hol"));
    ui::seams().fileDialogs.setNextAnswer(g);
    main.findChild<QAction*>(QStringLiteral("mi_SaveAs"))->trigger();
    QCOMPARE(main.windowTitle(), QStringLiteral("Orvella - g.hol"));
    const int asked = fileDialogs().size();
    QFile::remove(f);
    QFile::remove(g);
    main.a_Save->trigger();
    QCOMPARE(fileDialogs().size(), asked);  // Save writes the file the caption names, without asking
    QVERIFY(QFileInfo::exists(g) && !QFileInfo::exists(f));
    main.a_New->trigger();
    QCOMPARE(main.windowTitle(), QStringLiteral("Orvella"));
    QVERIFY(main.od_Load.fileName.isEmpty());
    main.a_Open->trigger();
    QCOMPARE(fileDialogs().last().folder, folder->path());  // the folder chosen last
  }

  // Each key runs its command from any control of the window, and the File and Help menus show it.
  void keysRunTheirCommands() {
    Tf_Main& main = start();
    testing::ClosingPreviews previews;
    bool edited = false;
    testing::when([] { return f_Options->isVisible(); }, [&] { edited = f_Options->close(); });
    main.state().theme.name = QStringLiteral("Changed");
    auto asked = [](qsizetype dialogs) { return [dialogs] { return fileDialogs().size() == dialogs; }; };
    const std::tuple<QWidget*, QKeyCombination, std::function<bool()>> keys[] = {
        {main.cb_month, Qt::CTRL | Qt::Key_O, asked(1)},
        {main.se_year, Qt::CTRL | Qt::Key_S, asked(2)},
        {main.cb_month, Qt::CTRL | Qt::SHIFT | Qt::Key_S, asked(3)},
        {main.cb_month, Qt::CTRL | Qt::Key_P, [&] { return previews.opened() == 1; }},
        {main.se_year, Qt::CTRL | Qt::Key_E, [&] { return edited; }},
        {main.cb_month, Qt::Key_F1, [] { return !ui::windows().windowsOf<Tf_Help>().isEmpty(); }},
        {main.cb_month, Qt::CTRL | Qt::Key_N, [&] { return main.state().theme.name == QLatin1String("Default"); }},
        {main.cb_month, Qt::CTRL | Qt::Key_Q, [&] { return !main.isVisible(); }},
    };
    for (const auto& [at, key, done] : keys) {
      main.activateWindow();  // as the desktop does when a preview closes
      QVERIFY(QTest::qWaitForWindowActive(&main));
      at->setFocus();
      QTest::keyClick(at, key.key(), key.keyboardModifiers());
      const QList<QAction*> items = main.menuBar()->findChildren<QAction*>();
      QVERIFY2(done() && std::any_of(items.begin(), items.end(), [&](QAction* item) { return item->shortcut() == key; }),
               qPrintable(QKeySequence(key).toString()));
    }
  }

  // File > "Ostatnie" lists the themes saved or opened, newest first; one whose file is gone is said and
  // leaves the list.
  void recentThemesOpenLikeFileOpen() {
    Tf_Main& main = start();
    auto path = [this](int n) { return folder->path(QStringLiteral("t%1.hol").arg(n)); };
    for (int n = 1; n <= 3; ++n) {
      ui::seams().fileDialogs.setNextAnswer(path(n));
      main.findChild<QAction*>(QStringLiteral("mi_SaveAs"))->trigger();
    }
    QFile::remove(path(2));
    main.findChild<QAction*>(QStringLiteral("mi_Recent3"))->trigger();
    QCOMPARE(main.windowTitle(), QStringLiteral("Orvella - t1.hol"));
    main.findChild<QAction*>(QStringLiteral("mi_Recent3"))->trigger();
    QCOMPARE(testing::messageBoxTexts(QMessageBox::Warning),
             QStringList{QStringLiteral("Nie ma już pliku „%1”, więc zniknął z listy ostatnich tematów.").arg(path(2))});
    QStringList shown;
    for (QAction* item : main.findChild<QMenu*>(QStringLiteral("mi_Recent"))->actions())
      if (item->isVisible()) shown << item->text() + ' ' + item->toolTip();
    QCOMPARE(shown, (QStringList{"&1 t1.hol " + path(1), "&2 t3.hol " + path(3)}));
  }

  void aThemeFileDroppedOnTheWindowOpensAsFileOpenWould() {
    Tf_Main& main = start();
    const QString theme = folder->path(QStringLiteral("dropped.HOL"));
    main.state().theme.name = QStringLiteral("Dropped");
    ui::seams().fileDialogs.setNextAnswer(theme);
    main.findChild<QAction*>(QStringLiteral("mi_SaveAs"))->trigger();
    main.a_New->trigger();
    QVERIFY(!testing::dropFile(main.cb_month, folder->path(QStringLiteral("holidays/polska.hln"))));
    QVERIFY(testing::dropFile(main.se_year, theme));
    QCOMPARE(main.state().theme.name, QStringLiteral("Dropped"));
    QCOMPARE(main.windowTitle(), QStringLiteral("Orvella - dropped.HOL"));
  }

  void aCancelledOpenChangesNothing() {
    Tf_Main& main = start();
    main.state().theme.name = QStringLiteral("Kept");
    main.a_Open->trigger();
    QCOMPARE(main.state().theme.name, QStringLiteral("Kept"));
    QCOMPARE(main.windowTitle(), QStringLiteral("Orvella"));
  }

  // The theme and its files staying as they were is the theme files' test; here: what the window says.
  void aFailedOpenKeepsTheCaptionAndSaysWhichFileAndWhy() {
    Tf_Main& main = start();
    main.findChild<QAction*>(QStringLiteral("mi_english"))->trigger();
    const QString kept = folder->path(QStringLiteral("kept.hol"));
    const QString damaged = folder->path(QStringLiteral("damaged.hol"));
    for (const QString& path : {damaged, kept}) {
      ui::seams().fileDialogs.setNextAnswer(path);
      main.findChild<QAction*>(QStringLiteral("mi_SaveAs"))->trigger();
    }
    QVERIFY(testing::damageFirstBlock(damaged));
    ui::seams().fileDialogs.setNextAnswer(damaged);
    main.a_Open->trigger();
    QCOMPARE(errors(), QStringList{QStringLiteral("Cannot open the theme \"%1\": the data in the archive is damaged")
                                       .arg(damaged)});
    QCOMPARE(main.windowTitle(), QStringLiteral("Orvella - kept.hol"));
    QCOMPARE(main.od_Load.fileName, kept);
  }

  void closingEmptiesTheWorkingSettingsFile() {
    Tf_Main& main = start();
    ui::seams().fileDialogs.setNextAnswer(folder->path(QStringLiteral("x.hol")));
    main.a_Save->trigger();
    QVERIFY(QFileInfo::exists(folder->path(QStringLiteral("temp/holidays.ini"))));
    main.close();
    QVERIFY(!QFileInfo::exists(folder->path(QStringLiteral("temp/holidays.ini"))));
    QVERIFY(QFileInfo::exists(folder->path(QStringLiteral("temp/flower.wmf"))));
  }

  void aThemeNamedOnTheCommandLineOpensAsFileOpenWould() {
    Tf_Main& main = start();
    main.state().theme.name = QStringLiteral("Named");
    ui::seams().fileDialogs.setNextAnswer(folder->path(QStringLiteral("named.hol")));
    main.findChild<QAction*>(QStringLiteral("mi_SaveAs"))->trigger();
    main.a_New->trigger();
    const QString damaged = folder->path(QStringLiteral("damaged.hol"));
    QVERIFY(testing::writeFile(damaged, "no theme at all"));

    main.openThemeFromCommandLine(folder->path(QStringLiteral("named.hol")));
    QCOMPARE(main.state().theme.name, QStringLiteral("Named"));
    QCOMPARE(main.windowTitle(), QStringLiteral("Orvella - named.hol"));
    QCOMPARE(main.od_Load.fileName, folder->path(QStringLiteral("named.hol")));
    QVERIFY(errors().isEmpty());

    // A file that cannot be opened is reported, and the default theme is what remains.
    for (const QString& unusable : {QStringLiteral("missing.hol"), damaged}) {
      main.a_New->trigger();
      ui::seams().messageBoxes.reset();
      ui::seams().cancelEverything();
      main.openThemeFromCommandLine(unusable);
      QCOMPARE(errors().size(), 1);
      if (unusable == QLatin1String("missing.hol")) {
        // In the interface language (Polish here), the system's reason after it as Qt's catalog gives it.
        QFile missing(QStringLiteral("missing.hol"));
        QVERIFY(!missing.open(QIODevice::ReadOnly));
        QCOMPARE(errors().front(), QStringLiteral("Nie można otworzyć pliku „missing.hol”. ") + missing.errorString());
      }
      QCOMPARE(main.state().theme.name, QStringLiteral("Default"));
      QCOMPARE(main.windowTitle(), QStringLiteral("Orvella"));
      QVERIFY(main.od_Load.fileName.isEmpty());
    }
    QCOMPARE(errors().front(), QStringLiteral("Nie można otworzyć tematu „%1”: to nie jest archiwum tematu albo jego nagłówek "
                                              "jest uszkodzony").arg(damaged));
  }

  void screenshot() {
    Tf_Main& main = start(2012);
    testing::keepScreenshot(main, QStringLiteral("main_window"));
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
