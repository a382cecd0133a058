// The scene search through the real program: opened from the player's menu on a generated clip,
// its pages turned and a scene double-clicked, by script.
#include <gtest/gtest.h>

#include <QDir>

#include "player/ui/media_fixtures.h"
#include "support/script_run.h"

using namespace veltrane::test;

namespace {

TEST(SceneSearchScript, PagesTurnAndADoubleClickPlaysThePlayerFromTheScene) {
    qputenv("VELTRANE_AUDIO_SINK", "fakesink");
    ScriptSession session;
    session.writeQuietSettings();
    const QString clip = session.path("scenes.avi");
    writeAvi(clip, 960);  // 32 seconds: the scenes lie 2 seconds apart

    const ScriptResult r = session.run(
        "answer open " + quoted(clip) + "\nMain.OPEN1Click()\nwait until MovieController.mediaOpen = true\n"
        "MovieController.SceneCaptureS1.trigger()\nwait until SceneCap.visible = true\n"
        "print SceneCap.windowTitle\nprint SceneCap.width\nprint SceneCap.height\n"
        "print SceneCap.Label2.text\nprint SceneCap.Label4.text\nprint SceneCap.SpeedButton2.enabled\n"
        "SceneCap.SpeedButton1.click()\nSceneCap.SpeedButton1.click()\nSceneCap.SpeedButton1.click()\n"
        "print SceneCap.scenePage\nprint SceneCap.Label10.text\nprint SceneCap.Label13.text\n"
        "print SceneCap.Label1.text\nprint SceneCap.Label4.text\nprint SceneCap.SpeedButton1.enabled\n"
        "SceneCap.SpeedButton2.click()\nprint SceneCap.scenePage\n"
        // Panel 3 on page 2 (the third page) is scene 11: 10/16 of 32 seconds.
        "SceneCap.Panel3DblClick()\nwait until MovieController.Label2.text = \"0:00:20/0:00:32\"\n"
        "print MovieController.running\n");
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.outLines(), (QStringList{"SceneCap.windowTitle = Scene Capture(scene 1～16)", "SceneCap.width = 477",
                                         "SceneCap.height = 463", "SceneCap.Label2.text = 0:00:02",
                                         "SceneCap.Label4.text = 0:00:06", "SceneCap.SpeedButton2.enabled = false",
                                         "SceneCap.scenePage = 3", "SceneCap.Label10.text = scene 13",
                                         "SceneCap.Label13.text = scene 16", "SceneCap.Label1.text = 0:00:24",
                                         "SceneCap.Label4.text = 0:00:30", "SceneCap.SpeedButton1.enabled = false",
                                         "SceneCap.scenePage = 2", "MovieController.running = true"}));
}

}  // namespace
