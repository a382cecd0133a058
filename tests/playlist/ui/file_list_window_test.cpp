// The play-list window on its own: scan, view, delete, list files, order and repeat.
#include <gtest/gtest.h>

#include "widgets/ui/status_bar.h"
#include "player/ui/player_fixture.h"
#include "playlist/ui/play_list_icons.h"
#include "playlist/ui/report_list_view.h"

using namespace veltrane;
using namespace veltrane::test;

namespace {

class FileListTest : public PlayerFixture {
protected:
    void SetUp() override {
        PlayerFixture::SetUp();
        list = std::make_unique<TFileList>(generator);
    }
    void TearDown() override {
        list.reset();
        PlayerFixture::TearDown();
    }

    void touch(const QString& file, const QByteArray& bytes = "x") const {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray contents(const QString& file) const {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void answerOpen(const QString& file) const {
        ScriptedPlatform::DialogAnswer answer;
        answer.kind = ScriptedPlatform::DialogKind::Open;
        answer.file.path = file;
        recorder->queueDialogAnswer(answer);
    }
    void answerSave(const QString& file) const {
        ScriptedPlatform::DialogAnswer answer;
        answer.kind = ScriptedPlatform::DialogKind::Save;
        answer.file.path = file;
        recorder->queueDialogAnswer(answer);
    }
    // The folder of the description's example: three media files and a text file.
    QString exampleFolder() {
        const QString movies = folder("movies");
        for (const char* name : {"movie1.avi", "movie2.avi", "notes.txt", "song.mp3"}) touch(movies + name);
        return movies;
    }
    void setEntries(const QStringList& files) {
        const QString f = folder("entries");
        for (const QString& file : files) touch(f + file);
        list->ScanMediaFolder(f);
    }
    QStringList names() const {
        QStringList n;
        for (const QString& entry : list->entryList()) n << QFileInfo(entry).fileName();
        return n;
    }

    RandomGenerator generator;
    std::unique_ptr<TFileList> list;
};

}  // namespace

TEST_F(FileListTest, StartsWithItsCaptionStatusAndHints) {
    EXPECT_EQ(list->windowTitle(), "Play List");
    EXPECT_EQ(list->StatusBar1->panels(), QStringList{"再生中のファイル"});
    EXPECT_EQ(list->ListView1->headerItem()->text(0), "Title");
    EXPECT_EQ(list->ToolButton10->toolTip(), "リストもしくはファイルを読み込みます。");
    EXPECT_EQ(list->ToolButton11->toolTip(), "現在のリストを保存します");
    EXPECT_EQ(list->ToolButton9->toolTip(), "選択しているファイルをリストから消去します");
    EXPECT_EQ(list->ToolButton5->toolTip(), "プレイリストのソートをします");
    EXPECT_EQ(list->ToolButton4->toolTip(), "リピート設定をします");
    EXPECT_EQ(list->N1file1->toolTip(), "1つのファイルのみをリピート再生します。");
    EXPECT_EQ(list->PlayFile->text(), "このファイルを再生");
    EXPECT_EQ(list->delete1->text(), "リストから消去");
    EXPECT_EQ(list->ToolButton5->imageIndex(), 14);
    EXPECT_EQ(list->ToolButton4->imageIndex(), 6);
}

TEST_F(FileListTest, AFolderScanListsItsMediaAndMarksThePlayingEntry) {
    const QString movies = exampleFolder();
    list->SetMediaPath(movies + "movie2.avi");
    list->ScanMediaFolder(movies);
    EXPECT_EQ(list->entryList(), (QStringList{movies + "movie1.avi", movies + "movie2.avi", movies + "song.mp3"}));
    EXPECT_EQ(list->ListView1->captions(), (QStringList{"movie1.avi", "movie2.avi", "song.mp3"}));
    EXPECT_EQ(list->listIndex(), 1);
    EXPECT_EQ(list->ListView1->markedRow(), 1);
    // The playing mark is state image 1 of ImageList1, the others show image 0; the user cannot
    // tick or untick it.
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(list->ListView1->stateImage(row), row == 1 ? 1 : 0) << row;
        const QTreeWidgetItem* item = list->ListView1->topLevelItem(row);
        EXPECT_FALSE(item->flags() & Qt::ItemIsUserCheckable) << row;
        EXPECT_FALSE(item->data(0, Qt::CheckStateRole).isValid()) << row << ": no check box";
    }
    // The mark is painted at the left of its row: the green of the play triangle at (7, 8).
    list->show();
    const QImage shown = list->ListView1->viewport()->grab().toImage();
    const auto markPixel = [&](int row) {
        const QRect r = list->ListView1->visualItemRect(list->ListView1->topLevelItem(row));
        return shown.pixelColor(r.left() + 7, r.top() + (r.height() - 16) / 2 + 8);
    };
    EXPECT_EQ(markPixel(1), QColor(0, 150, 0));
    EXPECT_NE(markPixel(0), QColor(0, 150, 0));
    EXPECT_EQ(list->StatusBar1->panels(), QStringList{"再生中のファイル : 2/3"});
    // Blue icons: video 4, sound 5.
    const auto iconOf = [&](int row) { return list->ListView1->topLevelItem(row)->icon(0).pixmap(16).toImage(); };
    EXPECT_EQ(iconOf(0), entryIcon(4).pixmap(16).toImage());
    EXPECT_EQ(iconOf(2), entryIcon(5).pixmap(16).toImage());

