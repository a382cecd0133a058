#include "app/ui/thumbnail_window.h"

#include <QButtonGroup>
#include <QMenuBar>

#include "uisupport/ui/window_frame.h"

namespace veltrane {

TThumbnail* Thumbnail = nullptr;

namespace {
constexpr int kOuterWidth = 870;
constexpr int kOuterHeight = 488;

QMenu* emptyMenu(QMenuBar* bar, const char* name, const QString& caption) {
    QMenu* menu = bar->addMenu(caption);
    menu->setObjectName(name);
    return menu;
}

QRadioButton* pageButton(QToolBar* bar, QButtonGroup* group, const char* name, const QString& caption) {
    auto* button = new QRadioButton(caption);
    button->setObjectName(name);
    group->addButton(button);
    bar->addWidget(button);
    return button;
}
}  // namespace

TThumbnail::TThumbnail(QWidget* parent) : QMainWindow(parent) {
    setObjectName("Thumbnail");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle("ビューワーモード");
    Thumbnail = this;

    FileMenu = emptyMenu(menuBar(), "FileMenu", "File(&O)");
    ViewMenu = emptyMenu(menuBar(), "ViewMenu", "View(&V)");
    OptionMenu = emptyMenu(menuBar(), "OptionMenu", "Option(&O)");

    ToolBar1 = addToolBar(QString());
    ToolBar1->setObjectName("ToolBar1");
    ToolBar1->setMovable(false);
    auto* pages = new QButtonGroup(this);
    pages->setExclusive(true);
    OnePage = pageButton(ToolBar1, pages, "OnePage", "1ページ");
    TwoPages = pageButton(ToolBar1, pages, "TwoPages", "2ページ");

    Image1 = new QLabel;
    Image1->setObjectName("Image1");
    Image1->setAlignment(Qt::AlignCenter);
    setCentralWidget(Image1);

    StatusBar1 = new QStatusBar;
    StatusBar1->setObjectName("StatusBar1");
    setStatusBar(StatusBar1);

    resize(kOuterWidth, kOuterHeight);
}

TThumbnail::~TThumbnail() {
    if (Thumbnail == this) Thumbnail = nullptr;
}

void TThumbnail::showAtStartSize() {
    show();
    // The frame is known once the window is on screen; the outer size includes it.
    resize(clientSizeFor(*this, {kOuterWidth, kOuterHeight}));
}

}  // namespace veltrane
