#include "player/ui/gst_bus_queue.h"

namespace veltrane {

GstBusQueue::GstBusQueue(GstElement* pipeline, std::function<void()> wake)
    : bus_(gst_element_get_bus(pipeline)), wake_(std::move(wake)) {
    gst_bus_set_sync_handler(bus_, &GstBusQueue::onMessage, this, nullptr);
}

GstBusQueue::~GstBusQueue() {
    gst_bus_set_sync_handler(bus_, nullptr, nullptr, nullptr);
    gst_bus_set_flushing(bus_, TRUE);
    gst_object_unref(bus_);
    for (const Entry& entry : entries_) gst_message_unref(entry.message);
}

// The message is queued before the wake-up is decided, so none is left behind: GStreamer calls
// a sync handler before it would queue a message on the bus.
GstBusSyncReply GstBusQueue::onMessage(GstBus*, GstMessage* message, gpointer data) {
    auto* queue = static_cast<GstBusQueue*>(data);
    bool wake = false;
    {
        std::lock_guard lock(queue->mutex_);
        queue->entries_.push_back({gst_message_ref(message), queue->next_++});
        wake = !queue->drainAsked_;
        queue->drainAsked_ = true;
    }
    if (wake) queue->wake_();
    return GST_BUS_DROP;
}

std::uint64_t GstBusQueue::mark() const {
    std::lock_guard lock(mutex_);
    return next_;
}

void GstBusQueue::beginDrain() {
    std::lock_guard lock(mutex_);
    drainAsked_ = false;
}

bool GstBusQueue::next(GstMessage** message, std::uint64_t* index) {
    std::lock_guard lock(mutex_);
    if (entries_.empty()) return false;
    *message = entries_.front().message;
    *index = entries_.front().index;
    entries_.pop_front();
    return true;
}

}  // namespace veltrane
