// The texts of the archive component, shown whatever the interface language, and the one it shares with
// the program's other messages.
#pragma once

#include "platform/errors/message_texts.h"

namespace orvella::archive {

inline constexpr const char* kFileError = "Błąd odczytu pliku";
inline constexpr const char* kArchiveWriteError = "Błąd zapisu do archiwum";
inline constexpr const char* kCompressionError = "Compression error";
inline constexpr const char* kFileIdError = "Cannot create temporary file to save the file IDs";
inline constexpr const char* kHeaderReadError = "Błąd odczytu archiwum";
inline constexpr const char* kInvalidArchive = "Invalid archive type";
inline constexpr const char* kStreamReadError = "Stream read error";
inline constexpr const char* kStreamWriteError = "Stream write error";
inline constexpr const char* kInsertDisk = "Please insert disk %s and click OK to continue.";

// A file that cannot be opened, with the system's reason: in the interface language, Polish built in.
inline constexpr MessageText msg_CannotOpenFile{"msg_CannotOpenFile", "Nie można otworzyć pliku „%1”. %2"};

// Names of the special entries.
inline constexpr const char* kFileListName = "FILE:LIST";
inline constexpr const char* kVolumeRecordPrefix = "NEXT:DISK";

}  // namespace orvella::archive
