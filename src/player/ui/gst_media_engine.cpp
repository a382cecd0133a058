#include "player/ui/gst_media_engine.h"

#include <gst/pbutils/missing-plugins.h>
#include <gst/video/video.h>

#include <QMetaObject>
#include <algorithm>
#include <cstring>

#include "player/frame_bitmap.h"
#include "player/media_units.h"
#include "player/ui/busy_wait.h"
#include "player/ui/gst_bus_queue.h"
#include "player/ui/gst_seek_policy.h"

namespace veltrane {

// Called from GStreamer's streaming thread too: at most one frameAvailable waits in the event
// queue at a time.
void GstMediaEngine::notifyFrame() {
    if (frameNotifyPending_.exchange(true)) return;
    QMetaObject::invokeMethod(
        this,
        [this] {
            frameNotifyPending_ = false;
            emit frameAvailable();
        },
        Qt::QueuedConnection);
}

GstMediaEngine::GstMediaEngine(QObject* parent)
    : MediaEngine(parent), frames_([this] { notifyFrame(); }) {
    openTimer_.setSingleShot(true);
    connect(&openTimer_, &QTimer::timeout, this, [this] {
        if (opening_) failOpen(QStringLiteral("the file did not preroll"));
    });
    seekWatchdog_.setSingleShot(true);
    connect(&seekWatchdog_, &QTimer::timeout, this, [this] {
        if (!seeks_) return;
        seeks_->reset();
        seekDone();
    });
}

GstMediaEngine::~GstMediaEngine() { close(); }

// ---- opening and closing ----

void GstMediaEngine::open(const QString& path) {
    close();
    errorString_.clear();
    missingCodec_ = MissingCodec::None;
    rate_ = 1.0;
    framesFormat_ = false;
    path_ = path;
    opening_ = true;

    QString error;
    graph_ = buildGraph(path, &error);
    if (graph_.isNull()) {
        // Reported from the event loop like every other outcome.
        QMetaObject::invokeMethod(
            this, [this, error, path] { if (opening_ && graph_.isNull() && path_ == path) failOpen(error); },
            Qt::QueuedConnection);
        return;
    }
    bus_ = std::make_unique<GstBusQueue>(
        graph_.pipeline, [this] { QMetaObject::invokeMethod(this, [this] { drainBus(); }, Qt::QueuedConnection); });
    seeks_ = std::make_unique<GstSeekPolicy>(graph_.pipeline, graph_.videoSink, *bus_);
    frames_.attach(graph_.videoSink);
    applyVolume();
    applyBalance();
    openTimer_.start(kOpenTimeoutMs);
    // A failure to pause also posts an error on the bus, which ends the open.
    const GstStateChangeReturn result = gst_element_set_state(graph_.pipeline, GST_STATE_PAUSED);
    if (result == GST_STATE_CHANGE_SUCCESS || result == GST_STATE_CHANGE_NO_PREROLL) {
        const GstElement* pipeline = graph_.pipeline;
        QMetaObject::invokeMethod(
            this, [this, pipeline] { if (opening_ && graph_.pipeline == pipeline) finishOpen(); }, Qt::QueuedConnection);
    }
}

void GstMediaEngine::finishOpen() {
    openTimer_.stop();
    opening_ = false;
    readStreamInfo();
    seeks_->setStepping(stepSeeks_ && hasVideo_, rateNum_, rateDen_);
    if (deferredSeek_) {
        const std::int64_t start = *deferredSeek_;
        deferredSeek_.reset();
        issueSeek(start);
    }
    if (running_ && !seeks_->holdsPaused()) gst_element_set_state(graph_.pipeline, GST_STATE_PLAYING);
    emit opened();
}

void GstMediaEngine::failOpen(const QString& why) {
    if (errorString_.isEmpty()) errorString_ = why;
    close();
    emit openFailed(errorString_);
}

void GstMediaEngine::close() {
    openTimer_.stop();
    seekWatchdog_.stop();
    seeks_.reset();
    bus_.reset();
    releaseGraph(graph_);
    if (frames_.clear()) notifyFrame();
    opening_ = false;
    running_ = false;
    stepSeeks_ = false;
    hasVideo_ = false;
    nativeSize_ = QSize();
    rateNum_ = 0;
    rateDen_ = 1;
    stop_ = -1;
    heldPosition_ = -1;
    deferredSeek_.reset();
    duration_ = 0;
    atEnd_ = false;
}

void GstMediaEngine::readStreamInfo() {
    GstPad* pad = gst_element_get_static_pad(graph_.videoSink, "sink");
    GstCaps* caps = pad != nullptr ? gst_pad_get_current_caps(pad) : nullptr;
    GstVideoInfo info;
    if (caps != nullptr && gst_video_info_from_caps(&info, caps) && GST_VIDEO_INFO_WIDTH(&info) > 0 &&
        GST_VIDEO_INFO_HEIGHT(&info) > 0) {
        hasVideo_ = true;
        nativeSize_ = QSize(GST_VIDEO_INFO_WIDTH(&info), GST_VIDEO_INFO_HEIGHT(&info));
        if (GST_VIDEO_INFO_FPS_N(&info) > 0 && GST_VIDEO_INFO_FPS_D(&info) > 0) {
            rateNum_ = GST_VIDEO_INFO_FPS_N(&info);
            rateDen_ = GST_VIDEO_INFO_FPS_D(&info);
        }
    }
    if (caps != nullptr) gst_caps_unref(caps);
    if (pad != nullptr) gst_object_unref(pad);

    forEachElement(graph_.pipeline, [&](GstElement* element) {
        if (factoryName(element) == "mpegpsdemux") stepSeeks_ = true;
    });
    duration_ = durationNanoseconds();
}

// ---- the bus, on the event loop ----

void GstMediaEngine::drainBus() {
    if (!bus_) return;
    bus_->beginDrain();
    GstMessage* message = nullptr;
    std::uint64_t index = 0;
    // A message may close or reopen the graph (an open that failed, a handler of a signal).
    while (bus_ && bus_->next(&message, &index)) {
        handleMessage(message, index);
        gst_message_unref(message);
    }
}

void GstMediaEngine::handleMessage(GstMessage* message, std::uint64_t index) {
    const bool fromPipeline = GST_MESSAGE_SRC(message) == GST_OBJECT(graph_.pipeline);
    switch (GST_MESSAGE_TYPE(message)) {
    case GST_MESSAGE_ERROR: {
        GError* error = nullptr;
        gst_message_parse_error(message, &error, nullptr);
        errorString_ = error != nullptr ? QString::fromUtf8(error->message) : QStringLiteral("error");
        if (error != nullptr) g_error_free(error);
        if (opening_) {
            failOpen(errorString_);
            return;
        }
        const bool wasSeeking = seeks_->busy();
        seeks_->reset();
        emit errorOccurred(errorString_);
        if (wasSeeking && seeks_) seekDone();
        return;
    }
    case GST_MESSAGE_ELEMENT:
        noteMissingPlugin(message);
        return;
    case GST_MESSAGE_ASYNC_DONE:
        if (opening_) {
            if (fromPipeline) finishOpen();
            return;
        }
        break;
    case GST_MESSAGE_DURATION_CHANGED: {
        if (opening_) return;
        const std::int64_t known = durationNanoseconds();
        if (known != duration_) {
            duration_ = known;
            emit durationChanged();
        }
        return;
    }
    case GST_MESSAGE_EOS:
        // An end reached before the last seek was asked no longer counts.
        if (!fromPipeline || opening_ || index < seekMark_) return;
        atEnd_ = true;
        break;
    default:
        break;
    }
    if (seeks_->handle(message, index)) seekDone();
    if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_EOS && bus_) emit endOfStream();
}

