#pragma once
#include <QString>

class QWidget;

namespace veltrane {

// Asks the file manager (org.freedesktop.FileManager1) to show the file's properties without
// waiting for it; on an error reply, no reply within 5 s or no session bus, shows the
// program's own FilePropertiesDialog instead.
void requestFileProperties(QWidget* owner, const QString& path);

}  // namespace veltrane
