#include "player/ui/media_engine.h"

#include <gst/app/gstappsink.h>
#include <gst/gst.h>
#include <gst/pbutils/missing-plugins.h>
#include <gst/video/video.h>

#include <QFile>
#include <QFileInfo>
#include <QMetaObject>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>

namespace veltrane {

namespace {

// How long a seek, a step or a pause may take before the engine goes on without it.
constexpr int kSeekWaitMs = 5000;
// MPEG program streams: how far before the target the first seek goes, and how many frames the
// engine steps at most to reach it.
constexpr std::int64_t kStepBackoff = GST_SECOND / 2;
constexpr int kMaxSteps = 600;
// A shown frame counts as reaching a target when it ends more than this after it, so that
// timestamps rounded to the 90 kHz clock of MPEG still land on the frame that starts there.
constexpr std::int64_t kFrameTolerance = GST_MSECOND;

// playbin's GstPlayFlags: video, audio, software volume, deinterlace. Subtitles and the software
// colour balance are left out.
constexpr guint kPlayFlags = 0x1 | 0x2 | 0x10 | 0x200;

bool gstreamerReady() {
    static const bool ready = [] {
        GError* error = nullptr;
        const bool ok = gst_init_check(nullptr, nullptr, &error);
        if (error != nullptr) g_error_free(error);
        return ok;
    }();
    return ready;
}

GstElement* ownedElement(const char* factory, const char* name = nullptr) {
    GstElement* element = gst_element_factory_make(factory, name);
    if (element != nullptr) gst_object_ref_sink(element);
    return element;
}

// A sink that consumes audio in real time without a device.
GstElement* clockedFakeSink() {
    GstElement* sink = ownedElement("fakesink", "audiosink");
    if (sink != nullptr) g_object_set(sink, "sync", TRUE, nullptr);
    return sink;
}

QString factoryName(GstElement* element) {
    GstElementFactory* factory = gst_element_get_factory(element);
    return factory != nullptr ? QString::fromUtf8(GST_OBJECT_NAME(factory)) : QString();
}

// Calls visit for every element inside bin, nested ones included.
template <typename Visit>
void forEachElement(GstElement* bin, Visit visit) {
    if (bin == nullptr || !GST_IS_BIN(bin)) return;
    GstIterator* iterator = gst_bin_iterate_recurse(GST_BIN(bin));
    GValue item = G_VALUE_INIT;
    bool done = false;
    while (!done) {
        switch (gst_iterator_next(iterator, &item)) {
        case GST_ITERATOR_OK:
            visit(GST_ELEMENT(g_value_get_object(&item)));
            g_value_reset(&item);
            break;
        case GST_ITERATOR_RESYNC:
            gst_iterator_resync(iterator);
            break;
        default:
            done = true;
            break;
        }
    }
    g_value_unset(&item);
    gst_iterator_free(iterator);
}

// autoaudiosink settles on a silent stand-in when no device opens; tell that from a device.
bool hasAudioDevice(GstElement* autoSink) {
    bool device = false;
    forEachElement(autoSink, [&](GstElement* child) {
        const QString factory = factoryName(child);
        if (factory != "fakesink" && factory != "fakeaudiosink") device = true;
    });
    return device;
}

// The desktop's audio output, or a clocked silent sink when the environment asks for one
// (VELTRANE_AUDIO_SINK=fakesink) or no device works.
GstElement* makeAudioSink() {
    if (qgetenv("VELTRANE_AUDIO_SINK") == "fakesink") return clockedFakeSink();
    GstElement* sink = ownedElement("autoaudiosink", "audiosink");
    if (sink == nullptr) return clockedFakeSink();
    if (gst_element_set_state(sink, GST_STATE_READY) == GST_STATE_CHANGE_FAILURE || !hasAudioDevice(sink)) {
        gst_element_set_state(sink, GST_STATE_NULL);
        gst_object_unref(sink);
        return clockedFakeSink();
    }
    return sink;
}

// Time stretching keeps the pitch at other rates; the panner gives the balance.
GstElement* makeAudioFilter() {
    GError* error = nullptr;
    GstElement* filter = gst_parse_bin_from_description(
        "scaletempo ! audioconvert ! audiopanorama name=balance method=simple", TRUE, &error);
    if (error != nullptr) {
        g_error_free(error);
        if (filter != nullptr) gst_object_unref(filter);
        return nullptr;
    }
    if (filter != nullptr) gst_object_ref_sink(filter);
    return filter;
}

// aiffparse reading the file itself (pull mode) races with the linking of its source pad in
// GStreamer 1.22 and often fails with "not-linked"; fed by pushfilesrc it does not.
bool isAiff(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray head = file.read(12);
    return head.size() == 12 && head.startsWith("FORM") && (head.endsWith("AIFF") || head.endsWith("AIFC"));
}

qint64 toUnits(std::int64_t nanoseconds) { return nanoseconds / 100; }

std::int64_t nowMs() { return g_get_monotonic_time() / 1000; }

}  // namespace

double volumeToGain(int volume) {
    if (volume <= -10000) return 0.0;
    if (volume >= 0) return 1.0;
    return std::pow(10.0, volume / 2000.0);
}

double balanceToPanorama(int balance) {
    const int b = std::clamp(balance, -10000, 10000);
    if (b == 0) return 0.0;
    const double magnitude = 1.0 - std::pow(10.0, -std::abs(b) / 2000.0);
    return b < 0 ? -magnitude : magnitude;
}

std::int64_t framesToNanoseconds(std::int64_t frames, int rateNum, int rateDen) {
    if (rateNum <= 0 || rateDen <= 0 || frames <= 0) return 0;
    const __int128 numerator = static_cast<__int128>(frames) * GST_SECOND * rateDen;
    return static_cast<std::int64_t>((numerator + rateNum / 2) / rateNum);
}

std::int64_t nanosecondsToFrames(std::int64_t nanoseconds, int rateNum, int rateDen) {
    if (rateNum <= 0 || rateDen <= 0 || nanoseconds <= 0) return 0;
    const __int128 denominator = static_cast<__int128>(GST_SECOND) * rateDen;
    return static_cast<std::int64_t>((static_cast<__int128>(nanoseconds) * rateNum + denominator / 2) /
                                     denominator);
}

// ---- VideoFrame ----

struct VideoFrame::Data {
    GstSample* sample = nullptr;
    GstVideoFrame frame{};
    bool mapped = false;
    quint64 serial = 0;

