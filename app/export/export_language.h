// The language of an export (--lang): the page texts that follow the interface language, and the
// export's own messages.
#pragma once

#include <QString>

#include "calendar/composition/month_request.h"

namespace orvella {

// The month names of the language file's month list, as the main window shows them in that language;
// nothing (the built-in Polish) for an empty name. Raises Error naming the file when it is missing.
PageLanguage exportLanguage(const QString& name, const QString& programDir);

// From now on the program's messages take their texts from the language's file; an empty name
// changes nothing. Raises like exportLanguage.
void speakExportLanguage(const QString& name, const QString& programDir);

}  // namespace orvella
