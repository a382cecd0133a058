#include "image/image_file.h"

#include <filesystem>
#include <fstream>
#include <vector>

#include "image/bmp_codec.h"
#include "image/jpeg_codec.h"

namespace veltrane {

namespace {

// No picture file the program can hold comes near this size; refusing early keeps a
// mistaken or hostile file from being read into memory whole.
constexpr std::streamoff kMaxFileBytes = std::streamoff{2} << 30;

DecodeError cannotOpen(const std::string& path) { return DecodeError("ファイルを開けません（" + path + "）"); }

std::vector<std::uint8_t> readWholeFile(const std::string& path) {
    // A folder or a device opens as a stream too, of no size or an endless one: only a
    // regular file (or a link to one) is a picture.
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) throw cannotOpen(path);
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) throw cannotOpen(path);
    const std::streamoff size = in.tellg();
    if (size < 0) throw DecodeError("ファイルを読み込めません（" + path + "）");
    if (size > kMaxFileBytes) throw DecodeError("ファイルが大きすぎて開けません（" + path + "）");
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    in.seekg(0);
    if (!in.read(reinterpret_cast<char*>(bytes.data()), size))
        throw DecodeError("ファイルを読み込めません（" + path + "）");
    return bytes;
}

}  // namespace

DecodedImage loadImageFile(const std::string& path, FileKind kind) {
    const std::vector<std::uint8_t> bytes = readWholeFile(path);
    if (kind == FileKind::Bmp) return decodeBmp(bytes.data(), bytes.size());
    if (kind == FileKind::Jpeg) return decodeJpeg(bytes.data(), bytes.size());
    throw DecodeError("開けない形式のファイルです");
}

}  // namespace veltrane
