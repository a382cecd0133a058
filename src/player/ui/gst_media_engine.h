#pragma once
// The media engine over one GStreamer playbin. Opening prerolls the graph to the paused state in
// the background: the bus reports the preroll done (opened) or an error, and a graph that neither
// prerolls nor fails within kOpenTimeoutMs counts as failed. Seeks and rate changes are flushing
// seeks the bus reports done (see GstSeekPolicy). Bus messages are handled on the event loop.
#include <QTimer>
#include <atomic>
#include <memory>
#include <optional>

#include "player/ui/gst_frames.h"
#include "player/ui/gst_graph.h"
#include "player/ui/media_engine.h"

namespace veltrane {

class GstBusQueue;
class GstSeekPolicy;

class GstMediaEngine final : public MediaEngine {
    Q_OBJECT

public:
    // How long a file may take to preroll before it counts as unplayable.
    static constexpr int kOpenTimeoutMs = 1800;
    // How long a seek may go unanswered before the engine gives up on it.
    static constexpr int kSeekTimeoutMs = 5000;
    // How long a grab waits for the frame at its position.
    static constexpr int kGrabTimeoutMs = 3000;

    explicit GstMediaEngine(QObject* parent = nullptr);
    ~GstMediaEngine() override;

    void open(const QString& path) override;
    void close() override;
    bool isOpening() const override { return opening_; }
    bool isOpen() const override { return !graph_.isNull() && !opening_; }
    QString path() const override { return path_; }

    void run() override;
    void pause() override;
    void stop() override { pause(); }
    bool isRunning() const override { return running_; }

    qint64 duration() const override;
    qint64 position() const override;
    bool setTimeFormatFrames(bool frames) override;
    bool timeFormatFrames() const override { return framesFormat_; }
    void setPositions(qint64 current, StopMode stop) override;
    void setPositions(qint64 current, qint64 stop) override;
    bool isSeeking() const override;

    void setRate(double rate) override;
    double rate() const override { return rate_; }
    void setVolume(int volume) override;
    int volume() const override { return volume_; }
    void setBalance(int balance) override;
    int balance() const override { return balance_; }

    bool hasVideo() const override { return hasVideo_; }
    QSize nativeSize() const override { return nativeSize_; }
    double secondsPerFrame() const override;
    QStringList elementNames() const override;
    MissingCodec missingCodec() const override { return missingCodec_; }

    GrabResult grab(qint64 position) override;
    VideoFrame currentFrame() const override { return frames_.current(); }

    // The text of the last error the graph reported, empty when none.
    QString errorString() const { return errorString_; }
    // Frames the video sink received while playing since the file was opened.
    std::uint64_t deliveredFrames() const { return frames_.delivered(); }
    // The playbin itself, for diagnostics and tests; null while nothing is open.
    GstElement* pipeline() const { return graph_.pipeline; }

private:
    void drainBus();
    void handleMessage(GstMessage* message, std::uint64_t index);
    void noteMissingPlugin(GstMessage* message);
    void finishOpen();
    void failOpen(const QString& why);
    void readStreamInfo();
    void seekNanoseconds(std::int64_t start, std::int64_t stop);
    void issueSeek(std::int64_t start);
    void seekDone();
    std::int64_t durationNanoseconds() const;
    std::int64_t stopNanoseconds() const;
    std::int64_t seekStopNanoseconds() const;
    std::int64_t toNanoseconds(qint64 value) const;
    qint64 fromNanoseconds(std::int64_t value) const;
    void applyVolume();
    void applyBalance();
    void notifyFrame();

    GstGraph graph_;
    std::unique_ptr<GstBusQueue> bus_;
    std::unique_ptr<GstSeekPolicy> seeks_;
    GstFrameStore frames_;
    std::atomic<bool> frameNotifyPending_{false};
    QTimer openTimer_;
    QTimer seekWatchdog_;
    QString path_;

    bool opening_ = false;
    bool running_ = false;
    bool framesFormat_ = false;
    bool stepSeeks_ = false;
    double rate_ = 1.0;
    int volume_ = 0;
    int balance_ = 0;
    bool hasVideo_ = false;
    QSize nativeSize_;
    int rateNum_ = 0;  // frame rate num / den; 0 when unknown
    int rateDen_ = 1;
    // The rate frame numbers count at: the file's, or 30 a second when it gives none.
    int frameRateNum() const { return rateNum_ > 0 ? rateNum_ : 30; }
    int frameRateDen() const { return rateNum_ > 0 ? rateDen_ : 1; }
    std::int64_t stop_ = -1;          // stop position in ns; -1: the end
    std::int64_t heldPosition_ = -1;  // the position asked by a seek, until the graph runs from it
    std::optional<std::int64_t> deferredSeek_;  // asked while the file opened
    std::uint64_t seekMark_ = 0;  // bus index from which messages answer the last seek
    std::int64_t duration_ = 0;       // last known duration in ns
    bool atEnd_ = false;
    MissingCodec missingCodec_ = MissingCodec::None;
    QString errorString_;
};

}  // namespace veltrane
