// Applying a language file to every window of the program.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

class QWidget;

namespace orvella {

class LanguageFile;

// Opens the file once and walks every window of the program in creation order (main window, theme
// editor, print page, then later windows that still exist, such as open previews). Nothing is drawn
// while a window changes; each is drawn once afterwards. A window gets its caption (unless its tag says
// to leave it), then every component by name in creation order, skipping those tagged to be left alone,
// each through every kind it is of. The program's own messages follow the file from now on. The file
// must exist; the caller tests that. Returns the file's "www" ("en" when it has none), from the same
// reading.
QString apply_language_file(const QString& path);
// The same with the file already read.
QString apply_language_file(std::shared_ptr<const LanguageFile> file);

// The same walk over the windows given. `missing`, when given, collects "window/component" for every
// caption, text or list the file does not name (hints not counted).
void applyLanguageFile(const LanguageFile& file, const QList<QWidget*>& windows, QStringList* missing = nullptr);

// The hourglass for as long as it lives.
class BusyCursor {
 public:
  BusyCursor();
  ~BusyCursor();
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

}  // namespace orvella
