#pragma once
// The phrases a join or a merge appends to the main window's caption.
#include <cstdint>
#include <string>
#include <string_view>

namespace veltrane {

// previous + "と" + the second file's name without folder + "(W×H)を連結", W × H the second
// picture's padded size: "photo.jpg(640×480)とsky.jpg(640×200)を連結".
std::string joinCaption(std::string_view previous, std::string_view secondPath, std::int64_t secondWidth,
                        std::int64_t secondHeight);

// previous + "と" + the second file's name without folder + "を合成".
std::string mergeCaption(std::string_view previous, std::string_view secondPath);

}  // namespace veltrane
