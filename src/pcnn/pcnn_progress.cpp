#include "pcnn/pcnn_progress.h"

#include <cstdint>

namespace veltrane {

int pcnnProgress(int k, int passes) {
    if (passes <= 1) return 100;
    return static_cast<int>(static_cast<std::int64_t>(k) * 100 / (passes - 1));
}

std::string pcnnPassLabel(int passNumber, int passes) {
    return "処理回数" + std::to_string(passNumber) + "/" + std::to_string(passes);
}

}  // namespace veltrane
