#pragma once
// The play-list window "Play List": the ordered media files the player moves through, filled
// by a scan of the playing file's folder or from a list file, with the play order and the
// repeat mode. The player's controller creates it, tells it which file plays and plays the
// entries it asks for.
#include <QAction>
#include <QMenu>
#include <QStringList>
#include <QToolBar>
#include <QToolButton>
#include <QWidget>
#include <string>
#include <vector>

#include "common/random_generator.h"
#include "playlist/play_order.h"

namespace veltrane {

class PanelStatusBar;
class ReportListView;
class ImageToolButton;

class TFileList : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QStringList entries READ entryList)
    Q_PROPERTY(int count READ count)
    Q_PROPERTY(int listIndex READ listIndex)

public:
    // random: the program's generator, which the random order draws from.
    explicit TFileList(RandomGenerator& random, QWidget* parent = nullptr);
    ~TFileList() override;

    // ---- State the controller reads and sets ----
    const std::vector<std::string>& entries() const { return entries_; }
    QStringList entryList() const;
    int count() const { return static_cast<int>(entries_.size()); }
    // The playing entry, kept up to date by RefreshList.
    int listIndex() const { return listIndex_; }
    void setListIndex(int index) { listIndex_ = index; }
    // The path of the playing file, as the controller holds it.
    void SetMediaPath(const QString& path);
    // 0 red, 1 yellow, 2 blue, 3 green, 4 black; any other value draws no icon.
    void SetIconColour(int colour);
    void SetListColours(const QColor& text, const QColor& background);

    PlayOrder playOrder() const { return playOrder_; }
    RepeatMode repeatMode() const { return repeatMode_; }
    // Sets the order, shows it in every place and reorders the entries.
    void SetPlayOrder(PlayOrder order);
    // Sets the repeat mode and shows it in every place.
    void SetRepeatMode(RepeatMode mode);

    // Replaces the entries with the media files of the folder (ending in "/").
    void ScanMediaFolder(const QString& folder);
    // Rebuilds the view from the entries: captions, icons, the playing mark, listIndex and
    // the status text.
    void RefreshList();

    // Controls.
    ReportListView* ListView1;
    PanelStatusBar* StatusBar1;
    QToolBar* ToolBar1;
    QToolButton *ToolButton10, *ToolButton11, *ToolButton9;
    ImageToolButton *ToolButton5, *ToolButton4;
    QMenu *PopupMenuFileList, *PopupMenuSort, *PopupMenuRepeat;
    QAction *PlayFile, *delete1, *name, *rev_name, *random, *nothing1, *N1file1, *Allfiles1;

signals:
    // The user asked to play entry `row` (a double-click or "このファイルを再生").
    void playRequested(int row);
    // Files dropped on this window; the controller handles them.
    void filesDropped(const QStringList& paths);
    void playOrderChanged(veltrane::PlayOrder order);
    void repeatModeChanged(veltrane::RepeatMode mode);

public slots:
    void ListView1DblClick();
    void ListView1MouseDown();
    void PlayFileClick();
    void delete1Click();
    void ToolButton9Click();
    void ToolButton10Click();
    void ToolButton11Click();
    void ToolButton5Click();
    void ToolButton4Click();
    void nameClick();
    void rev_nameClick();
    void randomClick();
    void nothing1Click();
    void N1file1Click();
    void Allfiles1Click();
    void FilesDropped(const QStringList& paths);

protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildMenus();
    void buildToolBar();
    void ShowPlayOrder();
    void ShowRepeatMode();
    void LoadListFile(const QString& path);
    void AppendFile(const QString& path);
    bool WriteListFile(const QString& path);

    RandomGenerator& random_;
    std::vector<std::string> entries_;
    std::string mediaPath_;
    int listIndex_ = 0;
    int iconColour_ = 2;
    PlayOrder playOrder_ = PlayOrder::Name;
    RepeatMode repeatMode_ = RepeatMode::None;
};

// The play-list window while the player runs; null otherwise.
extern TFileList* FileList;

}  // namespace veltrane
