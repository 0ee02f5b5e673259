// The main window: year and month choice, menus, actions and tool bar, and the program-wide state.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <QVector>
#include <functional>
#include <memory>

#include "app/program_context.h"
#include "calendar/composition/month_request.h"
#include "theme/files/recent_themes.h"
#include "ui/file_dialogs.h"

class QAction;
class QGroupBox;
class QKeyEvent;
class QListWidget;
class QMenu;
class QPushButton;
class QToolBar;

namespace orvella {

class YearSpinEdit;
class ProgramState;
class Tf_Help;
class LanguageFile;

class Tf_Main : public QMainWindow {
  Q_OBJECT
 public:
  explicit Tf_Main(ProgramContext context, QWidget* parent = nullptr);
  ~Tf_Main() override;

  // Handlers
  void FormCreate();
  void FormShow();
  void FormClose();
  void a_NewExecute();
  void a_OpenExecute();
  void a_SaveExecute();
  void mi_SaveAsClick();
  void FormActivate();
  void a_PrintPreviewExecute();
  // The twelve months of the year in the year field, composed one after another as the month
  // preview composes each, into one preview that shows them as they come.
  void a_YearPreviewExecute();
  void a_TwelveMonthsExecute();  // twelve months from the chosen one, into the next year
  void a_YearOverviewExecute();  // the year's twelve months on one page
  void a_EditExecute();
  void mi_AboutClick();
  void mi_CloseClick();
  // The user guide in the interface language, in the help window; the site's online help instead when
  // the build names a site.
  void a_HelpOnlineExecute();
  // The one handler of the three language items: with an item, that item's language; without, the
  // start-up choice (config.ini, else the system's language).
  void mi_englishClick(QAction* sender);
  void mi_WwwClick();
  // The site's theme gallery; without a site, the sample themes that come with the program.
  void mi_ThemeGalleryClick();
  // A sample theme of the program's "themes" folder, opened as File > Open opens a theme, but as the
  // start of a theme of the user's own: Save then asks where to keep it.
  void openSampleTheme(const QString& path);

  // A theme of File > "Ostatnie", opened as File > Open opens the file chosen; a file that is no longer
  // there is said and leaves the list.
  void openRecentTheme(const QString& path);
  // A theme file dropped on the window, opened as File > Open opens the file chosen.
  void openDroppedTheme(const QString& path);

  // Opens a theme named on the command line, once the window is up, as File > Open does with the file
  // chosen. A file that cannot be opened is reported and the default theme stays.
  void openThemeFromCommandLine(const QString& path);

  // The year as the composition reads it: the field's text, or the last year the field held when the
  // text is no whole number.
  int selectedYear() const;
  int selectedMonth() const;  // 0..11
  QString selectedMonthName() const;
  // Every month's name as the month list shows it, January first.
  QStringList monthNames() const;

  ProgramState& state() { return *state_; }
  const ProgramContext& context() const { return context_; }

  // Controls, named as the rest of the program and the language files know them.
  QToolBar* ToolBar1 = nullptr;
  QGroupBox* gb_Main = nullptr;
  YearSpinEdit* se_year = nullptr;
  QListWidget* cb_month = nullptr;
  QPushButton* b_PrintPreview = nullptr;
  QMenu* pm_Calendar = nullptr;
  QAction* a_New = nullptr;
  QAction* a_Open = nullptr;
  QAction* a_Save = nullptr;
  QAction* a_PrintPreview = nullptr;
  QAction* a_YearPreview = nullptr;
  QAction* a_TwelveMonths = nullptr;
  QAction* a_YearOverview = nullptr;
  QAction* a_Edit = nullptr;
  QAction* a_HelpOnline = nullptr;
  QMenu* mi_Language = nullptr;
  QMenu* mi_Recent = nullptr;  // File > the themes opened or saved last
  QMenu* mi_SampleThemes = nullptr;  // File > the sample themes, by name
  QMenu* mi_Help = nullptr;
  // The applied language's folder on the product web site; empty until a language file was applied.
  QString www_part;
  QVector<QIcon> il_Main;
  // The open dialog; its file name is the current theme file (the national holidays import borrows
  // the dialog and gives the name back).
  ui::OpenDialog od_Load;

 protected:
  void showEvent(QShowEvent* event) override;
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildActions();
  void buildMenus();
  void buildRecentMenu(QMenu* file);
  // The items of File > "Ostatnie" as config.ini lists the themes now.
  void refreshRecentMenu();
  void buildSampleThemesMenu(QMenu* file);
  void buildToolBar(QWidget* client);
  void buildClientArea(QWidget* client);
  QAction* menuItem(QMenu* menu, const QString& name, const QString& caption, void (Tf_Main::*handler)());
  void saveTheme(const QString& path);
  bool archiveBusy() const;
  // The language config.ini remembers; "none" when it says none or cannot be read (which is shown).
  QString rememberedLanguage();
  // While a year preview still composes its months on the print page, nothing else may compose on
  // it or change the theme under it: such a request beeps and is dropped.
  bool pageBusy() const;
  // Whether the theme may be replaced now (New, Open): not while a theme file is read or written or a
  // year is composed.
  bool mayReplaceTheme() const;
  // Where the theme dialogs start: the current theme's folder, else the one last chosen in this run,
  // else the user's documents.
  QString themeDialogFolder() const;
  // The file became the current theme file: the caption names it and the recent themes begin with it.
  void becameCurrentThemeFile(const QString& path);
  // The window's own keys: they win over the editing keys of its fields (Ctrl+E, the end of a line).
  bool isWindowShortcut(const QKeyEvent& key) const;
  // A request for the month (1..12) of the year with the theme, the page settings and the month
  // names as they are now.
  MonthRequest monthRequest(int year, int month) const;
  // Composes one page and previews it.
  void previewPage(const MonthRequest& request);
  // Previews the months' pages one after another as they are composed.
  void previewMonths(const std::vector<MonthRequest>& months);
  // What a composition had to leave off, said once for the action that composed.
  void showPageWarnings(const QStringList& warnings);
  // Makes the file the current theme; it becomes the current theme file only when it opened. A failure
  // raises Error naming the file and why, and changes nothing.
  bool openTheme(const QString& path);

  // The help window on the guide of the language's folder; made when first asked for, and closed
  // with the program.
  void showGuide();

  ProgramContext context_;
  std::unique_ptr<ProgramState> state_;
  RecentThemes recentThemes_;
  bool shownOnce_ = false;
  bool composingYear_ = false;
  const QEvent* enterHandled_ = nullptr;  // the Enter key press that ran the preview, on its way up
  std::shared_ptr<const LanguageFile> appliedLanguage_;  // the language applied last; none: the built-in texts
  QPointer<Tf_Help> help_;
};

}  // namespace orvella