    Data() = default;
    Data(const Data&) = delete;
    Data& operator=(const Data&) = delete;
    ~Data() {
        if (mapped) gst_video_frame_unmap(&frame);
        if (sample != nullptr) gst_sample_unref(sample);
    }
};

std::shared_ptr<VideoFrame::Data> VideoFrame::map(GstSample* sample) {
    auto data = std::make_shared<Data>();
    data->sample = sample;
    GstVideoInfo info;
    GstCaps* caps = gst_sample_get_caps(sample);
    GstBuffer* buffer = gst_sample_get_buffer(sample);
    if (caps == nullptr || buffer == nullptr || !gst_video_info_from_caps(&info, caps) ||
        GST_VIDEO_INFO_FORMAT(&info) != GST_VIDEO_FORMAT_BGR)
        return nullptr;
    data->mapped = gst_video_frame_map(&data->frame, &info, buffer, GST_MAP_READ);
    return data->mapped ? data : nullptr;
}

int VideoFrame::width() const { return data_ ? GST_VIDEO_FRAME_WIDTH(&data_->frame) : 0; }
int VideoFrame::height() const { return data_ ? GST_VIDEO_FRAME_HEIGHT(&data_->frame) : 0; }
int VideoFrame::bytesPerLine() const { return data_ ? GST_VIDEO_FRAME_PLANE_STRIDE(&data_->frame, 0) : 0; }
quint64 VideoFrame::serial() const { return data_ ? data_->serial : 0; }

const std::uint8_t* VideoFrame::bits() const {
    return data_ ? static_cast<const std::uint8_t*>(GST_VIDEO_FRAME_PLANE_DATA(&data_->frame, 0)) : nullptr;
}

std::size_t VideoFrame::size() const {
    if (!data_) return 0;
    const std::size_t mapped = data_->frame.map[0].size;
    const std::size_t offset = GST_VIDEO_FRAME_PLANE_OFFSET(&data_->frame, 0);
    return mapped > offset ? mapped - offset : 0;
}

QImage VideoFrame::image() const {
    if (!data_ || width() <= 0 || height() <= 0) return {};
    auto* keeper = new std::shared_ptr<const Data>(data_);
    return QImage(
        bits(), width(), height(), bytesPerLine(), QImage::Format_BGR888,
        [](void* info) { delete static_cast<std::shared_ptr<const Data>*>(info); }, keeper);
}

// ---- callbacks from GStreamer's threads ----

struct MediaEngineCallbacks {
    static GstFlowReturn newSample(GstAppSink* sink, gpointer engine) {
        if (GstSample* sample = gst_app_sink_pull_sample(sink))
            static_cast<MediaEngine*>(engine)->storeFrame(sample, false);
        return GST_FLOW_OK;
    }

