#include "app/ui/veltrane_application.h"

#include "platform/ui/platform_services.h"

namespace veltrane {

VeltraneApplication::VeltraneApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName("Veltrane");
    // The main window ends the program: the histogram window may stay open and the main
    // window hides while the player runs.
    setQuitOnLastWindowClosed(false);
}

bool VeltraneApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        showErrorBox(QString::fromUtf8(error.what()));
    } catch (...) {
        showErrorBox("予期しないエラーが発生しました");
    }
    return false;
}

}  // namespace veltrane
