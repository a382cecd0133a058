// One picture of a batch on the 12.2-MP sunset photograph: the whole pipeline (read, decode,
// operation, encode at quality 90, atomic write) beside the stages measured alone — reading and
// decoding here, encoding here, the effects in effects_bench.cpp (BM_EffectSepia,
// BM_EffectMedian). Throughput with several workers: bench/batch_bench.sh.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "batch/batch_pipeline.h"
#include "bench_pictures.h"
#include "image/image_file.h"
#include "image/jpeg_codec.h"

namespace veltrane::bench {
namespace {

void BM_BatchLoadFile(benchmark::State& state) {
    const std::string path = picturePath(kSunset12MP);
    try {
        for (auto _ : state) benchmark::DoNotOptimize(loadImageFile(path, FileKind::Jpeg));
    } catch (const std::exception& error) {
        state.SkipWithError(error.what());
    }
}

void BM_BatchEncodeJpeg90(benchmark::State& state) {
    try {
        const Bitmap24& bitmap = sunsetDocument().bitmap;
        for (auto _ : state) benchmark::DoNotOptimize(encodeJpeg(bitmap, kBatchJpegQuality));
    } catch (const std::exception& error) {
        state.SkipWithError(error.what());
    }
}

// processPicture as one worker runs it, writing over the same output each time.
void batchPicture(benchmark::State& state, const char* operation) {
    const std::filesystem::path out = std::filesystem::temp_directory_path() / "veltrane_batch_bench.jpg";
    BatchPicture picture{picturePath(kSunset12MP), FileKind::Jpeg, out.string(), FileKind::Jpeg, {}};
    PipelineSettings settings;
    settings.operations.push_back(parseOperation(operation));
    settings.overwrite = true;
    for (auto _ : state) {
        PictureGenerator generator(nullptr, 0, 1);
        const PictureOutcome outcome = processPicture(picture, settings, generator);
        if (outcome.status != PictureStatus::Written) {
            state.SkipWithError(outcome.reason.c_str());
            break;
        }
    }
    std::filesystem::remove(out);
}

void BM_BatchPictureSepia(benchmark::State& s) { batchPicture(s, "effect:sepia"); }
void BM_BatchPictureMedian(benchmark::State& s) { batchPicture(s, "effect:median"); }

BENCHMARK(BM_BatchLoadFile)->Apply(pictureRun);
BENCHMARK(BM_BatchEncodeJpeg90)->Apply(pictureRun);
BENCHMARK(BM_BatchPictureSepia)->Apply(pictureRun);
BENCHMARK(BM_BatchPictureMedian)->Apply(pictureRun);

}  // namespace
}  // namespace veltrane::bench
