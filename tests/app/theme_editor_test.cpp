// The theme editor within the whole program: reached from the main window, the same dialog every time,
// and a theme edited there, saved, and opened again composes the very same pages.
#include <QAction>
#include <QJsonDocument>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

#include "app/main_window.h"
#include "app/print_window.h"
#include "app/program_state.h"
#include "app/program_windows.h"
#include "app/year_spin_edit.h"
#include "calendar/page/page_json.h"
#include "tests/app/started_program.h"
#include "tests/editor/options/editor_user.h"
#include "ui/dialog_seams.h"

using namespace orvella;

class ThemeEditorTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<testing::StartedProgram> program;

  Tf_Main& start() {
    program = std::make_unique<testing::StartedProgram>(2009);  // 2010 shown
    return program->main();
  }
  QString copied(const char* sample, const char* as) {
    const QString target = program->folder.path(QStringLiteral("mine/") + QLatin1String(as));
    QDir().mkpath(QFileInfo(target).path());
    QFile::copy(QStringLiteral(ORVELLA_TEST_DATA "/pictures/") + QLatin1String(sample), target);
    return target;
  }

  // Runs the edit action; `edits` works in the modal dialog as a user would and closes it.
  void editTheme(Tf_Main& main, const std::function<void(testing::EditorUser&)>& edits) {
    testing::when([] { return f_Options->isVisible(); }, [edits] {
      if (!QTest::qWaitForWindowActive(f_Options)) qWarning("the editor was not activated");
      testing::EditorUser user(*f_Options);
      edits(user);
      if (f_Options->isVisible()) {  // a failed step must not leave the test waiting
        qWarning("the edits did not close the editor");
        f_Options->reject();
      }
    });
    main.a_Edit->trigger();
  }

  // The composed pages of the months as JSON.
  QStringList composed(Tf_Main& main, const QList<int>& months) {
    QStringList pages;
    for (int month : months) {
      const ComposedPage page = main.state().compose(main.state().request(main.selectedYear(), month + 1, {}));
      pages << QString::fromUtf8(QJsonDocument(pageToJson(page.page, page.year, page.month)).toJson());
    }
    return pages;
  }

 private slots:
  void init() { ui::seams().cancelEverything(); }
  void cleanup() {
    program.reset();
    ui::seams().reset();
  }

  void theEditActionOpensTheOneEditorOnTheChosenMonth() {
    Tf_Main& main = start();
    Tf_Options* const editor = f_Options;
    QVERIFY(main.a_Edit->isEnabled());
    main.cb_month->setCurrentRow(7);
    int shownMonth = -1;
    editTheme(main, [&](testing::EditorUser& user) {
      shownMonth = user.d.cb_Holidays->currentIndex();
      user.typeInto(3, QStringLiteral("odrzucone"));
      user.press(Qt::Key_Escape);  // closes the cell editor only
      QTRY_VERIFY(!user.grid().isEditing());
      QVERIFY(user.d.isVisible());
      user.press(Qt::Key_Escape);
    });
    QCOMPARE(shownMonth, 7);
    QCOMPARE(f_Options, editor);
    QVERIFY(main.state().theme.holidays[7][2].text.isEmpty());

    // Enter in the editor is the editor's OK, not the main window's preview.
    testing::ClosingPreviews previews;
    main.cb_month->setCurrentRow(1);
    editTheme(main, [](testing::EditorUser& user) {
      user.typeInto(14, QStringLiteral("Walentynki"));
      user.press(Qt::Key_Return);
    });
    QCOMPARE(f_Options, editor);
    QCOMPARE(previews.opened(), 0);
    QCOMPARE(main.state().theme.holidays[1][13], (HolidayEntry{QStringLiteral("Walentynki"), kUserHoliday}));
  }

  // 29 February typed in 2016 lives on through a year without it.
  void twentyNinthFebruaryIsKeptThroughYearsWithoutIt() {
    Tf_Main& main = start();
    main.se_year->setValue(2016);
    main.cb_month->setCurrentRow(1);
    editTheme(main, [](testing::EditorUser& user) {
      user.typeInto(29, QStringLiteral("Dzień przestępny"));
      user.press(Qt::Key_Return);
    });
    main.se_year->setFocus();
    QTest::keyClick(main.se_year, Qt::Key_Up);
    QTest::keyClick(main.se_year, Qt::Key_Down);
    QCOMPARE(main.state().theme.holidays[1][28], (HolidayEntry{QStringLiteral("Dzień przestępny"), kUserHoliday}));
  }

  void anEditedThemeComposesTheSamePagesAfterSaveNewAndOpen() {
    Tf_Main& main = start();
    const QString left = copied("quadrants.jpg", "Lewy.jpg");
    const QString icon = copied("red.bmp", "ikona.bmp");
    const QString january = copied("large.jpg", "styczen.jpg");
    const QString march = copied("quadrants_indexed.bmp", "marzec.bmp");
    const QList<int> months{0, 2, 11};
    const QStringList before = composed(main, months);

    QFont chosen(QStringLiteral("DejaVu Sans"));
    chosen.setPointSize(40);
    chosen.setBold(true);
    ui::seams().fontDialogs.setNextAnswer(ui::FontChoice{chosen, QColor(0, 0, 255)});
    for (const QString& picture : {left, icon, january, march}) ui::seams().pictureDialogs.setNextAnswer(picture);
    main.cb_month->setCurrentRow(0);
    editTheme(main, [](testing::EditorUser& user) {
      Tf_Options& d = user.d;
      d.PageControl1->setCurrentWidget(d.ts_Fonts);
      user.click(d.b_FontChange);
      d.PageControl1->setCurrentWidget(d.ts_Pictures);
      user.click(d.b_PictureChange);
      d.cb_Pictures->setFocus();
      QTest::keyClick(d.cb_Pictures, Qt::Key_Down);
      user.click(d.b_PictureChange);
      d.PageControl1->setCurrentWidget(d.ts_Holidays);
      user.click(d.b_SetBackgroundPicture);
      user.typeInto(6, QStringLiteral("*Trzech/Króli"));
      user.typeInto(21, QStringLiteral("Dzień Babci (@_age|1965)"));
      user.chooseMonth(2);
      user.click(d.b_SetBackgroundPicture);
      user.typeInto(8, QStringLiteral("*Dzień/Kobiet"));
      user.chooseMonth(11);
      user.typeInto(24, QStringLiteral("*Wigilia"));
      user.press(Qt::Key_Return);
    });
    const Theme& theme = main.state().theme;
    QCOMPARE(theme.pictureLeft, left);
    QCOMPARE(theme.pictureHoliday, icon);
    QCOMPARE(theme.backgrounds[0], january);
    QCOMPARE(theme.backgrounds[2], march);
    QCOMPARE(theme.weekdayFont.name, QStringLiteral("DejaVu Sans"));
    QCOMPARE(theme.holidays[11][23], (HolidayEntry{QStringLiteral("*Wigilia"), kUserHoliday}));
    // Typed into months not shown again: user holidays all the same.
    QCOMPARE(theme.holidays[0][5], (HolidayEntry{QStringLiteral("*Trzech/Króli"), kUserHoliday}));
    const QStringList edited = composed(main, months);
    QVERIFY(edited != before);

    const QString archive = program->folder.path(QStringLiteral("edited.hol"));
    ui::seams().fileDialogs.setNextAnswer(archive);
    main.findChild<QAction*>(QStringLiteral("mi_SaveAs"))->trigger();
    main.a_New->trigger();
    QVERIFY(composed(main, {0}).front() != edited.front());
    ui::seams().fileDialogs.setNextAnswer(archive);
    main.a_Open->trigger();
    QCOMPARE(main.windowTitle(), QStringLiteral("Orvella - edited.hol"));
    QStringList reopened = composed(main, months);
    // The two pictures come back from the working folder: the only difference a page may show.
    for (QString& page : reopened)
      page.replace(theme.pictureLeft, left).replace(theme.pictureHoliday, icon);
    QCOMPARE(reopened, edited);
  }
};

QTEST_MAIN(ThemeEditorTest)
#include "theme_editor_test.moc"
