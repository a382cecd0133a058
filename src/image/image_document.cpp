#include "image/image_document.h"

#include <algorithm>

namespace veltrane {

// Moving bytes between B, G, R triples and planes takes byte shuffles that the x86-64 baseline
// lacks, so the compiler leaves these loops scalar (about a third of memory speed). GCC builds
// an SSSE3 copy beside the plain one and the loader picks it on processors that have it.
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__) && defined(__ELF__)
#define VELTRANE_SHUFFLE_LOOP __attribute__((target_clones("default", "ssse3")))
#else
#define VELTRANE_SHUFFLE_LOOP
#endif

VELTRANE_SHUFFLE_LOOP void splitBitmap(const Bitmap24& bitmap, ColorPlanes& planes) {
    const int w = bitmap.width();
    for (int y = 0; y < bitmap.height(); ++y) {
        const std::uint8_t* src = bitmap.row(y);
        std::uint8_t* r = planes.R[y];
        std::uint8_t* g = planes.G[y];
        std::uint8_t* b = planes.B[y];
        for (int x = 0; x < w; ++x) {
            b[x] = src[3 * x];
            g[x] = src[3 * x + 1];
            r[x] = src[3 * x + 2];
        }
    }
}

VELTRANE_SHUFFLE_LOOP void writePlanes(const ColorPlanes& planes, Bitmap24& bitmap) {
    const int w = bitmap.width();
    for (int y = 0; y < bitmap.height(); ++y) {
        std::uint8_t* dst = bitmap.row(y);
        const std::uint8_t* r = planes.R[y];
        const std::uint8_t* g = planes.G[y];
        const std::uint8_t* b = planes.B[y];
        for (int x = 0; x < w; ++x) {
            dst[3 * x] = b[x];
            dst[3 * x + 1] = g[x];
            dst[3 * x + 2] = r[x];
        }
    }
}

Bitmap24 ImageDocument::adopt(Bitmap24 picture, std::optional<std::string> newFileName) {
    ColorPlanes newCurrent = ColorPlanes::forOverwrite(picture.width(), picture.height());
    splitBitmap(picture, newCurrent);
    ColorPlanes newOriginal = newCurrent;
    // Nothing below allocates: the old picture is swapped out whole.
    current = std::move(newCurrent);
    original = std::move(newOriginal);
    std::swap(bitmap, picture);
    imageLoaded = true;
    if (newFileName) fileName = std::move(*newFileName);
    return picture;
}

void ImageDocument::buildPlanes() {
    current = ColorPlanes::forOverwrite(width(), height());
    splitBitmap(bitmap, current);
    original = current;
}

void ImageDocument::freePlanes() {
    if (!imageLoaded) return;
    current = ColorPlanes();
    original = ColorPlanes();
}

void ImageDocument::refreshFromPlanes() { writePlanes(current, bitmap); }

void ImageDocument::showOriginal() {
    if (!imageLoaded) return;
    current = original;
    writePlanes(original, bitmap);
}

}  // namespace veltrane
