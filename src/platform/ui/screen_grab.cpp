#include "platform/ui/screen_grab.h"

#include <xcb/xcb.h>

#include <QApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QWidget>
#include <cstdlib>
#include <string>

#include "platform/desktop_environment.h"
#include "platform/ui/portal_screenshot.h"

namespace veltrane {

namespace {

// The offscreen platform cannot grab its screen: paint each visible top-level window where
// it stands on a black screen of the same size.
QImage composeOffscreenScreen(const QScreen& screen) {
    const qreal ratio = screen.devicePixelRatio();
    QImage picture((QSizeF(screen.geometry().size()) * ratio).toSize(), QImage::Format_RGB32);
    if (picture.isNull()) return {};
    picture.fill(Qt::black);
    QPainter painter(&picture);
    painter.scale(ratio, ratio);
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible() && window->screen() == &screen)
            painter.drawPixmap(window->geometry().topLeft() - screen.geometry().topLeft(), window->grab());
    return picture;
}

}  // namespace

QImage grabPrimaryScreen() {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return {};
    if (QGuiApplication::platformName() == "offscreen") return composeOffscreenScreen(*screen);
    // Under XWayland a direct grab sees only the X11 windows.
    if (qgetenv("XDG_SESSION_TYPE") == "wayland") return grabThroughPortal();
    return screen->grabWindow(0).toImage();
}

bool compositorRunning() {
    if (QGuiApplication::platformName() != "xcb") return false;
    const auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection) return false;
    const char* display = std::getenv("DISPLAY");
    const std::string selection = "_NET_WM_CM_S" + std::to_string(x11ScreenNumber(display ? display : ""));
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 1, static_cast<uint16_t>(selection.size()), selection.c_str()), nullptr);
    if (!atom) return false;
    const xcb_atom_t name = atom->atom;
    std::free(atom);
    if (name == XCB_ATOM_NONE) return false;  // never interned: nobody ever owned it
    xcb_get_selection_owner_reply_t* owner =
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, name), nullptr);
    if (!owner) return false;
    const bool owned = owner->owner != XCB_NONE;
    std::free(owner);
    return owned;
}

}  // namespace veltrane
