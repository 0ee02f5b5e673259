// The theme editor dialog.
#include "editor/options/options_dialog.h"

#include <QComboBox>
#include <QVBoxLayout>

#include "calendar/composition/month_names.h"

namespace orvella {

Tf_Options::Tf_Options(std::function<int()> selectedYear, QWidget* parent)
    : QDialog(parent), expansion_(std::move(selectedYear)) {
  setObjectName(QStringLiteral("f_Options"));
  setWindowTitle(QStringLiteral("Edycja tematu"));
  cb_Holidays = new QComboBox(this);
  cb_Holidays->setObjectName(QStringLiteral("cb_Holidays"));
  for (int month = 0; month < 12; ++month) cb_Holidays->addItem(polishMonthName(month));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(cb_Holidays);
}

}  // namespace orvella
