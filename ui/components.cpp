// Tags, links to actions and the creation-ordered list of a window's components.
#include "ui/components.h"

#include <QAbstractButton>
#include <QAction>
#include <QHash>
#include <QMenu>
#include <QPointer>
#include <QToolButton>

namespace orvella::ui {

namespace {

// The tags that are set, by component: most components have none, and the language walk asks every one.
QHash<const QObject*, int>& tags() {
  static QHash<const QObject*, int> set;
  return set;
}

// The record of a link, a child of the linked component.
class ActionLink : public QObject {
  Q_OBJECT

 public:
  ActionLink(QObject* component, QAction* action) : QObject(component), action_(action) {}
  QAction* action() const { return action_; }

 private:
  QPointer<QAction> action_;
};

void collect(const QObject* parent, QList<QObject*>& into) {
  for (QObject* child : parent->children()) {
    const QString name = child->objectName();
    if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_"))) into << child;
    collect(child, into);
  }
}

}  // namespace

int tag(const QObject* component) { return component ? tags().value(component, 0) : 0; }

void setTag(QObject* component, int value) {
  if (!tags().contains(component))
    QObject::connect(component, &QObject::destroyed, [component] { tags().remove(component); });
  tags().insert(component, value);
}

QAction* addMenuItem(QMenu* menu, const QString& name, QAction* action) {
  auto* item = new QAction(action->icon(), action->text(), menu);
  item->setObjectName(name);
  item->setEnabled(action->isEnabled());
  new ActionLink(item, action);
  QObject::connect(action, &QAction::changed, item, [item, action] {
    item->setText(action->text());
    item->setEnabled(action->isEnabled());
    // Setting an icon always counts as a change, and the menu lays itself out again for it.
    if (item->icon().cacheKey() != action->icon().cacheKey()) item->setIcon(action->icon());
  });
  QObject::connect(item, &QAction::triggered, action, [action] { action->trigger(); });
  menu->addAction(item);
  return item;
}

QAction* addMenuItem(QMenu* menu, const QString& name, const QString& caption) {
  auto* item = new QAction(caption, menu);
  item->setObjectName(name);
  menu->addAction(item);
  return item;
}

QAction* addMenuSeparator(QMenu* menu, const QString& name) {
  QAction* separator = menu->addSeparator();
  separator->setObjectName(name);
  setTag(separator, kTagNotTranslated);
  return separator;
}

void linkButton(QAbstractButton* button, QAction* action) {
  new ActionLink(button, action);
  button->setText(action->text());
  button->setToolTip(action->toolTip());
  button->setEnabled(action->isEnabled());
  QObject::connect(action, &QAction::changed, button, [button, action] {
    button->setText(action->text());
    button->setToolTip(action->toolTip());
    button->setEnabled(action->isEnabled());
  });
  QObject::connect(button, &QAbstractButton::clicked, action, [action] { action->trigger(); });
}

QAction* linkedAction(const QObject* component) {
  if (!component) return nullptr;
  if (const auto* link = component->findChild<ActionLink*>(QString(), Qt::FindDirectChildrenOnly))
    return link->action();
  if (const auto* toolButton = qobject_cast<const QToolButton*>(component)) return toolButton->defaultAction();
  return nullptr;
}

QList<QObject*> components(const QWidget* window) {
  QList<QObject*> found;
  if (window) collect(window, found);
  return found;
}

}  // namespace orvella::ui

#include "components.moc"
