#include "app/ui/veltrane_application.h"

#include <QIcon>

#include "platform/ui/platform_services.h"
#include "uisupport/ui/program_font.h"

namespace veltrane {

VeltraneApplication::VeltraneApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName("Veltrane");
    // Task bars match the windows to the desktop entry veltrane.desktop and its icon.
    setDesktopFileName("veltrane");
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QString(":/icons/%1x%1/apps/veltrane.png").arg(size), QSize(size, size));
    setWindowIcon(icon);
    // The main window ends the program: the histogram window may stay open and the main
    // window hides while the player runs.
    setQuitOnLastWindowClosed(false);
    setFont(programFont());
}

// Handlers catch at their own boundary (runGuarded); this is the last resort for anything
// that escapes Qt's own event delivery.
bool VeltraneApplication::notify(QObject* receiver, QEvent* event) {
    bool handled = false;
    runGuarded([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

}  // namespace veltrane
