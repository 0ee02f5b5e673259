// The texts of the archive component, shown whatever the interface language, and the one it shares with
// the program's other messages.
#pragma once

#include "platform/errors/file_messages.h"

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

// A file that cannot be opened, with the system's reason.
using orvella::msg_CannotOpenFile;

// In the interface language, Polish built in. %1 the archive, %2 the most a restore writes in MiB, %3
// the most files it writes.
inline constexpr MessageText msg_ArchiveTooLarge{
    "msg_ArchiveTooLarge", "Archiwum „%1” jest większe, niż może być motyw: najwyżej %2 MiB w %3 plikach."};
inline constexpr MessageText msg_ArchiveBeyondTotal{
    "msg_ArchiveBeyondTotal",
    "Archiwum „%1” jest uszkodzone: zawiera więcej danych, niż podaje jego nagłówek."};
// %1 the volume file.
inline constexpr MessageText msg_VolumeMissing{"msg_VolumeMissing",
                                               "Archiwum ciągnie się dalej w pliku „%1”, którego nie ma."};
// Why an entry was not restored: %1 the entry's stored name, %2 the cause.
inline constexpr MessageText msg_EntryNotRestored{"msg_EntryNotRestored", "nie odtworzono „%1”: %2"};
inline constexpr MessageText msg_EntryNameLeaves{"msg_EntryNameLeaves",
                                                 "ta nazwa wyprowadziłaby plik poza folder"};
inline constexpr MessageText msg_EntryNameIsLink{"msg_EntryNameIsLink",
                                                 "pod tą nazwą jest w folderze dowiązanie symboliczne"};
inline constexpr MessageText msg_EntryNameIsFolder{"msg_EntryNameIsFolder",
                                                   "pod tą nazwą jest w folderze folder"};
inline constexpr MessageText msg_EntryNameIsDevice{
    "msg_EntryNameIsDevice", "pod tą nazwą jest w folderze urządzenie, potok lub gniazdo"};

// Names of the special entries.
inline constexpr const char* kFileListName = "FILE:LIST";
inline constexpr const char* kVolumeRecordPrefix = "NEXT:DISK";

}  // namespace orvella::archive
