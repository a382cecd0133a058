#pragma once
// What a window may ask of the program: the image document and the ways to show or replace
// its picture, the shared random generator and the progress window. The main window
// implements it; each window receives it at construction, and window tests hand in a fake.
#include <QString>

#include "common/random_generator.h"
#include "image/bitmap24.h"
#include "image/image_document.h"

namespace veltrane {

class TProgress;

class DocumentHost {
public:
    virtual ~DocumentHost() = default;

    virtual ImageDocument& document() = 0;
    // The program's one pseudo-random generator, from state 1 at start-up for the whole run.
    virtual RandomGenerator& random() = 0;
    // The shared progress window that long passes drive; null where there is none.
    virtual TProgress* progress() = 0;

    // Writes the current planes into the working bitmap and shows it.
    virtual void RefreshFromPlanes() = 0;
    // Shows the working bitmap as it is.
    virtual void ShowWorkingBitmap() = 0;
    // The main window's caption as it stands; a join or merge appends its phrase to it.
    virtual QString Caption() const = 0;
    // Puts a picture of any size into the document (its planes built, it becomes the
    // original) under the given caption; the file name stays. Returns false, with the
    // document, caption and commands as they were, when it could not be done; the error box
    // has said why.
    virtual bool ReplaceImage(Bitmap24 picture, const QString& caption) = 0;
    // The picture now stands on its own, apart from the folder of the opened file: image
    // commands on, folder commands off, folder position 0 (a fractal applied).
    virtual void DetachFromFolder() = 0;
    // Sets the main window's outer size to outerWidth × (its tool bar's height + belowToolBar),
    // the size a 256 × 256 picture applied from the PCNN or fractal window gets.
    virtual void ResizeMainWindow(int outerWidth, int belowToolBar) = 0;
    // Puts a frame handed over by the player into the document and shows the main window.
    virtual void ReceiveFrame(Bitmap24 frame) = 0;
    // Shows the main window again (the player closes).
    virtual void ShowMainWindow() = 0;
};

}  // namespace veltrane
