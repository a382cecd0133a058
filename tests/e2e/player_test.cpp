// The media player through the real program: opened from the main window, played, sought,
// captured, and its play list, on media generated for each test.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "common/ini_file.h"
#include "player/ui/media_fixtures.h"
#include "support/script_run.h"

using namespace veltrane::test;

namespace {

constexpr qint64 kSecond = 10'000'000;

class PlayerScriptTest : public ::testing::Test {
protected:
    void SetUp() override {
        qputenv("VELTRANE_AUDIO_SINK", "fakesink");
        session.writeQuietSettings();
    }

    ScriptResult run(const QString& script) {
        ScriptResult r = session.run(script);
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return r;
    }

    // The script that opens a file from the main window, as a user does; the player opens it in
    // the background.
    static QString startOpen(const QString& file) { return "answer open " + quoted(file) + "\nMain.OPEN1Click()\n"; }
    // The same, waiting until the player has the file open.
    static QString open(const QString& file) { return startOpen(file) + "wait until MovieController.mediaOpen = true\n"; }

    // The values printed for "print KEY", in order.
    static QStringList values(const ScriptResult& r, const QString& key) {
        QStringList found;
        for (const QString& line : r.outLines())
            if (line.startsWith(key + " = ")) found << line.mid(key.size() + 3);
        return found;
    }
    static QString value(const ScriptResult& r, const QString& key) { return values(r, key).value(0, "<not printed>"); }

    QString folder(const QString& name) const {
        QDir(session.dir()).mkpath(name);
        return session.path(name) + "/";
    }

    veltrane::IniFile settings() const {
        QFile file(session.settingsPath());
        if (!file.open(QIODevice::ReadOnly)) return veltrane::IniFile::parse("");
        return veltrane::IniFile::parse(file.readAll().toStdString());
    }

    ScriptSession session;
};

}  // namespace

TEST_F(PlayerScriptTest, AnAviOpenedFromTheMainWindowPlaysWithItsTimesAndStatus) {
    const QString clips = folder("clips");
    writeAvi(clips + "clip.avi", 150);
    // The file plays from the moment it is open: its time moves on to the first second.
    const ScriptResult r = run(open(clips + "clip.avi") +
                               "print Main.visible\nprint MovieController.windowTitle\n"
                               "print MovieController.StatusBar1.panels\nprint Display.visible\nprint Display.windowTitle\n"
                               "print FileList.StatusBar1.panels\n"
                               "wait until MovieController.Label2.text = \"0:00:01/0:00:05\"\nprint MovieController.running\n");
    EXPECT_EQ(r.outLines(),
              (QStringList{"Main.visible = false", "MovieController.windowTitle = clip.avi",
                           "MovieController.StatusBar1.panels = 64×48 | total:150ﾌﾚｰﾑ", "Display.visible = true",
                           "Display.windowTitle = clip.avi", "FileList.StatusBar1.panels = 再生中のファイル : 1/1",
                           "MovieController.running = true"}));
}

TEST_F(PlayerScriptTest, AClickOnTheSeekBarSeeksThereAndPaintsThePlayedPart) {
    writeAvi(session.path("four.avi"), 120);
    // Column 89 of 142 is 2.507 s of 4 s.
    const ScriptResult r = run(open(session.path("four.avi")) +
                               "MovieController.SpeedButtonPause.click()\nMovieController.Image1MouseDown(89, 6)\n"
                               "print MovieController.Label2.text\nsave MovieController.Image1 " + quoted(session.path("bar.bmp")) + "\n");
    EXPECT_EQ(value(r, "MovieController.Label2.text"), "0:00:02/0:00:04");
    const veltrane::Bitmap24 bar = readPicture(session.path("bar.bmp"));
    ASSERT_EQ(bar.width(), 142);
    ASSERT_EQ(bar.height(), 13);
    EXPECT_EQ(pixelAt(bar, 88, 6), 0x7979F3u) << "played";
    EXPECT_EQ(pixelAt(bar, 91, 6), 0x808080u) << "not yet played";
    EXPECT_EQ(pixelAt(bar, 9, 6), 0u) << "grid";
    EXPECT_EQ(pixelAt(bar, 0, 6), 0u) << "frame";
}

