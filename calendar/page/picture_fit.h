// How a picture is placed in a box: stretched to it, filling it in proportion with the overflow cut off
// evenly on both sides, or whole inside it in proportion and centred. The placement is the picture's
// crop and the box it is drawn into, so any output can draw (or embed) the picture itself with them.
#pragma once

#include "calendar/page/page_element.h"

namespace orvella::page {

enum class PictureFit { Stretch, Fill, Fit };

// Sets the image's crop and box for its picture as fit asks, within the box it has. An image without a
// picture, or with Stretch, keeps its box and no crop.
void fitPicture(Element& image, PictureFit fit);

}  // namespace orvella::page
