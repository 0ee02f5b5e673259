// The preview window `QRStandardPreview`: tool bar, page view and status bar over generated pages.
#pragma once

#include <QMainWindow>
#include <functional>
#include <vector>

#include "calendar/page/generated_page.h"
#include "preview/engine/progress_text.h"

class QButtonGroup;
class QLabel;
class QToolButton;

namespace orvella::sinks {
struct SinkFormat;
}

namespace orvella::preview {

class PageView;

class QRStandardPreview : public QMainWindow {
  Q_OBJECT

 public:
  explicit QRStandardPreview(QWidget* parent = nullptr);
  ~QRStandardPreview() override;

  // The settings the printer setup shows and printing uses; the caption follows the title.
  void setSettings(const page::PageSettings& settings);
  const page::PageSettings& settings() const { return settings_; }
  // Told the settings chosen by an OK of the printer setup.
  void setSettingsSink(std::function<void(const page::PageSettings&)> sink) {
    settingsSink_ = std::move(sink);
  }

  // Generation, driven by the preview request.
  void beginGeneration();
  // Adds a page at the end; the page shown stays (the first one added is shown). Room for expected
  // pages is made at once, so that the shown page does not move while the others come.
  void expectPages(int count);
  void addPage(page::GeneratedPage page);
  void showProgress(int percent);
  void finishGeneration();
  // False once the window has closed or pages were loaded instead: the generation should stop.
  bool generationWanted() const { return !closed_ && !replaced_; }
  bool generationFinished() const { return finished_; }
  bool isClosed() const { return closed_; }
  bool isPrinting() const { return printing_; }

  // Pages from a report file: they replace the shown ones, page 1 is shown; Print becomes usable,
  // Printer setup does not.
  void showLoadedPages(std::vector<page::GeneratedPage> pages);

  const std::vector<page::GeneratedPage>& pages() const { return pages_; }
  int pageNumber() const { return current_ + 1; }  // 0: none
  // A number outside 1..count, or the page already shown, is ignored.
  void showPage(int number);

  PageView* view() const { return view_; }
  int zoom() const;
  void zoomToWidth();
  void zoomToFit();
  void zoom100();
  // The keys + and -: one step larger or smaller; no zoom button stays pressed.
  void zoomIn();
  void zoomOut();

  // The tool bar's actions. While a job prints, a request to close the window stops the job and
  // the window closes when print() has ended.
  void printSetup();
  void print();
  void saveReport();
  void loadReport();
  // Writes every page shown into a PDF file, as the export writes its months.
  void savePdf();
  // Writes every page shown as a PNG image or an SVG drawing, a file per page.
  void saveImage();

 signals:
  void closed();

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void buildToolBar();
  void buildStatusBar();
  void buildKeys();
  void zoomBy(bool larger);
  QToolButton* addButton(const QString& name, const QString& hint, const QIcon& icon);
  void applyZoom(int percent);
  bool hasFinalSize() const;
  void setSavable(bool savable);
  // Says what stands in the way of a job on the queue, if anything; false when the job is not to go.
  bool queueTakesJob(const QString& queue);
  void updatePagePanel();
  // Every page shown into the file through the sink of the format.
  void writePages(const QString& name, const sinks::SinkFormat& format) const;

  page::PageSettings settings_;
  std::function<void(const page::PageSettings&)> settingsSink_;
  std::vector<page::GeneratedPage> pages_;
  int current_ = -1;
  bool finished_ = false;
  bool closed_ = false;
  bool replaced_ = false;
  bool printing_ = false;
  bool cancelPrinting_ = false;
  bool closeAfterPrinting_ = false;  // a close asked for while printing, carried out at the job's end
  // The first page's zoom to width follows the window's size until the window has the size it keeps:
  // a window manager maximises a window some time after it is shown.
  bool fittingToFinalSize_ = false;
  report::GenerationProgress progress_;

  PageView* view_ = nullptr;
  QButtonGroup* zoomGroup_ = nullptr;
  QToolButton* zoomToWidth_ = nullptr;
  QToolButton* printSetup_ = nullptr;
  QToolButton* print_ = nullptr;
  QToolButton* saveReport_ = nullptr;
  QToolButton* savePdf_ = nullptr;
  QToolButton* saveImage_ = nullptr;
  QLabel* progressPanel_ = nullptr;
  QLabel* pagePanel_ = nullptr;
};

}  // namespace orvella::preview
