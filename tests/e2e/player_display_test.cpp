// The player's display options and colour dialog through the real program, with the colour
// picker's window shown and driven by the script.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "common/ini_file.h"
#include "player/ui/media_fixtures.h"
#include "support/script_run.h"

using namespace veltrane::test;

namespace {

class PlayerDisplayScriptTest : public ::testing::Test {
protected:
    void SetUp() override {
        qputenv("VELTRANE_AUDIO_SINK", "fakesink");
        session.writeQuietSettings();
        clip = session.path("clip.avi");
        writeAvi(clip, 60);
    }

    ScriptResult run(const QString& script) {
        ScriptResult r = session.run(openPictureLines(clip) +
                                     "wait until MovieController.mediaOpen = true\n" + script);
        EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
        return r;
    }

    veltrane::IniFile settings() const {
        QFile file(session.settingsPath());
        if (!file.open(QIODevice::ReadOnly)) return veltrane::IniFile::parse("");
        return veltrane::IniFile::parse(file.readAll().toStdString());
    }

    ScriptSession session;
    QString clip;
};

}  // namespace

TEST_F(PlayerDisplayScriptTest, AShownPickerSetsTheTimeColourAndTheSettingsKeepIt) {
    const ScriptResult r = run("MovieController.SpeedButton10Click()\n"
                               "print SetDisplayColor.windowTitle\n"
                               "answer show\n"
                               "SetDisplayColor.Button1.click()\n"
                               "print ColorDialog1.windowTitle\n"
                               "print ColorDialog1.RedEd.text\n"
                               "ColorDialog1.RedEd.text = \"12\"\n"
                               "ColorDialog1.GreenEd.text = \"34\"\n"
                               "ColorDialog1.BlueEd.text = \"56\"\n"
                               "ColorDialog1.BlueEdKeyUp()\n"
                               "ColorDialog1.OKBtn.click()\n"
                               "SetDisplayColor.OKBtn.click()\n"
                               "MovieController.exitE1Click()\n"
                               "wait until Main.visible = true\n");
    EXPECT_EQ(r.outLines(), (QStringList{"SetDisplayColor.windowTitle = 表示色設定", "ColorDialog1.windowTitle = 色の選択",
                                         "ColorDialog1.RedEd.text = 0"}));
    const veltrane::IniFile ini = settings();
    EXPECT_EQ(ini.readInteger("MOVIECOLOR", "Disp_num_R", -1), 12);
    EXPECT_EQ(ini.readInteger("MOVIECOLOR", "Disp_num_G", -1), 34);
    EXPECT_EQ(ini.readInteger("MOVIECOLOR", "Disp_num_B", -1), 56);
    EXPECT_EQ(ini.readInteger("MOVIECOLOR", "Disp_back_R", -1), 0) << "the other colours stay";
}

TEST_F(PlayerDisplayScriptTest, SizesTransparencyAndPresetsFromTheMenus) {
    // Offscreen a shown window has a 2-pixel frame and no caption: 200 % of 64 × 48 is
    // 4 × 2 + 128 wide and 2 × (2 + 48 + 0) high.
    const ScriptResult r = run("Display.Max1.trigger()\nprint Display.displayMaximised\n"
                               "Display.N2002.trigger()\nprint Display.displayMaximised\n"
                               "print Display.width\nprint Display.height\nprint MovieController.N2001.checked\n"
                               "MovieController.transmitlittle.trigger()\n"
                               "print MovieController.windowOpacity\nprint FileList.windowOpacity\n"
                               "print Display.windowOpacity\n"
                               "MovieController.N30.trigger()\nprint MovieController.iconColour\n"
                               "Display.DispFix.trigger()\nprint MovieController.fixedDisplaySize\n"
                               "MovieController.exitE1Click()\n"
                               "wait until Main.visible = true\n");
    EXPECT_EQ(r.outLines(), (QStringList{"Display.displayMaximised = true", "Display.displayMaximised = false",
                                         "Display.width = 136", "Display.height = 100", "MovieController.N2001.checked = true",
                                         "MovieController.windowOpacity = 0.8", "FileList.windowOpacity = 0.8",
                                         "Display.windowOpacity = 1", "MovieController.iconColour = 3",
                                         "MovieController.fixedDisplaySize = false"}));
    const veltrane::IniFile ini = settings();
    EXPECT_EQ(ini.readInteger("MOVIECOLOR", "FileList_str_G", -1), 204) << "みどり";
    EXPECT_EQ(ini.readInteger("MOVIECOLOR", "ICON_COLOR", -1), 3);
    EXPECT_EQ(ini.readInteger("DISPLAY", "fix", -1), 0) << "fixed by default, switched off";
}
