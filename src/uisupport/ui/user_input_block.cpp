#include "uisupport/ui/user_input_block.h"

#include <QCoreApplication>
#include <QEvent>

namespace veltrane {

UserInputBlock::UserInputBlock() { QCoreApplication::instance()->installEventFilter(this); }

UserInputBlock::~UserInputBlock() { QCoreApplication::instance()->removeEventFilter(this); }

bool UserInputBlock::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::ContextMenu: return true;
    default: return QObject::eventFilter(watched, event);
    }
}

}  // namespace veltrane
