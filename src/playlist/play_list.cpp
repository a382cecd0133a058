#include "playlist/play_list.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace veltrane {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

constexpr std::array<std::string_view, 10> kVideoExtensions{
    ".avi", ".mpeg", ".mpg", ".wmv", ".AVI", ".MPEG", ".MPG", ".WMV", ".asf", ".ASF"};
constexpr std::array<std::string_view, 14> kSoundExtensions{
    ".mp3", ".wav", ".wma", ".MP3", ".WAV", ".WMA", ".aif", ".AIF", ".mid", ".MID", ".snd", ".SND", ".au", ".AU"};

bool contains(const auto& list, std::string_view ext) {
    return std::find(list.begin(), list.end(), ext) != list.end();
}

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool isValidUtf8(std::string_view text) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const auto* const end = p + text.size();
    while (p < end) {
        const unsigned char c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        int length = 0;
        unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
        if (c >= 0xC2 && c <= 0xDF) length = 2;
        else if (c == 0xE0) length = 3, low = 0xA0;
        else if (c >= 0xE1 && c <= 0xEC) length = 3;
        else if (c == 0xED) length = 3, high = 0x9F;
        else if (c >= 0xEE && c <= 0xEF) length = 3;
        else if (c == 0xF0) length = 4, low = 0x90;
        else if (c >= 0xF1 && c <= 0xF3) length = 4;
        else if (c == 0xF4) length = 4, high = 0x8F;
        else return false;
        if (end - p < length) return false;
        if (p[1] < low || p[1] > high) return false;
        for (int i = 2; i < length; ++i)
            if (p[i] < 0x80 || p[i] > 0xBF) return false;
        p += length;
    }
    return true;
}

// CP932 to UTF-8 through iconv. A byte that does not start a CP932 character, or a lead
// byte cut off at the end, becomes U+FFFD and the conversion goes on after it.
std::string cp932ToUtf8(std::string_view bytes) {
    iconv_t cd = iconv_open("UTF-8", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(bytes);  // no converter: take the bytes as they are
    std::string out;
    out.reserve(bytes.size() * 3 / 2 + 16);
    char* in = const_cast<char*>(bytes.data());
    std::size_t inLeft = bytes.size();
    std::array<char, 4096> buffer;
    while (inLeft > 0) {
        char* outPtr = buffer.data();
        std::size_t outLeft = buffer.size();
        const std::size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        const int error = errno;
        out.append(buffer.data(), buffer.size() - outLeft);
        if (rc != static_cast<std::size_t>(-1)) break;
        if (error == E2BIG) continue;
        // EILSEQ or EINVAL: replace one byte and go on.
        out.append("\xEF\xBF\xBD");
        ++in;
        --inLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(cd);
    return out;
}

}  // namespace

std::string_view extensionOf(std::string_view path) {
    const std::string_view name = fileNameOf(path);
    const std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string_view() : name.substr(dot);
}

std::string_view fileNameOf(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string_view folderOf(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? std::string_view() : path.substr(0, slash + 1);
}

MediaGroup mediaGroup(std::string_view path) {
    const std::string_view ext = extensionOf(path);
    if (contains(kVideoExtensions, ext)) return MediaGroup::Video;
    if (contains(kSoundExtensions, ext)) return MediaGroup::Sound;
    return MediaGroup::None;
}

std::vector<std::string> scanMediaFolder(const std::string& folder) {
    namespace fs = std::filesystem;
    std::vector<std::string> names;
    std::error_code ec;
    fs::directory_iterator it(folder.empty() ? fs::path(".") : fs::path(folder), ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (isPlayListMedia(name)) names.push_back(std::move(name));
    }
    if (ec) return {};
    std::sort(names.begin(), names.end());
    for (std::string& name : names) name.insert(0, folder);
    return names;
}

int playListIcon(std::string_view entry, int iconColour) {
    if (iconColour < 0 || iconColour > 4) return -1;
    switch (mediaGroup(entry)) {
        case MediaGroup::Video: return 2 * iconColour;
        case MediaGroup::Sound: return 2 * iconColour + 1;
        case MediaGroup::None: break;
    }
    return -1;
}

PlayListView refreshPlayList(const std::vector<std::string>& entries, std::string_view mediaPath, int iconColour,
                             int listIndex) {
    PlayListView view;
    view.listIndex = listIndex;
    view.rows.reserve(entries.size());
    const std::string_view playingName = fileNameOf(mediaPath);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        PlayListRow row;
        row.caption = fileNameOf(entries[i]);
        row.icon = playListIcon(entries[i], iconColour);
        row.playing = row.caption == playingName;
        if (row.playing) view.listIndex = static_cast<int>(i);
        view.rows.push_back(std::move(row));
    }
    view.statusText = playListStatusText(view.listIndex, static_cast<int>(entries.size()));
    return view;
}

std::string playListStatusText(int listIndex, int count) {
    return "再生中のファイル : " + std::to_string(static_cast<long long>(listIndex) + 1) + "/" +
           std::to_string(count);
}

bool removePlayListEntry(std::vector<std::string>& entries, int row, std::string_view mediaPath) {
    if (row < 0 || static_cast<std::size_t>(row) >= entries.size()) return false;
    if (fileNameOf(entries[static_cast<std::size_t>(row)]) == fileNameOf(mediaPath)) return false;
    entries.erase(entries.begin() + row);
    return true;
}

std::vector<std::string> parsePlayListText(std::string_view bytes) {
    std::string text;
    if (isValidUtf8(bytes)) {
        if (bytes.starts_with(kByteOrderMark)) bytes.remove_prefix(kByteOrderMark.size());
        text = bytes;
    } else {
        // CP932 trail bytes are never CR or LF, so lines can be split after converting.
        text = cp932ToUtf8(bytes);
    }
    std::vector<std::string> entries;
    std::string_view rest = text;
    while (!rest.empty()) {
        const std::size_t end = rest.find_first_of("\r\n");
        const std::string_view line = rest.substr(0, end);
        if (isPlayListMedia(line)) entries.emplace_back(line);
        if (end == std::string_view::npos) break;
        const std::size_t next = rest.compare(end, 2, "\r\n") == 0 ? end + 2 : end + 1;
        rest.remove_prefix(next);
    }
    return entries;
}

std::optional<std::vector<std::string>> readPlayListFile(const std::string& path) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::string bytes;
    char buffer[65536];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        bytes.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (bytes.size() > kMaxPlayListFileBytes) return std::nullopt;
    }
    if (in.bad()) return std::nullopt;
    return parsePlayListText(bytes);
}

std::string serializePlayList(const std::vector<std::string>& entries) {
    std::string out;
    // The reader drops a byte-order mark at the start of the file, so a first entry that
    // begins with U+FEFF would lose it; a mark written before it is the one dropped.
    if (!entries.empty() && entries.front().starts_with(kByteOrderMark)) out = kByteOrderMark;
    for (const std::string& entry : entries) {
        out += entry;
        out += "\r\n";
    }
    return out;
}

std::string playListSaveName(std::string_view chosenName) {
    std::string name(chosenName);
    if (extensionOf(chosenName).empty()) name += ".lst";
    return name;
}

PlayListLoad playListLoadAction(std::string_view chosenPath) {
    return isPlayListMedia(chosenPath) ? PlayListLoad::AppendFile : PlayListLoad::ReadListFile;
}

}  // namespace veltrane
