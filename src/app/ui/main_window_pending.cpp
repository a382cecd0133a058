// Commands whose windows and operations are not part of the program yet. Each keeps its
// guard, so that its place in the menus already behaves as it will.
#include "app/ui/main_window.h"

namespace veltrane {

#define VELTRANE_IMAGE_COMMAND(handler) \
    void TMain::handler() {             \
        if (!doc_.imageLoaded) return;  \
    }

VELTRANE_IMAGE_COMMAND(ExtractSkinColorClick)

}  // namespace veltrane
