#pragma once
// What the frame-processing window asks of the player it was opened from: the frames of the
// open video by number, its length, the media file's path for the snapshot names, the hand-over
// of a frame to the main window, and the player's return once the window closes.
#include <QString>

#include "image/bitmap24.h"
#include "player/frame_grab.h"

namespace veltrane {

class FrameSource {
public:
    virtual ~FrameSource() = default;

    // Grabs frame n of the open video (the position unit is frames while the window is open);
    // the result stays in the player's grab buffer until the next grab.
    virtual const GrabResult& GrabFrame(qint64 n) = 0;
    virtual int totalFrames() const = 0;
    virtual int totalSeconds() const = 0;
    virtual QString mediaPath() const = 0;
    // Puts the frame into the main window and closes the player, this window included.
    virtual void HandOverFrame(Bitmap24 frame) = 0;
    // The window closed: positions back to time, the stop at the end, playing, the controller
    // and the video shown again (while a file is open).
    virtual void ResumeAfterFrameProcessing() = 0;
};

}  // namespace veltrane
