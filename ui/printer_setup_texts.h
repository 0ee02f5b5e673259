// The printer set-up dialog's texts, from the applied language like the print messages of the preview
// that opens it, with Polish built in.
#pragma once

#include <QString>

#include "platform/errors/message_texts.h"

namespace orvella::ui::texts {

inline constexpr MessageText msg_PrinterSetupTitle{"msg_PrinterSetupTitle", "Ustawienia drukarki"};
// The two lines above the choices.
inline constexpr MessageText msg_PrinterSetupChoose{"msg_PrinterSetupChoose",
                                                    "Wybierz drukarkę, papier i orientację wydruku."};
inline constexpr MessageText msg_PrinterSetupThenPrint{"msg_PrinterSetupThenPrint",
                                                       "Drukowanie z podglądu użyje tych ustawień."};
// Captions: "&" marks the letter that Alt takes to the control, a different one for each.
inline constexpr MessageText msg_PrinterSetupPrinter{"msg_PrinterSetupPrinter", "&Drukarka:"};
inline constexpr MessageText msg_PrinterSetupPaper{"msg_PrinterSetupPaper", "P&apier:"};
inline constexpr MessageText msg_PrinterSetupOrientation{"msg_PrinterSetupOrientation", "Orientacja:"};
inline constexpr MessageText msg_PrinterSetupPortrait{"msg_PrinterSetupPortrait", "&Pionowa"};
inline constexpr MessageText msg_PrinterSetupLandscape{"msg_PrinterSetupLandscape", "Po&zioma"};
inline constexpr MessageText msg_PrinterSetupCopies{"msg_PrinterSetupCopies", "Liczba &kopii:"};
inline constexpr MessageText msg_PrinterSetupPages{"msg_PrinterSetupPages", "Strony:"};
inline constexpr MessageText msg_PrinterSetupAllPages{"msg_PrinterSetupAllPages", "&Wszystkie"};
inline constexpr MessageText msg_PrinterSetupFromPage{"msg_PrinterSetupFromPage", "&Od"};
inline constexpr MessageText msg_PrinterSetupToPage{"msg_PrinterSetupToPage", "do"};
// In place of the list of printers, and in the message of Print with nowhere to print.
inline constexpr MessageText msg_NoPrinter{"msg_NoPrinter", "Nie zainstalowano żadnej drukarki."};
// Instead, when the print system's scheduler does not answer; %1 where it should.
inline constexpr MessageText msg_SchedulerSilent{
    "msg_SchedulerSilent", "System drukowania (CUPS, „%1”) nie odpowiada, więc nie widać żadnej drukarki."};

// What to say when no printer is listed: that none is installed, or that the scheduler is silent.
QString noPrinterText();

}  // namespace orvella::ui::texts
