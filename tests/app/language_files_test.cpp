// The shipped language files against the real windows (main window, theme editor, print page and an open
// preview): every component that shows a caption, text, list or hint is named, every name is a real
// component, English and Spanish leave nothing in Polish, and polski.lng gives back the built-in texts.
#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QtTest>

#include "app/main_window.h"
#include "i18n/language/language_file.h"
#include "i18n/walk/language_walk.h"
#include "preview/window/preview_window.h"
#include "tests/app/started_program.h"
#include "ui/components.h"
#include "ui/dialog_seams.h"
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
