// Keys and focus in real windows. Enter in the main window with real previews that the user closes with
// Esc or the Close button, and a real error box closed with Esc: one key press opens one preview or one
// box. A typed year stays while the focus goes to a menu and the theme editor, and Enter in the editor
// presses the button that has the focus. Runs offscreen and on a real X server with a window manager,
// where the main window becomes active again only some time after the preview has gone.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include "app/main_window.h"
#include "app/print_window.h"
#include "app/program_state.h"
#include "app/year_spin_edit.h"
#include "editor/options/options_dialog.h"
#include "tests/app/started_program.h"
#include "tests/support/files.h"
#include "ui/dialog_seams.h"

using namespace orvella;
using testing::CloseBy;

Q_DECLARE_METATYPE(CloseBy)

namespace {

// Generous: other tests may be starting servers and windows on the same two cores.
constexpr int kPatience = 30000;

// A key pressed on the keyboard: it goes to whichever control of the window has the focus.
void pressKey(QWidget& window, Qt::Key key) { QTest::keyClick(window.windowHandle(), key); }

// The theme editor once it is the active window, or nothing.
Tf_Options* activeEditor() { return f_Options && f_Options->isActiveWindow() ? f_Options : nullptr; }

QMessageBox* activeMessageBox() {
  for (QWidget* widget : QApplication::topLevelWidgets())
    if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible() && box->isActiveWindow())
      return box;
  return nullptr;
}

// While it lives, closes each error box with Esc once it is the active window, as a user would.
class ClosingMessageBoxes {
 public:
  ClosingMessageBoxes() {
    poll_.setInterval(10);
    QObject::connect(&poll_, &QTimer::timeout, [] {
      if (QMessageBox* box = activeMessageBox()) pressKey(*box, Qt::Key_Escape);
    });
    poll_.start();
  }

 private:
  QTimer poll_;
};

}  // namespace

class EnterKeyTest : public QObject {
  Q_OBJECT

  std::unique_ptr<testing::StartedProgram> program;

  Tf_Main& start() {
    program = std::make_unique<testing::StartedProgram>(2009);
    Tf_Main& main = program->main();
    main.activateWindow();
    if (!QTest::qWaitForWindowActive(&main, kPatience)) qWarning("the main window did not become active");
    return main;
  }

  // Fails the test, rather than hanging it, when a window stays open.
  QTimer watchdog;

