// The desktop's file dialog as the program sets it up.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

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

TEST(DesktopServices, OffscreenGrabHoldsTheVisibleWindowsWhereTheyStand) {
    QWidget shown, hidden;
    for (QWidget* w : {&shown, &hidden}) {
        w->setAutoFillBackground(true);
        QPalette palette = w->palette();
        palette.setColor(QPalette::Window, w == &shown ? QColor(250, 10, 20) : QColor(10, 250, 20));
        w->setPalette(palette);
        w->setGeometry(100, 120, 50, 40);
    }
    shown.show();
    const QImage screen = QtPlatform().grabScreen();
    const QScreen* primary = QGuiApplication::primaryScreen();
    EXPECT_EQ(screen.size(), primary->geometry().size() * primary->devicePixelRatio());
    EXPECT_EQ(screen.pixel(120, 140), qRgb(250, 10, 20));
    EXPECT_EQ(screen.pixel(99, 140), qRgb(0, 0, 0));
    shown.hide();
    EXPECT_EQ(QtPlatform().grabScreen().pixel(120, 140), qRgb(0, 0, 0)) << "a hidden window is not in the picture";
}

TEST(DesktopServices, NoTransparencyWithoutACompositingX11Desktop) {
    QWidget window;
    QtPlatform services;
    EXPECT_FALSE(services.transparencyAvailable());
    EXPECT_FALSE(services.setWindowAlpha(&window, 178));
}

TEST(DesktopServices, AnUnknownDesktopIsToldSo) {
    const QByteArray saved = qgetenv("XDG_CURRENT_DESKTOP");
    for (const char* desktop : {"", "X-Cinnamon", "LXQt"}) {
        qputenv("XDG_CURRENT_DESKTOP", desktop);
        EXPECT_EQ(QtPlatform().setWallpaper("/tmp/w.bmp").status, WallpaperResult::Status::UnknownDesktop) << desktop;
    }
    qputenv("XDG_CURRENT_DESKTOP", saved);
}
