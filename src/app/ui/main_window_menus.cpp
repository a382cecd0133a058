// The main window's command table: main menu, the picture area's pop-up menus, the zoom
// menu and the tool bar.
#include <QMenuBar>
#include <QStyle>

#include "app/ui/main_window.h"
#include "app/ui/picture_scroll_box.h"
#include "uisupport/ui/guarded_connect.h"

namespace veltrane {

namespace {

using Handler = void (TMain::*)();

QMenu* addMenu(QWidget* parent, QMenu* into, const char* name, const QString& caption) {
    return newMenu(parent, into, name, caption);
}

QAction* addItem(TMain* owner, QMenu* menu, const char* name, const QString& caption, Handler handler,
                 const char* shortcut = nullptr) {
    return newMenuItem(owner, menu, name, caption, handler, shortcut);
}

// A pop-up twin of a main-menu item: same caption, shortcut and handler. The shortcut is
// shown only; the main-menu item owns it, so one key press never runs a command twice.
QAction* addTwin(TMain* owner, QMenu* menu, const char* name, const QAction* original, Handler handler) {
    QAction* twin = addItem(owner, menu, name, original->text(), handler);
    twin->setShortcut(original->shortcut());
    twin->setShortcutContext(Qt::WidgetShortcut);
    return twin;
}

QAction* actionNamed(TMain* owner, const char* name) { return owner->findChild<QAction*>(name); }

}  // namespace

void TMain::buildMenus() {
    QMenuBar* bar = menuBar();
    Filef1 = addMenu(this, nullptr, "Filef1", "ファイル(&F)");
    bar->addMenu(Filef1);
    OPEN1 = addItem(this, Filef1, "OPEN1", "ファイルを開く(&O)", &TMain::OPEN1Click, "Ctrl+O");
    G1 = addItem(this, Filef1, "G1", "元画像表示(&I)", &TMain::G1Click);
    Filef1->addSeparator();
    property = addItem(this, Filef1, "property", "プロパティを開く(&P)", &TMain::propertyClick);
    Filef1->addSeparator();
    saveas1 = addItem(this, Filef1, "saveas1", "名前を付けて保存(&S)", &TMain::saveas1Click, "Ctrl+S");
    CLOSE1 = addItem(this, Filef1, "CLOSE1", "画像を閉じる(&C)", &TMain::CLOSE1Click);
    Filef1->addSeparator();
    EXIT1 = addItem(this, Filef1, "EXIT1", "終了する(&E)", &TMain::EXIT1Click, "Ctrl+E");

    ViewV1 = addMenu(this, nullptr, "ViewV1", "表示(&V)");
    bar->addMenu(ViewV1);
    connectGuarded(ViewV1, &QMenu::aboutToShow, this, &TMain::ViewV1Click);
    thumb = addItem(this, ViewV1, "thumb", "ビューワーモード", &TMain::thumbClick);
    ViewV1->addSeparator();
    CopyC1 = addItem(this, ViewV1, "CopyC1", "コピー(&C)", &TMain::CopyC1Click, "Ctrl+C");
    PasteP1 = addItem(this, ViewV1, "PasteP1", "貼り付け(&P)", &TMain::PasteP1Click, "Ctrl+V");
    // The item's enabled state follows the menu's last opening; the key asks the clipboard
    // itself, through a window-wide twin that is always enabled.
    PasteP1->setShortcutContext(Qt::WidgetShortcut);
    addAction(addItem(this, nullptr, "PasteKey", QString(), &TMain::PasteP1Click, "Ctrl+V"));
    ViewV1->addSeparator();
    NextFileN1 = addItem(this, ViewV1, "NextFileN1", "次のファイル(&N)", &TMain::NextFileN1Click);
    PreviousFileP1 = addItem(this, ViewV1, "PreviousFileP1", "前のファイル(&P)", &TMain::PreviousFileP1Click);
    ViewV1->addSeparator();
    FisrtFileF1 = addItem(this, ViewV1, "FisrtFileF1", "最初のファイル(&F)", &TMain::FisrtFileF1Click);
    LastFileL1 = addItem(this, ViewV1, "LastFileL1", "最後のファイル(&L)", &TMain::LastFileL1Click);
    ViewV1->addSeparator();
    Marge = addItem(this, ViewV1, "Marge", "合成(&M)", &TMain::MargeClick);
    Joint = addItem(this, ViewV1, "Joint", "連結(&J)", &TMain::JointClick);
    ViewV1->addSeparator();
    ViewOptionV1 = addMenu(this, ViewV1, "ViewOptionV1", "表示オプション(&V)");
    N25 = addItem(this, ViewOptionV1, "N25", "ウィンドウを画像に合わせる", &TMain::N25Click);
    N26 = addItem(this, ViewOptionV1, "N26", "画像をウィンドウに合わせる", &TMain::N26Click);
    N25->setCheckable(true);
    N26->setCheckable(true);
    N25->setChecked(true);

    ImageProcessM1 = addMenu(this, nullptr, "ImageProcessM1", "画像処理(&I)");
    bar->addMenu(ImageProcessM1);
    AdjustmentColorA1 = addMenu(this, ImageProcessM1, "AdjustmentColorA1", "画像補正(&A)");
    addItem(this, AdjustmentColorA1, "Binarize1", "2値化(&B)", &TMain::Binarize1Click);
    addItem(this, AdjustmentColorA1, "Contrast1", "コントラスト補正(&C)", &TMain::Contrast1Click);
    addItem(this, AdjustmentColorA1, "Gamma1", "γ補正(&G)", &TMain::Gamma1Click);
    addItem(this, AdjustmentColorA1, "HSIprocess1", "HSI処理(&H)", &TMain::HSIprocess1Click);
    addItem(this, AdjustmentColorA1, "AddNoise1", "ノイズを加える(&N)", &TMain::AddNoise1Click);
    addItem(this, AdjustmentColorA1, "Postlize1", "ポスタライズ(&P)", &TMain::Postlize1Click);
    addItem(this, AdjustmentColorA1, "RGBprocess1", "RGB処理(&R)", &TMain::RGBprocess1Click);
    imagetrans = addMenu(this, ImageProcessM1, "imagetrans", "画像変形(&D)");
    addItem(this, imagetrans, "upanddownreverse1", "上下反転(&U)", &TMain::upanddownreverse1Click);
    addItem(this, imagetrans, "righttoleftreverse1", "左右反転(&R)", &TMain::righttoleftreverse1Click);
    imagetrans->addSeparator();
    addItem(this, imagetrans, "upanddownshift1", "上下シフト(&D)", &TMain::upanddownshift1Click);
    addItem(this, imagetrans, "righttoleftshift1", "左右シフト(&L)", &TMain::righttoleftshift1Click);
    imagetrans->addSeparator();
    addItem(this, imagetrans, "trumpreverse1", "トランプ反転(&T)", &TMain::trumpreverse1Click);
    addItem(this, imagetrans, "contratrumpreverse1", "逆トランプ反転(&C)", &TMain::contratrumpreverse1Click);
    imagetrans->addSeparator();
    addItem(this, imagetrans, "N3DframeF1", "3Dフレーム(&F) ", &TMain::N3DframeF1Click);
    Extract1 = addMenu(this, ImageProcessM1, "Extract1", "抽出(&E)");
    addItem(this, Extract1, "ExtractColor1", "色抽出(&C)", &TMain::ExtractColor1Click);
    addItem(this, Extract1, "ExtractSkinColor", "HSIで抽出(&S)", &TMain::ExtractSkinColorClick);
    FilterF1 = addMenu(this, ImageProcessM1, "FilterF1", "フィルター(&F)");
    addItem(this, FilterF1, "CustomFilterC1", "カスタムフィルター(&C)", &TMain::CustomFilterC1Click);
    FilterF1->addSeparator();
    addItem(this, FilterF1, "FilterProcessF1", "フィルター処理(&F)", &TMain::FilterProcessF1Click, "Ctrl+F");
    addItem(this, FilterF1, "MaskProcessM1", "マスク処理(&M)", &TMain::MaskProcessM1Click);
    addItem(this, ImageProcessM1, "GradiationmapG1", "グラディエーション(&G)", &TMain::GradiationmapG1Click, "Ctrl+G");
    Histogram1 = addMenu(this, ImageProcessM1, "Histogram1", "ヒストグラム(&H)");
    addItem(this, Histogram1, "DisplayHistogram1", "ヒストグラムを表示(&D)", &TMain::DisplayHistogram1Click, "Ctrl+D");
    Histogram1->addSeparator();
    addItem(this, Histogram1, "ExtendedHistogram1", "引き伸ばす(&E)", &TMain::ExtendedHistogram1Click);
    addItem(this, Histogram1, "SmoothedHistogram1", "平滑化(&S)", &TMain::SmoothedHistogram1Click);
    addItem(this, ImageProcessM1, "ImageProcess1", "画像処理(&I)", &TMain::ImageProcess1Click, "Ctrl+I");
    addItem(this, ImageProcessM1, "MonoColor1", "単色化(&M)", &TMain::MonoColor1Click);
    addItem(this, ImageProcessM1, "SwitchCsolor", "色交換(&S)", &TMain::SwitchCsolorClick);
    addItem(this, ImageProcessM1, "ToneColorT1", "トーンカラー(&T)", &TMain::ToneColorT1Click);

    BinaryProcessB1 = addMenu(this, nullptr, "BinaryProcessB1", "2値処理(&B)");
    bar->addMenu(BinaryProcessB1);
    addItem(this, BinaryProcessB1, "PCNNP1", "PCNN(&P)", &TMain::PCNNP1Click, "Ctrl+P");
    BinaryProcessB1->addSeparator();
    addItem(this, BinaryProcessB1, "BinaryB1", "最小2乗法(&L)", &TMain::BinaryB1Click);
    BinaryProcessB1->addSeparator();
    addItem(this, BinaryProcessB1, "DilationD1", "Dilation(&D)", &TMain::DilationD1Click);
    addItem(this, BinaryProcessB1, "ErosionE1", "Erosion(&E)", &TMain::ErosionE1Click);

    Etc1 = addMenu(this, nullptr, "Etc1", "その他(&E)");
    bar->addMenu(Etc1);
    connectGuarded(Etc1, &QMenu::aboutToShow, this, &TMain::Etc1Click);
    addItem(this, Etc1, "MandelbrotM1", "Mandelbrot(&M)", &TMain::MandelbrotM1Click);
    addItem(this, Etc1, "JuliaJ1", "Julia(&J)", &TMain::JuliaJ1Click);
    Etc1->addSeparator();
    transmit = addMenu(this, Etc1, "transmit", "透過設定");
    transmitmuch = addItem(this, transmit, "transmitmuch", "激しく", &TMain::transmitmuchClick);
    transmitlittle = addItem(this, transmit, "transmitlittle", "ちょっと", &TMain::transmitlittleClick);
    transmitno = addItem(this, transmit, "transmitno", "しない", &TMain::transmitnoClick);
    for (QAction* level : {transmitmuch, transmitlittle, transmitno}) level->setCheckable(true);
    transmitno->setChecked(true);
    addItem(this, Etc1, "DeskTopCaptureD1", "デスクトップをCapture(&D)", &TMain::DeskTopCaptureD1Click);
    wallpaper = addItem(this, Etc1, "wallpaper", "壁紙にする", &TMain::wallpaperClick);
    Etc1->addSeparator();
    addItem(this, Etc1, "Version1", "バージョン(&V)", &TMain::Version1Click);
}

void TMain::buildPopupMenus() {
    PopupImageMenu = addMenu(this, nullptr, "PopupImageMenu", QString());
    QMenu* m = PopupImageMenu;
    addTwin(this, m, "O2", OPEN1, &TMain::OPEN1Click);
    addTwin(this, m, "S3", saveas1, &TMain::saveas1Click);
    addTwin(this, m, "C5", CLOSE1, &TMain::CLOSE1Click);
    m->addSeparator();
    addTwin(this, m, "M3", Marge, &TMain::MargeClick);
    addTwin(this, m, "J1", Joint, &TMain::JointClick);
    m->addSeparator();
    QMenu* a1 = addMenu(this, m, "A1", "画像補正(&A)");
    addTwin(this, a1, "N2B1", actionNamed(this, "Binarize1"), &TMain::Binarize1Click);
    addTwin(this, a1, "C1", actionNamed(this, "Contrast1"), &TMain::Contrast1Click);
    addTwin(this, a1, "G2", actionNamed(this, "Gamma1"), &TMain::Gamma1Click);
    addTwin(this, a1, "HSIH1", actionNamed(this, "HSIprocess1"), &TMain::HSIprocess1Click);
    addTwin(this, a1, "N15", actionNamed(this, "AddNoise1"), &TMain::AddNoise1Click);
    addTwin(this, a1, "P1", actionNamed(this, "Postlize1"), &TMain::Postlize1Click);
    addTwin(this, a1, "RGBR1", actionNamed(this, "RGBprocess1"), &TMain::RGBprocess1Click);
    QMenu* d1 = addMenu(this, m, "D1", "画像変形(&D)");
    addTwin(this, d1, "U1", actionNamed(this, "upanddownreverse1"), &TMain::upanddownreverse1Click);
    addTwin(this, d1, "R1", actionNamed(this, "righttoleftreverse1"), &TMain::righttoleftreverse1Click);
    d1->addSeparator();
    addTwin(this, d1, "D2", actionNamed(this, "upanddownshift1"), &TMain::upanddownshift1Click);
    addTwin(this, d1, "L1", actionNamed(this, "righttoleftshift1"), &TMain::righttoleftshift1Click);
    d1->addSeparator();
    addTwin(this, d1, "T1", actionNamed(this, "trumpreverse1"), &TMain::trumpreverse1Click);
    addTwin(this, d1, "C2", actionNamed(this, "contratrumpreverse1"), &TMain::contratrumpreverse1Click);
    d1->addSeparator();
    addTwin(this, d1, "N3DF1", actionNamed(this, "N3DframeF1"), &TMain::N3DframeF1Click);
    QMenu* e1 = addMenu(this, m, "E1", "抽出(&E)");
    addTwin(this, e1, "C3", actionNamed(this, "ExtractColor1"), &TMain::ExtractColor1Click);
    addTwin(this, e1, "HSIS1", actionNamed(this, "ExtractSkinColor"), &TMain::ExtractSkinColorClick);
    QMenu* f1 = addMenu(this, m, "F1", "フィルター(&F)");
    addTwin(this, f1, "C4", actionNamed(this, "CustomFilterC1"), &TMain::CustomFilterC1Click);
    f1->addSeparator();
    addTwin(this, f1, "F2", actionNamed(this, "FilterProcessF1"), &TMain::FilterProcessF1Click);
    addTwin(this, f1, "M1", actionNamed(this, "MaskProcessM1"), &TMain::MaskProcessM1Click);
    addTwin(this, m, "G3", actionNamed(this, "GradiationmapG1"), &TMain::GradiationmapG1Click);
    QMenu* h1 = addMenu(this, m, "H1", "ヒストグラム(&H)");
    addTwin(this, h1, "D3", actionNamed(this, "DisplayHistogram1"), &TMain::DisplayHistogram1Click);
    h1->addSeparator();
    addTwin(this, h1, "E2", actionNamed(this, "ExtendedHistogram1"), &TMain::ExtendedHistogram1Click);
    addTwin(this, h1, "S1", actionNamed(this, "SmoothedHistogram1"), &TMain::SmoothedHistogram1Click);
    addTwin(this, m, "I1", actionNamed(this, "ImageProcess1"), &TMain::ImageProcess1Click);
    addTwin(this, m, "M2", actionNamed(this, "MonoColor1"), &TMain::MonoColor1Click);
    addTwin(this, m, "S2", actionNamed(this, "SwitchCsolor"), &TMain::SwitchCsolorClick);
    m->addSeparator();
    addTwin(this, m, "PCNNP2", actionNamed(this, "PCNNP1"), &TMain::PCNNP1Click);
    addTwin(this, m, "N2L1", actionNamed(this, "BinaryB1"), &TMain::BinaryB1Click);
    addTwin(this, m, "DilationD2", actionNamed(this, "DilationD1"), &TMain::DilationD1Click);
    addTwin(this, m, "ErosionE2", actionNamed(this, "ErosionE1"), &TMain::ErosionE1Click);

    PopupOpenMenu = addMenu(this, nullptr, "PopupOpenMenu", QString());
    addTwin(this, PopupOpenMenu, "O1", OPEN1, &TMain::OPEN1Click);
    PopupOpenMenu->addSeparator();
    addTwin(this, PopupOpenMenu, "MandelbrotM2", actionNamed(this, "MandelbrotM1"), &TMain::MandelbrotM1Click);
    addTwin(this, PopupOpenMenu, "JuliaJ2", actionNamed(this, "JuliaJ1"), &TMain::JuliaJ1Click);
    addTwin(this, PopupOpenMenu, "CaptureD1", actionNamed(this, "DeskTopCaptureD1"), &TMain::DeskTopCaptureD1Click);
    addItem(this, PopupOpenMenu, "VersionV1", "Version(&V)", &TMain::Version1Click);
    PopupOpenMenu->addSeparator();
    addTwin(this, PopupOpenMenu, "E3", EXIT1, &TMain::EXIT1Click);

    PopupZoomMenu = addMenu(this, nullptr, "PopupZoomMenu", QString());
    addItem(this, PopupZoomMenu, "N31", "ズームイン", &TMain::N31Click);
    addItem(this, PopupZoomMenu, "N32", "ズームアウト", &TMain::N32Click);
    PopupZoomMenu->addSeparator();
    addItem(this, PopupZoomMenu, "Zoom1", "25%", &TMain::Zoom1Click);
    addItem(this, PopupZoomMenu, "N501", "50%", &TMain::N501Click);
    addItem(this, PopupZoomMenu, "N661", "66%", &TMain::N661Click);
    addItem(this, PopupZoomMenu, "N751", "75%", &TMain::N751Click);
    addItem(this, PopupZoomMenu, "N1001", "100%", &TMain::N1001Click);
    addItem(this, PopupZoomMenu, "N1501", "150%", &TMain::N1501Click);
    addItem(this, PopupZoomMenu, "N2001", "200%", &TMain::N2001Click);
    addItem(this, PopupZoomMenu, "N3001", "300%", &TMain::N3001Click);
    addItem(this, PopupZoomMenu, "N4001", "400%", &TMain::N4001Click);
}

namespace {

QToolButton* addToolButton(TMain* owner, QToolBar* bar, const char* name, const QString& hint,
                           QStyle::StandardPixmap icon, Handler handler) {
    auto* button = guardedButton(new QToolButton(bar), owner, name, hint, handler);
    button->setIcon(owner->style()->standardIcon(icon));
    button->setIconSize(QSize(17, 17));
    button->setFixedSize(24, 23);
    button->setAutoRaise(true);
    bar->addWidget(button);
    return button;
}

}  // namespace

void TMain::buildToolBar() {
    ToolBar1 = new QToolBar(this);
    ToolBar1->setObjectName("ToolBar1");
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->setIconSize(QSize(17, 17));
    addToolBar(Qt::TopToolBarArea, ToolBar1);
    QToolBar* bar = ToolBar1;
    ToolButton15 = addToolButton(this, bar, "ToolButton15", "画像ファイルを開きます", QStyle::SP_DialogOpenButton, &TMain::OPEN1Click);
    ToolButton14 = addToolButton(this, bar, "ToolButton14", "画像の保存をします", QStyle::SP_DialogSaveButton, &TMain::saveas1Click);
    bar->addSeparator();
    ToolButton8 = addToolButton(this, bar, "ToolButton8", "前のファイルを開きます", QStyle::SP_ArrowLeft, &TMain::PreviousFileP1Click);
    ToolButton9 = addToolButton(this, bar, "ToolButton9", "次のファイルを開きます", QStyle::SP_ArrowRight, &TMain::NextFileN1Click);
    Edit1 = new QLineEdit("0/0", bar);
    Edit1->setObjectName("Edit1");
    Edit1->setToolTip("同ディレクトリ内にあるファイルの数を表示しています");
    Edit1->setReadOnly(true);
    Edit1->setFixedWidth(64);
    Edit1->setAlignment(Qt::AlignCenter);
    Edit1->setStyleSheet("QLineEdit { background-color: #a6caf0; }");
    Edit1->installEventFilter(this);
    bar->addWidget(Edit1);
    bar->addSeparator();
    ToolButton3 = addToolButton(this, bar, "ToolButton3", "ズーム設定をします", QStyle::SP_FileDialogContentsView, &TMain::ToolButton3Click);
    ToolButton3->setMenu(PopupZoomMenu);
    ToolButton3->setPopupMode(QToolButton::MenuButtonPopup);
    ToolButton3->setFixedSize(36, 23);
    bar->addSeparator();
    ToolButton2 = addToolButton(this, bar, "ToolButton2", "ヒストグラムを表示します", QStyle::SP_FileDialogInfoView, &TMain::DisplayHistogram1Click);
    ToolButton6 = addToolButton(this, bar, "ToolButton6", "HSI処理をします", QStyle::SP_DesktopIcon, &TMain::HSIprocess1Click);
    ToolButton5 = addToolButton(this, bar, "ToolButton5", "RGB処理をします", QStyle::SP_ComputerIcon, &TMain::RGBprocess1Click);
    ToolButton13 = addToolButton(this, bar, "ToolButton13", "HSI表色系を用いた色の抽出を行います", QStyle::SP_DialogApplyButton, &TMain::ExtractColor1Click);
    ToolButton12 = addToolButton(this, bar, "ToolButton12", "フィルター処理をします", QStyle::SP_FileDialogDetailedView, &TMain::CustomFilterC1Click);
    ToolButton1 = addToolButton(this, bar, "ToolButton1", "グラディエーションをかけます", QStyle::SP_DriveDVDIcon, &TMain::GradiationmapG1Click);
    ToolButton7 = addToolButton(this, bar, "ToolButton7", "画像処理をします", QStyle::SP_BrowserReload, &TMain::ImageProcess1Click);
    ToolButton10 = addToolButton(this, bar, "ToolButton10", "色の交換をします", QStyle::SP_BrowserStop, &TMain::SwitchCsolorClick);
    ToolButton11 = addToolButton(this, bar, "ToolButton11", "現在の画像にPCNN処理をします", QStyle::SP_MediaPlay, &TMain::PCNNP1Click);
}

}  // namespace veltrane
