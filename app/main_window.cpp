// The main window: a small fixed window to pick a year and a month, from which everything is reached.
#include "app/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QToolBar>
#include <QToolButton>
#include <utility>

#include "calendar/composition/month_names.h"
#include "calendar/composition/month_composition.h"
#include "dates/calendar_days.h"
#include "app/help_window.h"
#include "app/print_window.h"
#include "editor/options/options_dialog.h"
#include "i18n/language/guide_pages.h"
#include "i18n/language/language_choice.h"
#include "i18n/language/language_file.h"
#include "i18n/language/qt_translations.h"
#include "i18n/language/web_links.h"
#include "i18n/walk/language_walk.h"
#include "platform/desktop/dialog_folders.h"
#include "platform/errors/error.h"
#include "platform/errors/message_texts.h"
#include "platform/files/path_names.h"
#include "preview/window/preview_request.h"
#include "platform/errors/error.h"
#include "theme/archive/archive_messages.h"
#include "theme/files/theme_open_message.h"
#include "theme/samples/sample_themes.h"
#include "app/program_state.h"
#include "app/program_windows.h"
#include "app/toolbar_icons.h"
#include "app/year_spin_edit.h"
#include "ui/components.h"
#include "ui/file_dialogs.h"
#include "ui/file_drops.h"
#include "ui/guarded.h"
#include "ui/flat_tool_bar_style.h"
#include "ui/interface_font.h"
#include "ui/key_hints.h"
#include "ui/message_boxes.h"
#include "ui/web_pages.h"
#include "ui/window_registry.h"

namespace orvella {

namespace {

constexpr int kClientWidth = 279;
constexpr int kClientHeight = 425;

}  // namespace

Tf_Main::Tf_Main(ProgramContext context, QWidget* parent)
    : QMainWindow(parent),
      context_(std::move(context)),
      state_(std::make_unique<ProgramState>(context_)),
      recentThemes_(context_.configFilePath()) {
  setObjectName(QStringLiteral("f_Main"));
  setWindowTitle(QStringLiteral("Orvella"));
  setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  // The two fonts of the program's folder, before any text is measured: a font added later empties the
  // toolkit's cache of faces, which would then be read again. A missing file gives no message.
  state_->registerProgramFonts();
  setFont(ui::interfaceFont(11));

  for (int i = 0; i < 8; ++i) il_Main.push_back(toolbarIcon(i));
  buildActions();
  buildMenus();

  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("client"));
  client->setFixedSize(kClientWidth, kClientHeight);
  buildToolBar(client);
  buildClientArea(client);
  setCentralWidget(client);
  setFixedSize(sizeHint());
  // A theme file dropped anywhere on the window opens (eventFilter).
  setAcceptDrops(true);

  FormCreate();
}

Tf_Main::~Tf_Main() {
  // The controls outlive the state while the window comes down; a last focus change must not reach it.
  qApp->removeEventFilter(this);
  se_year->disconnect(this);
  se_year->blockSignals(true);
}

void Tf_Main::buildActions() {
  struct ActionInfo {
    QAction** target;
    const char* name;
    const char* caption;
    const char* hint;
    int image;
  };
  const ActionInfo actions[] = {
      {&a_New, "a_New", "Nowy", "Nowy temat", 0},
      {&a_Open, "a_Open", "Otwórz", "Otwórz temat", 1},
      {&a_Save, "a_Save", "Zapisz", "Zapisz temat", 2},
      {&a_PrintPreview, "a_PrintPreview", "Podgląd wydruku", "Otwiera podgląd wydruku", 3},
      {&a_YearPreview, "a_YearPreview", "Podgląd roku", "Podgląd wszystkich miesięcy roku", -1},
      {&a_YearOverview, "a_YearOverview", "Przegląd roku", "Cały rok na jednej stronie", -1},
      {&a_TwelveMonths, "a_TwelveMonths", "Podgląd 12 miesięcy", "Podgląd dwunastu miesięcy od wybranego", -1},
      {&a_Edit, "a_Edit", "Edytuj", "Edycja tematu", 4},
      {&a_HelpOnline, "a_HelpOnline", "Pomoc on-line", "Podręcznik programu", -1},
  };
  for (const ActionInfo& s : actions) {
    auto* action = new QAction(QString::fromUtf8(s.caption), this);
    action->setObjectName(QString::fromLatin1(s.name));
    action->setToolTip(QString::fromUtf8(s.hint));
    action->setStatusTip(QString::fromUtf8(s.hint));
    if (s.image >= 0) action->setIcon(il_Main[s.image]);
    *s.target = action;
  }
  connect(a_New, &QAction::triggered, this, ui::guarded([this] { a_NewExecute(); }));
  connect(a_Open, &QAction::triggered, this, ui::guarded([this] { a_OpenExecute(); }));
  connect(a_Save, &QAction::triggered, this, ui::guarded([this] { a_SaveExecute(); }));
  connect(a_PrintPreview, &QAction::triggered, this, ui::guarded([this] { a_PrintPreviewExecute(); }));
  connect(a_YearPreview, &QAction::triggered, this, ui::guarded([this] { a_YearPreviewExecute(); }));
  connect(a_YearOverview, &QAction::triggered, this, ui::guarded([this] { a_YearOverviewExecute(); }));
  connect(a_TwelveMonths, &QAction::triggered, this, ui::guarded([this] { a_TwelveMonthsExecute(); }));
  connect(a_Edit, &QAction::triggered, this, ui::guarded([this] { a_EditExecute(); }));
  connect(a_HelpOnline, &QAction::triggered, this, ui::guarded([this] { a_HelpOnlineExecute(); }));
}

