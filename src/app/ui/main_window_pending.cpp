// Commands whose windows and operations are not part of the program yet. Each keeps its
// guard, so that its place in the menus already behaves as it will.
#include "app/ui/main_window.h"

namespace veltrane {

#define VELTRANE_IMAGE_COMMAND(handler) \
    void TMain::handler() {             \
        if (!doc_.imageLoaded) return;  \
    }
#define VELTRANE_COMMAND(handler) \
    void TMain::handler() {}

VELTRANE_IMAGE_COMMAND(propertyClick)
VELTRANE_IMAGE_COMMAND(CopyC1Click)
VELTRANE_IMAGE_COMMAND(wallpaperClick)

VELTRANE_COMMAND(thumbClick)
VELTRANE_COMMAND(PasteP1Click)
VELTRANE_COMMAND(transmitmuchClick)
VELTRANE_COMMAND(transmitlittleClick)
VELTRANE_COMMAND(transmitnoClick)
VELTRANE_COMMAND(DeskTopCaptureD1Click)

}  // namespace veltrane
