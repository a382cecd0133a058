#pragma once
// Writing a whole file through a temporary file and a rename, so a failure never leaves a
// truncated file where a good one was.
#include <QString>
#include <optional>
#include <string_view>

namespace veltrane {

// Writes bytes to path; on failure returns the system's reason and the old file is untouched.
std::optional<QString> writeFileAtomically(const QString& path, std::string_view bytes);

// The same, and on failure shows "FAILURE（PATH：REASON）" in an error message box without
// owner. Returns whether the file was written.
bool writeFileOrReport(const QString& path, std::string_view bytes, const QString& failure);

}  // namespace veltrane
