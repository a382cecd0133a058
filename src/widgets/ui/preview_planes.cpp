#include "widgets/ui/preview_planes.h"

#include <algorithm>

#include "widgets/ui/picture_view.h"

namespace veltrane {

PreviewPlanes::PreviewPlanes(const ColorPlanes& current, int box)
    : geometry_(letterboxGeometry(current.width, current.height, box)),
      area_(geometry_.pictureArea()),
      source_(buildLetterbox(current, geometry_)),
      result_(source_),
      bitmap_(box, box, QImage::Format_BGR888) {}

void PreviewPlanes::reset() {
    std::copy_n(source_.R.data(), source_.R.size(), result_.R.data());
    std::copy_n(source_.G.data(), source_.G.size(), result_.G.data());
    std::copy_n(source_.B.data(), source_.B.size(), result_.B.data());
}

void PreviewPlanes::fill(const ColorPlanes& planes, const PictureArea& rect) {
    // Writing detaches the bitmap from any control still showing the previous picture.
    for (int y = rect.rowBegin; y < rect.rowEnd; ++y) {
        std::uint8_t* line = bitmap_.scanLine(y);
        const std::uint8_t* r = planes.R[y];
        const std::uint8_t* g = planes.G[y];
        const std::uint8_t* b = planes.B[y];
        for (int x = rect.colBegin; x < rect.colEnd; ++x) {
            line[3 * x] = b[x];
            line[3 * x + 1] = g[x];
            line[3 * x + 2] = r[x];
        }
    }
}

namespace {
PictureArea wholeBox(int box) { return PictureArea{0, box, 0, box}; }
}  // namespace

const QImage& PreviewPlanes::sourceImage() {
    fill(source_, wholeBox(box()));
    return bitmap_;
}

const QImage& PreviewPlanes::resultImage() {
    fill(result_, wholeBox(box()));
    return bitmap_;
}

const QImage& PreviewPlanes::resultAreaImage() {
    fill(source_, wholeBox(box()));
    fill(result_, area_);
    return bitmap_;
}

void PreviewPlanes::showSource(PictureView& view) { view.setPicture(sourceImage()); }
void PreviewPlanes::showResult(PictureView& view) { view.setPicture(resultImage()); }
void PreviewPlanes::showResultArea(PictureView& view) { view.setPicture(resultAreaImage()); }

}  // namespace veltrane
