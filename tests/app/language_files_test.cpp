// The shipped language files against the real windows (main window, theme editor, print page and an open
// preview): every component that shows a caption, text, list or hint is named, every name is a real
// component, English and Spanish leave nothing in Polish, and polski.lng gives back the built-in texts.
#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QFileDialog>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

#include "app/main_window.h"
#include "app/print_window.h"
#include "app/program_windows.h"
#include "editor/options/options_dialog.h"
#include "i18n/language/language_file.h"
#include "i18n/language/qt_translations.h"
#include "i18n/walk/language_walk.h"
#include "platform/errors/message_texts.h"
#include "preview/window/preview_window.h"
#include "tests/app/started_program.h"
#include "ui/components.h"
#include "ui/dialog_seams.h"
#include "ui/file_dialogs.h"
#include "ui/string_grid.h"
#include "ui/window_registry.h"

using namespace orvella;

namespace {

// Components whose text is data the program fills in (a theme's name, the year, a font's or picture's
// description, the preview's progress and page number), not a caption.
const QStringList kData{"e_ThemeName", "l_Year", "gb_FontDescription", "gb_PictureDescription", "ProgressPanel",
                        "PagePanel"};
// Texts that read the same in Polish and in the other languages.
const QStringList kSameInEveryLanguage{"Orvella", "OK", "12", "Language", "100%"};

struct Shown {
  QString text;  // what the component shows: caption, items or header cells; empty when nothing
  QString hint;  // its own tool tip; empty when none or when it shows its action's
};

QString tabText(const QObject* page) {
  const auto* stack = qobject_cast<const QStackedWidget*>(page->parent());
  const auto* tabs = stack ? qobject_cast<const QTabWidget*>(stack->parent()) : nullptr;
  return tabs ? tabs->tabText(tabs->indexOf(const_cast<QWidget*>(static_cast<const QWidget*>(page)))) : QString();
}

Shown shownBy(const QObject* c) {
  Shown shown;
  const QAction* link = ui::linkedAction(c);
  if (const auto* grid = qobject_cast<const ui::StringGrid*>(c)) {
    shown.text = grid->cell(0, 0) + '|' + grid->cell(1, 0);
  } else if (const auto* list = qobject_cast<const QComboBox*>(c)) {
    for (int i = 0; i < list->count(); ++i) shown.text += list->itemText(i) + '|';
  } else if (const auto* list = qobject_cast<const QListWidget*>(c)) {
    for (int i = 0; i < list->count(); ++i) shown.text += list->item(i)->text() + '|';
  } else if (const auto* menu = qobject_cast<const QMenu*>(c)) {
    shown.text = menu->title();
  } else if (const auto* action = qobject_cast<const QAction*>(c)) {
    if (!link && !action->isSeparator()) shown.text = action->text();
    if (!qobject_cast<const QMenu*>(c->parent()) && !link) shown.hint = action->toolTip();
  } else if (const auto* button = qobject_cast<const QAbstractButton*>(c)) {
    if (!link || qobject_cast<const QPushButton*>(c)) shown.text = button->text();
  } else if (const auto* label = qobject_cast<const QLabel*>(c)) {
    shown.text = label->text();
  } else if (const auto* group = qobject_cast<const QGroupBox*>(c)) {
    shown.text = group->title();
  } else if (const auto* edit = qobject_cast<const QLineEdit*>(c)) {
    shown.text = edit->text();
  } else if (c->isWidgetType()) {
    shown.text = tabText(c);
  }
  if (c->isWidgetType() && !link) shown.hint = static_cast<const QWidget*>(c)->toolTip();
  return shown;
}

// "window/component" -> what it shows, for every window of the program and every component the language
// walk may change; the window's own caption under "window/window".
QMap<QString, Shown> shownInWindows() {
  QMap<QString, Shown> all;
  for (QWidget* window : ui::windows().windows()) {
    const QString section = window->objectName();
    all[section + '/' + section].text = window->windowTitle();
    for (QObject* c : ui::components(window))
      if (ui::tag(c) != ui::kTagNotTranslated) all[section + '/' + c->objectName()] = shownBy(c);
  }
  return all;
}

QString componentOf(const QString& key) { return key.section('/', 1); }

// What is wrong with a file for the windows as they are now, built in.
QStringList problemsOf(const QString& path) {
  QStringList problems;
  const QMap<QString, Shown> builtIn = shownInWindows();
  const LanguageFile file(path);
  QStringList missing;
  applyLanguageFile(file, ui::windows().windows(), &missing);
  for (const QString& key : missing)
    if (!builtIn.value(key).text.isEmpty() && !kData.contains(componentOf(key)))
      problems << "no caption for " + key + " (built in: " + builtIn.value(key).text + ")";
  for (auto it = builtIn.cbegin(); it != builtIn.cend(); ++it)
    if (!it->hint.isEmpty() && !file.has("h", componentOf(it.key())))
      problems << "no hint for " + it.key() + " (built in: " + it->hint + ")";
  // Every name the file gives is a component of its window (or a hint of one of them).
  QSet<QString> names;
  for (auto it = builtIn.cbegin(); it != builtIn.cend(); ++it) names << componentOf(it.key());
  for (QWidget* window : ui::windows().windows())
    for (const QString& key : file.keys(window->objectName()))
      if (!builtIn.contains(window->objectName() + '/' + key)) problems << "no component " + key + " in " + path;
  for (const QString& key : file.keys("h"))
    if (!names.contains(key)) problems << "a hint for no component: " + key;
  return problems;
}

int advance(const QWidget* w, QString text) { return w->fontMetrics().horizontalAdvance(text.remove(QLatin1Char('&'))); }

// The captions of a window that do not fit their controls as they are laid out now.
QStringList cutOff(QWidget* window) {
  QStringList problems;
  auto check = [&](const QObject* c, const QString& text, int needed, int room) {
    if (needed > room)
      problems << QStringLiteral("%1/%2: \"%3\" needs %4 pixels, has %5")
                      .arg(window->objectName(), c->objectName(), text)
                      .arg(needed)
                      .arg(room);
  };
  for (QObject* c : ui::components(window)) {
    auto* w = qobject_cast<QWidget*>(c);
    if (!w) continue;
    if (auto* b = qobject_cast<QPushButton*>(w)) {
      if (!b->text().isEmpty()) check(b, b->text(), advance(b, b->text()) + 8, b->width());
    } else if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
      check(w, static_cast<QAbstractButton*>(w)->text(), w->sizeHint().width(), w->width());
    } else if (auto* l = qobject_cast<QLabel*>(w)) {
      if (!l->wordWrap() && !l->text().isEmpty()) check(l, l->text(), advance(l, l->text()) + 2 * l->frameWidth(), l->width());
    } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
      if (!g->title().isEmpty()) check(g, g->title(), advance(g, g->title()) + 16, g->width());
    } else if (auto* list = qobject_cast<QComboBox*>(w)) {
      for (int i = 0; i < list->count(); ++i)
        check(list, list->itemText(i), advance(list, list->itemText(i)) + 28, list->width());
    } else if (auto* list = qobject_cast<QListWidget*>(w)) {
      for (int i = 0; i < list->count(); ++i)
        check(list, list->item(i)->text(), advance(list, list->item(i)->text()) + 6, list->viewport()->width());
    } else if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
      check(tabs, QStringLiteral("the tabs"), tabs->tabBar()->sizeHint().width(), tabs->width());
    } else if (auto* bar = qobject_cast<QMenuBar*>(w)) {
      for (QAction* menu : bar->actions())
        check(bar, menu->text(), bar->actionGeometry(menu).right() + 1, bar->width());
    } else if (auto* grid = qobject_cast<ui::StringGrid*>(w)) {
      for (int column = 0; column < grid->colCount(); ++column)
        check(grid, grid->cell(column, 0), advance(grid, grid->cell(column, 0)) + 2, grid->columnWidth(column));
    }
  }
  return problems;
}

