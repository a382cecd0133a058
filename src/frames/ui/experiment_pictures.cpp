#include "frames/ui/experiment_pictures.h"

#include <QImage>

#include "widgets/ui/picture_view.h"

namespace veltrane {

void showPicture(PictureView& view, const Bitmap24& bitmap) {
    if (bitmap.empty()) {
        view.clearPicture();
        return;
    }
    view.setPicture(QImage(bitmap.data(), bitmap.width(), bitmap.height(), static_cast<qsizetype>(bitmap.stride()),
                           QImage::Format_BGR888)
                        .copy());
}

}  // namespace veltrane
