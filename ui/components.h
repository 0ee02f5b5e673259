// Components of a window as a walk over them sees them: their tag, the menu items and buttons that run
// an action (and the link a walk reads), and the components of a window in creation order.
#pragma once

#include <QList>
#include <QString>

class QAbstractButton;
class QAction;
class QMenu;
class QObject;
class QWidget;

namespace orvella::ui {

// The tag of a component that the interface translation leaves alone.
inline constexpr int kTagNotTranslated = 100;

// Every component has an integer tag, 0 unless set.
int tag(const QObject* component);
void setTag(QObject* component, int tag);

// A menu item that runs `action`: it takes its caption, picture and state from the action whenever
// the action changes, runs the action when chosen, and records the link (linkedAction).
QAction* addMenuItem(QMenu* menu, const QString& name, QAction* action);
// A plain menu item with a caption of its own; the caller connects what it runs.
QAction* addMenuItem(QMenu* menu, const QString& name, const QString& caption);
// A menu separator; separators are left out of the translation.
QAction* addMenuSeparator(QMenu* menu, const QString& name);

// A push button that runs `action`: it takes the action's caption, hint and state whenever the action
// changes (its own caption may still be set) and runs the action when clicked.
void linkButton(QAbstractButton* button, QAction* action);

// The action a component runs through its link: a menu item or button linked above, or a tool button
// with a default action. nullptr for a component with no action (also for an action itself).
QAction* linkedAction(const QObject* component);

// The named components of a window in creation order, each followed by its own components; Qt's
// inner parts (names starting "qt_") and unnamed objects are passed through, not listed. Windows of
// their own made by the window (dialogs, menus) are components like any other.
QList<QObject*> components(const QWidget* window);

}  // namespace orvella::ui