TEST_F(PlayerScriptTest, ACaptureGoesToTheMainWindowAndCanBeSaved) {
    writeAvi(session.path("bars.avi"), 30, 64, 48, "smpte");
    const ScriptResult r = run(open(session.path("bars.avi")) +
                               "MovieController.SpeedButton1.click()\nprint Main.visible\nprint Main.windowTitle\n"
                               "answer save " + quoted(session.path("frame")) + " 1\nMain.saveas1Click()\n");
    EXPECT_EQ(r.outLines(), (QStringList{"Main.visible = true", "Main.windowTitle = Captured Image(64×48)"}));
    const veltrane::Bitmap24 frame = readPicture(session.path("frame.bmp"));
    ASSERT_EQ(frame.width(), 64);
    ASSERT_EQ(frame.height(), 48);
    // Colour bars, upright and not mirrored: white top left, blue top right.
    const unsigned white = pixelAt(frame, 2, 2), blue = pixelAt(frame, 61, 2);
    EXPECT_GE(std::min({white >> 16, (white >> 8) & 0xFF, white & 0xFF}), 200u);
    EXPECT_GE(blue & 0xFF, 200u);
    EXPECT_LE(std::max(blue >> 16, (blue >> 8) & 0xFF), 60u);
    EXPECT_EQ(settings().readInteger("MOVIE_POS", "Left", -1), -1) << "a hand-over writes no player settings";
}

TEST_F(PlayerScriptTest, ASoundFileOffersNoCapture) {
    writeWav(session.path("song.wav"), 100);
    const ScriptResult r = run(open(session.path("song.wav")) +
                               "print MovieController.SpeedButton1.enabled\nprint MovieController.CaptureC1.enabled\n"
                               "print MovieController.UpDown1.enabled\nprint Display.visible\n"
                               "print MovieController.totalText\nMovieController.SpeedButton1.click()\n"
                               "print Main.windowTitle\n");
    EXPECT_EQ(r.outLines(), (QStringList{"MovieController.SpeedButton1.enabled = false",
                                         "MovieController.CaptureC1.enabled = false", "MovieController.UpDown1.enabled = true",
                                         "Display.visible = false", "MovieController.totalText = 0:00:02",
                                         "Main.windowTitle = Veltrane"}));
}

TEST_F(PlayerScriptTest, TheEndOfAFileFollowsTheRepeatMode) {
    // b.avi, the last entry, lasts 1 s; a.avi lasts 3 s.
    const QString clips = folder("clips");
    writeAvi(clips + "a.avi", 90);
    writeAvi(clips + "b.avi", 30);
    // The time shows the total once the end is reached; what comes after it tells the modes apart.
    const QString atEnd = "wait until MovieController.Label2.text = \"0:00:01/0:00:01\"\n";
    const struct {
        const char* item;
        QString untilDone;  // the lines that wait until the mode has done its part
        const char* running;
        QString playing;
    } cases[] = {
        {"nothing1", atEnd, "false", clips + "b.avi"},
        // Played again from the start: the time goes back to 0.
        {"N11", atEnd + "wait until MovieController.Label2.text = \"0:00:00/0:00:01\"\n", "true", clips + "b.avi"},
        // The next entry, the first of the list, is open and playing.
        {"allfiles1",
         "wait until MovieController.mediaPath = " + quoted(clips + "a.avi") + "\nwait until MovieController.mediaOpen = true\n",
         "true", clips + "a.avi"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.item);
        const ScriptResult r =
            run(open(clips + "b.avi") + "MovieController." + c.item + ".trigger()\n" + c.untilDone +
                "print MovieController.running\nprint MovieController.mediaPath\nprint MovieController.position\n"
                "print MovieController.duration\nprint MovieController.Label2.text\nprint FileList.listIndex\n");
        EXPECT_EQ(value(r, "MovieController.running"), c.running);
        EXPECT_EQ(value(r, "MovieController.mediaPath"), c.playing);
        const qint64 position = value(r, "MovieController.position").toLongLong();
        const qint64 duration = value(r, "MovieController.duration").toLongLong();
        if (QString(c.item) == "nothing1") {
            EXPECT_EQ(position, duration) << "paused at the end";
            EXPECT_EQ(value(r, "MovieController.Label2.text"), "0:00:01/0:00:01");
        } else {
            EXPECT_LT(position, duration) << "playing again";
        }
        EXPECT_EQ(value(r, "FileList.listIndex"), QString(c.playing.endsWith("a.avi") ? "0" : "1"));
    }
}

