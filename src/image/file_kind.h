#pragma once
#include <array>
#include <string_view>

namespace veltrane {

enum class FileKind { None, Bmp, Jpeg, Media };

// The extensions of each group, exactly as they are compared.
inline constexpr std::array<std::string_view, 2> kBmpExtensions{".bmp", ".BMP"};
inline constexpr std::array<std::string_view, 4> kJpegExtensions{".jpg", ".JPG", ".jpeg", ".JPEG"};
inline constexpr std::array<std::string_view, 24> kMediaExtensions{
    ".mp3", ".MP3", ".wav", ".WAV", ".mpg", ".MPG", ".mpeg", ".MPEG", ".wma", ".WMA", ".wmv", ".WMV",
    ".asf", ".ASF", ".avi", ".AVI", ".aif", ".AIF", ".mid", ".MID", ".snd", ".SND", ".au", ".AU"};

// Classifies a path by its extension (from the last "." on), compared exactly, case
// included: ".Jpg" belongs to no group.
FileKind classifyFile(std::string_view path);

// True for the picture extensions listed when scanning a folder (BMP and JPEG groups).
inline bool isImageFile(std::string_view name) {
    const FileKind kind = classifyFile(name);
    return kind == FileKind::Bmp || kind == FileKind::Jpeg;
}

}  // namespace veltrane
