#pragma once
#include <QApplication>

namespace veltrane {

// The application object. An error that escapes an event handler is shown in the error
// message box and the event loop goes on, as the program's top-level handler does.
class VeltraneApplication : public QApplication {
    Q_OBJECT

public:
    VeltraneApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace veltrane
