#pragma once
// The preview a processing window works on: the picture reduced into a P × P letterbox
// (P = 192, 128 or 256 by window), kept as source planes that never change after they are
// built, result planes that each preview starts again from, and the P × P bitmap that shows
// either set in a picture control.
//
// A window builds one when it opens, shows source() in both picture controls, and for every
// preview runs reset(), its routine over result() within area(), then show(view).
#include <QImage>

#include "image/color_planes.h"
#include "image/letterbox.h"

namespace veltrane {

class PictureView;

class PreviewPlanes {
public:
    // Samples the current planes into the box; the result planes start equal to the source.
    PreviewPlanes(const ColorPlanes& current, int box);

    int box() const { return geometry_.box; }
    const LetterboxGeometry& geometry() const { return geometry_; }
    // The rows and columns of the box that show the picture (not the black bands).
    const PictureArea& area() const { return area_; }

    const ColorPlanes& source() const { return source_; }
    ColorPlanes& result() { return result_; }
    const ColorPlanes& result() const { return result_; }

    // Copies the source planes into the result planes over the whole box.
    void reset();

    // The preview bitmap filled from the source or the result planes. The bitmap is one
    // object: a picture control that was handed it keeps its own copy when it is refilled.
    const QImage& sourceImage();
    const QImage& resultImage();
    // The result planes inside area() and the source planes (the black bands) outside it, for
    // routines whose result is defined only on the picture area.
    const QImage& resultAreaImage();

    // Fills the preview bitmap from the source or the result planes and shows it in view.
    void showSource(PictureView& view);
    void showResult(PictureView& view);
    void showResultArea(PictureView& view);

private:
    // Writes rows [rowBegin, rowEnd) × columns [colBegin, colEnd) of planes into the bitmap.
    void fill(const ColorPlanes& planes, const PictureArea& rect);

    LetterboxGeometry geometry_;
    PictureArea area_;
    ColorPlanes source_;
    ColorPlanes result_;
    QImage bitmap_;
};

}  // namespace veltrane
