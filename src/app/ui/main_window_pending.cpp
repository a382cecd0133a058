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
VELTRANE_IMAGE_COMMAND(MargeClick)
VELTRANE_IMAGE_COMMAND(JointClick)
VELTRANE_IMAGE_COMMAND(ExtractSkinColorClick)
VELTRANE_IMAGE_COMMAND(CustomFilterC1Click)
VELTRANE_IMAGE_COMMAND(GradiationmapG1Click)
VELTRANE_IMAGE_COMMAND(ToneColorT1Click)
VELTRANE_IMAGE_COMMAND(PCNNP1Click)
VELTRANE_IMAGE_COMMAND(wallpaperClick)

VELTRANE_COMMAND(thumbClick)
VELTRANE_COMMAND(PasteP1Click)
VELTRANE_COMMAND(MandelbrotM1Click)
VELTRANE_COMMAND(JuliaJ1Click)
VELTRANE_COMMAND(transmitmuchClick)
VELTRANE_COMMAND(transmitlittleClick)
VELTRANE_COMMAND(transmitnoClick)
VELTRANE_COMMAND(DeskTopCaptureD1Click)

}  // namespace veltrane
