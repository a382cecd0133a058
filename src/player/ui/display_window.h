#pragma once
// The player's video window "title": a plain resizable window without system menu or close
// box, whose one child, the panel Panel1, fills it and holds the video.
#include <QAction>
#include <QFrame>
#include <QMenu>
#include <QWidget>

#include "player/display_options.h"

namespace veltrane {

class VideoWidget;

class TDisplay : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool displayMaximised READ displayMaximised)

public:
    explicit TDisplay(QWidget* parent = nullptr);
    ~TDisplay() override;

    // The surface the controller hands its media engine to.
    VideoWidget* video() const { return video_; }
    // Sets the outer size (frame included, as far as the platform reports one).
    void ResizeOuter(int outerWidth, int outerHeight);
    // The window's frame as the platform reports it (all 0 while it has none, and offscreen).
    FrameMetrics frameMetrics() const;

    // "Max": remembers where the window is and maximises it. A hidden window only takes the
    // state and shows maximised when it is shown.
    void Maximise();
    // Leaves the maximised state, if it is in it, and returns to where it was before.
    void LeaveMaximised();
    bool displayMaximised() const { return displayMaximised_; }

    QFrame* Panel1;
    // The display's pop-up menu; its items run the controller's twin commands.
    QMenu* PopupMenu2;
    QMenu *N4, *N2;
    QAction *O3, *P3, *N7, *N6, *N502, *N1002, *N2002, *Max1, *N432, *N1692, *StayOnTopDisp, *DispFix, *E2;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // Places the video at (0, 0) with the panel's width and height.
    void PlaceVideo();
    void buildPopupMenu();

    VideoWidget* video_;
    bool displayMaximised_ = false;
    int savedDisplayLeft_ = 0;
    int savedDisplayTop_ = 0;
};

// The video window while the player runs; null otherwise.
extern TDisplay* Display;

}  // namespace veltrane
