// The theme editor used as a person uses it: keys go to the control that has the focus, a day's cell is
// clicked before typing, months are chosen with the keyboard.
#pragma once

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QtTest>

#include "editor/options/options_dialog.h"
#include "ui/string_grid.h"

namespace orvella::testing {

class EditorUser {
 public:
  explicit EditorUser(Tf_Options& dialog) : d(dialog) {}

  static void type(const QString& text) {
    for (const QChar c : text) {
      if (c.unicode() < 128)
        QTest::keyClicks(QApplication::focusWidget(), QString(c));
      else  // a letter of a Polish keyboard: no key of its own in the test's table, only its text
        QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
  }
  static void press(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }
  static void click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

  ui::StringGrid& grid() const { return *d.sag_Holidays; }

  // Clicks the text cell of a day and types into it; the cell editor stays open.
  void typeInto(int day, const QString& text) {
    const QRect cell = grid().visualRect(grid().model()->index(day - 1, 1));
    QTest::mouseClick(grid().viewport(), Qt::LeftButton, {}, cell.center());
    type(text);
  }
  // Chooses a month in the list with the keyboard.
  void chooseMonth(int month) {
    QComboBox* list = d.cb_Holidays;
    list->setFocus();
    while (list->currentIndex() < month) QTest::keyClick(list, Qt::Key_Down);
    while (list->currentIndex() > month) QTest::keyClick(list, Qt::Key_Up);
  }

  Tf_Options& d;
};

}  // namespace orvella::testing
