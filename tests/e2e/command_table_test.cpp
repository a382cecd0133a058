// The command table: captions, shortcuts and the image guard of the main window's items.
#include <gtest/gtest.h>

#include "support/script_run.h"

using namespace veltrane::test;

TEST(CommandTable, CaptionsAndShortcutsOfTheMenus) {
    struct Item {
        const char* name;
        const char* caption;
        const char* shortcut;
    };
    const Item items[] = {
        {"OPEN1", "ファイルを開く(&O)", "Ctrl+O"},   {"G1", "元画像表示(&I)", ""},
        {"saveas1", "名前を付けて保存(&S)", "Ctrl+S"}, {"EXIT1", "終了する(&E)", "Ctrl+E"},
        {"CopyC1", "コピー(&C)", "Ctrl+C"},          {"PasteP1", "貼り付け(&P)", "Ctrl+V"},
        {"FisrtFileF1", "最初のファイル(&F)", ""},    {"N25", "ウィンドウを画像に合わせる", ""},
        {"N3DframeF1", "3Dフレーム(&F) ", ""},        {"FilterProcessF1", "フィルター処理(&F)", "Ctrl+F"},
        {"GradiationmapG1", "グラディエーション(&G)", "Ctrl+G"}, {"DisplayHistogram1", "ヒストグラムを表示(&D)", "Ctrl+D"},
        {"ImageProcess1", "画像処理(&I)", "Ctrl+I"},  {"PCNNP1", "PCNN(&P)", "Ctrl+P"},
        {"BinaryB1", "最小2乗法(&L)", ""},            {"transmitno", "しない", ""},
        {"VersionV1", "Version(&V)", ""},             {"E3", "終了する(&E)", "Ctrl+E"},
        {"N2B1", "2値化(&B)", ""},                    {"N31", "ズームイン", ""},
        {"N661", "66%", ""},
    };
    QString script;
    QStringList expected;
    for (const Item& item : items) {
        script += QString("print Main.%1.text\nprint Main.%1.shortcut\n").arg(item.name);
        expected << QString("Main.%1.text = %2").arg(item.name, item.caption)
                 << QString("Main.%1.shortcut = %2").arg(item.name, item.shortcut);
    }
    ScriptSession session;
    session.writeQuietSettings();
    const ScriptResult r = session.run(script);
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.outLines(), expected);
}

TEST(CommandTable, ImageCommandsDoNothingWithoutAPicture) {
    ScriptSession session;
    session.writeQuietSettings();
    const ScriptResult r = session.run(
        "Main.saveas1Click()\nMain.G1Click()\nMain.CLOSE1Click()\nMain.ImageProcess1Click()\nMain.FilterProcessF1Click()\n"
        "Main.GradiationmapG1Click()\nMain.DisplayHistogram1Click()\nMain.PCNNP1Click()\nMain.NextFileN1Click()\n"
        "print Main.windowTitle\nprint Main.ImageProcessM1.enabled\nprint Main.BinaryProcessB1.enabled\n"
        "print Main.ToolButton12.enabled\nprint Main.OPEN1.enabled\nprint Main.ToolButton15.enabled\n"
        "Main.ViewV1Click()\nprint Main.PasteP1.enabled\n");
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.outLines(), (QStringList{"Main.windowTitle = Veltrane", "Main.ImageProcessM1.enabled = false",
                                         "Main.BinaryProcessB1.enabled = false", "Main.ToolButton12.enabled = false",
                                         "Main.OPEN1.enabled = true", "Main.ToolButton15.enabled = true",
                                         "Main.PasteP1.enabled = false"}));
}
