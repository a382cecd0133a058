#include "app/ui/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QVBoxLayout>

#include "uisupport/ui/window_frame.h"
#include "widgets/ui/about_box.h"
#include "app/ui/app_windows.h"
#include "app/ui/picture_scroll_box.h"
#include "app/window_placement.h"
#include "uisupport/ui/desktop_screens.h"
#include "uisupport/ui/settings_store.h"
#include "widgets/ui/status_bar.h"
#include "image/ui/histogram_window.h"
#include "widgets/ui/color_picker_dialog.h"
#include "widgets/ui/picture_view.h"

namespace veltrane {

TMain* Main = nullptr;
TProgress* Progress = nullptr;
THistogram* Histogram = nullptr;

namespace {
constexpr int kStartClientWidth = 477;
constexpr int kStartClientHeight = 153;
}  // namespace

TMain::TMain(QWidget* parent) : QMainWindow(parent) {
    setObjectName("Main");
    setWindowTitle("Veltrane");

    buildMenus();
    buildPopupMenus();
    buildToolBar();

    ScrollBox1 = new PictureScrollBox(this);
    Image1 = new PictureView;
    Image1->setObjectName("Image1");
    ScrollBox1->setWidget(Image1);
    ScrollBox1->watch(Image1);
    setCentralWidget(ScrollBox1);
    connect(Image1, &PictureView::mouseMoved, this, &TMain::Image1MouseMove);
    connect(ScrollBox1, &PictureScrollBox::mouseMoved, this, &TMain::Image1MouseMove);
    connect(Image1, &PictureView::doubleClicked, this, &TMain::Image1DblClick);
    connect(ScrollBox1, &PictureScrollBox::wheelWithRightButton, this,
            [this](bool down) { down ? FormMouseWheelDown(true) : FormMouseWheelUp(true); });

    StatusBar1 = new PanelStatusBar({105, 135, 130},
                                    {"(x, y)", "(R, G, B) = (0, 0 ,0 )", "(H, S, I) = (0.000 ,0.000 ,0.000 )"}, this);
    StatusBar1->setObjectName("StatusBar1");
    setStatusBar(StatusBar1);

    ColorDialog = new TColorPickerDialog(this);
    ColorDialog->setObjectName("ColorDialog");
    ColorDialog->SetTitle("色の選択");

    setAcceptDrops(true);
    counterText_ = "0/0";
    // The start size is the client area below the menu bar; the menu bar comes on top of it
    // (nothing when the desktop shows the menu bar outside the window).
    const int menuHeight = menuBar()->isNativeMenuBar() ? 0 : menuBar()->heightForWidth(kStartClientWidth);
    // Not resizable until the display mode first makes it so.
    setFixedSize(kStartClientWidth, kStartClientHeight + menuHeight);
    DisableImageCommands();
    DisableFolderCommands();
}

void TMain::start() { ReadMainSettings(); }

TProgress* TMain::progress() { return Progress; }

void TMain::ReadMainSettings() {
    const IniFile ini = loadSettings();
    const std::vector<ScreenRect> screens = desktopScreens();
    const WindowPosition stored{ini.readInteger("Main_POS", "Left", kDefaultMainPosition.left),
                                ini.readInteger("Main_POS", "Top", kDefaultMainPosition.top)};
    const WindowPosition start = mainWindowStartPosition(stored, {width(), height()}, screens);
    move(start.left, start.top);
    const int method = ini.readInteger("HOW_TO_DISPLAY", "Method", 0);
    if (method == 0 || method == 1) {
        N25->setChecked(method == 0);
        N26->setChecked(method == 1);
    }
    if (ini.readInteger("KIRRO", "greeting", 1) == 1)
        platform().messageBox(nullptr, "Veltrane へようこそ。画像の表示と加工、動画と音楽の再生をお楽しみください。", "ご挨拶",
                              MessageButtons::Ok, MessageIcon::Information);
    transparencyAvailable_ = platform().transparencyAvailable();
    transmit->menuAction()->setEnabled(transparencyAvailable_);
}

void TMain::WriteMainSettings() {
    updateSettings([this](IniFile& ini) {
        ini.writeInteger("Main_POS", "Left", x());
        ini.writeInteger("Main_POS", "Top", y());
        ini.writeInteger("HOW_TO_DISPLAY", "Method", N25->isChecked() ? 0 : 1);
        ini.writeInteger("KIRRO", "greeting", 0);
    });
}

void TMain::FormClose() {
    folderList_.clear();
    WriteMainSettings();
}

void TMain::closeEvent(QCloseEvent* event) {
    runGuarded([this] { FormClose(); });
    event->accept();
    QApplication::quit();
}

void TMain::EXIT1Click() {
    if (platform().messageBox(nullptr, "プログラムを終了しますか？", "確認", MessageButtons::YesNo, MessageIcon::Question) ==
        MessageResult::Yes)
        close();
}

void TMain::ViewV1Click() { PasteP1->setEnabled(platform().clipboardHasImage()); }

void TMain::Version1Click() { ShowAboutBox(this); }

void TMain::Etc1Click() {
    // Asked each time: a compositor may have started or stopped since.
    transparencyAvailable_ = platform().transparencyAvailable();
    transmit->menuAction()->setEnabled(transparencyAvailable_);
}

void TMain::ResizeOuter(int outerWidth, int outerHeight) {
    const QSize client = clientSizeFor(*this, {outerWidth, outerHeight});
    // Before the first picture the window has a fixed size; it stays fixed, at the new size.
    if (minimumSize() == maximumSize())
        setFixedSize(client);
    else
        resize(client);
}

void TMain::ResizeMainWindow(int outerWidth, int belowToolBar) {
    ResizeOuter(outerWidth, ToolBar1->height() + belowToolBar);
}

void TMain::DetachFromFolder() {
    EnableImageCommands();
    DisableFolderCommands();
    folderPosition_ = 0;
}

}  // namespace veltrane
