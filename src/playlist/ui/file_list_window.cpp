// The play-list window: its controls, the view of the entries, the folder scan, the play
// order and the repeat mode.
#include "playlist/ui/file_list_window.h"

#include <QFile>
#include <QHeaderView>
#include <QLayout>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

#include "playlist/play_list.h"
#include "playlist/ui/play_list_icons.h"
#include "playlist/ui/report_list_view.h"
#include "uisupport/ui/file_drop.h"
#include "uisupport/ui/guarded_connect.h"
#include "uisupport/ui/qt_text.h"
#include "widgets/ui/status_bar.h"

namespace veltrane {

TFileList* FileList = nullptr;

namespace {

constexpr int kWidth = 176;
constexpr int kHeight = 197;
constexpr int kTitleColumnWidth = 300;
constexpr int kStatusPanelWidth = 100;

int orderImage(PlayOrder order) {
    switch (order) {
    case PlayOrder::Name: return 14;
    case PlayOrder::ReverseName: return 13;
    case PlayOrder::Random: return 12;
    }
    return 14;
}

int repeatImage(RepeatMode mode) {
    switch (mode) {
    case RepeatMode::None: return 6;
    case RepeatMode::OneFile: return 7;
    case RepeatMode::AllFiles: return 8;
    }
    return 6;
}

}  // namespace

TFileList::TFileList(RandomGenerator& random, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                          Qt::WindowCloseButtonHint),
      random_(random) {
    setObjectName("FileList");
    setWindowTitle(fromStd(kPlayListCaption));

    ListView1 = new ReportListView(this);
    ListView1->setObjectName("ListView1");
    ListView1->setHeaderLabels({"Title"});
    ListView1->header()->resizeSection(0, kTitleColumnWidth);
    ListView1->setIconSize(QSize(16, 16));
    ListView1->setContextMenuPolicy(Qt::CustomContextMenu);

    buildMenus();
    buildToolBar();

    StatusBar1 = new PanelStatusBar({kStatusPanelWidth}, {fromStd(kPlayListInitialStatus)}, this);
    StatusBar1->setObjectName("StatusBar1");

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ListView1, 1);
    layout->addWidget(ToolBar1);
    layout->addWidget(StatusBar1);

    connectGuarded(ListView1, &QTreeWidget::itemDoubleClicked, this, &TFileList::ListView1DblClick);
    connectGuarded(ListView1, &ReportListView::mousePressed, this, &TFileList::ListView1MouseDown);
    connect(ListView1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenuFileList->popup(ListView1->viewport()->mapToGlobal(at)); });

    setAcceptDrops(true);
    resize(kWidth, kHeight);
    ShowPlayOrder();
    ShowRepeatMode();
    SetListColours(QColor(0, 0, 255), QColor(255, 255, 255));
}

TFileList::~TFileList() {
    if (FileList == this) FileList = nullptr;
}

void TFileList::buildMenus() {
    const auto item = [this](QMenu* menu, const char* objectName, const QString& caption, void (TFileList::*handler)()) {
        return newMenuItem(this, menu, objectName, caption, handler);
    };
    PopupMenuFileList = new QMenu(this);
    PopupMenuFileList->setObjectName("PopupMenuFileList");
    PlayFile = item(PopupMenuFileList, "PlayFile", "このファイルを再生", &TFileList::PlayFileClick);
    delete1 = item(PopupMenuFileList, "delete1", "リストから消去", &TFileList::delete1Click);

    PopupMenuSort = new QMenu(this);
    PopupMenuSort->setObjectName("PopupMenuSort");
    name = item(PopupMenuSort, "name", "名前順", &TFileList::nameClick);
    rev_name = item(PopupMenuSort, "rev_name", "逆名前順", &TFileList::rev_nameClick);
    random = item(PopupMenuSort, "random", "ランダム", &TFileList::randomClick);

    PopupMenuRepeat = new QMenu(this);
    PopupMenuRepeat->setObjectName("PopupMenuRepeat");
    nothing1 = item(PopupMenuRepeat, "nothing1", "Nothing", &TFileList::nothing1Click);
    nothing1->setToolTip("一回再生をしたら終了します。");
    N1file1 = item(PopupMenuRepeat, "N1file1", "1 file", &TFileList::N1file1Click);
    N1file1->setToolTip("1つのファイルのみをリピート再生します。");
    Allfiles1 = item(PopupMenuRepeat, "Allfiles1", "All files", &TFileList::Allfiles1Click);
    Allfiles1->setToolTip("全てのファイルを再生します。");
    PopupMenuRepeat->setToolTipsVisible(true);
    for (QAction* action : {name, rev_name, random, nothing1, N1file1, Allfiles1}) action->setCheckable(true);
}

void TFileList::buildToolBar() {
    ToolBar1 = new QToolBar(this);
    ToolBar1->setObjectName("ToolBar1");
    ToolBar1->setIconSize(QSize(16, 16));
    ToolBar1->setMovable(false);
    ToolBar1->setFloatable(false);
    ToolBar1->layout()->setSpacing(0);
    ToolBar1->setContentsMargins(0, 0, 0, 0);
    const auto button = [this](QToolButton* b, const char* objectName, const QString& hint, void (TFileList::*handler)()) {
        guardedButton(b, this, objectName, hint, handler);
        b->setAutoRaise(true);
        ToolBar1->addWidget(b);
        return b;
    };
    ToolButton10 = button(new QToolButton(ToolBar1), "ToolButton10", "リストもしくはファイルを読み込みます。",
                          &TFileList::ToolButton10Click);
    ToolButton10->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    ToolButton11 = button(new QToolButton(ToolBar1), "ToolButton11", "現在のリストを保存します", &TFileList::ToolButton11Click);
    ToolButton11->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    ToolButton9 = button(new QToolButton(ToolBar1), "ToolButton9", "選択しているファイルをリストから消去します",
                         &TFileList::ToolButton9Click);
    ToolButton9->setIcon(style()->standardIcon(QStyle::SP_TrashIcon));
    ToolButton5 = new ImageToolButton(ToolBar1);
    button(ToolButton5, "ToolButton5", "プレイリストのソートをします", &TFileList::ToolButton5Click);
    ToolButton5->setMenu(PopupMenuSort);
    ToolButton5->setPopupMode(QToolButton::MenuButtonPopup);
    ToolButton4 = new ImageToolButton(ToolBar1);
    button(ToolButton4, "ToolButton4", "リピート設定をします", &TFileList::ToolButton4Click);
    ToolButton4->setMenu(PopupMenuRepeat);
    ToolButton4->setPopupMode(QToolButton::MenuButtonPopup);
}

