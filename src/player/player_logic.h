#pragma once
// The controller's rules that need no window and no media engine: time texts, frame count,
// the volume, balance and speed mappings, the A-B repeat, one tick of the playback poll,
// the kind of an opened file and what a drop does. Positions are 100 ns units (10^7 per
// second) in 64-bit integers.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "playlist/play_list.h"

namespace veltrane {

// ---- Time ----

// "H:MM:SS" of whole seconds (value div 10^7), as "%d:%.2d:%.2d": 0:03:25, 1:02:03. The
// text cannot grow past one hour digit: media of 10 hours or longer read 9:59:59. A
// negative value reads 0:00:00.
std::string timeText(std::int64_t value);
// 3600 H + 60 M + S of timeText(duration).
int totalSecondsOf(std::int64_t duration);
// trunc(duration × 10^-7 / secondsPerFrame), or trunc(duration × 10^-7 × 30) when the
// engine reports no time per frame (0, negative or not a number); kept within 0 .. INT_MAX.
int totalFramesOf(std::int64_t duration, double secondsPerFrame);
// The duration the controller works with: a reported 0 (or less) becomes 1.
inline std::int64_t usableDuration(std::int64_t reported) { return reported <= 0 ? 1 : reported; }

// Status panels: "total:300ﾌﾚｰﾑ" and "320×240".
std::string frameCountText(int totalFrames);
std::string videoSizeText(int width, int height);

// ---- Volume, balance, speed ----

inline constexpr int kVolumeStart = 30;  // TrackBar1, 0 to 100
// trunc((√v − 10) × 1000): 0 → −10000, 30 → −4522, 50 → −2928, 100 → 0. v is kept
// within 0 to 100.
int volumeFromPosition(int position);
// b × 1000 for the track bar's −10 to 10 (kept within that range).
int balanceFromPosition(int position);

inline constexpr int kSpeedMin = 1;     // UpDown1
inline constexpr int kSpeedMax = 50;
inline constexpr int kSpeedStart = 10;
inline constexpr std::string_view kSpeedStartText = "1.0";  // Edit4 before any click
// 0.1 × position (kept within 1 to 50).
double rateFromPosition(int position);
// The rate in its shortest general decimal form, as the edit box shows it after a click
// or a reset: 1.1, 2, 0.5, 1 (15 significant digits, so 0.1 × 3 reads 0.3).
std::string rateText(double rate);

// ---- A-B repeat ----

inline constexpr std::string_view kAbStartCaption = "A→";
inline constexpr std::string_view kAbStartHint = "AB再生をします(まずは開始地点を決めて下さい)";

struct AbRepeat {
    std::int64_t pointA = -1;
    std::int64_t pointB = -1;
    bool aSet = false;
    bool bSet = false;  // the loop is active
    int markA = 255;    // bar columns of A and B; 255 while unset
    int markB = 255;
};

struct AbButton {
    std::string_view caption;
    std::string_view hint;
};

// One click on the A-B button at the current position. Neither set: A is set. A set: B is
// set (the two are exchanged when B lies before A) and the loop starts: the caller seeks to
// pointA and runs. Both set: both are cleared. Marks are bar columns of barWidth.
AbButton clickAbRepeat(AbRepeat& ab, std::int64_t position, std::int64_t duration, int barWidth);

// ---- Playback poll (every 500 ms) ----

struct PollResult {
    bool endReached = false;  // the repeat mode decides what follows
    bool seekToA = false;     // the A-B loop passed B: seek to pointA (stop unchanged), run
    std::string label;        // the time display, e.g. "0:01:05/0:03:25"
};
// The end is reached when position >= duration − 10000 (within 1 ms of the end); then the
// elapsed part of the label is totalText.
PollResult pollPlayback(std::int64_t position, std::int64_t duration, const AbRepeat& ab, std::string_view totalText);

// ---- Opened and dropped files ----

enum class MediaKind {
    Video,           // everything not listed below, mixed-case extensions included
    Sound,           // .mp3 .wav .aif .mid .snd .au (all lower or all upper case)
    SoundFixedRate,  // .wma: a sound file whose speed cannot be changed
};
MediaKind openedMediaKind(std::string_view path);

enum class DropAction {
    None,          // no file
    TooManyFiles,  // message kDropTooManyText, caption kDropTooManyCaption
    Open,          // close the playing file and open the dropped one afresh
    Unsupported,   // message kDropUnsupportedText, default caption
};
// .mp3 .mpg .mpeg .wma .wmv .avi .asf .aif .mid .snd .au, all lower or all upper case;
// ".wav" is not among them.
DropAction dropAction(const std::vector<std::string>& paths);

// The controller's open dialog (no extension check on what is chosen there).
inline constexpr DialogFilter kMediaOpenFilters[] = {
    {"サポートしているファイル",
     "*.avi;*.mpeg;*.mpg;*.wmv;*.mp3;*.wav;*.wma;*.asf;*.aif;*.mid;*.snd;*.au;"
     "*.AVI;*.MPEG;*.MPG;*.WMV;*.MP3;*.WAV;*.WMA;*.ASF;*.AIF;*.MID;*.SND;*.AU"},
    {"動画ファイル(*.avi;*.mpeg;*.mpg;*.wmv;*.asf)", "*.avi;*.mpeg;*.mpg;*.wmv;*.asf;*.AVI;*.MPEG;*.MPG;*.WMV;*.ASF"},
    {"音楽ファイル(*.mp3;*wav;*.wma;*.aif;*.mid;*.snd;*.au)",
     "*.mp3;*wav;*.wma;*.aif;*.mid;*.snd;*.au;*.MP3;*.WAV;*.WMA;*.AIF;*.MID;*.SND;*.AU"},
};

inline constexpr std::string_view kDropTooManyText = "複数のファイルを同時に開くことは出来ません";
inline constexpr std::string_view kDropTooManyCaption = "NULL";
inline constexpr std::string_view kDropUnsupportedText = "開けない形式のファイルです";

}  // namespace veltrane