QAction* Tf_Main::menuItem(QMenu* menu, const QString& name, const QString& caption,
                           void (Tf_Main::*handler)()) {
  QAction* item = ui::addMenuItem(menu, name, caption);
  if (handler) connect(item, &QAction::triggered, this, ui::guarded([this, handler] { (this->*handler)(); }));
  return item;
}

void Tf_Main::buildMenus() {
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("mm_Menu"));

  QMenu* file = bar->addMenu(QStringLiteral("Plik"));
  file->setObjectName(QStringLiteral("mi_File"));
  // The keys live on the menu items, which show them; the items run the actions.
  ui::addMenuItem(file, QStringLiteral("Nowy1"), a_New)->setShortcut(Qt::CTRL | Qt::Key_N);
  ui::addMenuItem(file, QStringLiteral("Otwrz1"), a_Open)->setShortcut(Qt::CTRL | Qt::Key_O);
  buildRecentMenu(file);
  buildSampleThemesMenu(file);
  ui::addMenuItem(file, QStringLiteral("mi_Save"), a_Save)->setShortcut(Qt::CTRL | Qt::Key_S);
  menuItem(file, QStringLiteral("mi_SaveAs"), QStringLiteral("Zapisz jako..."), &Tf_Main::mi_SaveAsClick)
      ->setShortcut(Qt::CTRL | Qt::SHIFT | Qt::Key_S);
  ui::addMenuItem(file, QStringLiteral("mi_Edit"), a_Edit)->setShortcut(Qt::CTRL | Qt::Key_E);
  ui::addMenuSeparator(file, QStringLiteral("N2"));
  ui::addMenuItem(file, QStringLiteral("Podgldwydruku1"), a_PrintPreview)->setShortcut(Qt::CTRL | Qt::Key_P);
  ui::addMenuItem(file, QStringLiteral("mi_YearPreview"), a_YearPreview);
  ui::addMenuItem(file, QStringLiteral("mi_YearOverview"), a_YearOverview);
  ui::addMenuSeparator(file, QStringLiteral("N1"));
  menuItem(file, QStringLiteral("mi_Close"), QStringLiteral("Zamknij"), &Tf_Main::mi_CloseClick)
      ->setShortcut(Qt::CTRL | Qt::Key_Q);

  mi_Language = bar->addMenu(QStringLiteral("Language"));
  mi_Language->setObjectName(QStringLiteral("mi_Language"));
  // The captions name the language files, so the translation leaves them alone.
  for (const QString& name : language::offeredLanguages()) {
    QAction* item = ui::addMenuItem(mi_Language, QStringLiteral("mi_") + name, name);
    item->setCheckable(true);
    ui::setTag(item, ui::kTagNotTranslated);
    connect(item, &QAction::triggered, this, ui::guarded([this, item] { mi_englishClick(item); }));
  }

  mi_Help = bar->addMenu(QStringLiteral("Pomoc"));
  mi_Help->setObjectName(QStringLiteral("mi_Help"));
  menuItem(mi_Help, QStringLiteral("mi_About"), QStringLiteral("O programie"), &Tf_Main::mi_AboutClick);
  ui::addMenuSeparator(mi_Help, QStringLiteral("N3"));
  // Without a site there is no site to show; the gallery is then the sample themes.
  const bool site = !context_.siteUrl.isEmpty();
  menuItem(mi_Help, QStringLiteral("mi_Www"), QStringLiteral("Orvella w internecie"), &Tf_Main::mi_WwwClick)
      ->setVisible(site);
  // F1 is the program's help.
  ui::addMenuItem(mi_Help, QStringLiteral("mi_HelpOnline"), a_HelpOnline)->setShortcut(Qt::Key_F1);
  menuItem(mi_Help, QStringLiteral("mi_ThemeGallery"), QStringLiteral("Galeria tematów"), &Tf_Main::mi_ThemeGalleryClick)
      ->setEnabled(site || mi_SampleThemes->isEnabled());
}

