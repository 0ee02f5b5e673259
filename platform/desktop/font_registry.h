// Registers font files with the program's font table, as the program does with its two fonts at start.
#pragma once

#include <QString>
#include <QStringList>

namespace orvella {

// Adds the font file for this run of the program; returns the families it adds (empty on failure).
// Needs a QGuiApplication. Fonts are never removed again.
QStringList registerFontFile(const QString& path);

}  // namespace orvella
