// The theme editor's working copy of the theme and the rules its dialog applies to it, without any
// window: what the holiday grid shows for a month and what its texts become, which font and picture
// each choice names, national holidays in and out, undo and redo of those changes, and the commit on
// OK.
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <vector>

#include "theme/model/theme.h"

namespace orvella {

class NationalHolidaysImport;

// The number cell of a day in the holiday grid: plain (the button face), a Sunday of the year shown,
// or the colour of the day's holiday kind, which wins over Sunday.
enum class DayColour { Plain, Sunday, NationalHoliday, UserHoliday };

// One row of the holiday grid.
struct GridDay {
  int day = 0;  // 1..31
  QString text;
  DayColour colour = DayColour::Plain;
  friend bool operator==(const GridDay&, const GridDay&) = default;
};

// The font list of the fonts tab and the picture list of the pictures tab, in their order.
enum FontIndex { kWeekdayFont = 0, kHolidayFont = 1, kUserHolidayFont = 2, kForenamesFont = 3 };
enum PictureIndex { kLeftPicture = 0, kHolidayPicture = 1 };

// The switches of the main tab; they are not part of the copy, the check boxes hold them.
struct ThemeSwitches {
  bool sundayLikeWeekday = false;
  bool withoutForenames = false;
  bool drawFrames = false;
  bool weekNumbers = false;
  friend bool operator==(const ThemeSwitches&, const ThemeSwitches&) = default;
};

class ThemeEditCopy {
 public:
  // The month whose days the grid holds; this value: none, there is nothing to store back.
  static constexpr std::uint8_t kNoMonth = 255;

  // The holiday part of the copy is the theme's own editor copy.
  explicit ThemeEditCopy(Theme& theme);

  // Each opening: the copy takes the theme's holidays, backgrounds, fonts, name and pictures again,
  // the grid holds nothing to store back, and there is nothing to undo.
  void load();
  // OK: the copy goes into the theme, with the name and switches the dialog shows. Every typed text is
  // a user holiday from here on, also in months not shown again.
  void commit(const QString& name, const ThemeSwitches& switches);

  // A month is chosen: the texts of the shown month (the grid's text column, day 1 first) are stored,
  // then month (0..11) becomes the shown one and its days are given as the grid shows them in year
  // (February's 29th only in a leap year).
  // Texts typed since the month was shown become user holidays here.
  std::vector<GridDay> showMonth(const QStringList& shownTexts, int month, int year);
  std::uint8_t shownMonth() const { return shown_; }
  // The grid holds nothing to store back: the next showMonth only fills it.
  void forgetShownMonth() { shown_ = kNoMonth; }

  // The user changed cells of the shown month (a text typed, days emptied): the grid's texts are kept
  // at once, as one change that undo takes back.
  void storeGridEdit(const QStringList& shownTexts);

  // "Dodaj..." and "Usuń". The texts typed into the shown month are kept first, as user holidays, so
  // that no national holiday takes their day; afterwards the grid is to be filled afresh (the shown
  // month is forgotten, also when the import stops on an error, which it raises).
  void importNationalHolidays(NationalHolidaysImport& import, const QString& path, int year,
                              const QStringList& shownTexts);
  int removeNationalHolidays(const QStringList& shownTexts);

  const ThemeFont& font(int index) const { return fonts_.at(index); }  // FontIndex
  const QString& picture(int index) const;                             // PictureIndex
  const QString& background(int month) const { return backgrounds_.at(month); }
  // A font or picture chosen, or a month's background chosen or taken away: each one change to undo.
  void setFont(int index, const ThemeFont& font);
  void setPicture(int index, const QString& path);
  void setBackground(int month, const QString& path);

  // Undo takes back the changes above one at a time, newest first, and redo makes them again until
  // another change is made. Either leaves the grid with nothing to store back, and gives the month
  // (0..11) the change was made in, to be shown, or kNoMonth for a change of no month (an import, a
  // font, a picture); kNoMonth too when there is nothing to take back or make again.
  bool canUndo() const { return !undo_.empty(); }
  bool canRedo() const { return !redo_.empty(); }
  int undo();
  int redo();
  const QString& name() const { return name_; }
  const HolidayTable& holidays() const { return theme_.holidaysEditCopy; }

  // What a text typed or pasted into the grid becomes: one line, without the character that separates
  // a stored text from its kind.
  static QString dayTextFromCell(const QString& cell);
  // The description of a font: face name, a comma, a blank, the size.
  static QString fontDescription(const ThemeFont& font);

 private:
  // What undo brings back: everything the dialog changes but the name and the switches.
  struct Values {
    HolidayTable holidays;
    std::array<QString, 12> backgrounds;
    std::array<ThemeFont, 4> fonts;
    QString pictureLeft;
    QString pictureHoliday;
    friend bool operator==(const Values&, const Values&) = default;
  };
  struct Step {
    Values before;
    int month;
  };
  Values values() const;
  void setValues(const Values& values);
  // A change made since `before` becomes a step to undo; a change that changed nothing is none.
  void recordSince(Values before, int month);
  int takeStep(std::vector<Step>& from, std::vector<Step>& to);

  void storeShownMonth(const QStringList& texts);
  void keepTypedTexts(const QStringList& shownTexts);

  Theme& theme_;
  std::array<QString, 12> backgrounds_;
  std::array<ThemeFont, 4> fonts_;  // FontIndex order
  QString name_;
  QString pictureLeft_;
  QString pictureHoliday_;
  std::uint8_t shown_ = kNoMonth;
  std::vector<Step> undo_;
  std::vector<Step> redo_;
};

}  // namespace orvella
