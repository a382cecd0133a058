#pragma once
// The shared generator across the pictures of a batch. Every picture starts from the state the
// generator would have in a sequential run over the pictures in their sorted order: the state
// the previous picture left (the --seed state before the first). A picture that fails or is
// skipped leaves the state as it found it.
//
// Which pictures must wait for another follows from the operations, the same for every
// picture:
// - when the first operation that touches the generator draws from it, a picture's result
//   depends on the state the previous one left: such pictures hand the state on in order,
//   each right after its last operation that touches the generator, and only the stretch of
//   operations from its first to its last generator operation waits; decoding, the other
//   operations, encoding and writing still run side by side;
// - otherwise (no operation touches it, or the first one resets it as the gradation map's
//   catalogue does) the incoming state cannot matter, and no picture waits.
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <optional>
#include <vector>

#include "batch/batch_operations.h"
#include "common/random_generator.h"

namespace veltrane {

// True when a picture's result depends on the state the previous picture left.
bool needsIncomingState(const std::vector<Operation>& operations);

// The index of the last operation that touches the generator; nullopt when none does.
std::optional<std::size_t> lastGeneratorOperation(const std::vector<Operation>& operations);

// The states handed from picture to picture: the state before picture 0 is the seed; picture i
// publishes the state before picture i + 1.
class GeneratorHandoff {
public:
    GeneratorHandoff(std::uint32_t seed, std::size_t pictures);

    // Blocks until the state before picture `index` is known.
    std::uint32_t stateBefore(std::size_t index);
    void publishAfter(std::size_t index, std::uint32_t state);

private:
    std::mutex mutex_;
    std::condition_variable published_;
    std::vector<std::optional<std::uint32_t>> states_;
};

// One picture's view of the generator. With a handoff it takes the incoming state the first
// time it is asked for the generator and hands its state on at release(), or at destruction
// on every way out (an unasked picture first takes the incoming state, so a failed or skipped
// picture passes it on unchanged). Without one it starts from the seed and never waits.
class PictureGenerator {
public:
    PictureGenerator(GeneratorHandoff* handoff, std::size_t index, std::uint32_t seed);
    ~PictureGenerator();
    PictureGenerator(const PictureGenerator&) = delete;
    PictureGenerator& operator=(const PictureGenerator&) = delete;

    RandomGenerator& acquire();
    void release();

private:
    GeneratorHandoff* handoff_;
    std::size_t index_;
    RandomGenerator random_;
    bool acquired_ = false;
    bool released_ = false;
};

}  // namespace veltrane
