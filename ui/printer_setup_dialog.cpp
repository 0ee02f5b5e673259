// The printer set-up dialog: printer, paper, orientation, copies and pages; OK keeps them, nothing prints.
#include "ui/printer_setup_dialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/errors/message_texts.h"
#include "platform/printing/print_queues.h"
#include "ui/printer_setup_texts.h"

namespace orvella::ui {

QString texts::noPrinterText() {
  const QString scheduler = printing::silentScheduler();
  return scheduler.isEmpty() ? messageText(texts::msg_NoPrinter)
                             : messageText(texts::msg_SchedulerSilent).arg(scheduler);
}

namespace {

QRadioButton* radio(const QString& name, const MessageText& caption, QWidget* parent) {
  auto* button = new QRadioButton(messageText(caption), parent);
  button->setObjectName(name);
  return button;
}

QSpinBox* spin(const QString& name, int minimum, int maximum, int value, QWidget* parent) {
  auto* box = new QSpinBox(parent);
  box->setObjectName(name);
  box->setRange(minimum, maximum);
  box->setValue(std::clamp(value, minimum, maximum));
  return box;
}

// A caption beside controls. With a buddy its marked letter takes Alt there; without one a label would
// show the mark, so it goes.
QLabel* caption(const QString& name, const MessageText& message, QWidget* buddy, QWidget* parent) {
  QString text = messageText(message);
  if (!buddy) text.remove(QLatin1Char('&'));
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setBuddy(buddy);
  return label;
}

// One row of the form: the controls side by side, pushed to the left.
QWidget* row(std::initializer_list<QWidget*> controls, QWidget* parent) {
  auto* holder = new QWidget(parent);
  auto* layout = new QHBoxLayout(holder);
  layout->setContentsMargins(0, 0, 0, 0);
  for (QWidget* control : controls) layout->addWidget(control);
  layout->addStretch();
  return holder;
}

}  // namespace

PrinterSetupDialog::PrinterSetupDialog(QPrinter& printer, int pageCount, QWidget* parent)
    : QDialog(parent), printer_(printer) {
  using namespace texts;
  setObjectName(QStringLiteral("PrinterSetupDialog"));
  setWindowTitle(messageText(msg_PrinterSetupTitle));
  auto* layout = new QVBoxLayout(this);
  auto* intro =
      new QLabel(messageText(msg_PrinterSetupChoose) + QLatin1Char('\n') + messageText(msg_PrinterSetupThenPrint), this);
  intro->setObjectName(QStringLiteral("Explanation"));
  layout->addWidget(intro);
  layout->addSpacing(6);
  auto* form = new QFormLayout;
  layout->addLayout(form);

  const QStringList installed = QPrinterInfo::availablePrinterNames();
  if (installed.isEmpty()) {
    auto* none = new QLabel(texts::noPrinterText(), this);
    none->setWordWrap(true);  // a silent print system is named, which takes a line or two
    none->setObjectName(QStringLiteral("NoPrinter"));
    form->addRow(caption(QStringLiteral("PrinterCaption"), msg_PrinterSetupPrinter, nullptr, this), none);
  } else {
    printers_ = new QComboBox(this);
    printers_->setObjectName(QStringLiteral("Printer"));
    printers_->addItems(installed);
    QString current = printer.printerName();
    if (!installed.contains(current)) current = QPrinterInfo::defaultPrinterName();
    printers_->setCurrentIndex(std::max<qsizetype>(0, installed.indexOf(current)));
    form->addRow(caption(QStringLiteral("PrinterCaption"), msg_PrinterSetupPrinter, printers_, this), printers_);
  }

  // Any paper the printer has: on any but the page's own, the page is scaled to fit and centred.
  paper_ = new QComboBox(this);
  paper_->setObjectName(QStringLiteral("Paper"));
  showPapersOf(printers_ ? printers_->currentText() : printer.printerName(), printer.pageLayout().pageSize());
  if (printers_)
    connect(printers_, &QComboBox::currentTextChanged, this, [this](const QString& name) {
      showPapersOf(name, paper_->currentData().value<QPageSize>());
    });
  form->addRow(caption(QStringLiteral("PaperCaption"), msg_PrinterSetupPaper, paper_, this), paper_);

  portrait_ = radio(QStringLiteral("Portrait"), msg_PrinterSetupPortrait, this);
  landscape_ = radio(QStringLiteral("Landscape"), msg_PrinterSetupLandscape, this);
  auto* orientation = new QButtonGroup(this);
  orientation->addButton(portrait_);
  orientation->addButton(landscape_);
  (printer.pageLayout().orientation() == QPageLayout::Landscape ? landscape_ : portrait_)->setChecked(true);
  form->addRow(caption(QStringLiteral("OrientationCaption"), msg_PrinterSetupOrientation, nullptr, this),
               row({portrait_, landscape_}, this));

  copies_ = spin(QStringLiteral("Copies"), 1, 999, printer.copyCount(), this);
  form->addRow(caption(QStringLiteral("CopiesCaption"), msg_PrinterSetupCopies, copies_, this), row({copies_}, this));

  const int last = std::max(pageCount, 1);
  allPages_ = radio(QStringLiteral("AllPages"), msg_PrinterSetupAllPages, this);
  pageRange_ = radio(QStringLiteral("PageRange"), msg_PrinterSetupFromPage, this);
  auto* range = new QButtonGroup(this);
  range->addButton(allPages_);
  range->addButton(pageRange_);
  fromPage_ = spin(QStringLiteral("FromPage"), 1, last, printer.fromPage(), this);
  toPage_ = spin(QStringLiteral("ToPage"), 1, last, printer.toPage() > 0 ? printer.toPage() : last, this);
  auto* to = caption(QStringLiteral("ToPageCaption"), msg_PrinterSetupToPage, nullptr, this);
  const bool some = printer.printRange() == QPrinter::PageRange;
  (some ? pageRange_ : allPages_)->setChecked(true);
  fromPage_->setEnabled(some);
  toPage_->setEnabled(some);
  connect(pageRange_, &QRadioButton::toggled, fromPage_, &QSpinBox::setEnabled);
  connect(pageRange_, &QRadioButton::toggled, toPage_, &QSpinBox::setEnabled);
  // The range never runs backwards.
  connect(fromPage_, &QSpinBox::valueChanged, toPage_, [this](int from) { toPage_->setValue(std::max(from, toPage_->value())); });
  connect(toPage_, &QSpinBox::valueChanged, fromPage_, [this](int to) { fromPage_->setValue(std::min(to, fromPage_->value())); });
  form->addRow(caption(QStringLiteral("PagesCaption"), msg_PrinterSetupPages, nullptr, this),
               row({allPages_, pageRange_, fromPage_, to, toPage_}, this));

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->setObjectName(QStringLiteral("Buttons"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

void PrinterSetupDialog::showPapersOf(const QString& printerName, const QPageSize& chosen) {
  QList<QPageSize> papers = QPrinterInfo::printerInfo(printerName).supportedPageSizes();
  // Without a printer that names its papers (a PDF file, none installed) the common ones.
  if (papers.isEmpty())
    for (QPageSize::PageSizeId id : {QPageSize::A4, QPageSize::A3, QPageSize::A5, QPageSize::Letter,
                                     QPageSize::Legal, QPageSize::Tabloid, QPageSize::B5, QPageSize::Executive})
      papers << QPageSize(id);
  if (chosen.isValid() && std::none_of(papers.begin(), papers.end(), [&](const QPageSize& p) {
        return p.isEquivalentTo(chosen);
      }))
    papers.prepend(chosen);
  QSignalBlocker quiet(paper_);
  paper_->clear();
  for (const QPageSize& paper : papers) {
    paper_->addItem(paper.name(), QVariant::fromValue(paper));
    if (chosen.isValid() && paper.isEquivalentTo(chosen)) paper_->setCurrentIndex(paper_->count() - 1);
  }
}

void PrinterSetupDialog::accept() {
  // The printer first: a printer chosen anew starts from its own defaults.
  if (printers_ && printers_->currentText() != printer_.printerName()) printer_.setPrinterName(printers_->currentText());
  if (const QPageSize paper = paper_->currentData().value<QPageSize>(); paper.isValid()) printer_.setPageSize(paper);
  printer_.setPageOrientation(landscape_->isChecked() ? QPageLayout::Landscape : QPageLayout::Portrait);
  printer_.setCopyCount(copies_->value());
  if (pageRange_->isChecked()) {
    printer_.setPrintRange(QPrinter::PageRange);
    printer_.setFromTo(fromPage_->value(), toPage_->value());
  } else {
    printer_.setPrintRange(QPrinter::AllPages);
  }
  QDialog::accept();
}

}  // namespace orvella::ui
