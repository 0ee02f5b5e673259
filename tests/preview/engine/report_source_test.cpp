// The report source of a page: the printer setup's choices reach the page, and its labels keep the
// height rule at the scale the new orientation gives.
#include <gtest/gtest.h>

#include "calendar/page/report_page.h"
#include "preview/engine/report_source.h"

namespace orvella::report {
namespace {

TEST(ReportSourceTest, StoredOrientationRaisesLabelsToOneLineAtTheNewScale) {
  page::ReportPage qr;
  qr.settings().landscape = false;
  qr.settings().paperWidthMm = 210;
  qr.settings().paperHeightMm = 297;

  page::ElementFont big = qr.options().font;
  big.size = 28;
  page::Element& owned = qr.createLabel();
  qr.setFont(owned, big);
  page::Element placed;  // a label the page does not own, as the form's are
  placed.kind = page::ElementKind::Label;
  placed.font = big;
  qr.place(placed);
  page::Element picture;
  picture.kind = page::ElementKind::Image;
  picture.height = 1;
  qr.place(picture);
  const int uprightHeight = qr.minimumLabelHeight(big);
  ASSERT_EQ(owned.height, uprightHeight);

  page::PageSettings across = qr.settings();
  across.landscape = true;
  across.paperWidthMm = 297;
  across.paperHeightMm = 210;
  across.copies = 2;
  const ReportSource source = reportSourceFor(qr);
  source.storeSettings(across);

  EXPECT_EQ(qr.settings(), across);
  const int acrossHeight = qr.minimumLabelHeight(big);
  ASSERT_GT(acrossHeight, uprightHeight);  // the wider sheet draws the font larger
  EXPECT_EQ(owned.height, acrossHeight);
  EXPECT_EQ(placed.height, acrossHeight);
  EXPECT_EQ(picture.height, 1);  // only labels follow the rule
  EXPECT_EQ(source.generate().front().elements[0].height, acrossHeight);
}

}  // namespace
}  // namespace orvella::report
