// The picture dialog and its preview pane.
#include "ui/picture_dialog.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>

#include "platform/errors/error.h"
#include "platform/pictures/picture.h"
#include "ui/dialog_seams.h"
#include "ui/file_dialogs.h"

namespace orvella::ui {

namespace {
constexpr QSize kPaneSize(160, 200);
}

PictureFileDialog::PictureFileDialog(const PictureDialogRequest& request, QWidget* parent) : QFileDialog(parent) {
  FileDialogRequest files;
  files.kind = FileDialogRequest::Open;
  files.objectName = request.objectName;
  files.title = request.title;
  files.folder = request.folder;
  files.filter = request.filter;
  setUpFileDialog(*this, files);

  // Qt's own dialog lays its parts out in a grid: the file list in row 1. The pane goes to its right.
  if (auto* grid = qobject_cast<QGridLayout*>(layout())) {
    pane_ = new QLabel(this);
    pane_->setObjectName(QStringLiteral("PicturePreview"));
    pane_->setFixedSize(kPaneSize);
    pane_->setAlignment(Qt::AlignCenter);
    pane_->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    grid->addWidget(pane_, 1, grid->columnCount(), 1, 1);
    connect(this, &QFileDialog::currentChanged, this, &PictureFileDialog::showPreview);
  }
}

void PictureFileDialog::showPreview(const QString& path) {
  if (!pane_) return;
  pane_->setPixmap(QPixmap());
  if (!QFileInfo(path).isFile()) return;
  Picture picture;
  try {
    picture = Picture::load(path);
  } catch (const Error&) {
    return;  // a file that is no picture shows nothing; choosing it says why
  }
  const QSizeF natural = picture.naturalSize();
  if (natural.isEmpty()) return;
  const QSize room = pane_->contentsRect().size() - QSize(8, 8);
  QSizeF shown = natural;
  if (shown.width() > room.width() || shown.height() > room.height())
    shown.scale(QSizeF(room), Qt::KeepAspectRatio);
  QPixmap pixmap(room);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  const QPointF corner((room.width() - shown.width()) / 2, (room.height() - shown.height()) / 2);
  try {
    picture.draw(painter, QRectF(corner, shown));
  } catch (const Error&) {
    return;
  }
  painter.end();
  pane_->setPixmap(pixmap);
}

QString choosePicture(const PictureDialogRequest& request, QWidget* parent) {
  if (const auto answer = seams().pictureDialogs.answerFor(request)) return *answer;
  PictureFileDialog dialog(request, parent);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

}  // namespace orvella::ui