void Tf_Main::buildRecentMenu(QMenu* file) {
  mi_Recent = file->addMenu(QStringLiteral("Ostatnie"));
  mi_Recent->setObjectName(QStringLiteral("mi_Recent"));
  mi_Recent->setToolTip(QStringLiteral("Ostatnio otwierane i zapisywane tematy"));
  mi_Recent->setToolTipsVisible(true);  // each item's hint is the theme's full path
  // The items stay for the whole run, shown as the list needs them: one may be chosen while the list
  // changes under it.
  for (int i = 0; i < RecentThemes::kCount; ++i) {
    QAction* item = ui::addMenuItem(mi_Recent, QStringLiteral("mi_Recent%1").arg(i + 1), QString());
    ui::setTag(item, ui::kTagNotTranslated);  // the file's own name
    connect(item, &QAction::triggered, this, ui::guarded([this, item] { openRecentTheme(item->data().toString()); }));
  }
  // Another copy of the program may have changed the list meanwhile.
  connect(file, &QMenu::aboutToShow, this, &Tf_Main::refreshRecentMenu);
  refreshRecentMenu();
}

void Tf_Main::refreshRecentMenu() {
  const QStringList files = recentThemes_.files();
  const QList<QAction*> items = mi_Recent->actions();
  for (qsizetype i = 0; i < items.size(); ++i) {
    items[i]->setVisible(i < files.size());
    if (i >= files.size()) continue;
    const QString name = files[i].section(QLatin1Char('/'), -1).replace(QLatin1Char('&'), QStringLiteral("&&"));
    items[i]->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(name));
    items[i]->setToolTip(QDir::toNativeSeparators(files[i]));
    items[i]->setData(files[i]);
  }
  mi_Recent->setEnabled(!files.isEmpty());
}

void Tf_Main::buildSampleThemesMenu(QMenu* file) {
  mi_SampleThemes = file->addMenu(QStringLiteral("Przykładowe motywy"));
  mi_SampleThemes->setObjectName(QStringLiteral("mi_SampleThemes"));
  mi_SampleThemes->setToolTip(QStringLiteral("Otwiera jeden z przykładowych motywów jako początek własnego tematu"));
  // The names are inside the archives: they are read when the menu first opens, not at start-up.
  const QString folder = context_.path(QStringLiteral("themes"));
  mi_SampleThemes->setEnabled(hasSampleThemes(folder));
  connect(mi_SampleThemes, &QMenu::aboutToShow, this, ui::guarded([this, folder] {
            if (!mi_SampleThemes->actions().isEmpty()) return;
            const QList<SampleTheme> samples = sampleThemes(folder);
            for (qsizetype i = 0; i < samples.size(); ++i) {
              QAction* item =
                  ui::addMenuItem(mi_SampleThemes, QStringLiteral("mi_SampleTheme%1").arg(i + 1), samples[i].name);
              ui::setTag(item, ui::kTagNotTranslated);  // the theme's own name
              connect(item, &QAction::triggered, this,
                      ui::guarded([this, path = samples[i].path] { openSampleTheme(path); }));
            }
          }));
}