    static GstFlowReturn newPreroll(GstAppSink* sink, gpointer engine) {
        if (GstSample* sample = gst_app_sink_pull_preroll(sink))
            static_cast<MediaEngine*>(engine)->storeFrame(sample, true);
        return GST_FLOW_OK;
    }

    // Messages go to the engine's own queue, and the event loop is woken to handle them. The
    // message is queued before the wake-up is decided, so none is left behind: GStreamer calls a
    // sync handler before it queues a message on the bus, so a drain woken from here could run
    // before the message it was woken for is on the bus.
    static GstBusSyncReply busMessage(GstBus*, GstMessage* message, gpointer data) {
        auto* engine = static_cast<MediaEngine*>(data);
        {
            std::lock_guard lock(engine->busMutex_);
            engine->busQueue_.push_back(gst_message_ref(message));
        }
        engine->busSignal_.notify_all();
        if (!engine->busDrainPending_.exchange(true)) {
            QMetaObject::invokeMethod(
                engine,
                [engine] {
                    engine->busDrainPending_ = false;
                    engine->drainBus();
                },
                Qt::QueuedConnection);
        }
        return GST_BUS_DROP;
    }
};

void MediaEngine::storeFrame(GstSample* sample, bool preroll) {
    std::shared_ptr<VideoFrame::Data> data = VideoFrame::map(sample);
    if (!data) return;
    if (!preroll) ++delivered_;
    GstBuffer* buffer = gst_sample_get_buffer(sample);

    VideoFrame frame;
    {
        std::lock_guard lock(frameMutex_);
        // The frame prerolled in the paused state comes again as the first one played.
        const bool again = !frame_.isNull() && gst_sample_get_buffer(frame_.data_->sample) == buffer;
        data->serial = again ? frame_.data_->serial : ++serial_;
        frame.data_ = std::move(data);
        std::swap(frame_, frame);
    }
    frame = VideoFrame();  // the old frame is released outside the lock

    if (!frameNotifyPending_.exchange(true)) {
        QMetaObject::invokeMethod(
            this,
            [this] {
                frameNotifyPending_ = false;
                emit frameAvailable();
            },
            Qt::QueuedConnection);
    }
}

// ---- MediaEngine ----

MediaEngine::MediaEngine(QObject* parent) : QObject(parent) {}

MediaEngine::~MediaEngine() { close(); }

bool MediaEngine::open(const QString& path, int timeoutMs) {
    close();
    errorString_.clear();
    missingCodec_ = MissingCodec::None;
    rate_ = 1.0;
    framesFormat_ = false;
    path_ = path;

    if (!gstreamerReady()) {
        errorString_ = QStringLiteral("GStreamer could not be initialised");
        return false;
    }
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable()) {
        errorString_ = QStringLiteral("cannot read %1").arg(path);
        return false;
    }
    GError* error = nullptr;
    gchar* uri = gst_filename_to_uri(QFile::encodeName(info.absoluteFilePath()).constData(), &error);
    if (uri == nullptr) {
        if (error != nullptr) g_error_free(error);
        return false;
    }
    if (isAiff(path) && g_str_has_prefix(uri, "file://") && gst_uri_protocol_is_supported(GST_URI_SRC, "pushfile")) {
        gchar* pushUri = g_strconcat("pushfile://", uri + std::strlen("file://"), nullptr);
        g_free(uri);
        uri = pushUri;
    }

