#include "batch/batch_runner.h"

#include <algorithm>
#include <chrono>
#include <memory>
#include <mutex>
#include <thread>

#include "batch/batch_generator.h"

namespace veltrane {

int runBatch(const BatchRun& run, std::FILE* out, std::FILE* err, const std::atomic<bool>& stop) {
    const std::size_t total = run.pictures.size();
    std::unique_ptr<GeneratorHandoff> handoff;
    if (needsIncomingState(run.pipeline.operations)) handoff = std::make_unique<GeneratorHandoff>(run.seed, total);

    BatchReport report(run.report, total, out, err);
    std::mutex reportMutex;
    std::atomic<std::size_t> next{0};
    std::atomic<std::size_t> started{0};

    // Pictures are taken strictly in order, so a picture waiting for the generator state
    // always waits for one that is already under way.
    const auto worker = [&] {
        for (;;) {
            if (stop.load()) return;
            const std::size_t index = next.fetch_add(1);
            if (index >= total) return;
            started.fetch_add(1);
            const BatchPicture& picture = run.pictures[index];
            const auto begin = std::chrono::steady_clock::now();
            PictureOutcome outcome;
            {
                PictureGenerator generator(handoff.get(), index, run.seed);
                outcome = processPicture(picture, run.pipeline, generator);
            }
            const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - begin).count();
            std::lock_guard lock(reportMutex);
            report.pictureDone(picture, outcome, ms);
        }
    };

    const std::size_t threads = std::clamp<std::size_t>(static_cast<std::size_t>(std::max(run.jobs, 1)), 1, std::max<std::size_t>(total, 1));
    std::vector<std::thread> pool;
    for (std::size_t i = 1; i < threads; ++i) pool.emplace_back(worker);
    worker();
    for (std::thread& t : pool) t.join();

    const std::size_t notStarted = total - std::min(total, started.load());
    report.finish(notStarted);
    if (notStarted > 0) return kBatchInterrupted;
    return report.failed() > 0 ? kBatchSomeFailed : kBatchSucceeded;
}

}  // namespace veltrane
