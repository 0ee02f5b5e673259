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

// The printing window.
inline constexpr const char* kPrintingTitle = "Printing progress";
inline constexpr const char* kCancel = "Cancel";

}  // namespace orvella::preview::texts
