#pragma once
// A main window, a recording platform and a settings file of their own for the player's
// window tests, with generated media in a shared folder.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <functional>

#include "common/ini_file.h"
#include "platform/ui/scripted_platform.h"
#include "player/ui/display_window.h"
#include "player/ui/movie_controller.h"
#include "player/ui/media_fixtures.h"
#include "playlist/ui/file_list_window.h"
#include "support/fake_document_host.h"

namespace veltrane::test {

// Answers like the scripted platform and keeps every message box it was asked for.
class RecordingPlatform : public ScriptedPlatform {
public:
    struct Message {
        QString text;
        QString caption;
    };
    MessageResult messageBox(QWidget* owner, const QString& text, const QString& caption, MessageButtons buttons,
                             MessageIcon icon) override {
        messages.append({text, caption});
        return ScriptedPlatform::messageBox(owner, text, caption, buttons, icon);
    }
    QList<Message> messages;
};

// Lets the event loop run until done() holds or ms pass; returns done().
inline bool waitFor(const std::function<bool()>& done, int ms) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
    return done();
}

class PlayerFixture : public ::testing::Test {
protected:
    void SetUp() override {
        qputenv("VELTRANE_AUDIO_SINK", "fakesink");
        qputenv("VELTRANE_INI", settingsPath().toUtf8());
        writeSettings("");
        auto services = std::make_unique<RecordingPlatform>();
        recorder = services.get();
        setPlatform(std::move(services));
    }

    void TearDown() override {
        if (MovieController) MovieController->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        setPlatform(std::make_unique<ScriptedPlatform>());
    }

    QString settingsPath() const { return dir.filePath("Veltrane.ini"); }
    QString path(const QString& name) const { return dir.filePath(name); }

    // The settings file with the greeting already seen, and more lines after it.
    void writeSettings(const QString& extra) const {
        QFile file(settingsPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(("[KIRRO]\ngreeting=0\n" + extra).toUtf8());
    }

    IniFile readSettings() const {
        QFile file(settingsPath());
        if (!file.open(QIODevice::ReadOnly)) return IniFile::parse("");
        return IniFile::parse(file.readAll().toStdString());
    }

    // A folder of its own inside the test's folder.
    QString folder(const QString& name) const {
        QDir(dir.path()).mkpath(name);
        return dir.filePath(name) + "/";
    }

    // A controller on the real engine playing the file, as the program starts it (start flag
    // 1), once the engine has opened it or given up.
    TMovieController& openPlayer(const QString& file) {
        auto* player = new TMovieController(host);
        player->OpenMedia(file, 1);
        waitForOpen(*player);
        return *player;
    }

    static bool waitForOpen(TMovieController& player, int ms = 10000) {
        return waitFor([&] { return !player.engine().isOpening(); }, ms);
    }

    QTemporaryDir dir;
    RecordingPlatform* recorder = nullptr;
    // What a controller made by a test hands frames to and shows again when it closes.
    FakeDocumentHost host;
};

}  // namespace veltrane::test
