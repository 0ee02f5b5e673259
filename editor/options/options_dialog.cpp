// The theme editor dialog: its four tabs, the handlers that move values between the controls and the
// editing copy, the keys Enter, Esc, undo and redo, and national holidays files dropped on it.
#include "editor/options/options_dialog.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QTabWidget>

#include "editor/editing/theme_font_choice.h"
#include "editor/options/calendar_tab.h"
#include "editor/options/picture_box.h"
#include "calendar/page/report_page.h"
#include "platform/colors/colors.h"
#include "platform/desktop/dialog_folders.h"
#include "platform/errors/error.h"
#include "platform/files/path_names.h"
#include "platform/pictures/picture.h"
#include "ui/components.h"
#include "ui/dialog_seams.h"
#include "ui/file_drops.h"
#include "ui/guarded.h"
#include "ui/interface_font.h"
#include "ui/string_grid.h"

namespace orvella {

namespace {

constexpr int kClientWidth = 425;
constexpr int kClientHeight = 697;
constexpr int kPagesHeight = 660;
constexpr int kButtonsBelowPages = 6;
constexpr int kButtonWidth = 136;
// The width the tabs' contents take, and the column beside the holiday grid.
constexpr int kInnerWidth = kClientWidth - 20;
constexpr int kColumnLeft = 262;
constexpr int kColumnWidth = 150;
constexpr int kPageHeightUnits = 401;  // the sheet's height in layout units, beside its width

// The picture dialogs list every format the program draws.
const char kPictureFilter[] =
    "All (*.jpg;*.jpeg;*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf)|*.jpg;*.jpeg;*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf"
    "|JPEG Image File (*.jpg)|*.jpg|JPEG Image File (*.jpeg)|*.jpeg|JPEG Image File (*.jpg)|*.jpg"
    "|JPEG Image File (*.jpeg)|*.jpeg|Bitmaps (*.bmp)|*.bmp|Icons (*.ico)|*.ico"
    "|Enhanced Metafiles (*.emf)|*.emf|Metafiles (*.wmf)|*.wmf";

const QColor kSundayColour(255, 0, 0);
const QColor kNationalHolidayColour(255, 165, 0);
const QColor kUserHolidayColour(0, 255, 0);

// The colour of a day-number cell; an invalid colour leaves the grid's button face.
QColor cellColour(DayColour colour) {
  switch (colour) {
    case DayColour::Sunday:
      return kSundayColour;
    case DayColour::NationalHoliday:
      return kNationalHolidayColour;
    case DayColour::UserHoliday:
      return kUserHolidayColour;
    case DayColour::Plain:
      break;
  }
  return {};
}

template <class Widget>
Widget* named(Widget* widget, const char* name) {
  widget->setObjectName(QLatin1String(name));
  return widget;
}

QWidget* tab(QTabWidget* pages, const char* name, const char* caption) {
  auto* page = named(new QWidget(pages), name);
  pages->addTab(page, QString::fromUtf8(caption));
  return page;
}

QComboBox* dropDownList(QWidget* parent, const char* name, const QStringList& items, const QRect& at) {
  auto* list = named(new QComboBox(parent), name);
  list->addItems(items);
  list->setGeometry(at);
  return list;
}

// A picture chosen in either picture dialog: the folder of the last one, else the user's pictures.
QString choosePicture(const char* name, QWidget* parent) {
  ui::PictureDialogRequest request;
  request.objectName = QLatin1String(name);
  request.folder = dialogFolder(DialogFolder::Pictures, userPicturesFolder());
  request.filter = QLatin1String(kPictureFilter);
  const QString chosen = ui::choosePicture(request, parent);
  rememberDialogFolder(DialogFolder::Pictures, chosen);
  return chosen;
}

}  // namespace

Tf_Options::Tf_Options(OptionsHost host, QWidget* parent)
    : QDialog(parent),
      host_(std::move(host)),
      expansion_([this] { return fieldYear(); }),
      edit_(*host_.theme),
      import_(ce) {
  setObjectName(QStringLiteral("f_Options"));
  setWindowTitle(QStringLiteral("Edycja tematu"));
  setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  setFont(ui::interfaceFont(11));
  // Its own size on any screen that has room for it; on a smaller one (a large scale factor) it fits
  // the screen and the tabs scroll above the buttons, which stay in sight.
  setMinimumSize(kButtonWidth * 2 + 24, 160);
  setMaximumSize(kClientWidth + style()->pixelMetric(QStyle::PM_ScrollBarExtent), kClientHeight);
  resize(kClientWidth, kClientHeight);
  ce.setFormula(QStringLiteral("0"));

  pages_ = new QScrollArea(this);
  pages_->setFrameShape(QFrame::NoFrame);
  PageControl1 = named(new QTabWidget(this), "PageControl1");
  PageControl1->setFixedSize(kClientWidth, kPagesHeight);
  buildMainTab();
  buildHolidaysTab();
  buildFontsTab();
  buildPicturesTab();
  ts_Calendar = new CalendarTab(kInnerWidth, PageControl1);
  PageControl1->addTab(ts_Calendar, QStringLiteral("Kalendarz"));
  connect(ts_Calendar, &CalendarTab::backgroundFitChanged, this, ui::guarded([this] { showBackground(); }));
  PageControl1->setCurrentWidget(ts_Holidays);  // the tab of the first opening; later the last one shown
  pages_->setWidget(PageControl1);

  QFont bold = font();
  bold.setBold(true);
  b_Cancel = named(new QPushButton(QStringLiteral("Anuluj"), this), "b_Cancel");
  b_Cancel->resize(kButtonWidth, 25);
  b_Cancel->setFont(bold);
  b_OK = named(new QPushButton(QStringLiteral("OK"), this), "b_OK");
  b_OK->resize(kButtonWidth, 25);
  b_OK->setFont(bold);
  for (QPushButton* b : findChildren<QPushButton*>()) b->setAutoDefault(false);  // Enter is always OK
  connect(b_Cancel, &QPushButton::clicked, this, &QDialog::reject);
  // The button's result closes the dialog even when its handler has reported an error.
  connect(b_OK, &QPushButton::clicked, this, ui::guarded([this] { b_OKClick(); }));
  connect(b_OK, &QPushButton::clicked, this, &QDialog::accept);

  // Changes since the opening are taken back and made again one at a time.
  auto keys = [this](const QList<QKeySequence>& sequences, void (Tf_Options::*run)()) {
    auto* action = new QAction(this);
    action->setShortcuts(sequences);
    connect(action, &QAction::triggered, this, ui::guarded([this, run] { (this->*run)(); }));
    addAction(action);
  };
  keys({Qt::CTRL | Qt::Key_Z}, &Tf_Options::undoChange);
  keys({Qt::CTRL | Qt::Key_Y, Qt::CTRL | Qt::SHIFT | Qt::Key_Z}, &Tf_Options::redoChange);
  connect(sag_Holidays, &ui::StringGrid::cellsEdited, this,
          ui::guarded([this] { edit_.storeGridEdit(sag_Holidays->columnTexts(1)); }));

  // The dialog sees every key before the focused control, and national holidays files dropped on it.
  setAcceptDrops(true);
  qApp->installEventFilter(this);
  FormCreate();
}

void Tf_Options::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  const int buttonsTop = height() - 31;
  pages_->setGeometry(0, 0, width(), buttonsTop - kButtonsBelowPages);
  b_Cancel->move(8, buttonsTop);
  b_OK->move(width() - 8 - kButtonWidth, buttonsTop);
}

