// The window registry and the components of a window, on windows of the test's own.
#include <QAction>
#include <QCloseEvent>
#include <QDialog>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTemporaryDir>
#include <QtTest>

#include "ui/components.h"
#include "ui/lazy_icon.h"
#include "ui/lazy_icon_style.h"
#include "ui/window_registry.h"

using namespace orvella;

namespace {

QStringList names(const QList<QObject*>& objects) {
  QStringList found;
  for (const QObject* object : objects) found << object->objectName();
  return found;
}

QStringList registered() {
  QList<QObject*> objects;
  for (QWidget* window : ui::windows().windows()) objects << window;
  return names(objects);
}

// A window that refuses to close, as a preview does while it prints.
class Stubborn : public QWidget {
 protected:
  void closeEvent(QCloseEvent* event) override { event->ignore(); }
};

}  // namespace

class WindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void windowsAreKeptInCreationOrderUntilDestroyed() {
    auto first = ui::windows().make<QWidget>();
    first->setObjectName(QStringLiteral("first"));
    auto second = ui::windows().make<QDialog>();
    second->setObjectName(QStringLiteral("second"));
    auto* third = ui::windows().make<Stubborn>().release();
    third->setObjectName(QStringLiteral("third"));
    ui::windows().add(first.get());  // a second time changes nothing
    QCOMPARE(registered(), QStringList({"first", "second", "third"}));
    QCOMPARE(ui::windows().windowsOf<QDialog>(), QList<QDialog*>{second.get()});

    QSignalSpy removed(&ui::windows(), &ui::WindowRegistry::windowRemoved);
    second.reset();
    QCOMPARE(registered(), QStringList({"first", "third"}));
    QCOMPARE(removed.size(), 1);

    // Closing all but one: the others close, newest first; one that refuses stays.
    first->show();
    third->show();
    ui::windows().closeAllBut(nullptr);
    QVERIFY(!first->isVisible());
    QVERIFY(third->isVisible());
    delete third;
    QCOMPARE(registered(), QStringList({"first"}));
  }

  void componentsComeInCreationOrderWithTheirLinks() {
    QWidget window;
    window.setObjectName(QStringLiteral("f_Test"));
    auto* action = new QAction(QStringLiteral("Nowy"), &window);
    action->setObjectName(QStringLiteral("a_New"));
    auto* menu = new QMenu(&window);
    menu->setObjectName(QStringLiteral("mi_File"));
    QAction* linked = ui::addMenuItem(menu, QStringLiteral("Nowy1"), action);
    QAction* plain = ui::addMenuItem(menu, QStringLiteral("mi_Close"), QStringLiteral("Zamknij"));
    QAction* separator = ui::addMenuSeparator(menu, QStringLiteral("N1"));
    auto* inner = new QWidget(&window);  // unnamed: passed through, its children listed
    auto* button = new QPushButton(inner);
    button->setObjectName(QStringLiteral("b_New"));
    ui::linkButton(button, action);
    new QObject(button);  // unnamed
    (new QObject(&window))->setObjectName(QStringLiteral("qt_inner_part"));

    QCOMPARE(names(ui::components(&window)), QStringList({"a_New", "mi_File", "Nowy1", "mi_Close", "N1", "b_New"}));
    QCOMPARE(ui::linkedAction(linked), action);
    QCOMPARE(ui::linkedAction(button), action);
    QVERIFY(!ui::linkedAction(plain));
    QVERIFY(!ui::linkedAction(action));
    QCOMPARE(ui::tag(separator), ui::kTagNotTranslated);
    QCOMPARE(ui::tag(plain), 0);
    ui::setTag(&window, ui::kTagNotTranslated);
    QCOMPARE(ui::tag(&window), 100);

    // A linked button and menu item take the action's caption; the button's own caption may still be set.
    action->setText(QStringLiteral("New"));
    QCOMPARE(button->text(), QStringLiteral("New"));
    QCOMPARE(linked->text(), QStringLiteral("New"));
    button->setText(QStringLiteral("Own"));
    QCOMPARE(ui::linkedAction(button), action);
    QSignalSpy ran(action, &QAction::triggered);
    button->click();
    linked->trigger();
    QCOMPARE(ran.size(), 2);
    // And its state: an action turned off turns off what stands for it.
    action->setEnabled(false);
    QVERIFY(!linked->isEnabled() && !button->isEnabled());
  }

  // An icon made when first shown: from the file of its size, else scaled from the next larger one
  // (or the largest); its disabled look is the style's.
  void lazyFileIconsTakeTheNearestLargerFile() {
    QTemporaryDir folder;
    for (const auto& [side, colour] : {std::pair{16, Qt::red}, std::pair{32, Qt::blue}}) {
      QPixmap file(side, side);
      file.fill(colour);
      QVERIFY(file.save(folder.filePath(QStringLiteral("icon-%1.png").arg(side))));
    }
    const QIcon icon = ui::lazyFileIcon(folder.filePath(QStringLiteral("icon-%1.png")), {32, 16});
    for (const auto& [side, colour] : {std::pair{16, Qt::red}, std::pair{24, Qt::blue}, std::pair{64, Qt::blue}}) {
      const QImage shown = icon.pixmap(side, side).toImage();
      QCOMPARE(shown.size(), QSize(side, side));
      QCOMPARE(shown.pixelColor(side / 2, side / 2), QColor(colour));
    }
    QVERIFY(icon.pixmap(16, 16, QIcon::Disabled).toImage().pixelColor(8, 8) != QColor(Qt::red));
  }

  // The style's extension arrows, made late, are those the style makes at once, in either direction.
  void lateExtensionArrowsAreTheStylesOwn() {
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("fusion")));
    const ui::LazyIconStyle lazy(QStringLiteral("fusion"));
    for (QStyle::StandardPixmap arrow : {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton})
      for (Qt::LayoutDirection direction : {Qt::LeftToRight, Qt::RightToLeft}) {
        QStyleOption option;
        option.direction = direction;
        QCOMPARE(lazy.standardIcon(arrow, &option).pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32),
                 fusion->standardIcon(arrow, &option).pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32));
      }
  }
};

QTEST_MAIN(WindowsTest)
#include "windows_test.moc"
