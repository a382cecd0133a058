#pragma once
// The graph's bus messages on their way to the event loop. GStreamer's threads queue every
// message here and ask for one drain; the engine drains the queue on the event loop. Each
// message gets an index in the order it was posted, so a reply can be told from a message
// posted before the request it answers.
#include <gst/gst.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>

namespace veltrane {

class GstBusQueue {
public:
    // Takes every message of pipeline's bus from now on. wake is called from any thread when
    // messages wait and no drain has been asked for since the last one began.
    GstBusQueue(GstElement* pipeline, std::function<void()> wake);
    ~GstBusQueue();
    GstBusQueue(const GstBusQueue&) = delete;
    GstBusQueue& operator=(const GstBusQueue&) = delete;

    // The index the next message posted will get.
    std::uint64_t mark() const;

    // A drain begins: messages posted from now on ask for another one.
    void beginDrain();
    // Takes the oldest message (the caller unrefs it) and its index; false when none waits.
    bool next(GstMessage** message, std::uint64_t* index);

private:
    struct Entry {
        GstMessage* message;
        std::uint64_t index;
    };
    static GstBusSyncReply onMessage(GstBus* bus, GstMessage* message, gpointer queue);

    GstBus* bus_;
    std::function<void()> wake_;
    mutable std::mutex mutex_;
    std::deque<Entry> entries_;
    std::uint64_t next_ = 0;
    bool drainAsked_ = false;
};

}  // namespace veltrane
