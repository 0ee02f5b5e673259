// Between the page's settings and a printer: what the printer setup shows and what its OK keeps.
#pragma once

#include <QString>

#include "calendar/page/generated_page.h"
#include "platform/errors/message_texts.h"

class QPageLayout;
class QPrinter;

namespace orvella::preview {

// A printer that keeps another paper or orientation than the page's: the paper's name, then one of the
// two orientations.
inline constexpr MessageText msg_PaperRefused{"msg_PaperRefused",
                                              "Nie można ustawić w drukarce papieru %1 w orientacji %2"};
inline constexpr MessageText msg_Landscape{"msg_Landscape", "poziomej"};
inline constexpr MessageText msg_Portrait{"msg_Portrait", "pionowej"};

// The printer named by the settings (by name, else by index among the installed printers; the
// default printer otherwise), the paper and orientation, copies, document name (the title), and the
// whole sheet as the drawing surface. False when the printer kept another paper or orientation.
bool configurePrinter(QPrinter& printer, const page::PageSettings& settings);

// Whether a printer's layout has the settings' paper (within a millimetre) and orientation.
bool layoutMatches(const QPageLayout& layout, const page::PageSettings& settings);
// Says which paper and orientation the printer would not take.
QString paperRefusedMessage(const page::PageSettings& settings);

// The page range of the settings put on the printer for the dialog: all pages, or first..last
// limited to 1..pageCount (from 1 to pageCount preset).
void presetPageRange(QPrinter& printer, const page::PageSettings& settings, int pageCount);

// The settings after OK: copies, printer, orientation and the range (all pages as 0 and 0).
page::PageSettings settingsFromPrinter(const page::PageSettings& before, const QPrinter& printer);

}  // namespace orvella::preview