// Pictures of what a user sees, for a person to look at, when ORVELLA_SCREENSHOTS names a folder.
void keepPicture(QWidget* widget, const QString& name) {
  const QString out = qEnvironmentVariable("ORVELLA_SCREENSHOTS");
  if (!out.isEmpty()) widget->grab().save(out + QLatin1Char('/') + name + QStringLiteral(".png"));
}

}  // namespace

class LanguageFilesTest : public QObject {
  Q_OBJECT

  // Runs `check` while the program's windows and a preview of a month are all open, with their built-in
  // texts: the remembered language has no file, so none is applied at start.
  static void withAllWindows(const std::function<void()>& check) {
    testing::StartedProgram program(2009, [](ProgramContext& context) {
      QFile config(context.programDir + QStringLiteral("/config.ini"));
      if (config.open(QIODevice::WriteOnly)) config.write("[main]\nlang=built-in\n");
    });
    bool ran = false;
    const auto connection = QObject::connect(&ui::windows(), &ui::WindowRegistry::windowAdded, [&](QWidget* w) {
      QPointer<preview::QRStandardPreview> open(qobject_cast<preview::QRStandardPreview*>(w));
      if (!open) return;
      testing::when([open] { return !open || open->generationFinished(); }, [&ran, open, &check] {
        if (!open) return;
        check();
        ran = true;
        open->close();
      });
    });
    program.main().a_PrintPreview->trigger();
    QObject::disconnect(connection);
    QVERIFY(ran);
  }