    pipeline_ = ownedElement("playbin", "player");
    videoSink_ = ownedElement("appsink", "videosink");
    GstElement* audioSink = makeAudioSink();
    GstElement* audioFilter = makeAudioFilter();
    if (pipeline_ == nullptr || videoSink_ == nullptr || audioSink == nullptr || audioFilter == nullptr) {
        g_free(uri);
        if (audioSink != nullptr) gst_object_unref(audioSink);
        if (audioFilter != nullptr) gst_object_unref(audioFilter);
        errorString_ = QStringLiteral("GStreamer elements are missing");
        close();
        return false;
    }

    GstCaps* caps = gst_caps_from_string("video/x-raw,format=BGR");
    // wait-on-eos: with the default an appsink never lets the end of the stream through.
    g_object_set(videoSink_, "caps", caps, "max-buffers", 2u, "drop", TRUE, "wait-on-eos", FALSE,
                 "enable-last-sample", TRUE, "sync", TRUE, "qos", TRUE, "max-lateness",
                 static_cast<gint64>(20 * GST_MSECOND), nullptr);
    gst_caps_unref(caps);
    GstAppSinkCallbacks callbacks{};
    callbacks.new_preroll = &MediaEngineCallbacks::newPreroll;
    callbacks.new_sample = &MediaEngineCallbacks::newSample;
    gst_app_sink_set_callbacks(GST_APP_SINK(videoSink_), &callbacks, this, nullptr);

    panorama_ = gst_bin_get_by_name(GST_BIN(audioFilter), "balance");
    g_object_set(pipeline_, "uri", uri, "flags", kPlayFlags, "video-sink", videoSink_, "audio-sink", audioSink,
                 "audio-filter", audioFilter, nullptr);
    g_free(uri);
    gst_object_unref(audioSink);
    gst_object_unref(audioFilter);

    bus_ = gst_element_get_bus(pipeline_);
    errorSeen_ = false;
    gst_bus_set_sync_handler(bus_, &MediaEngineCallbacks::busMessage, this, nullptr);
    applyVolume();
    applyBalance();

    if (gst_element_set_state(pipeline_, GST_STATE_PAUSED) == GST_STATE_CHANGE_FAILURE ||
        !waitForPreroll(timeoutMs)) {
        drainBus();
        if (errorString_.isEmpty()) errorString_ = QStringLiteral("the file did not preroll");
        close();
        return false;
    }
    drainBus();
    readStreamInfo();
    return true;
}

void MediaEngine::close() {
    if (pipeline_ != nullptr) {
        // Going to NULL joins the streaming threads, so no callback runs after this.
        gst_element_set_state(pipeline_, GST_STATE_NULL);
    }
    if (bus_ != nullptr) {
        gst_bus_set_sync_handler(bus_, nullptr, nullptr, nullptr);
        gst_bus_set_flushing(bus_, TRUE);
        gst_object_unref(bus_);
        bus_ = nullptr;
    }
    {
        std::lock_guard lock(busMutex_);
        for (GstMessage* message : busQueue_) gst_message_unref(message);
        busQueue_.clear();
    }
    if (panorama_ != nullptr) gst_object_unref(panorama_);
    if (videoSink_ != nullptr) gst_object_unref(videoSink_);
    const bool hadFrame = !currentFrame().isNull();
    {
        std::lock_guard lock(frameMutex_);
        frame_ = VideoFrame();
    }
    if (pipeline_ != nullptr) gst_object_unref(pipeline_);
    panorama_ = videoSink_ = pipeline_ = nullptr;

    running_ = false;
    stepSeeks_ = false;
    hasVideo_ = false;
    nativeSize_ = QSize();
    rateNum_ = 0;
    rateDen_ = 1;
    stop_ = -1;
    heldPosition_ = -1;
    duration_ = 0;
    atEnd_ = false;
    delivered_ = 0;
    if (hadFrame) queueSignal("frameAvailable");
}