void GstMediaEngine::noteMissingPlugin(GstMessage* message) {
    if (!gst_is_missing_plugin_message(message)) return;
    const GstStructure* structure = gst_message_get_structure(message);
    const gchar* type = gst_structure_get_string(structure, "type");
    GstCaps* caps = nullptr;
    if (type == nullptr || std::strcmp(type, "decoder") != 0 ||
        !gst_structure_get(structure, "detail", GST_TYPE_CAPS, &caps, nullptr) || caps == nullptr)
        return;
    if (!gst_caps_is_empty(caps)) {
        const char* name = gst_structure_get_name(gst_caps_get_structure(caps, 0));
        int missing = static_cast<int>(missingCodec_);
        if (g_str_has_prefix(name, "video/")) missing |= static_cast<int>(MissingCodec::Video);
        if (g_str_has_prefix(name, "audio/")) missing |= static_cast<int>(MissingCodec::Audio);
        missingCodec_ = static_cast<MissingCodec>(missing);
    }
    gst_caps_unref(caps);
}

// ---- control ----

void GstMediaEngine::run() {
    if (graph_.isNull()) return;
    running_ = true;
    if (opening_) return;  // the open runs the graph when it is done
    if (!isSeeking()) heldPosition_ = -1;
    if (!seeks_->holdsPaused()) gst_element_set_state(graph_.pipeline, GST_STATE_PLAYING);
}

