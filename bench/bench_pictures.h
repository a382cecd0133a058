#pragma once
// The benchmark pictures: real photographs kept outside the repository (see README.md).
#include <cstdint>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "image/image_document.h"

namespace veltrane::bench {

inline constexpr const char* kSunset12MP = "sunset-4272x2848-progressive.jpg";
inline constexpr const char* kKleiber20MP = "kleiber-6028x3391-baseline.jpg";

// Settings every benchmark here shares: one thread, milliseconds, a few iterations per
// repetition and the median of three repetitions, so the whole suite stays near a minute.
inline void pictureRun(benchmark::internal::Benchmark* b) {
    b->Unit(benchmark::kMillisecond)->MinTime(1.0)->Repetitions(3)->ReportAggregatesOnly(true);
}

// A window's interactive work (a preview, an opening): microseconds, short runs, median of three.
inline void previewRun(benchmark::internal::Benchmark* b) {
    b->Unit(benchmark::kMicrosecond)->MinTime(0.2)->Repetitions(3)->ReportAggregatesOnly(true);
}

// The folder holding the pictures: $VELTRANE_BENCH_DIR when set, else the build-time default.
std::string picturesDir();

// Full path of a picture in that folder.
std::string picturePath(const std::string& name);

// Full paths of the benchmark pictures that cannot be opened for reading.
std::vector<std::string> missingPictures();

// The file's bytes, read once per name and kept for the whole run. Throws std::runtime_error
// when the file cannot be read.
const std::vector<std::uint8_t>& pictureBytes(const std::string& name);

// The 12-MP picture opened into a document with both plane sets built, once per run.
// Benchmarks that change it must restore what they change.
ImageDocument& sunsetDocument();

}  // namespace veltrane::bench
