// The language walk over a small window of test widgets: what each kind of component takes from a
// language file, the defaults of missing keys, the tag that keeps a component out, the list,
// radio-group and grid rules on real widgets, shared hints, and one repaint per window.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

#include "i18n/language/language_file.h"
#include "i18n/walk/language_walk.h"
#include "platform/errors/message_texts.h"
#include "tests/support/files.h"
#include "ui/components.h"
#include "ui/radio_group.h"
#include "ui/string_grid.h"
#include "ui/window_registry.h"

using namespace orvella;

namespace {

template <class T>
T* make(QWidget* parent, const char* name, const QString& text = {}) {
  auto* w = new T(parent);
  w->setObjectName(QLatin1String(name));
  if constexpr (std::is_base_of_v<QAbstractButton, T> || std::is_base_of_v<QLabel, T> ||
                std::is_base_of_v<QLineEdit, T>)
    w->setText(text);
  if constexpr (std::is_base_of_v<QGroupBox, T>) w->setTitle(text);
  return w;
}

// A window with one component of every kind, in Polish, as the program's windows are built.
struct TestWindow : QMainWindow {
  QAction* a_Go;
  QAction* mi_Plain;
  QAction* mi_Linked;
  QMenu* mi_Menu;
  QTabWidget* tabs;
  QWidget* ts_Page;
  QLabel* l_Label;
  QLabel* p_Panel;
  QLineEdit* e_Edit;
  QCheckBox* ch_Check;
  QRadioButton* rb_Radio;
  QGroupBox* gb_Group;
  QToolButton* tb_Plain;
  QToolButton* tb_Linked;
  QPushButton* b_Plain;
  QPushButton* b_Linked;
  QComboBox* cb_Combo;
  QListWidget* lb_List;
  ui::RadioGroup* rg_Group;
  QTreeWidget* tv_Tree;
  QTabBar* tc_Tabs;
  ui::StringGrid* sag_Grid;

  explicit TestWindow(const char* name) {
    setObjectName(QLatin1String(name));
    setWindowTitle(QStringLiteral("Okno"));
    a_Go = new QAction(QStringLiteral("Idź"), this);
    a_Go->setObjectName(QStringLiteral("a_Go"));
    a_Go->setToolTip(QStringLiteral("Idź dalej"));
    mi_Menu = menuBar()->addMenu(QStringLiteral("Menu"));
    mi_Menu->setObjectName(QStringLiteral("mi_Menu"));
    mi_Plain = ui::addMenuItem(mi_Menu, QStringLiteral("mi_Plain"), QStringLiteral("Zwykły"));
    mi_Linked = ui::addMenuItem(mi_Menu, QStringLiteral("mi_Linked"), a_Go);
    auto* client = new QWidget(this);
    setCentralWidget(client);
    tabs = make<QTabWidget>(client, "PageControl1");
    ts_Page = make<QWidget>(nullptr, "ts_Page");
    tabs->addTab(ts_Page, QStringLiteral("Strona"));
    l_Label = make<QLabel>(ts_Page, "l_Label", QStringLiteral("Etykieta"));
    p_Panel = make<QLabel>(ts_Page, "p_Panel", QStringLiteral("12"));
    p_Panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    e_Edit = make<QLineEdit>(ts_Page, "e_Edit", QStringLiteral("Tekst"));
    ch_Check = make<QCheckBox>(client, "ch_Check", QStringLiteral("Pole"));
    rb_Radio = make<QRadioButton>(client, "rb_Radio", QStringLiteral("Opcja"));
    gb_Group = make<QGroupBox>(client, "gb_Group", QStringLiteral("Grupa"));
    tb_Plain = make<QToolButton>(client, "tb_Plain", QStringLiteral("Narzędzie"));
    tb_Plain->setToolTip(QStringLiteral("Podpowiedź"));
    tb_Linked = make<QToolButton>(client, "tb_Linked");
    tb_Linked->setDefaultAction(a_Go);
    b_Plain = make<QPushButton>(client, "b_Plain", QStringLiteral("Przycisk"));
    b_Linked = make<QPushButton>(client, "b_Linked");
    ui::linkButton(b_Linked, a_Go);
    cb_Combo = make<QComboBox>(client, "cb_Combo");
    cb_Combo->addItems({QStringLiteral("jeden"), QStringLiteral("dwa"), QStringLiteral("trzy"), QStringLiteral("cztery")});
    cb_Combo->setCurrentIndex(2);
    lb_List = make<QListWidget>(client, "lb_List");
    lb_List->addItems({QStringLiteral("pierwszy"), QStringLiteral("drugi")});
    rg_Group = make<ui::RadioGroup>(client, "rg_Group", QStringLiteral("Rozmiar"));
    rg_Group->setItems({QStringLiteral("mały"), QStringLiteral("duży")});
    tv_Tree = make<QTreeWidget>(client, "tv_Tree");
    auto* root = new QTreeWidgetItem(tv_Tree, {QStringLiteral("korzeń")});
    new QTreeWidgetItem(root, {QStringLiteral("gałąź")});
    new QTreeWidgetItem(tv_Tree, {QStringLiteral("drugi korzeń")});
    tc_Tabs = make<QTabBar>(client, "tc_Tabs");
    tc_Tabs->addTab(QStringLiteral("A"));
    tc_Tabs->addTab(QStringLiteral("B"));
    tc_Tabs->setCurrentIndex(1);
    sag_Grid = new ui::StringGrid(2, client);
    sag_Grid->setObjectName(QStringLiteral("sag_Grid"));
    sag_Grid->setRowCount(3);
    sag_Grid->setCell(0, 0, QStringLiteral("Lp."));
    sag_Grid->setCell(1, 0, QStringLiteral("Święta"));
    sag_Grid->setCell(1, 1, QStringLiteral("Nowy Rok"));
  }
};

LanguageFile fileOf(const QByteArray& text) { return LanguageFile::fromBytes(text); }

// What each kind of component of the window shows as its caption or text, as "name=text".
QStringList captions(const TestWindow& w) {
  QStringList shown;
  auto add = [&shown](const QObject* c, const QString& text) { shown << c->objectName() + '=' + text; };
  add(&w, w.windowTitle());
  add(w.ts_Page, w.tabs->tabText(0));
  add(w.l_Label, w.l_Label->text());
  add(w.p_Panel, w.p_Panel->text());
  add(w.e_Edit, w.e_Edit->text());
  add(w.ch_Check, w.ch_Check->text());
  add(w.mi_Menu, w.mi_Menu->title());
  add(w.mi_Plain, w.mi_Plain->text());
  add(w.rb_Radio, w.rb_Radio->text());
  add(w.gb_Group, w.gb_Group->title());
  add(w.tb_Plain, w.tb_Plain->text());
  add(w.b_Plain, w.b_Plain->text());
  add(w.a_Go, w.a_Go->text());
  add(w.mi_Linked, w.mi_Linked->text());
  add(w.tb_Linked, w.tb_Linked->text());
  add(w.b_Linked, w.b_Linked->text());
  return shown;
}

}  // namespace