void GstMediaEngine::pause() {
    if (graph_.isNull()) return;
    running_ = false;
    if (!opening_) gst_element_set_state(graph_.pipeline, GST_STATE_PAUSED);
}

// ---- positions ----

std::int64_t GstMediaEngine::durationNanoseconds() const {
    if (graph_.isNull()) return 0;
    gint64 value = 0;
    if (gst_element_query_duration(graph_.pipeline, GST_FORMAT_TIME, &value) && value > 0) return value;
    return duration_;
}

std::int64_t GstMediaEngine::stopNanoseconds() const {
    const std::int64_t duration = durationNanoseconds();
    if (stop_ < 0) return duration;
    return duration > 0 ? std::min(stop_, duration) : stop_;
}

// The stop a seek carries. Every seek carries one: auparse ends at once on an open stop. "The
// end" goes as a stop far beyond the duration, since durations can be estimates (an MP3 without
// a Xing header); only mpegpsdemux, which clips any stop to its estimate and so would cut off
// the frames after the last time stamp it found, gets an open stop.
std::int64_t GstMediaEngine::seekStopNanoseconds() const {
    if (stop_ >= 0) return stop_;
    if (stepSeeks_) return -1;
    const std::int64_t duration = durationNanoseconds();
    return (duration > 0 ? duration : 0) + 3600 * GST_SECOND;
}

std::int64_t GstMediaEngine::toNanoseconds(qint64 value) const {
    if (framesFormat_) return framesToNanoseconds(value, frameRateNum(), frameRateDen());
    return unitsToNanoseconds(value);
}

qint64 GstMediaEngine::fromNanoseconds(std::int64_t value) const {
    if (framesFormat_) return nanosecondsToFrames(value, frameRateNum(), frameRateDen());
    return nanosecondsToUnits(value);
}

qint64 GstMediaEngine::duration() const { return fromNanoseconds(durationNanoseconds()); }

qint64 GstMediaEngine::position() const {
    if (graph_.isNull()) return 0;
    if (atEnd_) return fromNanoseconds(stopNanoseconds());
    if (heldPosition_ >= 0) return fromNanoseconds(heldPosition_);
    gint64 value = 0;
    if (opening_ || !gst_element_query_position(graph_.pipeline, GST_FORMAT_TIME, &value) || value < 0) return 0;
    return fromNanoseconds(value);
}

// A video without a frame rate counts 30 frames a second, as the player's frame count does; a
// file without video has no frames.
bool GstMediaEngine::setTimeFormatFrames(bool frames) {
    if (frames && !hasVideo_) return false;
    framesFormat_ = frames;
    return true;
}

double GstMediaEngine::secondsPerFrame() const {
    return rateNum_ > 0 ? static_cast<double>(rateDen_) / rateNum_ : 0.0;
}

void GstMediaEngine::setPositions(qint64 current, StopMode stop) {
    if (graph_.isNull()) return;
    const std::int64_t start = toNanoseconds(current);
    std::int64_t stopAt = stop_;
    if (stop == StopMode::AtEnd) stopAt = -1;
    if (stop == StopMode::EqualToCurrent) stopAt = start;
    seekNanoseconds(start, stopAt);
}

