// The scene search window, on fake engines whose seeks it records and on generated clips.
#include <gtest/gtest.h>

#include <QPointer>
#include <QTest>

#include "frames/ui/experiment_window.h"
#include "player/ui/fake_media_engine.h"
#include "player/ui/player_fixture.h"
#include "player/ui/video_widget.h"
#include "scene/scene_search.h"
#include "scene/ui/scene_cap.h"
#include "scene/ui/scene_panel.h"
#include "support/fake_document_host.h"

using namespace veltrane;
using namespace veltrane::test;

namespace {

constexpr qint64 kSecond = 10'000'000;
constexpr qint64 kSixteenMinutes = 16 * 60 * kSecond;

class SceneCapTest : public PlayerFixture {
protected:
    void TearDown() override {
        if (SceneCap) SceneCap->close();
        PlayerFixture::TearDown();
    }

    // A controller on a fake engine with a 64 × 48 video of the given length open in it.
    TMovieController& fakePlayer(qint64 duration = kSixteenMinutes, const QString& file = "clip.avi") {
        auto engine = std::make_unique<FakeMediaEngine>();
        player = engine.get();
        auto* controller = new TMovieController(host, std::move(engine));
        player->reportedDuration = duration;
        player->reportedSize = QSize(64, 48);
        player->reportedSecondsPerFrame = 1.0 / 30;
        QFile(path(file)).open(QIODevice::WriteOnly);
        controller->OpenMedia(path(file), 1);
        player->finishOpen();
        return *controller;
    }

    // The search on fake previews, started and shown.
    TSceneCap& fakeSearch(TMovieController& controller) {
        previews.clear();
        auto* window = new TSceneCap(controller, [this] {
            auto engine = std::make_unique<FakeMediaEngine>();
            previews.append(engine.get());
            return engine;
        });
        SceneCap = window;
        window->StartSceneSearch();
        window->show();
        return *window;
    }

    static QStringList texts(std::initializer_list<QLabel*> labels) {
        QStringList result;
        for (QLabel* label : labels) result << label->text();
        return result;
    }

    // The start and stop of the last seek of each preview.
    QList<QPair<qint64, qint64>> lastSeeks() const {
        QList<QPair<qint64, qint64>> result;
        for (FakeMediaEngine* preview : previews)
            result.append(preview->seeks.isEmpty() ? qMakePair(qint64(-1), qint64(-1))
                                                   : qMakePair(preview->seeks.last().current, preview->seeks.last().stopAt));
        return result;
    }

    static QList<QPair<qint64, qint64>> scenesOfPage(int page, qint64 duration = kSixteenMinutes) {
        QList<QPair<qint64, qint64>> result;
        for (int k = 0; k < 4; ++k) {
            const qint64 start = sceneStart(duration, 4 * page + k);
            result.append(qMakePair(start, start + kScenePreviewLength));
        }
        return result;
    }

    FakeMediaEngine* player = nullptr;
    QList<FakeMediaEngine*> previews;
};

// A left click or double click where a user would make it: through the window system, so the
// event reaches whatever widget lies under the point.
void clickAt(QWidget* widget, bool doubleClick = false) {
    QWidget* window = widget->window();
    const QPoint at = widget->mapTo(window, widget->rect().center());
    if (doubleClick)
        QTest::mouseDClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
    else
        QTest::mouseClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
}

bool allBlack(QWidget* widget) {
    const QImage image = widget->grab().toImage();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFFu) != 0) return false;
    return true;
}

