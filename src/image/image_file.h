#pragma once
#include <string>

#include "image/decoded_image.h"
#include "image/file_kind.h"

namespace veltrane {

// Reads a BMP or JPEG file from disk and decodes it by the given kind.
// Throws DecodeError (with a Japanese message) when the file cannot be read or decoded.
DecodedImage loadImageFile(const std::string& path, FileKind kind);

}  // namespace veltrane