TEST_F(PlayerScriptTest, ABRepeatWithBBeforeALoopsFromTheEarlierToTheLaterPoint) {
    writeAvi(session.path("four.avi"), 120);
    const ScriptResult r = run(open(session.path("four.avi")) +
                               "MovieController.SpeedButtonPause.click()\nMovieController.Image1MouseDown(106, 6)\n"
                               "MovieController.SpeedButton2.click()\nprint MovieController.SpeedButton2.text\n"
                               "MovieController.Image1MouseDown(35, 6)\nMovieController.SpeedButton2.click()\n"
                               "print MovieController.SpeedButton2.text\nprint MovieController.SpeedButton2.toolTip\n"
                               "print MovieController.pointA\nprint MovieController.pointB\nprint MovieController.markA\n"
                               "print MovieController.markB\nsave MovieController.Image1 " + quoted(session.path("ab.bmp")) +
                               "\nwait until MovieController.Label2.text = \"0:00:02/0:00:04\"\n"
                               "wait until MovieController.Label2.text = \"0:00:01/0:00:04\"\nprint MovieController.position\n");
    EXPECT_EQ(values(r, "MovieController.SpeedButton2.text"), (QStringList{"→B", "AB"}));
    EXPECT_EQ(value(r, "MovieController.SpeedButton2.toolTip"), "AB再生中(辞めるにはこのボタンを押して下さい。)");
    const qint64 pointA = value(r, "MovieController.pointA").toLongLong();
    const qint64 pointB = value(r, "MovieController.pointB").toLongLong();
    EXPECT_NEAR(pointA, 9'859'154, kSecond / 20) << "column 35 of 142";
    EXPECT_NEAR(pointB, 29'859'154, kSecond / 20) << "column 106 of 142";
    EXPECT_LT(value(r, "MovieController.markA").toInt(), value(r, "MovieController.markB").toInt());
    // Right of the playing position (A), the range is tinted: the grey rest 128 reads 100.
    const veltrane::Bitmap24 bar = readPicture(session.path("ab.bmp"));
    EXPECT_EQ(pixelAt(bar, 50, 6), 0x646464u);
    EXPECT_EQ(pixelAt(bar, 110, 6), 0x808080u);
    // Played from A on past the second 2, the time comes back to the second 1: the player has
    // passed B and gone back to A. Without the loop it would play on to the end and stay there.
    const qint64 position = value(r, "MovieController.position").toLongLong();
    EXPECT_GE(position, pointA);
    EXPECT_LT(position, pointB);
}

TEST_F(PlayerScriptTest, TheVolumeSliderSetsTheEngineVolume) {
    writeAvi(session.path("a.avi"), 60);
    const struct {
        int position;
        const char* volume;
    } cases[] = {{0, "-10000"}, {30, "-4522"}, {50, "-2928"}, {100, "0"}};
    QString script = open(session.path("a.avi"));
    QStringList expected;
    for (const auto& c : cases) {
        script += QString("MovieController.TrackBar1.value = %1\nprint MovieController.volume\n").arg(c.position);
        expected << c.volume;
    }
    EXPECT_EQ(values(run(script), "MovieController.volume"), expected);
}

