// Opening, dropping, saving and closing pictures through the real program.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "player/ui/media_fixtures.h"
#include "support/script_run.h"
#include "support/test_paths.h"

using namespace veltrane::test;

namespace {

unsigned gradient(int x, int y) { return (unsigned(x * 40) << 16) | (unsigned(y * 30) << 8) | 7u; }

class DocumentTest : public ::testing::Test {
protected:
    void SetUp() override {
        session.writeQuietSettings();
        picture = session.path("pic.bmp");
        writeTestBmp(picture, 5, 3, gradient);
    }

    ScriptResult run(const QString& script) {
        ScriptResult r = session.run(script);
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return r;
    }

    ScriptSession session;
    QString picture;
};

}  // namespace

TEST_F(DocumentTest, OpenShowsCaptionCounterAndEnablesCommands) {
    const ScriptResult r = run("answer open " + quoted(picture) + "\nMain.OPEN1.trigger()\n"
                               "print Main.windowTitle\nprint Main.Edit1.text\nprint Main.saveas1.enabled\n"
                               "print Main.ToolButton14.enabled\nprint Main.NextFileN1.enabled\n"
                               "print Main.ScrollBox1.popupMenu\n");
    EXPECT_EQ(r.outLines(), (QStringList{"Main.windowTitle = pic.bmp(5×3)", "Main.Edit1.text = 1/1",
                                         "Main.saveas1.enabled = true", "Main.ToolButton14.enabled = true",
                                         "Main.NextFileN1.enabled = true", "Main.ScrollBox1.popupMenu = PopupImageMenu"}));
}

TEST_F(DocumentTest, StatusPanelsReadThePixelUnderTheMouse) {
    const ScriptResult r = run(openPictureLines(picture) +
                               "Main.Image1MouseMove(2, 1)\nprint Main.StatusBar1.panels\n"
                               "Main.Image1MouseMove(5, 0)\nprint Main.StatusBar1.panels\n");
    const QStringList lines = r.outLines();
    ASSERT_EQ(lines.size(), 2);
    // Pixel (2, 1) is R 80, G 30, B 7.
    EXPECT_EQ(lines[0], "Main.StatusBar1.panels = (x, y)=(2, 1)  | (R, G, B)=(80, 30, 7)  | (H, S, I)=(0.330, 0.912, 0.314)");
    // Column 5 is outside the 5-pixel-wide picture: it reads as white.
    EXPECT_EQ(lines[1], "Main.StatusBar1.panels = (x, y)=(5, 0)  | (R, G, B)=(255, 255, 255)  | (H, S, I)=(0.000, 0.000, 1.000)");
}

TEST_F(DocumentTest, JpegOpensAndNamesByExactExtension) {
    // Save a JPEG from the BMP, then open it under both accepted and refused spellings.
    const QString jpeg = session.path("copy");
    run(openPictureLines(picture) + "answer save " + quoted(jpeg) + " 2\nMain.saveas1Click()\n");
    ASSERT_TRUE(QFile::copy(jpeg + ".jpg", session.path("x.JPG")));
    ASSERT_TRUE(QFile::copy(jpeg + ".jpg", session.path("x.Jpg")));
    const ScriptResult r = run(openPictureLines(session.path("x.JPG")) + "print Main.windowTitle\n"
                               "answer open " + quoted(session.path("x.Jpg")) + "\nMain.OPEN1Click()\nprint Main.windowTitle\n");
    EXPECT_EQ(r.outLines(), (QStringList{"Main.windowTitle = x.JPG(5×3)", "message: : 開けない形式のファイルです",
                                         "Main.windowTitle = x.JPG(5×3)"}));
}

TEST_F(DocumentTest, SaveAlwaysAppendsTheExtension) {
    run(openPictureLines(picture) +
        "answer save " + quoted(session.path("out")) + " 1\nMain.saveas1.trigger()\n"
        "answer save " + quoted(session.path("out.bmp")) + " 1\nMain.saveas1.trigger()\n"
        "answer save " + quoted(session.path("photo")) + " 2\nMain.saveas1.trigger()\n");
    EXPECT_TRUE(QFile::exists(session.path("out.bmp")));
    EXPECT_TRUE(QFile::exists(session.path("out.bmp.bmp")));
    EXPECT_TRUE(QFile::exists(session.path("photo.jpg")));
    const veltrane::Bitmap24 saved = readPicture(session.path("out.bmp"));
    ASSERT_EQ(saved.width(), 5);
    ASSERT_EQ(saved.height(), 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) EXPECT_EQ(pixelAt(saved, x, y), gradient(x, y)) << x << "," << y;

    QFile jpeg(session.path("photo.jpg"));
    ASSERT_TRUE(jpeg.open(QIODevice::ReadOnly));
    const QByteArray bytes = jpeg.readAll();
    EXPECT_TRUE(bytes.contains(QByteArray("\xFF\xC0", 2))) << "baseline frame expected";
    EXPECT_FALSE(bytes.contains(QByteArray("\xFF\xC2", 2))) << "no progressive frame";
}

