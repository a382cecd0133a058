#pragma once
// Menus, menu items and buttons whose handlers run guarded: an error escaping a handler is
// shown in the error message box instead of crossing Qt's event loop.
#include <QAbstractButton>
#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <memory>

#include "platform/ui/platform_services.h"

namespace veltrane {

// A slot that runs owner->handler() guarded; connect it to any signal.
template <class Owner>
auto guardedSlot(Owner* owner, void (Owner::*handler)()) {
    return [owner, handler] { runGuarded([owner, handler] { (owner->*handler)(); }); };
}

// Connects a signal of sender to owner->handler(), guarded; the signal's arguments are dropped.
template <class Sender, class Signal, class Owner>
void connectGuarded(Sender* sender, Signal signal, Owner* owner, void (Owner::*handler)()) {
    QObject::connect(sender, signal, owner, guardedSlot(owner, handler));
}

// Runs owner->handler(), guarded, when a click checks button; a click on the button that is
// already checked changes nothing and runs nothing. Checking it in code runs nothing either.
template <class Owner>
void connectGuardedCheck(QAbstractButton* button, Owner* owner, void (Owner::*handler)()) {
    auto wasChecked = std::make_shared<bool>(false);
    QObject::connect(button, &QAbstractButton::pressed, owner, [button, wasChecked] { *wasChecked = button->isChecked(); });
    QObject::connect(button, &QAbstractButton::clicked, owner, [owner, handler, wasChecked] {
        if (!*wasChecked) runGuarded([owner, handler] { (owner->*handler)(); });
    });
}

// A menu named for the script (its menu action is NAME + "Action"), added to `into` if given.
QMenu* newMenu(QWidget* owner, QMenu* into, const char* name, const QString& caption);

// A menu item named for the script, running handler guarded when triggered (no handler:
// the item only shows), added to menu.
QAction* newMenuItem(QObject* owner, QMenu* menu, const char* name, const QString& caption,
                     const char* shortcut = nullptr);
template <class Owner>
QAction* newMenuItem(Owner* owner, QMenu* menu, const char* name, const QString& caption, void (Owner::*handler)(),
                     const char* shortcut = nullptr) {
    QAction* action = newMenuItem(static_cast<QObject*>(owner), menu, name, caption, shortcut);
    if (handler) connectGuarded(action, &QAction::triggered, owner, handler);
    return action;
}

// Names a button for the script, gives it its hint and runs handler guarded on a click.
template <class Owner, class Button>
Button* guardedButton(Button* button, Owner* owner, const char* name, const QString& hint, void (Owner::*handler)()) {
    button->setObjectName(name);
    if (!hint.isEmpty()) button->setToolTip(hint);
    if (handler) connectGuarded(static_cast<QAbstractButton*>(button), &QAbstractButton::clicked, owner, handler);
    return button;
}

}  // namespace veltrane
