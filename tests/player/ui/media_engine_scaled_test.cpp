// The GStreamer engine's delivered-size option and absolute stops, on generated clips.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThread>
#include <functional>

#include "player/ui/gst_media_engine.h"
#include "player/ui/media_fixtures.h"

using namespace veltrane;
using namespace veltrane::test;

namespace {

constexpr qint64 kSecond = 10'000'000;

bool waitUntil(const std::function<bool()>& done, int ms) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
    return done();
}

bool openAndWait(GstMediaEngine& engine, const QString& path) {
    engine.open(path);
    return waitUntil([&] { return !engine.isOpening(); }, 10000) && engine.isOpen();
}

class ScaledEngineTest : public ::testing::Test {
protected:
    void SetUp() override { qputenv("VELTRANE_AUDIO_SINK", "fakesink"); }
    QTemporaryDir dir;
};

// 64 × 48 colour bars moving sideways, 100 frames at 25 a second, as an MPEG-2 program stream.
QString writeMpeg(const QString& path) {
    runPipeline(QString("videotestsrc num-buffers=100 pattern=smpte horizontal-speed=2 ! "
                        "video/x-raw,width=64,height=48,framerate=25/1 ! videoconvert ! video/x-raw,format=I420 ! "
                        "mpeg2enc format=3 ! mpegvideoparse ! avmux_dvd ! filesink location=\"%1\"")
                    .arg(path));
    return path;
}

TEST_F(ScaledEngineTest, FramesComeAtTheDeliveredSizeWhileTheNativeSizeStaysTheFiles) {
    const QString avi = dir.filePath("clip.avi");
    writeAvi(avi, 30);
    const QString mpeg = writeMpeg(dir.filePath("clip.mpg"));
    const struct {
        QString path;
        QSize delivered;
        QSize frame;
        double secondsPerFrame;
    } cases[] = {
        {avi, QSize(200, 150), QSize(200, 150), 1.0 / 30},
        {avi, QSize(), QSize(64, 48), 1.0 / 30},
        {mpeg, QSize(200, 150), QSize(200, 150), 1.0 / 25},
        {mpeg, QSize(31, 17), QSize(31, 17), 1.0 / 25},  // odd sizes: rows padded by the sink
    };
    for (const auto& c : cases) {
        const std::string name = c.path.toStdString() + " " + std::to_string(c.delivered.width());
        GstMediaEngine engine;
        engine.setDeliveredVideoSize(c.delivered);
        ASSERT_TRUE(openAndWait(engine, c.path)) << name;
        EXPECT_EQ(engine.nativeSize(), QSize(64, 48)) << name;
        EXPECT_TRUE(engine.hasVideo()) << name;
        EXPECT_DOUBLE_EQ(engine.secondsPerFrame(), c.secondsPerFrame) << name;
        engine.run();
        ASSERT_TRUE(waitUntil([&] { return engine.deliveredFrames() > 3; }, 5000)) << name;
        const VideoFrame frame = engine.currentFrame();
        EXPECT_EQ(QSize(frame.width, frame.height), c.frame) << name;
        EXPECT_GE(frame.stride, 3 * c.frame.width()) << name;
        EXPECT_GE(frame.size, static_cast<std::size_t>(frame.stride) * static_cast<std::size_t>(c.frame.height() - 1) +
                                  3 * static_cast<std::size_t>(c.frame.width()))
            << name;
        // A grab hands over a delivered frame (on a busy machine an MPEG grab may give up on
        // its target and hand over the last one).
        const GrabResult grab = engine.grab(kSecond / 2);
        ASSERT_TRUE(grab.hasFrame()) << name;
        EXPECT_EQ(grab.frame.width(), c.frame.width()) << name;
        EXPECT_EQ(grab.frame.height(), c.frame.height()) << name;
    }
}

// mpegpsdemux given a stop ended the stream after about a second, whatever the stop; the engine
// now keeps it.
TEST_F(ScaledEngineTest, AnMpegProgramStreamPlaysToItsAbsoluteStop) {
    const QString mpeg = writeMpeg(dir.filePath("clip.mpg"));
    const struct {
        const char* name;
        qint64 start;
        qint64 stop;  // -1: the duration
        int fewestFrames;
    } cases[] = {
        {"to the duration", 0, -1, 90},
        {"from 1 s past the end", kSecond, 11 * kSecond, 65},
        {"from 0.4 s to 2 s", 4 * kSecond / 10, 2 * kSecond, 36},
    };
    for (const auto& c : cases) {
        GstMediaEngine engine;
        engine.setDeliveredVideoSize(QSize(200, 150));
        ASSERT_TRUE(openAndWait(engine, mpeg)) << c.name;
        int ends = 0;
        QObject::connect(&engine, &MediaEngine::endOfStream, [&] { ++ends; });
        const qint64 stop = c.stop < 0 ? engine.duration() : c.stop;
        engine.setPositions(c.start, stop);
        engine.run();
        ASSERT_TRUE(waitUntil([&] { return ends > 0; }, 10000)) << c.name;
        EXPECT_EQ(ends, 1) << c.name;
        EXPECT_GE(static_cast<int>(engine.deliveredFrames()), c.fewestFrames) << c.name;
        EXPECT_EQ(engine.position(), std::min(stop, engine.duration())) << c.name;
        // Ended at the stop, not before or far beyond it.
        const qint64 shownEnd = c.start + static_cast<qint64>(engine.deliveredFrames()) * kSecond / 25;
        EXPECT_LE(shownEnd, std::min(stop, engine.duration()) + 3 * kSecond / 25) << c.name;
    }
}

}  // namespace
