#include "player/player_logic.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstdio>
#include <utility>

#include "player/seek_bar.h"
#include "playlist/play_list.h"

namespace veltrane {

namespace {

constexpr std::int64_t kUnitsPerSecond = 10'000'000;

struct Hms {
    int h, m, s;
};

Hms hoursMinutesSeconds(std::int64_t value) {
    const std::int64_t seconds = value < 0 ? 0 : value / kUnitsPerSecond;
    if (seconds >= 10 * 3600) return {9, 59, 59};
    const int s = static_cast<int>(seconds);
    return {s / 3600, s % 3600 / 60, s % 60};
}

}  // namespace

std::string timeText(std::int64_t value) {
    const Hms t = hoursMinutesSeconds(value);
    char text[16];
    std::snprintf(text, sizeof text, "%d:%.2d:%.2d", t.h, t.m, t.s);
    return text;
}

int totalSecondsOf(std::int64_t duration) {
    const Hms t = hoursMinutesSeconds(duration);
    return 3600 * t.h + 60 * t.m + t.s;
}

int totalFramesOf(std::int64_t duration, double secondsPerFrame) {
    const double seconds = static_cast<double>(duration) * 1e-7;
    const double frames = secondsPerFrame > 0.0 ? seconds / secondsPerFrame : seconds * 30;
    if (!(frames > 0.0)) return 0;
    if (frames >= static_cast<double>(INT_MAX)) return INT_MAX;
    return static_cast<int>(frames);
}

std::string frameCountText(int totalFrames) { return "total:" + std::to_string(totalFrames) + "ﾌﾚｰﾑ"; }

std::string videoSizeText(int width, int height) {
    return std::to_string(width) + "×" + std::to_string(height);
}

int volumeFromPosition(int position) {
    const int v = std::clamp(position, 0, 100);
    return static_cast<int>((std::sqrt(static_cast<double>(v)) - 10) * 1000);
}

int balanceFromPosition(int position) { return std::clamp(position, -10, 10) * 1000; }

double rateFromPosition(int position) { return 0.1 * std::clamp(position, kSpeedMin, kSpeedMax); }

std::string rateText(double rate) {
    char text[32];
    std::snprintf(text, sizeof text, "%.15g", rate);
    return text;
}

AbButton clickAbRepeat(AbRepeat& ab, std::int64_t position, std::int64_t duration, int barWidth) {
    if (!ab.aSet) {
        ab.pointA = position;
        ab.markA = seekBarMark(position, duration, barWidth);
        ab.aSet = true;
        return {"→B", "AB再生をします(次に終了地点を決めて下さい。)"};
    }
    if (!ab.bSet) {
        ab.pointB = position;
        ab.markB = seekBarMark(position, duration, barWidth);
        if (ab.pointB < ab.pointA) {
            std::swap(ab.pointA, ab.pointB);
            std::swap(ab.markA, ab.markB);
        }
        ab.bSet = true;
        return {"AB", "AB再生中(辞めるにはこのボタンを押して下さい。)"};
    }
    ab = AbRepeat{};
    return {kAbStartCaption, "AB再生をします(まずは開始地点を決めて下さい。)"};
}

PollResult pollPlayback(std::int64_t position, std::int64_t duration, const AbRepeat& ab, std::string_view totalText) {
    PollResult result;
    // position < duration − 10000, written so that it cannot overflow for any duration.
    if (position < duration && duration - position > 10000) {
        result.label = timeText(position);
        result.seekToA = ab.aSet && ab.bSet && position >= ab.pointB;
    } else {
        result.label = totalText;
        result.endReached = true;
    }
    result.label += '/';
    result.label += totalText;
    return result;
}

MediaKind openedMediaKind(std::string_view path) {
    static constexpr std::array<std::string_view, 12> sound{".mp3", ".MP3", ".wav", ".WAV", ".aif", ".AIF",
                                                            ".mid", ".MID", ".snd", ".SND", ".au",  ".AU"};
    const std::string_view ext = extensionOf(path);
    if (ext == ".wma" || ext == ".WMA") return MediaKind::SoundFixedRate;
    if (std::find(sound.begin(), sound.end(), ext) != sound.end()) return MediaKind::Sound;
    return MediaKind::Video;
}

DropAction dropAction(const std::vector<std::string>& paths) {
    static constexpr std::array<std::string_view, 22> accepted{
        ".mp3", ".MP3", ".mpg", ".MPG", ".mpeg", ".MPEG", ".wma", ".WMA", ".wmv", ".WMV", ".avi",
        ".AVI", ".asf", ".ASF", ".aif", ".AIF",  ".mid",  ".MID", ".snd", ".SND", ".au",  ".AU"};
    if (paths.empty()) return DropAction::None;
    if (paths.size() > 1) return DropAction::TooManyFiles;
    const std::string_view ext = extensionOf(paths.front());
    return std::find(accepted.begin(), accepted.end(), ext) != accepted.end() ? DropAction::Open
                                                                              : DropAction::Unsupported;
}

}  // namespace veltrane
