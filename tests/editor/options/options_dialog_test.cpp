// The theme editor driven as a user would: typing into the grid, choosing months, fonts and pictures,
// Enter and Esc, OK and Cancel, and the national holidays buttons; the theme is checked afterwards.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QtTest>

#include "app/core/program_data.h"
#include "calendar/composition/month_names.h"
#include "editor/options/options_dialog.h"
#include "editor/options/picture_box.h"
#include "platform/desktop/dialog_folders.h"
#include "platform/pictures/jpeg_decoder.h"
#include "platform/pictures/raster_cache.h"
#include "tests/editor/options/editor_user.h"
#include "tests/support/file_drops.h"
#include "tests/support/files.h"
#include "tests/support/message_boxes.h"
#include "tests/support/program_folder.h"
#include "tests/support/screenshots.h"
#include "theme/files/theme_files.h"
#include "ui/dialog_seams.h"
#include "ui/string_grid.h"

using namespace orvella;

namespace {

const QColor kLime(0, 255, 0);
const QColor kOrange(255, 165, 0);
const QColor kRed(255, 0, 0);

}  // namespace

class OptionsDialogTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<testing::ProgramFolder> folder;
  Theme theme;
  int year = 2012;  // a leap year; 1 January is a Sunday
  ui::OpenDialog od_Load;
  std::unique_ptr<Tf_Options> dialog;

  // The program's default theme, and the dialog made once for it as the program makes it.
  Tf_Options& made() {
    folder = std::make_unique<testing::ProgramFolder>();
    ThemeFiles(theme, folder->path()).new_theme();
    OptionsHost host;
    host.theme = &theme;
    host.selectedYear = [this] { return year; };
    for (int month = 0; month < 12; ++month) host.monthNames << polishMonthName(month);
    host.od_Load = &od_Load;
    host.programDir = folder->path();
    host.locatePicture = [this](const QString& held) { return locateProgramPicture(folder->path(), held); };
    dialog = std::make_unique<Tf_Options>(std::move(host));
    return *dialog;
  }
  // Opened for a month as the main window opens it, and active, so that keys reach it.
  Tf_Options& opened(int month = 0) {
    if (!dialog) made();
    dialog->cb_Holidays->setCurrentIndex(month);
    dialog->open();
    dialog->activateWindow();
    if (!QTest::qWaitForWindowActive(dialog.get())) qWarning("the dialog was not activated");
    return *dialog;
  }

  ui::StringGrid& grid() { return *dialog->sag_Holidays; }
  static void type(const QString& text) { testing::EditorUser::type(text); }
  static void press(Qt::Key key) { testing::EditorUser::press(key); }
  static void click(QPushButton* button) { testing::EditorUser::click(button); }
  void typeInto(int day, const QString& text) {
    testing::EditorUser(*dialog).typeInto(day, text);
    QVERIFY(grid().isEditing());
  }
  void chooseMonth(int month) { testing::EditorUser(*dialog).chooseMonth(month); }
  QString hln(const char* name, const char* text) {
    const QString path = folder->path(QString::fromLatin1(name));
    testing::writeFile(path, text);
    return path;
  }
  static QStringList errors() { return testing::messageBoxTexts(QMessageBox::Critical); }

 private slots:
  void init() { ui::seams().cancelEverything(); forgetDialogFolders(); }
  void cleanup() {
    dialog.reset();
    theme = Theme();
    year = 2012;
    od_Load = {};
    ui::seams().reset();
  }

  // The captions are pinned by the language files (polski.lng gives back every built-in text); what is
  // checked here is what a language file cannot change: names, where things lie, what the dialog shows.
  void theDialogIsLaidOutWithEveryComponentNamed() {
    Tf_Options& d = made();
    QCOMPARE(d.objectName(), QStringLiteral("f_Options"));
    for (const char* name :
         {"PageControl1", "ts_Main", "l_ThemeName", "e_ThemeName", "ch_SundayLikeWeekday", "ch_WithoutForenames",
          "ch_DrawFrames", "ch_WeekNumbers", "ts_Holidays", "cb_Holidays", "l_Year", "b_SetBackgroundPicture",
          "gb_NationalHolidays", "b_LoadNationalHolidays", "b_DeleteNationalHolidays", "sag_Holidays", "ts_Fonts",
          "cb_Fonts", "b_FontChange", "gb_FontDescription", "p_FontPreview", "ts_Pictures", "cb_Pictures",
          "b_PictureChange",
          "gb_PictureDescription", "i_PicturePreview", "b_Cancel", "b_OK"})
      QVERIFY2(d.findChild<QWidget*>(QLatin1String(name)), name);
    QCOMPARE(d.cb_Holidays->count(), 12);
    QCOMPARE(d.cb_Holidays->itemText(11), QStringLiteral("Grudzień"));
    QCOMPARE(d.ch_WeekNumbers->geometry().top(), d.ch_DrawFrames->geometry().bottom() + 5);

    opened(2);
    QCOMPARE(d.PageControl1->currentWidget(), d.ts_Holidays);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(d.b_OK));
    QCOMPARE(grid().rowCount(), 32);
    QCOMPARE(d.gb_FontDescription->title(), QStringLiteral("SF Intellivised, 46"));
    QCOMPARE(d.gb_PictureDescription->title(), QStringLiteral("band_music.wmf"));
    QVERIFY(!d.i_PicturePreview->picture().isNull());
    QCOMPARE(d.e_ThemeName->text(), QStringLiteral("Default"));
    // Every component lies within its parent, none cut off; a tab's page has its size when shown.
    for (QWidget* page : {d.ts_Main, d.ts_Holidays, d.ts_Fonts, d.ts_Pictures}) {
      d.PageControl1->setCurrentWidget(page);
      for (QWidget* w : page->findChildren<QWidget*>()) {
        if (w->objectName().isEmpty() || w->objectName().startsWith(QLatin1String("qt_"))) continue;
        QVERIFY2(w->parentWidget()->rect().contains(w->geometry()), qPrintable(w->objectName()));
      }
    }
    for (QWidget* w : {static_cast<QWidget*>(d.PageControl1), static_cast<QWidget*>(d.b_OK), static_cast<QWidget*>(d.b_Cancel)})
      QVERIFY2(d.rect().contains(w->geometry()), qPrintable(w->objectName()));
    d.PageControl1->setCurrentWidget(d.ts_Holidays);
    // The grid shows the longest month whole, without a scroll bar.
    QVERIFY(grid().viewport()->height() >= 31 * 16);
  }

  void typedTextBecomesAUserHolidayOnMonthChangeAndOnOK() {
    Tf_Options& d = opened(0);
    typeInto(5, QStringLiteral("Urodziny"));
    chooseMonth(1);
    QCOMPARE(d.editCopy().holidays()[0][4], (HolidayEntry{QStringLiteral("Urodziny"), kNoHolidayKind}));
    chooseMonth(0);
    QCOMPARE(d.editCopy().holidays()[0][4].kind, kUserHoliday);
    QCOMPARE(grid().fixedCellColor(5), kLime);
    QCOMPARE(grid().cell(1, 5), QStringLiteral("Urodziny"));

    typeInto(10, QStringLiteral("Imieniny"));
    grid().commitEditor();
    QCOMPARE(grid().fixedCellColor(10), QColor());  // not yet classified
    click(d.b_OK);
    QVERIFY(!d.isVisible());
    QCOMPARE(d.result(), int(QDialog::Accepted));
    QCOMPARE(theme.holidays[0][9], (HolidayEntry{QStringLiteral("Imieniny"), kUserHoliday}));
    QCOMPARE(theme.holidays[0][4], (HolidayEntry{QStringLiteral("Urodziny"), kUserHoliday}));
  }

  void nationalDaysKeepTheirKindWhenChangedAndLoseItWhenCleared() {
    made();
    theme.holidays[0][0] = {QStringLiteral("Nowy Rok"), kNationalHoliday};  // a Sunday in 2012
    theme.holidays[0][5] = {QStringLiteral("Trzech Króli"), kNationalHoliday};
    Tf_Options& d = opened(0);
    QCOMPARE(grid().fixedCellColor(1), kOrange);
    QCOMPARE(grid().fixedCellColor(8), kRed);  // a Sunday without a holiday
    QCOMPARE(grid().fixedCellColor(2), QColor());
    typeInto(1, QStringLiteral("x"));
    press(Qt::Key_Backspace);
    grid().commitEditor();
    typeInto(6, QStringLiteral("Objawienie"));
    chooseMonth(3);
    chooseMonth(0);
    QCOMPARE(d.editCopy().holidays()[0][0], HolidayEntry());
    QCOMPARE(grid().fixedCellColor(1), kRed);
    QCOMPARE(d.editCopy().holidays()[0][5], (HolidayEntry{QStringLiteral("Objawienie"), kNationalHoliday}));
    QCOMPARE(grid().fixedCellColor(6), kOrange);
  }

  void februaryFollowsTheMainWindowsYear() {
    Tf_Options& d = opened(1);
    QCOMPARE(grid().rowCount(), 30);
    QCOMPARE(d.l_Year->text(), QStringLiteral("2012"));
    QCOMPARE(grid().fixedCellColor(5), kRed);  // Sunday 5 February 2012
    click(d.b_Cancel);
    year = 2013;
    opened(1);
    QCOMPARE(grid().rowCount(), 29);
    QCOMPARE(d.l_Year->text(), QStringLiteral("2013"));
    QCOMPARE(grid().fixedCellColor(3), kRed);  // Sunday 3 February 2013
    QCOMPARE(grid().fixedCellColor(5), QColor());
    // No month chosen in the main window: January.
    click(d.b_Cancel);
    d.cb_Holidays->setCurrentIndex(-1);
    d.open();
    QCOMPARE(d.cb_Holidays->currentIndex(), 0);
    QCOMPARE(grid().rowCount(), 32);
  }

  void theDialogWorksOnTheYearItOpenedWith() {
    year = 2027;
    Tf_Options& d = opened(1);
    year = 2017;  // the main window's field changes while the dialog is open
    chooseMonth(2);
    chooseMonth(1);
    QCOMPARE(d.l_Year->text(), QStringLiteral("2027"));
    QCOMPARE(grid().rowCount(), 29);
    QCOMPARE(grid().fixedCellColor(7), kRed);  // Sunday 7 February 2027
    ui::seams().fileDialogs.setNextAnswer(folder->path(QStringLiteral("holidays/polska.hln")));
    click(d.b_LoadNationalHolidays);
    QCOMPARE(d.editCopy().holidays()[2][27].kind, kNationalHoliday);  // Easter Sunday, 28 March 2027
    QCOMPARE(d.editCopy().holidays()[3][15], HolidayEntry());
  }

  void aMonthsBackgroundIsShownRemovedAndRefusedWhenUnreadable() {
    made();
    const QString large = QStringLiteral(ORVELLA_TEST_DATA "/pictures/large.jpg");
    const QString broken = folder->path(QStringLiteral("images/broken.jpg"));
    QVERIFY(testing::writeFile(broken, "\xFF\xD8\xFF not really a picture"));
    theme.backgrounds[2] = large;
    Tf_Options& d = opened(2);
    auto* preview = d.findChild<PictureBox*>(QStringLiteral("i_BackgroundPreview"));
    auto* remove = d.findChild<QPushButton*>(QStringLiteral("b_DeleteBackgroundPicture"));
    QVERIFY(preview && remove);
    QVERIFY(!preview->picture().isNull());
    chooseMonth(3);
    QVERIFY(preview->picture().isNull());
    ui::seams().pictureDialogs.setNextAnswer(broken);
    click(d.b_SetBackgroundPicture);
    QCOMPARE(errors().size(), 1);
    QVERIFY(errors().front().contains(QStringLiteral("broken.jpg")));
    QVERIFY(preview->picture().isNull());
    chooseMonth(2);
    click(remove);
    QVERIFY(preview->picture().isNull());
    click(d.b_OK);
    QVERIFY(theme.backgrounds[2].isEmpty() && theme.backgrounds[3].isEmpty());
  }

  void enterInAnOpenCellEditorIsOKAndKeepsTheTypedText() {
    Tf_Options& d = opened(6);
    typeInto(14, QStringLiteral("Święto lipca"));
    press(Qt::Key_Return);
    QVERIFY(!d.isVisible());
    QCOMPARE(d.result(), int(QDialog::Accepted));
    QCOMPARE(theme.holidays[6][13], (HolidayEntry{QStringLiteral("Święto lipca"), kUserHoliday}));
  }

  void escapeClosesOnlyWhenNoCellEditorIsOpen() {
    Tf_Options& d = opened(0);
    typeInto(3, QStringLiteral("dropped"));
    press(Qt::Key_Escape);
    QTRY_VERIFY(!grid().isEditing());
    QVERIFY(d.isVisible());
    QCOMPARE(grid().cell(1, 3), QString());
    typeInto(4, QStringLiteral("typed"));
    grid().commitEditor();
    press(Qt::Key_Escape);
    QVERIFY(!d.isVisible());
    QCOMPARE(d.result(), int(QDialog::Rejected));
    QCOMPARE(theme.holidays[0][3], HolidayEntry());
  }

  void cancelledFontAndPictureDialogsChangeNothing() {
    Tf_Options& d = opened(0);
    const Theme before = theme;
    d.PageControl1->setCurrentWidget(d.ts_Fonts);
    click(d.b_FontChange);
    d.PageControl1->setCurrentWidget(d.ts_Pictures);
    click(d.b_PictureChange);
    d.cb_Pictures->setCurrentIndex(1);
    click(d.b_PictureChange);
    d.PageControl1->setCurrentWidget(d.ts_Holidays);
    click(d.b_SetBackgroundPicture);
    QCOMPARE(ui::seams().fontDialogs.requests().size(), 1);
    QCOMPARE(ui::seams().pictureDialogs.requests().size(), 3);
    QCOMPARE(d.gb_FontDescription->title(), QStringLiteral("SF Intellivised, 46"));
    click(d.b_OK);
    QCOMPARE(theme.weekdayFont, before.weekdayFont);
    QCOMPARE(theme.pictureLeft, before.pictureLeft);
    QCOMPARE(theme.pictureHoliday, before.pictureHoliday);
    QCOMPARE(theme.backgrounds, before.backgrounds);
  }

  void fontsAndPicturesChosenAreShownAndCommittedByOKOnly() {
    Tf_Options& d = opened(4);
    QFont chosen(QStringLiteral("DejaVu Sans"));
    chosen.setPointSize(30);
    chosen.setItalic(true);
    d.PageControl1->setCurrentWidget(d.ts_Fonts);
    d.cb_Fonts->setFocus();
    QTest::keyClick(d.cb_Fonts, Qt::Key_Down);  // holidays
    QCOMPARE(d.gb_FontDescription->title(), QStringLiteral("SF Intellivised Outline, 46"));
    ui::seams().fontDialogs.setNextAnswer(ui::FontChoice{chosen, QColor(0, 0, 128)});
    click(d.b_FontChange);
    const ui::FontDialogRequest& asked = ui::seams().fontDialogs.requests().last();
    QCOMPARE(asked.objectName, QStringLiteral("fd_Fonts"));
    QCOMPARE(asked.initial.font.pointSize(), 46);
    QCOMPARE(d.gb_FontDescription->title(), QStringLiteral("DejaVu Sans, 30"));
    QVERIFY(d.p_FontPreview->font().italic());
    QCOMPARE(d.p_FontPreview->text(), QStringLiteral("12"));

    const QString flower = folder->path(QStringLiteral("images/flower.wmf"));
    const QString large = QStringLiteral(ORVELLA_TEST_DATA "/pictures/large.jpg");
    d.PageControl1->setCurrentWidget(d.ts_Pictures);
    ui::seams().pictureDialogs.setNextAnswer(large);
    click(d.b_PictureChange);
    const ui::PictureDialogRequest& picture = ui::seams().pictureDialogs.requests().last();
    QCOMPARE(picture.objectName, QStringLiteral("opd_OpenPicture"));
    QCOMPARE(picture.folder, userPicturesFolder());
    QCOMPARE(picture.filter,
             QStringLiteral("All (*.jpg;*.jpeg;*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf)|*.jpg;*.jpeg;*.jpg;*.jpeg;*.bmp;*.ico;"
                            "*.emf;*.wmf|JPEG Image File (*.jpg)|*.jpg|JPEG Image File (*.jpeg)|*.jpeg|JPEG Image File "
                            "(*.jpg)|*.jpg|JPEG Image File (*.jpeg)|*.jpeg|Bitmaps (*.bmp)|*.bmp|Icons (*.ico)|*.ico|"
                            "Enhanced Metafiles (*.emf)|*.emf|Metafiles (*.wmf)|*.wmf"));
    QCOMPARE(d.gb_PictureDescription->title(), QStringLiteral("large.jpg"));
    // The preview decodes the photograph no larger than its box.
    RasterCache::instance().clear();
    jpegDecodeStats() = {};
    d.i_PicturePreview->grab();  // shown at once, drawn right after
    QTRY_VERIFY(d.i_PicturePreview->isRendered());
    QCOMPARE(jpegDecodeStats().decodes, 1);
    QVERIFY(jpegDecodeStats().lastDecodedSize.width() < 800);
    QVERIFY(d.i_PicturePreview->pictureRect().width() <= d.i_PicturePreview->width());

    d.cb_Pictures->setFocus();
    QTest::keyClick(d.cb_Pictures, Qt::Key_Down);  // the holiday icon
    QCOMPARE(d.gb_PictureDescription->title(), QStringLiteral("flower.wmf"));
    ui::seams().pictureDialogs.setNextAnswer(flower);
    click(d.b_PictureChange);
    d.PageControl1->setCurrentWidget(d.ts_Holidays);
    ui::seams().pictureDialogs.setNextAnswer(large);
    click(d.b_SetBackgroundPicture);
    QCOMPARE(ui::seams().pictureDialogs.requests().last().objectName, QStringLiteral("opd_OpenPictureBG"));
    QCOMPARE(ui::seams().pictureDialogs.requests().last().folder, folder->path(QStringLiteral("images")));
    QCOMPARE(ui::seams().pictureDialogs.requests().last().filter, picture.filter);
    QVERIFY(theme.backgrounds[4].isEmpty());
    QCOMPARE(theme.holidayFont.name, QStringLiteral("SF Intellivised Outline"));

    click(d.b_OK);
    QCOMPARE(theme.holidayFont.name, QStringLiteral("DejaVu Sans"));
    QCOMPARE(theme.holidayFont.size, 30);
    QVERIFY(theme.holidayFont.italic);
    QCOMPARE(theme.holidayFont.color, ColorValue(0x800000));
    QCOMPARE(theme.pictureLeft, large);
    QCOMPARE(theme.pictureHoliday, flower);
    QCOMPARE(theme.backgrounds[4], large);
    QVERIFY(errors().isEmpty());
  }

  void anUnreadablePictureNeitherStopsOpeningNorOKAndIsReportedOnceWhenChosen() {
    made();
    const QString broken = folder->path(QStringLiteral("images/broken.jpg"));
    QVERIFY(testing::writeFile(broken, "\xFF\xD8\xFF not really a picture"));
    theme.pictureLeft = broken;
    Tf_Options& d = opened(0);
    QVERIFY(errors().isEmpty());
    QCOMPARE(d.gb_PictureDescription->title(), QStringLiteral("broken.jpg (nie można odczytać pliku)"));
    QVERIFY(d.i_PicturePreview->picture().isNull());

    d.cb_Pictures->setCurrentIndex(1);
    ui::seams().pictureDialogs.setNextAnswer(broken);
    click(d.b_PictureChange);
    QCOMPARE(errors().size(), 1);
    QVERIFY(errors().front().contains(QStringLiteral("broken.jpg")));
    QCOMPARE(d.editCopy().holidays().size(), size_t(12));

    d.PageControl1->setCurrentWidget(d.ts_Holidays);
    typeInto(2, QStringLiteral("kept"));
    press(Qt::Key_Return);
    QCOMPARE(errors().size(), 1);
    QCOMPARE(d.result(), int(QDialog::Accepted));
    QCOMPARE(theme.holidays[0][1], (HolidayEntry{QStringLiteral("kept"), kUserHoliday}));
    QCOMPARE(theme.pictureLeft, broken);
    QCOMPARE(theme.pictureHoliday, QStringLiteral("images/flower.wmf"));
  }

  void cancelAfterEditsInThreeMonthsKeepsTheThemeAndOKCommitsAllThree() {
    for (const bool ok : {false, true}) {
      Tf_Options& d = opened(0);
      d.PageControl1->setCurrentWidget(d.ts_Holidays);
      const Theme before = theme;
      typeInto(1, QStringLiteral("styczeń"));
      chooseMonth(5);
      typeInto(2, QStringLiteral("czerwiec"));
      chooseMonth(11);
      typeInto(3, QStringLiteral("grudzień"));
      d.PageControl1->setCurrentWidget(d.ts_Main);
      d.e_ThemeName->setFocus();
      d.e_ThemeName->selectAll();
      type(QStringLiteral("Mój"));
      QTest::mouseClick(d.ch_DrawFrames, Qt::LeftButton, {}, QPoint(8, d.ch_DrawFrames->height() / 2));
      QTest::mouseClick(d.ch_WeekNumbers, Qt::LeftButton, {}, QPoint(8, d.ch_WeekNumbers->height() / 2));
      click(ok ? d.b_OK : d.b_Cancel);
      if (!ok) {
        QCOMPARE(theme.holidays, before.holidays);
        QCOMPARE(theme.name, QStringLiteral("Default"));
        QVERIFY(!theme.drawFrames && !theme.weekNumbers);
        continue;
      }
      QCOMPARE(theme.holidays[0][0], (HolidayEntry{QStringLiteral("styczeń"), kUserHoliday}));
      QCOMPARE(theme.holidays[5][1], (HolidayEntry{QStringLiteral("czerwiec"), kUserHoliday}));
      QCOMPARE(theme.holidays[11][2], (HolidayEntry{QStringLiteral("grudzień"), kUserHoliday}));
      QCOMPARE(theme.name, QStringLiteral("Mój"));
      QVERIFY(theme.drawFrames && theme.weekNumbers);
    }
    // The next opening shows the switches the theme has.
    Tf_Options& again = opened(0);
    QVERIFY(again.ch_DrawFrames->isChecked() && again.ch_WeekNumbers->isChecked());
    click(again.b_Cancel);
  }

  void theImportBorrowsTheOpenDialogAndAlwaysGivesItsFileNameBack() {
    const QString current = QStringLiteral("/themes/current.hol");
    const QString good = QStringLiteral("[1]\nm=1\nd=2\nname=Nowy\n[2]\nexpr=@_eastersunday+1\nname=Poniedziałek\n"
                                        "[3]\nexpr=((\nname=broken\n[4]\nm=1\nd=5\nname=taken\n");
    Tf_Options& d = opened(0);
    od_Load.fileName = current;

    // Cancelled.
    click(d.b_LoadNationalHolidays);
    const ui::FileDialogRequest& asked = ui::seams().fileDialogs.requests().last();
    QCOMPARE(asked.objectName, QStringLiteral("od_Load"));
    QCOMPARE(asked.title, QStringLiteral("Open"));
    QCOMPARE(asked.filter, QStringLiteral("national holidays (.hln)|*.hln"));
    QCOMPARE(asked.folder, folder->path(QStringLiteral("holidays")));
    QCOMPARE(od_Load.fileName, current);

    // Imported; a day typed into the grid keeps its text, a formula that does not parse is named.
    typeInto(5, QStringLiteral("mój"));
    ui::seams().fileDialogs.setNextAnswer(hln("good.hln", good.toUtf8()));
    click(d.b_LoadNationalHolidays);
    QCOMPARE(od_Load.fileName, current);
    QCOMPARE(grid().cell(1, 2), QStringLiteral("Nowy"));
    QCOMPARE(grid().fixedCellColor(2), kOrange);
    QCOMPARE(grid().cell(1, 5), QStringLiteral("mój"));
    QCOMPARE(grid().fixedCellColor(5), kLime);
    QCOMPARE(d.editCopy().holidays()[3][8], (HolidayEntry{QStringLiteral("Poniedziałek"), kNationalHoliday}));
    const ui::MessageBoxRequest& skipped = ui::seams().messageBoxes.requests().last();
    QCOMPARE(skipped.icon, QMessageBox::Information);
    QVERIFY(skipped.text.contains(QStringLiteral("[3] expr=((")));
    QCOMPARE(ui::seams().messageBoxes.requests().size(), 1);

    // Stopped by an error: the box says why, the days before it stay and show.
    ui::seams().fileDialogs.setNextAnswer(hln("bad.hln", "[1]\nm=1\nd=3\nname=przed\n[2]\nexpr=1/0\n"));
    click(d.b_LoadNationalHolidays);
    QCOMPARE(od_Load.fileName, current);
    QCOMPARE(errors(), QStringList{QStringLiteral("Floating point division by zero")});
    QCOMPARE(grid().cell(1, 3), QStringLiteral("przed"));

    // "Usuń" takes out exactly the national days.
    click(d.b_DeleteNationalHolidays);
    QCOMPARE(grid().cell(1, 2), QString());
    QCOMPARE(grid().cell(1, 3), QString());
    QCOMPARE(grid().cell(1, 5), QStringLiteral("mój"));
    QCOMPARE(d.editCopy().holidays()[3][8], HolidayEntry());
    // The theme changes with OK only.
    QCOMPARE(theme.holidays[0][1], HolidayEntry());
    click(d.b_Cancel);
    QCOMPARE(theme.holidays[0][4], HolidayEntry());
  }

  // Ctrl+Z and Ctrl+Y take back and make again a committed cell edit in its month; an open cell editor
  // keeps the keys for its own text.
  void undoAndRedoKeysShowTheChangeInItsMonth() {
    Tf_Options& d = opened(0);
    auto ctrl = [](Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key, Qt::ControlModifier); };
    typeInto(3, QStringLiteral("trzeci"));
    grid().commitEditor();
    typeInto(4, QStringLiteral("x"));
    ctrl(Qt::Key_Z);
    QVERIFY(grid().isEditing());
    press(Qt::Key_Escape);
    chooseMonth(2);
    ctrl(Qt::Key_Z);
    QCOMPARE(d.cb_Holidays->currentIndex(), 0);
    QCOMPARE(grid().cell(1, 3), QString());
    ctrl(Qt::Key_Y);
    QCOMPARE(grid().cell(1, 3), QStringLiteral("trzeci"));
  }

  // A national holidays file dropped on the dialog is added as "Dodaj..." adds it; other files are not
  // taken.
  void aDroppedHolidaysFileIsAdded() {
    Tf_Options& d = opened(0);
    QVERIFY(!testing::dropFile(d.sag_Holidays, hln("notes.txt", "[1]\nm=1\nd=2\nname=nie\n")));
    QVERIFY(testing::dropFile(d.sag_Holidays, hln("drop.HLN", "[1]\nm=1\nd=2\nname=Upuszczone\n")));
    QCOMPARE(d.editCopy().holidays()[0][1], (HolidayEntry{QStringLiteral("Upuszczone"), kNationalHoliday}));
  }

  // The dialog lies on the screen with OK and Cancel in sight; also where the screen has no room for all
  // of it (editor_options_scaled_test: 1600 x 1000 pixels at a scale factor of 2), and the tabs scroll.
  void theDialogFitsTheScreen() {
    Tf_Options& d = opened(0);
    QTRY_VERIFY(d.screen()->availableGeometry().contains(d.frameGeometry()));
    QVERIFY(d.rect().contains(d.b_OK->geometry()) && d.rect().contains(d.b_Cancel->geometry()));
    testing::keepScreenOf(d, QStringLiteral("options_on_a_small_screen"));
  }

  void screenshotsOfTheFourTabs() {
    made();
    theme.holidays[0][0] = {QStringLiteral("*Nowy Rok"), kNationalHoliday};
    theme.holidays[0][5] = {QStringLiteral("Trzech Króli"), kNationalHoliday};
    theme.holidays[0][20] = {QStringLiteral("Dzień Babci / i Dziadka"), kUserHoliday};
    theme.backgrounds[0] = QStringLiteral(ORVELLA_TEST_DATA "/pictures/large.jpg");
    Tf_Options& d = opened(0);
    for (QWidget* page : {d.ts_Main, d.ts_Holidays, d.ts_Fonts, d.ts_Pictures}) {
      d.PageControl1->setCurrentWidget(page);
      d.grab();
      if (page == d.ts_Holidays) QTRY_VERIFY(d.i_BackgroundPreview->isRendered());
      if (page == d.ts_Pictures) QTRY_VERIFY(d.i_PicturePreview->isRendered());
      testing::keepScreenshot(d, QStringLiteral("options_") + page->objectName());
    }
    QVERIFY(d.isVisible());
  }
};

QTEST_MAIN(OptionsDialogTest)
#include "options_dialog_test.moc"
