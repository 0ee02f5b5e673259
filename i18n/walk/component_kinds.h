// The kinds of components a language file translates, and what each kind takes from the file.
#pragma once

#include <QString>
#include <QStringList>
#include <span>

class QObject;

namespace orvella {

class LanguageFile;

// What one component reads: its own key in its window's section, and its hint in section "h".
class ComponentTexts {
 public:
  ComponentTexts(const LanguageFile& file, const QString& window, const QString& component,
                 QStringList* missing = nullptr);

  // The value of the component's key; the default when the file has none (noted as missing).
  QString own(const QString& defaultValue) const;
  QString hint(const QString& current) const;

 private:
  const LanguageFile& file_;
  const QString& window_;
  const QString& component_;
  QStringList* missing_;
};

// The text the component was made with, noted the first time a language reaches it (current is its
// text then).
QString builtInText(QObject* component, const QString& current);

struct ComponentKind {
  const char* kind;
  bool (*matches)(const QObject* component);
  void (*apply)(QObject* component, const ComponentTexts& texts);
};

// Every kind, in the order its rows apply; a component may be of several kinds.
std::span<const ComponentKind> componentKinds();

}  // namespace orvella