void Tf_Options::fitToScreen() {
  const QScreen* shownOn = screen() ? screen() : QGuiApplication::primaryScreen();
  if (!shownOn) return;
  const QRect free = shownOn->availableGeometry();
  // The frame the window manager puts around the dialog, known once it has been shown; a title bar
  // before that.
  const QRect outer = frameGeometry();
  const QRect inner = geometry();
  QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                 outer.bottom() - inner.bottom());
  if (frame.isNull()) frame.setTop(style()->pixelMetric(QStyle::PM_TitleBarHeight));
  const QSize room = free.size().shrunkBy(frame);
  // A dialog that has to scroll is wider by the scroll bar, so that only its height scrolls.
  QSize fitted(kClientWidth, std::min(kClientHeight, room.height()));
  if (fitted.height() < kClientHeight) fitted.rwidth() += style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  resize(fitted.boundedTo(room));
  const QSize whole = size().grownBy(frame);
  move(free.left() + (free.width() - whole.width()) / 2, free.top() + (free.height() - whole.height()) / 2);
}

Tf_Options::~Tf_Options() { qApp->removeEventFilter(this); }

QPushButton* Tf_Options::button(QWidget* parent, const char* name, const char* caption,
                                void (Tf_Options::*handler)()) {
  auto* b = named(new QPushButton(QString::fromUtf8(caption), parent), name);
  connect(b, &QPushButton::clicked, this, ui::guarded([this, handler] { (this->*handler)(); }));
  return b;
}

