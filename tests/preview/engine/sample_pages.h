// Generated pages for the preview's tests: a calendar-like sheet with labels, shapes and pictures.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QString>

#include "calendar/page/generated_page.h"

namespace orvella::testing {

// A BMP file of a smooth colour gradient, width x height pixels.
QByteArray gradientBmp(int width, int height);

// A page with a title band, a background picture, the grey header bar with two weekday labels, a
// month label, a left picture and a black square (one inch at 100,200 units) at a known place.
page::GeneratedPage samplePage(const QString& month = QStringLiteral("Styczeń"));

// A white page holding only black squares of one inch at the given layout positions.
page::GeneratedPage squaresPage(std::initializer_list<QPoint> topLefts);

// The page drawn onto a white image at a zoom, as the preview draws it.
QImage renderAt(const page::GeneratedPage& page, int zoomPercent);

// Renders one page of a PDF to an image with pdftoppm; a null image when pdftoppm is missing.
QImage rasterizePdf(const QString& pdf, int page, int dpi);
bool havePdfRasterizer();

// The bounding box of the dark pixels of an image.
QRect darkBox(const QImage& image);

// True when the two images differ nowhere; otherwise writes both beside each other into the temp
// folder under the given name so the difference can be looked at.
bool sameImages(const QImage& expected, const QImage& actual, const QString& name);

}  // namespace orvella::testing