 private slots:
  void init() { ui::seams().cancelEverything(); }
  void cleanup() { ui::seams().reset(); }

  void everyShippedFileNamesEveryCaptionAndHint() {
    QStringList problems;
    withAllWindows([&] {
      QCOMPARE(ui::windows().windows().size(), 4);
      for (const char* language : {"english", "espanol", "polski"}) {
        const QString path = QStringLiteral(ORVELLA_SOURCE_DIR "/data/lang/") + QLatin1String(language) + ".lng";
        // Each file meets the windows as the program builds them: Polish, with the preview in English.
        problems << problemsOf(path);
        applyLanguageFile(LanguageFile(QStringLiteral(ORVELLA_SOURCE_DIR "/data/lang/polski.lng")),
                          ui::windows().windows());
      }
    });
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
  }

  void englishAndSpanishLeaveNothingInPolish() {
    QStringList problems;
    withAllWindows([&] {
      const QMap<QString, Shown> polish = shownInWindows();
      for (const char* language : {"english", "espanol"}) {
        applyLanguageFile(LanguageFile(QStringLiteral(ORVELLA_SOURCE_DIR "/data/lang/") + language + ".lng"),
                          ui::windows().windows());
        const QMap<QString, Shown> now = shownInWindows();
        for (auto it = polish.cbegin(); it != polish.cend(); ++it) {
          if (kData.contains(componentOf(it.key())) || it.key().startsWith("QRStandardPreview/")) continue;
          const Shown& after = now.value(it.key());
          if (!it->text.isEmpty() && after.text == it->text && !kSameInEveryLanguage.contains(it->text))
            problems << QString(language) + ": " + it.key() + " still reads " + it->text;
          if (!it->hint.isEmpty() && after.hint == it->hint)
            problems << QString(language) + ": the hint of " + it.key() + " still reads " + it->hint;
        }
      }
    });
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
  }

