// `veltrane batch` run as people run it, with no display in its environment: its outputs equal,
// byte for byte, what the same operations give when driven through the windows by --script
// (drawing operations included, with --seed and two workers), and its failure paths.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <csignal>

#include "image/jpeg_codec.h"
#include "support/script_run.h"

using namespace veltrane;
using namespace veltrane::test;

namespace {

unsigned distinct(int x, int y) {
    return (unsigned((x * 37 + 20) & 0xFF) << 16) | (unsigned((y * 53 + 9) & 0xFF) << 8) | unsigned((x * y * 11) & 0xFF);
}

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Runs "veltrane batch ARGS" with no X server, Wayland or Qt platform in its environment.
ScriptResult batch(const QStringList& args) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE"}) env.remove(name);
    process.setProcessEnvironment(env);
    process.start(VELTRANE_EXE, QStringList{"batch"} + args);
    ScriptResult result;
    if (!process.waitForFinished(90'000)) {
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

// The window lines of each operation the tests use, as a person would click them.
const char* const kFlipVertical = "Main.upanddownreverse1Click()\n";
const char* const kGamma25 = "Main.Gamma1Click()\nRGB.TrackBar7.value = 25\nRGB.OKBtn.click()\n";
const char* const kNoise10 = "Main.AddNoise1Click()\nRGB.OKBtn.click()\n";
const char* const kRandomGradient1 =
    "Main.GradiationmapG1Click()\nGradiationMap.RadioButton5.click()\nGradiationMap.ComboBox1.currentIndex = 6\n"
    "GradiationMap.ComboBox1Change()\nGradiationMap.OKBtn.click()\n";

QString effect(int category, int row) {
    return QString("Main.ImageProcess1Click()\nImageProcess.ComboBox1.currentIndex = %1\nImageProcess.ComboBox1Change()\n"
                   "ImageProcess.ListBox1.currentRow = %2\nImageProcess.ListBox1Click()\nImageProcess.ShineSpeedButton1.click()\n"
                   "ImageProcess.IMAGE_PROCESS.click()\n")
        .arg(category)
        .arg(row);
}

class BatchTest : public ::testing::Test {
protected:
    void SetUp() override {
        session.writeQuietSettings();
        QDir(session.dir()).mkdir("in");
        writeTestBmp(in("a.bmp"), 7, 5, distinct);
        writeTestBmp(in("b.bmp"), 6, 4, [](int x, int y) { return distinct(y + 3, x); });
        // A JPEG input stays a JPEG, saved at the program's quality.
        writeTestBmp(session.path("c-source.bmp"), 5, 3, [](int x, int y) { return distinct(x * 2, y + 1); });
        const std::vector<std::uint8_t> jpeg = encodeJpeg(readPicture(session.path("c-source.bmp")), 95);
        QFile c(in("c.jpg"));
        ASSERT_TRUE(c.open(QIODevice::WriteOnly));
        c.write(reinterpret_cast<const char*>(jpeg.data()), static_cast<qint64>(jpeg.size()));
    }

    QString in(const QString& name) const { return session.path("in/" + name); }

    // One script over the pictures in name order: open, the window lines, save in its format.
    void runWindows(const QString& lines) {
        QDir(session.dir()).mkdir("win");
        QString script;
        for (const QString name : {"a", "b", "c"}) {
            const QString file = in(name + (name == "c" ? ".jpg" : ".bmp"));
            script += openPictureLines(file) + lines + "answer save " + quoted(session.path("win/" + name)) +
                      (name == "c" ? " 2" : " 1") + "\nMain.saveas1Click()\n";
        }
        const ScriptResult r = session.run(script);
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    }

    void expectSameFiles() {
        for (const QString name : {"a.bmp", "b.bmp", "c.jpg"}) {
            const QByteArray window = bytesOf(session.path("win/" + name));
            ASSERT_FALSE(window.isEmpty()) << name.toStdString();
            EXPECT_EQ(bytesOf(session.path("out/" + name)), window) << name.toStdString();
        }
    }

    ScriptSession session;
};

}  // namespace

TEST_F(BatchTest, OutputsEqualTheWindowsResults) {
    const ScriptResult r = batch({"--do", "flip-vertical", "--do", "gamma:25", "--do", "effect:sepia", "-o", session.path("out"),
                                  session.path("in")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "");
    EXPECT_TRUE(r.err.startsWith("3 written, 0 skipped, 0 failed of 3 pictures in ")) << r.err.toStdString();
    runWindows(QString(kFlipVertical) + kGamma25 + effect(0, 10));
    expectSameFiles();
}

// The generator runs on from picture to picture in the windows; two workers give the same.
TEST_F(BatchTest, DrawingOperationsWithASeedAndTwoWorkersEqualTheWindowsInOrder) {
    const ScriptResult r = batch({"--seed", "1", "-j", "2", "--do", "noise:10", "--do", "gradation:random-1", "--do", "noise:10",
                                  "--do", "effect:median", "-o", session.path("out"), session.path("in")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    runWindows(QString(kNoise10) + kRandomGradient1 + kNoise10 + effect(1, 7));
    expectSameFiles();
}

TEST_F(BatchTest, AMalformedPictureFailsAloneAndExistingOutputsAreSkipped) {
    QFile bad(in("b2.bmp"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("BM, but nothing more");
    bad.close();
    QDir(session.dir()).mkdir("out");
    QFile existing(session.path("out/c.jpg"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("precious");
    existing.close();

    const ScriptResult r = batch({"--do", "equalize", "-o", session.path("out"), session.path("in")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(in("b2.bmp") + ": cannot read the picture: ")) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(in("c.jpg") + ": skipped: " + session.path("out/c.jpg") + " exists (--overwrite replaces it)"))
        << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("2 written, 1 skipped, 1 failed of 4 pictures")) << r.err.toStdString();
    EXPECT_FALSE(bytesOf(session.path("out/a.bmp")).isEmpty());
    EXPECT_FALSE(bytesOf(session.path("out/b.bmp")).isEmpty());
    EXPECT_FALSE(QFile::exists(session.path("out/b2.bmp")));
    EXPECT_EQ(bytesOf(session.path("out/c.jpg")), "precious");
    EXPECT_EQ(QDir(session.path("out")).entryList(QDir::Files | QDir::Hidden).size(), 3) << "no temporary file left";
}

// Ctrl-C while pictures are under way: they are finished and written whole, no other picture is
// started, no temporary file stays, and the run ends with status 130.
TEST_F(BatchTest, CtrlCFinishesThePicturesUnderWayAndLeavesNoPartialFile) {
    constexpr int kPictures = 16;
    QDir(session.dir()).mkdir("many");
    for (int i = 0; i < kPictures; ++i)
        writeTestBmp(session.path(QString("many/p%1.bmp").arg(i, 2, 10, QChar('0'))), 1000, 800, distinct);
    const QString out = session.path("out");
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    process.setProcessEnvironment(env);
    // Five paintings make each picture take about a tenth of a second, so the run is far from its
    // end when the signal comes, even on a busy machine.
    QStringList args{"batch", "-q", "-j", "1", "-o", out};
    for (int i = 0; i < 5; ++i) args << "--do" << "effect:painting:7-8";
    process.start(VELTRANE_EXE, args << session.path("many"));
    ASSERT_TRUE(process.waitForStarted());
    // Interrupt once the first picture is written, as a person watching the folder would.
    for (int waited = 0; waited < 60'000 && QDir(out).entryList({"*.bmp"}, QDir::Files).isEmpty(); waited += 5)
        QThread::msleep(5);
    ASSERT_FALSE(QDir(out).entryList({"*.bmp"}, QDir::Files).isEmpty());
    ::kill(static_cast<pid_t>(process.processId()), SIGINT);
    ASSERT_TRUE(process.waitForFinished(60'000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 130);

    const QStringList written = QDir(out).entryList(QDir::Files | QDir::Hidden);
    EXPECT_LT(written.size(), kPictures) << "the run stopped";
    for (const QString& name : written) {
        ASSERT_TRUE(name.startsWith("p") && name.endsWith(".bmp")) << "left behind: " << name.toStdString();
        const Bitmap24 picture = readPicture(out + "/" + name);
        EXPECT_EQ(picture.width(), 1000) << name.toStdString();
        EXPECT_EQ(picture.height(), 800) << name.toStdString();
    }
}

TEST_F(BatchTest, UsageErrorsExitWithTwoAndNameTheProblem) {
    const struct {
        QStringList args;
        QString message;
    } cases[] = {
        {{"--do", "sparkle", "-o", session.path("out"), session.path("in")}, "veltrane batch: unknown operation \"sparkle\""},
        {{"--do", "posterize:17", "-o", session.path("out"), session.path("in")},
         "veltrane batch: posterize: LEVELS must be an integer 2..16 (got \"17\")"},
        {{"--in-place", session.path("in")}, "veltrane batch: --in-place needs --yes when standard input is not a terminal"},
    };
    for (const auto& c : cases) {
        const ScriptResult r = batch(c.args);
        EXPECT_EQ(r.exitCode, 2) << c.message.toStdString();
        EXPECT_TRUE(r.err.startsWith(c.message)) << r.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(session.path("out")));
}

TEST_F(BatchTest, InPlaceReplacesEachInputInItsOwnFormat) {
    const QByteArray before = bytesOf(in("a.bmp"));
    const ScriptResult r = batch({"--in-place", "--yes", "-q", "--do", "flip-horizontal", session.path("in")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.err, "");
    const Bitmap24 flipped = readPicture(in("a.bmp"));
    EXPECT_EQ(bytesOf(in("a.bmp")).size(), before.size());
    writeTestBmp(session.path("expected.bmp"), 7, 5, [](int x, int y) { return distinct(6 - x, y); });
    EXPECT_EQ(bytesOf(in("a.bmp")), bytesOf(session.path("expected.bmp")));
    EXPECT_EQ(flipped.width(), 7);
}

TEST_F(BatchTest, ListAndHelpNeedNoDisplay) {
    const ScriptResult list = batch({"--list"});
    EXPECT_EQ(list.exitCode, 0);
    const QStringList lines = list.out.split('\n');
    ASSERT_GT(lines.size(), 3);
    EXPECT_EQ(lines[0], "OPERATION[:ARGUMENTS]                       名前 (ranges)");
    EXPECT_EQ(lines[1], "flip-vertical                               上下反転");
    const ScriptResult help = batch({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith("Usage: veltrane batch [OPTIONS] INPUT...")) << help.out.toStdString();
}
