// The preview window's own texts. Those of the window are English and not taken from the language files;
// the messages and dialogs it shows take theirs from the applied language, with Polish built in.
#pragma once

#include "platform/errors/message_texts.h"
#include "ui/printer_setup_texts.h"

namespace orvella::preview::texts {

inline constexpr const char* kFallbackCaption = "Preview";
inline constexpr const char* kProgressAtStart = "0%";
inline constexpr const char* kPageAtStart = "Page";
inline constexpr const char* kPageOf = "of";

// File dialogs: Windows filters ("description|pattern"), turned into Qt's form when shown.
inline constexpr const char* kSaveTitle = "Save report";
inline constexpr const char* kSaveFilter =
    "QuickReport file"
    "(*."
    "QRP"
    ")|*."
    "QRP";
inline constexpr const char* kLoadTitle = "Load report";
inline constexpr const char* kLoadFilter =
    "QuickReport file"
    " (*."
    "QRP"
    ")|*."
    "QRP";
inline constexpr const char* kDefaultSuffix = "QRP";


// Saving the shown pages as a PDF file.
inline constexpr const char* kSavePdfHint = "Save as PDF";
inline constexpr MessageText msg_SavePdfTitle{"msg_SavePdfTitle", "Zapisz jako PDF"};
inline constexpr MessageText msg_PdfFiles{"msg_PdfFiles", "Plik PDF"};  // the filter's description
inline constexpr const char* kPdfPattern = "*.pdf";
inline constexpr const char* kPdfSuffix = "pdf";

// Saving the shown pages as images, a file per page.
inline constexpr const char* kSaveImageHint = "Save as image";
inline constexpr MessageText msg_SaveImageTitle{"msg_SaveImageTitle", "Zapisz jako obraz"};
inline constexpr MessageText msg_PngFiles{"msg_PngFiles", "Obraz PNG"};
inline constexpr MessageText msg_SvgFiles{"msg_SvgFiles", "Rysunek SVG"};
inline constexpr const char* kPngPattern = "*.png";
inline constexpr const char* kSvgPattern = "*.svg";

// Print without a printer to print on: the two paragraphs of one message.
inline constexpr MessageText msg_PrintTitle{"msg_PrintTitle", "Drukowanie"};
using ui::texts::msg_NoPrinter;  // the printer set-up says the same
inline constexpr MessageText msg_SaveAsPdfInstead{
    "msg_SaveAsPdfInstead",
    "Aby zachować stronę, zapisz ją do pliku PDF przyciskiem „Zapisz jako PDF” na pasku narzędzi."};

// The print queue of the chosen printer, asked before a job goes to it, and its answer to the job.
inline constexpr MessageText msg_QueueRefuses{"msg_QueueRefuses",
                                              "Drukarka „%1” nie przyjmuje teraz zadań, więc nic do niej nie wysłano."};
inline constexpr MessageText msg_QueueStopped{
    "msg_QueueStopped",
    "Drukarka „%1” jest zatrzymana: wysłane zadanie poczeka w kolejce, aż drukarka znów zostanie uruchomiona."};
inline constexpr MessageText msg_QueueSays{"msg_QueueSays", "System drukowania podaje: %1"};
inline constexpr MessageText msg_SendAnyway{"msg_SendAnyway", "Wysłać zadanie mimo to?"};
inline constexpr MessageText msg_JobNotTaken{"msg_JobNotTaken",
                                             "System drukowania nie przyjął zadania dla drukarki „%1”: %2"};

// The printing window.
inline constexpr const char* kPrintingTitle = "Printing progress";
inline constexpr const char* kCancel = "Cancel";

}  // namespace orvella::preview::texts
