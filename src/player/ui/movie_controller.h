#pragma once
// The media player's controller window "Controller": it owns the media engine, plays one file
// at a time, shows the elapsed and total time and the seek bar, and carries every player
// command in its pop-up menu. It creates the play-list window FileList and the video window
// Display; the three live and close together, and closing them shows the main window again.
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QSlider>
#include <QTimer>
#include <QToolButton>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <string>

#include "player/display_options.h"
#include "frames/ui/frame_source.h"
#include "player/player_logic.h"
#include "player/player_settings.h"
#include "player/ui/media_engine.h"

namespace veltrane {

class DocumentHost;
class PanelStatusBar;
class SeekBarView;
class UpDown;

class TMovieController : public QWidget, public FrameSource {
    Q_OBJECT
    // The display options and colours, for scripts.
    Q_PROPERTY(bool fixedDisplaySize READ fixedDisplaySize)
    Q_PROPERTY(bool stayOnTop READ stayOnTop)
    Q_PROPERTY(int iconColour READ iconColour)
    // Read by scripts and by the windows opened from the player.
    Q_PROPERTY(QString mediaPath READ mediaPath)
    Q_PROPERTY(QString mediaFolder READ mediaFolder)
    Q_PROPERTY(bool mediaOpen READ mediaOpen)
    Q_PROPERTY(bool mediaOpening READ mediaOpening)
    Q_PROPERTY(bool isAudio READ isAudio)
    Q_PROPERTY(bool hadVideo READ hadVideo)
    Q_PROPERTY(bool running READ running)
    Q_PROPERTY(bool expanded READ expanded)
    Q_PROPERTY(qint64 duration READ duration)
    Q_PROPERTY(qint64 position READ currentPosition)
    Q_PROPERTY(QString totalText READ totalText)
    Q_PROPERTY(int totalSeconds READ totalSeconds)
    Q_PROPERTY(int totalFrames READ totalFrames)
    Q_PROPERTY(int videoWidth READ videoWidth)
    Q_PROPERTY(int videoHeight READ videoHeight)
    Q_PROPERTY(int listIndex READ listIndex)
    Q_PROPERTY(qint64 pointA READ pointA)
    Q_PROPERTY(qint64 pointB READ pointB)
    Q_PROPERTY(int markA READ markA)
    Q_PROPERTY(int markB READ markB)
    Q_PROPERTY(int volume READ volume)
    Q_PROPERTY(int balance READ balance)
    Q_PROPERTY(double rate READ rate)

public:
    // Sets the start state, creates FileList and Display and loads the player settings.
    // host: the program side that takes captured frames and shows the main window again.
    // The controller plays through `engine`; null gives it the GStreamer engine.
    explicit TMovieController(DocumentHost& host, std::unique_ptr<MediaEngine> engine = nullptr,
                              QWidget* parent = nullptr);
    ~TMovieController() override;

    // Opens and plays a file. startFlag 1 (opened afresh) makes the play list scan the
    // file's folder; 0 (an entry of the play list) only refreshes the list. The engine opens the
    // file in the background: the times, sizes and playing follow when it reports the file open
    // (MediaOpened), a message when it cannot play it (MediaFailed).
    void OpenMedia(const QString& path, int startFlag);
    // Stops and releases the graph.
    void CloseMedia();
    // Paints the seek bar for position / duration.
    void DrawSeekBar(double fraction);

    // The display window's options, run by the twin items of both pop-up menus.
    void SetDisplaySize(DisplaySize size);
    void SetAspect(AspectRatio ratio);
    // level: 20, 40, 60, 80 or 100 percent opacity of the controller and the play list.
    void SetPlayerTransparency(int level);
    void ApplyColourPreset(ColourPreset preset);
    // The colour dialog, placed at the controller's top-left corner, modally.
    void EditColours();
    // Shows the colours of the settings: the time display, the play list's colours and icons,
    // and the colour button's glyph.
    void ShowColours();
    // The frame at position p (in the engine's present unit) into the grab buffer.
    const GrabResult& GrabFrame(qint64 p) override;
    const GrabResult& grabBuffer() const { return grabBuffer_; }
    // Opens the frame-processing window on the open video: positions in frames, the controller
    // and the video hidden, the player paused at frame 0.
    void OpenFrameProcessing();
    void HandOverFrame(Bitmap24 frame) override;
    void ResumeAfterFrameProcessing() override;

    MediaEngine& engine() { return *engine_; }
    const PlayerSettings& settings() const { return settings_; }
    bool fixedDisplaySize() const { return settings_.fixedDisplaySize; }
    bool stayOnTop() const { return settings_.stayOnTop; }
    int iconColour() const { return settings_.iconColour; }
    const AbRepeat& abRepeat() const { return ab_; }

    QString mediaPath() const override { return mediaPath_; }
    QString mediaFolder() const { return mediaFolder_; }
    bool mediaOpen() const { return mediaOpen_; }
    // The engine is still opening the file: neither "opened" nor "failed" has come yet.
    bool mediaOpening() const { return engine_->isOpening(); }
    bool isAudio() const { return isAudio_; }
    bool hadVideo() const { return hadVideo_; }
    bool running() const { return engine_->isRunning(); }
    bool expanded() const { return expanded_; }
    qint64 duration() const { return duration_; }
    qint64 currentPosition() const { return engine_->position(); }
    QString totalText() const { return QString::fromStdString(totalText_); }
    int totalSeconds() const override { return totalSeconds_; }
    int totalFrames() const override { return totalFrames_; }
    int videoWidth() const { return videoWidth_; }
    int videoHeight() const { return videoHeight_; }
    int listIndex() const;
    qint64 pointA() const { return ab_.pointA; }
    qint64 pointB() const { return ab_.pointB; }
    int markA() const { return ab_.markA; }
    int markB() const { return ab_.markB; }
    int volume() const { return engine_->volume(); }
    int balance() const { return engine_->balance(); }
    double rate() const { return engine_->rate(); }

