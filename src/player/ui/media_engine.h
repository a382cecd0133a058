#pragma once
// The media engine the player talks to: one file at a time, opened without holding the window
// thread, run, paused and sought, with duration and position in counts of 100 ns (or in frames
// while the frame format is set), rate, volume and balance, the decoded video for a
// VideoWidget and a grab of the frame at a position. Every call comes from the user-interface
// thread; the signals are emitted from the event loop, never from inside a call. Queries
// (const methods) change nothing.
#include <QObject>
#include <QSize>
#include <QString>
#include <QStringList>
#include <cstdint>

#include "player/frame_grab.h"
#include "player/video_frame.h"

namespace veltrane {

enum class StopMode {
    Unchanged,       // keep the stop position of the last seek (at first: the end)
    AtEnd,           // play to the end of the media
    EqualToCurrent,  // stop at the new current position (show that frame and end)
};

enum class MissingCodec { None = 0, Video = 1, Audio = 2, VideoAndAudio = 3 };

class MediaEngine : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

    // Starts opening the file and returns at once; opened() or openFailed() tells the outcome.
    // Opening closes what was open; the rate goes back to 1 and positions back to time; volume
    // and balance carry over. Run, pause and seeks asked while the file opens apply once it is
    // open.
    virtual void open(const QString& path) = 0;
    // Stops and releases the graph; an open under way is dropped without a signal.
    virtual void close() = 0;
    virtual bool isOpening() const = 0;
    // True once opened() has been emitted, until close() or the next open().
    virtual bool isOpen() const = 0;
    virtual QString path() const = 0;

    virtual void run() = 0;
    virtual void pause() = 0;
    // Holds like pause(): the position is kept, so a following run() goes on from it.
    virtual void stop() = 0;
    virtual bool isRunning() const = 0;

    // Length and position in the current unit. 0 while nothing is open. While a seek is under
    // way, and after a seek in the paused state until the engine runs, the position reads the
    // position asked; after the end of the stream it reads the stop position (normally the
    // duration) until the next seek.
    virtual qint64 duration() const = 0;
    virtual qint64 position() const = 0;

    // Frames as the position unit; a video that gives no frame rate counts 30 frames a second.
    // Refused (false, time kept) for a file without video.
    virtual bool setTimeFormatFrames(bool frames) = 0;
    virtual bool timeFormatFrames() const = 0;

    // Seeks accurately to `current` (current unit) and sets the stop position. Returns at once;
    // a seek asked while another is under way replaces any still waiting behind it.
    virtual void setPositions(qint64 current, StopMode stop) = 0;
    // The same with an absolute stop position in the current unit.
    virtual void setPositions(qint64 current, qint64 stop) = 0;
    // A seek (or a rate change) is under way; seekFinished() follows when it is done.
    virtual bool isSeeking() const = 0;

    // 0.1 .. 5.0 (clamped): a seek at the present position. Speech keeps its pitch.
    virtual void setRate(double rate) = 0;
    virtual double rate() const = 0;
    virtual void setVolume(int volume) = 0;  // −10000 .. 0, clamped
    virtual int volume() const = 0;
    virtual void setBalance(int balance) = 0;  // −10000 .. 10000, clamped
    virtual int balance() const = 0;

    virtual bool hasVideo() const = 0;
    virtual QSize nativeSize() const = 0;
    // Seconds per frame, 0 when the file gives no frame rate.
    virtual double secondsPerFrame() const = 0;
    // The names of every element of the graph, nested ones included.
    virtual QStringList elementNames() const = 0;
    // Streams the graph could not decode for want of a codec (the rest still plays).
    virtual MissingCodec missingCodec() const = 0;

    // Pauses, seeks to `position` (current unit; the stop position is kept) and returns the
    // frame there. This is the one call that waits: at most a few seconds, with the busy cursor
    // showing and the windows repainting (see waitBusy); the engine's signals may come while it
    // waits. The engine stays paused at the position.
    virtual GrabResult grab(qint64 position) = 0;

    // The last frame delivered (while playing, after a seek or a grab); null when none.
    virtual VideoFrame currentFrame() const = 0;

signals:
    void opened();
    // The file could not be played; nothing is open. `why` is GStreamer's text, for logs.
    void openFailed(const QString& why);
    void endOfStream();
    void seekFinished();
    // A new frame can be fetched with currentFrame() (or the frame went away on close).
    void frameAvailable();
    // The graph learned a new duration (an MP3 without a Xing header learns it while playing).
    void durationChanged();
    void errorOccurred(const QString& message);
};

}  // namespace veltrane
