// The display options of the controller and the display window: sizes, aspect ratio, fixed
// size, stay on top, transparency, the colour presets and the colour dialog, and the file
// properties of the playing file.
#include <QPointer>
#include <QWindow>

#include "platform/ui/platform_services.h"
#include "player/ui/display_window.h"
#include "player/ui/movie_controller.h"
#include "player/ui/set_display_color.h"
#include "playlist/ui/file_list_window.h"
#include "uisupport/ui/guarded_connect.h"

namespace veltrane {

namespace {

using Handler = void (TMovieController::*)();

}  // namespace

void TMovieController::connectDisplayOptions() {
    // The controller's items without a handler of their own yet.
    const std::pair<QAction*, Handler> controllerItems[] = {
        {N501, &TMovieController::N501Click},
        {N1001, &TMovieController::N1001Click},
        {N2001, &TMovieController::N2001Click},
        {MaxDisp, &TMovieController::MaxDispClick},
        {N431, &TMovieController::aspect4to3Click},
        {N1691, &TMovieController::aspect16to9Click},
        {transmitmuchmore, &TMovieController::transmitmuchmoreClick},
        {transmitmuch, &TMovieController::transmitmuchClick},
        {transmitsoso, &TMovieController::transmitsosoClick},
        {transmitlittle, &TMovieController::transmitlittleClick},
        {nontransmit, &TMovieController::nontransmitClick},
        {N33, &TMovieController::Red1Click},
        {N32, &TMovieController::Yellow1Click},
        {N31, &TMovieController::Blue1Click},
        {N30, &TMovieController::Green1Click},
        {N29, &TMovieController::White1Click},
    };
    for (const auto& [action, handler] : controllerItems) connectGuarded(action, &QAction::triggered, this, handler);
    if (!Display) return;
    // Each item of the display's menu runs its twin's handler.
    const std::pair<QAction*, Handler> displayItems[] = {
        {Display->O3, &TMovieController::openo1Click},
        {Display->P3, &TMovieController::propertyClick},
        {Display->N7, &TMovieController::PreviousFileClick},
        {Display->N6, &TMovieController::NextFileClick},
        {Display->N502, &TMovieController::N501Click},
        {Display->N1002, &TMovieController::N1001Click},
        {Display->N2002, &TMovieController::N2001Click},
        {Display->Max1, &TMovieController::MaxDispClick},
        {Display->N432, &TMovieController::aspect4to3Click},
        {Display->N1692, &TMovieController::aspect16to9Click},
        {Display->StayOnTopDisp, &TMovieController::StayTopClick},
        {Display->DispFix, &TMovieController::DispSizeFixClick},
        {Display->E2, &TMovieController::exitE1Click},
    };
    for (const auto& [action, handler] : displayItems) connectGuarded(action, &QAction::triggered, this, handler);
}

// Both items of each pair show the state: the chosen size, the fixed size, stay on top. A
// checkable item flips its own mark before its handler runs, so the marks are always set
// from the state, never read.
void TMovieController::ShowDisplayMarks() {
    const std::pair<QAction*, DisplaySize> sizes[] = {
        {N501, DisplaySize::Half}, {N1001, DisplaySize::Full}, {N2001, DisplaySize::Double}, {MaxDisp, DisplaySize::Max}};
    for (const auto& [action, size] : sizes) action->setChecked(size == displaySize_);
    DispSizeFix->setChecked(settings_.fixedDisplaySize);
    StayTop->setChecked(settings_.stayOnTop);
    if (!Display) return;
    Display->N502->setChecked(displaySize_ == DisplaySize::Half);
    Display->N1002->setChecked(displaySize_ == DisplaySize::Full);
    Display->N2002->setChecked(displaySize_ == DisplaySize::Double);
    Display->Max1->setChecked(displaySize_ == DisplaySize::Max);
    Display->DispFix->setChecked(settings_.fixedDisplaySize);
    Display->StayOnTopDisp->setChecked(settings_.stayOnTop);
}

// ---- Sizes and aspect ----

void TMovieController::SetDisplaySize(DisplaySize size) {
    displaySize_ = size;
    ShowDisplayMarks();
    if (!Display) return;
    Display->LeaveMaximised();
    if (size == DisplaySize::Max) {
        Display->Maximise();
        return;
    }
    const OuterSize outer = displayOuterSize(size, Display->frameMetrics(), videoWidth_, videoHeight_);
    Display->ResizeOuter(outer.width, outer.height);
}

void TMovieController::N501Click() { SetDisplaySize(DisplaySize::Half); }
void TMovieController::N1001Click() { SetDisplaySize(DisplaySize::Full); }
void TMovieController::N2001Click() { SetDisplaySize(DisplaySize::Double); }
void TMovieController::MaxDispClick() { SetDisplaySize(DisplaySize::Max); }

void TMovieController::SetAspect(AspectRatio ratio) {
    if (!Display) return;
    Display->ResizeOuter(Display->frameGeometry().width(),
                         aspectOuterHeight(ratio, Display->frameMetrics(), Display->Panel1->width()));
}

void TMovieController::aspect4to3Click() { SetAspect(AspectRatio::FourThree); }
void TMovieController::aspect16to9Click() { SetAspect(AspectRatio::SixteenNine); }

void TMovieController::DispSizeFixClick() {
    settings_.fixedDisplaySize = !settings_.fixedDisplaySize;
    ShowDisplayMarks();
}

// ---- Stay on top: the controller only ----

void TMovieController::StayTopClick() {
    settings_.stayOnTop = !settings_.stayOnTop;
    SetControllerOnTop(settings_.stayOnTop);
    ShowDisplayMarks();
}

void TMovieController::SetControllerOnTop(bool on) {
    QWindow* window = windowHandle();
    if (!window) {
        setWindowFlag(Qt::WindowStaysOnTopHint, on);
        return;
    }
    // Changing the widget's flags would hide the window and place it anew; the platform
    // window takes the hint where it stands, without being activated.
    Qt::WindowFlags flags = windowFlags();
    flags.setFlag(Qt::WindowStaysOnTopHint, on);
    overrideWindowFlags(flags);
    window->setFlag(Qt::WindowStaysOnTopHint, on);
}

// ---- Transparency: the controller and the play list; the video stays opaque ----

void TMovieController::OptionO1Click() { transmit->menuAction()->setEnabled(platform().transparencyAvailable()); }

void TMovieController::SetPlayerTransparency(int level) {
    const std::pair<QAction*, int> levels[] = {
        {transmitmuchmore, 20}, {transmitmuch, 40}, {transmitsoso, 60}, {transmitlittle, 80}, {nontransmit, 100}};
    for (const auto& [action, itemLevel] : levels) action->setChecked(itemLevel == level);
    bool done = platform().transparencyAvailable();
    if (done) {
        const int alpha = transparencyAlpha(level);
        done = platform().setWindowAlpha(this, alpha);
        if (FileList) done = platform().setWindowAlpha(FileList, alpha) && done;
    }
    if (!done)
        platform().messageBox(nullptr, "設定ができませんでした。", QString(), MessageButtons::Ok, MessageIcon::Warning);
}

void TMovieController::transmitmuchmoreClick() { SetPlayerTransparency(20); }
void TMovieController::transmitmuchClick() { SetPlayerTransparency(40); }
void TMovieController::transmitsosoClick() { SetPlayerTransparency(60); }
void TMovieController::transmitlittleClick() { SetPlayerTransparency(80); }
void TMovieController::nontransmitClick() { SetPlayerTransparency(100); }

// ---- Colours ----

void TMovieController::RepaintSeekBarWhileOpen() {
    if (mediaOpen_) DrawSeekBar(static_cast<double>(engine_->position()) / static_cast<double>(duration_));
}

void TMovieController::ApplyColourPreset(ColourPreset preset) {
    applyColourPreset(settings_, preset);
    ShowColours();
    RepaintSeekBarWhileOpen();
}

void TMovieController::Red1Click() { ApplyColourPreset(ColourPreset::Red); }
void TMovieController::Yellow1Click() { ApplyColourPreset(ColourPreset::Yellow); }
void TMovieController::Blue1Click() { ApplyColourPreset(ColourPreset::Blue); }
void TMovieController::Green1Click() { ApplyColourPreset(ColourPreset::Green); }
void TMovieController::White1Click() { ApplyColourPreset(ColourPreset::White); }

void TMovieController::EditColours() {
    const DisplayColourTarget target{settings_, [this] { ShowColours(); },
                                     [this] { RepaintSeekBarWhileOpen(); }};
    // The dialog may outlive neither its owner nor the command; the pointer notices when a
    // script closes the player while it is open.
    QPointer<TSetDisplayColor> dialog = new TSetDisplayColor(target, this);
    dialog->move(pos());
    dialog->exec();
    delete dialog.data();
}

void TMovieController::SpeedButton10Click() { EditColours(); }

// ---- File properties ----

void TMovieController::propertyClick() {
    if (mediaPath_.isEmpty()) return;
    platform().showFileProperties(this, mediaPath_);
}

}  // namespace veltrane
