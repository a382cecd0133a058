#pragma once
// One picture of a batch: read and decode it, run the operations over its planes exactly as
// the windows' final passes do, write the planes back into the working bitmap, encode it as
// the program saves (BMP, or JPEG at quality 90) and write it whole.
#include <cstdint>
#include <string>
#include <sys/types.h>
#include <vector>

#include "batch/batch_generator.h"
#include "batch/batch_inputs.h"
#include "batch/batch_operations.h"
#include "image/bitmap24.h"

namespace veltrane {

// The quality the program saves JPEG files at.
inline constexpr int kBatchJpegQuality = 90;

enum class PictureStatus { Written, Skipped, Failed };

struct PictureOutcome {
    PictureStatus status = PictureStatus::Failed;
    std::string reason;  // why it failed or was skipped; empty when written
};

struct PipelineSettings {
    std::vector<Operation> operations;
    bool overwrite = false;  // replace an existing output (always so in place)
    mode_t newFileMode = 0644;
};

// The result of the operations on a decoded working bitmap, in place: the bytes the windows
// leave in the working bitmap after the same final passes.
void applyOperations(Bitmap24& bitmap, const std::vector<Operation>& operations, PictureGenerator& generator);

// Processes one picture. Never throws: every failure comes back as the outcome. Nothing is
// written for a picture that fails.
PictureOutcome processPicture(const BatchPicture& picture, const PipelineSettings& settings, PictureGenerator& generator);

}  // namespace veltrane