void Tf_Options::buildMainTab() {
  ts_Main = tab(PageControl1, "ts_Main", "Główne");
  l_ThemeName = named(new QLabel(QStringLiteral("Nazwa tematu:"), ts_Main), "l_ThemeName");
  l_ThemeName->setGeometry(8, 10, kInnerWidth, 16);
  e_ThemeName = named(new QLineEdit(QStringLiteral("Default"), ts_Main), "e_ThemeName");
  e_ThemeName->setGeometry(8, 28, kInnerWidth, 22);
  l_ThemeName->setBuddy(e_ThemeName);
  ch_SundayLikeWeekday = named(new QCheckBox(QStringLiteral("Niedziela jak dzień powszedni"), ts_Main),
                               "ch_SundayLikeWeekday");
  ch_SundayLikeWeekday->setGeometry(8, 64, 270, 20);
  ch_WithoutForenames = named(new QCheckBox(QStringLiteral("Bez standardowych imienin"), ts_Main),
                              "ch_WithoutForenames");
  ch_WithoutForenames->setGeometry(8, 88, 270, 20);
  ch_DrawFrames = named(new QCheckBox(QStringLiteral("Rysuj ramki"), ts_Main), "ch_DrawFrames");
  ch_DrawFrames->setGeometry(8, 112, 270, 20);
  ch_WeekNumbers = named(new QCheckBox(QStringLiteral("Numery tygodni"), ts_Main), "ch_WeekNumbers");
  ch_WeekNumbers->setGeometry(8, 136, 270, 20);
}

