#pragma once
// The picture the main window holds: the working bitmap that is shown, the current planes
// that every operation reads and writes, and the original planes frozen when the picture
// arrived (the program's only undo).
#include <optional>
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

    // Makes picture the document's working bitmap as one step: both plane sets for it are
    // built before anything of the old picture is released, so when an allocation fails
    // (std::bad_alloc) the document is left exactly as it was. Sets imageLoaded, and the file
    // name when one is given. Returns the previous working bitmap: the caller releases it once
    // nothing shows it any more.
    Bitmap24 adopt(Bitmap24 picture, std::optional<std::string> newFileName = std::nullopt);

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
