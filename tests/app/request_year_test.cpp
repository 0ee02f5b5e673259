// Work under way keeps the year it started with: the year field may change meanwhile, as a user types,
// without reaching a year preview's months or a theme being opened.
#include <QtTest>

#include "app/main_window.h"
#include "app/program_state.h"
#include "app/year_spin_edit.h"
#include "tests/app/started_program.h"

using namespace orvella;

class RequestYearTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { ui::seams().cancelEverything(); }
  void cleanup() { ui::seams().reset(); }

  // A year preview of 2012 during which the field turns to 2015: December's age counts to 2012 and
  // February keeps its 29th with its holiday.
  void aYearPreviewComposesTheYearItWasAskedFor() {
    testing::StartedProgram program(2011);
    Tf_Main& main = program.main();
    Theme& theme = main.state().theme;
    theme.holidays[11][30] = HolidayEntry{QStringLiteral("Wiek @_age|2000"), kUserHoliday};
    theme.holidays[1][28] = HolidayEntry{QStringLiteral("Przestępny"), kUserHoliday};
    testing::ClosingPreviews previews;
    testing::when([] { return !ui::windows().windowsOf<preview::QRStandardPreview>().isEmpty(); },
                  [&] { main.se_year->setValue(2015); });
    std::vector<page::GeneratedPage> pages;
    previews.beforeClosing = [&pages](preview::QRStandardPreview& window) { pages = window.pages(); };
    main.a_YearPreview->trigger();
    QCOMPARE(main.selectedYear(), 2015);
    QCOMPARE(int(pages.size()), 12);
    auto shows = [](const page::GeneratedPage& page, const QString& caption) {
      return std::any_of(page.elements.begin(), page.elements.end(),
                         [&](const page::Element& e) { return e.caption == caption; });
    };
    QVERIFY(shows(pages[11], QStringLiteral("Wiek 12")));
    QVERIFY(shows(pages[1], QStringLiteral("29")) && shows(pages[1], QStringLiteral("Przestępny")));
    QCOMPARE(pages[11].find(QStringLiteral("QRL_rok"))->caption, QStringLiteral("2012"));
  }

  // A theme archive is restored without running the program's events: a change of the year field
  // waiting to happen comes after the Open, which restores the theme for the year it began with.
  void anOpenRunsNoEventsWhileTheArchiveIsRestored() {
    testing::StartedProgram program(2011);
    Tf_Main& main = program.main();
    ProgramState& state = main.state();
    state.theme.holidays[1][28] = HolidayEntry{QStringLiteral("Przestępny"), kUserHoliday};
    const QString archive = program.folder.path(QStringLiteral("leap.hol"));
    QVERIFY(state.themeFiles.save_theme(archive));
    state.theme.holidays[1][28] = HolidayEntry{};

    QList<int> yearsDuringRestore;
    state.themeFiles.archive().OnProgress = [&](const QString&, int, bool&) { yearsDuringRestore << main.selectedYear(); };
    QTimer::singleShot(0, &main, [&main] { main.se_year->setValue(2013); });
    ui::seams().fileDialogs.setNextAnswer(archive);
    main.a_Open->trigger();
    state.themeFiles.archive().OnProgress = nullptr;
    QVERIFY(!yearsDuringRestore.isEmpty());
    QCOMPARE(yearsDuringRestore, QList<int>(yearsDuringRestore.size(), 2012));
    QCOMPARE(state.theme.holidays[1][28].text, QStringLiteral("Przestępny"));
  }
};

QTEST_MAIN(RequestYearTest)
#include "request_year_test.moc"
