// The desktop commands of the main window, driven in-process with a recording platform:
// capture, copy and paste, wallpaper, transparency, properties, the viewer window and the
// menu shortcuts that must reach them.
#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QElapsedTimer>
#include <QFile>
#include <QMenuBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include "app/ui/main_window.h"
#include "app/ui/picture_scroll_box.h"
#include "app/ui/thumbnail_window.h"
#include "common/busy_gate.h"
#include "image/bmp_codec.h"
#include "image/image_document.h"
#include "platform/ui/scripted_platform.h"

using namespace veltrane;

namespace {

// The scripted services with answers a test can choose.
class DesktopPlatform : public ScriptedPlatform {
public:
    std::function<QImage()> grab = [] { return QImage(); };
    WallpaperResult wallpaperAnswer{WallpaperResult::Status::Set, {}};
    bool alphaWorks = true;
    bool mainVisibleAtGrab = true;
    QWidget* watched = nullptr;

    QImage grabScreen() override {
        mainVisibleAtGrab = watched && watched->isVisible();
        return grab();
    }
    WallpaperResult setWallpaper(const QString& path) override {
        ScriptedPlatform::setWallpaper(path);
        return wallpaperAnswer;
    }
    bool transparencyAvailable() override { return alphaWorks; }
    bool setWindowAlpha(QWidget* window, int alpha) override {
        return alphaWorks && ScriptedPlatform::setWindowAlpha(window, alpha);
    }
};

QImage filled(int width, int height, QRgb colour, QImage::Format format = QImage::Format_RGB32) {
    QImage image(width, height, format);
    image.fill(QColor::fromRgba(colour));
    return image;
}

class DesktopCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        qputenv("VELTRANE_INI", dir.filePath("Veltrane.ini").toUtf8());
        qputenv("XDG_DATA_HOME", dir.filePath("data").toUtf8());
        auto services = std::make_unique<DesktopPlatform>();
        services_ = services.get();
        setPlatform(std::move(services));
        window = std::make_unique<TMain>();
        services_->watched = window.get();
    }
    void TearDown() override {
        window.reset();
        qunsetenv("XDG_DATA_HOME");
    }

    // A BMP whose pixel (x, y) is B = x, G = y, R = 7.
    QString writeBmp(const QString& name, int width, int height) {
        Bitmap24 picture(width, height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                std::uint8_t* p = picture.row(y) + 3 * x;
                p[0] = static_cast<std::uint8_t>(x), p[1] = static_cast<std::uint8_t>(y), p[2] = 7;
            }
        const std::vector<std::uint8_t> bytes = encodeBmp24(picture);
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
        return file.fileName();
    }

    void openPicture(int width = 40, int height = 30) { window->OpenFile(writeBmp("a.bmp", width, height)); }

    // Runs the event loop until the capture has let the busy gate go.
    void finishCapture() {
        QElapsedTimer clock;
        clock.start();
        while (BusyGate::held() && clock.elapsed() < 5000) QTest::qWait(10);
        ASSERT_FALSE(BusyGate::held());
    }

    bool folderCommandsOff() const { return !window->NextFileN1->isEnabled() && !window->LastFileL1->isEnabled(); }

    QTemporaryDir dir;
    DesktopPlatform* services_ = nullptr;
    std::unique_ptr<TMain> window;
};

}  // namespace

TEST_F(DesktopCommandsTest, CaptureHidesTheWindowGrabsAndAdoptsTheScreenAtTheTopLeft) {
    openPicture();
    window->show();
    services_->grab = [] { return filled(640, 480, qRgb(10, 20, 30)); };
    window->DeskTopCaptureD1Click();
    EXPECT_TRUE(BusyGate::held()) << "a script waits for the capture";
    EXPECT_FALSE(window->isVisible());
    finishCapture();

    EXPECT_FALSE(services_->mainVisibleAtGrab);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), "Captured Image on Desktop(640×480)");
    EXPECT_EQ(window->Edit1->text(), "0/0");
    EXPECT_TRUE(folderCommandsOff());
    EXPECT_TRUE(window->CopyC1->isEnabled());
    const ImageDocument& doc = window->document();
    ASSERT_EQ(doc.width(), 640);
    EXPECT_EQ(doc.bitmap.row(5)[0], 30);
    EXPECT_EQ(doc.bitmap.row(5)[2], 10);
    EXPECT_EQ(doc.current.R[479][639], 10) << "planes built from the capture";
    const WindowMetrics metrics = platform().metrics();
    EXPECT_EQ(window->frameGeometry().topLeft(), QPoint(0, 0));
    EXPECT_EQ(window->frameGeometry().size(), QSize(metrics.fullScreenClientWidth, metrics.maximizedHeight));
}

