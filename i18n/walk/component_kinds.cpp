// The kinds table: which of our Qt classes is which kind of component, and what a language file sets
// on it. A kind whose default is "built in" gives the component back the text it was made with when the
// file has no key for it (an empty caption would hide a menu or a button); a kind whose default is
// "current" keeps its text.
// Qt has one class where the original toolkit had two (QLabel is label and static text, QToolButton is
// tool button and speed button), so those kinds share a row here; no window holds a label with effects.
// A spin box is no edit box (its inner edit is Qt's own part), a QTabWidget is no tab control (its
// pages are tab sheets), and the print page's elements are no components at all.
#include "i18n/walk/component_kinds.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <functional>

#include "i18n/language/language_file.h"
#include "i18n/language/text_rules.h"
#include "ui/components.h"
#include "ui/radio_group.h"
#include "ui/string_grid.h"

namespace orvella {

using language::applyListRule;
using language::rememberedIndex;
using language::restoredIndex;

ComponentTexts::ComponentTexts(const LanguageFile& file, const QString& window, const QString& component,
                               QStringList* missing)
    : file_(file), window_(window), component_(component), missing_(missing) {}

QString ComponentTexts::own(const QString& defaultValue) const {
  if (missing_ && !file_.has(window_, component_)) *missing_ << window_ + QLatin1Char('/') + component_;
  return file_.read(window_, component_, defaultValue);
}

QString ComponentTexts::hint(const QString& current) const {
  return file_.read(QString::fromLatin1(language::kHintSection), component_, current);
}

QString builtInText(QObject* component, const QString& current) {
  static const char* const kNoted = "orvellaBuiltInText";
  const QVariant noted = component->property(kNoted);
  if (noted.isValid()) return noted.toString();
  component->setProperty(kNoted, current);
  return current;
}

namespace {

template <class T>
bool is(const QObject* component) {
  return qobject_cast<const T*>(component) != nullptr;
}

// A tab sheet is a page of a QTabWidget; its caption is the page's tab text.
QTabWidget* tabsOf(const QObject* component) {
  const auto* page = qobject_cast<const QWidget*>(component);
  const auto* stack = page ? qobject_cast<const QStackedWidget*>(page->parent()) : nullptr;
  auto* tabs = stack ? qobject_cast<QTabWidget*>(stack->parent()) : nullptr;
  return tabs && tabs->indexOf(const_cast<QWidget*>(page)) >= 0 ? tabs : nullptr;
}

// A label drawn with a frame stands for a panel (the font preview is one); any other is a label.
bool isPanel(const QObject* component) {
  const auto* label = qobject_cast<const QLabel*>(component);
  return label && label->frameShape() != QFrame::NoFrame;
}
bool isLabel(const QObject* component) { return is<QLabel>(component) && !isPanel(component); }

// Menu items without an action: the menus of a menu bar or menu (their caption is the title), and the
// actions that stand for plain menu items. A menu item linked to an action is left to that action.
bool isPlainMenuItem(const QObject* component) {
  if (const auto* menu = qobject_cast<const QMenu*>(component))
    return is<QMenuBar>(menu->parent()) || is<QMenu>(menu->parent());
  return is<QAction>(component) && is<QMenu>(component->parent()) && !ui::linkedAction(component);
}
// An action of the window's action list, which passes its caption on to whatever is linked to it.
bool isAction(const QObject* component) {
  return is<QAction>(component) && !is<QMenu>(component->parent()) && !ui::linkedAction(component);
}

bool isToolButtonWithoutAction(const QObject* component) {
  return is<QToolButton>(component) && !ui::linkedAction(component);
}
// A control linked to an action shows the action's hint, so that a hint meant for a control of the same
// name in another window (section "h" is shared) cannot reach it.
bool isControlWithoutAction(const QObject* component) { return is<QWidget>(component) && !ui::linkedAction(component); }
bool isGroupBox(const QObject* component) { return is<QGroupBox>(component) && !is<ui::RadioGroup>(component); }

template <class T, class Get, class Set>
void setCaption(QObject* component, const ComponentTexts& texts, bool keepWhenMissing, Get get, Set set) {
  auto* object = static_cast<T*>(component);
  const QString current = std::invoke(get, object);
  const QString value = texts.own(keepWhenMissing ? current : builtInText(object, current));
  if (value != current) std::invoke(set, object, value);
}

// The list rule over any list: its texts, then a change that keeps the selection (remembered in one
// byte). Setting the selection back runs no change handler, as no user chose anything.
template <class T>
void applyList(T* list, const ComponentTexts& texts, int count, const std::function<QString(int)>& item,
               const std::function<void(int, const QString&)>& setItem, const std::function<int()>& index,
               const std::function<void(int)>& setIndex) {
  const std::uint8_t remembered = index ? rememberedIndex(index()) : 0;
  QStringList items;
  for (int i = 0; i < count; ++i) items << item(i);
  const QStringList changed = applyListRule(items, texts.own(QString()));
  for (int i = 0; i < count; ++i)
    if (changed[i] != items[i]) setItem(i, changed[i]);
  if (setIndex) {
    const QSignalBlocker quiet(list);
    setIndex(restoredIndex(remembered, count));
  }
}

void applyComboBox(QObject* component, const ComponentTexts& texts) {
  auto* box = static_cast<QComboBox*>(component);
  applyList(
      box, texts, box->count(), [box](int i) { return box->itemText(i); },
      [box](int i, const QString& t) { box->setItemText(i, t); }, [box] { return box->currentIndex(); },
      [box](int i) { box->setCurrentIndex(i); });
}

void applyListBox(QObject* component, const ComponentTexts& texts) {
  auto* list = static_cast<QListWidget*>(component);
  applyList(
      list, texts, list->count(), [list](int i) { return list->item(i)->text(); },
      [list](int i, const QString& t) { list->item(i)->setText(t); }, [list] { return list->currentRow(); },
      [list](int i) { list->setCurrentRow(i); });
}

void applyRadioGroup(QObject* component, const ComponentTexts& texts) {
  auto* group = static_cast<ui::RadioGroup*>(component);
  const language::RadioGroupText value = language::splitRadioGroupValue(texts.own(QString()));
  if (value.caption) group->setTitle(*value.caption);
  group->renameItems(applyListRule(group->items(), value.items));
}

void collectNodes(QTreeWidgetItem* node, QList<QTreeWidgetItem*>& into) {
  into << node;
  for (int i = 0; i < node->childCount(); ++i) collectNodes(node->child(i), into);
}

void applyTreeView(QObject* component, const ComponentTexts& texts) {
  auto* tree = static_cast<QTreeWidget*>(component);
  QList<QTreeWidgetItem*> nodes;  // in tree order from the top
  for (int i = 0; i < tree->topLevelItemCount(); ++i) collectNodes(tree->topLevelItem(i), nodes);
  applyList(
      tree, texts, static_cast<int>(nodes.size()), [&nodes](int i) { return nodes[i]->text(0); },
      [&nodes](int i, const QString& t) { nodes[i]->setText(0, t); }, {}, {});
}

void applyTabControl(QObject* component, const ComponentTexts& texts) {
  auto* tabs = static_cast<QTabBar*>(component);
  applyList(
      tabs, texts, tabs->count(), [tabs](int i) { return tabs->tabText(i); },
      [tabs](int i, const QString& t) { tabs->setTabText(i, t); }, [tabs] { return tabs->currentIndex(); },
      [tabs](int i) { tabs->setCurrentIndex(i); });
}

void applyStringGrid(QObject* component, const ComponentTexts& texts) {
  auto* grid = static_cast<ui::StringGrid*>(component);
  language::applyGridRule(texts.own(QString()), grid->colCount(), grid->rowCount(),
                          [grid](int column, int row, const QString& text) { grid->setCell(column, row, text); });
}

void applyHint(QObject* component, const ComponentTexts& texts) {
  auto* control = static_cast<QWidget*>(component);
  const QString hint = texts.hint(control->toolTip());
  if (hint != control->toolTip()) control->setToolTip(hint);
}

void applyActionHint(QObject* component, const ComponentTexts& texts) {
  auto* action = static_cast<QAction*>(component);
  const QString hint = texts.hint(action->toolTip());
  if (hint == action->toolTip()) return;
  action->setToolTip(hint);
  action->setStatusTip(hint);
}

constexpr bool kBuiltIn = false;  // a missing key gives back the built-in text
constexpr bool kKeep = true;    // a missing key keeps the text

// clang-format off
const ComponentKind kKinds[] = {
    {"tab sheet", [](const QObject* c) { return tabsOf(c) != nullptr; },
     [](QObject* c, const ComponentTexts& t) {
       QTabWidget* tabs = tabsOf(c);
       const int index = tabs->indexOf(static_cast<QWidget*>(c));
       tabs->setTabText(index, t.own(builtInText(c, tabs->tabText(index))));
     }},
    {"label", isLabel,
     [](QObject* c, const ComponentTexts& t) { setCaption<QLabel>(c, t, kKeep, &QLabel::text, &QLabel::setText); }},
    {"panel", isPanel,
     [](QObject* c, const ComponentTexts& t) { setCaption<QLabel>(c, t, kKeep, &QLabel::text, &QLabel::setText); }},
    {"edit box", is<QLineEdit>,
     [](QObject* c, const ComponentTexts& t) {
       setCaption<QLineEdit>(c, t, kKeep, &QLineEdit::text, &QLineEdit::setText);
     }},
    {"check box", is<QCheckBox>,
     [](QObject* c, const ComponentTexts& t) {
       setCaption<QCheckBox>(c, t, kBuiltIn, &QCheckBox::text, &QCheckBox::setText);
     }},
    {"menu item without action", isPlainMenuItem,
     [](QObject* c, const ComponentTexts& t) {
       if (is<QMenu>(c)) setCaption<QMenu>(c, t, kBuiltIn, &QMenu::title, &QMenu::setTitle);
       else setCaption<QAction>(c, t, kBuiltIn, &QAction::text, &QAction::setText);
     }},
    {"radio button", is<QRadioButton>,
     [](QObject* c, const ComponentTexts& t) {
       setCaption<QRadioButton>(c, t, kBuiltIn, &QRadioButton::text, &QRadioButton::setText);
     }},
    {"group box", isGroupBox,
     [](QObject* c, const ComponentTexts& t) {
       setCaption<QGroupBox>(c, t, kBuiltIn, &QGroupBox::title, &QGroupBox::setTitle);
     }},
    {"tool button without action", isToolButtonWithoutAction,
     [](QObject* c, const ComponentTexts& t) {
       setCaption<QToolButton>(c, t, kBuiltIn, &QToolButton::text, &QToolButton::setText);
     }},
    // Also a button linked to an action: a later change of the action's caption reaches it again.
    {"push button", is<QPushButton>,
     [](QObject* c, const ComponentTexts& t) {
       setCaption<QPushButton>(c, t, kBuiltIn, &QPushButton::text, &QPushButton::setText);
     }},
    // The caption reaches the linked menu items, tool buttons and buttons.
    {"action", isAction,
     [](QObject* c, const ComponentTexts& t) { setCaption<QAction>(c, t, kKeep, &QAction::text, &QAction::setText); }},
    {"combo box", is<QComboBox>, applyComboBox},
    {"list box", is<QListWidget>, applyListBox},
    {"radio group", is<ui::RadioGroup>, applyRadioGroup},
    {"tree view", is<QTreeWidget>, applyTreeView},
    {"tab control", is<QTabBar>, applyTabControl},
    {"string grid", is<ui::StringGrid>, applyStringGrid},
    {"control", isControlWithoutAction, applyHint},
    {"action", isAction, applyActionHint},
};
// clang-format on

}  // namespace

std::span<const ComponentKind> componentKinds() { return kKinds; }

}  // namespace orvella
