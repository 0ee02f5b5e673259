// A string grid: a table of text cells addressed by column and row, whose top row and left column are
// fixed (not editable, drawn as the button face, each fixed cell in a colour of its own when set) and
// whose other cells are edited in place; Delete and Backspace empty the selected cells. The language
// walk treats every StringGrid by the grid rule.
#pragma once

#include <QColor>
#include <QStringList>
#include <QTableView>

namespace orvella::ui {

class StringGridModel;

class StringGrid : public QTableView {
  Q_OBJECT

 public:
  // One fixed row (row 0, the header) and one fixed column (column 0).
  static constexpr int kFixedRows = 1;
  static constexpr int kFixedCols = 1;

  explicit StringGrid(int colCount, QWidget* parent = nullptr);
  ~StringGrid() override;

  int colCount() const;
  // Rows counted with the fixed row; at least 1.
  int rowCount() const;
  void setRowCount(int rows);
  // Every row this high, in pixels, the header row too.
  void setDefaultRowHeight(int pixels);

  // The text of a cell; row 0 is the fixed row. Cells outside the grid read as empty and are not written.
  QString cell(int column, int row) const;
  void setCell(int column, int row, const QString& text);
  // The texts of one column from row `fromRow` down.
  QStringList columnTexts(int column, int fromRow = kFixedRows) const;

  // The background of one cell of the fixed column; an invalid colour gives the button face back.
  void setFixedCellColor(int row, const QColor& color);
  QColor fixedCellColor(int row) const;
  // Every cell back to the default look.
  void clearCellFormatting();

  // A cell editor is open.
  bool isEditing() const { return state() == EditingState; }
  // The text typed into an open cell editor goes into its cell, and the editor closes. Nothing when no
  // editor is open.
  void commitEditor();

 signals:
  // The user changed cells: a cell editor's text went into its cell, or Delete emptied cells.
  void cellsEdited();

 protected:
  void commitData(QWidget* editor) override;
  QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  StringGridModel* model_;
};

}  // namespace orvella::ui
