#include "app/folder_navigation.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "image/file_kind.h"

namespace veltrane {

FolderScan scanFolder(const std::string& directory, const std::string& fileNameNoDir) {
    namespace fs = std::filesystem;
    FolderScan scan;
    bool opened = false;
    std::error_code ec;
    fs::directory_iterator it(fs::path(directory), ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (name == fileNameNoDir) opened = true;
        if (isImageFile(name)) scan.names.push_back(std::move(name));
    }
    if (ec) return {};

    std::sort(scan.names.begin(), scan.names.end());
    // The position is the number of image names enumerated up to the opened entry; for an
    // image file that is its own 1-based index.
    if (opened) {
        const auto end = std::upper_bound(scan.names.begin(), scan.names.end(), fileNameNoDir);
        scan.position = static_cast<int>(end - scan.names.begin());
    }
    return scan;
}

NavStep nextFile(int p, int c) {
    if (p == 0) return {p, false};
    if (p == c) return {1, true};
    return {c == 1 ? p : p + 1, true};
}

NavStep previousFile(int p, int c) {
    if (p == 0) return {p, false};
    if (p == 1) return {c, true};
    return {c == 1 ? p : p - 1, true};
}

NavStep firstFile(int p, int c) {
    if (p == 0) return {p, false};
    return {1, c != 1};
}

NavStep lastFile(int p, int c) {
    if (p == 0) return {p, false};
    return {c, c != 1};
}

namespace {

bool wheelNavigates(int p, int c, bool rightButtonHeld) {
    return rightButtonHeld && p != 0 && c != 0 && c != 1;
}

}  // namespace

NavStep wheelDown(int p, int c, bool rightButtonHeld) {
    if (!wheelNavigates(p, c, rightButtonHeld)) return {p, false};
    return {p == c ? 1 : p + 1, true};
}

NavStep wheelUp(int p, int c, bool rightButtonHeld) {
    if (!wheelNavigates(p, c, rightButtonHeld)) return {p, false};
    return {p == 1 ? c : p - 1, true};
}

std::string counterText(int position, int count) {
    return std::to_string(position) + "/" + std::to_string(count);
}

CounterKeyAction counterKeyAction(int virtualKey) {
    switch (virtualKey) {
        case 8:                          // Backspace
        case 13:                         // Enter
        case 16:                         // Shift
        case 17:                         // Ctrl
        case 37: case 38: case 39: case 40:  // arrows
        case 46:                         // Delete
        case 229:                        // input-method processing key
            return CounterKeyAction::Ignore;
        default:
            break;
    }
    if (virtualKey >= '0' && virtualKey <= '9') return CounterKeyAction::TakeEditText;
    return CounterKeyAction::RestoreCounterText;
}

}  // namespace veltrane
