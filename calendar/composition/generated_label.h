// The labels the composition adds to the page form, beside the form's own.
#pragma once

#include "calendar/page/page_element.h"

namespace orvella {

namespace page {
class ReportPage;
}

// The tag of every element the composition adds; the form's own elements keep theirs.
inline constexpr int kGeneratedTag = 1000;

// A transparent label without a frame and of a fixed size, at left and top, width wide.
page::Element& addGeneratedLabel(page::ReportPage& qr, int left, int top, int width, page::Alignment alignment,
                                 bool wordWrap);

}  // namespace orvella
