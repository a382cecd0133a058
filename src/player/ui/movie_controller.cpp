// The controller window: its controls, its pop-up menu, the player settings and closing the
// player.
#include "player/ui/movie_controller.h"
#include "platform/ui/platform_services.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QStyle>

#include "uisupport/ui/document_host.h"
#include "uisupport/ui/file_drop.h"
#include "uisupport/ui/guarded_connect.h"
#include "uisupport/ui/qt_text.h"
#include "uisupport/ui/desktop_screens.h"
#include "uisupport/ui/settings_store.h"
#include "uisupport/ui/window_frame.h"
#include "widgets/ui/status_bar.h"
#include "player/ui/display_window.h"
#include "player/ui/gst_media_engine.h"
#include "player/ui/seek_bar_view.h"
#include "widgets/ui/up_down.h"
#include "playlist/ui/file_list_window.h"

namespace veltrane {

TMovieController* MovieController = nullptr;

namespace {

constexpr int kButtonSize = 20;

using Handler = void (TMovieController::*)();

QColor toQColor(PlayerColour c) { return QColor(redOf(c), greenOf(c), blueOf(c)); }

QMenu* subMenu(QWidget* owner, QMenu* into, const char* name, const QString& caption) {
    QMenu* menu = newMenu(owner, into, name, caption);
    menu->setToolTipsVisible(true);
    return menu;
}

// A menu item; its shortcut works wherever the controller has the focus.
QAction* item(TMovieController* owner, QMenu* menu, const char* name, const QString& caption, Handler handler = nullptr,
              const char* shortcut = nullptr, const QString& hint = QString()) {
    QAction* action = newMenuItem(owner, menu, name, caption, handler, shortcut);
    if (!hint.isEmpty()) action->setToolTip(hint);
    if (shortcut) owner->addAction(action);
    return action;
}

QToolButton* speedButton(TMovieController* owner, const char* name, const QString& hint, Handler handler) {
    auto* button = guardedButton(new QToolButton(owner), owner, name, hint, handler);
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QLabel* label(QWidget* parent, const char* name, const QString& text, const QRect& geometry) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setGeometry(geometry);
    return l;
}

// The colour button's glyph: the played colour of the bar over the time display's colours.
QIcon colourGlyph(const PlayerSettings& s) {
    QPixmap pixmap(16, 16);
    pixmap.fill(toQColor(s.displayBack));
    QPainter p(&pixmap);
    p.fillRect(2, 2, 12, 5, toQColor(s.displayText));
    p.fillRect(2, 9, 8, 5, toQColor(s.bar.barStart));
    p.fillRect(10, 9, 4, 5, toQColor(s.bar.barRest));
    return QIcon(pixmap);
}

}  // namespace

TMovieController::TMovieController(DocumentHost& host, std::unique_ptr<MediaEngine> engine, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      host_(host),
      engine_(engine ? std::move(engine) : std::make_unique<GstMediaEngine>()) {
    MovieController = this;
    setObjectName("MovieController");
    setWindowTitle("Controller");
    setFixedSize(kClientWidth, kClientHeight);

    buildControls();
    buildFoldOutPanel();
    buildPopupMenu();

    Timer1 = new QTimer(this);
    Timer1->setObjectName("Timer1");
    Timer1->setInterval(500);
    connectGuarded(Timer1, &QTimer::timeout, this, &TMovieController::PollPlayback);
    Timer3 = new QTimer(this);
    Timer3->setObjectName("Timer3");
    Timer3->setInterval(1000);
    connectGuarded(Timer3, &QTimer::timeout, this, &TMovieController::Timer3Timer);

    // An MP3 without a length in its header tells it only while playing.
    connect(engine_.get(), &MediaEngine::durationChanged, this, [this] {
        if (!mediaOpen_) return;
        ReadDuration();
        if (!isAudio_) {
            totalFrames_ = totalFramesOf(duration_, engine_->secondsPerFrame());
            StatusBar1->setPanelText(1, QString::fromStdString(frameCountText(totalFrames_)));
        }
    });
    connectGuarded(engine_.get(), &MediaEngine::opened, this, &TMovieController::MediaOpened);
    connectGuarded(engine_.get(), &MediaEngine::openFailed, this, &TMovieController::MediaFailed);
    // The graph's threads must be gone before the program ends, whatever is still open.
    connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { CloseMedia(); });

    FileList = new TFileList(host_.random());
    Display = new TDisplay;
    connectPlayList();
    connectDisplayOptions();

    setAcceptDrops(true);
    ApplyPlayerSettings();
    DrawSeekBar(0);
}

TMovieController::~TMovieController() {
    // A controller destroyed without being closed takes its two windows with it.
    if (!closing_) {
        delete FileList;
        delete Display;
        FileList = nullptr;
        Display = nullptr;
    }
    if (MovieController == this) MovieController = nullptr;
}

void TMovieController::buildControls() {
    Label2 = label(this, "Label2", "0:00:00/0:00:00", QRect(8, 3, 132, 30));
    Label2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label2->setIndent(4);
    Label2->setAutoFillBackground(true);
    // The largest bold face in which the longest time text fits the display.
    QFont timeFont = font();
    timeFont.setBold(true);
    for (int size = 18; size > 8; --size) {
        timeFont.setPixelSize(size);
        if (QFontMetrics(timeFont).horizontalAdvance("0:00:00/0:00:00") <= Label2->width() - 12) break;
    }
    Label2->setFont(timeFont);

    Image1 = new SeekBarView(this);
    Image1->setObjectName("Image1");
    Image1->setToolTip("クリックした位置から再生します");
    Image1->move(3, 36);
    connect(Image1, &SeekBarView::leftButtonPressed, this,
            [this](int x, int y) { runGuarded([this, x, y] { Image1MouseDown(x, y); }); });

    SpeedButtonPlay = speedButton(this, "SpeedButtonPlay", "ファイルを再生します。", &TMovieController::SpeedButtonPlayClick);
    SpeedButtonPlay->setIcon(style()->standardIcon(QStyle::SP_MediaPlay));
    SpeedButtonPause =
        speedButton(this, "SpeedButtonPause", "再生中のファイルを停止します。", &TMovieController::SpeedButtonPauseClick);
    SpeedButtonPause->setIcon(style()->standardIcon(QStyle::SP_MediaStop));
    SpeedButton1 = speedButton(this, "SpeedButton1", "再生中の画面をキャプチャーします。", &TMovieController::SpeedButton1Click);
    SpeedButton1->setIcon(style()->standardIcon(QStyle::SP_DesktopIcon));
    SpeedButton4 = speedButton(this, "SpeedButton4", "ファイルを開きます。", &TMovieController::SpeedButton4Click);
    SpeedButton4->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    SpeedButton2 = speedButton(this, "SpeedButton2", fromStd(kAbStartHint), &TMovieController::SpeedButton2Click);
    SpeedButton2->setText(fromStd(kAbStartCaption));
    SpeedButton9 = speedButton(this, "SpeedButton9", "PlayListを表示します", &TMovieController::SpeedButton9Click);
    SpeedButton9->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    SpeedButton10 = speedButton(this, "SpeedButton10", "色の設定をします。", &TMovieController::SpeedButton10Click);
    int left = 3;
    for (QToolButton* b : {SpeedButtonPlay, SpeedButtonPause, SpeedButton1, SpeedButton4, SpeedButton2, SpeedButton9,
                           SpeedButton10}) {
        b->setGeometry(left, 51, kButtonSize, kButtonSize);
        b->setIconSize(QSize(14, 14));
        left += kButtonSize;
    }

    Label1 = label(this, "Label1", "vol", QRect(5, 73, 20, 16));
    TrackBar1 = new QSlider(Qt::Horizontal, this);
    TrackBar1->setObjectName("TrackBar1");
    TrackBar1->setRange(0, 100);
    TrackBar1->setValue(kVolumeStart);
    TrackBar1->setToolTip("音声の大きさを設定します");
    TrackBar1->setGeometry(26, 72, 118, 18);
    connectGuarded(TrackBar1, &QSlider::valueChanged, this, &TMovieController::TrackBar1Change);

    StatusBar1 = new PanelStatusBar({55, 50}, {QString(), QString()}, this);
    StatusBar1->setObjectName("StatusBar1");
    StatusBar1->setGeometry(0, kClientHeight - 20, 148, 20);
    QFont panelFont = font();
    panelFont.setPixelSize(10);
    StatusBar1->setFont(panelFont);

    SpeedButton8 = speedButton(this, "SpeedButton8", QString(), &TMovieController::SpeedButton8Click);
    SpeedButton8->setGeometry(kClientWidth - 6, 0, 6, kClientHeight);
    SpeedButton8->setAutoRaise(false);
}

void TMovieController::buildFoldOutPanel() {
    GroupBox1 = new QGroupBox("その他の設定", this);
    GroupBox1->setObjectName("GroupBox1");
    GroupBox1->setGeometry(160, 2, 90, kClientHeight - 4);
    const QString speedHint = "再生速度を変更します";
    const QString balanceHint = "音声の左右のバランスを設定します";

    Label5 = label(GroupBox1, "Label5", "再生速度", QRect(6, 16, 80, 14));
    Label5->setToolTip(speedHint);
    UpDown1 = new UpDown(GroupBox1);
    UpDown1->setObjectName("UpDown1");
    UpDown1->setRange(kSpeedMin, kSpeedMax);
    UpDown1->setValue(kSpeedStart);
    UpDown1->setToolTip(speedHint);
    UpDown1->setGeometry(6, 32, 17, 21);
    connectGuarded(UpDown1, &UpDown::clicked, this, &TMovieController::UpDown1Click);
    Edit4 = new QLineEdit(fromStd(kSpeedStartText), GroupBox1);
    Edit4->setObjectName("Edit4");
    Edit4->setReadOnly(true);
    Edit4->setToolTip(speedHint);
    Edit4->setGeometry(25, 32, 38, 21);
    Label4 = label(GroupBox1, "Label4", "倍", QRect(66, 35, 18, 14));
    Label4->setToolTip(speedHint);

    Label6 = label(GroupBox1, "Label6", "音声のバランス", QRect(6, 58, 82, 14));
    Label6->setToolTip("スピーカーから出る音を設定します");
    TrackBar2 = new QSlider(Qt::Horizontal, GroupBox1);
    TrackBar2->setObjectName("TrackBar2");
    TrackBar2->setRange(-10, 10);
    TrackBar2->setValue(0);
    TrackBar2->setToolTip(balanceHint);
    TrackBar2->setGeometry(4, 72, 82, 18);
    connectGuarded(TrackBar2, &QSlider::valueChanged, this, &TMovieController::TrackBar2Change);
    Label3 = label(GroupBox1, "Label3", "左            右", QRect(6, 90, 82, 14));
    Label3->setToolTip(balanceHint);
}

void TMovieController::buildPopupMenu() {
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName("PopupMenu1");
    PopupMenu1->setToolTipsVisible(true);

    F1 = subMenu(this, PopupMenu1, "F1", "ファイル(&F)");
    connectGuarded(F1, &QMenu::aboutToShow, this, &TMovieController::FileF1Click);
    O1 = item(this, F1, "O1", "メディアを開く(&O)", &TMovieController::openo1Click, "Ctrl+O");
    P1 = item(this, F1, "P1", "プロパティを開く(&P)", &TMovieController::propertyClick);
    F1->addSeparator();
    NextFile = item(this, F1, "NextFile", "次のファイル", &TMovieController::NextFileClick);
    PreviousFile = item(this, F1, "PreviousFile", "前のファイル", &TMovieController::PreviousFileClick);
    F1->addSeparator();
    DisplaySize1 = subMenu(this, F1, "DisplaySize1", "ディスプレイの大きさ");
    N501 = item(this, DisplaySize1, "N501", "50%");
    N1001 = item(this, DisplaySize1, "N1001", "100%");
    N2001 = item(this, DisplaySize1, "N2001", "200%");
    MaxDisp = item(this, DisplaySize1, "MaxDisp", "Max");
    auto* sizes = new QActionGroup(this);
    for (QAction* a : {N501, N1001, N2001, MaxDisp}) {
        a->setCheckable(true);
        sizes->addAction(a);
    }
    N1001->setChecked(true);
    aspect_ratio = subMenu(this, F1, "aspect_ratio", "アスペクト比");
    N431 = item(this, aspect_ratio, "N431", "4:3");
    N1691 = item(this, aspect_ratio, "N1691", "16:9");
    F1->addSeparator();
    E1 = item(this, F1, "E1", "終了する(&E)", &TMovieController::exitE1Click);

    P2 = subMenu(this, PopupMenu1, "P2", "処理(&P)");
    FileListF1 = item(this, P2, "FileListF1", "Play List(&P)", &TMovieController::FileListF1Click, "Ctrl+P",
                      "ファイルリストを表示します");
    FileListF1->setCheckable(true);
    CaptureC1 = item(this, P2, "CaptureC1", "キャプチャー(&C)", &TMovieController::CaptureC1Click, "Ctrl+C",
                     "今のシーンを静止画としてキャプチャーします");
    CaptureC1->setEnabled(false);
    ExperimentE1 = item(this, P2, "ExperimentE1", "フレーム処理(&E)", &TMovieController::ExperimentE1Click, "Ctrl+E",
                        "フレームのキャプチャーや画像の切り出しを行います");
    SceneCaptureS1 = item(this, P2, "SceneCaptureS1", "シーン検索(&S)", &TMovieController::SceneCaptureS1Click, "Ctrl+Q",
                          "動画中のシーンを複数表示します※高負荷");
    SceneCaptureS1->setEnabled(false);

    Option = subMenu(this, PopupMenu1, "Option", "設定(&O)");
    connectGuarded(Option, &QMenu::aboutToShow, this, &TMovieController::OptionO1Click);
    N37 = subMenu(this, Option, "N37", "再生順");
    name = item(this, N37, "name", "名前順", &TMovieController::nameClick);
    antiname = item(this, N37, "antiname", "逆名前順", &TMovieController::antinameClick);
    random = item(this, N37, "random", "ランダム", &TMovieController::randomClick);
    N34 = subMenu(this, Option, "N34", "リピート設定");
    nothing1 = item(this, N34, "nothing1", "しない！", &TMovieController::nothing1Click);
    N11 = item(this, N34, "N11", "1ファイルだけ", &TMovieController::N11Click);
    allfiles1 = item(this, N34, "allfiles1", "全てするっ", &TMovieController::allfiles1Click);
    for (QAction* a : {name, antiname, random, nothing1, N11, allfiles1}) a->setCheckable(true);
    N26 = subMenu(this, Option, "N26", "色を変える");
    N33 = item(this, N26, "N33", "あか");
    N32 = item(this, N26, "N32", "きいろ");
    N31 = item(this, N26, "N31", "あお");
    N30 = item(this, N26, "N30", "みどり");
    N29 = item(this, N26, "N29", "しろとか");
    N26->addSeparator();
    etc1 = item(this, N26, "etc1", "決める", &TMovieController::SpeedButton10Click);
    transmit = subMenu(this, Option, "transmit", "透過設定");
    transmitmuchmore = item(this, transmit, "transmitmuchmore", "やばいぃ");
    transmitmuch = item(this, transmit, "transmitmuch", "スゴイ");
    transmitsoso = item(this, transmit, "transmitsoso", "まぁまぁ");
    transmitlittle = item(this, transmit, "transmitlittle", "ちょびっと");
    nontransmit = item(this, transmit, "nontransmit", "やめた！");
    auto* levels = new QActionGroup(this);
    for (QAction* a : {transmitmuchmore, transmitmuch, transmitsoso, transmitlittle, nontransmit}) {
        a->setCheckable(true);
        levels->addAction(a);
    }
    nontransmit->setChecked(true);
    Option->addSeparator();
    StayTop = item(this, Option, "StayTop", "常に前面表示", &TMovieController::StayTopClick);
    DispSizeFix = item(this, Option, "DispSizeFix", "ディスプレイサイズ固定", &TMovieController::DispSizeFixClick);
    StayTop->setCheckable(true);
    DispSizeFix->setCheckable(true);
    Option->addSeparator();
    N18 = item(this, Option, "N18", "再生速度初期化", &TMovieController::playrateinitClick);
    N16 = item(this, Option, "N16", "バージョン", &TMovieController::versionV1Click, nullptr, "バージョン表示を行います");
}

void TMovieController::connectPlayList() {
    connect(FileList, &TFileList::playRequested, this, [this](int row) { runGuarded([this, row] { PlayListEntry(row); }); });
    connect(FileList, &TFileList::filesDropped, this,
            [this](const QStringList& paths) { runGuarded([this, &paths] { FilesDropped(paths); }); });
    connect(FileList, &TFileList::playOrderChanged, this, &TMovieController::ShowPlayOrder);
    connect(FileList, &TFileList::repeatModeChanged, this, &TMovieController::ShowRepeatMode);
    ShowPlayOrder(FileList->playOrder());
    ShowRepeatMode(FileList->repeatMode());
}

// ---- Settings ----

void TMovieController::ApplyPlayerSettings() {
    settings_ = LoadPlayerSettings(loadSettings(), desktopScreens());

    ShowColours();
    move(settings_.controllerLeft, settings_.controllerTop);
    Display->move(settings_.displayLeft, settings_.displayTop);
    TrackBar1->setValue(settings_.volumePosition);
    if (settings_.stayOnTop) SetControllerOnTop(true);
    ShowDisplayMarks();
    FileList->SetRepeatMode(settings_.repeatMode);
}

void TMovieController::ShowColours() {
    QPalette palette = Label2->palette();
    palette.setColor(QPalette::WindowText, toQColor(settings_.displayText));
    palette.setColor(QPalette::Window, toQColor(settings_.displayBack));
    Label2->setPalette(palette);
    if (FileList) {
        FileList->SetListColours(toQColor(settings_.listText), toQColor(settings_.listBack));
        FileList->SetIconColour(settings_.iconColour);
        FileList->RefreshList();
    }
    SpeedButton10->setIcon(colourGlyph(settings_));
}

void TMovieController::WritePlayerSettings() {
    PlayerSettings s = settings_;
    s.controllerLeft = x();
    s.controllerTop = y();
    if (Display) {
        s.displayLeft = Display->x();
        s.displayTop = Display->y();
    }
    s.volumePosition = TrackBar1->value();
    s.stayOnTop = StayTop->isChecked();
    s.fixedDisplaySize = DispSizeFix->isChecked();
    if (FileList) s.repeatMode = FileList->repeatMode();
    updateSettings([&s](IniFile& ini) { SavePlayerSettings(ini, s); });
}

// ---- Order and repeat marks: the controller's menu follows the play list's state ----

void TMovieController::ShowPlayOrder(PlayOrder order) {
    name->setChecked(order == PlayOrder::Name);
    antiname->setChecked(order == PlayOrder::ReverseName);
    random->setChecked(order == PlayOrder::Random);
}

void TMovieController::ShowRepeatMode(RepeatMode mode) {
    nothing1->setChecked(mode == RepeatMode::None);
    N11->setChecked(mode == RepeatMode::OneFile);
    allfiles1->setChecked(mode == RepeatMode::AllFiles);
}

// Every order item of the controller steps the cycle, whichever was chosen.
void TMovieController::nameClick() { FileList->SetPlayOrder(nextPlayOrder(FileList->playOrder())); }
void TMovieController::antinameClick() { nameClick(); }
void TMovieController::randomClick() { nameClick(); }

void TMovieController::nothing1Click() { FileList->SetRepeatMode(RepeatMode::None); }
void TMovieController::N11Click() { FileList->SetRepeatMode(RepeatMode::OneFile); }
void TMovieController::allfiles1Click() { FileList->SetRepeatMode(RepeatMode::AllFiles); }

// ---- Closing ----

void TMovieController::exitE1Click() { close(); }

void TMovieController::closeEvent(QCloseEvent* event) {
    if (!closing_) {
        closing_ = true;
        // The settings are written while the play list and the display still exist; a player
        // that handed a frame over closes without writing them.
        runGuarded([this] {
            if (!handedOver_) WritePlayerSettings();
        });
        CloseMedia();
        for (QWidget* window : std::initializer_list<QWidget*>{FileList, Display}) {
            if (!window) continue;
            window->hide();
            window->deleteLater();
        }
        FileList = nullptr;
        Display = nullptr;
        host_.ShowMainWindow();
        MovieController = nullptr;
        deleteLater();
    }
    event->accept();
}

// ---- Drops and the pop-up menu ----

void TMovieController::dragEnterEvent(QDragEnterEvent* event) { acceptFileDrag(event); }

void TMovieController::dropEvent(QDropEvent* event) {
    const QStringList paths = droppedLocalFiles(event);
    runGuarded([&] { FilesDropped(paths); });
}

void TMovieController::contextMenuEvent(QContextMenuEvent* event) { PopupMenu1->popup(event->globalPos()); }

void TMovieController::ResizeOuter(int outerWidth, int outerHeight) {
    setFixedSize(clientSizeFor(*this, {outerWidth, outerHeight}));
}

}  // namespace veltrane
