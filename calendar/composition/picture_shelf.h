// The pictures compositions have loaded, kept so that a file that still holds the same bytes is not
// decoded again: months composed one after another mostly show the same pictures.
#pragma once

#include <QString>
#include <list>
#include <utility>

#include "platform/pictures/picture.h"

namespace orvella {

class PictureShelf {
 public:
  // The picture of the file, as Picture::load gives it; raises the loader's error.
  Picture load(const QString& path);

 private:
  // A page shows three pictures: the icon, the left margin and the background. Photos of other months
  // are not held beside them (a year of photos would hold every file's bytes).
  static constexpr std::size_t kHeld = 3;
  std::list<std::pair<QString, Picture>> held_;  // the most recent first
};

}  // namespace orvella
