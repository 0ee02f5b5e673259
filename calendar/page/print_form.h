// The print page form: the report page `qr`, its static elements and its title band.
#pragma once

#include <QString>
#include <array>
#include <vector>

#include "calendar/page/report_page.h"

namespace orvella::page {

// Created once at start-up and never shown; the month composition fills `qr`, the preview draws it.
// The members carry the names by which the composition and the language files know them.
class PrintForm {
 public:
  PrintForm();
  PrintForm(const PrintForm&) = delete;
  PrintForm& operator=(const PrintForm&) = delete;

  ReportPage qr;

  Element TitleBand1;
  Element bg_img;
  Element QRShape1;
  Element l_Monday;
  Element l_Tuesday;
  Element l_Wednesday;
  Element l_Thursday;
  Element l_Friday;
  Element l_Saturday;
  Element l_Sunday;
  Element qri_left;
  Element qr_miech;
  Element QRL_rok;

  // A static element or the band by its name (compared without regard to case); null when none.
  Element* findElement(const QString& name);
  // The weekday header's labels, Monday first.
  std::array<Element*, 7> weekdayLabels();
  // The static elements in drawing order (the band not included).
  std::vector<Element*> staticElements();

  // Runs after the preview window closes; the generated elements stay until the next composition.
  void qrAfterPreview() {}
};

}  // namespace orvella::page
