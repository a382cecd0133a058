#include "image/file_kind.h"

#include <array>

namespace veltrane {

FileKind classifyFile(std::string_view path) {
    const std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos) return FileKind::None;
    const std::string_view ext = path.substr(dot);
    static constexpr std::array<std::string_view, 2> bmp{".bmp", ".BMP"};
    static constexpr std::array<std::string_view, 4> jpeg{".jpg", ".JPG", ".jpeg", ".JPEG"};
    static constexpr std::array<std::string_view, 24> media{
        ".mp3", ".MP3", ".wav", ".WAV", ".mpg", ".MPG", ".mpeg", ".MPEG", ".wma", ".WMA", ".wmv", ".WMV",
        ".asf", ".ASF", ".avi", ".AVI", ".aif", ".AIF", ".mid", ".MID", ".snd", ".SND", ".au", ".AU"};
    for (auto e : bmp)
        if (ext == e) return FileKind::Bmp;
    for (auto e : jpeg)
        if (ext == e) return FileKind::Jpeg;
    for (auto e : media)
        if (ext == e) return FileKind::Media;
    return FileKind::None;
}

}  // namespace veltrane
