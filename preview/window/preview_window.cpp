// The preview window `QRStandardPreview`: tool bar, page view and status bar over generated pages.
#include "preview/window/preview_window.h"

#include <QAction>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPointer>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <QToolButton>

#include "calendar/page/sheet_placement.h"
#include "platform/errors/error.h"
#include "platform/printing/print_queues.h"
#include "platform/desktop/dialog_folders.h"
#include "preview/engine/page_file_name.h"
#include "preview/engine/report_file.h"
#include "preview/engine/zoom.h"
#include "preview/sinks/page_sink.h"
#include "preview/window/page_view.h"
#include "preview/window/preview_texts.h"
#include "preview/window/print_job.h"
#include "preview/window/print_progress_dialog.h"
#include "preview/window/printer_setup.h"
#include "preview/window/tool_icons.h"
#include "ui/file_dialogs.h"
#include "ui/guarded.h"
#include "ui/key_hints.h"
#include "ui/message_boxes.h"
#include "ui/printer_dialogs.h"

namespace orvella::preview {

QRStandardPreview::QRStandardPreview(QWidget* parent) : QMainWindow(parent, Qt::Window) {
  setObjectName(QStringLiteral("QRStandardPreview"));
  view_ = new PageView(this);
  setCentralWidget(view_);
  buildToolBar();
  buildStatusBar();
  buildKeys();
  setSettings(settings_);
  resize(800, 600);
  view_->setFocus();
}

QRStandardPreview::~QRStandardPreview() = default;

QToolButton* QRStandardPreview::addButton(const QString& name, const QString& hint, const QIcon& icon) {
  auto* button = new QToolButton(this);
  button->setObjectName(name);
  button->setToolTip(hint);
  button->setIcon(icon);
  button->setAutoRaise(true);
  button->setFocusPolicy(Qt::NoFocus);
  return button;
}

void QRStandardPreview::buildToolBar() {
  QToolBar* bar = addToolBar(QString());
  bar->setObjectName(QStringLiteral("ToolBar"));
  bar->setMovable(false);
  bar->setFloatable(false);
  bar->setIconSize(QSize(24, 24));
  bar->toggleViewAction()->setEnabled(false);
  setContextMenuPolicy(Qt::NoContextMenu);

  zoomGroup_ = new QButtonGroup(this);
  zoomGroup_->setExclusive(true);
  auto addZoom = [&](const QString& name, const QString& hint, ToolIcon icon,
                     void (QRStandardPreview::*zoom)()) {
    QToolButton* button = addButton(name, hint, toolIcon(icon));
    button->setCheckable(true);
    zoomGroup_->addButton(button);
    connect(button, &QToolButton::clicked, this, ui::guarded([this, zoom] {
      fittingToFinalSize_ = false;  // the user's zoom stays
      (this->*zoom)();
    }));
    bar->addWidget(button);
    return button;
  };
  addZoom(QStringLiteral("ZoomFit"), QStringLiteral("Zoom to fit"), ToolIcon::ZoomFit,
          &QRStandardPreview::zoomToFit);
  addZoom(QStringLiteral("Zoom100"), QStringLiteral("100%"), ToolIcon::Zoom100, &QRStandardPreview::zoom100);
  zoomToWidth_ = addZoom(QStringLiteral("ZoomToWidth"), QStringLiteral("Zoom to width"),
                         ToolIcon::ZoomToWidth, &QRStandardPreview::zoomToWidth);
  zoomToWidth_->setChecked(true);
  bar->addSeparator();

  auto addPageButton = [&](const QString& name, const QString& hint, ToolIcon icon,
                           std::function<int()> target) {
    QToolButton* button = addButton(name, hint, toolIcon(icon));
    connect(button, &QToolButton::clicked, this, ui::guarded([this, target] { showPage(target()); }));
    bar->addWidget(button);
  };
  addPageButton(QStringLiteral("FirstPage"), QStringLiteral("First page"), ToolIcon::First, [] { return 1; });
  addPageButton(QStringLiteral("PreviousPage"), QStringLiteral("Previous page"), ToolIcon::Previous,
                [this] { return pageNumber() - 1; });
  addPageButton(QStringLiteral("ToolButton2"), QStringLiteral("Next page"), ToolIcon::Next,
                [this] { return pageNumber() + 1; });
  addPageButton(QStringLiteral("LastPage"), QStringLiteral("Last page"), ToolIcon::Last,
                [this] { return static_cast<int>(pages_.size()); });
  bar->addSeparator();

  auto addAction = [&](const QString& name, const QString& hint, ToolIcon icon,
                       void (QRStandardPreview::*action)()) {
    QToolButton* button = addButton(name, hint, toolIcon(icon));
    connect(button, &QToolButton::clicked, this, ui::guarded([this, action] { (this->*action)(); }));
    bar->addWidget(button);
    return button;
  };
  printSetup_ = addAction(QStringLiteral("PrintSetup"), QStringLiteral("Printer setup"),
                          ToolIcon::PrinterSetup, &QRStandardPreview::printSetup);
  print_ =
      addAction(QStringLiteral("Print"), QStringLiteral("Print"), ToolIcon::Print, &QRStandardPreview::print);
  printSetup_->setEnabled(false);
  print_->setEnabled(false);
  bar->addSeparator();
  // Nothing to save before the first page is there.
  saveReport_ = addAction(QStringLiteral("SaveReport"), QStringLiteral("Save Report"), ToolIcon::Save,
                          &QRStandardPreview::saveReport);
  saveReport_->setEnabled(false);
  addAction(QStringLiteral("LoadReport"), QStringLiteral("Load Report"), ToolIcon::Load,
            &QRStandardPreview::loadReport);
  savePdf_ = addAction(QStringLiteral("SavePdf"), QString::fromLatin1(texts::kSavePdfHint), ToolIcon::SavePdf,
                       &QRStandardPreview::savePdf);
  savePdf_->setEnabled(false);
  auto* pdfChoices = new QMenu(savePdf_);
  pdfBleed_ = pdfChoices->addAction(QString::fromUtf8(texts::kPdfBleed));
  pdfBleed_->setObjectName(QStringLiteral("PdfBleed"));
  pdfCropMarks_ = pdfChoices->addAction(QString::fromUtf8(texts::kPdfCropMarks));
  pdfCropMarks_->setObjectName(QStringLiteral("PdfCropMarks"));
  for (QAction* choice : {pdfBleed_, pdfCropMarks_}) choice->setCheckable(true);
  savePdf_->setMenu(pdfChoices);
  savePdf_->setPopupMode(QToolButton::MenuButtonPopup);
  saveImage_ = addAction(QStringLiteral("SaveImage"), QString::fromLatin1(texts::kSaveImageHint),
                         ToolIcon::SaveImage, &QRStandardPreview::saveImage);
  saveImage_->setEnabled(false);
  bar->addSeparator();

  auto* exit = new QToolButton(this);
  exit->setObjectName(QStringLiteral("ExitButton"));
  exit->setText(QStringLiteral("&Close"));  // the ampersand makes Alt+C
  exit->setToolButtonStyle(Qt::ToolButtonTextOnly);
  exit->setAutoRaise(true);
  exit->setFocusPolicy(Qt::NoFocus);
  exit->setMinimumHeight(28);
  connect(exit, &QToolButton::clicked, this, &QRStandardPreview::close);
  bar->addWidget(exit);
}

void QRStandardPreview::buildKeys() {
  auto keys = [this](const QList<QKeySequence>& sequences, auto run) {
    auto* action = new QAction(this);
    action->setShortcuts(sequences);
    connect(action, &QAction::triggered, this, ui::guarded([this, run] { (this->*run)(); }));
    addAction(action);
  };
  keys({Qt::CTRL | Qt::Key_P}, &QRStandardPreview::print);
  keys({Qt::CTRL | Qt::Key_S}, &QRStandardPreview::savePdf);
  keys({Qt::CTRL | Qt::Key_W}, &QRStandardPreview::close);
  // "=" is the key of "+" on many keyboards.
  keys({Qt::Key_Plus, Qt::Key_Equal, Qt::CTRL | Qt::Key_Plus, Qt::CTRL | Qt::Key_Equal}, &QRStandardPreview::zoomIn);
  keys({Qt::Key_Minus, Qt::CTRL | Qt::Key_Minus}, &QRStandardPreview::zoomOut);
  ui::showKeyInToolTip(print_, Qt::CTRL | Qt::Key_P);
  ui::showKeyInToolTip(savePdf_, Qt::CTRL | Qt::Key_S);
}

void QRStandardPreview::buildStatusBar() {
  QStatusBar* status = statusBar();
  status->setObjectName(QStringLiteral("StatusBar"));
  status->setSizeGripEnabled(false);

  progressPanel_ = new QLabel(QString::fromLatin1(texts::kProgressAtStart), this);
  progressPanel_->setObjectName(QStringLiteral("ProgressPanel"));
  progressPanel_->setFixedWidth(40);
  progressPanel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  progressPanel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);

