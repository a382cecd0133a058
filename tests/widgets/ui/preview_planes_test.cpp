// The preview piece every processing window keeps: source planes that stay, result planes
// reset from them, and the bitmap that shows either.
#include <gtest/gtest.h>

#include "widgets/ui/picture_view.h"
#include "widgets/ui/preview_planes.h"

using namespace veltrane;

namespace {

// A 5 × 3 picture whose channels all differ, so a swapped channel or a wrong pixel shows.
ColorPlanes distinctPlanes() {
    ColorPlanes planes(5, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) {
            planes.R[y][x] = static_cast<std::uint8_t>(10 + 40 * x);
            planes.G[y][x] = static_cast<std::uint8_t>(20 + 50 * y);
            planes.B[y][x] = static_cast<std::uint8_t>(3 + x + 5 * y);
        }
    return planes;
}

void expectPixel(const QImage& image, int x, int y, const ColorPlanes& planes) {
    const QColor c = image.pixelColor(x, y);
    EXPECT_EQ(c.red(), planes.R[y][x]) << x << "," << y;
    EXPECT_EQ(c.green(), planes.G[y][x]) << x << "," << y;
    EXPECT_EQ(c.blue(), planes.B[y][x]) << x << "," << y;
}

}  // namespace

TEST(PreviewPlanesTest, KeepsTheBoxSizeAndTheLetterboxOfTheCurrentPlanes) {
    const ColorPlanes current = distinctPlanes();
    for (int box : {128, 192, 256}) {
        PreviewPlanes preview(current, box);
        EXPECT_EQ(preview.box(), box);
        EXPECT_EQ(preview.source().width, box);
        EXPECT_EQ(preview.source().height, box);
        EXPECT_EQ(preview.result().width, box);
        EXPECT_TRUE(preview.geometry().wide);
        const PictureArea expected = letterboxGeometry(5, 3, box).pictureArea();
        EXPECT_EQ(preview.area().rowBegin, expected.rowBegin);
        EXPECT_EQ(preview.area().rowEnd, expected.rowEnd);
        EXPECT_EQ(preview.area().colEnd, box);
        const QImage& image = preview.sourceImage();
        EXPECT_EQ(image.size(), QSize(box, box));
        EXPECT_EQ(image.format(), QImage::Format_BGR888);
        // Row 0 lies in the top band; the middle row shows the picture.
        EXPECT_EQ(image.pixelColor(0, 0), QColor(0, 0, 0));
        EXPECT_NE(image.pixelColor(box - 1, box / 2), QColor(0, 0, 0));
    }
}

TEST(PreviewPlanesTest, ResetRestoresTheResultFromTheUnchangedSource) {
    PreviewPlanes preview(distinctPlanes(), 128);
    const ColorPlanes before = preview.source();
    ColorPlanes& result = preview.result();
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x) result.R[y][x] = result.G[y][x] = result.B[y][x] = 77;
    preview.reset();
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x) {
            ASSERT_EQ(preview.result().R[y][x], before.R[y][x]);
            ASSERT_EQ(preview.result().G[y][x], before.G[y][x]);
            ASSERT_EQ(preview.result().B[y][x], before.B[y][x]);
            ASSERT_EQ(preview.source().B[y][x], before.B[y][x]);
        }
}

TEST(PreviewPlanesTest, BitmapCarriesEachChannelAndAShownCopyStaysAsItWas) {
    PreviewPlanes preview(distinctPlanes(), 128);
    PictureView left, right;
    preview.showSource(left);
    for (int y : {0, 50, 64, 100})
        for (int x : {0, 31, 127}) expectPixel(left.picture(), x, y, preview.source());

    ColorPlanes& result = preview.result();
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x) {
            result.R[y][x] = static_cast<std::uint8_t>(x);
            result.G[y][x] = static_cast<std::uint8_t>(y);
            result.B[y][x] = static_cast<std::uint8_t>(255 - x);
        }
    preview.showResult(right);
    for (int y : {0, 64, 127})
        for (int x : {0, 1, 127}) {
            expectPixel(right.picture(), x, y, preview.result());
            expectPixel(left.picture(), x, y, preview.source());  // refilling left the shown source alone
        }
}

TEST(PreviewPlanesTest, AreaImageShowsTheResultOnlyOnThePictureAndKeepsTheBandsBlack) {
    PreviewPlanes preview(distinctPlanes(), 128);  // wide: bands above and below
    ColorPlanes& result = preview.result();
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x) result.R[y][x] = result.G[y][x] = result.B[y][x] = 200;
    PictureView view;
    preview.showResultArea(view);
    const PictureArea& area = preview.area();
    ASSERT_GT(area.rowBegin, 0);
    for (int x : {0, 64, 127}) {
        EXPECT_EQ(view.picture().pixelColor(x, area.rowBegin - 1), QColor(0, 0, 0));
        EXPECT_EQ(view.picture().pixelColor(x, area.rowBegin), QColor(200, 200, 200));
        EXPECT_EQ(view.picture().pixelColor(x, area.rowEnd - 1), QColor(200, 200, 200));
        EXPECT_EQ(view.picture().pixelColor(x, area.rowEnd), QColor(0, 0, 0));
    }
}
