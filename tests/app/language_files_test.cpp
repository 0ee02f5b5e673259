// The shipped language files against the real windows (main window, theme editor, print page, help window and an open
// preview): every component that shows a caption, text, list or hint is named, every name is a real
// component, English and Spanish leave nothing in Polish, and polski.lng gives back the built-in texts.
#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QFileDialog>
#include <QComboBox>
#include <QDialogButtonBox>
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

#include "app/help_window.h"
#include "app/main_window.h"
#include "app/print_window.h"
#include "app/program_windows.h"
#include "editor/options/options_dialog.h"
#include "i18n/language/language_file.h"
#include "i18n/language/qt_translations.h"
#include "i18n/walk/language_walk.h"
#include "platform/errors/error.h"
#include "platform/errors/message_texts.h"
#include "platform/pictures/picture.h"
#include "preview/window/preview_window.h"
#include "tests/app/started_program.h"
#include "tests/support/files.h"
#include "ui/components.h"
#include "ui/dialog_seams.h"
#include "ui/file_dialogs.h"
#include "ui/font_dialog.h"
#include "ui/guarded.h"
#include "ui/printer_setup_dialog.h"
#include "ui/string_grid.h"
#include "ui/web_pages.h"
#include "ui/window_registry.h"

using namespace orvella;

namespace {

// The language file of that name shipped with the program.
QString shipped(const QString& language) { return QStringLiteral(ORVELLA_SOURCE_DIR "/data/lang/") + language + ".lng"; }

// Components whose text is data the program fills in (a theme's name, the year, a font's or picture's
// description, the preview's progress and page number), not a caption.
const QStringList kData{"e_ThemeName", "l_Year", "gb_FontDescription", "gb_PictureDescription", "ProgressPanel",
                        "PagePanel"};
// Texts that read the same in Polish and in English or Spanish.
const QStringList kSameInEveryLanguage{"Orvella", "OK", "12", "Language", "100%", "Autor: "};

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

// The width of the text's widest line, without its Alt-key marks.
int advance(const QWidget* w, QString text) {
  int widest = 0;
  for (const QString& line : text.remove(QLatin1Char('&')).split(QLatin1Char('\n')))
    widest = std::max(widest, w->fontMetrics().horizontalAdvance(line));
  return widest;
}

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

// The texts a dialog of ours shows (its title under its own name), by component, lists left out: they
// hold data such as printer and paper names.
QMap<QString, QString> textsOf(QWidget* dialog) {
  QMap<QString, QString> texts{{dialog->objectName(), dialog->windowTitle()}};
  for (QObject* c : ui::components(dialog)) {
    if (qobject_cast<QComboBox*>(c)) continue;
    const QString text = shownBy(c).text;
    if (!text.isEmpty()) texts[c->objectName()] = text;
  }
  for (const QDialogButtonBox* box : dialog->findChildren<QDialogButtonBox*>())
    for (QAbstractButton* button : box->buttons())
      texts[QStringLiteral("button %1").arg(box->standardButton(button))] = button->text();
  return texts;
}

// The letter that Alt takes to a control whose caption is `text`: the one after a single "&".
QChar altKeyOf(const QString& text) {
  for (qsizetype i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != QLatin1Char('&')) continue;
    if (text[i + 1] != QLatin1Char('&')) return text[i + 1].toLower();
    ++i;
  }
  return {};
}

// The message texts asked for while a language is applied, each with its built-in text.
class AskedMessages {
 public:
  explicit AskedMessages(const QString& languageFile) : file_(std::make_shared<LanguageFile>(languageFile)) {
    setMessageTextSource([this](const QString& key, const QString& builtIn) {
      asked_[key] = builtIn;
      return file_->read(QStringLiteral("messages"), key, builtIn);
    });
  }
  ~AskedMessages() { setMessageTextSource({}); }
  const QMap<QString, QString>& asked() const { return asked_; }

 private:
  std::shared_ptr<LanguageFile> file_;
  QMap<QString, QString> asked_;
};