 private slots:
  void init() {
    ui::seams().cancelEverything();
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, this, [] {
      for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && (widget->isModal() || widget->objectName() == QLatin1String("QRStandardPreview")))
          widget->close();
      QFAIL("a window was still open");
    });
    watchdog.start(3 * kPatience);
  }

  void cleanup() {
    watchdog.stop();
    watchdog.disconnect();
    program.reset();
    ui::seams().reset();
  }

  void enterOpensOnePreview_data() {
    QTest::addColumn<bool>("fromYearField");
    QTest::addColumn<CloseBy>("closeBy");
    QTest::newRow("month list, Esc") << false << CloseBy::EscKey;
    QTest::newRow("month list, Close") << false << CloseBy::CloseButton;
    QTest::newRow("year field, Esc") << true << CloseBy::EscKey;
    QTest::newRow("year field, Close") << true << CloseBy::CloseButton;
  }

  void enterOpensOnePreview() {
    QFETCH(bool, fromYearField);
    QFETCH(CloseBy, closeBy);
    Tf_Main& main = start();
    if (fromYearField) {
      // A typed year is what the preview shows.
      main.se_year->setFocus();
      main.se_year->editor()->selectAll();
      QTest::keyClicks(main.se_year, QStringLiteral("2030"));
    } else {
      main.cb_month->setFocus();
      QTest::keyClick(main.cb_month, Qt::Key_Down);  // February
    }
    testing::ClosingPreviews previews(closeBy);
    // What the user sees of the preview at its first opening, the window manager's frame included.
    if (fromYearField && closeBy == CloseBy::EscKey)
      previews.beforeClosing = [](QWidget& preview) {
        QCoreApplication::processEvents();
        testing::keepScreenOf(preview, QGuiApplication::platformName() + QStringLiteral("_month_preview"));
      };
    pressKey(main, Qt::Key_Return);
    QCoreApplication::processEvents();
    const QString year = fromYearField ? QStringLiteral("2030") : QStringLiteral("2010");
    QCOMPARE(previews.years().join(QStringLiteral(", ")), year);  // each preview by the year it shows
  }

  void aTypedYearIsTheOneYearOfTheMenuAndTheEditor() {
    Tf_Main& main = start();
    QTest::mouseClick(main.se_year->editor(), Qt::LeftButton);
    main.se_year->editor()->selectAll();
    QTest::keyClicks(main.se_year, QStringLiteral("2027"));
    QMenuBar* menus = main.menuBar();
    QTest::mouseClick(menus, Qt::LeftButton, {}, menus->actionGeometry(menus->actions().first()).center());
    QTRY_VERIFY_WITH_TIMEOUT(QApplication::activePopupWidget(), kPatience);
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
    QTRY_VERIFY_WITH_TIMEOUT(!QApplication::activePopupWidget(), kPatience);
    QCOMPARE(main.se_year->text(), QStringLiteral("2027"));

    QString yearShown;
    testing::when([] { return activeEditor(); }, [&yearShown] {
      yearShown = f_Options->l_Year->text();
      QTest::mouseClick(f_Options->b_OK, Qt::LeftButton);
    });
    QTest::mouseClick(main.findChild<QToolButton*>(QStringLiteral("ToolButton6")), Qt::LeftButton);
    QCOMPARE(yearShown, QStringLiteral("2027"));
    QCOMPARE(main.se_year->text(), QStringLiteral("2027"));
  }

  void enterInTheEditorPressesTheButtonThatHasTheFocus() {
    Tf_Main& main = start();
    QWidget* reached = nullptr;
    testing::when([] { return activeEditor(); }, [&reached] {
      Tf_Options& d = *f_Options;
      // Tab walks the controls until Cancel has the focus.
      for (int presses = 0; presses < 40 && QApplication::focusWidget() != d.b_Cancel; ++presses)
        pressKey(d, Qt::Key_Tab);
      reached = QApplication::focusWidget();
      pressKey(d, Qt::Key_Return);
      if (d.isVisible()) d.reject();
    });
    main.a_Edit->trigger();
    QCOMPARE(reached, static_cast<QWidget*>(f_Options->b_Cancel));
    QCOMPARE(f_Options->result(), int(QDialog::Rejected));
  }

  // The picture is left off the page with one warning, and the preview opens.
  void aBrokenPictureShowsOneWarningBox() {
    Tf_Main& main = start();
    const QString broken = program->folder.path(QStringLiteral("broken.jpg"));
    QVERIFY(testing::writeFile(broken, "\xFF\xD8\xFF\xE0 not really a jpeg"));
    main.state().theme.backgrounds[0] = broken;

    ui::seams().messageBoxes.setAnswerer({});  // the real box, closed as a user closes it
    ClosingMessageBoxes boxes;
    testing::ClosingPreviews previews(CloseBy::EscKey);
    main.cb_month->setFocus();
    pressKey(main, Qt::Key_Return);
    QCoreApplication::processEvents();
    QCOMPARE(ui::seams().messageBoxes.requests().size(), 1);
    QCOMPARE(ui::seams().messageBoxes.requests()[0].icon, QMessageBox::Warning);
    QVERIFY2(ui::seams().messageBoxes.requests()[0].text.contains(QStringLiteral("broken.jpg")),
             qPrintable(ui::seams().messageBoxes.requests()[0].text));
    QCOMPARE(previews.opened(), 1);
  }
};

QTEST_MAIN(EnterKeyTest)
#include "enter_key_test.moc"
