#include "scene/ui/scene_cap.h"

#include <QCloseEvent>

#include "frames/ui/experiment_window.h"
#include "player/ui/gst_media_engine.h"
#include "player/ui/movie_controller.h"
#include "player/ui/video_widget.h"
#include "scene/scene_search.h"
#include "scene/ui/scene_panel.h"
#include "uisupport/ui/guarded_connect.h"
#include "uisupport/ui/named_child.h"
#include "uisupport/ui/window_frame.h"

namespace veltrane {

TSceneCap* SceneCap = nullptr;

namespace {

constexpr int kTimerInterval = 6500;
constexpr int kPanelWidth = 210;
constexpr int kPanelHeight = 160;
// A cell: the two labels above the panel, framed.
constexpr int kCellWidth = 226;
constexpr int kCellHeight = 190;
constexpr int kLabelRow = 20;
const QColor kSelectedPanel(166, 202, 240);
const QColor kSceneLabelColour(0, 128, 128);  // teal
const QColor kTimeLabelColour(0, 0, 255);

QLabel* label(QWidget* parent, const char* name, const QString& text, const QRect& geometry, const QColor& colour) {
    auto* l = namedChild<QLabel>(parent, name, geometry, text);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, colour);
    l->setPalette(p);
    return l;
}

using Handler = void (TSceneCap::*)();
constexpr Handler kClicks[4] = {&TSceneCap::Panel1Click, &TSceneCap::Panel2Click, &TSceneCap::Panel3Click,
                                &TSceneCap::Panel4Click};
constexpr Handler kDoubleClicks[4] = {&TSceneCap::Panel1DblClick, &TSceneCap::Panel2DblClick,
                                      &TSceneCap::Panel3DblClick, &TSceneCap::Panel4DblClick};

}  // namespace

