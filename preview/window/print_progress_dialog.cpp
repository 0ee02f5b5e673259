// The small window "Printing progress": a bar from 0 to 100, the percentage text and Cancel.
#include "preview/window/print_progress_dialog.h"

#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "preview/engine/progress_text.h"
#include "preview/window/preview_texts.h"

namespace orvella::preview {

PrintProgressDialog::PrintProgressDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::CustomizeWindowHint) {
  setObjectName(QStringLiteral("PrintProgress"));
  setWindowTitle(QString::fromLatin1(texts::kPrintingTitle));
  setModal(false);

  bar_ = new QProgressBar(this);
  bar_->setObjectName(QStringLiteral("ProgressBar"));
  bar_->setRange(0, 100);
  bar_->setValue(0);
  bar_->setTextVisible(false);

  text_ = new QLabel(report::printingProgressText(0), this);
  text_->setObjectName(QStringLiteral("ProgressText"));
  text_->setAlignment(Qt::AlignCenter);

  auto* cancel = new QPushButton(QString::fromLatin1(texts::kCancel), this);
  cancel->setObjectName(QStringLiteral("CancelButton"));
  connect(cancel, &QPushButton::clicked, this, &PrintProgressDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(bar_);
  layout->addWidget(text_);
  layout->addWidget(cancel, 0, Qt::AlignHCenter);
  setFixedWidth(260);
  adjustSize();

  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    QRect frame = geometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
}

void PrintProgressDialog::setPercent(int percent) {
  if (!report::printingProgressShown(percent)) return;
  bar_->setValue(percent);
  text_->setText(report::printingProgressText(percent));
}

void PrintProgressDialog::reject() {
  cancelled_ = true;
  hide();
}

}  // namespace orvella::preview