void MediaEngine::readStreamInfo() {
    GstPad* pad = gst_element_get_static_pad(videoSink_, "sink");
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

    forEachElement(pipeline_, [&](GstElement* element) {
        if (factoryName(element) == "mpegpsdemux") stepSeeks_ = true;
    });
    durationNanoseconds();
}

// ---- bus ----

void MediaEngine::queueSignal(const char* signal) const {
    QMetaObject::invokeMethod(const_cast<MediaEngine*>(this), signal, Qt::QueuedConnection);
}

// Takes the next queued message, waiting up to timeoutMs for one; null when none came.
GstMessage* MediaEngine::takeMessage(int timeoutMs) const {
    std::unique_lock lock(busMutex_);
    if (busQueue_.empty() && timeoutMs > 0)
        busSignal_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return !busQueue_.empty(); });
    if (busQueue_.empty()) return nullptr;
    GstMessage* message = busQueue_.front();
    busQueue_.pop_front();
    return message;
}

void MediaEngine::drainBus() const {
    if (bus_ == nullptr) return;
    while (GstMessage* message = takeMessage(0)) {
        handleMessage(message);
        gst_message_unref(message);
    }
}

void MediaEngine::handleMessage(GstMessage* message) const {
    switch (GST_MESSAGE_TYPE(message)) {
    case GST_MESSAGE_EOS:
        if (GST_MESSAGE_SRC(message) == GST_OBJECT(pipeline_)) {
            atEnd_ = true;
            queueSignal("endOfStream");
        }
        break;
    case GST_MESSAGE_ERROR: {
        GError* error = nullptr;
        gst_message_parse_error(message, &error, nullptr);
        errorString_ = error != nullptr ? QString::fromUtf8(error->message) : QStringLiteral("error");
        errorSeen_ = true;
        if (error != nullptr) g_error_free(error);
        QMetaObject::invokeMethod(const_cast<MediaEngine*>(this), "errorOccurred", Qt::QueuedConnection,
                                  Q_ARG(QString, errorString_));
        break;
    }
    case GST_MESSAGE_DURATION_CHANGED: {
        const std::int64_t before = duration_;
        if (durationNanoseconds() != before) queueSignal("durationChanged");
        break;
    }
    case GST_MESSAGE_ELEMENT: {
        if (!gst_is_missing_plugin_message(message)) break;
        const GstStructure* structure = gst_message_get_structure(message);
        const gchar* type = gst_structure_get_string(structure, "type");
        GstCaps* caps = nullptr;
        if (type == nullptr || std::strcmp(type, "decoder") != 0 ||
            !gst_structure_get(structure, "detail", GST_TYPE_CAPS, &caps, nullptr) || caps == nullptr)
            break;
        if (!gst_caps_is_empty(caps)) {
            const char* name = gst_structure_get_name(gst_caps_get_structure(caps, 0));
            int missing = static_cast<int>(missingCodec_);
            if (g_str_has_prefix(name, "video/")) missing |= static_cast<int>(MissingCodec::Video);
            if (g_str_has_prefix(name, "audio/")) missing |= static_cast<int>(MissingCodec::Audio);
            missingCodec_ = static_cast<MissingCodec>(missing);
        }
        gst_caps_unref(caps);
        break;
    }
    default:
        break;
    }
}