void Tf_Main::buildToolBar(QWidget* client) {
  ToolBar1 = new QToolBar(client);
  ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
  ToolBar1->setGeometry(0, 0, kClientWidth, 33);
  ToolBar1->setIconSize(QSize(24, 24));
  ToolBar1->setMovable(false);
  ToolBar1->setFloatable(false);
  ToolBar1->setContentsMargins(1, 0, 0, 0);
  ToolBar1->setStyle(ui::flatToolBarStyle());

  auto plainButton = [this](const char* name) {
    auto* b = new QToolButton(ToolBar1);
    b->setObjectName(QString::fromLatin1(name));
    b->setToolButtonStyle(Qt::ToolButtonIconOnly);
    b->setAutoRaise(true);
    b->setFixedSize(31, 30);
    ToolBar1->addWidget(b);
    return b;
  };
  auto button = [&plainButton](const char* name, QAction* action, const QKeySequence& keys = {}) {
    QToolButton* b = plainButton(name);
    b->setDefaultAction(action);
    if (!keys.isEmpty()) ui::showKeyInToolTip(b, keys);
  };
  auto separator = [this](const char* name) {
    auto* gap = new QWidget(ToolBar1);
    gap->setObjectName(QString::fromLatin1(name));
    gap->setFixedSize(8, 30);
    ToolBar1->addWidget(gap);
  };
  button("ToolButton1", a_New, Qt::CTRL | Qt::Key_N);
  button("ToolButton2", a_Open, Qt::CTRL | Qt::Key_O);
  button("ToolButton3", a_Save, Qt::CTRL | Qt::Key_S);
  separator("ToolButton4");
  button("ToolButton5", a_PrintPreview, Qt::CTRL | Qt::Key_P);
  separator("ToolButton7");
  button("ToolButton6", a_Edit, Qt::CTRL | Qt::Key_E);
  separator("ToolButton8");

  // About and help are tool buttons of their own, with no action: they run the handlers directly.
  auto handlerButton = [this, &plainButton](const char* name, const QIcon& icon, const QString& hint,
                                            void (Tf_Main::*handler)()) {
    QToolButton* b = plainButton(name);
    b->setIcon(icon);
    b->setToolTip(hint);
    connect(b, &QToolButton::clicked, this, ui::guarded([this, handler] { (this->*handler)(); }));
    return b;
  };
  handlerButton("ToolButton9", il_Main[6], QStringLiteral("O programie"), &Tf_Main::mi_AboutClick);
  QToolButton* help =
      handlerButton("ToolButton10", il_Main[7], a_HelpOnline->toolTip(), &Tf_Main::a_HelpOnlineExecute);
  // Usable when the web pages are.
  help->setEnabled(a_HelpOnline->isEnabled());
  connect(a_HelpOnline, &QAction::changed, help, [this, help] { help->setEnabled(a_HelpOnline->isEnabled()); });
  ui::showKeyInToolTip(help, Qt::Key_F1);
}

void Tf_Main::buildClientArea(QWidget* client) {
  gb_Main = new QGroupBox(client);
  gb_Main->setObjectName(QStringLiteral("gb_Main"));
  gb_Main->setGeometry(1, 30, 278, 394);

  se_year = new YearSpinEdit(gb_Main);
  se_year->setObjectName(QStringLiteral("se_year"));
  se_year->setGeometry(8, 16, 265, 34);
  se_year->setFont(ui::interfaceFont(19));
  se_year->setRange(1, 9999);
  se_year->setSingleStep(1);

  cb_month = new QListWidget(gb_Main);
  cb_month->setObjectName(QStringLiteral("cb_month"));
  cb_month->setGeometry(8, 56, 264, 296);
  cb_month->setFont(ui::interfaceFont(19));
  cb_month->setUniformItemSizes(true);
  for (int month = 0; month < 12; ++month) {
    auto* item = new QListWidgetItem(polishMonthName(month), cb_month);
    item->setSizeHint(QSize(0, 24));
  }
  cb_month->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(cb_month, &QListWidget::itemDoubleClicked, this,
          ui::guarded([this] { a_PrintPreviewExecute(); }));

  pm_Calendar = new QMenu(this);
  pm_Calendar->setObjectName(QStringLiteral("pm_Calendar"));
  ui::addMenuItem(pm_Calendar, QStringLiteral("Edytuj1"), a_Edit);
  ui::addMenuItem(pm_Calendar, QStringLiteral("Podgldroku1"), a_YearPreview);
  ui::addMenuItem(pm_Calendar, QStringLiteral("mi_TwelveMonths"), a_TwelveMonths);
  connect(cb_month, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { pm_Calendar->popup(cb_month->viewport()->mapToGlobal(at)); });

  b_PrintPreview = new QPushButton(gb_Main);
  b_PrintPreview->setObjectName(QStringLiteral("b_PrintPreview"));
  b_PrintPreview->setGeometry(8, 360, 264, 25);
  ui::linkButton(b_PrintPreview, a_PrintPreview);

  // The window sees every key before the focused control.
  qApp->installEventFilter(this);
}