  pagePanel_ = new QLabel(QString::fromLatin1(texts::kPageAtStart), this);
  pagePanel_->setObjectName(QStringLiteral("PagePanel"));
  pagePanel_->setMinimumWidth(50);
  pagePanel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);

  status->addWidget(progressPanel_, 0);
  status->addWidget(pagePanel_, 1);
}

void QRStandardPreview::setSettings(const page::PageSettings& settings) {
  settings_ = settings;
  setWindowTitle(settings_.title.isEmpty() ? QString::fromLatin1(texts::kFallbackCaption) : settings_.title);
}

void QRStandardPreview::beginGeneration() {
  pages_.clear();
  current_ = -1;
  view_->setPage(nullptr);
  finished_ = false;
  replaced_ = false;
  printSetup_->setEnabled(false);
  print_->setEnabled(false);
  setSavable(false);
  updatePagePanel();
  showProgress(0);
}

void QRStandardPreview::expectPages(int count) {
  if (count > 0) pages_.reserve(static_cast<size_t>(count));
}

void QRStandardPreview::addPage(page::GeneratedPage page) {
  pages_.push_back(std::move(page));
  if (current_ < 0) {
    current_ = 0;
    view_->setPage(&pages_[0]);
    zoomToWidth_->setChecked(true);
    zoomToWidth();
    fittingToFinalSize_ = !hasFinalSize();
  } else {
    // A page added behind the shown one changes nothing on the screen, unless the pages have moved.
    const page::GeneratedPage* shown = &pages_[static_cast<size_t>(current_)];
    if (view_->page() != shown) view_->setPage(shown);
  }
  setSavable(true);
  updatePagePanel();
}

