// An icon whose pictures are made when something first shows it, each at the size it is shown at:
// nothing is painted or read while the program starts.
#pragma once

#include <QIcon>
#include <QList>
#include <QPixmap>
#include <functional>

namespace orvella::ui {

// make gives the picture for a square of that many pixels; sides are the sizes the icon offers (a
// window icon's sizes for the desktop). Disabled and selected looks are the style's, made from it.
QIcon lazyIcon(std::function<QPixmap(int side)> make, QList<int> sides);

// The icon of the files named by pattern with "%1" for a side ("...-%1.png"), one file per side: a
// size between them is scaled from the next larger file.
QIcon lazyFileIcon(const QString& pattern, QList<int> sides);

}  // namespace orvella::ui
