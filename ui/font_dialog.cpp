// The font dialog through the seam: Qt's font chooser, with the font's colour below it.
#include "ui/font_dialog.h"

#include <QColorDialog>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

#include "platform/colors/colors.h"
#include "platform/errors/message_texts.h"
#include "ui/dialog_seams.h"

namespace orvella::ui {

namespace {

constexpr MessageText msg_FontColour{"msg_FontColour", "&Kolor:"};
// The names of the sixteen basic colours, clBlack to clWhite, each after a "|" but the first.
constexpr MessageText msg_ColourNames{
    "msg_ColourNames",
    "Czarny|Bordowy|Zielony|Oliwkowy|Granatowy|Fioletowy|Morski|Szary|Srebrny|Czerwony|Limonkowy|Żółty|"
    "Niebieski|Fuksja|Turkusowy|Biały"};
constexpr MessageText msg_OtherColour{"msg_OtherColour", "Inny..."};

// A small sample of the colour, framed so that white shows; blank for no colour.
QIcon swatch(const QColor& colour) {
  QPixmap pixmap(20, 12);
  pixmap.fill(Qt::transparent);
  if (colour.isValid()) {
    QPainter painter(&pixmap);
    painter.setPen(Qt::gray);
    painter.setBrush(colour);
    painter.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
  }
  return QIcon(pixmap);
}

// Qt's font dialog has no colour: it sits inside this one, which adds the basic colours by name and,
// last, any other colour the user picks.
class FontColourDialog : public QDialog {
 public:
  FontColourDialog(const FontDialogRequest& request, QWidget* parent) : QDialog(parent) {
    setObjectName(request.objectName);
    fonts_ = new QFontDialog(request.initial.font, this);
    // Qt's own dialog, the same on every desktop, so that a test can find its parts.
    fonts_->setOptions(QFontDialog::DontUseNativeDialog | QFontDialog::NoButtons);
    fonts_->setWindowFlags(Qt::Widget);
    fonts_->setSizeGripEnabled(false);
    setWindowTitle(request.title.isEmpty() ? fonts_->windowTitle() : request.title);
    // Esc in its lists closes the inner dialog first: it closes this one.
    connect(fonts_, &QDialog::finished, this, &QDialog::reject);

    colours_ = new QComboBox(this);
    colours_->setObjectName(QStringLiteral("cb_FontColour"));
    QStringList names = messageText(msg_ColourNames).split(QLatin1Char('|'));
    const QColor initial = request.initial.colour;
    QColor other = initial;
    for (std::size_t i = 0; i < basicColors().size(); ++i) {
      const QColor colour = toQColor(basicColors()[i]);
      colours_->addItem(swatch(colour), names.value(qsizetype(i)), colour);
      if (colour == initial) {
        colours_->setCurrentIndex(int(i));
        other = QColor();
      }
    }
    colours_->addItem(swatch(other), messageText(msg_OtherColour), other);
    if (other.isValid()) colours_->setCurrentIndex(colours_->count() - 1);
    chosen_ = colours_->currentIndex();
    connect(colours_, &QComboBox::activated, this, [this](int index) { colourChosen(index); });
    auto* label = new QLabel(messageText(msg_FontColour), this);
    label->setBuddy(colours_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* colourRow = new QHBoxLayout;
    // In line with the font dialog's own controls.
    if (const QLayout* inner = fonts_->layout()) colourRow->setContentsMargins(inner->contentsMargins().left(), 0, 0, 0);
    colourRow->addWidget(label);
    colourRow->addWidget(colours_);
    colourRow->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fonts_);
    layout->addLayout(colourRow);
    layout->addWidget(buttons);
    fonts_->show();
  }

  FontChoice choice() const { return FontChoice{fonts_->currentFont(), colours_->currentData().value<QColor>()}; }

 private:
  // The last item asks for any colour; a cancelled choice goes back to the colour chosen before.
  void colourChosen(int index) {
    if (index == colours_->count() - 1) {
      const QColor before = colours_->itemData(chosen_).value<QColor>();
      const QColor picked = QColorDialog::getColor(before, this, QString(), QColorDialog::DontUseNativeDialog);
      if (!picked.isValid()) {
        colours_->setCurrentIndex(chosen_);
        return;
      }
      colours_->setItemData(index, picked);
      colours_->setItemIcon(index, swatch(picked));
    }
    chosen_ = index;
  }

  QFontDialog* fonts_ = nullptr;
  QComboBox* colours_ = nullptr;
  int chosen_ = 0;  // the colour item chosen before the current choice
};

}  // namespace

std::optional<FontChoice> chooseFont(const FontDialogRequest& request, QWidget* parent) {
  if (const auto answer = seams().fontDialogs.answerFor(request)) return *answer;
  FontColourDialog dialog(request, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.choice();
}

}  // namespace orvella::ui
