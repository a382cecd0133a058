// The settings file: defaults, the greeting, and what a normal exit writes.
#include <gtest/gtest.h>

#include <QFile>

#include "support/script_run.h"

using namespace veltrane::test;

namespace {

QString readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

}  // namespace

TEST(Settings, FirstStartUsesDefaultsAndExitRemembersTheGreeting) {
    ScriptSession session;
    ScriptResult r = session.run("print Main.x\nprint Main.y\nprint Main.N25.checked\n");
    ASSERT_EQ(r.exitCode, 0);
    QStringList out = r.outLines();
    ASSERT_EQ(out.size(), 4);
    EXPECT_TRUE(out[0].startsWith("message: ご挨拶: ") && out[0].contains("Veltrane"));
    EXPECT_EQ(out.mid(1), (QStringList{"Main.x = 200", "Main.y = 200", "Main.N25.checked = true"}));
    const QString ini = readAll(session.settingsPath());
    for (const char* line : {"Left=200", "Top=200", "Method=0", "greeting=0", "[Main_POS]", "[HOW_TO_DISPLAY]", "[KIRRO]"})
        EXPECT_TRUE(ini.contains(line)) << line << " in\n" << ini.toStdString();

    r = session.run("print Main.x\n");
    EXPECT_EQ(r.outLines(), QStringList{"Main.x = 200"}) << "no greeting the second time";
}

TEST(Settings, StoredValuesAreReadAndOddValuesFallBack) {
    ScriptSession session;
    writeAll(session.settingsPath(),
             "[main_pos]\nleft=abc\nTOP=321\n[HOW_TO_DISPLAY]\nMethod=5\n[KIRRO]\ngreeting=0\n[MOVIE_POS]\nLeft=7\n");
    const ScriptResult r = session.run("print Main.x\nprint Main.y\nprint Main.N25.checked\nprint Main.N26.checked\n");
    EXPECT_EQ(r.outLines(), (QStringList{"Main.x = 200", "Main.y = 321", "Main.N25.checked = true", "Main.N26.checked = false"}));
    const QString ini = readAll(session.settingsPath());
    EXPECT_TRUE(ini.contains("Method=0")) << ini.toStdString();
    EXPECT_TRUE(ini.contains("[MOVIE_POS]\nLeft=7")) << "other sections are kept";
}

TEST(Settings, PositionOffEveryScreenFallsBackToTheDefault) {
    // The offscreen platform's one screen starts at (0, 0) and is 800 × 800.
    const struct {
        const char* left;
        const char* top;
        QStringList expected;
    } cases[] = {
        {"5000", "5000", {"Main.x = 200", "Main.y = 200"}},
        {"-3000", "50", {"Main.x = 200", "Main.y = 200"}},
        {"700", "550", {"Main.x = 700", "Main.y = 550"}},  // partly on the screen: kept
    };
    for (const auto& c : cases) {
        ScriptSession session;
        session.writeQuietSettings(QString("[Main_POS]\nLeft=%1\nTop=%2\n").arg(c.left, c.top));
        EXPECT_EQ(session.run("print Main.x\nprint Main.y\n").outLines(), c.expected) << c.left << ", " << c.top;
    }
}

TEST(Settings, DisplayModeSurvivesARestart) {
    ScriptSession session;
    session.writeQuietSettings();
    ASSERT_EQ(session.run("Main.N26Click()\n").exitCode, 0);
    EXPECT_EQ(session.run("print Main.N26.checked\n").outLines(), QStringList{"Main.N26.checked = true"});
}

TEST(Settings, GarbageSettingsFileReadsAsDefaults) {
    ScriptSession session;
    QByteArray noise(4096, '\0');
    for (int i = 0; i < noise.size(); ++i) noise[i] = static_cast<char>((i * 7919) % 251);
    writeAll(session.settingsPath(), noise + QByteArray(100000, 'x') + "\n[KIRRO]\ngreeting=0\n");
    const ScriptResult r = session.run("print Main.x\n");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.outLines(), QStringList{"Main.x = 200"});
}

// A large file (here over 2 MB, with lines of NUL bytes, binary noise and 100,000-character
// lines) is read whole and written back with every byte the program does not own kept.
TEST(Settings, AHugeFileKeepsEverySectionItDoesNotOwnByteForByte) {
    ScriptSession session;
    QByteArray noise(4096, '\0');
    for (int i = 0; i < noise.size(); ++i) noise[i] = static_cast<char>((i * 7919) % 251);
    QByteArray head = "[KIRRO]\r\ngreeting=0\r\n[Main_POS]\r\nLeft=300\r\nTop=250\r\n";
    QByteArray body = "[BIG]\r\n";
    for (int i = 0; i < 20; ++i) body += "line" + QByteArray::number(i) + "=" + QByteArray(100000, 'x') + "\r\n";
    body += QByteArray(1000, '\0') + "\r\n" + noise + "\r\n";
    const QByteArray tail = "[TAIL]\r\nlast=1\r\n";
    writeAll(session.settingsPath(), head + body + tail);
    ASSERT_GT(head.size() + body.size() + tail.size(), 2000000);

    const ScriptResult r = session.run("print Main.x\nprint Main.y\n");
    EXPECT_EQ(r.outLines(), (QStringList{"Main.x = 300", "Main.y = 250"}));
    QFile file(session.settingsPath());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray after = file.readAll();
    const QByteArray expectedHead = "[KIRRO]\r\ngreeting=0\r\n[Main_POS]\r\nLeft=300\r\nTop=250\r\n";
    EXPECT_TRUE(after.startsWith(expectedHead));
    EXPECT_EQ(after.mid(expectedHead.size(), body.size() + tail.size()), body + tail) << "untouched bytes changed";
    EXPECT_EQ(after.mid(expectedHead.size() + body.size() + tail.size()), "\r\n[HOW_TO_DISPLAY]\r\nMethod=0\r\n");
}

TEST(Exit, NoKeepsRunningAndYesClosesWithSettingsWritten) {
    ScriptSession session;
    writeAll(session.settingsPath(), "[KIRRO]\ngreeting=1\n");
    const ScriptResult r = session.run("answer button No\nMain.EXIT1Click()\nprint Main.visible\n"
                                       "answer button Yes\nMain.EXIT1.trigger()\nprint Main.visible\n");
    EXPECT_EQ(r.exitCode, 0);
    const QStringList out = r.outLines();
    ASSERT_GE(out.size(), 3);
    EXPECT_EQ(out[1], "message: 確認: プログラムを終了しますか？");
    EXPECT_EQ(out[2], "Main.visible = true");
    EXPECT_EQ(out.size(), 4) << "the run ends with the Yes answer: " << r.out.toStdString();
    EXPECT_TRUE(readAll(session.settingsPath()).contains("greeting=0"));
}
