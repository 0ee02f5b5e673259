// The string grid driven as a user would: cells by column and row, editing in place, the fixed row and
// column, colours of single fixed cells.
#include <QHeaderView>
#include <QLineEdit>
#include <QtTest>

#include "ui/string_grid.h"

using orvella::ui::StringGrid;

class StringGridTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<StringGrid> grid;

  // A grid of two columns and 1 + days rows, shown and focused on day 1's text.
  StringGrid& shownGrid(int days = 5) {
    grid = std::make_unique<StringGrid>(2);
    grid->setColumnWidth(0, 20);
    grid->setColumnWidth(1, 224);
    grid->resize(260, 200);
    grid->setRowCount(days + 1);
    grid->setCell(0, 0, QStringLiteral("Lp."));
    grid->setCell(1, 0, QStringLiteral("Święta"));
    for (int day = 1; day <= days; ++day) grid->setCell(0, day, QString::number(day));
    grid->show();
    grid->activateWindow();
    if (!QTest::qWaitForWindowActive(grid.get())) qWarning("the grid was not activated");
    grid->setFocus();
    grid->setCurrentIndex(grid->model()->index(0, 1));
    return *grid;
  }
  // Keys as the keyboard sends them: each to the control that has the focus at the time.
  static void type(const QString& text) {
    for (const QChar c : text) QTest::keyClicks(QApplication::focusWidget(), QString(c));
  }
  // The open cell editor.
  QWidget* editor() { return grid->indexWidget(grid->currentIndex()); }
  QPoint centreOf(int column, int row) {
    return grid->visualRect(grid->model()->index(row - StringGrid::kFixedRows, column)).center();
  }

 private slots:
  void cleanup() { grid.reset(); }

  void cellsAreAddressedByColumnAndRowWithTheFixedRowOnTop() {
    StringGrid& g = shownGrid(3);
    QCOMPARE(g.rowCount(), 4);
    QCOMPARE(g.colCount(), 2);
    QCOMPARE(g.model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Święta"));
    g.setCell(1, 0, QStringLiteral("Holidays"));
    QCOMPARE(g.model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Holidays"));
    g.setCell(1, 2, QStringLiteral("two"));
    QCOMPARE(g.cell(1, 2), QStringLiteral("two"));
    QCOMPARE(g.columnTexts(1), (QStringList{QString(), QStringLiteral("two"), QString()}));
    QCOMPARE(g.columnTexts(0, 0), (QStringList{QStringLiteral("Lp."), "1", "2", "3"}));
    // Outside the grid nothing is read or written.
    g.setCell(2, 1, QStringLiteral("x"));
    g.setCell(1, 4, QStringLiteral("x"));
    QCOMPARE(g.cell(2, 1), QString());
    QCOMPARE(g.cell(1, 4), QString());
    // Shrinking drops the rows below; growing adds empty ones.
    g.setRowCount(2);
    g.setRowCount(4);
    QCOMPARE(g.cell(1, 2), QString());
    QCOMPARE(g.cell(0, 0), QStringLiteral("Lp."));
    // Rows and the header are as high as asked.
    QCOMPARE(g.rowHeight(0), 16);
    QCOMPARE(g.horizontalHeader()->height(), 16);
  }

  void typingEditsACellInPlaceAndEnterOrEscapeEndsIt() {
    StringGrid& g = shownGrid();
    type(QStringLiteral("Urodziny"));
    QVERIFY(g.isEditing());
    QCOMPARE(g.cell(1, 1), QString());  // still only in the editor
    QTest::keyClick(editor(), Qt::Key_Return);
    QTRY_VERIFY(!g.isEditing());
    QCOMPARE(g.cell(1, 1), QStringLiteral("Urodziny"));

    QTest::keyClick(&g, Qt::Key_Down);
    type(QStringLiteral("dropped"));
    QVERIFY(g.isEditing());
    QTest::keyClick(editor(), Qt::Key_Escape);
    QTRY_VERIFY(!g.isEditing());
    QCOMPARE(g.cell(1, 2), QString());

    // An open editor's text can be put into its cell from outside, closing the editor.
    type(QStringLiteral("kept"));
    QVERIFY(g.isEditing());
    g.commitEditor();
    QVERIFY(!g.isEditing());
    QCOMPARE(g.cell(1, 2), QStringLiteral("kept"));
    g.commitEditor();  // nothing open: nothing happens
    QCOMPARE(g.cell(1, 2), QStringLiteral("kept"));
  }

  void theFixedColumnIsNeitherEditedNorReachedByTheCursor() {
    StringGrid& g = shownGrid();
    QTest::mouseDClick(g.viewport(), Qt::LeftButton, {}, centreOf(0, 3));
    QVERIFY(!g.isEditing());
    QTest::keyClick(&g, Qt::Key_Left);
    QTest::keyClick(&g, Qt::Key_Home);
    QCOMPARE(g.currentIndex().column(), 1);
    type(QStringLiteral("x"));
    QTest::keyClick(editor(), Qt::Key_Return);
    QTRY_VERIFY(!g.isEditing());
    QCOMPARE(g.cell(0, 1), QStringLiteral("1"));
    QCOMPARE(g.cell(1, 1), QStringLiteral("x"));
  }

  void deleteAndBackspaceClearTheSelectedCells() {
    StringGrid& g = shownGrid();
    for (int day = 1; day <= 5; ++day) g.setCell(1, day, QStringLiteral("day %1").arg(day));
    QTest::keyClick(&g, Qt::Key_Down);
    QTest::keyClick(&g, Qt::Key_Down, Qt::ShiftModifier);  // days 2 and 3
    QTest::keyClick(&g, Qt::Key_Delete);
    QVERIFY(!g.isEditing());
    QTest::keyClick(&g, Qt::Key_Down);  // day 4 alone
    QTest::keyClick(&g, Qt::Key_Backspace);
    QVERIFY(!g.isEditing());
    QCOMPARE(g.columnTexts(1), (QStringList{"day 1", "", "", "", "day 5"}));
  }

  void fixedCellsShowTheirOwnColourUntilFormattingIsCleared() {
    StringGrid& g = shownGrid();
    const QColor buttonFace = g.palette().color(QPalette::Active, QPalette::Button);
    g.setFixedCellColor(2, QColor(255, 165, 0));
    g.setFixedCellColor(4, QColor(0, 255, 0));
    auto shown = [&](int row) {
      const QImage image = g.viewport()->grab().toImage();
      return image.pixelColor(centreOf(0, row) + QPoint(-7, -5));
    };
    QCOMPARE(shown(2), QColor(255, 165, 0));
    QCOMPARE(shown(4), QColor(0, 255, 0));
    QCOMPARE(shown(3), buttonFace);
    g.clearCellFormatting();
    QCOMPARE(g.fixedCellColor(2), QColor());
    QCOMPARE(shown(2), buttonFace);
    QCOMPARE(shown(4), buttonFace);
  }
};

QTEST_MAIN(StringGridTest)
#include "string_grid_test.moc"
