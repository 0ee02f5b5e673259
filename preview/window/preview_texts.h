// The preview window's own texts. They are English and not taken from the language files.
#pragma once

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
inline constexpr const char* kSavePdfTitle = "Save as PDF";
inline constexpr const char* kSavePdfFilter = "PDF file|*.pdf";
inline constexpr const char* kPdfSuffix = "pdf";

// Print without a printer to print on.
inline constexpr const char* kPrintTitle = "Print";
inline constexpr const char* kNoPrinter =
    "No printer is installed.\n\n"
    "To keep the page, save it as a PDF file with the \"Save as PDF\" button of the tool bar.";

// The print queue of the chosen printer, asked before a job goes to it, and its answer to the job.
inline constexpr const char* kQueueRefuses = "The printer \"%1\" does not accept jobs now, so nothing was sent to it.";
inline constexpr const char* kQueueStopped =
    "The printer \"%1\" is stopped: a job sent to it waits in its queue until the printer is started again.";
inline constexpr const char* kQueueSays = "The print system says: %1";
inline constexpr const char* kSendAnyway = "Send the job anyway?";
inline constexpr const char* kJobNotTaken = "The print system did not take the job for the printer \"%1\": %2";

// The printing window.
inline constexpr const char* kPrintingTitle = "Printing progress";
inline constexpr const char* kCancel = "Cancel";

}  // namespace orvella::preview::texts
