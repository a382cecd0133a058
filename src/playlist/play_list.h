#pragma once
// The play list: the ordered full paths of the media files the player moves through. It is
// filled by scanning the playing file's folder or from a list file (".lst": one path per
// line). These functions hold the rules; the play-list window holds the entries and shows
// them.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veltrane {

// The two groups of play-list media, by exact extension (".avi" and ".AVI", never ".Avi").
enum class MediaGroup { None, Video, Sound };

// The extension is the part of the name from its last "." after the last "/".
std::string_view extensionOf(std::string_view path);
// The name without its folder: everything after the last "/".
std::string_view fileNameOf(std::string_view path);
// The folder with its trailing "/", or "" when the path names no folder.
std::string_view folderOf(std::string_view path);

// video: .avi .mpeg .mpg .wmv .asf; sound: .mp3 .wav .wma .aif .mid .snd .au; each in all
// lower case or all upper case.
MediaGroup mediaGroup(std::string_view path);
inline bool isPlayListMedia(std::string_view path) { return mediaGroup(path) != MediaGroup::None; }

// Every entry of the folder whose name has a media extension (files, folders and hidden
// entries alike), as folder + name, sorted by name in byte order. folder ends with "/"
// ("" means the current folder, and the entries are then bare names). A missing or
// unreadable folder gives an empty list.
std::vector<std::string> scanMediaFolder(const std::string& folder);

// One row of the list view.
struct PlayListRow {
    std::string caption;  // the entry's file name without folder
    int icon = -1;        // small icon: 2 k for video, 2 k + 1 for sound in colour k; -1 none
    bool playing = false; // the state icon of the playing entry
};

struct PlayListView {
    std::vector<PlayListRow> rows;
    int listIndex = 0;       // the playing entry: the last whose file name is mediaPath's
    std::string statusText;  // "再生中のファイル : 3/12"
};

// The small icon of an entry: -1 when the entry is of neither group or when iconColour is
// not 0 to 4 (0 red, 1 yellow, 2 blue, 3 green, 4 black).
int playListIcon(std::string_view entry, int iconColour);

// What the view shows after any change. An entry plays when its file name equals the file
// name of mediaPath; when several do, the last one is the playing entry; when none does,
// listIndex stays as given.
PlayListView refreshPlayList(const std::vector<std::string>& entries, std::string_view mediaPath, int iconColour,
                             int listIndex);
std::string playListStatusText(int listIndex, int count);

// Removes entry `row` unless its file name is that of the playing file or the row does not
// exist. Returns whether it was removed.
bool removePlayListEntry(std::vector<std::string>& entries, int row, std::string_view mediaPath);

// ---- List files (".lst") ----

// The accepted lines of a list file, in file order. The text is UTF-8 when it is valid
// UTF-8 (a leading byte-order mark is dropped), otherwise CP932 as Japanese Windows wrote
// it, converted to UTF-8 (a byte that is not CP932 becomes U+FFFD). CR LF, LF and CR end a
// line, and a last line without an ending counts. A line is taken unchanged when its
// extension is one of the media extensions; any other line (blank, other extension,
// blanks after the extension) is skipped.
std::vector<std::string> parsePlayListText(std::string_view bytes);
// Reads and parses a list file; nullopt when it cannot be read or is larger than
// kMaxPlayListFileBytes (no list is that large; a file that is was not meant to be read).
std::optional<std::vector<std::string>> readPlayListFile(const std::string& path);
constexpr std::size_t kMaxPlayListFileBytes = 64u << 20;

// The bytes of a list file: every entry unchanged (UTF-8) as one line ending in CR LF, the
// last line included. When the first entry begins with U+FEFF, a byte-order mark comes
// first, so that reading the file gives the entry back whole.
std::string serializePlayList(const std::vector<std::string>& entries);
// The name a list is saved under: ".lst" appended when the chosen name has no extension.
std::string playListSaveName(std::string_view chosenName);

// What loading the chosen file does, whichever filter of the load dialog was selected:
// a media file is appended as one entry; anything else is read as a list file, whose
// entries replace the list.
enum class PlayListLoad { ReadListFile, AppendFile };
PlayListLoad playListLoadAction(std::string_view chosenPath);

// ---- Texts of the play-list window ----

struct DialogFilter {
    std::string_view description;
    std::string_view patterns;  // ';'-separated
};

inline constexpr std::string_view kPlayListCaption = "Play List";
inline constexpr std::string_view kPlayListInitialStatus = "再生中のファイル";
inline constexpr DialogFilter kPlayListLoadFilters[] = {
    {"リスト・ファイル",
     "*.lst;*.avi;*.mpeg;*.mpg;*.wmv;*.mp3;*.wav;*.wma;*.AVI;*.MPEG;*.MPG;*.WMV;*.MP3;*.WAV;*.WMA"},
    {"ファイルリスト(*.lst)", "*.lst"},
    {"サポートしているファイル", "*.avi;*.mpeg;*.mpg;*.wmv;*.mp3;*.wav;*.wma;*.AVI;*.MPEG;*.MPG;*.WMV;*.MP3;*.WAV;*.WMA"},
};
inline constexpr DialogFilter kPlayListSaveFilters[] = {{"ファイルリスト(*.lst)", "*.lst"}};
// Our own wording for the questions the classic program never asked.
inline constexpr std::string_view kPlayListReplaceQuestion = "同じ名前のファイルがあります。上書きしますか？";
inline constexpr std::string_view kPlayListWriteFailedText = "リストを保存できませんでした";
inline constexpr std::string_view kPlayListReadFailedText = "リストを読み込めませんでした";

}  // namespace veltrane
