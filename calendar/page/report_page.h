// The report page `qr`: its settings, its ordered elements and bands, and the elements it owns.
#pragma once

#include <QString>
#include <memory>
#include <vector>

#include "calendar/page/generated_page.h"
#include "calendar/page/page_element.h"

namespace orvella::page {

enum class MeasureUnit { Millimetres, Inches, Pixels, Characters, Native };
enum class PaperBin { Auto, Upper, Lower, Middle, Manual };

// The report settings beyond what printing needs.
struct ReportOptions {
  int columns = 1;
  double columnSpaceMm = 0.0;
  MeasureUnit units = MeasureUnit::Millimetres;
  int zoomPercent = 50;  // of the design surface
  ElementFont font;      // the report font: Arial 10, window text
  bool firstPageHeader = true;
  bool lastPageFooter = true;
  bool printIfEmpty = true;
  bool duplex = false;
  PaperBin paperBin = PaperBin::Auto;
  Frame pageFrame;  // none
};

// The sheet's width against which positions scale.
inline constexpr int kReferencePageWidthUnits = 561;

class ReportPage {
 public:
  explicit ReportPage(QString name = QStringLiteral("qr"));
  ReportPage(const ReportPage&) = delete;
  ReportPage& operator=(const ReportPage&) = delete;

  const QString& name() const { return name_; }
  PageSettings& settings() { return settings_; }
  const PageSettings& settings() const { return settings_; }
  ReportOptions& options() { return options_; }
  const ReportOptions& options() const { return options_; }

  // The sheet in layout units (561 x 397 for A4 landscape) and its scale against 561 units.
  int widthUnits() const;
  int heightUnits() const;
  double scale() const;

  // Puts an element that somebody else owns (the form's static elements) at the end of the list.
  void place(Element& element);
  // The same for an element known to keep the height rule already (the form's static labels, drawn
  // to their fonts), so that creating the page at start-up loads no fonts.
  void placeFitting(Element& element);
  void placeBand(Element& band);

  // New elements at the end of the list, owned by the page, tag 0. A label starts with the report font
  // and no height: the height rule raises it at its first caption or font change, to one line of the
  // font it has then.
  Element& createLabel();
  Element& createImage();
  // An element of another kind that has no label's height rule (a moon symbol).
  Element& createElement(ElementKind kind);

  // The elements the page owns, in list order.
  std::vector<Element*> ownedElements() const;
  // Destroys an element the page owns; false (and nothing done) for any other.
  bool destroy(Element* element);
  // Destroys every owned element with the tag, walking from the last to the first; returns how many.
  int destroyTagged(int tag);

  // Everything drawn, in order, and the bands drawn before it.
  const std::vector<Element*>& elements() const { return order_; }
  const std::vector<Element*>& bands() const { return bands_; }
  Element* findByName(const QString& name) const;

  // Label changes that keep the height rule: a label is never lower than one line of its font at
  // the page's scale plus one unit. Widths never change.
  void setCaption(Element& label, const QString& caption) const;
  void setFont(Element& label, const ElementFont& font) const;
  void setFontColor(Element& label, ColorValue color) const;
  void applyLabelHeightRule(Element& label) const;
  // The smallest height the rule allows a label of this font, in layout units.
  int minimumLabelHeight(const ElementFont& font) const;

  // A self-contained copy to draw, print or save (pictures are shared, not copied).
  GeneratedPage generate() const;

 private:
  QString name_;
  PageSettings settings_;
  ReportOptions options_;
  std::vector<Element*> order_;
  std::vector<Element*> bands_;
  std::vector<std::unique_ptr<Element>> owned_;
};

}  // namespace orvella::page
