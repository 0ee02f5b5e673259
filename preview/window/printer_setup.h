// Between the page's settings and a printer: what the printer setup shows and what its OK keeps.
#pragma once

#include <QString>

#include "calendar/page/generated_page.h"

class QPageLayout;
class QPrinter;

namespace orvella::preview {

// The printer named by the settings (by name, else by index among the installed printers; the
// default printer otherwise), the paper chosen (the sheet's own unless another was) and the
// orientation, copies, document name (the title), and the whole paper as the drawing surface. A
// printer may keep a paper or orientation of its own: printing places the sheet on whatever it has.
void configurePrinter(QPrinter& printer, const page::PageSettings& settings);

// The page range of the settings put on the printer for the dialog: all pages, or first..last
// limited to 1..pageCount (from 1 to pageCount preset).
void presetPageRange(QPrinter& printer, const page::PageSettings& settings, int pageCount);

// The settings after OK: copies, printer, orientation, the paper (when it is not the sheet's own, with
// the printer's unprintable margins on it) and the range (all pages as 0 and 0).
page::PageSettings settingsFromPrinter(const page::PageSettings& before, const QPrinter& printer);

}  // namespace orvella::preview