// Waits until the pipeline holds its state (prerolled after opening or a seek). An error on the
// bus since the caller cleared errorSeen_ ends the wait at once: a graph whose streaming failed
// never completes its state change.
bool MediaEngine::waitForPreroll(int timeoutMs) const {
    const std::int64_t deadline = nowMs() + timeoutMs;
    for (;;) {
        const std::int64_t left = std::max<std::int64_t>(0, deadline - nowMs());
        const GstStateChangeReturn result = gst_element_get_state(
            pipeline_, nullptr, nullptr, static_cast<GstClockTime>(std::min<std::int64_t>(left, 20)) * GST_MSECOND);
        if (result == GST_STATE_CHANGE_SUCCESS || result == GST_STATE_CHANGE_NO_PREROLL) return true;
        if (result == GST_STATE_CHANGE_FAILURE) return false;
        drainBus();
        if (errorSeen_ || left == 0) return false;
    }
}

// Handles every message until one of typeMask (or an error, or the end) arrives.
bool MediaEngine::waitForMessage(int typeMask, int timeoutMs) const {
    const std::int64_t deadline = nowMs() + timeoutMs;
    for (std::int64_t left = timeoutMs; left > 0; left = deadline - nowMs()) {
        GstMessage* message = takeMessage(static_cast<int>(left));
        if (message == nullptr) return false;
        const int type = GST_MESSAGE_TYPE(message);
        handleMessage(message);
        gst_message_unref(message);
        if ((type & typeMask) != 0) return true;
        if (type == GST_MESSAGE_ERROR || atEnd_) return false;
    }
    return false;
}

// ---- control ----

void MediaEngine::run() {
    if (pipeline_ == nullptr) return;
    heldPosition_ = -1;
    gst_element_set_state(pipeline_, GST_STATE_PLAYING);
    running_ = true;
}

void MediaEngine::pause() {
    if (pipeline_ == nullptr) return;
    gst_element_set_state(pipeline_, GST_STATE_PAUSED);
    running_ = false;
}

void MediaEngine::stop() { pause(); }

// ---- positions ----

std::int64_t MediaEngine::durationNanoseconds() const {
    if (pipeline_ == nullptr) return 0;
    gint64 value = 0;
    if (gst_element_query_duration(pipeline_, GST_FORMAT_TIME, &value) && value > 0) duration_ = value;
    return duration_;
}

std::int64_t MediaEngine::resolvedStopNanoseconds() const {
    const std::int64_t duration = durationNanoseconds();
    if (stop_ < 0) return duration;
    return duration > 0 ? std::min(stop_, duration) : stop_;
}

// The stop a seek carries. Every seek carries one: auparse ends at once on an open stop. "The
// end" goes as a stop far beyond the duration, since durations can be estimates (an MP3 without
// a Xing header); only mpegpsdemux, which clips any stop to its estimate and so would cut off
// the frames after the last time stamp it found, gets an open stop.
std::int64_t MediaEngine::seekStopNanoseconds() const {
    if (stop_ >= 0) return stop_;
    if (stepSeeks_) return -1;
    const std::int64_t duration = durationNanoseconds();
    return (duration > 0 ? duration : 0) + 3600 * GST_SECOND;
}

std::int64_t MediaEngine::positionNanoseconds() const {
    if (pipeline_ == nullptr) return 0;
    drainBus();  // learn of the end of the stream at once
    if (atEnd_) return resolvedStopNanoseconds();
    if (heldPosition_ >= 0) return heldPosition_;
    gint64 value = 0;
    if (!gst_element_query_position(pipeline_, GST_FORMAT_TIME, &value) || value < 0) return 0;
    return value;
}

std::int64_t MediaEngine::toNanoseconds(qint64 value) const {
    if (framesFormat_) return framesToNanoseconds(value, rateNum_, rateDen_);
    return value <= 0 ? 0 : static_cast<std::int64_t>(value) * 100;
}

qint64 MediaEngine::fromNanoseconds(std::int64_t value) const {
    if (framesFormat_) return nanosecondsToFrames(value, rateNum_, rateDen_);
    return toUnits(value);
}

qint64 MediaEngine::duration() const { return fromNanoseconds(durationNanoseconds()); }

qint64 MediaEngine::position() const { return fromNanoseconds(positionNanoseconds()); }