void QRStandardPreview::setSavable(bool savable) {
  saveReport_->setEnabled(savable);
  savePdf_->setEnabled(savable);
  saveImage_->setEnabled(savable);
}

void QRStandardPreview::showProgress(int percent) {
  if (percent <= 0) progress_ = report::GenerationProgress();
  if (const auto text = progress_.next(percent)) progressPanel_->setText(*text);
}

void QRStandardPreview::finishGeneration() {
  finished_ = true;
  showProgress(100);
  printSetup_->setEnabled(true);
  print_->setEnabled(true);
}

void QRStandardPreview::showLoadedPages(std::vector<page::GeneratedPage> pages) {
  pages_ = std::move(pages);
  replaced_ = true;
  finished_ = true;
  if (!pages_.empty()) setSettings(pages_.front().settings);
  current_ = pages_.empty() ? -1 : 0;
  view_->setPage(pages_.empty() ? nullptr : &pages_[0]);
  view_->scrollToStart();
  progressPanel_->clear();
  printSetup_->setEnabled(false);
  print_->setEnabled(!pages_.empty());
  setSavable(!pages_.empty());
  updatePagePanel();
}

void QRStandardPreview::showPage(int number) {
  if (number < 1 || number > static_cast<int>(pages_.size()) || number == pageNumber()) return;
  current_ = number - 1;
  view_->setPage(&pages_[static_cast<size_t>(current_)]);
  view_->scrollToStart();
  updatePagePanel();
}

void QRStandardPreview::updatePagePanel() {
  if (current_ < 0) {
    pagePanel_->setText(QString::fromLatin1(texts::kPageAtStart));
    return;
  }
  pagePanel_->setText(QStringLiteral("Page %1 %2 %3")
                          .arg(pageNumber())
                          .arg(QString::fromLatin1(texts::kPageOf))
                          .arg(pages_.size()));
}

int QRStandardPreview::zoom() const { return view_->zoom(); }

void QRStandardPreview::applyZoom(int percent) {
  if (view_->setZoom(percent)) view_->scrollToStart();
}