// The printer set-up dialog as the preview opens it, in the language applied now, on the printers of
// the machine (none where the print system is out of reach, the private queue under one).
std::unique_ptr<ui::PrinterSetupDialog> openPrinterSetup(QPrinter& printer) {
  auto dialog = std::make_unique<ui::PrinterSetupDialog>(printer, 3);
  dialog->show();
  QCoreApplication::processEvents();
  return dialog;
}

}  // namespace

class LanguageFilesTest : public QObject {
  Q_OBJECT

  // Runs `check` while the program's windows and a preview of a month are all open, with their built-in
  // texts: the remembered language has no file, so none is applied at start.
  static void withAllWindows(const std::function<void()>& check) {
    testing::StartedProgram program(2009, [](ProgramContext& context) {
      testing::writeFile(context.programDir + QStringLiteral("/config.ini"), "[main]\nlang=built-in\n");
    });
    program.main().a_HelpOnline->trigger();
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
  // A test that applies a language leaves Qt's texts and the messages as they were.
  void cleanup() {
    ui::seams().reset();
    useQtTranslationsOf(QStringLiteral("english"));
    setMessageTextSource({});
  }

  void everyShippedFileNamesEveryCaptionAndHint() {
    QStringList problems;
    withAllWindows([&] {
      QCOMPARE(ui::windows().windows().size(), 5);
      for (const char* language : {"english", "espanol", "polski"}) {
        const QString path = shipped(QLatin1String(language));
        // Each file meets the windows as the program builds them: Polish, with the preview in English.
        problems << problemsOf(path);
        applyLanguageFile(LanguageFile(shipped(QStringLiteral("polski"))),
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
        applyLanguageFile(LanguageFile(shipped(QLatin1String(language))),
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
        apply_language_file(shipped(name));
        QCoreApplication::sendPostedEvents();  // Qt's own widgets take the new catalog
        f_Options->show();  // as the Edit action opens it, not modal here
        for (QWidget* page : {f_Options->ts_Main, f_Options->ts_Holidays, f_Options->ts_Fonts, f_Options->ts_Pictures}) {
          f_Options->PageControl1->setCurrentWidget(page);
          testing::keepScreenshot(*f_Options, name + "_options_" + page->objectName());
        }
        for (QWidget* window : ui::windows().windows()) problems << cutOff(window);
        f_Options->reject();
        testing::keepScreenshot(main, name + "_main");

        // A file dialog and a message box as Qt draws them in the language.
        QFileDialog files(&main);
        ui::FileDialogRequest od_Load;
        od_Load.title = QStringLiteral("Open");
        od_Load.filter = QStringLiteral("user holidays (.hol)|*.hol");
        od_Load.folder = main.context().path(QStringLiteral("holidays"));
        ui::setUpFileDialog(files, od_Load);
        files.show();
        testing::keepScreenshot(files, name + "_file_dialog");
        files.close();
        main.mi_AboutClick();
        testing::keepScreenshotOfBox(ui::seams().messageBoxes.requests().constLast(), &main, name + "_about_box");
      }
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
                    testing::keepScreenshot(*preview, language + "_preview");
                    preview->close();
                  });
    main.a_PrintPreview->trigger();
    QCOMPARE(f_Print->page().find(QStringLiteral("qr_miech"))->caption, month);
    QCOMPARE(exitCaption, close);
  }

  // The printer set-up, the picture error and the other messages of our own take their texts from the
  // applied language: each file names every one, polski.lng gives back the built-in texts, and no text
  // of the dialog reads the same in two languages; nothing is cut off.
  void ourDialogsAndMessagesSpeakTheLanguage() {
    testing::StartedProgram program;
    Tf_Main& main = program.main();
    QTemporaryDir folder;
    const QString broken = folder.filePath(QStringLiteral("broken.jpg"));
    QVERIFY(testing::writeFile(broken, "\xFF\xD8 not quite a JPEG"));
    QStringList problems;
    QMap<QString, QMap<QString, QString>> dialogTexts;  // language -> component -> text
    QMap<QString, QString> asked;                       // key -> built-in text
    for (const char* language : {"english", "espanol", "polski"}) {
      const QString name = QLatin1String(language);
      const QString path = shipped(name);
      useQtTranslationsOf(name);
      const AskedMessages messages(path);
      QPrinter printer;
      const auto setup = openPrinterSetup(printer);
      const bool printers = setup->findChild<QComboBox*>(QStringLiteral("Printer"));
      testing::keepScreenshot(*setup, name + (printers ? "_printer_setup" : "_printer_setup_no_printer"));
      dialogTexts[name] = textsOf(setup.get());
      problems << cutOff(setup.get());

      try {
        Picture::load(broken);
        problems << QStringLiteral("a broken picture loads");
      } catch (const Error& error) {
        testing::keepScreenshotOfBox({QMessageBox::Critical, QApplication::applicationDisplayName(), error.message(),
                                      QMessageBox::Ok, {}},
                                     &main, name + "_picture_error_box");
      }
      main.openThemeFromCommandLine(folder.filePath(QStringLiteral("missing.hol")));
      main.openThemeFromCommandLine(broken);
      ui::guarded([] { ui::openWebPage(QStringLiteral("https://orvella.example/")); })();
      ui::guarded([] { Tf_Help().showGuide(QStringLiteral("/no/such/guide/index.html")); })();
      // The font dialog itself, closed as soon as it shows.
      ui::seams().fontDialogs.setAnswerer({});
      testing::when([] { return QApplication::activeModalWidget(); }, [name] {
        testing::keepScreenshot(*QApplication::activeModalWidget(), name + "_font_dialog");
        QApplication::activeModalWidget()->close();
      });
      ui::chooseFont({QStringLiteral("fd_Fonts"), QString(), {main.font(), Qt::black}}, &main);
      main.mi_AboutClick();
      asked.insert(messages.asked());
    }

    for (const char* language : {"english", "espanol", "polski"}) {
      const LanguageFile file(shipped(QLatin1String(language)));
      for (auto it = asked.cbegin(); it != asked.cend(); ++it) {
        const QString text = file.read(QStringLiteral("messages"), it.key(), QString());
        if (!file.has(QStringLiteral("messages"), it.key()))
          problems << QString(language) + ": no message " + it.key();
        else if (QLatin1String(language) == QLatin1String("polski")
                     ? text != it.value()
                     : text == it.value() && !kSameInEveryLanguage.contains(text))
          problems << QString(language) + ": " + it.key() + " reads " + text + " (built in: " + it.value() + ")";
      }
    }
    for (const QString& key : dialogTexts.value(QStringLiteral("polski")).keys()) {
      const QString english = dialogTexts["english"].value(key), spanish = dialogTexts["espanol"].value(key),
                    polish = dialogTexts["polski"].value(key);
      if (kSameInEveryLanguage.contains(polish)) continue;
      if (english == spanish || english == polish || spanish == polish)
        problems << "the printer setup's " + key + " reads " + english + " / " + spanish + " / " + polish;
    }
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
  }

  // In every language each control of the printer set-up that Alt reaches has a letter of its own.
  void everyAltKeyOfThePrinterSetupIsItsOwn() {
    QStringList problems;
    for (const char* language : {"english", "espanol", "polski"}) {
      useQtTranslationsOf(QLatin1String(language));  // Qt's buttons have their letters too
      const AskedMessages messages(shipped(QLatin1String(language)));
      QPrinter printer;
      const auto setup = openPrinterSetup(printer);
      QMap<QChar, QString> taken;
      QStringList captions;
      for (const QLabel* label : setup->findChildren<QLabel*>()) captions << label->text();
      for (const QAbstractButton* button : setup->findChildren<QAbstractButton*>()) captions << button->text();
      for (const QString& caption : captions) {
        const QChar key = altKeyOf(caption);
        if (key.isNull()) continue;
        if (taken.contains(key))
          problems << QString(language) + ": Alt+" + key + " for " + taken[key] + " and " + caption;
        taken[key] = caption;
      }
    }
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join('\n')));
  }

  void polishGivesBackTheBuiltInTexts() {
    QStringList problems;
    withAllWindows([&] {
      const QMap<QString, Shown> builtIn = shownInWindows();
      applyLanguageFile(LanguageFile(shipped(QStringLiteral("english"))),
                        ui::windows().windows());
      applyLanguageFile(LanguageFile(shipped(QStringLiteral("polski"))),
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
