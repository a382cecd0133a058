// List files come from anywhere (Japanese Windows wrote them in CP932): any bytes must read
// without harm, every entry must be a media path on one line, and a list saved and read
// again must give the same entries.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "playlist/play_list.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> entries = veltrane::parsePlayListText(bytes);

    for (const std::string& entry : entries) {
        if (!veltrane::isPlayListMedia(entry)) std::abort();
        if (entry.find_first_of("\r\n") != std::string::npos) std::abort();
    }
    // Entries are UTF-8, so the saved list is read back as UTF-8 and splits into the same lines.
    if (veltrane::parsePlayListText(veltrane::serializePlayList(entries)) != entries) std::abort();
    return 0;
}
