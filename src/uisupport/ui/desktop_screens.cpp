#include "uisupport/ui/desktop_screens.h"

#include <QGuiApplication>
#include <QScreen>

namespace veltrane {

std::vector<ScreenRect> desktopScreens() {
    std::vector<ScreenRect> screens;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect r = screen->geometry();
        screens.push_back({r.x(), r.y(), r.width(), r.height()});
    }
    return screens;
}

}  // namespace veltrane