class LanguageWalkTest : public QObject {
  Q_OBJECT

 private slots:
  void everyKindTakesItsTextFromItsKey() {
    TestWindow w("f_Test");
    applyLanguageFile(fileOf("[f_Test]\n"
                             "f_Test=Window\n"
                             "ts_Page=Page\nl_Label=Label\np_Panel=Panel\ne_Edit=Text\nch_Check=Check\n"
                             "mi_Menu=Menu E\nmi_Plain=Plain\nmi_Linked=not used\nrb_Radio=Option\ngb_Group=Group\n"
                             "tb_Plain=Tool\ntb_Linked=not used\nb_Plain=Button\nb_Linked=Linked button\na_Go=Go\n"
                             "tv_Tree=root\\nbranch\\nsecond root\ntc_Tabs=X\\nY\n"),
                      {&w});
    // The action's caption reaches its menu item, tool button and push button, which visited after the
    // action keeps the caption of its own key until the action changes again.
    QCOMPARE(captions(w), QStringList({"f_Test=Window", "ts_Page=Page", "l_Label=Label", "p_Panel=Panel",
                                       "e_Edit=Text", "ch_Check=Check", "mi_Menu=Menu E", "mi_Plain=Plain",
                                       "rb_Radio=Option", "gb_Group=Group", "tb_Plain=Tool", "b_Plain=Button",
                                       "a_Go=Go", "mi_Linked=Go", "tb_Linked=Go", "b_Linked=Linked button"}));
    w.a_Go->setText(QStringLiteral("Go on"));
    QCOMPARE(w.b_Linked->text(), QStringLiteral("Go on"));
    // A tree's nodes count in tree order from the top.
    QCOMPARE(w.tv_Tree->topLevelItem(0)->child(0)->text(0), QStringLiteral("branch"));
    QCOMPARE(w.tv_Tree->topLevelItem(1)->text(0), QStringLiteral("second root"));
    QCOMPARE(w.tc_Tabs->tabText(1), QStringLiteral("Y"));
    QCOMPARE(w.tc_Tabs->currentIndex(), 1);
  }