bool MediaEngine::setTimeFormatFrames(bool frames) {
    if (frames && rateNum_ <= 0) return false;
    framesFormat_ = frames;
    return true;
}

double MediaEngine::secondsPerFrame() const {
    return rateNum_ > 0 ? static_cast<double>(rateDen_) / rateNum_ : 0.0;
}

void MediaEngine::setPositions(qint64 current, StopMode stop) {
    if (pipeline_ == nullptr) return;
    const std::int64_t start = toNanoseconds(current);
    std::int64_t stopAt = stop_;
    if (stop == StopMode::AtEnd) stopAt = -1;
    if (stop == StopMode::EqualToCurrent) stopAt = start;
    seekNanoseconds(start, stopAt, kSeekWaitMs);
}

void MediaEngine::setPositions(qint64 current, qint64 stop) {
    if (pipeline_ == nullptr) return;
    seekNanoseconds(toNanoseconds(current), toNanoseconds(stop), kSeekWaitMs);
}

// The stop position goes with every seek: an open stop ends some streams at once (auparse).
// True when the frame at the new position is ready within timeoutMs.
bool MediaEngine::seekNanoseconds(std::int64_t start, std::int64_t stop, int timeoutMs) {
    stop_ = stop;
    heldPosition_ = -1;
    drainBus();  // an end of stream or error from before the seek no longer counts
    atEnd_ = false;
    errorSeen_ = false;
    const std::int64_t stopAt = seekStopNanoseconds();
    if (stepSeeks_ && hasVideo_ && start > 0) return stepTo(start, stopAt, timeoutMs);
    gst_element_seek(pipeline_, rate_, GST_FORMAT_TIME,
                     static_cast<GstSeekFlags>(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE), GST_SEEK_TYPE_SET,
                     start, GST_SEEK_TYPE_SET, stopAt);
    const bool ready = waitForPreroll(timeoutMs);
    // Some parsers (auparse) land a few samples early; a paused graph reads the position asked.
    if (!running_) heldPosition_ = start;
    return ready;
}

// Stream time of the frame the video sink holds, and its duration; -1 when it holds none.
std::int64_t MediaEngine::shownFrameTime(std::int64_t* frameDuration) const {
    GstSample* sample = nullptr;
    g_object_get(videoSink_, "last-sample", &sample, nullptr);
    if (sample == nullptr) return -1;
    std::int64_t result = -1;
    GstBuffer* buffer = gst_sample_get_buffer(sample);
    const GstSegment* segment = gst_sample_get_segment(sample);
    if (buffer != nullptr && segment != nullptr && GST_BUFFER_PTS_IS_VALID(buffer)) {
        guint64 streamTime = 0;
        if (gst_segment_to_stream_time_full(segment, GST_FORMAT_TIME, GST_BUFFER_PTS(buffer), &streamTime) > 0)
            result = static_cast<std::int64_t>(streamTime);
        else
            result = 0;
        if (GST_BUFFER_DURATION_IS_VALID(buffer) && GST_BUFFER_DURATION(buffer) > 0)
            *frameDuration = static_cast<std::int64_t>(GST_BUFFER_DURATION(buffer));
        else
            *frameDuration = rateNum_ > 0 ? framesToNanoseconds(1, rateNum_, rateDen_) : GST_SECOND / 30;
    }
    gst_sample_unref(sample);
    return result;
}

