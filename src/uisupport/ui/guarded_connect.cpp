#include "uisupport/ui/guarded_connect.h"

namespace veltrane {

QMenu* newMenu(QWidget* owner, QMenu* into, const char* name, const QString& caption) {
    auto* menu = new QMenu(caption, owner);
    menu->setObjectName(name);
    menu->menuAction()->setObjectName(QString(name) + "Action");
    if (into) into->addMenu(menu);
    return menu;
}

QAction* newMenuItem(QObject* owner, QMenu* menu, const char* name, const QString& caption, const char* shortcut) {
    auto* action = new QAction(caption, owner);
    action->setObjectName(name);
    if (shortcut) action->setShortcut(QKeySequence(shortcut));
    if (menu) menu->addAction(action);
    return action;
}

}  // namespace veltrane