TEST_F(DesktopCommandsTest, ACaptureWithoutAPictureChangesNothingAndPutsTheWindowBack) {
    openPicture();
    window->show();
    window->move(40, 50);
    const QRect before = window->geometry();
    const QString caption = window->windowTitle();
    window->DeskTopCaptureD1Click();
    finishCapture();
    EXPECT_EQ(services_->messages(), QStringList{"message: : デスクトップを取り込めませんでした"});
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->geometry(), before);
    EXPECT_EQ(window->windowTitle(), caption);
    EXPECT_EQ(window->document().width(), 40);
    EXPECT_TRUE(window->NextFileN1->isEnabled()) << "the folder commands stay as they were";
}

TEST_F(DesktopCommandsTest, PasteDoesNothingWithoutAPicture) {
    services_->setClipboardText("text only");
    window->ViewV1Click();
    EXPECT_FALSE(window->PasteP1->isEnabled());
    window->PasteP1Click();
    EXPECT_FALSE(window->document().imageLoaded);
    EXPECT_EQ(window->windowTitle(), "Veltrane");
}

TEST_F(DesktopCommandsTest, PasteCaptionsThePictureInBothDisplayModesAndKeepsTheFolderPosition) {
    for (QAction* mode : {window->N25, window->N26}) {
        openPicture();
        mode->setChecked(true);
        const QString counter = window->Edit1->text();
        services_->setClipboardImage(filled(300, 200, qRgb(1, 2, 3)));
        window->ViewV1Click();
        EXPECT_TRUE(window->PasteP1->isEnabled());
        window->PasteP1Click();
        EXPECT_EQ(window->windowTitle(), "ClipBoard(300×200)");
        EXPECT_EQ(window->Edit1->text(), "0/0");
        EXPECT_NE(counter, "0/0");
        EXPECT_TRUE(folderCommandsOff());
        EXPECT_EQ(window->document().width(), 300);
        EXPECT_EQ(window->document().original.B[199][299], 3);
    }
}

TEST_F(DesktopCommandsTest, PasteConvertsEveryFormatAndDropsAlpha) {
    QImage indexed(3, 2, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(200, 100, 50)});
    indexed.fill(0);
    const struct {
        const char* name;
        QImage image;
        QRgb expected;
    } cases[] = {{"transparent ARGB32", filled(5, 4, qRgba(9, 8, 7, 0), QImage::Format_ARGB32), qRgb(9, 8, 7)},
                 {"16-bit", filled(5, 4, qRgb(255, 0, 255), QImage::Format_RGB16), qRgb(255, 0, 255)},
                 {"indexed", indexed, qRgb(200, 100, 50)},
                 {"RGB888", filled(7, 3, qRgb(1, 2, 3), QImage::Format_RGB888), qRgb(1, 2, 3)}};
    for (const auto& c : cases) {
        services_->setClipboardImage(c.image);
        window->PasteP1Click();
        const ImageDocument& doc = window->document();
        ASSERT_EQ(doc.width(), c.image.width()) << c.name;
        const std::uint8_t* last = doc.bitmap.row(doc.height() - 1) + 3 * (doc.width() - 1);
        EXPECT_EQ(qRgb(last[2], last[1], last[0]), c.expected) << c.name;
    }
}

TEST_F(DesktopCommandsTest, APictureTooLargeToHoldIsRefusedAndChangesNothing) {
    openPicture();
    services_->setClipboardImage(filled(30001, 1, qRgb(0, 0, 0)));
    window->PasteP1Click();
    EXPECT_EQ(services_->messages(),
              QStringList{"message: : クリップボードの画像が大きすぎて貼り付けられません（幅 30001 × 高さ 1）"});
    EXPECT_EQ(window->document().width(), 40);
    EXPECT_EQ(window->windowTitle(), "a.bmp(40×30)");
}

