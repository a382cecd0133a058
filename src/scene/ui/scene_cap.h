#pragma once
// The scene search "Scene Capture(scene 1～16)": the player's video at sixteen evenly spaced
// moments, four at a time, as live moving previews, each a media engine of its own on the same
// file; a double click on a preview jumps the player to its scene. Not modal: the player keeps
// playing beside it.
#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <QToolButton>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

#include "player/ui/media_engine.h"

namespace veltrane {

class ScenePanel;
class TMovieController;
class VideoWidget;

class TSceneCap : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int scenePage READ scenePage)

public:
    using EngineFactory = std::function<std::unique_ptr<MediaEngine>()>;

    // The outer size of the window, and the size each preview's frames are delivered at.
    static constexpr int kOuterWidth = 477;
    static constexpr int kOuterHeight = 463;
    static constexpr int kPreviewWidth = 200;
    static constexpr int kPreviewHeight = 150;
    // The preview volume, 30 dB below full.
    static constexpr int kPreviewVolume = -3000;

    // player: the controller whose file is searched and whose engine the jump moves.
    // makeEngine builds the four previews' engines; empty gives them the GStreamer engine.
    explicit TSceneCap(TMovieController& player, EngineFactory makeEngine = {}, QWidget* parent = nullptr);
    ~TSceneCap() override;

    // Opens the player's file in the four previews, writes page 0 and plays the four scenes.
    void StartSceneSearch();
    // Restarts the previews at the four scenes of page p: each plays 10 seconds from its start.
    void ShowPage(int page);

    int scenePage() const { return scenePage_; }
    MediaEngine& preview(int k) { return *engines_.at(static_cast<std::size_t>(k)); }
    VideoWidget* previewVideo(int k) const { return videos_.at(static_cast<std::size_t>(k)); }

    // True (the default): the previews' frames come scaled to 200 × 150 by the graph. False
    // delivers them at the video's own size and the video widgets scale them; for measuring.
    bool scaledPreviews = true;

    // Controls.
    ScenePanel *Panel1, *Panel2, *Panel3, *Panel4;
    QLabel *Label1, *Label2, *Label3, *Label4;      // time labels
    QLabel *Label10, *Label11, *Label12, *Label13;  // scene labels
    QLabel* Label19;
    QToolButton *SpeedButton1, *SpeedButton2;  // "Next Page", "Previous Page"
    QTimer* Timer1;

public slots:
    void SpeedButton1Click();
    void SpeedButton2Click();
    void Timer1Timer();
    void Panel1Click();
    void Panel2Click();
    void Panel3Click();
    void Panel4Click();
    void Panel1DblClick();
    void Panel2DblClick();
    void Panel3DblClick();
    void Panel4DblClick();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildCell(int k, int left, int top);
    void WritePageLabels(int page);
    void ChangePage(int page);
    void SelectPanel(int k);
    void JumpToScene(int k);
    void StopPreviews();
    void SetOuterSize();

    QPointer<TMovieController> player_;
    EngineFactory makeEngine_;
    std::array<std::unique_ptr<MediaEngine>, 4> engines_;
    std::array<ScenePanel*, 4> panels_{};
    std::array<VideoWidget*, 4> videos_{};
    std::array<QLabel*, 4> timeLabels_{};
    std::array<QLabel*, 4> sceneLabels_{};
    int scenePage_ = 0;
    bool closing_ = false;
};

// The scene search while it is open; null otherwise.
extern TSceneCap* SceneCap;

}  // namespace veltrane