    list->SetIconColour(7);  // no such colour: no icons
    list->RefreshList();
    EXPECT_TRUE(list->ListView1->topLevelItem(0)->icon(0).isNull());
}

TEST_F(FileListTest, DeletingRemovesTheSelectedEntryButNeverThePlayingOne) {
    const QString movies = exampleFolder();
    list->SetMediaPath(movies + "movie2.avi");
    list->ScanMediaFolder(movies);
    list->ListView1->setCurrentRow(1);
    list->ToolButton9->click();
    EXPECT_EQ(list->count(), 3);
    list->ListView1->setCurrentRow(0);
    list->delete1->trigger();
    EXPECT_EQ(list->entryList(), (QStringList{movies + "movie2.avi", movies + "song.mp3"}));
    EXPECT_EQ(list->listIndex(), 0);
    EXPECT_EQ(list->StatusBar1->panels(), QStringList{"再生中のファイル : 1/2"});
    list->ToolButton9->click();  // nothing selected after the refresh
    EXPECT_EQ(list->count(), 2);
}

TEST_F(FileListTest, APressOnTheListEnablesTheEntryCommandsOnlyWithASelection) {
    const QString movies = exampleFolder();
    list->ScanMediaFolder(movies);
    list->ListView1->setCurrentRow(2);
    list->ListView1MouseDown();
    EXPECT_EQ(list->toolTip(), "song.mp3");
    EXPECT_TRUE(list->PlayFile->isEnabled());
    list->ListView1->setCurrentRow(-1);
    list->ListView1MouseDown();
    EXPECT_FALSE(list->PlayFile->isEnabled());
    EXPECT_FALSE(list->delete1->isEnabled());
}

TEST_F(FileListTest, ADoubleClickAsksToPlayTheSelectedRow) {
    list->ScanMediaFolder(exampleFolder());
    QList<int> requested;
    QObject::connect(list.get(), &TFileList::playRequested, [&](int row) { requested << row; });
    list->ListView1DblClick();
    EXPECT_TRUE(requested.isEmpty()) << "no row selected";
    list->ListView1->setCurrentRow(2);
    list->PlayFile->trigger();
    EXPECT_EQ(requested, QList<int>{2});
}

TEST_F(FileListTest, SavingWritesOneLinePerEntryAndAsksBeforeReplacing) {
    const QString movies = exampleFolder();
    list->ScanMediaFolder(movies);
    const QByteArray expected = (movies + "movie1.avi\r\n" + movies + "movie2.avi\r\n" + movies + "song.mp3\r\n").toUtf8();

    answerSave(path("mylist"));
    list->ToolButton11->click();
    EXPECT_EQ(contents(path("mylist.lst")), expected) << "\".lst\" is added to a name without extension";
    answerSave(path("mylist.txt"));
    list->ToolButton11->click();
    EXPECT_EQ(contents(path("mylist.txt")), expected);
    EXPECT_TRUE(recorder->messages.isEmpty());

    // An existing file: No keeps it, Yes replaces it.
    list->ListView1->setCurrentRow(0);
    list->ToolButton9->click();
    answerSave(path("mylist"));
    recorder->queueButton(MessageResult::No);
    list->ToolButton11->click();
    ASSERT_EQ(recorder->messages.size(), 1);
    EXPECT_EQ(recorder->messages[0].caption, "確認");
    EXPECT_EQ(contents(path("mylist.lst")), expected);
    answerSave(path("mylist"));
    recorder->queueButton(MessageResult::Yes);
    list->ToolButton11->click();
    EXPECT_EQ(contents(path("mylist.lst")), (movies + "movie2.avi\r\n" + movies + "song.mp3\r\n").toUtf8());
}

TEST_F(FileListTest, AFailedSaveIsReportedAndLeavesNoFile) {
    setEntries({"a.avi"});
    answerSave(path("missing/folder/list"));
    list->ToolButton11->click();
    ASSERT_EQ(recorder->messages.size(), 1);
    EXPECT_TRUE(recorder->messages[0].text.startsWith("リストを保存できませんでした"));
    EXPECT_FALSE(QFile::exists(path("missing/folder/list.lst")));
}

TEST_F(FileListTest, LoadingReplacesWithAListFileOrAppendsAMediaFile) {
    const QString movies = exampleFolder();
    list->ScanMediaFolder(movies);
    const QStringList saved = list->entryList();
    answerSave(path("round"));
    list->ToolButton11->click();

    setEntries({"x.avi"});
    answerOpen(path("round.lst"));
    list->ToolButton10->click();
    EXPECT_EQ(list->entryList(), saved) << "a saved list loads back unchanged";

    // A media file chosen in the load dialog is added, not read as a list.
    answerOpen(movies + "movie1.avi");
    list->ToolButton10->click();
    EXPECT_EQ(list->entryList(), saved + QStringList{movies + "movie1.avi"});

    // Lines of other spellings are skipped; a file that cannot be read changes nothing.
    touch(path("mixed.lst"), "/m/A.AVI\r\n/m/b.Avi\n\n/m/c.mp3 \r/m/d.wma");
    answerOpen(path("mixed.lst"));
    list->ToolButton10->click();
    EXPECT_EQ(list->entryList(), (QStringList{"/m/A.AVI", "/m/d.wma"}));
    answerOpen(path("no-such.lst"));
    list->ToolButton10->click();
    EXPECT_EQ(list->entryList(), (QStringList{"/m/A.AVI", "/m/d.wma"}));
    ASSERT_EQ(recorder->messages.size(), 1);
    EXPECT_TRUE(recorder->messages[0].text.startsWith("リストを読み込めませんでした"));
}

TEST_F(FileListTest, OrdersSortByteWiseAndRandomDrawsFromTheProgramsGenerator) {
    setEntries({"b.avi", "A.avi", "a.avi"});
    list->rev_name->trigger();
    EXPECT_EQ(names(), (QStringList{"b.avi", "a.avi", "A.avi"}));
    EXPECT_TRUE(list->rev_name->isChecked());
    EXPECT_FALSE(list->name->isChecked());
    EXPECT_EQ(list->ToolButton5->imageIndex(), 13);
    list->name->trigger();
    EXPECT_EQ(names(), (QStringList{"A.avi", "a.avi", "b.avi"}));

    // From state 1 the generator gives 346 and 130: exchange entries 1 and 346 mod 2 = 0, then
    // entries 2 and 130 mod 3 = 1.
    ASSERT_EQ(generator.state(), 1u);
    list->random->trigger();
    EXPECT_EQ(names(), (QStringList{"a.avi", "b.avi", "A.avi"}));
    EXPECT_EQ(list->ToolButton5->imageIndex(), 12);
    EXPECT_EQ(generator.next(), 10982) << "exactly two numbers were drawn";

    // The tool button steps the cycle: random → name.
    list->ToolButton5->click();
    EXPECT_EQ(list->playOrder(), PlayOrder::Name);
    EXPECT_EQ(names(), (QStringList{"A.avi", "a.avi", "b.avi"}));
}

TEST_F(FileListTest, TheRepeatButtonCyclesAndTheMenuSetsTheMode) {
    int changes = 0;
    QObject::connect(list.get(), &TFileList::repeatModeChanged, [&] { ++changes; });
    const struct {
        RepeatMode mode;
        int image;
        QAction* checked;
    } cycle[] = {{RepeatMode::OneFile, 7, list->N1file1}, {RepeatMode::AllFiles, 8, list->Allfiles1},
                 {RepeatMode::None, 6, list->nothing1}};
    for (const auto& step : cycle) {
        list->ToolButton4->click();
        EXPECT_EQ(list->repeatMode(), step.mode);
        EXPECT_EQ(list->ToolButton4->imageIndex(), step.image);
        for (QAction* item : {list->nothing1, list->N1file1, list->Allfiles1})
            EXPECT_EQ(item->isChecked(), item == step.checked) << item->objectName().toStdString();
    }
    list->Allfiles1->trigger();
    EXPECT_EQ(list->repeatMode(), RepeatMode::AllFiles);
    EXPECT_EQ(changes, 4);
}

TEST_F(FileListTest, DroppedFilesGoToTheController) {
    QList<QStringList> drops;
    QObject::connect(list.get(), &TFileList::filesDropped, [&](const QStringList& paths) { drops << paths; });
    list->FilesDropped({"/a.avi", "/b.avi"});
    EXPECT_EQ(drops, QList<QStringList>{(QStringList{"/a.avi", "/b.avi"})});
}