void Tf_Main::FormCreate() {
  se_year->setValue(std::clamp(context_.currentYear() + 1, se_year->minimum(), se_year->maximum()));
  cb_month->setCurrentRow(0);
  // Centred on the screen.
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
}

void Tf_Main::FormShow() {
  a_NewExecute();
  mi_englishClick(nullptr);
  state_->loadForenames();
}

void Tf_Main::FormClose() {
  state_->themeFiles.delete_temp();
  // The chosen language, when the user chose one; a failed write is shown and the program still closes.
  for (QAction* item : mi_Language->actions())
    if (item->isChecked()) language::rememberLanguage(context_.configFilePath(), item->text());
}

void Tf_Main::mi_englishClick(QAction* sender) {
  QString name;
  if (sender) {
    for (QAction* item : mi_Language->actions()) item->setChecked(false);
    sender->setChecked(true);
    name = sender->text();
  } else {
    name = rememberedLanguage();
    for (QAction* item : mi_Language->actions())
      if (item->text() == name) item->setChecked(true);
  }
  // No choice yet: the system's language, with no item checked, so nothing is remembered at close and
  // the system decides again at the next start.
  if (name == QLatin1String(language::kNoLanguage)) name = language::languageOfSystem(context_.systemLanguage());
  language_file_path = language::languageFilePath(context_.programDir, name);
  auto file = std::make_shared<const LanguageFile>(language_file_path);
  if (file->usable()) {
    const BusyCursor busy;
    useQtTranslationsOf(name);
    appliedLanguage_ = file;
    www_part = apply_language_file(std::move(file));
    // An open help window turns to the same page in the new language.
    if (help_) help_->showGuide(language::guideContents(context_.guideDir(), www_part));
    return;
  }
  // Everything stays as it was; the item stays checked. At start-up that is the built-in Polish, which
  // Qt's own dialogs and buttons then speak as well.
  if (!sender) useQtTranslationsOf(QString::fromLatin1(language::kPolish));
  ui::MessageBoxRequest box;
  box.title = QApplication::applicationDisplayName();
  box.text = file->problem();
  box.objectName = QStringLiteral("languageFileMissingBox");
  ui::showMessageBox(box, this);
}

QString Tf_Main::rememberedLanguage() {
  try {
    return language::rememberedLanguage(context_.configFilePath());
  } catch (const Error& e) {
    // A config.ini that cannot be read is said, and the system's language chosen, as without one.
    ui::showErrorMessage(e.message());
    return QString::fromLatin1(language::kNoLanguage);
  }
}

bool Tf_Main::archiveBusy() const {
  if (!state_->themeFiles.busy()) return false;
  QApplication::beep();
  return true;
}

bool Tf_Main::mayReplaceTheme() const { return !archiveBusy() && !pageBusy(); }

void Tf_Main::a_NewExecute() {
  if (!mayReplaceTheme()) return;
  od_Load.fileName.clear();
  state_->themeFiles.new_theme();
  setWindowTitle(QStringLiteral("Orvella"));
}

void Tf_Main::becameCurrentThemeFile(const QString& path) {
  od_Load.fileName = path;
  setWindowTitle(QStringLiteral("Orvella - ") + files::filePart(path));
  recentThemes_.add(path);
  refreshRecentMenu();
}

QString Tf_Main::themeDialogFolder() const {
  if (!od_Load.fileName.isEmpty()) return QFileInfo(od_Load.fileName).absolutePath();
  return dialogFolder(DialogFolder::Themes, userDocumentsFolder());
}

void Tf_Main::a_OpenExecute() {
  if (!mayReplaceTheme()) return;
  od_Load.request.objectName = QStringLiteral("od_Load");
  od_Load.request.title = QStringLiteral("Open");
  od_Load.request.folder = themeDialogFolder();
  od_Load.request.filter = QStringLiteral("user holidays (.hol)|*.hol");
  od_Load.request.defaultSuffix = QStringLiteral("hol");
  // A cancelled dialog changes nothing, and so does a file that does not open: the current theme file
  // stays.
  const QString current = od_Load.fileName;
  if (!od_Load.execute(this)) return;
  const QString chosen = std::exchange(od_Load.fileName, current);
  rememberDialogFolder(DialogFolder::Themes, chosen);
  openTheme(chosen);
}

