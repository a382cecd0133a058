#include "batch/batch_generator.h"

namespace veltrane {

bool needsIncomingState(const std::vector<Operation>& operations) {
    for (const Operation& op : operations)
        if (op.generator != GeneratorUse::None) return op.generator == GeneratorUse::Draws;
    return false;
}

std::optional<std::size_t> lastGeneratorOperation(const std::vector<Operation>& operations) {
    for (std::size_t i = operations.size(); i-- > 0;)
        if (operations[i].generator != GeneratorUse::None) return i;
    return std::nullopt;
}

GeneratorHandoff::GeneratorHandoff(std::uint32_t seed, std::size_t pictures) : states_(pictures + 1) {
    states_[0] = seed;
}

std::uint32_t GeneratorHandoff::stateBefore(std::size_t index) {
    std::unique_lock lock(mutex_);
    published_.wait(lock, [&] { return states_[index].has_value(); });
    return *states_[index];
}

void GeneratorHandoff::publishAfter(std::size_t index, std::uint32_t state) {
    {
        std::lock_guard lock(mutex_);
        states_[index + 1] = state;
    }
    published_.notify_all();
}

PictureGenerator::PictureGenerator(GeneratorHandoff* handoff, std::size_t index, std::uint32_t seed)
    : handoff_(handoff), index_(index) {
    random_.seed(seed);
}

PictureGenerator::~PictureGenerator() { release(); }

RandomGenerator& PictureGenerator::acquire() {
    if (handoff_ && !acquired_) random_.seed(handoff_->stateBefore(index_));
    acquired_ = true;
    return random_;
}

void PictureGenerator::release() {
    if (released_) return;
    released_ = true;
    if (!handoff_) return;
    acquire();
    handoff_->publishAfter(index_, random_.state());
}

}  // namespace veltrane
