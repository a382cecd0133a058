#pragma once
// The pictures a batch works on, and the file each one's result goes to.
#include <string>
#include <vector>

#include "image/file_kind.h"

namespace veltrane {

enum class OutputFormat { SameAsInput, Bmp, Jpeg };

struct BatchPicture {
    std::string input;
    FileKind kind = FileKind::None;  // Bmp or Jpeg, by the input's extension
    std::string output;              // where the result is written
    FileKind outputKind = FileKind::None;
    std::string conflict;            // non-empty: an earlier picture already writes `output`
};

// Expands the INPUT arguments in the order given: a folder gives its BMP and JPEG files
// (regular files only, sorted by byte order as folder navigation sorts them), and with
// `recursive` then its subfolders in the same order, each in turn; a file name with a BMP or
// JPEG extension is taken as it stands, existing or not (reading it reports what is wrong).
// Throws UsageError for an INPUT that is neither.
std::vector<std::string> collectPictures(const std::vector<std::string>& inputs, bool recursive);

// Pairs each picture with its output: in outputDir, at the path relative to the folder INPUT
// it came from (just the file name for a file INPUT), with ".bmp" or ".jpg" for the format;
// in place, the input itself. A later picture whose output an earlier one already takes is
// marked with the earlier input as its conflict.
std::vector<BatchPicture> planOutputs(const std::vector<std::string>& inputs, bool recursive,
                                      const std::string& outputDir, OutputFormat format, bool inPlace);

}  // namespace veltrane
