#include "image/file_kind.h"

namespace veltrane {

FileKind classifyFile(std::string_view path) {
    const std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos) return FileKind::None;
    const std::string_view ext = path.substr(dot);
    for (auto e : kBmpExtensions)
        if (ext == e) return FileKind::Bmp;
    for (auto e : kJpegExtensions)
        if (ext == e) return FileKind::Jpeg;
    for (auto e : kMediaExtensions)
        if (ext == e) return FileKind::Media;
    return FileKind::None;
}

}  // namespace veltrane
