#pragma once
#include <QFont>

namespace veltrane {

// The program's window font: MS P Gothic at 12 pixels, or the IPA or Noto proportional
// Gothic that Linux desktops carry in its place. Set once on the application.
QFont programFont();

}  // namespace veltrane
