#pragma once
// The player's video window "title": a plain resizable window without system menu or close
// box, whose one child, the panel Panel1, fills it and holds the video.
#include <QFrame>
#include <QMenu>
#include <QWidget>

namespace veltrane {

class VideoWidget;

class TDisplay : public QWidget {
    Q_OBJECT

public:
    explicit TDisplay(QWidget* parent = nullptr);
    ~TDisplay() override;

    // The surface the controller hands its media engine to.
    VideoWidget* video() const { return video_; }
    // Sets the outer size (frame included, as far as the platform reports one).
    void ResizeOuter(int outerWidth, int outerHeight);
    // Sets the client size to the video's native size.
    void FitVideo(int videoWidth, int videoHeight);

    QFrame* Panel1;
    // The display's pop-up menu.
    QMenu* PopupMenu2;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // Places the video at (0, 0) with the panel's width and height.
    void PlaceVideo();

    VideoWidget* video_;
};

// The video window while the player runs; null otherwise.
extern TDisplay* Display;

}  // namespace veltrane
