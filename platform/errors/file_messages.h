// Messages about a file that is there but cannot be read as it should, shared by the program's readers.
#pragma once

#include "platform/errors/message_texts.h"

namespace orvella {

// %1 the file, %2 the system's reason.
inline constexpr MessageText msg_CannotOpenFile{"msg_CannotOpenFile", "Nie można otworzyć pliku „%1”. %2"};
// %1 the file, %2 the largest size in MiB.
inline constexpr MessageText msg_FileTooLarge{"msg_FileTooLarge",
                                              "Plik „%1” jest za duży: plik ustawień ma najwyżej %2 MiB."};
// %1 the name.
inline constexpr MessageText msg_NotARegularFile{
    "msg_NotARegularFile", "„%1” nie jest zwykłym plikiem (to folder, urządzenie lub potok)."};

}  // namespace orvella
