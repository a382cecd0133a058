#include "frames/snapshot_series.h"

#include <algorithm>
#include <cstdint>

namespace veltrane {

namespace {

constexpr int kSteps[] = {5, 10, 15, 20, 30};
constexpr int kQualityCount = 10;

}  // namespace

int seriesStep(int stepIndex) {
    if (stepIndex < 0 || stepIndex >= static_cast<int>(std::size(kSteps))) return kSteps[0];
    return kSteps[stepIndex];
}

SnapshotFormat seriesFormat(int formatIndex) { return formatIndex == 1 ? SnapshotFormat::Bmp : SnapshotFormat::Jpeg; }

int seriesQuality(int qualityIndex) {
    if (qualityIndex < 0 || qualityIndex >= kQualityCount) return 50;
    return 10 * (qualityIndex + 1);
}

SeriesPlan planSeries(int startPoint, int endPoint, int step) {
    SeriesPlan plan;
    const std::int64_t span = static_cast<std::int64_t>(endPoint) - startPoint;
    plan.maximum = static_cast<int>(std::max<std::int64_t>(0, span));
    const std::int64_t increment = span / std::max(1, step);
    std::int64_t progress = 0;
    std::int64_t frame = startPoint;
    do {
        progress = std::clamp<std::int64_t>(progress + increment, 0, plan.maximum);
        plan.frames.push_back({static_cast<int>(frame), static_cast<int>(progress)});
        frame += std::max(1, step);
    } while (frame < endPoint);
    return plan;
}

std::string seriesFileName(std::string_view mediaPath, int frame, SnapshotFormat format) {
    std::string name(mediaPath);
    name += std::to_string(frame);
    name += format == SnapshotFormat::Bmp ? ".bmp" : ".jpg";
    return name;
}

}  // namespace veltrane