void QRStandardPreview::zoomToWidth() {
  const page::PageSettings& shown =
      current_ >= 0 ? pages_[static_cast<size_t>(current_)].settings : settings_;
  applyZoom(report::zoomToWidth(view_->viewport()->width(), report::sheetPixelsAt100(shown)));
}

void QRStandardPreview::zoomToFit() {
  const page::PageSettings& shown =
      current_ >= 0 ? pages_[static_cast<size_t>(current_)].settings : settings_;
  applyZoom(report::zoomToFit(view_->viewport()->size(), report::sheetPixelsAt100(shown)));
}

void QRStandardPreview::zoom100() { applyZoom(100); }

void QRStandardPreview::zoomIn() { zoomBy(true); }

void QRStandardPreview::zoomOut() { zoomBy(false); }

void QRStandardPreview::zoomBy(bool larger) {
  fittingToFinalSize_ = false;  // the user's zoom stays
  zoomGroup_->setExclusive(false);
  for (QAbstractButton* button : zoomGroup_->buttons()) button->setChecked(false);
  zoomGroup_->setExclusive(true);
  applyZoom(report::zoomStep(zoom(), larger));
}

bool QRStandardPreview::hasFinalSize() const {
  if (!isMaximized()) return true;
  // Maximised in fact once the window, its frame included, spans the screen's free width.
  const QScreen* shownOn = screen();
  return !shownOn || frameGeometry().width() >= shownOn->availableGeometry().width();
}

void QRStandardPreview::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  // Later resizes keep the factor and only lay the page out again.
  if (!fittingToFinalSize_) return;
  if (zoomToWidth_->isChecked()) zoomToWidth();
  fittingToFinalSize_ = !hasFinalSize();
}

void QRStandardPreview::printSetup() {
  if (!printSetup_->isEnabled() || printing_) return;
  const int count = static_cast<int>(pages_.size());
  QPrinter printer(QPrinter::HighResolution);
  configurePrinter(printer, settings_);
  presetPageRange(printer, settings_, count);
  if (!ui::runPrinterSetup(printer, count, this)) return;  // Cancel changes nothing
  settings_ = settingsFromPrinter(settings_, printer);
  // The pages show their sheets on the paper chosen, as they will print.
  for (page::GeneratedPage& shown : pages_) shown.settings.printPaper = page::paperFor(shown.settings, settings_);
  if (current_ >= 0) view_->setPage(&pages_[static_cast<size_t>(current_)]);
  if (settingsSink_) settingsSink_(settings_);
}

void QRStandardPreview::print() {
  if (!print_->isEnabled() || printing_ || pages_.empty()) return;
  QPrinter printer(QPrinter::HighResolution);
  ui::choosePrintTarget(printer);
  // Without a printer the toolkit would quietly print into a PDF file of no name: say so instead, and
  // show the way to a PDF file.
  if (printer.outputFileName().isEmpty() && QPrinterInfo::availablePrinterNames().isEmpty()) {
    ui::MessageBoxRequest box;
    box.icon = QMessageBox::Warning;
    box.title = messageText(texts::msg_PrintTitle);
    box.text = ui::texts::noPrinterText() + QStringLiteral("\n\n") + messageText(texts::msg_SaveAsPdfInstead);
    box.objectName = QStringLiteral("NoPrinterBox");
    ui::showMessageBox(box, this);
    return;
  }
  configurePrinter(printer, settings_);
  // Where the print system can be asked, its queue is asked first, and the job is drawn into a PDF file
  // that we hand over ourselves: the toolkit would drop a job the queue refuses without a word.
  QString queue;
  QTemporaryDir spool;
  if (printer.outputFileName().isEmpty() && printing::haveQueues()) {
    queue = printer.printerName();
    if (!queueTakesJob(queue)) return;
    if (!spool.isValid()) throw unableToWrite(spool.path());
    printer.setOutputFileName(spool.filePath(QStringLiteral("job.pdf")));
    configurePrinter(printer, settings_);
  }

  // Events run between pages. A close request is held off until the job ends (closeEvent), yet the
  // window and the progress window are reached only through guards that notice if either has gone.
  QPointer<QRStandardPreview> self(this);
  QPointer<PrintProgressDialog> progress;
  if (settings_.showProgress) {
    progress = new PrintProgressDialog(this);
    progress->show();
  }
  printing_ = true;
  cancelPrinting_ = false;
  closeAfterPrinting_ = false;
  // The pages and settings are copied: nothing the user does while the job runs can pull them away.
  const std::vector<page::GeneratedPage> job = pages_;
  const page::PageSettings settings = settings_;
  auto step = [&](int percent) {
    if (progress) progress->setPercent(percent);
    // The Cancel button and the window's own close box get their turn between pages.
    QCoreApplication::processEvents();
    if (!self) return false;
    return !cancelPrinting_ && !(progress && progress->cancelled());
  };
  auto finish = [&] {
    delete progress.data();
    if (!self) return;
    printing_ = false;
    if (closeAfterPrinting_) close();
  };
  report::PrintOutcome outcome = report::PrintOutcome::Stopped;
  try {
    QCoreApplication::processEvents();
    if (self && !cancelPrinting_) outcome = printReport(job, settings, printer, step);
  } catch (...) {
    finish();
    throw;
  }
  finish();
  if (queue.isEmpty() || outcome != report::PrintOutcome::Finished) return;
  const printing::JobOutcome sent =
      printing::sendPdf(queue, printer.outputFileName(), settings.title, printerPaper(printer).sizeMm);
  if (!sent.taken()) throw Error(messageText(texts::msg_JobNotTaken).arg(queue, sent.refusal));
}

