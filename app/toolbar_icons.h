// The pictures of the main window's image list: 24 x 24, indices 0..7, drawn by the program itself
// when first shown, at the size they are shown at.
#pragma once

#include <QIcon>

namespace orvella {

// 0 new, 1 open, 2 save, 3 print preview, 4 edit, 5 print, 6 about, 7 help.
QIcon toolbarIcon(int index);

}  // namespace orvella
