// The sample themes shipped in the program's "themes" folder, listed by the names they carry.
#pragma once

#include <QList>
#include <QString>

namespace orvella {

struct SampleTheme {
  QString name;  // the theme's own name, as the theme editor shows it
  QString path;  // the theme file
};

// Every "*.hol" file of folder with the name its settings give it, sorted by name without regard to
// case. A file whose name cannot be read (damaged, or a settings file without one) is listed by its
// file name without the extension, so that opening it says what is wrong with it.
QList<SampleTheme> sampleThemes(const QString& folder);
// Whether folder holds any "*.hol" file, without opening one.
bool hasSampleThemes(const QString& folder);

}  // namespace orvella
