#include "player/ui/gst_graph.h"

#include <QFile>
#include <QFileInfo>
#include <cstring>

namespace veltrane {

namespace {

// playbin's GstPlayFlags: video, audio, software volume, deinterlace. Subtitles and the software
// colour balance are left out.
constexpr guint kPlayFlags = 0x1 | 0x2 | 0x10 | 0x200;
// For frames delivered at another size: video, audio, software volume and native video, so
// playbin hands the decoder's frames on unconverted (and undeinterlaced) and our one scaler
// converts and scales them in a single pass.
constexpr guint kScaledPlayFlags = 0x1 | 0x2 | 0x10 | 0x40;

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

// The file's URI; pushfile:// for AIFF.
QString fileUri(const QFileInfo& info) {
    GError* error = nullptr;
    gchar* uri = gst_filename_to_uri(QFile::encodeName(info.absoluteFilePath()).constData(), &error);
    if (uri == nullptr) {
        if (error != nullptr) g_error_free(error);
        return {};
    }
    QString result = QString::fromUtf8(uri);
    g_free(uri);
    if (isAiff(info.absoluteFilePath()) && result.startsWith("file://") &&
        gst_uri_protocol_is_supported(GST_URI_SRC, "pushfile"))
        result = "pushfile://" + result.mid(static_cast<int>(std::strlen("file://")));
    return result;
}

// The video sink: B, G, R frames, two at most queued, late ones dropped.
void setUpVideoSink(GstElement* sink) {
    GstCaps* caps = gst_caps_from_string("video/x-raw,format=BGR");
    // wait-on-eos: with the default an appsink never lets the end of the stream through.
    g_object_set(sink, "caps", caps, "max-buffers", 2u, "drop", TRUE, "wait-on-eos", FALSE, "enable-last-sample", TRUE,
                 "sync", TRUE, "qos", TRUE, "max-lateness", static_cast<gint64>(20 * GST_MSECOND), nullptr);
    gst_caps_unref(caps);
}

// The scaler and the appsink behind it in one bin, as the graph's video input and video sink, each
// holding a reference of ours (left null when the bin cannot be built). The video is stretched to
// the size (no borders), with square pixels.
void makeScaledVideoSink(QSize size, GstGraph& graph) {
    const QString description =
        QStringLiteral("videoconvertscale add-borders=false ! video/x-raw,format=BGR,width=%1,height=%2,"
                       "pixel-aspect-ratio=1/1 ! appsink name=videosink")
            .arg(size.width())
            .arg(size.height());
    GError* error = nullptr;
    GstElement* bin = gst_parse_bin_from_description(description.toUtf8().constData(), TRUE, &error);
    if (error != nullptr) {
        g_error_free(error);
        if (bin != nullptr) gst_object_unref(bin);
        return;
    }
    if (bin == nullptr) return;
    gst_object_ref_sink(bin);
    graph.videoInput = bin;
    graph.videoSink = gst_bin_get_by_name(GST_BIN(bin), "videosink");
}

}  // namespace

bool gstreamerReady() {
    static const bool ready = [] {
        GError* error = nullptr;
        const bool ok = gst_init_check(nullptr, nullptr, &error);
        if (error != nullptr) g_error_free(error);
        return ok;
    }();
    return ready;
}

QString factoryName(GstElement* element) {
    GstElementFactory* factory = gst_element_get_factory(element);
    return factory != nullptr ? QString::fromUtf8(GST_OBJECT_NAME(factory)) : QString();
}

GstGraph buildGraph(const QString& path, QString* error, QSize deliveredSize) {
    GstGraph graph;
    if (!gstreamerReady()) {
        *error = QStringLiteral("GStreamer could not be initialised");
        return graph;
    }
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable()) {
        *error = QStringLiteral("cannot read %1").arg(path);
        return graph;
    }
    const QString uri = fileUri(info);
    if (uri.isEmpty()) {
        *error = QStringLiteral("no URI for %1").arg(path);
        return graph;
    }

    graph.pipeline = ownedElement("playbin", "player");
    const bool scaled = !deliveredSize.isEmpty();
    if (scaled) {
        makeScaledVideoSink(deliveredSize, graph);
    } else {
        graph.videoSink = ownedElement("appsink", "videosink");
        if (graph.videoSink != nullptr) graph.videoInput = GST_ELEMENT(gst_object_ref(graph.videoSink));
    }
    GstElement* audioSink = makeAudioSink();
    GstElement* audioFilter = makeAudioFilter();
    if (graph.pipeline == nullptr || graph.videoSink == nullptr || audioSink == nullptr || audioFilter == nullptr) {
        if (audioSink != nullptr) gst_object_unref(audioSink);
        if (audioFilter != nullptr) gst_object_unref(audioFilter);
        releaseGraph(graph);
        *error = QStringLiteral("GStreamer elements are missing");
        return graph;
    }
    setUpVideoSink(graph.videoSink);
    graph.panorama = gst_bin_get_by_name(GST_BIN(audioFilter), "balance");
    g_object_set(graph.pipeline, "uri", uri.toUtf8().constData(), "flags", scaled ? kScaledPlayFlags : kPlayFlags,
                 "video-sink", graph.videoInput, "audio-sink", audioSink, "audio-filter", audioFilter, nullptr);
    gst_object_unref(audioSink);
    gst_object_unref(audioFilter);
    return graph;
}

void releaseGraph(GstGraph& graph) {
    // Going to NULL joins the streaming threads, so no callback runs after this.
    if (graph.pipeline != nullptr) gst_element_set_state(graph.pipeline, GST_STATE_NULL);
    for (GstElement* element : {graph.panorama, graph.videoSink, graph.videoInput, graph.pipeline})
        if (element != nullptr) gst_object_unref(element);
    graph = GstGraph();
}

}  // namespace veltrane