TEST_F(PlayerScriptTest, SpeedClicksShowTheRateAndRunAStoppedPlayer) {
    writeAvi(session.path("a.avi"), 60);
    QString script = open(session.path("a.avi")) +
                     "MovieController.SpeedButtonPause.click()\nprint MovieController.Timer1.active\n"
                     "MovieController.UpDown1.stepUp()\nprint MovieController.Edit4.text\nprint MovieController.Timer1.active\n"
                     "print MovieController.running\nMovieController.UpDown1.stepUp()\nprint MovieController.Edit4.text\n"
                     "MovieController.UpDown1.stepDown()\nMovieController.UpDown1.stepDown()\n";
    for (int i = 0; i < 7; ++i) script += "MovieController.UpDown1.stepDown()\nprint MovieController.Edit4.text\n";
    script += "MovieController.N18.trigger()\nprint MovieController.Edit4.text\nprint MovieController.UpDown1.value\n";
    const ScriptResult r = run(script);
    EXPECT_EQ(values(r, "MovieController.Timer1.active"), (QStringList{"false", "true"}));
    EXPECT_EQ(value(r, "MovieController.running"), "true");
    EXPECT_EQ(values(r, "MovieController.Edit4.text"),
              (QStringList{"1.1", "1.2", "0.9", "0.8", "0.7", "0.6", "0.5", "0.4", "0.3", "1"}));
    EXPECT_EQ(value(r, "MovieController.UpDown1.value"), "10");
}

TEST_F(PlayerScriptTest, ThePlayListScansTheFolderAndKeepsItsThreeOrdersInStep) {
    const QString clips = folder("clips");
    writeAvi(clips + "A.avi", 30);
    ASSERT_TRUE(QFile::copy(clips + "A.avi", clips + "a.avi"));
    ASSERT_TRUE(QFile::copy(clips + "A.avi", clips + "b.avi"));
    QFile(clips + "notes.txt").open(QIODevice::WriteOnly);
    const QString captions = "print FileList.ListView1.captions\n";
    const ScriptResult r = run(open(clips + "b.avi") + "print FileList.StatusBar1.panels\n" + captions +
                               "FileList.rev_name.trigger()\n" + captions +
                               "print FileList.StatusBar1.panels\nprint MovieController.antiname.checked\n"
                               "print FileList.ToolButton5.imageIndex\nMovieController.random.trigger()\n" + captions +
                               "print FileList.random.checked\nprint MovieController.random.checked\n"
                               "print FileList.ToolButton5.imageIndex\nFileList.ToolButton5.click()\n" + captions +
                               "print MovieController.name.checked\n");
    EXPECT_EQ(values(r, "FileList.StatusBar1.panels"),
              (QStringList{"再生中のファイル : 3/3", "再生中のファイル : 1/3"}));
    // Random, from the generator's first two numbers 346 and 130: [b a A] → [a b A] → [a A b].
    EXPECT_EQ(values(r, "FileList.ListView1.captions"),
              (QStringList{"A.avi | a.avi | b.avi", "b.avi | a.avi | A.avi", "a.avi | A.avi | b.avi", "A.avi | a.avi | b.avi"}));
    EXPECT_EQ(value(r, "MovieController.antiname.checked"), "true");
    EXPECT_EQ(values(r, "FileList.ToolButton5.imageIndex"), (QStringList{"13", "12"}));
    EXPECT_EQ(value(r, "FileList.random.checked"), "true");
    EXPECT_EQ(value(r, "MovieController.random.checked"), "true");
    EXPECT_EQ(value(r, "MovieController.name.checked"), "true");
}

TEST_F(PlayerScriptTest, AListFileSavedAndLoadedGivesTheSameEntries) {
    const QString clips = folder("clips");
    writeAvi(clips + "a.avi", 30);
    ASSERT_TRUE(QFile::copy(clips + "a.avi", clips + "b.avi"));
    QFile song(clips + "c.mp3");
    ASSERT_TRUE(song.open(QIODevice::WriteOnly));
    song.close();
    const QString list = session.path("mylist");
    const ScriptResult r = run(open(clips + "a.avi") + "answer save " + quoted(list) + " 1\nFileList.ToolButton11Click()\n" +
                               "FileList.ListView1.currentRow = 2\nFileList.ToolButton9Click()\nprint FileList.entries\n" +
                               "answer save " + quoted(list) + " 1\nanswer button No\nFileList.ToolButton11Click()\n" +
                               "answer open " + quoted(list + ".lst") + "\nFileList.ToolButton10Click()\nprint FileList.entries\n");
    const QString all = clips + "a.avi | " + clips + "b.avi | " + clips + "c.mp3";
    EXPECT_EQ(r.outLines(), (QStringList{"FileList.entries = " + clips + "a.avi | " + clips + "b.avi",
                                         "message: 確認: 同じ名前のファイルがあります。上書きしますか？",
                                         "FileList.entries = " + all}));
    QFile saved(list + ".lst");
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), (clips + "a.avi\r\n" + clips + "b.avi\r\n" + clips + "c.mp3\r\n").toUtf8());
}