void Tf_Options::buildHolidaysTab() {
  ts_Holidays = tab(PageControl1, "ts_Holidays", "Święta");
  // Two design-time items; the main window's month names replace them at creation.
  cb_Holidays = dropDownList(ts_Holidays, "cb_Holidays", {QStringLiteral("Styczeń"), QStringLiteral("Luty")},
                             QRect(8, 8, 170, 22));
  cb_Holidays->setMaxVisibleItems(12);
  connect(cb_Holidays, &QComboBox::activated, this, ui::guarded([this] {
            cb_HolidaysChange();
            showBackground();
          }));
  l_Year = named(new QLabel(ts_Holidays), "l_Year");
  l_Year->setFont(ui::interfaceFont(19, true));
  l_Year->setGeometry(164, 6, 90, 26);
  l_Year->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

  gb_NationalHolidays = named(new QGroupBox(QStringLiteral("Święta narodowe"), ts_Holidays), "gb_NationalHolidays");
  gb_NationalHolidays->setGeometry(8, 36, 246, 68);
  b_LoadNationalHolidays = button(gb_NationalHolidays, "b_LoadNationalHolidays", "Dodaj...",
                                  &Tf_Options::b_LoadNationalHolidaysClick);
  b_LoadNationalHolidays->setGeometry(8, 18, 111, 25);
  b_DeleteNationalHolidays =
      button(gb_NationalHolidays, "b_DeleteNationalHolidays", "Usuń", &Tf_Options::b_DeleteNationalHolidaysClick);
  b_DeleteNationalHolidays->setGeometry(127, 18, 111, 25);
  ch_UpdateEveryYear = named(new QCheckBox(QStringLiteral("Aktualizuj co roku"), gb_NationalHolidays),
                             "ch_UpdateEveryYear");
  ch_UpdateEveryYear->setGeometry(10, 46, 228, 18);
  ch_UpdateEveryYear->setToolTip(QStringLiteral(
      "Plik zostaje dołączony do tematu, a jego święta są dodawane dla roku każdej drukowanej strony"));

  // Beside the grid, the month's background: a small picture of it, and the buttons that choose and
  // remove it.
  gb_BackgroundPicture = named(new QGroupBox(ts_Holidays), "gb_BackgroundPicture");
  gb_BackgroundPicture->setGeometry(kColumnLeft, 6, kColumnWidth, 124);
  i_BackgroundPreview = named(new PictureBox(gb_BackgroundPicture), "i_BackgroundPreview");
  i_BackgroundPreview->setGeometry(6, 20, kColumnWidth - 12, 98);
  b_SetBackgroundPicture =
      button(ts_Holidays, "b_SetBackgroundPicture", "Tło...", &Tf_Options::b_SetBackgroundPictureClick);
  b_SetBackgroundPicture->setGeometry(kColumnLeft, 136, kColumnWidth, 25);
  b_DeleteBackgroundPicture = button(ts_Holidays, "b_DeleteBackgroundPicture", "Usuń tło",
                                     &Tf_Options::b_DeleteBackgroundPictureClick);
  b_DeleteBackgroundPicture->setGeometry(kColumnLeft, 166, kColumnWidth, 25);

  // The national holidays files of this opening, the linked ones marked.
  gb_HolidayFiles = named(new QGroupBox(QStringLiteral("Pliki świąt"), ts_Holidays), "gb_HolidayFiles");
  gb_HolidayFiles->setGeometry(kColumnLeft, 200, kColumnWidth, 150);
  cb_HolidayFiles = named(new QListWidget(gb_HolidayFiles), "cb_HolidayFiles");
  cb_HolidayFiles->setGeometry(6, 20, kColumnWidth - 12, 124);
  cb_HolidayFiles->setSelectionMode(QAbstractItemView::NoSelection);
  ui::setTag(cb_HolidayFiles, ui::kTagNotTranslated);  // file names

  sag_Holidays = named(new ui::StringGrid(2, ts_Holidays), "sag_Holidays");
  sag_Holidays->setColumnWidth(0, 20);
  sag_Holidays->setColumnWidth(1, 224);
  sag_Holidays->setDefaultRowHeight(16);
  sag_Holidays->setCell(0, 0, QStringLiteral("Lp."));
  sag_Holidays->setCell(1, 0, QStringLiteral("Święta"));
  sag_Holidays->setToolTip(
      QStringLiteral("Znak * na początku linii powoduje dodanie dodatkowej ikonki przy liczbie dnia na kalendarzu"));
  // Room for the header and 31 days, with lines between all cells and no scroll bar.
  sag_Holidays->setGeometry(8, 110, 20 + 224 + 2 * sag_Holidays->frameWidth(),
                            32 * 16 + 2 * sag_Holidays->frameWidth());
}

void Tf_Options::buildFontsTab() {
  ts_Fonts = tab(PageControl1, "ts_Fonts", "Czcionki");
  cb_Fonts = dropDownList(ts_Fonts, "cb_Fonts",
                          {QStringLiteral("Dzień zwykły"), QStringLiteral("Święto"), QStringLiteral("Święto własne"),
                           QStringLiteral("Imieniny")},
                          QRect(8, 8, 180, 22));
  connect(cb_Fonts, &QComboBox::activated, this, ui::guarded([this] { cb_FontsChange(); }));
  b_FontChange = button(ts_Fonts, "b_FontChange", "Zmień...", &Tf_Options::b_FontChangeClick);
  b_FontChange->setGeometry(8 + kInnerWidth - 84, 7, 84, 25);
  gb_FontDescription = named(new QGroupBox(ts_Fonts), "gb_FontDescription");
  gb_FontDescription->setGeometry(8, 40, kInnerWidth, 200);
  p_FontPreview = named(new QLabel(QStringLiteral("12"), gb_FontDescription), "p_FontPreview");
  p_FontPreview->setGeometry(8, 20, kInnerWidth - 16, 172);
  p_FontPreview->setAlignment(Qt::AlignCenter);
  // A white panel with a raised inner and a lowered outer bevel.
  p_FontPreview->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  p_FontPreview->setLineWidth(2);
  p_FontPreview->setAutoFillBackground(true);
  QPalette white = p_FontPreview->palette();
  white.setColor(QPalette::Window, Qt::white);
  p_FontPreview->setPalette(white);
}