QStringList TFileList::entryList() const {
    QStringList list;
    for (const std::string& entry : entries_) list << QString::fromStdString(entry);
    return list;
}

void TFileList::SetMediaPath(const QString& path) { mediaPath_ = QFile::encodeName(path).toStdString(); }

void TFileList::SetIconColour(int colour) { iconColour_ = colour; }

void TFileList::SetListColours(const QColor& text, const QColor& background) {
    QPalette palette = ListView1->palette();
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::Base, background);
    palette.setColor(QPalette::AlternateBase, background);
    ListView1->setPalette(palette);
}

void TFileList::ScanMediaFolder(const QString& folder) {
    entries_ = scanMediaFolder(QFile::encodeName(folder).toStdString());
    RefreshList();
}

void TFileList::RefreshList() {
    const PlayListView view = refreshPlayList(entries_, mediaPath_, iconColour_, listIndex_);
    ListView1->clear();
    QList<QTreeWidgetItem*> items;
    for (const PlayListRow& row : view.rows) {
        auto* item = new QTreeWidgetItem(QStringList{QString::fromStdString(row.caption)});
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren);
        ReportListView::setStateImage(item, row.playing ? 1 : 0);
        if (row.icon >= 0) item->setIcon(0, entryIcon(row.icon));
        items << item;
    }
    ListView1->addTopLevelItems(items);
    listIndex_ = view.listIndex;
    StatusBar1->setPanelText(0, QString::fromStdString(view.statusText));
}

// ---- Playing and deleting entries ----

void TFileList::ListView1DblClick() {
    const int row = ListView1->currentRow();
    if (row < 0 || row >= count()) return;
    emit playRequested(row);
}

void TFileList::PlayFileClick() { ListView1DblClick(); }

void TFileList::ListView1MouseDown() {
    const int row = ListView1->currentRow();
    if (row >= 0) {
        setToolTip(ListView1->topLevelItem(row)->text(0));
        PlayFile->setEnabled(true);
        delete1->setEnabled(true);
    } else if (ListView1->topLevelItemCount() > 0) {
        PlayFile->setEnabled(false);
        delete1->setEnabled(false);
    }
}

void TFileList::ToolButton9Click() {
    const int row = ListView1->currentRow();
    if (row < 0) return;
    if (removePlayListEntry(entries_, row, mediaPath_)) RefreshList();
}

void TFileList::delete1Click() { ToolButton9Click(); }

// ---- Order and repeat: the window's menu, its tool buttons and the controller's menu ----

void TFileList::SetPlayOrder(PlayOrder order) {
    playOrder_ = order;
    ShowPlayOrder();
    applyPlayOrder(entries_, order, random_);
    RefreshList();
    emit playOrderChanged(order);
}

void TFileList::SetRepeatMode(RepeatMode mode) {
    repeatMode_ = mode;
    ShowRepeatMode();
    emit repeatModeChanged(mode);
}

void TFileList::ShowPlayOrder() {
    name->setChecked(playOrder_ == PlayOrder::Name);
    rev_name->setChecked(playOrder_ == PlayOrder::ReverseName);
    random->setChecked(playOrder_ == PlayOrder::Random);
    ToolButton5->setImageIndex(orderImage(playOrder_));
}

void TFileList::ShowRepeatMode() {
    nothing1->setChecked(repeatMode_ == RepeatMode::None);
    N1file1->setChecked(repeatMode_ == RepeatMode::OneFile);
    Allfiles1->setChecked(repeatMode_ == RepeatMode::AllFiles);
    ToolButton4->setImageIndex(repeatImage(repeatMode_));
}

void TFileList::nameClick() { SetPlayOrder(PlayOrder::Name); }
void TFileList::rev_nameClick() { SetPlayOrder(PlayOrder::ReverseName); }
void TFileList::randomClick() { SetPlayOrder(PlayOrder::Random); }
void TFileList::ToolButton5Click() { SetPlayOrder(nextPlayOrder(playOrder_)); }

void TFileList::nothing1Click() { SetRepeatMode(RepeatMode::None); }
void TFileList::N1file1Click() { SetRepeatMode(RepeatMode::OneFile); }
void TFileList::Allfiles1Click() { SetRepeatMode(RepeatMode::AllFiles); }
void TFileList::ToolButton4Click() { SetRepeatMode(nextRepeatMode(repeatMode_)); }

// ---- Dropped files go to the controller ----

void TFileList::FilesDropped(const QStringList& paths) { emit filesDropped(paths); }

void TFileList::dragEnterEvent(QDragEnterEvent* event) { acceptFileDrag(event); }

void TFileList::dropEvent(QDropEvent* event) {
    const QStringList paths = droppedLocalFiles(event);
    runGuarded([&] { FilesDropped(paths); });
}

}  // namespace veltrane
