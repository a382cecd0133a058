#include "app/ui/veltrane_application.h"

#include "platform/ui/platform_services.h"
#include "uisupport/ui/program_font.h"

namespace veltrane {

VeltraneApplication::VeltraneApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName("Veltrane");
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
