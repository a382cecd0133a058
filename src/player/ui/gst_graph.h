#pragma once
// Building the GStreamer graph for one file: a playbin with our video sink (an appsink giving
// B, G, R frames), the desktop's audio output or a silent clocked stand-in, time stretching and
// the balance panner, and the AIFF work-around.
#include <gst/gst.h>

#include <QSize>
#include <QString>

namespace veltrane {

// Starts GStreamer once; false when it cannot start.
bool gstreamerReady();

struct GstGraph {
    GstElement* pipeline = nullptr;  // the playbin
    GstElement* videoSink = nullptr;  // the appsink
    // Where the decoded video enters: the appsink itself, or the scaler bin in front of it when
    // frames are delivered at another size. Its input shows the video's own size.
    GstElement* videoInput = nullptr;
    GstElement* panorama = nullptr;  // the balance panner inside the audio filter

    bool isNull() const { return pipeline == nullptr; }
};

// Builds the graph for a readable file, in the NULL state, each element holding a reference of
// ours. A non-empty deliveredSize makes the graph hand the decoder's own frames to one
// converter-scaler that delivers B, G, R frames of that size. On failure returns a null graph
// and says why in `error`.
GstGraph buildGraph(const QString& path, QString* error, QSize deliveredSize = QSize());
// Sets the graph to NULL (joining its streaming threads) and drops our references.
void releaseGraph(GstGraph& graph);

QString factoryName(GstElement* element);

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

}  // namespace veltrane
