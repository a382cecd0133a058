#pragma once
// The picture the main window holds: the working bitmap that is shown, the current planes
// that every operation reads and writes, and the original planes frozen when the picture
// arrived (the program's only undo).
#include <string>

#include "image/bitmap24.h"
#include "image/color_planes.h"

namespace veltrane {

class ImageDocument {
public:
    Bitmap24 bitmap;
    ColorPlanes current;
    ColorPlanes original;
    bool imageLoaded = false;
    std::string fileName;

    int width() const { return bitmap.width(); }
    int height() const { return bitmap.height(); }

    // Allocates both plane sets for the working bitmap's size and fills them from it.
    void buildPlanes();
    // Releases both plane sets; does nothing while no picture is loaded. The caller
    // sets imageLoaded.
    void freePlanes();
    // Writes the current planes into the working bitmap.
    void refreshFromPlanes();
    // Copies the original planes into the current planes and the working bitmap.
    void showOriginal();
};

// Splits a working bitmap into planes, and writes planes back into a bitmap of the same size.
void splitBitmap(const Bitmap24& bitmap, ColorPlanes& planes);
void writePlanes(const ColorPlanes& planes, Bitmap24& bitmap);

}  // namespace veltrane
