#include "uisupport/ui/qt_bitmap.h"

#include <cstring>
#include <new>

#include "image/bgrx_rows.h"

namespace veltrane {

Bitmap24 bitmapFromImage(const QImage& image) {
    if (image.isNull()) return {};
    const int width = image.width(), height = image.height();
    Bitmap24 bitmap = Bitmap24::forOverwrite(width, height);
    if (image.format() == QImage::Format_BGR888) {
        for (int y = 0; y < height; ++y) std::memcpy(bitmap.row(y), image.constScanLine(y), 3 * std::size_t(width));
        return bitmap;
    }
    // 32-bit pixels are B, G, R, A in memory; alpha is dropped. Everything else (indexed,
    // 16-bit, premultiplied) is first converted to that layout.
    const bool packed = image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32;
    const QImage source = packed ? image : image.convertToFormat(QImage::Format_RGB32);
    if (source.isNull()) throw std::bad_alloc();
    for (int y = 0; y < height; ++y) packBgrxRow(source.constScanLine(y), bitmap.row(y), width);
    return bitmap;
}

QImage imageOver(const Bitmap24& bitmap) {
    if (bitmap.empty()) return {};
    return QImage(bitmap.data(), bitmap.width(), bitmap.height(), static_cast<qsizetype>(bitmap.stride()),
                  QImage::Format_BGR888);
}

QImage imageCopyOf(const Bitmap24& bitmap) {
    if (bitmap.empty()) return {};
    // The copy keeps the program's own pixel storage (huge pages, reused buffers), which fills
    // at memory speed where a fresh malloc'ed buffer first pays a fault for every 4 KiB page.
    auto* copy = new Bitmap24(bitmap);
    return QImage(
        copy->data(), copy->width(), copy->height(), static_cast<qsizetype>(copy->stride()), QImage::Format_BGR888,
        [](void* owned) { delete static_cast<Bitmap24*>(owned); }, copy);
}

}  // namespace veltrane
