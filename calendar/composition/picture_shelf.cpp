// The pictures compositions have loaded.
#include "calendar/composition/picture_shelf.h"

namespace orvella {

Picture PictureShelf::load(const QString& path) {
  Picture previous;
  for (auto it = held_.begin(); it != held_.end(); ++it)
    if (it->first == path) {
      previous = it->second;
      held_.erase(it);
      break;
    }
  const Picture picture = Picture::load(path, previous);
  held_.emplace_front(path, picture);
  if (held_.size() > kHeld) held_.pop_back();
  return picture;
}

}  // namespace orvella