  void missingKeysGiveBackBuiltInCaptionsButKeepTextsAndLists() {
    TestWindow w("f_Test");
    applyLanguageFile(fileOf("[f_Test]\nf_Test=Window\nl_Label=Label\nch_Check=Check\nmi_Menu=Menu E\na_Go=Go\n"), {&w});
    applyLanguageFile(fileOf("[f_Test]\n"), {&w});
    // Captions go back to those the components had when a language first reached them (the linked push
    // button's after its action's), never empty, so no menu or button disappears; texts keep theirs.
    QCOMPARE(captions(w), QStringList({"f_Test=Okno", "ts_Page=Strona", "l_Label=Label", "p_Panel=12", "e_Edit=Tekst",
                                       "ch_Check=Pole", "mi_Menu=Menu", "mi_Plain=Zwykły", "rb_Radio=Opcja",
                                       "gb_Group=Grupa", "tb_Plain=Narzędzie", "b_Plain=Przycisk", "a_Go=Go",
                                       "mi_Linked=Go", "tb_Linked=Go", "b_Linked=Go"}));
    QCOMPARE(w.cb_Combo->itemText(0), QStringLiteral("jeden"));
    QCOMPARE(w.rg_Group->title(), QStringLiteral("Rozmiar"));
    QCOMPARE(w.rg_Group->items(), QStringList({"mały", "duży"}));
    QCOMPARE(w.tv_Tree->topLevelItem(0)->text(0), QStringLiteral("korzeń"));
    // A missing key of any kind but a hint is reported, so a test can find captions a file forgot.
    QStringList missing;
    applyLanguageFile(fileOf("[f_Test]\nch_Check=Check\n"), {&w}, &missing);
    QVERIFY(missing.contains(QStringLiteral("f_Test/f_Test")));
    QVERIFY(missing.contains(QStringLiteral("f_Test/l_Label")));
    QVERIFY(!missing.contains(QStringLiteral("f_Test/ch_Check")));
  }

  void taggedComponentsAndWindowCaptionsAreLeftAlone() {
    TestWindow w("f_Test");
    ui::setTag(w.ch_Check, ui::kTagNotTranslated);
    ui::setTag(w.mi_Plain, ui::kTagNotTranslated);
    ui::setTag(&w, ui::kTagNotTranslated);
    applyLanguageFile(fileOf("[f_Test]\nf_Test=Window\nch_Check=Check\nmi_Plain=Plain\nrb_Radio=Option\n"), {&w});
    QCOMPARE(w.windowTitle(), QStringLiteral("Okno"));
    QCOMPARE(w.ch_Check->text(), QStringLiteral("Pole"));
    QCOMPARE(w.mi_Plain->text(), QStringLiteral("Zwykły"));
    QCOMPARE(w.rb_Radio->text(), QStringLiteral("Option"));  // the window's components are still treated
  }

  void listsReplaceTheirItemsAndKeepTheSelection() {
    TestWindow w("f_Test");
    w.lb_List->setCurrentRow(-1);
    applyLanguageFile(fileOf("[f_Test]\ncb_Combo=one\\ntwo\nlb_List=1\\n2\\n3\\n4\\n5\n"), {&w});
    QCOMPARE(w.cb_Combo->count(), 4);
    QCOMPARE(w.cb_Combo->itemText(1), QStringLiteral("two"));
    QCOMPARE(w.cb_Combo->itemText(2), QStringLiteral("trzy"));
    QCOMPARE(w.cb_Combo->currentIndex(), 2);
    QCOMPARE(w.lb_List->count(), 2);
    QCOMPARE(w.lb_List->item(1)->text(), QStringLiteral("2"));
    QCOMPARE(w.lb_List->currentRow(), 0);  // no selection before: the first item after
    // An entry without any separator replaces the first item only, and a selection change set back by
    // the walk is no user's choice: no change handler runs.
    QSignalSpy changes(w.cb_Combo, &QComboBox::currentIndexChanged);
    applyLanguageFile(fileOf("[f_Test]\ncb_Combo=only\n"), {&w});
    QCOMPARE(w.cb_Combo->itemText(0), QStringLiteral("only"));
    QCOMPARE(w.cb_Combo->itemText(1), QStringLiteral("two"));
    QCOMPARE(changes.count(), 0);
  }

