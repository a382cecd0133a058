#pragma once
// Writing a whole file so that no reader ever sees a part of it: the bytes go to a temporary
// file beside the target, are flushed to disk, and only then take the target's name. On any
// failure the temporary file is removed and the target is as it was.
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <sys/types.h>

namespace veltrane {

// A write that failed; the message is in English and names the file and the system's reason.
class WriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class Replace { Never, Always };

// Writes bytes to path with the given permission bits. With Replace::Never an existing file
// at path is left alone and the function returns false; otherwise it returns true.
// Throws WriteError.
bool writeWholeFile(const std::string& path, std::span<const std::uint8_t> bytes, mode_t mode, Replace replace);

}  // namespace veltrane
