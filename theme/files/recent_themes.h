// The themes opened or saved last, newest first, kept in config.ini in a section of their own so that
// every copy of the program, and the next run, finds them.
#pragma once

#include <QString>
#include <QStringList>

namespace orvella {

class RecentThemes {
 public:
  static constexpr int kCount = 8;
  static constexpr const char* kSection = "recent_themes";

  explicit RecentThemes(QString configFile) : configFile_(std::move(configFile)) {}

  // The list as config.ini holds it now, at most eight full paths, newest first.
  QStringList files() const;
  // The theme goes first, once; the ninth falls off. A path that cannot stand on one line of config.ini
  // is not kept.
  void add(const QString& path);
  void remove(const QString& path);

 private:
  // The list is a help, not a piece of work: a config.ini that cannot be written keeps the list it had.
  void write(const QStringList& files) const;

  QString configFile_;
};

}  // namespace orvella
