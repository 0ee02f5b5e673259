// The preview request: opens a preview window on a report, generates its pages into it and returns
// only when the window has closed; the rest of the program stays usable meanwhile.
#include "preview/window/preview_request.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QPointer>

#include "preview/window/preview_window.h"
#include "ui/window_registry.h"

namespace orvella::preview {

PreviewOutcome previewReport(const report::ReportSource& source) {
  QCoreApplication::processEvents();
  PreviewOutcome outcome;
  auto afterPreview = [&source] {
    if (source.afterPreview) source.afterPreview();
  };

  // A window of its own, not a child of the caller's: its components are its own, and it has its own
  // place on the desktop. It is destroyed when it closes.
  auto* window = ui::windows().make<QRStandardPreview>().release();
  window->setAttribute(Qt::WA_DeleteOnClose);
  QPointer<QRStandardPreview> alive(window);
  window->setSettingsSink(source.storeSettings);

  // Connected to the loop, not to anything of this frame: if the window outlives the request (the
  // program quitting), the connections go with the loop.
  QEventLoop loop;
  QObject::connect(window, &QRStandardPreview::closed, &loop, &QEventLoop::quit);
  QObject::connect(window, &QObject::destroyed, &loop, &QEventLoop::quit);

  window->beginGeneration();
  window->showMaximized();
  QCoreApplication::processEvents();  // the window takes its size before the first page is fitted

  // Pages come one at a time: made each when its turn comes, or taken from the snapshots the source
  // generated at once. Each is shown as it comes; closing the window stops the making.
  std::vector<page::GeneratedPage> snapshots;
  try {
    int count = 0;
    if (alive && !alive->isClosed()) {
      if (source.generatePage) {
        count = source.pageCount;
      } else if (source.generate) {
        snapshots = source.generate();
        count = static_cast<int>(snapshots.size());
      }
      alive->expectPages(count);
    }
    for (int i = 0; i < count; ++i) {
      if (!alive || !alive->generationWanted()) break;
      page::GeneratedPage page =
          source.generatePage ? source.generatePage(i) : std::move(snapshots[static_cast<size_t>(i)]);
      if (!alive || !alive->generationWanted()) break;
      if (i == 0) alive->setSettings(page.settings);
      alive->addPage(std::move(page));
      ++outcome.pagesShown;
      alive->showProgress((i + 1) * 100 / count);
      QCoreApplication::processEvents();  // paints the page, lets the user page, zoom or close
    }
  } catch (...) {
    if (alive) alive->close();
    afterPreview();
    throw;
  }
  if (alive && alive->generationWanted()) {
    alive->finishGeneration();
    outcome.generationFinished = true;
  }

  if (alive && !alive->isClosed()) loop.exec();
  if (alive) alive->setSettingsSink({});
  afterPreview();
  return outcome;
}

}  // namespace orvella::preview
