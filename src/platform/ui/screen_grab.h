#pragma once
#include <QImage>

namespace veltrane {

// The primary screen at its real resolution (device pixels); null when there is no screen or
// the desktop refuses. On Wayland the picture comes through the desktop portal; on the
// offscreen platform it is the screen's size holding the program's visible windows.
QImage grabPrimaryScreen();

// Whether a compositing manager runs: the Qt platform is xcb and the selection
// _NET_WM_CM_S<screen> has an owner.
bool compositorRunning();

}  // namespace veltrane
