// The program's windows through the registry: the order they were made in, each with its own
// components, previews as windows of their own, and the main window's closing taking every other along.
#include <QAction>
#include <QFile>
#include <QMenu>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <set>

#include "app/main_window.h"
#include "app/year_spin_edit.h"
#include "preview/window/preview_window.h"
#include "tests/app/started_program.h"
#include "tests/support/pdf_pages.h"
#include "ui/components.h"
#include "ui/dialog_seams.h"
#include "ui/window_registry.h"

using namespace orvella;
using orvella::preview::QRStandardPreview;
using orvella::testing::when;

namespace {

QStringList registeredNames() {
  QStringList names;
  for (QWidget* window : ui::windows().windows()) names << window->objectName();
  return names;
}

QList<QRStandardPreview*> previews() { return ui::windows().windowsOf<QRStandardPreview>(); }

// True when n previews are open and the newest has its pages.
bool previewsReady(int n) {
  const QList<QRStandardPreview*> open = previews();
  return open.size() == n && open.back()->generationFinished();
}

QStringList namesOf(const QList<QObject*>& components) {
  QStringList names;
  for (const QObject* component : components) names << component->objectName();
  return names;
}

// True when no component is listed under two windows.
bool disjoint(const QList<QList<QObject*>>& lists) {
  std::set<QObject*> seen;
  for (const QList<QObject*>& list : lists)
    for (QObject* component : list)
      if (!seen.insert(component).second) return false;
  return true;
}

}  // namespace

class ProgramWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { ui::seams().cancelEverything(); }
  void cleanup() {
    ui::seams().reset();
  }

  void twoPreviewsAreWindowsOfTheirOwnAfterTheStartUpWindows() {
    testing::StartedProgram program;
    Tf_Main& main = program.main();
    QCOMPARE(registeredNames(), QStringList({"f_Main", "f_Options", "f_Print"}));

    QStringList walked, afterSecondClosed;
    QList<QStringList> componentsOf;
    int mainToolButton2 = 0, topLevelPreviews = 0, mainOrderBroken = 0;
    bool eachHasItsOwn = false;
    when([] { return previewsReady(1); }, [&] {
      when([] { return previewsReady(2); }, [&] {
        walked = registeredNames();
        QList<QList<QObject*>> lists;
        for (QWidget* window : ui::windows().windows()) lists << ui::components(window);
        eachHasItsOwn = disjoint(lists);
        for (const QList<QObject*>& list : lists) componentsOf << namesOf(list);
        // The main window lists its components in the order they were made, children after parents.
        const QList<QObject*>& ofMain = lists.front();
        auto at = [&](const char* name) { return ofMain.indexOf(main.findChild<QObject*>(QLatin1String(name))); };
        for (auto [before, after] : {std::pair{"a_New", "a_Open"}, {"a_Open", "mi_File"}, {"mi_File", "Nowy1"},
                                     {"ToolBar1", "ToolButton1"}, {"gb_Main", "se_year"}, {"se_year", "cb_month"}})
          mainOrderBroken += at(before) < 0 || at(before) >= at(after);
        mainToolButton2 = static_cast<int>(main.findChildren<QObject*>(QStringLiteral("ToolButton2")).size());
        for (QRStandardPreview* preview : previews()) topLevelPreviews += preview->parentWidget() == nullptr;
        previews().back()->close();
      });
      main.a_PrintPreview->trigger();  // the second preview, from inside the first one's loop
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
      afterSecondClosed = registeredNames();
      previews().front()->close();
    });
    main.a_PrintPreview->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    QCOMPARE(walked, QStringList({"f_Main", "f_Options", "f_Print", "QRStandardPreview", "QRStandardPreview"}));
    // The main window's "ToolButton2" is its Open button alone, the previews' their own "Next page".
    QCOMPARE(mainToolButton2, 1);
    QCOMPARE(topLevelPreviews, 2);
    QCOMPARE(componentsOf.size(), 5);
    QCOMPARE(componentsOf[0].count(QStringLiteral("ToolButton2")), 1);
    QVERIFY(!componentsOf[0].contains(QStringLiteral("ZoomFit")));
    for (int i : {3, 4}) {
      QCOMPARE(componentsOf[i].count(QStringLiteral("ToolButton2")), 1);
      QVERIFY(componentsOf[i].contains(QStringLiteral("ZoomFit")));
      QVERIFY(!componentsOf[i].contains(QStringLiteral("a_New")));
    }
    QVERIFY(eachHasItsOwn);
    QCOMPARE(mainOrderBroken, 0);

    QCOMPARE(afterSecondClosed, QStringList({"f_Main", "f_Options", "f_Print", "QRStandardPreview"}));
    QCOMPARE(registeredNames(), QStringList({"f_Main", "f_Options", "f_Print"}));
  }

  // The windows are built with their own face as the default; menus and messages keep the desktop's.
  void menusKeepTheDesktopsFace() {
    const QFont desktop = QApplication::font();
    testing::StartedProgram program;
    QCOMPARE(QApplication::font(), desktop);
    QCOMPARE(program.main().mi_Help->font(), desktop);
    QCOMPARE(program.main().se_year->font().pixelSize(), 19);
  }

  void menuItemsLinkedToActionsAreToldFromPlainOnes() {
    testing::StartedProgram program;
    Tf_Main& main = program.main();
    auto item = [&](const char* name) { return main.findChild<QAction*>(QLatin1String(name)); };
    QCOMPARE(ui::linkedAction(item("Nowy1")), main.a_New);
    QCOMPARE(ui::linkedAction(item("Edytuj1")), main.a_Edit);
    QCOMPARE(ui::linkedAction(item("Podgldwydruku1")), main.a_PrintPreview);
    for (const char* plain : {"mi_SaveAs", "mi_Close", "mi_About", "mi_english", "N1"})
      QVERIFY2(!ui::linkedAction(item(plain)), plain);
    // Tool buttons and the push button: linked, except About and help, which run handlers.
    QCOMPARE(ui::linkedAction(main.findChild<QToolButton*>(QStringLiteral("ToolButton2"))), main.a_Open);
    QCOMPARE(ui::linkedAction(main.b_PrintPreview), main.a_PrintPreview);
    QVERIFY(!ui::linkedAction(main.findChild<QToolButton*>(QStringLiteral("ToolButton9"))));
    QVERIFY(!ui::linkedAction(main.findChild<QToolButton*>(QStringLiteral("ToolButton10"))));

    // Separators and the language items are left out of the translation.
    for (const char* name : {"N1", "N2", "N3", "mi_english", "mi_espanol", "mi_polski"})
      QVERIFY2(ui::tag(item(name)) == ui::kTagNotTranslated, name);
    QCOMPARE(ui::tag(item("mi_Close")), 0);
  }

  void closingTheMainWindowClosesEveryWindowCancellingAPrintFirst() {
    QTemporaryDir folder;
    const QString pdf = folder.filePath(QStringLiteral("job.pdf"));
    ui::seams().printTargets.setNextAnswer(pdf);
    // Forty copies of the month, made by the program as a PDF cannot make copies itself.
    ui::seams().printerSetup.setNextAnswer(ui::PrinterSetupAnswer::accept([](QPrinter& p) { p.setCopyCount(40); }));
    testing::StartedProgram program;
    Tf_Main& main = program.main();
    // However the test goes wrong, the preview does not hold the run forever.
    QTimer::singleShot(30000, [] {
      for (QRStandardPreview* preview : previews()) preview->close();
    });
    QPointer<QRStandardPreview> printing;
    bool previewOpenWhileItsJobStopped = false, mainClosed = false;
    when([] { return previewsReady(1); }, [&] {
      printing = previews().front();
      printing->findChild<QToolButton*>(QStringLiteral("PrintSetup"))->click();
      when([&] { return printing && printing->isPrinting(); }, [&] {
        mainClosed = main.close();
        previewOpenWhileItsJobStopped = printing && !printing->isClosed();
      });
      printing->findChild<QToolButton*>(QStringLiteral("Print"))->click();
    });
    main.a_PrintPreview->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    QVERIFY(mainClosed);
    QVERIFY(previewOpenWhileItsJobStopped);
    QVERIFY(!printing);
    QCOMPARE(registeredNames(), QStringList({"f_Main", "f_Options", "f_Print"}));
    for (QWidget* window : ui::windows().windows()) QVERIFY2(!window->isVisible(), qPrintable(window->objectName()));
    QVERIFY(testing::pdfPageCount(pdf) < 40);  // the job stopped: no file, or fewer pages
  }
};

QTEST_MAIN(ProgramWindowsTest)
#include "program_windows_test.moc"
