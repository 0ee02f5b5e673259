// The JSON form of composed pages, checked against a grid worked out independently with QDate.
#include <QImage>
#include <QJsonArray>
#include <QJsonObject>

#include "calendar/page/page_json.h"
#include "composition_fixture.h"

namespace orvella::testing {
namespace {

class PageJsonTest : public CompositionTest {};

TEST_F(PageJsonTest, DayNumbersSitWhereTheCalendarPutsThem) {
  for (int y : {2009, 2012, 2017}) {
    for (int month = 1; month <= 12; ++month) {
      compose(y, month - 1);
      const QJsonObject json = pageToJson(composed.page, y, month);
      EXPECT_EQ(json[QStringLiteral("year")].toInt(), y);
      EXPECT_EQ(json[QStringLiteral("month")].toInt(), month);
      const QDate first(y, month, 1);
      int day = 0;
      for (const QJsonValue& value : json[QStringLiteral("elements")].toArray()) {
        const QJsonObject e = value.toObject();
        if (e[QStringLiteral("tag")].toInt() != 1000 || e[QStringLiteral("top")].toInt() % 50 != 28) continue;
        ++day;
        const int cell = first.dayOfWeek() - 1 + day - 1;
        EXPECT_EQ(e[QStringLiteral("kind")].toString(), QStringLiteral("label"));
        EXPECT_EQ(e[QStringLiteral("caption")].toString(), QString::number(day));
        EXPECT_EQ(e[QStringLiteral("left")].toInt(), 61 + 69 * (cell % 7)) << y << "-" << month << "-" << day;
        EXPECT_EQ(e[QStringLiteral("top")].toInt(), 78 + 50 * (cell / 7)) << y << "-" << month << "-" << day;
      }
      EXPECT_EQ(day, first.daysInMonth()) << y << "-" << month;
    }
  }
}

TEST_F(PageJsonTest, ElementsCarryTheirKindsOwnKeysOnly) {
  compose(2010, 0);
  const QJsonArray elements = pageToJson(composed.page, 2010, 1)[QStringLiteral("elements")].toArray();
  ASSERT_FALSE(elements.isEmpty());
  const QJsonObject band = elements.first().toObject();
  EXPECT_EQ(band[QStringLiteral("kind")].toString(), QStringLiteral("band"));
  EXPECT_EQ(band[QStringLiteral("name")].toString(), QStringLiteral("TitleBand1"));
  EXPECT_FALSE(band.contains(QStringLiteral("caption")));
  bool sawImage = false, sawMonth = false;
  for (const QJsonValue& value : elements) {
    const QJsonObject e = value.toObject();
    if (e[QStringLiteral("name")].toString() == QLatin1String("bg_img")) {
      sawImage = true;
      EXPECT_EQ(e[QStringLiteral("kind")].toString(), QStringLiteral("image"));
      EXPECT_TRUE(e[QStringLiteral("stretch")].toBool());
      EXPECT_FALSE(e.contains(QStringLiteral("font")));
    }
    if (e[QStringLiteral("name")].toString() == QLatin1String("qr_miech")) {
      sawMonth = true;
      EXPECT_EQ(e[QStringLiteral("caption")].toString(), QStringLiteral("Styczeń"));
      EXPECT_EQ(e[QStringLiteral("alignment")].toString(), QStringLiteral("center"));
      const QJsonObject font = e[QStringLiteral("font")].toObject();
      EXPECT_EQ(font[QStringLiteral("size")].toInt(), 40);
      EXPECT_EQ(font[QStringLiteral("color")].toString(), QStringLiteral("0x00000000"));
      EXPECT_FALSE(e.contains(QStringLiteral("picture")));
    }
  }
  EXPECT_TRUE(sawImage && sawMonth);
}

// A background that fills the page in proportion carries its crop: the page's proportions out of the
// picture's middle.
TEST_F(PageJsonTest, ABackgroundFillingThePageCarriesItsCrop) {
  const QString tall = folder.path() + QStringLiteral("/tall.bmp");
  QImage(200, 800, QImage::Format_RGB32).save(tall, "BMP");
  theme.backgrounds[0] = tall;
  pictures.insert(tall, tall);
  theme.backgroundFit = BackgroundFit::Fill;
  compose(2010, 0);
  QJsonObject crop;
  for (const QJsonValue& value : pageToJson(composed.page, 2010, 1)[QStringLiteral("elements")].toArray())
    if (value[QStringLiteral("name")].toString() == QLatin1String("bg_img")) crop = value[QStringLiteral("crop")].toObject();
  EXPECT_EQ(crop[QStringLiteral("width")].toDouble(), 200);
  EXPECT_NEAR(crop[QStringLiteral("height")].toDouble(), 200 * 401 / 561.0, 0.01);
  EXPECT_NEAR(crop[QStringLiteral("top")].toDouble(), (800 - 200 * 401 / 561.0) / 2, 0.01);
}

}  // namespace
}  // namespace orvella::testing