bool QRStandardPreview::queueTakesJob(const QString& queue) {
  const printing::QueueState state = printing::queueState(queue);
  if (!state.known || (state.accepting && !state.stopped)) return true;  // a refusal is still reported
  ui::MessageBoxRequest box;
  box.title = messageText(texts::msg_PrintTitle);
  box.objectName = QStringLiteral("PrintQueueBox");
  QStringList text{messageText(state.accepting ? texts::msg_QueueStopped : texts::msg_QueueRefuses).arg(queue)};
  if (!state.message.isEmpty()) text << messageText(texts::msg_QueueSays).arg(state.message);
  if (state.accepting) text << messageText(texts::msg_SendAnyway);
  box.text = text.join(QStringLiteral("\n\n"));
  if (!state.accepting) {
    box.icon = QMessageBox::Warning;
    ui::showMessageBox(box, this);
    return false;
  }
  box.icon = QMessageBox::Question;
  box.buttons = QMessageBox::Yes | QMessageBox::No;
  return ui::showMessageBox(box, this) == QMessageBox::Yes;
}

namespace {
ui::FileDialogRequest reportFileRequest(ui::FileDialogRequest::Kind kind) {
  const bool save = kind == ui::FileDialogRequest::Save;
  ui::FileDialogRequest request;
  request.kind = kind;
  request.objectName = QLatin1String(save ? "SaveReportDialog" : "LoadReportDialog");
  request.title = QString::fromLatin1(save ? texts::kSaveTitle : texts::kLoadTitle);
  request.filter = QString::fromLatin1(save ? texts::kSaveFilter : texts::kLoadFilter);
  request.defaultSuffix = QString::fromLatin1(texts::kDefaultSuffix);
  // A name that does not exist is taken too: loading says so itself.
  request.anyName = true;
  // Pages are kept where the last ones were, report files, PDF files and images alike.
  request.folder = dialogFolder(DialogFolder::Pages, userDocumentsFolder());
  return request;
}

// The file chosen in a dialog of pages; the next one starts in its folder.
QString choosePagesFile(const ui::FileDialogRequest& request, QWidget* parent) {
  const QString chosen = ui::chooseFile(request, parent);
  rememberDialogFolder(DialogFolder::Pages, chosen);
  return chosen;
}
}  // namespace

void QRStandardPreview::writePages(const QString& name, const sinks::SinkFormat& format, double bleedMm,
                                   bool cropMarks) const {
  const std::unique_ptr<sinks::PageSink> sink =
      format.open(name, {format.defaultDpi, pages_.size() > 1, bleedMm, cropMarks});
  for (std::size_t i = 0; i < pages_.size(); ++i) {
    if (i + 1 < pages_.size()) sink->upcoming(pages_[i + 1]);
    sink->add(pages_[i], {0, 0, int(i) + 1});
  }
  sink->commit();
}

