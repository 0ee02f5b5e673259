#include "calendar/composition/generated_label.h"

#include "calendar/page/report_page.h"

namespace orvella {

page::Element& addGeneratedLabel(page::ReportPage& qr, int left, int top, int width, page::Alignment alignment,
                                 bool wordWrap) {
  page::Element& label = qr.createLabel();
  label.autoSize = false;
  label.frame = page::Frame{};
  label.left = left;
  label.top = top;
  label.width = width;
  label.tag = kGeneratedTag;
  label.alignment = alignment;
  label.transparent = true;
  label.wordWrap = wordWrap;
  return label;
}

}  // namespace orvella