// Accurate seeks in MPEG program streams land on the next key frame: seek early enough to land
// before the target, then step frame by frame in the paused state until the shown frame is the
// one that covers the target.
bool MediaEngine::stepTo(std::int64_t target, std::int64_t stop, int timeoutMs) {
    const bool wasRunning = running_;
    if (wasRunning) {
        gst_element_set_state(pipeline_, GST_STATE_PAUSED);
        waitForPreroll(timeoutMs);
    }
    const auto seekFlags = static_cast<GstSeekFlags>(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE);
    std::int64_t frameDuration = 0;
    std::int64_t shown = -1;
    for (std::int64_t backoff = kStepBackoff;; backoff *= 2) {
        const std::int64_t start = std::max<std::int64_t>(0, target - backoff);
        gst_element_seek(pipeline_, rate_, GST_FORMAT_TIME, seekFlags, GST_SEEK_TYPE_SET, start, GST_SEEK_TYPE_SET,
                         stop);
        waitForPreroll(timeoutMs);
        shown = shownFrameTime(&frameDuration);
        // Landed after the target (a long group of pictures): go further back.
        if (shown < 0 || shown <= target + kFrameTolerance || start == 0 || backoff >= 16 * GST_SECOND) break;
    }
    bool reached = shown >= 0;
    for (int steps = 0; reached && shown + frameDuration <= target + kFrameTolerance; ++steps) {
        if (steps == kMaxSteps) {
            reached = false;
            break;
        }
        gst_element_send_event(pipeline_, gst_event_new_step(GST_FORMAT_BUFFERS, 1, 1.0, TRUE, FALSE));
        if (!waitForMessage(GST_MESSAGE_STEP_DONE, timeoutMs)) {
            reached = false;
            break;
        }
        waitForPreroll(timeoutMs);
        const std::int64_t next = shownFrameTime(&frameDuration);
        if (next <= shown) {  // nothing moved: the end of the stream
            reached = false;
            break;
        }
        shown = next;
    }
    heldPosition_ = target;
    if (wasRunning) run();
    return reached;
}

void MediaEngine::setRate(double rate) {
    rate_ = std::clamp(rate, 0.1, 5.0);
    if (pipeline_ == nullptr) return;
    const std::int64_t position = positionNanoseconds();
    seekNanoseconds(position, stop_, kSeekWaitMs);
}

void MediaEngine::setVolume(int volume) {
    volume_ = std::clamp(volume, -10000, 0);
    applyVolume();
}

void MediaEngine::setBalance(int balance) {
    balance_ = std::clamp(balance, -10000, 10000);
    applyBalance();
}

void MediaEngine::applyVolume() {
    if (pipeline_ != nullptr) g_object_set(pipeline_, "volume", volumeToGain(volume_), nullptr);
}

void MediaEngine::applyBalance() {
    if (panorama_ != nullptr)
        g_object_set(panorama_, "panorama", static_cast<gfloat>(balanceToPanorama(balance_)), nullptr);
}

// ---- graph and frames ----

QStringList MediaEngine::elementNames() const {
    QStringList names;
    if (pipeline_ == nullptr) return names;
    const auto add = [&names](GstElement* element) {
        gchar* name = gst_object_get_name(GST_OBJECT(element));
        names << QString::fromUtf8(name);
        g_free(name);
    };
    add(pipeline_);
    forEachElement(pipeline_, add);
    return names;
}

VideoFrame MediaEngine::currentFrame() const {
    std::lock_guard lock(frameMutex_);
    return frame_;
}

GrabResult MediaEngine::grab(qint64 position, int timeoutMs) {
    GrabResult result;
    if (pipeline_ == nullptr) {
        result.status = GrabResult::Status::NoMedia;
        return result;
    }
    if (!hasVideo_) {
        result.status = GrabResult::Status::NoVideo;
        return result;
    }
    pause();
    waitForPreroll(timeoutMs);
    const bool ready = seekNanoseconds(toNanoseconds(position), stop_, timeoutMs);

    // The frame the paused sink holds is the one at the position.
    VideoFrame frame;
    GstSample* sample = nullptr;
    if (ready) g_object_get(videoSink_, "last-sample", &sample, nullptr);
    if (sample != nullptr) frame.data_ = VideoFrame::map(sample);
    GrabResult::Status status = GrabResult::Status::Ok;
    if (frame.isNull()) {
        frame = currentFrame();
        status = GrabResult::Status::LastFrame;
    }
    if (frame.isNull()) return result;  // NoFrame
    result = packBottomUp(frame.bits(), frame.size(), frame.width(), frame.height(), frame.bytesPerLine());
    if (result.hasFrame()) result.status = status;
    return result;
}

}  // namespace veltrane
