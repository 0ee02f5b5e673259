// The Help menu as a user meets it: F1 opens the guide of the interface language in the help window,
// which follows links and a language chosen meanwhile; a page that cannot be opened is said; without a
// web site the gallery is the sample themes. Runs offscreen and under a window manager (pictures kept).
#include <QAction>
#include <QMenu>
#include <QTextBrowser>
#include <QtTest>

#include "app/help_window.h"
#include "app/main_window.h"
#include "platform/desktop/system_language.h"
#include "tests/app/started_program.h"
#include "tests/support/message_boxes.h"

using namespace orvella;

namespace {

constexpr int kPatience = 30000;

Tf_Help* helpWindow() { return ui::windows().windowsOf<Tf_Help>().value(0); }

// The page shown, from the guide's folder on: "en/index.html".
QString shownIn(const testing::StartedProgram& program) {
  return helpWindow()->shownPage().mid(program.folder.path(QStringLiteral("guide/")).size());
}

}  // namespace

class HelpTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { ui::seams().cancelEverything(); }
  void cleanup() { ui::seams().reset(); }

  void f1OpensTheGuideOfTheLanguage_data() {
    QTest::addColumn<int>("system");
    QTest::addColumn<QString>("language");
    QTest::newRow("english") << kLangEnglish << "en";
    QTest::newRow("espanol") << kLangSpanish << "es";
  }
  void f1OpensTheGuideOfTheLanguage() {
    QFETCH(int, system);
    QFETCH(QString, language);
    testing::StartedProgram program(2009, [system](ProgramContext& context) {
      context.systemLanguage = [system] { return system; };
    });
    Tf_Main& main = program.main();
    main.activateWindow();  // F1 is the active window's key
    QVERIFY(QTest::qWaitForWindowActive(&main, kPatience));
    QTest::keyClick(main.windowHandle(), Qt::Key_F1);
    QVERIFY(helpWindow());
    Tf_Help& help = *helpWindow();
    QVERIFY(QTest::qWaitForWindowExposed(&help, kPatience));
    QCOMPARE(shownIn(program), language + "/index.html");
    testing::keepScreenOf(help, language + "_help_window");

    emit help.tb_Guide->anchorClicked(QUrl(QStringLiteral("theme-editor.html#fonts")));
    QCOMPARE(shownIn(program), language + "/theme-editor.html");
    help.a_Back->trigger();
    QCOMPARE(shownIn(program), language + "/index.html");
    help.a_Forward->trigger();
    QCOMPARE(shownIn(program), language + "/theme-editor.html");
    // F1 again brings the same window; another language turns it to the same page in that language.
    QTest::keyClick(main.windowHandle(), Qt::Key_F1);
    QCOMPARE(ui::windows().windowsOf<Tf_Help>().size(), 1);
    main.findChild<QAction*>(QStringLiteral("mi_polski"))->trigger();
    QCOMPARE(shownIn(program), "pl/theme-editor.html");
    help.a_Contents->trigger();
    QCOMPARE(shownIn(program), "pl/index.html");
  }

  // No browser at hand, a page missing from the guide, no guide at all: each is said with its address.
  void aPageThatCannotBeOpenedIsSaid() {
    testing::StartedProgram program(2009, [](ProgramContext& context) {
      context.systemLanguage = [] { return kLangEnglish; };
    });
    Tf_Main& main = program.main();
    main.a_HelpOnline->trigger();
    const QString site = QStringLiteral("https://www.orvella.example/en/download.php");
    for (const QString& link : {site, QStringLiteral("no-such-page.html")}) emit helpWindow()->tb_Guide->anchorClicked(QUrl(link));
    helpWindow()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // Esc and the close box delete it
    QVERIFY(QDir(program.folder.path(QStringLiteral("guide"))).removeRecursively());
    main.a_HelpOnline->trigger();
    QVERIFY(!helpWindow());
    const QStringList said = testing::messageBoxTexts(QMessageBox::Critical);
    const QStringList addresses{site, program.folder.path(QStringLiteral("guide/en/no-such-page.html")),
                                program.folder.path(QStringLiteral("guide/en/index.html"))};
    QCOMPARE(said.size(), addresses.size());
    for (int i = 0; i < said.size(); ++i) QVERIFY2(said[i].contains(addresses[i]), qPrintable(said[i]));
  }

  // Without a site the Help menu keeps to what comes with the program.
  void withoutASiteTheGalleryIsTheSampleThemes() {
    testing::StartedProgram program;
    Tf_Main& main = program.main();
    QVERIFY(!main.findChild<QAction*>(QStringLiteral("mi_Www"))->isVisible());
    main.findChild<QAction*>(QStringLiteral("mi_ThemeGallery"))->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(main.mi_SampleThemes->isVisible(), kPatience);
    main.mi_SampleThemes->close();
    QVERIFY(ui::seams().webPages.requests().isEmpty());
  }
};

QTEST_MAIN(HelpTest)
#include "help_test.moc"