  void radioGroupTakesCaptionAndItems() {
    TestWindow w("f_Test");
    w.rg_Group->setItemIndex(1);
    applyLanguageFile(fileOf("[f_Test]\nrg_Group=Size\\rsmall\\nlarge\\nhuge\n"), {&w});
    QCOMPARE(w.rg_Group->title(), QStringLiteral("Size"));
    QCOMPARE(w.rg_Group->items(), QStringList({"small", "large"}));
    QCOMPARE(w.rg_Group->itemIndex(), 1);
    applyLanguageFile(fileOf("[f_Test]\nrg_Group=tiny\n"), {&w});
    QCOMPARE(w.rg_Group->title(), QStringLiteral("Size"));
    QCOMPARE(w.rg_Group->items(), QStringList({"tiny", "large"}));
  }

  void gridTakesColumnsOfCellsAndLeavesEmptyOnesAlone() {
    TestWindow w("f_Test");
    applyLanguageFile(fileOf("[f_Test]\nsag_Grid=No.\\n\\n\\n\\nbeyond\\rHolidays\\n\\rthird column\n"), {&w});
    QCOMPARE(w.sag_Grid->cell(0, 0), QStringLiteral("No."));
    QCOMPARE(w.sag_Grid->cell(1, 0), QStringLiteral("Holidays"));
    QCOMPARE(w.sag_Grid->cell(1, 1), QStringLiteral("Nowy Rok"));  // an empty text leaves the cell
    QCOMPARE(w.sag_Grid->rowCount(), 3);
    QCOMPARE(w.sag_Grid->colCount(), 2);
  }

  void hintsComeFromOneSectionForEveryWindow() {
    TestWindow first("f_First");
    TestWindow second("f_Second");
    applyLanguageFile(fileOf("[h]\ntb_Plain=Shared hint\na_Go=Go further\ntb_Linked=not for a linked button\n"),
                      {&first, &second});
    QCOMPARE(first.tb_Plain->toolTip(), QStringLiteral("Shared hint"));
    QCOMPARE(second.tb_Plain->toolTip(), QStringLiteral("Shared hint"));
    QCOMPARE(first.a_Go->toolTip(), QStringLiteral("Go further"));
    QCOMPARE(first.a_Go->statusTip(), QStringLiteral("Go further"));
    // Controls linked to an action show the action's hint.
    QCOMPARE(first.tb_Linked->toolTip(), QStringLiteral("Go further"));
    QCOMPARE(first.b_Linked->toolTip(), QStringLiteral("Go further"));
    // An empty section "h" leaves every hint as it was.
    applyLanguageFile(fileOf("[h]\n"), {&first});
    QCOMPARE(first.tb_Plain->toolTip(), QStringLiteral("Shared hint"));
  }

  void theProgramsWindowsInOrderEachDrawnOnce() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("test.lng"));
    QVERIFY(testing::writeFile(path, "[f_First]\nf_First=First\nl_Label=One\n[f_Later]\nf_Later=Later\n"
                                     "[messages]\nmsg_Test=From the file\n"));
    auto first = ui::windows().make<TestWindow>("f_First");
    auto gone = ui::windows().make<TestWindow>("f_Gone");
    auto later = ui::windows().make<TestWindow>("f_Later");
    gone.reset();
    for (TestWindow* w : {first.get(), later.get()}) {
      // The tabs below the other controls, which lie on top of each other, so that the label is seen.
      w->resize(400, 500);
      w->tabs->setGeometry(0, 250, 300, 200);
      w->show();
      QVERIFY(QTest::qWaitForWindowExposed(w));
    }
    QTest::qWait(50);

    // Paints of every widget of both windows while the language changes and the events run after it.
    struct PaintCounter : QObject {
      QHash<QObject*, int> paints;
      bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++paints[o];
        return false;
      }
    } counter;
    qApp->installEventFilter(&counter);
    apply_language_file(path);
    QTest::qWait(100);
    qApp->removeEventFilter(&counter);

    QCOMPARE(first->windowTitle(), QStringLiteral("First"));
    QCOMPARE(first->l_Label->text(), QStringLiteral("One"));
    QCOMPARE(later->windowTitle(), QStringLiteral("Later"));
    QCOMPARE(messageText(MessageText{"msg_Test", "Wbudowany"}), QStringLiteral("From the file"));
    QVERIFY(first->updatesEnabled() && later->updatesEnabled());
    QVERIFY(counter.paints.value(first->l_Label) >= 1);
    for (auto it = counter.paints.cbegin(); it != counter.paints.cend(); ++it)
      QVERIFY2(it.value() == 1, qPrintable(it.key()->objectName() + QStringLiteral(" drawn %1 times").arg(it.value())));
    setMessageTextSource({});
  }
};

QTEST_MAIN(LanguageWalkTest)
#include "language_walk_test.moc"
