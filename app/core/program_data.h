// The data installed beside the program, as the window and the headless export both use it.
#pragma once

#include <QString>

namespace orvella {

// Registers "fonts/sfintellivised.ttf" and "fonts/sfintellivisedoutline.ttf" of the program's folder;
// a missing file gives no message.
void registerProgramFonts(const QString& programDir);

// A picture path as a theme holds it -> the file to load, or empty when there is none. Relative paths
// are taken against the program's folder (not the process's current folder), and names compare
// without regard to case.
QString locateProgramPicture(const QString& programDir, const QString& held);

}  // namespace orvella
