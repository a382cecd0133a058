#pragma once
// A media engine for the controller's tests: it opens nothing and keeps its own clock, which
// moves only when the test says so. Opening completes when the test calls finishOpen() or
// failOpen(); seeks land at once. Every seek, rate and run is recorded.
#include <QList>
#include <algorithm>

#include "image/bitmap24.h"
#include "player/ui/media_engine.h"

namespace veltrane::test {

class FakeMediaEngine final : public MediaEngine {
public:
    struct Seek {
        qint64 current;
        StopMode stop;
    };

    // What the next finishOpen() reports.
    qint64 reportedDuration = 0;
    QSize reportedSize;
    double reportedSecondsPerFrame = 0.0;
    QStringList reportedElements;
    MissingCodec reportedMissing = MissingCodec::None;
    // What grab() hands over; empty: no frame came.
    Bitmap24 grabFrame;

    QList<Seek> seeks;
    QList<double> rates;  // every setRate, clamped
    int runs = 0;

    // ---- the test's side ----

    void finishOpen() {
        opening_ = false;
        open_ = true;
        emit opened();
    }
    void failOpen() {
        opening_ = false;
        emit openFailed("fake failure");
    }
    // Moves the clock while running, up to the end; at the end the engine reports it.
    void advance(qint64 units) {
        if (!running_) return;
        position_ = std::min(position_ + units, reportedDuration);
        if (position_ == reportedDuration) {
            running_ = false;
            emit endOfStream();
        }
    }

    // ---- MediaEngine ----

    void open(const QString& path) override {
        close();
        path_ = path;
        opening_ = true;
        rate_ = 1.0;
    }
    void close() override {
        opening_ = open_ = running_ = false;
        position_ = 0;
    }
    bool isOpening() const override { return opening_; }
    bool isOpen() const override { return open_; }
    QString path() const override { return path_; }
    void run() override {
        if (!open_ && !opening_) return;
        running_ = true;
        ++runs;
    }
    void pause() override { running_ = false; }
    void stop() override { running_ = false; }
    bool isRunning() const override { return running_; }
    qint64 duration() const override { return open_ ? reportedDuration : 0; }
    qint64 position() const override { return open_ ? position_ : 0; }
    bool setTimeFormatFrames(bool frames) override {
        if (frames && reportedSize.isEmpty()) return false;
        frames_ = frames;
        return true;
    }
    bool timeFormatFrames() const override { return frames_; }
    void setPositions(qint64 current, StopMode stop) override {
        seeks.append({current, stop});
        position_ = std::clamp<qint64>(current, 0, reportedDuration);
    }
    void setPositions(qint64 current, qint64) override { setPositions(current, StopMode::Unchanged); }
    bool isSeeking() const override { return false; }
    void setRate(double rate) override {
        rate_ = std::clamp(rate, 0.1, 5.0);
        rates.append(rate_);
    }
    double rate() const override { return rate_; }
    void setVolume(int volume) override { volume_ = std::clamp(volume, -10000, 0); }
    int volume() const override { return volume_; }
    void setBalance(int balance) override { balance_ = std::clamp(balance, -10000, 10000); }
    int balance() const override { return balance_; }
    bool hasVideo() const override { return open_ && !reportedSize.isEmpty(); }
    QSize nativeSize() const override { return open_ ? reportedSize : QSize(); }
    double secondsPerFrame() const override { return open_ ? reportedSecondsPerFrame : 0.0; }
    QStringList elementNames() const override { return open_ ? reportedElements : QStringList(); }
    MissingCodec missingCodec() const override { return reportedMissing; }
    GrabResult grab(qint64 position) override {
        running_ = false;
        position_ = position;
        GrabResult result;
        result.status = grabFrame.empty() ? GrabResult::Status::NoFrame : GrabResult::Status::Ok;
        result.frame = grabFrame;
        return result;
    }
    VideoFrame currentFrame() const override { return {}; }

private:
    QString path_;
    bool opening_ = false;
    bool open_ = false;
    bool running_ = false;
    bool frames_ = false;
    qint64 position_ = 0;
    double rate_ = 1.0;
    int volume_ = 0;
    int balance_ = 0;
};

}  // namespace veltrane::test
