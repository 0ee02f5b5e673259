// The string grid on Qt's item views: the header is the fixed row, column 0 the fixed column.
#include "ui/string_grid.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QVector>
#include <algorithm>

namespace orvella::ui {

// Rows of the model are the grid's rows below the fixed row; the fixed row's texts are the header's.
class StringGridModel : public QAbstractTableModel {
 public:
  StringGridModel(int columns, QObject* parent) : QAbstractTableModel(parent), columns_(columns) {
    cells_.resize(1);
    cells_[0].resize(columns);
  }

  int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : gridRows() - 1; }
  int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : columns_; }
  int gridRows() const { return int(cells_.size()); }

  void setGridRows(int rows) {
    rows = std::max(rows, 1);
    if (rows == gridRows()) return;
    beginResetModel();
    cells_.resize(rows);
    for (QVector<QString>& row : cells_) row.resize(columns_);
    colours_.resize(rows);
    endResetModel();
  }

  QString cell(int column, int row) const {
    if (!contains(column, row)) return {};
    return cells_[row][column];
  }
  void setCell(int column, int row, const QString& text) {
    if (!contains(column, row) || cells_[row][column] == text) return;
    cells_[row][column] = text;
    if (row < StringGrid::kFixedRows)
      emit headerDataChanged(Qt::Horizontal, column, column);
    else
      emit dataChanged(index(row - 1, column), index(row - 1, column));
  }

  QColor colour(int row) const { return row >= 0 && row < colours_.size() ? colours_[row] : QColor(); }
  void setColour(int row, const QColor& colour) {
    if (row < 0 || row >= gridRows()) return;
    colours_.resize(gridRows());
    colours_[row] = colour;
    if (row >= StringGrid::kFixedRows) emit dataChanged(index(row - 1, 0), index(row - 1, 0), {Qt::BackgroundRole});
  }
  void clearColours() {
    colours_.fill(QColor());
    if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, 0), {Qt::BackgroundRole});
  }

  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid()) return {};
    const int row = index.row() + StringGrid::kFixedRows;
    switch (role) {
      case Qt::DisplayRole:
      case Qt::EditRole:
        return cell(index.column(), row);
      case Qt::BackgroundRole:
        if (index.column() < StringGrid::kFixedCols && colour(row).isValid()) return colour(row);
        return {};
      default:
        return {};
    }
  }

  bool setData(const QModelIndex& index, const QVariant& value, int role) override {
    if (!index.isValid() || role != Qt::EditRole || index.column() < StringGrid::kFixedCols) return false;
    setCell(index.column(), index.row() + StringGrid::kFixedRows, value.toString());
    return true;
  }

  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole) return cell(section, 0);
    return {};
  }

  Qt::ItemFlags flags(const QModelIndex& index) const override {
    // Fixed cells take no part in selection, editing or the cursor's moves.
    if (!index.isValid() || index.column() < StringGrid::kFixedCols) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
  }

 private:
  bool contains(int column, int row) const { return column >= 0 && column < columns_ && row >= 0 && row < gridRows(); }

  int columns_;
  QVector<QVector<QString>> cells_;  // [row][column], row 0 the fixed row
  QVector<QColor> colours_;          // of the fixed column's cells, by row
};

namespace {

// Fixed cells are drawn flat in the button face or their own colour, with the text of a button, never
// greyed out although they take no part in editing.
class FixedCellDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    if (index.column() >= StringGrid::kFixedCols) {
      QStyledItemDelegate::paint(painter, option, index);
      return;
    }
    const QVariant own = index.data(Qt::BackgroundRole);
    const QColor fill = own.isValid() ? own.value<QColor>() : option.palette.color(QPalette::Active, QPalette::Button);
    painter->fillRect(option.rect, fill);
    painter->setPen(option.palette.color(QPalette::Active, QPalette::ButtonText));
    painter->setFont(option.font);
    painter->drawText(option.rect.adjusted(1, 0, -1, 0), Qt::AlignCenter, index.data(Qt::DisplayRole).toString());
  }
};

// The fixed row. Its height is the grid's row height and its cells are as wide as their columns, so
// its texts are never measured: a header measures them in bold, a face nothing else here needs.
class FixedRowHeader : public QHeaderView {
 public:
  explicit FixedRowHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {}

 protected:
  QSize sectionSizeFromContents(int logicalIndex) const override { return {sectionSize(logicalIndex), height()}; }
};

}  // namespace

StringGrid::StringGrid(int colCount, QWidget* parent)
    : QTableView(parent), model_(new StringGridModel(std::max(colCount, kFixedCols + 1), this)) {
  setHorizontalHeader(new FixedRowHeader(this));
  setModel(model_);
  setItemDelegate(new FixedCellDelegate(this));
  verticalHeader()->hide();
  horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setSectionsClickable(false);
  horizontalHeader()->setMinimumSectionSize(1);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setMinimumSectionSize(1);
  setShowGrid(true);
  setSelectionMode(ContiguousSelection);
  setSelectionBehavior(SelectItems);
  setEditTriggers(DoubleClicked | EditKeyPressed | AnyKeyPressed);
  setTabKeyNavigation(false);  // Tab leaves the grid, as it leaves any other control
  setWordWrap(false);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setDefaultRowHeight(16);
}

StringGrid::~StringGrid() = default;

int StringGrid::colCount() const { return model_->columnCount(); }

int StringGrid::rowCount() const { return model_->gridRows(); }

void StringGrid::setRowCount(int rows) { model_->setGridRows(rows); }

void StringGrid::setDefaultRowHeight(int pixels) {
  verticalHeader()->setDefaultSectionSize(pixels);
  horizontalHeader()->setFixedHeight(pixels);
}

QString StringGrid::cell(int column, int row) const { return model_->cell(column, row); }

void StringGrid::setCell(int column, int row, const QString& text) { model_->setCell(column, row, text); }

QStringList StringGrid::columnTexts(int column, int fromRow) const {
  QStringList texts;
  for (int row = std::max(fromRow, 0); row < rowCount(); ++row) texts << cell(column, row);
  return texts;
}

void StringGrid::setFixedCellColor(int row, const QColor& color) { model_->setColour(row, color); }

QColor StringGrid::fixedCellColor(int row) const { return model_->colour(row); }

void StringGrid::clearCellFormatting() { model_->clearColours(); }

void StringGrid::commitEditor() {
  if (!isEditing()) return;
  QWidget* editor = indexWidget(currentIndex());
  if (!editor) return;
  commitData(editor);
  closeEditor(editor, QAbstractItemDelegate::NoHint);
}

QModelIndex StringGrid::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) {
  // Home and the like may aim at the fixed column: the cursor stops at the first editable cell.
  const QModelIndex target = QTableView::moveCursor(cursorAction, modifiers);
  if (target.isValid() && target.column() < kFixedCols) return model_->index(target.row(), kFixedCols);
  return target;
}

void StringGrid::keyPressEvent(QKeyEvent* event) {
  // As in a spreadsheet; an open cell editor takes the keys itself.
  const bool clears = event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace;
  if (!clears || isEditing()) {
    QTableView::keyPressEvent(event);
    return;
  }
  for (const QModelIndex& index : selectionModel()->selectedIndexes()) model_->setData(index, QString(), Qt::EditRole);
  event->accept();
  emit cellsEdited();
}

void StringGrid::commitData(QWidget* editor) {
  QTableView::commitData(editor);
  emit cellsEdited();
}

}  // namespace orvella::ui