TEST_F(DesktopCommandsTest, CopyAfterAZoomGivesTheFullSizeBitmapAsACopyOfItsOwn) {
    openPicture();
    window->N2001Click();
    window->CopyC1Click();
    const QImage copied = platform().clipboardImage();
    ASSERT_EQ(copied.size(), QSize(40, 30));
    EXPECT_EQ(copied.pixel(39, 29), qRgb(7, 29, 39));
    EXPECT_NE(copied.constBits(), window->document().bitmap.data());
    window->OpenFile(writeBmp("b.bmp", 5, 5));
    EXPECT_EQ(platform().clipboardImage().pixel(39, 29), qRgb(7, 29, 39)) << "the next open leaves the copy alone";
}

TEST_F(DesktopCommandsTest, CopyThenPasteRoundTripsTheWorkingBitmap) {
    openPicture(9, 7);
    window->CopyC1Click();
    window->CLOSE1Click();
    window->PasteP1Click();
    EXPECT_EQ(window->windowTitle(), "ClipBoard(9×7)");
    EXPECT_EQ(window->document().current.G[6][8], 6);
}

TEST_F(DesktopCommandsTest, WallpaperIsTheWorkingBitmapAsA24BitBmpWhosePathThePlatformGets) {
    openPicture(6, 5);
    window->wallpaperClick();
    const QString path = dir.filePath("data/veltrane/Veltrane_Wallpaper.bmp");
    EXPECT_EQ(services_->wallpapers(), QStringList{path});
    EXPECT_TRUE(services_->messages().isEmpty());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const std::vector<std::uint8_t> expected = encodeBmp24(window->document().bitmap);
    EXPECT_EQ(bytes, QByteArray(reinterpret_cast<const char*>(expected.data()), static_cast<qsizetype>(expected.size())));
    EXPECT_EQ(static_cast<int>(bytes[28]), 24) << "bits per pixel";
}