    // Controls.
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6;
    SeekBarView* Image1;
    QSlider *TrackBar1, *TrackBar2;
    QToolButton *SpeedButtonPlay, *SpeedButtonPause, *SpeedButton1, *SpeedButton2, *SpeedButton4, *SpeedButton8,
        *SpeedButton9, *SpeedButton10;
    QGroupBox* GroupBox1;
    UpDown* UpDown1;
    QLineEdit* Edit4;
    PanelStatusBar* StatusBar1;
    QTimer *Timer1, *Timer3;
    // The pop-up menu and its items.
    QMenu* PopupMenu1;
    QMenu *F1, *DisplaySize1, *aspect_ratio, *P2, *Option, *N37, *N34, *N26, *transmit;
    QAction *O1, *P1, *NextFile, *PreviousFile, *N501, *N1001, *N2001, *MaxDisp, *N431, *N1691, *E1, *FileListF1,
        *CaptureC1, *ExperimentE1, *SceneCaptureS1, *name, *antiname, *random, *nothing1, *N11, *allfiles1, *N33, *N32,
        *N31, *N30, *N29, *etc1, *transmitmuchmore, *transmitmuch, *transmitsoso, *transmitlittle, *nontransmit, *StayTop,
        *DispSizeFix, *N18, *N16;

public slots:
    // The 500 ms poll: time display, A-B loop, end of the file.
    void PollPlayback();
    // The 1000 ms repaint of the seek bar.
    void Timer3Timer();
    // A press of the left button on the seek bar at (x, y).
    void Image1MouseDown(int x, int y);

    void SpeedButtonPlayClick();
    void SpeedButtonPauseClick();
    void SpeedButton1Click();
    void SpeedButton2Click();
    void SpeedButton4Click();
    void SpeedButton8Click();
    void SpeedButton9Click();
    void SpeedButton10Click();
    void TrackBar1Change();
    void TrackBar2Change();
    void UpDown1Click();

    void FileF1Click();
    void openo1Click();
    void propertyClick();
    void NextFileClick();
    void PreviousFileClick();
    void exitE1Click();
    void FileListF1Click();
    void CaptureC1Click();
    void ExperimentE1Click();
    void SceneCaptureS1Click();
    void OptionO1Click();
    void nameClick();
    void antinameClick();
    void randomClick();
    void nothing1Click();
    void N11Click();
    void allfiles1Click();
    void StayTopClick();
    void DispSizeFixClick();
    void N501Click();
    void N1001Click();
    void N2001Click();
    void MaxDispClick();
    void aspect4to3Click();
    void aspect16to9Click();
    void transmitmuchmoreClick();
    void transmitmuchClick();
    void transmitsosoClick();
    void transmitlittleClick();
    void nontransmitClick();
    void Red1Click();
    void Yellow1Click();
    void Blue1Click();
    void Green1Click();
    void White1Click();
    void playrateinitClick();
    void versionV1Click();

    void FilesDropped(const QStringList& paths);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // The client size at creation, and again whenever the settings panel is folded in.
    static constexpr int kClientWidth = 154;
    static constexpr int kClientHeight = 113;

    void buildControls();
    void buildFoldOutPanel();
    void buildPopupMenu();
    void connectPlayList();
    void ApplyPlayerSettings();
    void WritePlayerSettings();
    void ShowPlayOrder(PlayOrder order);
    void ShowRepeatMode(RepeatMode mode);

    void MediaOpened();
    void MediaFailed();
    void ShowCodecMessages();
    void SetMediaCommands(MediaKind kind);
    void ShowVideo();
    void ReadDuration();
    void ApplyVolume();
    void StartTimers();
    void StopTimers();
    void EndOfMedia();
    void PlayEntry(int row);
    void PlayListEntry(int row);
    void CaptureFrame();
    void OpenDroppedFile(const QString& path);
    void ResizeOuter(int outerWidth, int outerHeight);
    // The display options: the items of both menus, their check marks and stay on top.
    void connectDisplayOptions();
    void ShowDisplayMarks();
    void SetControllerOnTop(bool on);
    // The seek bar at the playing position, while a file is open.
    void RepaintSeekBarWhileOpen();

    DocumentHost& host_;
    std::unique_ptr<MediaEngine> engine_;
    PlayerSettings settings_;
    AbRepeat ab_;
    QString mediaPath_;
    QString mediaFolder_;
    MediaKind kind_ = MediaKind::Video;
    bool isAudio_ = false;
    bool hadVideo_ = false;
    bool mediaOpen_ = false;
    bool expanded_ = false;
    // Set when a captured frame went to the main window: the player closes without saving
    // its settings.
    bool handedOver_ = false;
    bool closing_ = false;
    qint64 duration_ = 1;
    std::string totalText_ = "0:00:00";
    int totalSeconds_ = 0;
    int totalFrames_ = 0;
    int videoWidth_ = 0;
    int videoHeight_ = 0;
    // The size last chosen for the display window.
    DisplaySize displaySize_ = DisplaySize::Full;
    GrabResult grabBuffer_;
};

// The player's controller while the player runs; null otherwise.
extern TMovieController* MovieController;

}  // namespace veltrane
