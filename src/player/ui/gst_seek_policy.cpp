#include "player/ui/gst_seek_policy.h"

#include <algorithm>

#include "player/ui/gst_bus_queue.h"
#include "player/ui/gst_frames.h"

namespace veltrane {

namespace {

// MPEG program streams: how far before the target the first seek goes, how far back it may go,
// and how many frames the engine steps at most to reach the target.
constexpr std::int64_t kStepBackoff = GST_SECOND / 2;
constexpr std::int64_t kMaxBackoff = 16 * GST_SECOND;
constexpr int kMaxSteps = 600;
// A shown frame counts as reaching a target when it ends more than this after it, so that
// timestamps rounded to the 90 kHz clock of MPEG still land on the frame that starts there.
constexpr std::int64_t kFrameTolerance = GST_MSECOND;

}  // namespace

GstSeekPolicy::GstSeekPolicy(GstElement* pipeline, GstElement* videoSink, const GstBusQueue& bus)
    : pipeline_(pipeline), videoSink_(videoSink), bus_(bus) {}

void GstSeekPolicy::setStepping(bool stepSeeks, int rateNum, int rateDen) {
    stepSeeks_ = stepSeeks;
    rateNum_ = rateNum;
    rateDen_ = rateDen;
}

void GstSeekPolicy::request(const SeekRequest& seek) {
    if (busy()) {
        waiting_ = seek;
        return;
    }
    start(seek);
}

void GstSeekPolicy::reset() {
    phase_ = Phase::Idle;
    waiting_.reset();
}

void GstSeekPolicy::start(const SeekRequest& seek) {
    current_ = seek;
    if (stepSeeks_ && seek.start > 0) {
        phase_ = Phase::Landing;
        backoff_ = kStepBackoff;
        gst_element_set_state(pipeline_, GST_STATE_PAUSED);
        seekTo(std::max<std::int64_t>(0, seek.start - backoff_));
        return;
    }
    phase_ = Phase::Plain;
    seekTo(seek.start);
}

void GstSeekPolicy::seekTo(std::int64_t start) {
    mark_ = bus_.mark();
    const bool sent = gst_element_seek(pipeline_, current_.rate, GST_FORMAT_TIME,
                                       static_cast<GstSeekFlags>(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE),
                                       GST_SEEK_TYPE_SET, start, GST_SEEK_TYPE_SET, current_.stop);
    if (!sent) phase_ = Phase::Idle;
}

bool GstSeekPolicy::handle(GstMessage* message, std::uint64_t index) {
    if (phase_ == Phase::Idle || index < mark_) return false;
    const GstMessageType type = GST_MESSAGE_TYPE(message);
    if (type == GST_MESSAGE_EOS) return finish();  // a step past the last frame
    if (type == GST_MESSAGE_ASYNC_DONE && GST_MESSAGE_SRC(message) != GST_OBJECT(pipeline_)) return false;
    switch (phase_) {
    case Phase::Plain:
        return type == GST_MESSAGE_ASYNC_DONE && finish();
    case Phase::Landing:
        return type == GST_MESSAGE_ASYNC_DONE && landed();
    case Phase::Stepping:
        if (type == GST_MESSAGE_STEP_DONE) {
            stepDone_ = true;
            // A step in the paused state may preroll the new frame before it reports.
            if (gst_element_get_state(pipeline_, nullptr, nullptr, 0) == GST_STATE_CHANGE_SUCCESS) return stepped();
            return false;
        }
        return type == GST_MESSAGE_ASYNC_DONE && stepDone_ && stepped();
    case Phase::Idle:
        break;
    }
    return false;
}

// The first seek landed: after the target (a long group of pictures) go further back,
// otherwise step forward to it.
bool GstSeekPolicy::landed() {
    const std::int64_t start = std::max<std::int64_t>(0, current_.start - backoff_);
    shown_ = heldFrameTime(videoSink_, rateNum_, rateDen_, &frameDuration_);
    if (shown_ > current_.start + kFrameTolerance && start > 0 && backoff_ < kMaxBackoff) {
        backoff_ *= 2;
        seekTo(std::max<std::int64_t>(0, current_.start - backoff_));
        return false;
    }
    if (shown_ < 0) return finish();
    phase_ = Phase::Stepping;
    steps_ = 0;
    return stepOrFinish();
}

bool GstSeekPolicy::stepOrFinish() {
    if (shown_ + frameDuration_ > current_.start + kFrameTolerance || steps_ == kMaxSteps) return finish();
    ++steps_;
    stepDone_ = false;
    mark_ = bus_.mark();
    gst_element_send_event(pipeline_, gst_event_new_step(GST_FORMAT_BUFFERS, 1, 1.0, TRUE, FALSE));
    return false;
}

bool GstSeekPolicy::stepped() {
    const std::int64_t next = heldFrameTime(videoSink_, rateNum_, rateDen_, &frameDuration_);
    if (next <= shown_) return finish();  // nothing moved: the end of the stream
    shown_ = next;
    return stepOrFinish();
}

bool GstSeekPolicy::finish() {
    phase_ = Phase::Idle;
    if (!waiting_) return true;
    const SeekRequest next = *waiting_;
    waiting_.reset();
    start(next);
    return !busy();
}

}  // namespace veltrane