void Tf_Main::openRecentTheme(const QString& path) {
  if (!mayReplaceTheme()) return;
  if (!QFileInfo(path).isFile()) {
    recentThemes_.remove(path);
    refreshRecentMenu();
    static constexpr MessageText msg_RecentThemeMissing{
        "msg_RecentThemeMissing", "Nie ma już pliku „%1”, więc zniknął z listy ostatnich tematów."};
    ui::MessageBoxRequest box;
    box.icon = QMessageBox::Warning;
    box.title = QApplication::applicationDisplayName();
    box.text = messageText(msg_RecentThemeMissing).arg(QDir::toNativeSeparators(path));
    box.objectName = QStringLiteral("recentThemeMissingBox");
    ui::showMessageBox(box, this);
    return;
  }
  openTheme(path);
}

void Tf_Main::openDroppedTheme(const QString& path) {
  if (mayReplaceTheme()) openTheme(path);
}

bool Tf_Main::openTheme(const QString& path) {
  try {
    if (!state_->themeFiles.load_theme(path)) return false;
  } catch (const Error& failed) {
    throw Error(themeNotOpenedMessage(path, failed.message()));
  }
  becameCurrentThemeFile(path);
  if (!state_->themeFiles.notice().isEmpty()) {
    ui::MessageBoxRequest box;
    box.icon = QMessageBox::Warning;
    box.title = QApplication::applicationDisplayName();
    box.text = state_->themeFiles.notice();
    box.objectName = QStringLiteral("themeNoticeBox");
    ui::showMessageBox(box, this);
  }
  return true;
}

void Tf_Main::openSampleTheme(const QString& path) {
  if (archiveBusy() || pageBusy()) return;
  // The shipped file stays as it is, also where the program's folder may be written: Save asks for a
  // name. A sample that cannot be opened changes nothing, as a failed Open does.
  if (!openTheme(path)) return;
  od_Load.fileName.clear();
  // Nor is it one of the user's themes to come back to.
  recentThemes_.remove(path);
  refreshRecentMenu();
}

void Tf_Main::openThemeFromCommandLine(const QString& given) {
  if (archiveBusy()) return;
  const QString path = QFileInfo(given).absoluteFilePath();
  QFile probe(path);
  if (!probe.open(QIODevice::ReadOnly)) {
    ui::showErrorMessage(messageText(archive::msg_CannotOpenFile).arg(given, probe.errorString()));
    return;
  }
  probe.close();
  try {
    openTheme(path);
  } catch (...) {
    ui::reportException(std::current_exception());
  }
}

void Tf_Main::a_SaveExecute() { saveTheme(od_Load.fileName); }

void Tf_Main::mi_SaveAsClick() { saveTheme(QString()); }

void Tf_Main::saveTheme(const QString& givenPath) {
  if (archiveBusy()) return;
  QString path = givenPath;
  if (path.isEmpty()) {
    ui::FileDialogRequest sd_Save;
    sd_Save.kind = ui::FileDialogRequest::Save;
    sd_Save.objectName = QStringLiteral("sd_Save");
    sd_Save.filter = QStringLiteral("swieta_wlasne|*.hol");
    sd_Save.defaultSuffix = QStringLiteral("hol");
    sd_Save.folder = themeDialogFolder();
    path = ui::chooseFile(sd_Save, this);
    rememberDialogFolder(DialogFolder::Themes, path);
  }
  // The settings file is rewritten even when no file was chosen. The file written is the current theme
  // file from now on, the one the caption names.
  if (!state_->themeFiles.save_theme(path)) return;
  becameCurrentThemeFile(path);
}

void Tf_Main::FormActivate() { cb_month->setFocus(); }

int Tf_Main::selectedYear() const { return yearFromText(se_year->text(), se_year->value()); }

int Tf_Main::selectedMonth() const { return std::max(0, cb_month->currentRow()); }

QString Tf_Main::selectedMonthName() const {
  const QListWidgetItem* item = cb_month->item(selectedMonth());
  return item ? item->text() : QString();
}

QStringList Tf_Main::monthNames() const {
  QStringList names;
  for (int row = 0; row < cb_month->count(); ++row) names << cb_month->item(row)->text();
  return names;
}

bool Tf_Main::pageBusy() const {
  if (!composingYear_) return false;
  QApplication::beep();
  return true;
}

MonthRequest Tf_Main::monthRequest(int year, int month) const {
  RequestOptions options;
  options.page = f_Print->settings();
  options.language.monthNames = monthNames();
  // The weekday header speaks the interface's language (the page's own Polish before any is applied).
  for (const MessageText& weekday : kWeekdayNames) options.language.weekdayNames << messageText(weekday);
  return state_->request(year, month, options);
}

