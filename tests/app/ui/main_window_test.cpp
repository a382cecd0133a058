// The main window's document entry points, driven in-process.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "app/ui/main_window.h"
#include "player/frame_bitmap.h"
#include "platform/ui/scripted_platform.h"
#include "widgets/ui/picture_view.h"

using namespace veltrane;

namespace {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        qputenv("VELTRANE_INI", dir.filePath("Veltrane.ini").toUtf8());
        setPlatform(std::make_unique<ScriptedPlatform>());
        window = std::make_unique<TMain>();
    }

    // A frame of B, G, R bytes, bottom row first, with no row padding, as the working bitmap.
    static Bitmap24 frame(int width, int height) {
        std::vector<std::uint8_t> pixels;
        for (int row = 0; row < height; ++row)
            for (int x = 0; x < width; ++x) {
                pixels.push_back(static_cast<std::uint8_t>(x));       // B
                pixels.push_back(static_cast<std::uint8_t>(row));     // G: the row counted from the bottom
                pixels.push_back(static_cast<std::uint8_t>(200 + x)); // R
            }
        return frameToBitmap(pixels.data(), pixels.size(), width, height, 3 * width, RowOrder::BottomFirst);
    }

    QTemporaryDir dir;
    std::unique_ptr<TMain> window;
};

}  // namespace

TEST_F(MainWindowTest, ReceiveFrameMakesTheFrameThePictureAndTheOriginal) {
    window->ReceiveFrame(frame(3, 2));
    const ImageDocument& doc = window->document();
    ASSERT_TRUE(doc.imageLoaded);
    EXPECT_EQ(window->windowTitle(), "Captured Image(3×2)");
    // The frame's first row in memory is the picture's bottom row.
    EXPECT_EQ(doc.current.G[1][0], 0);
    EXPECT_EQ(doc.current.G[0][0], 1);
    EXPECT_EQ(doc.current.R[0][2], 202);
    EXPECT_EQ(doc.original.B[1][2], 2);
    EXPECT_TRUE(window->saveas1->isEnabled());
    EXPECT_FALSE(window->NextFileN1->isEnabled());
    EXPECT_EQ(window->Image1->picture().pixel(2, 0), qRgb(202, 1, 2));
}

TEST_F(MainWindowTest, ReceiveFrameIgnoresAnEmptyFrame) {
    window->ReceiveFrame(Bitmap24());
    EXPECT_FALSE(window->document().imageLoaded);
    EXPECT_EQ(window->windowTitle(), "Veltrane");
}

TEST_F(MainWindowTest, ShowOriginalUndoesEveryChangeAndRefreshShowsThePlanes) {
    window->ReceiveFrame(frame(4, 3));
    ImageDocument& doc = window->document();
    const ColorPlanes before = doc.current;
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) doc.current.R[y][x] = 9;
    window->RefreshFromPlanes();
    EXPECT_EQ(qRed(window->Image1->picture().pixel(3, 2)), 9);

    window->G1Click();
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(doc.current.R[y][x], before.R[y][x]);
            EXPECT_EQ(doc.bitmap.row(y)[3 * x + 2], before.R[y][x]);
        }
    EXPECT_EQ(window->windowTitle(), "Captured Image(4×3)") << "the caption does not change";
}