TEST_F(DocumentTest, SaveAsksBeforeReplacingAndKeepsTheFileOnNo) {
    QFile existing(session.path("keep.bmp"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("precious");
    existing.close();
    const ScriptResult r = run(openPictureLines(picture) +
                               "answer save " + quoted(session.path("keep")) + " 1\nanswer button No\nMain.saveas1Click()\n");
    EXPECT_EQ(r.outLines(), QStringList{"message: 確認: " + session.path("keep.bmp") + " は既に存在します。上書きしますか？"});
    ASSERT_TRUE(existing.open(QIODevice::ReadOnly));
    EXPECT_EQ(existing.readAll(), QByteArray("precious"));
    existing.close();

    run(openPictureLines(picture) +
        "answer save " + quoted(session.path("keep")) + " 1\nanswer button Yes\nMain.saveas1Click()\n");
    EXPECT_EQ(readPicture(session.path("keep.bmp")).width(), 5);
}

TEST_F(DocumentTest, SaveIntoAMissingFolderIsReported) {
    const ScriptResult r = run(openPictureLines(picture) +
                               "answer save " + quoted(session.path("no/such/folder/out")) + " 1\nMain.saveas1Click()\n");
    ASSERT_EQ(r.outLines().size(), 1);
    EXPECT_TRUE(r.outLines()[0].startsWith("message: : ファイルを保存できませんでした")) << r.out.toStdString();
}

TEST_F(DocumentTest, CancelledDialogsChangeNothing) {
    const ScriptResult r = run("answer cancel\nMain.OPEN1Click()\nprint Main.windowTitle\n"
                               "answer open " + quoted(picture) + "\nMain.OPEN1Click()\nanswer cancel\nMain.saveas1Click()\n");
    EXPECT_EQ(r.outLines(), QStringList{"Main.windowTitle = Veltrane"});
    EXPECT_EQ(QDir(session.dir()).entryList({"*.bmp"}, QDir::Files), QStringList{"pic.bmp"});
}

TEST_F(DocumentTest, DroppingTwoFilesIsRefusedAndKeepsThePicture) {
    const QString other = session.path("other.bmp");
    writeTestBmp(other, 2, 2, gradient);
    const ScriptResult r = run("drop Main " + quoted(picture) + "\nprint Main.windowTitle\n"
                               "drop Main " + quoted(other) + " " + quoted(picture) + "\nprint Main.windowTitle\nprint Main.Edit1.text\n");
    EXPECT_EQ(r.outLines(), (QStringList{"Main.windowTitle = pic.bmp(5×3)", "message: : 複数のファイルを同時に開けません",
                                         "Main.windowTitle = pic.bmp(5×3)", "Main.Edit1.text = 2/2"}));
}

TEST_F(DocumentTest, DroppedOneBitPictureIsShownWithCommandsDisabled) {
    const QString mask = QString::fromStdString(dataDir()) + "/corpus/bmp/valid/wx-drawing-mask.bmp";
    const ScriptResult r = run("drop Main " + quoted(mask) + "\nprint Main.saveas1.enabled\nprint Main.NextFileN1.enabled\n"
                               "print Main.ScrollBox1.popupMenu\n"
                               "answer open " + quoted(mask) + "\nMain.OPEN1Click()\nprint Main.saveas1.enabled\n");
    EXPECT_EQ(r.outLines(), (QStringList{"Main.saveas1.enabled = false", "Main.NextFileN1.enabled = false",
                                         "Main.ScrollBox1.popupMenu = PopupOpenMenu", "Main.saveas1.enabled = true"}));
}

TEST_F(DocumentTest, CloseEmptiesTheDocumentButKeepsTheCounter) {
    const ScriptResult r = run("print Main.ScrollBox1.popupMenu\n"
                               "answer open " + quoted(picture) + "\nMain.OPEN1Click()\nMain.CLOSE1.trigger()\n"
                               "print Main.windowTitle\nprint Main.saveas1.enabled\nprint Main.LastFileL1.enabled\n"
                               "print Main.ScrollBox1.popupMenu\nprint Main.Edit1.text\nMain.CLOSE1Click()\n"
                               "Main.NextFileN1Click()\nprint Main.windowTitle\n");
    EXPECT_EQ(r.outLines(),
              (QStringList{"Main.ScrollBox1.popupMenu = PopupOpenMenu", "Main.windowTitle = ", "Main.saveas1.enabled = false",
                           "Main.LastFileL1.enabled = false", "Main.ScrollBox1.popupMenu = PopupOpenMenu",
                           "Main.Edit1.text = 1/1", "Main.windowTitle = "}));
}

TEST_F(DocumentTest, BrokenPictureIsRefusedAndTheDocumentStaysAsItWas) {
    const QString corpus = QString::fromStdString(dataDir()) + "/corpus/bmp/malformed/";
    QFile truncated(session.path("cut.bmp"));
    QFile whole(picture);
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    ASSERT_TRUE(truncated.open(QIODevice::WriteOnly));
    truncated.write(whole.readAll().left(40));
    truncated.close();
    for (const QString& broken : {session.path("cut.bmp"), corpus + "gdk-cve-2015-4491.bmp", corpus + "gdk-invalid.1.bmp"}) {
        const ScriptResult r = run(openPictureLines(picture) + "print Main.Edit1.text\n"
                                   "answer open " + quoted(broken) + "\nMain.OPEN1Click()\n"
                                   "print Main.windowTitle\nprint Main.Edit1.text\nMain.Image1MouseMove(1, 0)\n"
                                   "print Main.StatusBar1.panels\n");
        const QStringList lines = r.outLines();
        ASSERT_EQ(lines.size(), 5) << r.out.toStdString();
        EXPECT_TRUE(lines[1].startsWith("message: : ")) << lines[1].toStdString();
        EXPECT_GT(lines[1].size(), QString("message: : ").size());
        EXPECT_EQ(lines[2], "Main.windowTitle = pic.bmp(5×3)");
        EXPECT_EQ(lines[3], lines[0]) << "the counter is kept";
        EXPECT_TRUE(lines[4].contains("(R, G, B)=(40, 0, 7)")) << lines[4].toStdString();
    }
}

TEST_F(DocumentTest, FolderNamedAsAPictureCannotBeOpened) {
    for (const char* name : {"x.bmp", "y.jpg"}) {
        const QString folder = session.path(name);
        ASSERT_TRUE(QDir().mkpath(folder));
        for (const QString& choose : {"answer open " + quoted(folder) + "\nMain.OPEN1Click()\n", "drop Main " + quoted(folder) + "\n"}) {
            SCOPED_TRACE(choose.toStdString());
            const ScriptResult r = run(openPictureLines(picture) + choose + "print Main.windowTitle\n");
            EXPECT_EQ(r.outLines(), (QStringList{"message: : ファイルを開けません（" + folder + "）",
                                                 "Main.windowTitle = pic.bmp(5×3)"}));
        }
    }
}

TEST_F(DocumentTest, MediaFileKeepsThePictureAndBringsTheWindowBack) {
    writeWav(session.path("song.wav"), 10);  // a playable file: the player reports nothing
    const ScriptResult r = run(openPictureLines(picture) +
                               "answer open " + quoted(session.path("song.wav")) + "\nMain.OPEN1Click()\n"
                               "print Main.windowTitle\nprint Main.visible\n"
                               "MovieController.E1.trigger()\nprint Main.windowTitle\nprint Main.visible\n");
    // The player takes over while it runs; closing it brings the main window back as it was.
    EXPECT_EQ(r.outLines(), (QStringList{"Main.windowTitle = pic.bmp(5×3)", "Main.visible = false",
                                         "Main.windowTitle = pic.bmp(5×3)", "Main.visible = true"}));
}

TEST_F(DocumentTest, CommandLineFileOpensAtStart) {
    const ScriptResult r = session.run("print Main.windowTitle\n", {picture});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.outLines(), QStringList{"Main.windowTitle = pic.bmp(5×3)"});
}
