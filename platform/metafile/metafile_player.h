// Plays a parsed metafile onto a painter, mapped from the picture's frame onto a target box.
#pragma once

#include <QPainter>
#include <QRectF>

#include "platform/metafile/metafile_program.h"

namespace orvella::metafile {

// Draws the whole picture stretched onto target in the painter's current coordinates. Pictures whose
// raster operations only work on pixels are drawn into an image at the device's resolution first.
void playMetafile(const Program& program, QPainter& painter, const QRectF& target);

}  // namespace orvella::metafile
