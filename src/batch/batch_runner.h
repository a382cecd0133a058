#pragma once
// Runs the pictures of a batch on worker threads: each worker takes the next picture in sorted
// order and processes it alone, single-threaded, start to finish.
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "batch/batch_inputs.h"
#include "batch/batch_pipeline.h"
#include "batch/batch_report.h"

namespace veltrane {

struct BatchRun {
    std::vector<BatchPicture> pictures;
    PipelineSettings pipeline;
    std::uint32_t seed = 1;  // the generator's state before the first picture
    int jobs = 1;
    ReportSettings report;
};

// Exit status of a run: every picture written or skipped, some failed, or stopped before all
// were started.
inline constexpr int kBatchSucceeded = 0;
inline constexpr int kBatchSomeFailed = 1;
inline constexpr int kBatchInterrupted = 130;

// Processes every picture; once `stop` is set no further picture starts, and those under way
// finish. Returns one of the statuses above (interrupted wins over failed).
int runBatch(const BatchRun& run, std::FILE* out, std::FILE* err, const std::atomic<bool>& stop);

}  // namespace veltrane
