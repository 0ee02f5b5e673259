// The data installed beside the program, as the window and the headless export both use it.
#pragma once

#include <QString>

namespace orvella {

// Registers the program's two font families from its folder's "fonts": "SF Intellivised"
// (sfintellivised.ttf) and "SF Intellivised Outline" (sfintellivisedoutline.ttf), each with its bold face
// (the same names with "bold" before ".ttf"), so bold text is drawn from real outlines at every
// resolution. A missing file gives no message.
void registerProgramFonts(const QString& programDir);

// A picture path as a theme holds it -> the file to load, or empty when there is none. Relative paths
// are taken against the program's folder (not the process's current folder), and names compare
// without regard to case.
QString locateProgramPicture(const QString& programDir, const QString& held);

}  // namespace orvella