void GstMediaEngine::setPositions(qint64 current, qint64 stop) {
    if (graph_.isNull()) return;
    seekNanoseconds(toNanoseconds(current), toNanoseconds(stop));
}

bool GstMediaEngine::isSeeking() const { return deferredSeek_.has_value() || (seeks_ && seeks_->busy()); }

void GstMediaEngine::seekNanoseconds(std::int64_t start, std::int64_t stop) {
    stop_ = stop;
    issueSeek(start);
}

void GstMediaEngine::issueSeek(std::int64_t start) {
    // Some parsers (auparse) land a few samples early: the position reads the one asked.
    heldPosition_ = start;
    atEnd_ = false;
    if (opening_) {
        deferredSeek_ = start;
        return;
    }
    seekMark_ = bus_->mark();
    seeks_->request({start, seekStopNanoseconds(), rate_});
    if (seeks_->busy()) seekWatchdog_.start(kSeekTimeoutMs);
}

void GstMediaEngine::seekDone() {
    seekWatchdog_.stop();
    if (running_ && !graph_.isNull()) {
        heldPosition_ = -1;
        gst_element_set_state(graph_.pipeline, GST_STATE_PLAYING);
    }
    emit seekFinished();
}

void GstMediaEngine::setRate(double rate) {
    rate_ = std::clamp(rate, 0.1, 5.0);
    if (graph_.isNull()) return;
    if (opening_) {
        // Rates travel with seeks: the open seeks to the start at the new rate.
        if (!deferredSeek_) deferredSeek_ = 0;
        return;
    }
    const std::int64_t at = atEnd_ ? stopNanoseconds() : toNanoseconds(position());
    seekNanoseconds(at, stop_);
}

void GstMediaEngine::setVolume(int volume) {
    volume_ = std::clamp(volume, -10000, 0);
    applyVolume();
}

void GstMediaEngine::setBalance(int balance) {
    balance_ = std::clamp(balance, -10000, 10000);
    applyBalance();
}

void GstMediaEngine::applyVolume() {
    if (!graph_.isNull()) g_object_set(graph_.pipeline, "volume", volumeToGain(volume_), nullptr);
}

void GstMediaEngine::applyBalance() {
    if (graph_.panorama != nullptr)
        g_object_set(graph_.panorama, "panorama", static_cast<gfloat>(balanceToPanorama(balance_)), nullptr);
}

// ---- the graph and its frames ----

QStringList GstMediaEngine::elementNames() const {
    QStringList names;
    if (graph_.isNull()) return names;
    const auto add = [&names](GstElement* element) {
        gchar* name = gst_object_get_name(GST_OBJECT(element));
        names << QString::fromUtf8(name);
        g_free(name);
    };
    add(graph_.pipeline);
    forEachElement(graph_.pipeline, add);
    return names;
}

GrabResult GstMediaEngine::grab(qint64 position) {
    GrabResult result;
    if (!isOpen()) {
        result.status = GrabResult::Status::NoMedia;
        return result;
    }
    if (!hasVideo_) {
        result.status = GrabResult::Status::NoVideo;
        return result;
    }
    pause();
    seekNanoseconds(toNanoseconds(position), stop_);
    const bool ready =
        waitBusy([this] { return !isSeeking() || graph_.isNull(); }, [this] { drainBus(); }, kGrabTimeoutMs);
    if (graph_.isNull()) {
        result.status = GrabResult::Status::NoMedia;
        return result;
    }
    // The frame the paused sink holds is the one at the position.
    VideoFrame frame = ready ? heldFrame(graph_.videoSink) : VideoFrame();
    result.status = GrabResult::Status::Ok;
    if (frame.isNull()) {
        frame = currentFrame();
        result.status = GrabResult::Status::LastFrame;
    }
    result.frame = frameToBitmap(frame);
    if (!result.hasFrame()) result.status = GrabResult::Status::NoFrame;
    return result;
}

}  // namespace veltrane
