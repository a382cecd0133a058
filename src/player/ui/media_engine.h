#pragma once
// The media engine of the player: one file played through one GStreamer playbin. It opens and
// prerolls a file synchronously, runs, pauses and seeks it, reports duration and position in
// counts of 100 ns (or in frames while the frame format is set), sets rate, volume and balance,
// delivers the decoded video as B, G, R frames for a VideoWidget, and grabs the frame at a
// position. Every call comes from the user-interface thread; the engine's signals are emitted
// from the event loop, never from inside a call.
#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>
#include <QStringList>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>

#include "player/ui/frame_grab.h"

typedef struct _GstElement GstElement;
typedef struct _GstBus GstBus;
typedef struct _GstMessage GstMessage;
typedef struct _GstSample GstSample;

namespace veltrane {

// Positions and durations in time are counts of 100 ns.
inline constexpr qint64 kUnitsPerSecond = 10'000'000;

// The classic volume scale −10000 (silence) .. 0 (full) as a linear gain: 10^(v / 2000), so a
// step of 100 is 1 dB; −10000 and below give 0, 0 and above give 1.
double volumeToGain(int volume);

// The classic balance −10000 (left only) .. 10000 (right only) as a panorama −1 .. 1 for a
// simple panner that attenuates the opposite channel: sign(b) · (1 − 10^(−|b| / 2000)), so the
// opposite channel loses |b| / 100 dB. Values beyond ±10000 count as ±10000.
double balanceToPanorama(int balance);

// Frame number ↔ nanoseconds at a frame rate of num / den frames per second, both rounded to
// the nearest: frame n starts at n · den / num seconds.
std::int64_t framesToNanoseconds(std::int64_t frames, int rateNum, int rateDen);
std::int64_t nanosecondsToFrames(std::int64_t nanoseconds, int rateNum, int rateDen);

enum class StopMode {
    Unchanged,       // keep the stop position of the last seek (at first: the end)
    AtEnd,           // play to the end of the media
    EqualToCurrent,  // stop at the new current position (show that frame and end)
};

enum class MissingCodec { None = 0, Video = 1, Audio = 2, VideoAndAudio = 3 };

// A decoded frame as the engine delivered it: B, G, R bytes, top row first, rows `bytesPerLine`
// apart. Copies share the frame; its memory lives as long as a copy (or an image()) does.
class VideoFrame {
public:
    bool isNull() const { return !data_; }
    int width() const;
    int height() const;
    int bytesPerLine() const;
    const std::uint8_t* bits() const;
    std::size_t size() const;  // bytes readable from bits()
    quint64 serial() const;    // 1, 2, ... in the order the engine received frames
    // The frame as a QImage over the same memory (no copy), Format_BGR888.
    QImage image() const;

private:
    struct Data;
    // Maps a B, G, R sample for reading, taking over its reference; null for anything else.
    static std::shared_ptr<Data> map(GstSample* sample);

    std::shared_ptr<const Data> data_;
    friend class MediaEngine;
};

class MediaEngine : public QObject {
    Q_OBJECT

public:
    explicit MediaEngine(QObject* parent = nullptr);
    ~MediaEngine() override;

    // Builds a graph for the file and prerolls it to the paused state, waiting up to timeoutMs,
    // so duration, native size, time per frame and element names are known when it returns.
    // False (and nothing open) when the file is missing, unreadable or not media, or when the
    // preroll fails or takes too long. Opening closes what was open; the rate goes back to 1
    // and positions back to time; volume and balance carry over.
    bool open(const QString& path, int timeoutMs = 10000);
    // Stops and releases the graph.
    void close();
    bool isOpen() const { return pipeline_ != nullptr; }
    QString path() const { return path_; }

    void run();
    void pause();
    // Holds like pause(): the position is kept, so a following run() goes on from it.
    void stop();
    bool isRunning() const { return running_; }

    // Length and position in the current unit (100 ns, or frames). 0 while nothing is open, and
    // the duration 0 until the graph knows it (see durationChanged). After a seek in the paused
    // state the position reads the position asked until the graph runs; after the end of the
    // stream it reads the stop position (normally the duration) until the next seek.
    qint64 duration() const;
    qint64 position() const;

    // Frames as the position unit. Refused (false, time kept) when the file gives no frame rate.
    bool setTimeFormatFrames(bool frames);
    bool timeFormatFrames() const { return framesFormat_; }

    // Seeks accurately to `current` (current unit) and sets the stop position. Waits until the
    // frame at the new position is ready. In MPEG program streams, where accurate seeks land on
    // the next key frame, the engine seeks half a second earlier and steps to the position.
    void setPositions(qint64 current, StopMode stop);
    // The same with an absolute stop position in the current unit.
    void setPositions(qint64 current, qint64 stop);