void Tf_Options::buildPicturesTab() {
  ts_Pictures = tab(PageControl1, "ts_Pictures", "Rysunki");
  cb_Pictures = dropDownList(ts_Pictures, "cb_Pictures", {QStringLiteral("Lewy margines"), QStringLiteral("Święto")},
                             QRect(8, 8, 180, 22));
  connect(cb_Pictures, &QComboBox::activated, this, ui::guarded([this] { cb_PicturesChange(); }));
  b_PictureChange = button(ts_Pictures, "b_PictureChange", "Zmień...", &Tf_Options::b_PictureChangeClick);
  b_PictureChange->setGeometry(8 + kInnerWidth - 84, 7, 84, 25);
  gb_PictureDescription = named(new QGroupBox(ts_Pictures), "gb_PictureDescription");
  gb_PictureDescription->setGeometry(6, 40, kInnerWidth + 4, 543);
  i_PicturePreview = named(new PictureBox(gb_PictureDescription), "i_PicturePreview");
  i_PicturePreview->setGeometry(8, 22, kInnerWidth - 12, 513);
}

int Tf_Options::fieldYear() const { return host_.selectedYear ? host_.selectedYear() : 2009; }

int Tf_Options::month() const { return std::max(0, cb_Holidays->currentIndex()); }

QString Tf_Options::located(const QString& held) const {
  return host_.locatePicture ? host_.locatePicture(held) : held;
}

void Tf_Options::FormCreate() {
  if (host_.monthNames.isEmpty()) return;
  cb_Holidays->clear();
  cb_Holidays->addItems(host_.monthNames);
}

void Tf_Options::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (event->spontaneous()) return;  // the desktop showing it again, not a new opening
  ui::guarded([this] { FormShow(); })();
}

void Tf_Options::FormShow() {
  // The grid, its Sunday colours and the import keep to this year while the dialog is open, whatever
  // the main window's field does meanwhile.
  year_ = fieldYear();
  l_Year->setText(QString::number(year_));
  edit_.load();
  cb_Fonts->setCurrentIndex(0);
  cb_FontsChange();
  cb_Pictures->setCurrentIndex(0);
  cb_PicturesChange();
  if (cb_Holidays->currentIndex() < 0) cb_Holidays->setCurrentIndex(0);
  edit_.forgetShownMonth();
  cb_HolidaysChange();
  ts_Calendar->load(*host_.theme);
  showBackground();
  showHolidayFiles();
  const Theme& theme = *host_.theme;
  e_ThemeName->setText(edit_.name());
  ch_WithoutForenames->setChecked(theme.withoutForenames);
  ch_SundayLikeWeekday->setChecked(theme.sundayLikeWeekday);
  ch_DrawFrames->setChecked(theme.drawFrames);
  ch_WeekNumbers->setChecked(theme.weekNumbers);
  b_OK->setFocus();
  fitToScreen();
}

QStringList Tf_Options::shownTexts() {
  if (edit_.shownMonth() == ThemeEditCopy::kNoMonth) return {};
  sag_Holidays->commitEditor();
  return sag_Holidays->columnTexts(1);
}

void Tf_Options::cb_HolidaysChange() {
  const std::vector<GridDay> days = edit_.showMonth(shownTexts(), month(), year_);
  sag_Holidays->clearCellFormatting();
  sag_Holidays->setRowCount(int(days.size()) + 1);
  for (const GridDay& day : days) {
    sag_Holidays->setCell(1, day.day, QString());
    sag_Holidays->setCell(0, day.day, QString::number(day.day));
    sag_Holidays->setFixedCellColor(day.day, cellColour(day.colour));
    sag_Holidays->setCell(1, day.day, day.text);
  }
}

