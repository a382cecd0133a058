#pragma once
// Runs an automation script line by line from the event loop, so a line that opens a modal
// window is followed by lines that drive that window.
#include <QElapsedTimer>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <optional>

#include "app/script_parser.h"

namespace veltrane {

class ScriptedPlatform;

class ScriptRunner : public QObject {
    Q_OBJECT

public:
    ScriptRunner(QStringList lines, ScriptedPlatform* platform, QObject* parent = nullptr);

    // Schedules the first line; the run ends the application when it finishes.
    void start();

    // Reads a script file, or standard input for "-". Returns false when it cannot be read.
    static bool readScript(const QString& path, QStringList& lines);

private:
    void step();
    void execute(const ScriptCommand& command);
    void fail(const QString& why);
    void finish();

    QObject* window(const std::string& name);
    QObject* control(const std::string& windowName, const std::string& controlName);
    QObject* target(const std::vector<std::string>& path, std::size_t depth);
    void call(QObject* object, const std::string& method, const std::vector<ScriptValue>& args);
    void setProperty(QObject* object, const std::string& name, const ScriptValue& value);
    void print(const ScriptCommand& command);
    QString valueOf(const std::vector<std::string>& path);
    // The printed form of Window[.Control].prop; nullopt (with the reason) while the window
    // or control does not exist.
    std::optional<QString> readValue(const std::vector<std::string>& path, QString& missing);
    // "wait until": polls every 10 ms; the next line runs once the value has come.
    void startWaiting(const ScriptCommand& command, int lineNumber);
    void pollWaiting();
    void save(const ScriptCommand& command);
    void drop(const ScriptCommand& command);

    QStringList lines_;
    ScriptedPlatform* platform_;
    int next_ = 0;
    bool failed_ = false;

    struct Waiting {
        std::vector<std::string> path;
        QString expected;  // the value in its printed form
        qint64 timeoutMs = 0;
        int lineNumber = 0;
        QElapsedTimer clock;
    };
    std::optional<Waiting> waiting_;
    QTimer poll_;
};

}  // namespace veltrane