TEST_F(PlayerScriptTest, DropsAreRefusedWithTheirMessagesOrOpenTheFile) {
    const QString clips = folder("clips");
    writeAvi(clips + "a.avi", 30);
    ASSERT_TRUE(QFile::copy(clips + "a.avi", clips + "b.avi"));
    writeWav(clips + "c.wav", 10);
    const ScriptResult r = run(open(clips + "a.avi") + "drop MovieController " + quoted(clips + "a.avi") + " " + quoted(clips + "b.avi") +
                               "\ndrop FileList " + quoted(clips + "c.wav") + "\nprint MovieController.mediaPath\n" +
                               "drop FileList " + quoted(clips + "b.avi") + "\nprint MovieController.mediaPath\n" +
                               "wait until MovieController.windowTitle = \"b.avi\"\nprint Display.windowTitle\n");
    EXPECT_EQ(r.outLines(), (QStringList{"message: NULL: 複数のファイルを同時に開くことは出来ません",
                                         "message: : 開けない形式のファイルです", "MovieController.mediaPath = " + clips + "a.avi",
                                         "MovieController.mediaPath = " + clips + "b.avi", "Display.windowTitle = b.avi"}));
}

TEST_F(PlayerScriptTest, AFileThatCannotBePlayedIsToldAndTheNextOnePlays) {
    const QString clips = folder("clips");
    QFile noise(clips + "a noise.avi");
    ASSERT_TRUE(noise.open(QIODevice::WriteOnly));
    for (int i = 0; i < 4000; ++i) noise.putChar(static_cast<char>((i * 7919 + 13) % 251));
    noise.close();
    writeAvi(clips + "b.avi", 60);
    const ScriptResult r = run(startOpen(clips + "a noise.avi") + "wait until MovieController.mediaOpening = false\n" +
                               "print MovieController.mediaOpen\nprint MovieController.windowTitle\n"
                               "MovieController.NextFile.trigger()\nwait until MovieController.mediaOpen = true\n"
                               "print MovieController.mediaOpen\n"
                               "print MovieController.windowTitle\nprint MovieController.totalText\n");
    EXPECT_EQ(r.outLines(), (QStringList{"message: : このファイルは再生できません（a noise.avi）",
                                         "MovieController.mediaOpen = false", "MovieController.windowTitle = Controller",
                                         "MovieController.mediaOpen = true", "MovieController.windowTitle = b.avi",
                                         "MovieController.totalText = 0:00:02"}));
}

TEST_F(PlayerScriptTest, ClosingThePlayerWritesItsSettingsForTheNextRun) {
    writeAvi(session.path("a.avi"), 30);
    const ScriptResult first = run(open(session.path("a.avi")) +
                                   "MovieController.TrackBar1.value = 70\nMovieController.N11.trigger()\n"
                                   "MovieController.E1.trigger()\nprint Main.visible\n");
    EXPECT_EQ(first.outLines(), QStringList{"Main.visible = true"});
    const veltrane::IniFile ini = settings();
    EXPECT_EQ(ini.readInteger("SOUND", "position", -1), 70);
    EXPECT_EQ(ini.readInteger("REPEAT", "MODE", -1), 1);

    const ScriptResult second = run(open(session.path("a.avi")) +
                                    "print MovieController.TrackBar1.value\nprint FileList.N1file1.checked\n"
                                    "print FileList.ToolButton4.imageIndex\nprint MovieController.volume\n");
    EXPECT_EQ(second.outLines(), (QStringList{"MovieController.TrackBar1.value = 70", "FileList.N1file1.checked = true",
                                              "FileList.ToolButton4.imageIndex = 7", "MovieController.volume = -1633"}));
}