TEST_F(DesktopCommandsTest, AWallpaperThatCannotBeWrittenAsksNothingOfTheDesktop) {
    openPicture();
    QFile blocker(dir.filePath("file"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    qputenv("XDG_DATA_HOME", dir.filePath("file").toUtf8());  // a file where the folder would go
    window->wallpaperClick();
    EXPECT_TRUE(services_->wallpapers().isEmpty());
    ASSERT_EQ(services_->messages().size(), 1);
    EXPECT_TRUE(services_->messages()[0].startsWith("message: : 壁紙ファイルを保存できませんでした（" +
                                                    dir.filePath("file/veltrane/Veltrane_Wallpaper.bmp") + "："))
        << services_->messages()[0].toStdString();
}

TEST_F(DesktopCommandsTest, TheDesktopsAnswerIsReported) {
    openPicture();
    const struct {
        WallpaperResult answer;
        QStringList messages;
    } cases[] = {{{WallpaperResult::Status::Set, {}}, {}},
                 {{WallpaperResult::Status::UnknownDesktop, {}}, {"message: : この環境では壁紙を設定できません"}},
                 {{WallpaperResult::Status::Failed, "応答なし"}, {"message: : 壁紙を設定できませんでした（応答なし）"}}};
    for (const auto& c : cases) {
        services_->clearMessages();
        services_->wallpaperAnswer = c.answer;
        window->wallpaperClick();
        EXPECT_EQ(services_->messages(), c.messages);
    }
}

TEST_F(DesktopCommandsTest, TransparencyLevelsSetTheAlphaAndExactlyOneMark) {
    window->show();
    const struct {
        void (TMain::*command)();
        int alpha;
        QAction* TMain::*checked;
    } cases[] = {{&TMain::transmitmuchClick, 178, &TMain::transmitmuch},
                 {&TMain::transmitlittleClick, 216, &TMain::transmitlittle},
                 {&TMain::transmitnoClick, 255, &TMain::transmitno},
                 {&TMain::transmitmuchClick, 178, &TMain::transmitmuch}};
    for (const auto& c : cases) {
        // A checkable item toggles itself before its handler runs: start from the toggled state.
        (window.get()->*c.checked)->toggle();
        (window.get()->*c.command)();
        for (QAction* mark : {window->transmitmuch, window->transmitlittle, window->transmitno})
            EXPECT_EQ(mark->isChecked(), mark == window.get()->*c.checked) << mark->objectName().toStdString();
        ASSERT_FALSE(services_->alphas().isEmpty());
        EXPECT_EQ(services_->alphas().last(), (QPair<QString, int>{"Main", c.alpha}));
        EXPECT_EQ(qRound(window->windowOpacity() * 255), c.alpha);
    }
    EXPECT_TRUE(services_->messages().isEmpty());
}

TEST_F(DesktopCommandsTest, WithoutTransparencyTheMessageShowsAndTheMarksStillMove) {
    services_->alphaWorks = false;
    window->transmitlittleClick();
    EXPECT_EQ(services_->messages(), QStringList{"message: : 設定ができませんでした。"});
    EXPECT_TRUE(window->transmitlittle->isChecked());
    EXPECT_FALSE(window->transmitno->isChecked());
    window->Etc1Click();
    EXPECT_FALSE(window->transmit->menuAction()->isEnabled());
    services_->alphaWorks = true;
    window->Etc1Click();
    EXPECT_TRUE(window->transmit->menuAction()->isEnabled()) << "asked again each time the menu opens";
}

TEST_F(DesktopCommandsTest, PropertiesAreAskedForTheOpenedFileOnly) {
    window->propertyClick();
    EXPECT_TRUE(services_->propertiesShown().isEmpty()) << "no file";
    const QString path = writeBmp("with space #%.bmp", 4, 4);
    window->OpenFile(path);
    window->propertyClick();
    EXPECT_EQ(services_->propertiesShown(), QStringList{path});
    QFile::remove(path);
    window->propertyClick();
    EXPECT_EQ(services_->propertiesShown().size(), 1) << "a file that is gone";
}

TEST_F(DesktopCommandsTest, ViewerWindowShowsItsControlsAndEachCommandMakesANewOne) {
    window->thumbClick();
    QPointer<TThumbnail> first = Thumbnail;
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->objectName(), "Thumbnail");
    EXPECT_EQ(first->windowTitle(), "ビューワーモード");
    EXPECT_TRUE(first->isVisible());
    EXPECT_FALSE(first->isModal());
    EXPECT_EQ(first->frameGeometry().size(), QSize(870, 488));
    EXPECT_NE(first->minimumSize(), first->maximumSize()) << "resizable";
    QStringList menus;
    for (QAction* menu : first->menuBar()->actions()) {
        menus << menu->text();
        EXPECT_TRUE(menu->menu()->actions().isEmpty());
    }
    EXPECT_EQ(menus, (QStringList{"File(&O)", "View(&V)", "Option(&O)"}));
    EXPECT_EQ(first->OnePage->text(), "1ページ");
    EXPECT_EQ(first->TwoPages->text(), "2ページ");
    first->OnePage->click();
    first->TwoPages->click();
    EXPECT_FALSE(first->OnePage->isChecked()) << "the page buttons are exclusive";
    EXPECT_TRUE(first->StatusBar1->findChildren<QLabel*>(Qt::FindDirectChildrenOnly).isEmpty());

    window->thumbClick();
    EXPECT_NE(Thumbnail, first.data());
    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull()) << "released on close";
    Thumbnail->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(Thumbnail, nullptr);
}

TEST_F(DesktopCommandsTest, CopyKeyReachesTheCommandWhileTheCounterHasTheFocus) {
    openPicture(8, 8);
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    window->Edit1->setFocus();
    QTest::keyClick(window->Edit1, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(platform().clipboardImage().size(), QSize(8, 8));
}

TEST_F(DesktopCommandsTest, PasteKeyWorksExactlyWhenThereIsAPictureWhateverTheMenuLastShowed) {
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    window->ViewV1Click();  // nothing on the clipboard: the item is disabled
    EXPECT_FALSE(window->PasteP1->isEnabled());
    window->Edit1->setFocus();
    services_->setClipboardImage(filled(12, 11, qRgb(5, 5, 5)));
    QTest::keyClick(window->Edit1, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(window->windowTitle(), "ClipBoard(12×11)");
    services_->setClipboardText("words");
    window->ScrollBox1->setFocus();
    QTest::keyClick(window.get(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(window->document().width(), 12);
}
