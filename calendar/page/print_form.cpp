// The static look of the calendar page: background, weekday header, margin picture, month and year.
#include "calendar/page/print_form.h"

namespace orvella::page {

namespace {

constexpr ColorValue kGrey = 0x808080;
constexpr ColorValue kRed = 0x0000FF;
constexpr int kCharsetAnsi = 0;
constexpr int kCharsetEastEurope = 238;

void setBox(Element& e, const char* name, ElementKind kind, int left, int top, int width, int height) {
  e.name = QString::fromLatin1(name);
  e.kind = kind;
  e.left = left;
  e.top = top;
  e.width = width;
  e.height = height;
  e.tag = 0;
}

void makeWeekday(Element& e, const char* name, int left, const QString& caption) {
  setBox(e, name, ElementKind::Label, left, 59, 66, 13);
  e.caption = caption;
  e.alignment = Alignment::Center;
  e.font.name = QStringLiteral("Arial");
  e.font.size = 15;
  e.font.bold = true;
  e.font.color = clWhite;
  e.backgroundColor = kRed;
  e.transparent = true;
  e.wordWrap = true;
}

}  // namespace

PrintForm::PrintForm() {
  setBox(TitleBand1, "TitleBand1", ElementKind::Band, 19, 19, 523, 6);
  TitleBand1.fillColor = clWhite;

  setBox(bg_img, kBackgroundName, ElementKind::Image, 0, 0, 561, 401);
  bg_img.stretch = true;

  setBox(QRShape1, "QRShape1", ElementKind::Shape, 61, 59, 481, 14);
  QRShape1.fillColor = kGrey;
  QRShape1.frame = Frame{true, true, true, true, clBlack, 1.0};

  makeWeekday(l_Monday, "l_Monday", 65, QStringLiteral("poniedziałek"));
  makeWeekday(l_Tuesday, "l_Tuesday", 133, QStringLiteral("wtorek"));
  makeWeekday(l_Wednesday, "l_Wednesday", 202, QStringLiteral("środa"));
  makeWeekday(l_Thursday, "l_Thursday", 270, QStringLiteral("czwartek"));
  makeWeekday(l_Friday, "l_Friday", 338, QStringLiteral("piątek"));
  makeWeekday(l_Saturday, "l_Saturday", 407, QStringLiteral("sobota"));
  makeWeekday(l_Sunday, "l_Sunday", 475, QStringLiteral("niedziela"));

  setBox(qri_left, "qri_left", ElementKind::Image, 12, 5, 50, 395);
  qri_left.stretch = false;
  qri_left.frame = Frame{false, false, false, true, clBlack, 1.0};

  setBox(qr_miech, "qr_miech", ElementKind::Label, 24, 16, 521, 39);
  qr_miech.caption = QStringLiteral("Styczeń");
  qr_miech.alignment = Alignment::Center;
  qr_miech.font = ElementFont{
      QStringLiteral("Arial Black"), 40, clWindowText, true, false, false, false, kCharsetEastEurope};
  qr_miech.backgroundColor = clWhite;
  qr_miech.transparent = true;
  qr_miech.wordWrap = true;

  setBox(QRL_rok, "QRL_rok", ElementKind::Label, 432, 23, 105, 37);
  QRL_rok.caption = QStringLiteral("2005");
  QRL_rok.alignment = Alignment::Right;
  QRL_rok.font = ElementFont{
      QStringLiteral("SF Intellivised Outline"), 46, clWindowText, true, false, false, false, kCharsetAnsi};
  QRL_rok.backgroundColor = clWhite;
  QRL_rok.transparent = true;
  QRL_rok.wordWrap = true;

  qr.placeBand(TitleBand1);
  for (Element* e : staticElements()) qr.placeFitting(*e);
}

std::vector<Element*> PrintForm::staticElements() {
  return {&bg_img,   &QRShape1,   &l_Monday, &l_Tuesday, &l_Wednesday, &l_Thursday,
          &l_Friday, &l_Saturday, &l_Sunday, &qri_left,  &qr_miech,    &QRL_rok};
}

std::array<Element*, 7> PrintForm::weekdayLabels() {
  return {&l_Monday, &l_Tuesday, &l_Wednesday, &l_Thursday, &l_Friday, &l_Saturday, &l_Sunday};
}

Element* PrintForm::findElement(const QString& name) {
  if (TitleBand1.name.compare(name, Qt::CaseInsensitive) == 0) return &TitleBand1;
  for (Element* e : staticElements())
    if (e->name.compare(name, Qt::CaseInsensitive) == 0) return e;
  return nullptr;
}

}  // namespace orvella::page
