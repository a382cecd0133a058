// Moving pixels between the working bitmap and the planes, against plain memcpy of the same
// byte count: after every operation the program writes the planes back into the bitmap, so
// this should run near memory speed.
#include <cstring>
#include <exception>
#include <vector>

#include "bench_pictures.h"
#include "bench_ratios.h"
#include "image/image_document.h"

namespace veltrane::bench {
namespace {

std::int64_t pixelBytes(const ImageDocument& document) {
    return static_cast<std::int64_t>(document.width()) * document.height() * 3;
}

// Planes → working bitmap; bytes processed are the bytes written (W × H × 3).
void BM_RefreshFromPlanes(benchmark::State& state) {
    try {
        ImageDocument& document = sunsetDocument();
        for (auto _ : state) {
            document.refreshFromPlanes();
            benchmark::DoNotOptimize(document.bitmap.data());
            benchmark::ClobberMemory();
        }
        state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * pixelBytes(document));
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
    }
}

// The memory-speed yardstick: one memcpy of the 12-MP picture's W × H × 3 bytes (about 36 MB)
// between two buffers that are already mapped.
void BM_Memcpy36MB(benchmark::State& state) {
    try {
        const std::size_t size = static_cast<std::size_t>(pixelBytes(sunsetDocument()));
        std::vector<std::uint8_t> from(size, 1);
        std::vector<std::uint8_t> to(size, 0);
        for (auto _ : state) {
            std::memcpy(to.data(), from.data(), size);
            benchmark::DoNotOptimize(to.data());
            benchmark::ClobberMemory();
        }
        state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(size));
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
    }
}

// A new zeroed buffer of the same size, as every new bitmap or plane set is: the kernel maps
// fresh pages, so this shows what first touch costs beside the warm memcpy above.
void BM_FreshZeroedBuffer36MB(benchmark::State& state) {
    try {
        const std::size_t size = static_cast<std::size_t>(pixelBytes(sunsetDocument()));
        for (auto _ : state) {
            std::vector<std::uint8_t> buffer(size);
            benchmark::DoNotOptimize(buffer.data());
            benchmark::ClobberMemory();
        }
        state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(size));
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
    }
}

// Working bitmap → current planes, into planes already allocated: the loop alone.
void BM_SplitBitmap(benchmark::State& state) {
    try {
        ImageDocument& document = sunsetDocument();
        for (auto _ : state) {
            splitBitmap(document.bitmap, document.current);
            benchmark::DoNotOptimize(document.current.R.data());
            benchmark::ClobberMemory();
        }
        state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * pixelBytes(document));
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
    }
}

// What a newly arrived picture costs: both plane sets allocated, split from the bitmap and the
// original copied. Bytes processed are the plane bytes written (2 × W × H × 3). The bitmap
// matches the planes, so rebuilding leaves the shared document as it was.
void BM_BuildPlanes(benchmark::State& state) {
    try {
        ImageDocument& document = sunsetDocument();
        for (auto _ : state) {
            document.buildPlanes();
            benchmark::DoNotOptimize(document.original.R.data());
            benchmark::ClobberMemory();
        }
        state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 2 * pixelBytes(document));
    } catch (const std::exception& e) {
        state.SkipWithError(e.what());
    }
}

// Moving pixels between bitmap and planes against memcpy of the same bytes.
[[maybe_unused]] const bool kCopyRatios =
    addRatio("BM_RefreshFromPlanes", "BM_Memcpy36MB") && addRatio("BM_SplitBitmap", "BM_Memcpy36MB");

BENCHMARK(BM_RefreshFromPlanes)->Apply(pictureRun);
BENCHMARK(BM_Memcpy36MB)->Apply(pictureRun);
BENCHMARK(BM_FreshZeroedBuffer36MB)->Apply(pictureRun);
BENCHMARK(BM_SplitBitmap)->Apply(pictureRun);
BENCHMARK(BM_BuildPlanes)->Apply(pictureRun);

}  // namespace
}  // namespace veltrane::bench
