// The preview request: opens a preview window on a report, generates its pages into it and returns
// only when the window has closed; the rest of the program stays usable meanwhile.
#pragma once

#include "preview/engine/report_source.h"

namespace orvella::preview {

struct PreviewOutcome {
  int pagesShown = 0;               // pages that reached the window
  bool generationFinished = false;  // false when the window closed before the last page
};

// 1. lets pending events run; 2. opens a window of its own (caption: the title of the first page's
// settings), registered with the program's windows, non-modal and maximised; 3. generates the pages
// (one at a time when the source makes them so, stopping when the window closes), showing each as it
// arrives with the progress in the status bar, and enables Printer setup and Print when done; 4. runs
// the events until the window is closed or the program quits; 5. raises source.afterPreview. Errors
// of generation close the window and go on to the caller.
PreviewOutcome previewReport(const report::ReportSource& source);

}  // namespace orvella::preview
