// The print page model: static elements, ownership of generated ones, the label height rule.
#include <gtest/gtest.h>

#include <QFontDatabase>
#include <QFontInfo>
#include <cmath>

#include "calendar/page/day_grid.h"
#include "calendar/page/font_resolver.h"
#include "calendar/page/label_text.h"
#include "calendar/page/print_form.h"

using namespace orvella;
using namespace orvella::page;

namespace {

struct Box {
  const char* name;
  ElementKind kind;
  int left, top, width, height;
};

TEST(PrintFormTable, StaticElementsInDrawingOrderWithTheirBoxes) {
  PrintForm form;
  const Box expected[] = {
      {"bg_img", ElementKind::Image, 0, 0, 561, 401},
      {"QRShape1", ElementKind::Shape, 61, 59, 481, 14},
      {"l_Monday", ElementKind::Label, 65, 59, 66, 13},
      {"l_Tuesday", ElementKind::Label, 133, 59, 66, 13},
      {"l_Wednesday", ElementKind::Label, 202, 59, 66, 13},
      {"l_Thursday", ElementKind::Label, 270, 59, 66, 13},
      {"l_Friday", ElementKind::Label, 338, 59, 66, 13},
      {"l_Saturday", ElementKind::Label, 407, 59, 66, 13},
      {"l_Sunday", ElementKind::Label, 475, 59, 66, 13},
      {"qri_left", ElementKind::Image, 12, 5, 50, 395},
      {"qr_miech", ElementKind::Label, 24, 16, 521, 39},
      {"QRL_rok", ElementKind::Label, 432, 23, 105, 37},
  };
  const auto& elements = form.qr.elements();
  ASSERT_EQ(elements.size(), std::size(expected));
  for (size_t i = 0; i < elements.size(); ++i) {
    SCOPED_TRACE(expected[i].name);
    const Element& e = *elements[i];
    EXPECT_EQ(e.name, QLatin1String(expected[i].name));
    EXPECT_EQ(e.kind, expected[i].kind);
    EXPECT_EQ(QRect(e.left, e.top, e.width, e.height),
              QRect(expected[i].left, expected[i].top, expected[i].width, expected[i].height));
    EXPECT_EQ(e.tag, 0);
    EXPECT_EQ(form.findElement(QLatin1String(expected[i].name)), &e);
    EXPECT_EQ(form.qr.findByName(QLatin1String(expected[i].name)), &e);
  }
  EXPECT_TRUE(form.qr.ownedElements().empty());

  ASSERT_EQ(form.qr.bands().size(), 1u);
  const Element& band = *form.qr.bands()[0];
  EXPECT_EQ(&band, &form.TitleBand1);
  EXPECT_EQ(QRect(band.left, band.top, band.width, band.height), QRect(19, 19, 523, 6));
  EXPECT_EQ(band.fillColor, clWhite);
  EXPECT_FALSE(band.frame.any());
}

TEST(PrintFormTable, LooksOfTheStaticElements) {
  PrintForm form;
  const QStringList days{"poniedziałek", "wtorek", "środa", "czwartek", "piątek", "sobota", "niedziela"};
  const Element* weekdays[] = {&form.l_Monday, &form.l_Tuesday,  &form.l_Wednesday, &form.l_Thursday,
                               &form.l_Friday, &form.l_Saturday, &form.l_Sunday};
  for (int i = 0; i < 7; ++i) {
    const Element& e = *weekdays[i];
    EXPECT_EQ(e.caption, days[i]);
    EXPECT_EQ(e.alignment, Alignment::Center);
    EXPECT_EQ(e.font.name, "Arial");
    EXPECT_EQ(e.font.size, 15);
    EXPECT_TRUE(e.font.bold && !e.font.italic && !e.font.underline && !e.font.strikeout);
    EXPECT_EQ(e.font.color, clWhite);
    EXPECT_EQ(e.backgroundColor, 0x0000FFu);
    EXPECT_TRUE(e.transparent && e.wordWrap && !e.autoSize && !e.autoStretch);
    EXPECT_FALSE(e.frame.any());
  }

  EXPECT_EQ(form.QRShape1.fillColor, 0x808080u);
  EXPECT_TRUE(form.QRShape1.frame.top && form.QRShape1.frame.bottom && form.QRShape1.frame.left &&
              form.QRShape1.frame.right);
  EXPECT_EQ(form.QRShape1.frame.color, clBlack);
  EXPECT_EQ(form.QRShape1.frame.widthPoints, 1.0);

  EXPECT_TRUE(form.bg_img.stretch && form.bg_img.picture.isNull() && !form.bg_img.frame.any());
  EXPECT_FALSE(form.qri_left.stretch);
  EXPECT_TRUE(form.qri_left.picture.isNull());
  EXPECT_TRUE(form.qri_left.frame.right && !form.qri_left.frame.left && !form.qri_left.frame.top &&
              !form.qri_left.frame.bottom);

  EXPECT_EQ(form.qr_miech.caption, "Styczeń");
  EXPECT_EQ(form.qr_miech.alignment, Alignment::Center);
  EXPECT_EQ(form.qr_miech.font,
            (ElementFont{"Arial Black", 40, clWindowText, true, false, false, false, 238}));
  EXPECT_EQ(form.QRL_rok.caption, "2005");
  EXPECT_EQ(form.QRL_rok.alignment, Alignment::Right);
  EXPECT_EQ(form.QRL_rok.font,
            (ElementFont{"SF Intellivised Outline", 46, clWindowText, true, false, false, false, 0}));
  for (const Element* e : {&form.qr_miech, &form.QRL_rok}) {
    EXPECT_EQ(e->backgroundColor, clWhite);
    EXPECT_TRUE(e->transparent && e->wordWrap && !e->frame.any());
  }
}

TEST(PrintFormTable, PageSettings) {
  PrintForm form;
  const PageSettings& s = form.qr.settings();
  EXPECT_EQ(s, PageSettings{});
  EXPECT_EQ(s.title, " b");
  EXPECT_TRUE(s.landscape);
  EXPECT_EQ(form.qr.widthUnits(), 561);
  EXPECT_EQ(form.qr.heightUnits(), 397);
  EXPECT_DOUBLE_EQ(form.qr.scale(), 1.0);
  EXPECT_EQ(form.qr.options().zoomPercent, 50);
  EXPECT_EQ(form.qr.options().columns, 1);
  EXPECT_EQ(form.qr.options().font, (ElementFont{"Arial", 10, clWindowText}));
}

TEST(ReportPageOwnership, CreateListDestroyAndGenerate) {
  PrintForm form;
  ReportPage& qr = form.qr;
  Element& a = qr.createLabel();
  a.tag = 1000;
  Element& b = qr.createImage();
  b.tag = 1000;
  Element& c = qr.createLabel();
  EXPECT_EQ(qr.elements().size(), 15u);
  EXPECT_EQ(qr.elements().back(), &c);
  EXPECT_EQ(qr.ownedElements(), (std::vector<Element*>{&a, &b, &c}));

  EXPECT_FALSE(qr.destroy(&form.qr_miech));  // the form's element stays
  EXPECT_EQ(qr.elements().size(), 15u);

  EXPECT_EQ(qr.destroyTagged(1000), 2);
  EXPECT_EQ(qr.ownedElements(), (std::vector<Element*>{&c}));
  EXPECT_TRUE(qr.destroy(&c));
  EXPECT_EQ(qr.elements().size(), 12u);

  // A generated page is a copy: later changes to the page do not reach it.
  Element& d = qr.createLabel();
  qr.setCaption(d, "1");
  GeneratedPage page = qr.generate();
  qr.setCaption(form.qr_miech, "Luty");
  qr.destroy(&d);
  ASSERT_EQ(page.elements.size(), 13u);
  EXPECT_EQ(page.elements[10].caption, "Styczeń");
  EXPECT_EQ(page.elements[12].caption, "1");
  ASSERT_EQ(page.bands.size(), 1u);
  EXPECT_EQ(page.bands[0].name, "TitleBand1");
}

// One line of a font, in layout units, is its text height at 48 dpi (ascent plus descent, no
// leading). Liberation Sans stands in for Arial with the same metrics: 1.117 em.
TEST(LabelHeightRule, LineHeightOfArialAt48Dpi) {
  const ElementFont arial10{"Arial", 10};
  EXPECT_EQ(QFontInfo(fontForMeasuring(arial10, 160)).family(), resolveFamily("Arial"));
  if (!QFontDatabase::hasFamily("Arial") && !QFontDatabase::hasFamily("Liberation Sans"))
    GTEST_SKIP() << "no metric-compatible Arial installed";
  EXPECT_NEAR(lineMetrics(arial10).height(), 10 / 72.0 * 48 * 1.117, 0.05);
  EXPECT_NEAR(lineMetrics(ElementFont{"Arial", 20}).height(), 2 * lineMetrics(arial10).height(), 0.02);
}

TEST(LabelHeightRule, RaisesLowLabelsOnlyAndNeverTouchesWidths) {
  PrintForm form;
  ReportPage& qr = form.qr;
  Element& label = qr.createLabel();
  label.width = 66;
  EXPECT_EQ(label.height, 0);
  // Its first font decides its height, even when smaller than the report font it started with.
  ElementFont small = label.font;
  small.size = 6;
  qr.setFont(label, small);
  EXPECT_EQ(label.height, int(std::ceil(lineMetrics(small).height() + 1.0)));
  const int oneLine = qr.minimumLabelHeight(qr.options().font);
  EXPECT_LT(label.height, oneLine);

  ElementFont big = label.font;
  big.size = 30;
  qr.setFont(label, big);
  EXPECT_EQ(label.height, qr.minimumLabelHeight(big));
  EXPECT_GT(label.height, oneLine);
  EXPECT_EQ(label.width, 66);

  label.height = 100;
  qr.setFont(label, form.l_Monday.font);
  EXPECT_EQ(label.height, 100);  // never lowered

  label.height = 1;
  qr.setCaption(label, "x");
  EXPECT_EQ(label.height, qr.minimumLabelHeight(form.l_Monday.font));

  // The static labels are tall enough for their fonts.
  EXPECT_EQ(form.l_Monday.height, 13);
  EXPECT_EQ(form.qr_miech.height, 39);

  Element& image = qr.createImage();
  qr.applyLabelHeightRule(image);
  EXPECT_EQ(image.height, 0);
}

TEST(LabelHeightRule, TheFormsStaticLabelsAlreadyKeepIt) {
  // The form places its labels without measuring them; each must already be one line of its font high.
  PrintForm form;
  for (Element* e : form.staticElements()) {
    if (e->kind != ElementKind::Label) continue;
    EXPECT_GE(e->height, form.qr.minimumLabelHeight(e->font)) << e->name.toStdString();
  }
}

TEST(LabelLines, CarriageReturnsBreakLineFeedsVanishWordsWrap) {
  Element label;
  label.width = 1000;
  label.caption = "Anna\r\nJan\rPiotr\nPaweł";
  EXPECT_EQ(labelLines(label), (QStringList{"Anna", "Jan", "PiotrPaweł"}));

  label.caption = "\r";
  EXPECT_EQ(labelLines(label), (QStringList{"", ""}));

  label.wordWrap = true;
  label.caption = "Matki Boskiej Gromnicznej";
  label.width = int(std::ceil(textWidth(label.font, "Matki Boskiej"))) + 1;
  EXPECT_EQ(labelLines(label), (QStringList{"Matki Boskiej", "Gromnicznej"}));

  label.width = 2;  // a word wider than the label stays whole
  EXPECT_EQ(labelLines(label), (QStringList{"Matki", "Boskiej", "Gromnicznej"}));

  label.wordWrap = false;
  EXPECT_EQ(labelLines(label), (QStringList{"Matki Boskiej Gromnicznej"}));
}

TEST(LabelLines, OnlyWholeLinesFitWithinATenthOfAMillimetre) {
  Element label;
  label.height = 20;
  EXPECT_EQ(wholeLinesFitting(label, 10.0, 5), 2);
  EXPECT_EQ(wholeLinesFitting(label, 10.0, 1), 1);
  // 0.1 mm is 0.189 layout units: a second line ending 0.18 units low still fits, 0.2 does not.
  EXPECT_EQ(wholeLinesFitting(label, 10.09, 3), 2);
  EXPECT_EQ(wholeLinesFitting(label, 10.1, 3), 1);
  EXPECT_EQ(wholeLinesFitting(label, 25.0, 3), 0);
}

TEST(FontResolution, SubstitutesAndWeights) {
  if (!QFontDatabase::hasFamily("Arial") && QFontDatabase::hasFamily("Liberation Sans")) {
    EXPECT_EQ(resolveFamily("Arial"), "Liberation Sans");
  }
  EXPECT_EQ(resolveFamily("No Such Face 123"), "No Such Face 123");
  EXPECT_EQ(resolveWeight("Arial Black", false), QFont::Black);
  EXPECT_EQ(resolveWeight("Arial", true), QFont::Bold);
  EXPECT_EQ(resolveWeight("Arial", false), QFont::Normal);
  // Without the face itself, the month name still shows in a heavy face.
  EXPECT_GE(QFontInfo(fontForMeasuring(ElementFont{"Arial Black", 40}, 640)).weight(), int(QFont::Bold));
  EXPECT_EQ(clampedPoints(0), kMinFontPoints);
  EXPECT_EQ(clampedPoints(1000000), kMaxFontPoints);

  // A device font is as many pixels high as asked, whatever the device's own resolution.
  const QFont font = fontForDevice(ElementFont{"Arial", 10}, 41.6667, 300.0);
  EXPECT_NEAR(font.pointSizeF() * 300.0 / 72.0, 41.6667, 1e-3);
}

}  // namespace

namespace {

TEST(DayGridTest, LengthsScaleWithThePageAndHalvesRoundToEven) {
  const DayGrid half(0.5);
  EXPECT_EQ(half.top, 39);
  EXPECT_EQ(half.width, 33);
  EXPECT_EQ(half.pitch, 34);       // 34.5
  EXPECT_EQ(half.left0, 30);       // 30.5
  EXPECT_EQ(half.textOffset, 16);  // 15.5
  EXPECT_EQ(half.rowPitch, 25);
  EXPECT_EQ(half.textHeight, 9);
  EXPECT_EQ(half.iconSide, 10);
  EXPECT_EQ(half.iconLeft0, 36);
  const DayGrid larger(1.5);
  EXPECT_EQ(larger.pitch, 104);      // 103.5
  EXPECT_EQ(larger.left0, 92);       // 91.5
  EXPECT_EQ(larger.textOffset, 46);  // 46.5
  EXPECT_EQ(larger.top, 117);
}


}  // namespace
