#include "frames/ui/experiment_pictures.h"

#include <QImage>

#include "uisupport/ui/qt_bitmap.h"
#include "widgets/ui/picture_view.h"

namespace veltrane {

void showPicture(PictureView& view, const Bitmap24& bitmap) {
    if (bitmap.empty()) {
        view.clearPicture();
        return;
    }
    view.setPicture(imageCopyOf(bitmap));
}

}  // namespace veltrane
