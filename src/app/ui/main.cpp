// Veltrane: start-up. Creates the main window, the progress window and the histogram
// window, then runs the event loop; "--script FILE" drives the program from a script and
// a plain argument opens that file as the open command would. "batch" runs the command-line
// batch mode instead, before anything of Qt exists, so it needs no display.
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/ui/app_windows.h"
#include "app/ui/main_window.h"
#include "app/ui/script_runner.h"
#include "app/ui/veltrane_application.h"
#include "batch/batch_command.h"
#include "image/ui/histogram_window.h"
#include "platform/ui/scripted_platform.h"
#include "widgets/ui/progress_window.h"

using namespace veltrane;

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "batch") == 0) return runBatchCommand(std::vector<std::string>(argv + 2, argv + argc));

    // The program places its windows and keeps one on top, which Wayland clients may not
    // do: ask for XWayland unless the user chose a platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariable("XDG_SESSION_TYPE") == "wayland")
        qputenv("QT_QPA_PLATFORM", "xcb");

    VeltraneApplication app(argc, argv);
    const QStringList args = app.arguments();
    QString scriptPath;
    QString filePath;
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == "--script" && i + 1 < args.size())
            scriptPath = args[++i];
        else if (filePath.isEmpty())
            filePath = args[i];
    }

    QStringList scriptLines;
    ScriptedPlatform* scripted = nullptr;
    if (!scriptPath.isEmpty()) {
        if (!ScriptRunner::readScript(scriptPath, scriptLines)) {
            std::fprintf(stderr, "script error: line 0: cannot read %s\n", scriptPath.toLocal8Bit().constData());
            return 2;
        }
        auto services = std::make_unique<ScriptedPlatform>();
        scripted = services.get();
        setPlatform(std::move(services));
    }

    Main = new TMain;
    Main->start();
    Progress = new TProgress(Main);
    Histogram = new THistogram(*Main);
    Main->show();

    if (!filePath.isEmpty()) QTimer::singleShot(0, Main, [filePath] { Main->OpenFile(filePath); });
    ScriptRunner* runner = nullptr;
    if (scripted) {
        runner = new ScriptRunner(scriptLines, scripted, &app);
        runner->start();
    }
    const int status = app.exec();
    delete Histogram;
    delete Progress;
    delete Main;
    return status;
}