  void everyCaptionFitsItsControl() {
    QStringList problems;
    withAllWindows([&] {
      Tf_Main& main = *f_Main;
      for (const char* language : {"english", "espanol", "polski"}) {
        const QString name = QLatin1String(language);
        useQtTranslationsOf(name);
        apply_language_file(QStringLiteral(ORVELLA_SOURCE_DIR "/data/lang/") + name + ".lng");
        QCoreApplication::sendPostedEvents();  // Qt's own widgets take the new catalog
        f_Options->show();  // as the Edit action opens it, not modal here
        for (QWidget* page : {f_Options->ts_Main, f_Options->ts_Holidays, f_Options->ts_Fonts, f_Options->ts_Pictures}) {
          f_Options->PageControl1->setCurrentWidget(page);
          keepPicture(f_Options, name + "_options_" + page->objectName());
        }
        for (QWidget* window : ui::windows().windows()) problems << cutOff(window);
        f_Options->reject();
        keepPicture(&main, name + "_main");

        // A file dialog and a message box as Qt draws them in the language.
        QFileDialog files(&main);
        ui::FileDialogRequest od_Load;
        od_Load.title = QStringLiteral("Open");
        od_Load.filter = QStringLiteral("user holidays (.hol)|*.hol");
        od_Load.folder = main.context().path(QStringLiteral("holidays"));
        ui::setUpFileDialog(files, od_Load);
        files.show();
        keepPicture(&files, name + "_file_dialog");
        files.close();
        main.mi_AboutClick();
        const ui::MessageBoxRequest about = ui::seams().messageBoxes.requests().constLast();
        QMessageBox box(about.icon, about.title, about.text, QMessageBox::StandardButtons(about.buttons), &main);
        box.show();
        keepPicture(&box, name + "_about_box");
        box.close();
      }
      useQtTranslationsOf(QStringLiteral("english"));
      setMessageTextSource({});
    });
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
  }

  // A preview opened in a language, then the language chosen again while it is open: the month's name
  // on the page comes from the month list, the window takes the file's texts.
  void aPreviewInTheLanguage_data() {
    QTest::addColumn<int>("system");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("close");
    QTest::newRow("english") << kLangEnglish << "english" << "March" << "&Close";
    QTest::newRow("espanol") << kLangSpanish << "espanol" << "Marzo" << "&Cerrar";
  }
  void aPreviewInTheLanguage() {
    QFETCH(int, system);
    QFETCH(QString, language);
    QFETCH(QString, month);
    QFETCH(QString, close);
    testing::StartedProgram program(2009, [system](ProgramContext& context) {
      context.systemLanguage = [system] { return system; };
    });
    Tf_Main& main = program.main();
    main.cb_month->setCurrentRow(2);
    QString exitCaption;
    testing::when([] { return !ui::windows().windowsOf<preview::QRStandardPreview>().isEmpty() &&
                              ui::windows().windowsOf<preview::QRStandardPreview>().front()->generationFinished(); },
                  [&] {
                    auto* preview = ui::windows().windowsOf<preview::QRStandardPreview>().front();
                    main.findChild<QAction*>(QStringLiteral("mi_") + language)->trigger();
                    QCoreApplication::sendPostedEvents();
                    exitCaption = preview->findChild<QToolButton*>(QStringLiteral("ExitButton"))->text();
                    keepPicture(preview, language + "_preview");
                    preview->close();
                  });
    main.a_PrintPreview->trigger();
    QCOMPARE(f_Print->form().qr_miech.caption, month);
    QCOMPARE(exitCaption, close);
    setMessageTextSource({});
    useQtTranslationsOf(QStringLiteral("english"));
  }

  void polishGivesBackTheBuiltInTexts() {
    QStringList problems;
    withAllWindows([&] {
      const QMap<QString, Shown> builtIn = shownInWindows();
      applyLanguageFile(LanguageFile(QStringLiteral(ORVELLA_SOURCE_DIR "/data/lang/english.lng")),
                        ui::windows().windows());
      applyLanguageFile(LanguageFile(QStringLiteral(ORVELLA_SOURCE_DIR "/data/lang/polski.lng")),
                        ui::windows().windows());
      const QMap<QString, Shown> now = shownInWindows();
      // The preview's built-in texts are English; Polish gives it Polish ones.
      for (auto it = builtIn.cbegin(); it != builtIn.cend(); ++it)
        if (!it.key().startsWith("QRStandardPreview/") &&
            (now.value(it.key()).text != it->text || now.value(it.key()).hint != it->hint))
          problems << it.key() + ": " + now.value(it.key()).text + " / " + now.value(it.key()).hint +
                          " instead of " + it->text + " / " + it->hint;
    });
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
  }
};

QTEST_MAIN(LanguageFilesTest)
#include "language_files_test.moc"
