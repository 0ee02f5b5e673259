// The pictures of the preview's tool buttons, drawn by the program itself.
#pragma once

#include <QIcon>

namespace orvella::preview {

enum class ToolIcon {
  ZoomFit,
  Zoom100,
  ZoomToWidth,
  First,
  Previous,
  Next,
  Last,
  PrinterSetup,
  Print,
  Save,
  Load,
  SavePdf,
  SaveImage
};

QIcon toolIcon(ToolIcon kind);

}  // namespace orvella::preview