void Tf_Options::showFont(const ThemeFont& font) {
  p_FontPreview->setFont(screenFont(font));
  QPalette palette = p_FontPreview->palette();
  palette.setColor(QPalette::WindowText, toQColor(font.color));
  p_FontPreview->setPalette(palette);
  gb_FontDescription->setTitle(ThemeEditCopy::fontDescription(font));
}

void Tf_Options::cb_FontsChange() { showFont(edit_.font(std::max(0, cb_Fonts->currentIndex()))); }

void Tf_Options::b_FontChangeClick() {
  const int index = std::max(0, cb_Fonts->currentIndex());
  const ThemeFont& font = edit_.font(index);
  ui::FontDialogRequest fd_Fonts;
  fd_Fonts.objectName = QStringLiteral("fd_Fonts");
  fd_Fonts.initial = {screenFont(font), toQColor(font.color)};
  const std::optional<ui::FontChoice> chosen = ui::chooseFont(fd_Fonts, this);
  if (!chosen) return;
  edit_.setFont(index, themeFontFromChoice(chosen->font, chosen->colour, font));
  showFont(edit_.font(index));
}

void Tf_Options::showPicture(PictureBox* box, QGroupBox* group, const QString& file) {
  Picture picture = Picture::load(file);
  box->setPicture(std::move(picture));
  group->setTitle(files::filePart(file));
}

void Tf_Options::showReadablePicture(PictureBox* box, QGroupBox* group, const QString& file) {
  try {
    showPicture(box, group, file);
  } catch (const Error&) {
    // Said in the caption, not in a box: the dialog opens and OK commits whatever the theme holds.
    box->clear();
    group->setTitle(formatMessage(messageText(messages::msg_PictureUnreadable), files::filePart(file)));
  }
}

void Tf_Options::cb_PicturesChange() {
  const QString file = located(edit_.picture(std::max(0, cb_Pictures->currentIndex())));
  // A picture that is not there keeps the preview as it was.
  if (file.isEmpty() || !files::fileExists(file)) return;
  showReadablePicture(i_PicturePreview, gb_PictureDescription, file);
}

void Tf_Options::showBackground() {
  // The picture on the page as the chosen fit places it (the background covers the whole sheet).
  i_BackgroundPreview->showOnPage(QSize(page::kReferencePageWidthUnits, kPageHeightUnits),
                                  static_cast<page::PictureFit>(ts_Calendar->backgroundFit()));
  const QString held = edit_.background(month());
  const QString file = located(held);
  if (!file.isEmpty() && files::fileExists(file)) {
    showReadablePicture(i_BackgroundPreview, gb_BackgroundPicture, file);
    return;
  }
  // No background, or one whose file is not there: the name it has, over an empty box.
  i_BackgroundPreview->clear();
  gb_BackgroundPicture->setTitle(files::filePart(held));
}

void Tf_Options::b_PictureChangeClick() {
  const QString chosen = choosePicture("opd_OpenPicture", this);
  if (chosen.isEmpty()) return;
  // A file that cannot be read raises here: the box says why, and the setting stays as it was.
  showPicture(i_PicturePreview, gb_PictureDescription, chosen);
  edit_.setPicture(std::max(0, cb_Pictures->currentIndex()), chosen);
}

void Tf_Options::b_SetBackgroundPictureClick() {
  const QString chosen = choosePicture("opd_OpenPictureBG", this);
  if (chosen.isEmpty()) return;
  // As for the pictures: a file that cannot be read is refused with the reason.
  showPicture(i_BackgroundPreview, gb_BackgroundPicture, chosen);
  edit_.setBackground(month(), chosen);
}

void Tf_Options::b_DeleteBackgroundPictureClick() {
  edit_.setBackground(month(), QString());
  showBackground();
}

void Tf_Options::b_LoadNationalHolidaysClick() {
  ui::OpenDialog& od_Load = *host_.od_Load;
  od_Load.request.objectName = QStringLiteral("od_Load");
  od_Load.request.folder = host_.programDir + QStringLiteral("/holidays");
  od_Load.request.filter = QStringLiteral("national holidays (.hln)|*.hln");
  od_Load.request.title = QStringLiteral("Open");
  // The main window keeps its current theme file in the dialog's file name: it gets it back whatever
  // happens here, so that a later Save still writes to that file.
  const QString remembered = od_Load.fileName;
  const auto giveBack = qScopeGuard([&od_Load, remembered] { od_Load.fileName = remembered; });
  od_Load.fileName.clear();
  if (od_Load.execute(this)) importNationalHolidays(od_Load.fileName);
}