void Tf_Main::showPageWarnings(const QStringList& warnings) {
  if (warnings.isEmpty()) return;
  ui::MessageBoxRequest box;
  box.icon = QMessageBox::Warning;
  box.title = QApplication::applicationDisplayName();
  box.text = warnings.join(QLatin1Char('\n'));
  box.objectName = QStringLiteral("pageWarningBox");
  ui::showMessageBox(box, this);
}

void Tf_Main::a_PrintPreviewExecute() {
  if (pageBusy()) return;
  // The request holds the year, the month and the theme as they are now: whatever changes them while
  // the page is composed or shown does not reach it.
  previewPage(monthRequest(selectedYear(), selectedMonth() + 1));
}

void Tf_Main::previewPage(const MonthRequest& request) {
  const ComposedPage composed = state_->compose(request);
  f_Print->keep(composed.page);
  showPageWarnings(composed.warnings);
  // Each preview shows its own copy of the page, so a later request may compose another while earlier
  // previews stay open, each showing its own month.
  preview::previewReport(f_Print->reportSource({composed.page}));
}

void Tf_Main::a_YearPreviewExecute() {
  if (pageBusy()) return;
  const int year = selectedYear();
  // An impossible year stops here, with the composition's own message, before any window opens.
  dayNumber(year, 1, 1);
  previewMonths(monthsOf(monthRequest(year, 1), 1, 12));
}

void Tf_Main::a_YearOverviewExecute() {
  if (pageBusy()) return;
  MonthRequest request = monthRequest(selectedYear(), 1);
  request.kind = PageKind::YearOverview;
  previewPage(request);
}

void Tf_Main::a_TwelveMonthsExecute() {
  if (pageBusy()) return;
  const int year = selectedYear();
  const int first = selectedMonth() + 1;
  // The last of the twelve months must be a date too (December 9999 is the last there is).
  dayNumber(first == 1 ? year : year + 1, first == 1 ? 12 : first - 1, 1);
  previewMonths(monthsOf(monthRequest(year, first), first, first == 1 ? 12 : first - 1));
}

void Tf_Main::previewMonths(const std::vector<MonthRequest>& months) {
  // The requests are made at once: the year field and the theme may change while they are composed,
  // without effect on them.
  QStringList warnings;
  bool warned = false;
  auto warnOnce = [&] {
    if (warned) return;
    warned = true;
    showPageWarnings(warnings);
  };
  report::ReportSource source = f_Print->reportSource();
  source.pageCount = int(months.size());
  source.generatePage = [&](int index) {
    const ComposedPage composed = state_->compose(months[size_t(index)]);
    f_Print->keep(composed.page);
    for (const QString& warning : composed.warnings)
      if (!warnings.contains(warning)) warnings << warning;
    if (index + 1 == source.pageCount) {
      composingYear_ = false;
      warnOnce();
    }
    return composed.page;
  };
  composingYear_ = true;
  // Also when the window closes before December, or a month stops with an error.
  const auto done = qScopeGuard([this] { composingYear_ = false; });
  preview::previewReport(source);
  warnOnce();
}

void Tf_Main::a_EditExecute() {
  if (pageBusy()) return;
  // The typed year is taken as leaving the field takes it, so that the field and the editor, which
  // works on the year it opens with, show the same year.
  se_year->commitTypedYear();
  f_Options->cb_Holidays->setCurrentIndex(selectedMonth());
  f_Options->exec();
}

void Tf_Main::a_HelpOnlineExecute() {
  if (context_.siteUrl.isEmpty())
    showGuide();
  else
    ui::openWebPage(language::onlineHelpAddress(context_.siteUrl, www_part));
}

void Tf_Main::showGuide() {
  std::unique_ptr<Tf_Help> made;
  if (!help_) {
    made = ui::windows().make<Tf_Help>();
    // Made after the language was applied: it takes the language now.
    if (appliedLanguage_) applyLanguageFile(*appliedLanguage_, {made.get()});
  }
  Tf_Help* window = help_ ? help_.data() : made.get();
  // A guide that is not there is said, and a window just made goes again.
  window->showGuide(language::guideContents(context_.guideDir(), www_part));
  if (made) {
    made->setAttribute(Qt::WA_DeleteOnClose);
    help_ = made.release();
  }
  window->show();
  window->raise();
  window->activateWindow();
}

void Tf_Main::mi_WwwClick() { ui::openWebPage(language::siteAddress(context_.siteUrl, www_part)); }