TEST_F(SceneCapTest, StartsPageZeroWithFourQuietPreviewsTenSecondsEach) {
    TMovieController& controller = fakePlayer();
    TSceneCap& window = fakeSearch(controller);

    EXPECT_EQ(window.windowTitle(), "Scene Capture(scene 1～16)");
    EXPECT_EQ(window.frameGeometry().size(), QSize(477, 463));
    EXPECT_TRUE(window.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(window.isModal());
    EXPECT_EQ(texts({window.Label10, window.Label11, window.Label12, window.Label13}),
              QStringList({"scene 1", "scene 2", "scene 3", "scene 4"}));
    EXPECT_EQ(texts({window.Label1, window.Label2, window.Label3, window.Label4}),
              QStringList({"0:00:00", "0:01:00", "0:02:00", "0:03:00"}));
    EXPECT_EQ(window.Label19->text(), "↑再生したいシーンを左ダブルクリックして下さい。");
    EXPECT_EQ(window.SpeedButton1->text(), "Next Page");
    EXPECT_EQ(window.SpeedButton2->text(), "Previous Page");
    EXPECT_TRUE(window.SpeedButton1->isEnabled());
    EXPECT_FALSE(window.SpeedButton2->isEnabled());
    EXPECT_TRUE(window.Timer1->isActive());
    EXPECT_EQ(window.Timer1->interval(), 6500);
    EXPECT_EQ(window.scenePage(), 0);

    ASSERT_EQ(previews.size(), 4);
    EXPECT_EQ(lastSeeks(), scenesOfPage(0));
    for (int k = 0; k < 4; ++k) {
        FakeMediaEngine* preview = previews[k];
        EXPECT_EQ(preview->path(), controller.mediaPath()) << k;
        EXPECT_EQ(preview->volume(), -3000) << k;
        EXPECT_EQ(preview->deliveredVideoSize(), QSize(200, 150)) << k;
        EXPECT_EQ(preview->runs, 1) << k;
        EXPECT_EQ(window.previewVideo(k)->engine(), preview) << k;
        EXPECT_EQ(window.previewVideo(k)->geometry(), QRect(5, 5, 200, 150)) << k;
    }
    for (ScenePanel* panel : {window.Panel1, window.Panel2, window.Panel3, window.Panel4})
        EXPECT_EQ(panel->size(), QSize(210, 160));
    // The player keeps playing beside the search.
    EXPECT_TRUE(player->isRunning());
}

TEST_F(SceneCapTest, PagesRestartThePreviewsAndEachTouchesOneButton) {
    TMovieController& controller = fakePlayer();
    TSceneCap& window = fakeSearch(controller);

    window.SpeedButton1Click();
    EXPECT_EQ(window.scenePage(), 1);
    EXPECT_EQ(lastSeeks(), scenesOfPage(1));
    EXPECT_TRUE(window.SpeedButton2->isEnabled());
    window.SpeedButton1Click();
    window.SpeedButton1Click();
    EXPECT_EQ(window.scenePage(), 3);
    EXPECT_EQ(texts({window.Label10, window.Label11, window.Label12, window.Label13}),
              QStringList({"scene 13", "scene 14", "scene 15", "scene 16"}));
    EXPECT_EQ(texts({window.Label1, window.Label2, window.Label3, window.Label4}),
              QStringList({"0:12:00", "0:13:00", "0:14:00", "0:15:00"}));
    EXPECT_FALSE(window.SpeedButton1->isEnabled());
    EXPECT_TRUE(window.Timer1->isActive());
    for (FakeMediaEngine* preview : previews) EXPECT_EQ(preview->runs, 4);

    // "Next Page" on page 3 changes nothing.
    const int seeksBefore = previews[0]->seeks.size();
    window.SpeedButton1Click();
    EXPECT_EQ(window.scenePage(), 3);
    EXPECT_EQ(previews[0]->seeks.size(), seeksBefore);

    // Page 2 enables "Next Page" and leaves "Previous Page" as it is.
    window.SpeedButton2->setEnabled(false);
    window.SpeedButton2Click();  // disabled for a user, yet the handler still runs for a script
    EXPECT_EQ(window.scenePage(), 2);
    EXPECT_TRUE(window.SpeedButton1->isEnabled());
    EXPECT_FALSE(window.SpeedButton2->isEnabled());
    window.SpeedButton2Click();
    window.SpeedButton2Click();
    EXPECT_EQ(window.scenePage(), 0);
    EXPECT_FALSE(window.SpeedButton2->isEnabled());
    EXPECT_EQ(lastSeeks(), scenesOfPage(0));
    window.SpeedButton2Click();
    EXPECT_EQ(window.scenePage(), 0);
}

TEST_F(SceneCapTest, TheTimerRestartsTheScenesOfThePageShown) {
    TMovieController& controller = fakePlayer(100 * kSecond + 7);
    TSceneCap& window = fakeSearch(controller);
    window.SpeedButton1Click();
    for (FakeMediaEngine* preview : previews) preview->seeks.clear();

    window.Timer1Timer();
    EXPECT_EQ(lastSeeks(), scenesOfPage(1, 100 * kSecond + 7));
    for (FakeMediaEngine* preview : previews) {
        EXPECT_EQ(preview->seeks.size(), 1);
        EXPECT_TRUE(preview->isRunning());
    }
}

TEST_F(SceneCapTest, AClickOnAPreviewColoursItsPanelSkyBlue) {
    TMovieController& controller = fakePlayer();
    TSceneCap& window = fakeSearch(controller);
    const QColor buttonFace = window.palette().color(QPalette::Button);
    const QColor skyBlue(166, 202, 240);
    EXPECT_EQ(window.Panel1->color(), buttonFace);

    // On the video: the click belongs to its panel.
    clickAt(window.previewVideo(2));
    EXPECT_EQ(window.Panel3->color(), skyBlue);
    clickAt(window.Panel2);
    EXPECT_EQ(window.Panel2->color(), skyBlue);
    for (ScenePanel* panel : {window.Panel1, window.Panel3, window.Panel4}) EXPECT_EQ(panel->color(), buttonFace);
    // The panel shows the colour around its video.
    EXPECT_EQ(window.Panel2->grab().toImage().pixelColor(2, 80), skyBlue);
}

TEST_F(SceneCapTest, ADoubleClickClosesTheSearchAndPlaysTheSceneToTheEnd) {
    TMovieController& controller = fakePlayer();
    TSceneCap& window = fakeSearch(controller);
    QPointer<TSceneCap> watched(&window);
    QList<QPointer<MediaEngine>> watchedPreviews;
    for (FakeMediaEngine* preview : previews) watchedPreviews.append(preview);
    window.SpeedButton1Click();
    window.SpeedButton1Click();
    controller.SpeedButtonPauseClick();
    const int runsBefore = player->runs;

    // Panel 3 on page 2 is scene 11: 10/16 of the duration.
    clickAt(window.previewVideo(2), true);
    ASSERT_FALSE(player->seeks.isEmpty());
    EXPECT_EQ(player->seeks.last().current, kSixteenMinutes * 10 / 16);
    EXPECT_EQ(player->seeks.last().stopAt, kSixteenMinutes);
    EXPECT_EQ(player->runs, runsBefore + 1);
    EXPECT_TRUE(player->isRunning());
    EXPECT_TRUE(controller.Timer1->isActive());
    EXPECT_TRUE(controller.Timer3->isActive());

    // The window and its previews go once the handler has returned.
    EXPECT_EQ(SceneCap, nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(watched.isNull());
    for (const QPointer<MediaEngine>& preview : watchedPreviews) EXPECT_TRUE(preview.isNull());
}

TEST_F(SceneCapTest, WhileFrameProcessingIsOpenADoubleClickOnlyClosesTheSearch) {
    TMovieController& controller = fakePlayer();
    TSceneCap& window = fakeSearch(controller);
    test::FakeDocumentHost host;
    TExperiment experiment(host, nullptr);  // sets the global while it exists
    ASSERT_EQ(Experiment, &experiment);
    const int seeksBefore = static_cast<int>(player->seeks.size());
    const int runsBefore = player->runs;
    clickAt(window.previewVideo(1), true);
    EXPECT_EQ(SceneCap, nullptr);
    EXPECT_EQ(static_cast<int>(player->seeks.size()), seeksBefore);
    EXPECT_EQ(player->runs, runsBefore);
}

TEST_F(SceneCapTest, TheCommandWantsAnOpenVideoAndReplacesAnOpenSearch) {
    auto engine = std::make_unique<FakeMediaEngine>();
    player = engine.get();
    auto* controller = new TMovieController(host, std::move(engine));
    controller->SceneCaptureS1Click();
    EXPECT_EQ(SceneCap, nullptr);  // nothing open yet

    player->reportedDuration = kSixteenMinutes;
    player->reportedSize = QSize(64, 48);
    QFile(path("first.avi")).open(QIODevice::WriteOnly);
    controller->OpenMedia(path("first.avi"), 1);
    controller->SceneCaptureS1Click();
    EXPECT_EQ(SceneCap, nullptr);  // still opening
    player->finishOpen();

    controller->SceneCaptureS1Click();
    QPointer<TSceneCap> first = SceneCap;
    ASSERT_FALSE(first.isNull());
    EXPECT_TRUE(first->isVisible());
    controller->SceneCaptureS1Click();
    QPointer<TSceneCap> second = SceneCap;
    ASSERT_FALSE(second.isNull());
    EXPECT_NE(first.data(), second.data());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());

    // Another file closes the search with the old one.
    controller->CloseMedia();
    EXPECT_EQ(SceneCap, nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(second.isNull());
}

TEST_F(SceneCapTest, PreviewsThatCannotOpenStayBlackWithoutAWord) {
    // The fake player "plays" an empty file, which no real preview can open.
    TMovieController& controller = fakePlayer(kSixteenMinutes, "empty.avi");
    controller.SceneCaptureS1Click();
    ASSERT_NE(SceneCap, nullptr);
    TSceneCap& window = *SceneCap;
    ASSERT_TRUE(waitFor(
        [&] {
            for (int k = 0; k < 4; ++k)
                if (window.preview(k).isOpening()) return false;
            return true;
        },
        10000));
    QCoreApplication::processEvents();
    for (int k = 0; k < 4; ++k) {
        EXPECT_FALSE(window.preview(k).isOpen()) << k;
        EXPECT_TRUE(allBlack(window.previewVideo(k))) << k;
    }
    EXPECT_TRUE(recorder->messages.isEmpty());
    // The pages still turn, on nothing.
    window.SpeedButton1Click();
    window.Timer1Timer();
    EXPECT_EQ(window.scenePage(), 1);
}

TEST_F(SceneCapTest, OnAClipThePreviewsPlayScaledAndADoubleClickSeeksThePlayer) {
    const QString clip = path("bars.avi");
    writeAvi(clip, 300, 64, 48, "smpte");  // 10 seconds: the scenes lie 0.625 s apart
    TMovieController& controller = openPlayer(clip);
    ASSERT_TRUE(controller.mediaOpen());
    controller.SceneCaptureS1Click();
    ASSERT_NE(SceneCap, nullptr);
    TSceneCap& window = *SceneCap;

    // Each preview delivers frames at the panel's size while it knows the clip's own size.
    ASSERT_TRUE(waitFor(
        [&] {
            for (int k = 0; k < 4; ++k)
                if (!window.preview(k).isOpen() || window.preview(k).currentFrame().isNull()) return false;
            return true;
        },
        10000));
    for (int k = 0; k < 4; ++k) {
        const VideoFrame frame = window.preview(k).currentFrame();
        EXPECT_EQ(QSize(frame.width, frame.height), QSize(200, 150)) << k;
        EXPECT_EQ(window.preview(k).nativeSize(), QSize(64, 48)) << k;
        EXPECT_EQ(window.preview(k).volume(), -3000) << k;
    }
    EXPECT_EQ(controller.videoWidth(), 64);

    const qint64 duration = controller.duration();
    const qint64 target = sceneJumpPosition(duration, 1);
    clickAt(window.Panel2, true);
    EXPECT_EQ(SceneCap, nullptr);
    // The seek completes on GStreamer's threads; the stop before it reads position 0 until then.
    ASSERT_TRUE(waitFor([&] { return !controller.engine().isSeeking() && controller.currentPosition() > 0; }, 5000));
    EXPECT_TRUE(controller.running());
    // Playing on from the scene: at or a little after its start, before scene 4 (a slow machine
    // may take a while to get here).
    const qint64 at = controller.currentPosition();
    EXPECT_GE(at, target - kSecond / 30);
    EXPECT_LT(at, sceneJumpPosition(duration, 3));
}

}  // namespace