void QRStandardPreview::saveReport() {
  if (printing_ || pages_.empty()) return;
  const QString name = choosePagesFile(reportFileRequest(ui::FileDialogRequest::Save), this);
  if (name.isEmpty()) return;
  // A report file whatever the name ends in, as the dialog writes it.
  writePages(name, *sinks::sinkFormat(QString::fromLatin1(texts::kDefaultSuffix).toLower()));
}

void QRStandardPreview::savePdf() {
  if (printing_ || pages_.empty()) return;
  ui::FileDialogRequest request;
  request.kind = ui::FileDialogRequest::Save;
  request.objectName = QStringLiteral("SavePdfDialog");
  request.title = messageText(texts::msg_SavePdfTitle);
  request.filter = messageText(texts::msg_PdfFiles) + QLatin1Char('|') + QLatin1String(texts::kPdfPattern);
  request.defaultSuffix = QString::fromLatin1(texts::kPdfSuffix);
  request.folder = dialogFolder(DialogFolder::Pages, userDocumentsFolder());
  request.fileName = report::suggestedFileName(pages_, request.defaultSuffix);
  const QString name = choosePagesFile(request, this);
  if (name.isEmpty()) return;
  writePages(name, *sinks::sinkFormat(QString::fromLatin1(texts::kPdfSuffix)),
             pdfBleed_->isChecked() ? texts::kPdfBleedMm : 0.0, pdfCropMarks_->isChecked());
}

void QRStandardPreview::saveImage() {
  if (printing_ || pages_.empty()) return;
  ui::FileDialogRequest request;
  request.kind = ui::FileDialogRequest::Save;
  request.objectName = QStringLiteral("SaveImageDialog");
  request.title = messageText(texts::msg_SaveImageTitle);
  request.filter = QStringList{messageText(texts::msg_PngFiles), QLatin1String(texts::kPngPattern),
                               messageText(texts::msg_SvgFiles), QLatin1String(texts::kSvgPattern)}
                       .join(QLatin1Char('|'));
  request.defaultSuffix = QStringLiteral("png");
  request.folder = dialogFolder(DialogFolder::Pages, userDocumentsFolder());
  request.fileName = report::suggestedFileName(pages_, request.defaultSuffix);
  const QString name = choosePagesFile(request, this);
  if (name.isEmpty()) return;
  // An SVG drawing when the name says so, else a PNG image; several pages are numbered files.
  const sinks::SinkFormat* svg = sinks::sinkFormat(QStringLiteral("svg"));
  writePages(name, sinks::sinkFormatOf(name) == svg ? *svg : *sinks::sinkFormat(QStringLiteral("png")));
}

void QRStandardPreview::loadReport() {
  if (printing_) return;
  const QString name = choosePagesFile(reportFileRequest(ui::FileDialogRequest::Open), this);
  if (name.isEmpty()) return;
  if (!QFileInfo::exists(name)) throw Error(QString::fromLatin1(report::messages::kFileDoesNotExist));
  // Read completely before anything shown changes: a damaged file leaves the preview as it was.
  std::vector<page::GeneratedPage> pages = report::loadReportFile(name);
  showLoadedPages(std::move(pages));
}

void QRStandardPreview::keyPressEvent(QKeyEvent* event) {
  const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
  const bool ctrlAlone = modifiers == Qt::ControlModifier;
  const int last = static_cast<int>(pages_.size());
  switch (event->key()) {
    case Qt::Key_Escape:
      close();
      break;
    case Qt::Key_PageUp:
      showPage(ctrlAlone ? 1 : pageNumber() - 1);
      break;
    case Qt::Key_PageDown:
      showPage(ctrlAlone ? last : pageNumber() + 1);
      break;
    case Qt::Key_Home:
      showPage(1);
      break;
    case Qt::Key_End:
      showPage(last);
      break;
    default:
      QMainWindow::keyPressEvent(event);
      return;
  }
  event->accept();
}

void QRStandardPreview::closeEvent(QCloseEvent* event) {
  if (printing_) {
    // Closing now would destroy the window under the job: the job stops at its next page instead,
    // and print() closes the window once it has ended.
    cancelPrinting_ = true;
    closeAfterPrinting_ = true;
    event->ignore();
    return;
  }
  closed_ = true;
  QMainWindow::closeEvent(event);
  emit closed();
}

}  // namespace orvella::preview
