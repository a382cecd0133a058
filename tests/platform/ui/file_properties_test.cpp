// The properties request on a private session bus: a file manager that answers gets the file's
// URI and no window of ours appears; with none on the bus the program's own window opens.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDBusConnection>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <functional>

#include "platform/ui/file_properties.h"

using namespace veltrane;

namespace {

// Stands in for the desktop's file manager and records what it was asked.
class FakeFileManager : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.FileManager1")

public:
    QStringList uris;
    QString startupId = "unset";

public slots:
    void ShowItemProperties(const QStringList& items, const QString& startup) {
        uris = items;
        startupId = startup;
    }
};

QWidget* propertiesWindow() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "FileProperties") return w;
    return nullptr;
}

bool waitFor(const std::function<bool()>& done, int ms = 4000) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < ms) QTest::qWait(10);
    return done();
}

}  // namespace

TEST(FileProperties, TheFileManagerGetsTheUriOrOurOwnWindowOpens) {
    QProcess bus;
    bus.start("dbus-daemon", {"--session", "--nofork", "--nopidfile", "--print-address=1"});
    ASSERT_TRUE(bus.waitForStarted());
    ASSERT_TRUE(bus.waitForReadyRead(5000));
    const QString address = QString::fromUtf8(bus.readLine()).trimmed();
    ASSERT_FALSE(address.isEmpty());
    // The program's session connection is made on first use, after this.
    qputenv("DBUS_SESSION_BUS_ADDRESS", address.toUtf8());
    ASSERT_TRUE(QDBusConnection::sessionBus().isConnected()) << "the session bus was opened before this test";

    QTemporaryDir dir;
    const QString path = dir.filePath("a b#%\".bmp");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    FakeFileManager manager;
    {
        QDBusConnection fake = QDBusConnection::connectToBus(address, "veltrane-fake-file-manager");
        ASSERT_TRUE(fake.registerService("org.freedesktop.FileManager1"));
        ASSERT_TRUE(fake.registerObject("/org/freedesktop/FileManager1", &manager, QDBusConnection::ExportAllSlots));
    }
    requestFileProperties(nullptr, path);
    ASSERT_TRUE(waitFor([&] { return !manager.uris.isEmpty(); }));
    EXPECT_EQ(manager.uris, QStringList{QUrl::fromLocalFile(path).toString(QUrl::FullyEncoded)});
    EXPECT_TRUE(manager.uris[0].endsWith("/a%20b%23%25%22.bmp")) << manager.uris[0].toStdString();
    EXPECT_EQ(manager.startupId, "");
    QTest::qWait(100);
    EXPECT_EQ(propertiesWindow(), nullptr) << "the file manager answered";

    QDBusConnection::disconnectFromBus("veltrane-fake-file-manager");
    requestFileProperties(nullptr, path);
    ASSERT_TRUE(waitFor([] { return propertiesWindow() != nullptr; })) << "no file manager: our own window";
    propertiesWindow()->close();

    bus.kill();
    bus.waitForFinished();
}

#include "file_properties_test.moc"