TSceneCap::TSceneCap(TMovieController& player, EngineFactory makeEngine, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      player_(&player),
      makeEngine_(makeEngine ? std::move(makeEngine) : [] { return std::make_unique<GstMediaEngine>(); }) {
    setObjectName("SceneCap");
    setWindowTitle("Scene Capture(scene 1～16)");
    SetOuterSize();

    const int left = 6, right = 6 + kCellWidth + 8, top = 4, bottom = 4 + kCellHeight + 4;
    buildCell(0, left, top);
    buildCell(1, right, top);
    buildCell(2, left, bottom);
    buildCell(3, right, bottom);
    Panel1 = panels_[0], Panel2 = panels_[1], Panel3 = panels_[2], Panel4 = panels_[3];
    Label1 = timeLabels_[0], Label2 = timeLabels_[1], Label3 = timeLabels_[2], Label4 = timeLabels_[3];
    Label10 = sceneLabels_[0], Label11 = sceneLabels_[1], Label12 = sceneLabels_[2], Label13 = sceneLabels_[3];

    const int below = bottom + kCellHeight + 4;
    Label19 = label(this, "Label19", "↑再生したいシーンを左ダブルクリックして下さい。", QRect(left + 2, below, 440, 16),
                    Qt::red);
    SpeedButton2 = guardedButton(new QToolButton(this), this, "SpeedButton2", QString(), &TSceneCap::SpeedButton2Click);
    SpeedButton2->setText("Previous Page");
    SpeedButton2->setGeometry(right + kCellWidth - 2 * 104 - 4, below + 18, 104, 22);
    SpeedButton2->setEnabled(false);
    SpeedButton1 = guardedButton(new QToolButton(this), this, "SpeedButton1", QString(), &TSceneCap::SpeedButton1Click);
    SpeedButton1->setText("Next Page");
    SpeedButton1->setGeometry(right + kCellWidth - 104, below + 18, 104, 22);

    for (int k = 0; k < 4; ++k) engines_[static_cast<std::size_t>(k)] = makeEngine_();

    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(kTimerInterval);
    connectGuarded(Timer1, &QTimer::timeout, this, &TSceneCap::Timer1Timer);
    Timer1->start();

    // Whatever ends the player's file (closing, a capture, another file) closes the search.
    connect(&player, &TMovieController::mediaClosing, this, &QWidget::close);
}

TSceneCap::~TSceneCap() {
    // A window destroyed without being closed stops its previews here.
    StopPreviews();
    if (SceneCap == this) SceneCap = nullptr;
}

void TSceneCap::buildCell(int k, int left, int top) {
    const std::size_t i = static_cast<std::size_t>(k);
    auto* cell = new QFrame(this);
    cell->setFrameStyle(QFrame::Box | QFrame::Sunken);
    cell->setGeometry(left, top, kCellWidth, kCellHeight);
    const int inset = (kCellWidth - kPanelWidth) / 2;

    const QByteArray sceneName = "Label" + QByteArray::number(10 + k);
    sceneLabels_[i] = label(cell, sceneName.constData(), QString::fromStdString(sceneLabel(k)),
                            QRect(inset, 3, 100, kLabelRow - 4), kSceneLabelColour);
    QFont bold = sceneLabels_[i]->font();
    bold.setBold(true);
    sceneLabels_[i]->setFont(bold);
    const QByteArray timeName = "Label" + QByteArray::number(1 + k);
    timeLabels_[i] = label(cell, timeName.constData(), k == 0 ? "0:00:00" : "**:**:**",
                           QRect(kCellWidth - inset - 100, 3, 100, kLabelRow - 4), kTimeLabelColour);
    timeLabels_[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    auto* panel = new ScenePanel(cell);
    panel->setObjectName("Panel" + QString::number(1 + k));
    panel->setGeometry(inset, kLabelRow, kPanelWidth, kPanelHeight);
    connectGuarded(panel, &ScenePanel::clicked, this, kClicks[k]);
    connectGuarded(panel, &ScenePanel::doubleClicked, this, kDoubleClicks[k]);
    panels_[i] = panel;

    auto* video = new VideoWidget(panel);
    video->setObjectName("Video");
    video->setGeometry(5, 5, kPreviewWidth, kPreviewHeight);
    // Clicks on the video are clicks on its panel.
    video->setAttribute(Qt::WA_TransparentForMouseEvents);
    videos_[i] = video;
}

// ---- the previews ----

void TSceneCap::StartSceneSearch() {
    if (!player_) return;
    WritePageLabels(0);
    const std::int64_t duration = player_->duration();
    for (int k = 0; k < 4; ++k) {
        MediaEngine& engine = preview(k);
        engine.setVolume(kPreviewVolume);
        engine.setDeliveredVideoSize(scaledPreviews ? QSize(kPreviewWidth, kPreviewHeight) : QSize());
        videos_[static_cast<std::size_t>(k)]->setEngine(&engine);
        // A preview that cannot open stays black: the engine reports it, nobody is told.
        engine.open(player_->mediaPath());
        const std::int64_t start = sceneStart(duration, k);
        engine.setPositions(start, start + kScenePreviewLength);
    }
    for (auto& engine : engines_) engine->run();
}

void TSceneCap::ShowPage(int page) {
    if (!player_) return;
    for (auto& engine : engines_) engine->stop();
    const std::int64_t duration = player_->duration();
    for (int k = 0; k < 4; ++k) {
        const std::int64_t start = sceneStart(duration, page * kScenesPerPage + k);
        preview(k).setPositions(start, start + kScenePreviewLength);
    }
    for (auto& engine : engines_) engine->run();
}

void TSceneCap::StopPreviews() {
    for (int k = 0; k < 4; ++k) {
        auto& engine = engines_[static_cast<std::size_t>(k)];
        if (!engine) continue;
        engine->stop();
        videos_[static_cast<std::size_t>(k)]->setEngine(nullptr);
        videos_[static_cast<std::size_t>(k)]->hide();
        engine->close();
    }
}

void TSceneCap::Timer1Timer() { ShowPage(scenePage_); }

// ---- pages ----

void TSceneCap::WritePageLabels(int page) {
    const std::int64_t duration = player_ ? player_->duration() : 0;
    for (int k = 0; k < 4; ++k) {
        const int scene = page * kScenesPerPage + k;
        sceneLabels_[static_cast<std::size_t>(k)]->setText(QString::fromStdString(sceneLabel(scene)));
        timeLabels_[static_cast<std::size_t>(k)]->setText(QString::fromStdString(sceneTimeText(duration, scene)));
    }
    const PageButtonChange change = pageButtonChange(page);
    (change.button == PageButton::Previous ? SpeedButton2 : SpeedButton1)->setEnabled(change.enabled);
}

void TSceneCap::ChangePage(int page) {
    Timer1->stop();
    scenePage_ = page;
    ShowPage(page);
    WritePageLabels(page);
    Timer1->start();
}

void TSceneCap::SpeedButton1Click() {
    if (const std::optional<int> next = nextScenePage(scenePage_)) ChangePage(*next);
}

void TSceneCap::SpeedButton2Click() {
    if (const std::optional<int> previous = previousScenePage(scenePage_)) ChangePage(*previous);
}

// ---- panels ----

void TSceneCap::SelectPanel(int k) {
    const QColor buttonFace = palette().color(QPalette::Button);
    for (int i = 0; i < 4; ++i) panels_[static_cast<std::size_t>(i)]->setColor(i == k ? kSelectedPanel : buttonFace);
}

void TSceneCap::Panel1Click() { SelectPanel(0); }
void TSceneCap::Panel2Click() { SelectPanel(1); }
void TSceneCap::Panel3Click() { SelectPanel(2); }
void TSceneCap::Panel4Click() { SelectPanel(3); }

// Closes the search and plays the player from the scene of panel k + 1 to the end.
void TSceneCap::JumpToScene(int k) {
    const QPointer<TMovieController> player = player_;
    const int scene = scenePage_ * kScenesPerPage + k;
    close();
    // While the frame-processing window reads the file, a double click only closes this window.
    if (Experiment) return;
    if (player) player->PlayFromPosition(sceneJumpPosition(player->duration(), scene));
}

void TSceneCap::Panel1DblClick() { JumpToScene(0); }
void TSceneCap::Panel2DblClick() { JumpToScene(1); }
void TSceneCap::Panel3DblClick() { JumpToScene(2); }
void TSceneCap::Panel4DblClick() { JumpToScene(3); }

// ---- window ----

void TSceneCap::SetOuterSize() {
    setFixedSize(clientSizeFor(*this, {kOuterWidth, kOuterHeight}));
}

void TSceneCap::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    SetOuterSize();  // the frame is known once the window shows
}

// The close box, a double click or the end of the player's file: the previews stop and let go
// of their files, and the window goes once its handlers have returned.
void TSceneCap::closeEvent(QCloseEvent* event) {
    if (!closing_) {
        closing_ = true;
        Timer1->stop();
        StopPreviews();
        if (SceneCap == this) SceneCap = nullptr;
        deleteLater();
    }
    event->accept();
}

}  // namespace veltrane