void Tf_Main::mi_ThemeGalleryClick() {
  if (!context_.siteUrl.isEmpty()) {
    ui::openWebPage(language::themeGalleryAddress(context_.siteUrl, www_part));
    return;
  }
  // Under the Help menu's title, where the user just was.
  mi_SampleThemes->popup(menuBar()->mapToGlobal(menuBar()->actionGeometry(mi_Help->menuAction()).bottomLeft()));
}

void Tf_Main::mi_AboutClick() {
  // The lines' words follow the interface language; Polish is built in.
  static constexpr MessageText msg_AboutCaption{"msg_AboutCaption", "O Programie..."};
  static constexpr MessageText msg_AboutVersion{"msg_AboutVersion", "Wersja: "};
  static constexpr MessageText msg_AboutAuthor{"msg_AboutAuthor", "Autor: "};
  static constexpr MessageText msg_AboutAuthorName{"msg_AboutAuthorName", "Zespół Orvella"};
  static constexpr MessageText msg_AboutRemarks{"msg_AboutRemarks", "Uwagi i sugestie: "};
  static constexpr MessageText msg_AboutThanks{"msg_AboutThanks", "Podziękowania dla tłumaczy:"};
  static constexpr MessageText msg_AboutSpanish{"msg_AboutSpanish", "  hiszpański - "};
  const QString text = QStringList{
      messageText(msg_AboutVersion) + QStringLiteral("1.33"),
      messageText(msg_AboutAuthor) + messageText(msg_AboutAuthorName),
      messageText(msg_AboutRemarks) + QStringLiteral("kontakt@orvella.example"),
      QString(),
      messageText(msg_AboutThanks),
      messageText(msg_AboutSpanish) + QStringLiteral("Lucía Fernández"),
  }.join(QLatin1Char('\r'));
  ui::MessageBoxRequest box;
  box.icon = QMessageBox::Information;
  box.title = messageText(msg_AboutCaption);
  box.text = QString(text).replace(QLatin1Char('\r'), QLatin1Char('\n'));
  box.objectName = QStringLiteral("aboutBox");
  ui::showMessageBox(box, this);
}

void Tf_Main::mi_CloseClick() { close(); }

void Tf_Main::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!shownOnce_) {
    shownOnce_ = true;
    ui::guarded([this] { FormShow(); })();
  }
}

void Tf_Main::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
}

void Tf_Main::closeEvent(QCloseEvent* event) {
  // A theme archive being written or read keeps the program open until it is done.
  if (state_->themeFiles.busy()) {
    event->ignore();
    return;
  }
  ui::guarded([this] { FormClose(); })();
  QMainWindow::closeEvent(event);
  // Closing the main window ends the program: every other window closes with it. A preview that is
  // printing cancels its job first and closes when the job has stopped.
  ui::windows().closeAllBut(this);
}

bool Tf_Main::isWindowShortcut(const QKeyEvent& key) const {
  const QKeySequence pressed(key.keyCombination());
  for (const QAction* action : menuBar()->findChildren<QAction*>())
    if (action->isEnabled() && action->shortcut() == pressed) return true;
  return false;
}

bool Tf_Main::eventFilter(QObject* watched, QEvent* event) {
  // The Enter that opened a preview travels on to the parents of its first stop once the preview has
  // closed, when the focus may rest elsewhere or nowhere: it must not count as a new key. Every other
  // event that passes here shows that its travel is over.
  if (event == enterHandled_ && event->type() == QEvent::KeyPress) return QMainWindow::eventFilter(watched, event);
  enterHandled_ = nullptr;
  if (ui::takeFileDrop(this, watched, event, QStringLiteral("hol"), [this](const QString& path) { openDroppedTheme(path); }))
    return true;
  // Not taken by the field that has the focus, the key reaches the window's shortcuts.
  if (event->type() == QEvent::ShortcutOverride && watched->isWidgetType() &&
      static_cast<QWidget*>(watched)->window() == this && isWindowShortcut(*static_cast<QKeyEvent*>(event)))
    return true;
  // A key travels from the focused control up to its parents; look at it once, at its first stop.
  QWidget* firstStop = QApplication::focusWidget() ? QApplication::focusWidget() : this;
  if (event->type() == QEvent::KeyPress && watched == firstStop && firstStop->window() == this) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      // Enter runs the preview button's handler; the key is not consumed.
      ui::guarded([this] { a_PrintPreviewExecute(); })();
      enterHandled_ = event;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace orvella
