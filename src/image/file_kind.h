#pragma once
#include <string_view>

namespace veltrane {

enum class FileKind { None, Bmp, Jpeg, Media };

// Classifies a path by its extension (from the last "." on), compared exactly, case
// included: ".Jpg" belongs to no group.
FileKind classifyFile(std::string_view path);

// True for the picture extensions listed when scanning a folder (BMP and JPEG groups).
inline bool isImageFile(std::string_view name) {
    const FileKind kind = classifyFile(name);
    return kind == FileKind::Bmp || kind == FileKind::Jpeg;
}

}  // namespace veltrane