void Tf_Options::importNationalHolidays(const QString& path) {
  const auto refresh = [this] {
    cb_HolidaysChange();
    showHolidayFiles();
  };
  QString skipped;
  try {
    if (ch_UpdateEveryYear->isChecked()) {
      // The notes name the file already, as a page's composition gives them.
      skipped = edit_.linkNationalHolidays(path, year_, shownTexts()).join(QLatin1Char('\n'));
    } else {
      edit_.importNationalHolidays(import_, path, year_, shownTexts());
      skipped = skippedHolidaysMessage(import_.skipped());
    }
  } catch (...) {
    refresh();  // the days imported before the error stay, and show
    throw;
  }
  refresh();
  showSkipped(skipped);
}

void Tf_Options::showHolidayFiles() {
  cb_HolidayFiles->clear();
  for (const QString& file : edit_.importedFiles()) cb_HolidayFiles->addItem(files::filePart(file));
  for (const QString& file : edit_.linkedFiles())
    cb_HolidayFiles->addItem(formatMessage(messageText(messages::msg_LinkedHolidaysFile), files::filePart(file)));
}

void Tf_Options::showSkipped(const QString& skipped) {
  if (skipped.isEmpty()) return;
  ui::MessageBoxRequest box;
  box.icon = QMessageBox::Information;
  box.title = QApplication::applicationDisplayName();
  box.text = skipped;
  box.objectName = QStringLiteral("skippedHolidaysBox");
  ui::showMessageBox(box, this);
}

void Tf_Options::b_DeleteNationalHolidaysClick() {
  edit_.removeNationalHolidays(shownTexts());
  cb_HolidaysChange();
  showHolidayFiles();
}

void Tf_Options::undoChange() { showChange(edit_.undo()); }

void Tf_Options::redoChange() { showChange(edit_.redo()); }

void Tf_Options::showChange(int changedMonth) {
  if (changedMonth != ThemeEditCopy::kNoMonth) cb_Holidays->setCurrentIndex(changedMonth);
  cb_HolidaysChange();  // the grid holds nothing to store back: it is filled afresh
  showBackground();
  cb_FontsChange();
  cb_PicturesChange();
  showHolidayFiles();
}

void Tf_Options::b_OKClick() {
  cb_FontsChange();
  cb_PicturesChange();
  cb_HolidaysChange();
  edit_.commit(e_ThemeName->text(), {ch_SundayLikeWeekday->isChecked(), ch_WithoutForenames->isChecked(),
                                     ch_DrawFrames->isChecked(), ch_WeekNumbers->isChecked()});
  ts_Calendar->store(*host_.theme);
}

bool Tf_Options::eventFilter(QObject* watched, QEvent* event) {
  if (isVisible() && ui::takeFileDrop(this, watched, event, QStringLiteral("hln"),
                                      [this](const QString& path) { importNationalHolidays(path); }))
    return true;
  // A key travels from the focused control up to its parents; look at it once, at its first stop.
  if (event->type() != QEvent::KeyPress || !isVisible()) return QDialog::eventFilter(watched, event);
  QWidget* firstStop = QApplication::focusWidget() ? QApplication::focusWidget() : this;
  if (watched != firstStop || firstStop->window() != this) return QDialog::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  switch (key->key()) {
    case Qt::Key_Escape:
      // An open cell editor takes Esc itself: it drops what was typed, and the dialog stays.
      if (sag_Holidays->isEditing()) break;
      b_Cancel->click();
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      // On a button Enter presses that button, as on every desktop.
      if (auto* focused = qobject_cast<QPushButton*>(firstStop)) {
        focused->click();
        return true;
      }
      // Anywhere else it is OK, also from an open cell editor, whose text counts: the handlers read the grid.
      sag_Holidays->commitEditor();
      b_OK->click();
      return true;
    default:
      break;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace orvella
