// The report page: ordered elements, ownership of generated ones, the label height rule.
#include "calendar/page/report_page.h"

#include <algorithm>
#include <cmath>

#include "calendar/page/label_text.h"

namespace orvella::page {

ReportPage::ReportPage(QString name) : name_(std::move(name)) {}

int ReportPage::widthUnits() const {
  const double mm = settings_.landscape ? std::max(settings_.paperWidthMm, settings_.paperHeightMm)
                                        : std::min(settings_.paperWidthMm, settings_.paperHeightMm);
  return static_cast<int>(std::lround(mm / 25.4 * kLayoutUnitsPerInch));
}

int ReportPage::heightUnits() const {
  const double mm = settings_.landscape ? std::min(settings_.paperWidthMm, settings_.paperHeightMm)
                                        : std::max(settings_.paperWidthMm, settings_.paperHeightMm);
  return static_cast<int>(std::lround(mm / 25.4 * kLayoutUnitsPerInch));
}

double ReportPage::scale() const { return double(widthUnits()) / kReferencePageWidthUnits; }

void ReportPage::place(Element& element) {
  order_.push_back(&element);
  applyLabelHeightRule(element);
}

void ReportPage::placeFitting(Element& element) { order_.push_back(&element); }

void ReportPage::placeBand(Element& band) { bands_.push_back(&band); }

Element& ReportPage::createLabel() {
  auto element = std::make_unique<Element>();
  element->kind = ElementKind::Label;
  element->font = options_.font;
  Element& ref = *element;
  owned_.push_back(std::move(element));
  // Not raised yet: its first font or caption decides, so that it ends one line of its own font high.
  order_.push_back(&ref);
  return ref;
}

Element& ReportPage::createImage() { return createElement(ElementKind::Image); }

Element& ReportPage::createElement(ElementKind kind) {
  auto element = std::make_unique<Element>();
  element->kind = kind;
  Element& ref = *element;
  owned_.push_back(std::move(element));
  place(ref);
  return ref;
}

std::vector<Element*> ReportPage::ownedElements() const {
  std::vector<Element*> result;
  for (Element* e : order_)
    if (std::any_of(owned_.begin(), owned_.end(), [e](const auto& o) { return o.get() == e; }))
      result.push_back(e);
  return result;
}

bool ReportPage::destroy(Element* element) {
  const auto owned =
      std::find_if(owned_.begin(), owned_.end(), [element](const auto& o) { return o.get() == element; });
  if (!element || owned == owned_.end()) return false;
  order_.erase(std::remove(order_.begin(), order_.end(), element), order_.end());
  owned_.erase(owned);
  return true;
}

int ReportPage::destroyTagged(int tag) {
  const std::vector<Element*> owned = ownedElements();
  int count = 0;
  for (auto it = owned.rbegin(); it != owned.rend(); ++it)
    if ((*it)->tag == tag && destroy(*it)) ++count;
  return count;
}

Element* ReportPage::findByName(const QString& name) const {
  if (name.isEmpty()) return nullptr;
  for (Element* e : bands_)
    if (e->name.compare(name, Qt::CaseInsensitive) == 0) return e;
  for (Element* e : order_)
    if (e->name.compare(name, Qt::CaseInsensitive) == 0) return e;
  return nullptr;
}

void ReportPage::setCaption(Element& label, const QString& caption) const {
  label.caption = caption;
  applyLabelHeightRule(label);
}

void ReportPage::setFont(Element& label, const ElementFont& font) const {
  label.font = font;
  applyLabelHeightRule(label);
}

void ReportPage::setFontColor(Element& label, ColorValue color) const {
  label.font.color = color;
  applyLabelHeightRule(label);
}

int ReportPage::minimumLabelHeight(const ElementFont& font) const {
  // Rounded up so that one whole line always fits; the small allowance absorbs measuring noise.
  const double needed = lineMetrics(font).height() * scale() + 1.0;
  return static_cast<int>(std::ceil(needed - 1e-6));
}

void ReportPage::applyLabelHeightRule(Element& label) const {
  if (label.kind != ElementKind::Label) return;
  label.height = std::max(label.height, minimumLabelHeight(label.font));
}

GeneratedPage ReportPage::generate() const {
  GeneratedPage page;
  page.settings = settings_;
  page.bands.reserve(bands_.size());
  for (const Element* e : bands_) page.bands.push_back(*e);
  page.elements.reserve(order_.size());
  for (const Element* e : order_) page.elements.push_back(*e);
  return page;
}

}  // namespace orvella::page