    // 0.1 .. 5.0 (clamped); a flushing seek at the present position. Speech keeps its pitch.
    void setRate(double rate);
    double rate() const { return rate_; }
    void setVolume(int volume);  // −10000 .. 0, clamped
    int volume() const { return volume_; }
    void setBalance(int balance);  // −10000 .. 10000, clamped
    int balance() const { return balance_; }

    bool hasVideo() const { return hasVideo_; }
    QSize nativeSize() const { return nativeSize_; }
    // Seconds per frame, 0 when the file gives no frame rate.
    double secondsPerFrame() const;
    // The names of every element of the graph, nested ones included.
    QStringList elementNames() const;
    // Streams the graph could not decode for want of a codec (the rest still plays).
    MissingCodec missingCodec() const { return missingCodec_; }
    // The text of the last error the graph reported, empty when none.
    QString errorString() const { return errorString_; }

    // Pauses, seeks to `position` (current unit; the stop position is kept) and returns the
    // frame there in the bottom-up, padded layout, waiting up to timeoutMs for it. The engine
    // stays paused at the position.
    GrabResult grab(qint64 position, int timeoutMs = 3000);

    // The last frame delivered (while playing, after a seek or a grab); null when none.
    VideoFrame currentFrame() const;
    // Frames the video sink received while playing since the file was opened.
    quint64 deliveredFrames() const { return delivered_.load(); }

    // The playbin itself, for diagnostics and tests; null while nothing is open.
    GstElement* pipeline() const { return pipeline_; }

signals:
    void endOfStream();
    // A new frame can be fetched with currentFrame() (or the frame went away on close).
    void frameAvailable();
    // The graph learned a new duration (an MP3 without a Xing header learns it while playing).
    void durationChanged();
    void errorOccurred(const QString& message);

private:
    void drainBus() const;
    GstMessage* takeMessage(int timeoutMs) const;
    void handleMessage(GstMessage* message) const;
    bool waitForPreroll(int timeoutMs) const;
    bool waitForMessage(int typeMask, int timeoutMs) const;
    bool seekNanoseconds(std::int64_t start, std::int64_t stop, int timeoutMs);
    bool stepTo(std::int64_t target, std::int64_t stop, int timeoutMs);
    std::int64_t durationNanoseconds() const;
    std::int64_t positionNanoseconds() const;
    std::int64_t resolvedStopNanoseconds() const;
    std::int64_t seekStopNanoseconds() const;
    std::int64_t toNanoseconds(qint64 value) const;
    qint64 fromNanoseconds(std::int64_t value) const;
    std::int64_t shownFrameTime(std::int64_t* frameDuration) const;
    void readStreamInfo();
    void applyVolume();
    void applyBalance();
    void storeFrame(GstSample* sample, bool preroll);
    void queueSignal(const char* signal) const;

    GstElement* pipeline_ = nullptr;
    GstElement* videoSink_ = nullptr;
    GstElement* panorama_ = nullptr;
    GstBus* bus_ = nullptr;
    QString path_;

    bool running_ = false;
    bool framesFormat_ = false;
    bool stepSeeks_ = false;  // accurate seeks land on key frames: seek earlier and step
    double rate_ = 1.0;
    int volume_ = 0;
    int balance_ = 0;
    bool hasVideo_ = false;
    QSize nativeSize_;
    int rateNum_ = 0;  // frame rate num / den; 0 when unknown
    int rateDen_ = 1;
    std::int64_t stop_ = -1;  // stop position in ns; -1: the end
    std::int64_t heldPosition_ = -1;  // the position asked by a seek while paused, until the graph runs

    mutable std::int64_t duration_ = 0;  // last known duration in ns
    mutable bool atEnd_ = false;
    mutable MissingCodec missingCodec_ = MissingCodec::None;
    mutable QString errorString_;
    mutable bool errorSeen_ = false;

    // Shared with GStreamer's streaming threads.
    mutable std::mutex frameMutex_;
    VideoFrame frame_;
    std::atomic<quint64> delivered_{0};
    std::atomic<quint64> serial_{0};
    std::atomic<bool> frameNotifyPending_{false};
    std::atomic<bool> busDrainPending_{false};
    mutable std::mutex busMutex_;
    mutable std::condition_variable busSignal_;
    mutable std::deque<GstMessage*> busQueue_;

    friend struct MediaEngineCallbacks;
};

}  // namespace veltrane
