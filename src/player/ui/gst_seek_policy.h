#pragma once
// How the engine seeks, without holding the window thread: every seek is a flushing, accurate
// seek that the bus reports done (ASYNC_DONE). A seek asked while one is under way waits behind
// it, and a later one replaces it. In MPEG program streams, where accurate seeks land on the next
// key frame, the policy seeks early enough to land before the target and steps frame by frame to
// it, one bus reply at a time.
#include <gst/gst.h>

#include <cstdint>
#include <optional>

namespace veltrane {

class GstBusQueue;

struct SeekRequest {
    std::int64_t start = 0;  // ns
    std::int64_t stop = -1;  // ns as sent; -1 open
    double rate = 1.0;
};

class GstSeekPolicy {
public:
    GstSeekPolicy(GstElement* pipeline, GstElement* videoSink, const GstBusQueue& bus);

    // Seeks in this graph land on key frames: step to the target (frame rate num / den).
    void setStepping(bool stepSeeks, int rateNum, int rateDen);

    // Issues the seek, or keeps it until the one under way is done.
    void request(const SeekRequest& seek);
    // Feeds a bus message with its queue index; true when this message finished the last seek
    // asked (and none waits).
    bool handle(GstMessage* message, std::uint64_t index);
    // Gives up whatever is under way or waiting (an error, a watchdog).
    void reset();

    bool busy() const { return phase_ != Phase::Idle; }
    // While stepping the graph must stay paused; the engine runs it again when the seek is done.
    bool holdsPaused() const { return phase_ == Phase::Landing || phase_ == Phase::Stepping; }

private:
    enum class Phase { Idle, Plain, Landing, Stepping };

    void start(const SeekRequest& seek);
    void seekTo(std::int64_t start);
    bool landed();
    bool stepOrFinish();
    bool stepped();
    bool finish();

    GstElement* pipeline_;
    GstElement* videoSink_;
    const GstBusQueue& bus_;
    bool stepSeeks_ = false;
    int rateNum_ = 0;
    int rateDen_ = 1;

    Phase phase_ = Phase::Idle;
    SeekRequest current_;
    std::optional<SeekRequest> waiting_;
    std::uint64_t mark_ = 0;  // replies to what was sent last carry an index from here on
    std::int64_t backoff_ = 0;
    std::int64_t shown_ = -1;
    std::int64_t frameDuration_ = 0;
    int steps_ = 0;
    bool stepDone_ = false;
};

}  // namespace veltrane
