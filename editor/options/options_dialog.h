// The theme editor dialog: the theme's name and switches, the holiday text of every day, the month
// backgrounds, the four fonts and the two pictures, edited on a copy that OK writes back. Each opening
// works on the year the main window's field held when it opened. It also owns the evaluator the
// national holidays import uses and the line expansion the composition calls.
#pragma once

#include <QDialog>
#include <QStringList>
#include <functional>

#include "dates/calc_express.h"
#include "dates/line_expansion.h"
#include "editor/editing/theme_edit_copy.h"
#include "editor/holidays/national_holidays.h"
#include "platform/errors/message_texts.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QScrollArea;
class QTabWidget;
class QWidget;

namespace orvella {

namespace ui {
class StringGrid;
struct OpenDialog;
}  // namespace ui

class PictureBox;
class CalendarTab;

namespace messages {
// The caption of the picture preview when the picture's file exists but cannot be read; %s: its name.
inline constexpr MessageText msg_PictureUnreadable{"msg_PictureUnreadable", "%s (nie można odczytać pliku)"};
// A national holidays file in the list of the holidays tab that is linked to the theme; %s: its name.
inline constexpr MessageText msg_LinkedHolidaysFile{"msg_LinkedHolidaysFile", "%s (co roku)"};
}  // namespace messages

// What the dialog reads from the main window and borrows of it.
struct OptionsHost {
  Theme* theme = nullptr;                // the program's theme
  std::function<int()> selectedYear;     // the year field
  QStringList monthNames;                // the month list's items, taken once, at creation
  ui::OpenDialog* od_Load = nullptr;     // the main window's open dialog, borrowed by the import
  QString programDir;                    // the import starts in its "holidays" folder
  std::function<QString(const QString&)> locatePicture;  // a held picture path -> its file, or empty
};

class Tf_Options : public QDialog {
  Q_OBJECT

 public:
  explicit Tf_Options(OptionsHost host, QWidget* parent = nullptr);
  ~Tf_Options() override;

  // "@_" markers replaced by their values for the year in the main window's field.
  QString wypelnij_linie(const QString& line) const { return expansion_.wypelnij_linie(line); }
  QString zamien(const QString& keyword) const { return expansion_.zamien(keyword); }

  // Handlers
  void FormCreate();
  void FormShow();
  void cb_HolidaysChange();
  void cb_FontsChange();
  void b_FontChangeClick();
  void cb_PicturesChange();
  void b_PictureChangeClick();
  void b_SetBackgroundPictureClick();
  void b_DeleteBackgroundPictureClick();
  void b_LoadNationalHolidaysClick();
  void b_DeleteNationalHolidaysClick();
  void b_OKClick();
  // Ctrl+Z and Ctrl+Y: the last change taken back, or made again (cell edits, imports, removals, fonts
  // and pictures), its month shown.
  void undoChange();
  void redoChange();
  // A national holidays file added as "Dodaj..." adds the file chosen (also one dropped on the dialog),
  // or links it to the theme when "Aktualizuj co roku" is checked.
  void importNationalHolidays(const QString& path);

  const ThemeEditCopy& editCopy() const { return edit_; }

  // Components, named as the language files know them.
  QTabWidget* PageControl1 = nullptr;
  CalendarTab* ts_Calendar = nullptr;  // our additions to the page, in a tab of their own
  QWidget* ts_Main = nullptr;
  QLabel* l_ThemeName = nullptr;
  QLineEdit* e_ThemeName = nullptr;
  QCheckBox* ch_SundayLikeWeekday = nullptr;
  QCheckBox* ch_WithoutForenames = nullptr;
  QCheckBox* ch_DrawFrames = nullptr;
  QCheckBox* ch_WeekNumbers = nullptr;
  QWidget* ts_Holidays = nullptr;
  QComboBox* cb_Holidays = nullptr;
  QLabel* l_Year = nullptr;
  QPushButton* b_SetBackgroundPicture = nullptr;
  QPushButton* b_DeleteBackgroundPicture = nullptr;
  QGroupBox* gb_BackgroundPicture = nullptr;  // caption: the file name of the month's background
  PictureBox* i_BackgroundPreview = nullptr;
  QGroupBox* gb_NationalHolidays = nullptr;
  QPushButton* b_LoadNationalHolidays = nullptr;
  QPushButton* b_DeleteNationalHolidays = nullptr;
  QCheckBox* ch_UpdateEveryYear = nullptr;  // "Dodaj..." links the file instead of adding its days
  QGroupBox* gb_HolidayFiles = nullptr;
  QListWidget* cb_HolidayFiles = nullptr;   // the files added since the opening and those linked
  ui::StringGrid* sag_Holidays = nullptr;
  QWidget* ts_Fonts = nullptr;
  QComboBox* cb_Fonts = nullptr;
  QPushButton* b_FontChange = nullptr;
  QGroupBox* gb_FontDescription = nullptr;
  QLabel* p_FontPreview = nullptr;
  QWidget* ts_Pictures = nullptr;
  QComboBox* cb_Pictures = nullptr;
  QPushButton* b_PictureChange = nullptr;
  QGroupBox* gb_PictureDescription = nullptr;
  PictureBox* i_PicturePreview = nullptr;
  QPushButton* b_Cancel = nullptr;
  QPushButton* b_OK = nullptr;
  TCalcExpress ce;

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildMainTab();
  void buildHolidaysTab();
  void buildFontsTab();
  void buildPicturesTab();
  QPushButton* button(QWidget* parent, const char* name, const char* caption, void (Tf_Options::*handler)());
  int fieldYear() const;
  // The shown month, 0..11.
  int month() const;
  // A held picture path -> the file to load, or empty when there is none.
  QString located(const QString& held) const;
  // The texts of the shown month as the grid holds them, an open cell editor's text included; none
  // when the grid holds nothing to store back.
  QStringList shownTexts();
  void showFont(const ThemeFont& font);
  // Shows the picture at `file` in the box with its name as the group's caption; raises the picture
  // loader's error, leaving both as they were.
  static void showPicture(PictureBox* box, QGroupBox* group, const QString& file);
  // The same, but a picture that cannot be read is said in the caption, over an empty box.
  static void showReadablePicture(PictureBox* box, QGroupBox* group, const QString& file);
  // The background of the chosen month.
  void showBackground();
  void showHolidayFiles();
  // Says the notes on entries of a holidays file that were left out, when there are any.
  void showSkipped(const QString& notes);
  // After undo or redo: the month changed, the grid, the background, the font and the picture.
  void showChange(int changedMonth);
  // Its own size where the screen has room for it, else the screen's free size; centred.
  void fitToScreen();

  OptionsHost host_;
  QScrollArea* pages_ = nullptr;  // holds PageControl1
  int year_ = 2009;  // the year this opening works on
  LineExpansion expansion_;
  ThemeEditCopy edit_;
  NationalHolidaysImport import_;
};

}  // namespace orvella
