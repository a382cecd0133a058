// The desktop's file dialog as the program sets it up.
#include <gtest/gtest.h>

#include <QComboBox>

#include "platform/ui/qt_platform.h"

using namespace veltrane;

TEST(FileDialog, FilterListShowsEachDescriptionAsWritten) {
    const QList<FileFilter> filters{{"サポートしているファイル", "*.bmp;*.jpg;*.avi"},
                                    {"画像ファイル(*.bmp;*.jpg)", "*.bmp;*.jpg;*.BMP;*.JPG"},
                                    {"音楽ファイル(*.mp3;*wav)", "*.mp3;*wav;*.MP3;*.WAV"}};
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);  // Qt's own dialog, whose list can be read
    setUpFileDialog(dialog, filters, 2, QFileDialog::AcceptOpen);
    const auto* list = dialog.findChild<QComboBox*>("fileTypeCombo");
    ASSERT_NE(list, nullptr);
    QStringList shown;
    for (int i = 0; i < list->count(); ++i) shown << list->itemText(i);
    EXPECT_EQ(shown, (QStringList{"サポートしているファイル", "画像ファイル(*.bmp;*.jpg)", "音楽ファイル(*.mp3;*wav)"}));
    EXPECT_EQ(list->currentIndex(), 1);
    EXPECT_EQ(selectedFilterIndex(dialog, filters), 2);
    EXPECT_EQ(dialog.nameFilters().value(2), "音楽ファイル(*.mp3;*wav) (*.mp3 *wav *.MP3 *.WAV)") << "the patterns still filter";

    dialog.selectNameFilter(dialog.nameFilters().value(2));
    EXPECT_EQ(selectedFilterIndex(dialog, filters), 3);
}
