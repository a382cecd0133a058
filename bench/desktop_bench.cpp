// The desktop commands' pixel work on the 12-MP photograph: pasting a 32-bit clipboard picture
// into a new working bitmap (against OpenCV's BGRA → BGR conversion of the same buffer), the
// copy's deep copy (against memcpy of the same bytes), and the wallpaper's encode and write.
#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <exception>
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include "bench_pictures.h"
#include "bench_ratios.h"
#include "image/bmp_codec.h"
#include "uisupport/ui/atomic_write.h"
#include "uisupport/ui/qt_bitmap.h"

namespace veltrane::bench {
namespace {

// The 12-MP picture as a clipboard would hand it over: QImage::Format_RGB32 (B, G, R, 0xFF).
const QImage& clipboardPicture() {
    static const QImage picture = imageCopyOf(sunsetDocument().bitmap).convertToFormat(QImage::Format_RGB32);
    return picture;
}

std::int64_t pixelBytes(const QImage& image) { return static_cast<std::int64_t>(image.width()) * image.height() * 3; }

// Paste: the 32-bit picture into a new working bitmap; bytes counted are those written.
void BM_PasteRgb32(benchmark::State& state) {
    try {
        const QImage& picture = clipboardPicture();
        for (auto _ : state) {
            Bitmap24 bitmap = bitmapFromImage(picture);
            benchmark::DoNotOptimize(bitmap.data());
            benchmark::ClobberMemory();
        }
        state.SetBytesProcessed(state.iterations() * pixelBytes(picture));
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
    }
}

// The yardstick: cv::cvtColor(COLOR_BGRA2BGR) of the same buffer into a new matrix, one thread.
void BM_OpenCvBgraToBgr(benchmark::State& state) {
    try {
        cv::setNumThreads(1);
        const QImage& picture = clipboardPicture();
        const cv::Mat source(picture.height(), picture.width(), CV_8UC4, const_cast<uchar*>(picture.constBits()),
                             static_cast<std::size_t>(picture.bytesPerLine()));
        for (auto _ : state) {
            cv::Mat converted;
            cv::cvtColor(source, converted, cv::COLOR_BGRA2BGR);
            benchmark::DoNotOptimize(converted.data);
            benchmark::ClobberMemory();
        }
        state.SetBytesProcessed(state.iterations() * pixelBytes(picture));
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
    }
}

// Copy: the working bitmap as a picture of its own for the clipboard.
void BM_CopyDeep(benchmark::State& state) {
    try {
        const Bitmap24& bitmap = sunsetDocument().bitmap;
        for (auto _ : state) {
            QImage copy = imageCopyOf(bitmap);
            benchmark::DoNotOptimize(copy.constBits());
            benchmark::ClobberMemory();
        }
        state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bitmap.stride()) * bitmap.height());
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
    }
}

// Wallpaper: encode as a 24-bit BMP and write it through a temporary file and a rename.
void BM_WallpaperEncodeAndWrite(benchmark::State& state) {
    try {
        const Bitmap24& bitmap = sunsetDocument().bitmap;
        QTemporaryDir folder;
        const QString path = QDir(folder.path()).filePath("Veltrane_Wallpaper.bmp");
        for (auto _ : state) {
            const std::vector<std::uint8_t> bytes = encodeBmp24(bitmap);
            if (writeFileAtomically(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size())))
                state.SkipWithError("the wallpaper file could not be written");
        }
        state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bitmap.stride()) * bitmap.height());
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
    }
}

BENCHMARK(BM_PasteRgb32)->Apply(pictureRun);
BENCHMARK(BM_OpenCvBgraToBgr)->Apply(pictureRun);
BENCHMARK(BM_CopyDeep)->Apply(pictureRun);
BENCHMARK(BM_WallpaperEncodeAndWrite)->Apply(pictureRun);

[[maybe_unused]] const bool kPasteRatio = addRatio("BM_PasteRgb32", "BM_OpenCvBgraToBgr", 1.0);
[[maybe_unused]] const bool kCopyRatio = addRatio("BM_CopyDeep", "BM_Memcpy36MB");

}  // namespace
}  // namespace veltrane::bench
