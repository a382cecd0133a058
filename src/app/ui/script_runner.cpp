#include "app/ui/script_runner.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMetaMethod>
#include <QTextStream>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <stdexcept>

#include "app/ui/app_windows.h"
#include "app/ui/main_window.h"
#include "common/busy_gate.h"
#include "image/bmp_codec.h"
#include "platform/ui/scripted_platform.h"
#include "uisupport/ui/atomic_write.h"
#include "widgets/ui/picture_view.h"

namespace veltrane {

namespace {

// A line that cannot be carried out: reported as a script error.
struct ScriptFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

QVariant toVariant(const ScriptValue& value) {
    if (const auto* i = std::get_if<long long>(&value)) return QVariant::fromValue(*i);
    if (const auto* b = std::get_if<bool>(&value)) return QVariant(*b);
    return QVariant(QString::fromStdString(std::get<std::string>(value)));
}

QString formatValue(const QVariant& value) {
    if (value.typeId() == QMetaType::Bool) return value.toBool() ? "true" : "false";
    if (value.typeId() == QMetaType::QStringList) return value.toStringList().join(" | ");
    if (value.typeId() == QMetaType::QColor) {
        const QColor c = value.value<QColor>();
        return QString("%1, %2, %3").arg(c.red()).arg(c.green()).arg(c.blue());
    }
    return value.toString();
}

QString dotted(const std::vector<std::string>& path) {
    QStringList parts;
    for (const std::string& p : path) parts << QString::fromStdString(p);
    return parts.join('.');
}

QImage pictureOf(QObject* object) {
    if (auto* view = qobject_cast<PictureView*>(object)) return view->picture();
    if (auto* label = qobject_cast<QLabel*>(object)) return label->pixmap().toImage();
    const QVariant image = object->property("image");
    if (image.canConvert<QImage>()) return image.value<QImage>();
    throw ScriptFailure("'" + object->objectName().toStdString() + "' shows no picture");
}

void writeOut(const QString& text) {
    std::fputs(text.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

}  // namespace

ScriptRunner::ScriptRunner(QStringList lines, ScriptedPlatform* platform, QObject* parent)
    : QObject(parent), lines_(std::move(lines)), platform_(platform) {
    poll_.setInterval(10);
    connect(&poll_, &QTimer::timeout, this, &ScriptRunner::pollWaiting);
}

bool ScriptRunner::readScript(const QString& path, QStringList& lines) {
    QFile file;
    const bool opened = path == "-" ? file.open(stdin, QIODevice::ReadOnly) : (file.setFileName(path), file.open(QIODevice::ReadOnly));
    if (!opened) return false;
    const QString text = QString::fromUtf8(file.readAll());
    lines = text.split('\n');
    for (QString& line : lines)
        if (line.endsWith('\r')) line.chop(1);
    return true;
}

void ScriptRunner::start() { QTimer::singleShot(0, this, &ScriptRunner::step); }

void ScriptRunner::step() {
    if (failed_) return;
    // A window's timed work (an automatic PCNN run) holds every further line until it ends.
    if (BusyGate::held()) {
        QTimer::singleShot(10, this, &ScriptRunner::step);
        return;
    }
    while (next_ < lines_.size()) {
        const int lineNumber = next_ + 1;
        const ScriptParseResult parsed = parseScriptLine(lines_[next_++].toStdString());
        if (!parsed.error.empty()) {
            fail(QString("line %1: %2").arg(lineNumber).arg(QString::fromStdString(parsed.error)));
            return;
        }
        if (!parsed.command) continue;
        const ScriptCommand& command = *parsed.command;
        if (command.kind == ScriptCommand::Kind::Quit) {
            finish();
            return;
        }
        if (command.kind == ScriptCommand::Kind::WaitUntil) {
            startWaiting(command, lineNumber);
            return;
        }
        // The next line is scheduled before this one runs: if this line opens a modal window,
        // the next runs inside that window's own event loop.
        const int delay = command.kind == ScriptCommand::Kind::Wait ? static_cast<int>(std::get<long long>(command.args[0])) : 0;
        QTimer::singleShot(delay, this, &ScriptRunner::step);
        try {
            execute(command);
        } catch (const ScriptFailure& failure) {
            fail(QString("line %1: %2").arg(lineNumber).arg(QString::fromUtf8(failure.what())));
        }
        return;
    }
    finish();
}

void ScriptRunner::startWaiting(const ScriptCommand& command, int lineNumber) {
    Waiting w;
    w.path = command.path;
    w.expected = formatValue(toVariant(command.args[0]));
    w.timeoutMs = std::get<long long>(command.args[1]);
    w.lineNumber = lineNumber;
    w.clock.start();
    waiting_ = std::move(w);
    pollWaiting();
    if (waiting_) poll_.start();
}

void ScriptRunner::pollWaiting() {
    if (!waiting_ || failed_) return;
    QString missing;
    std::optional<QString> value;
    try {
        value = readValue(waiting_->path, missing);
    } catch (const ScriptFailure& failure) {  // a property the window does not have
        poll_.stop();
        const int line = waiting_->lineNumber;
        waiting_.reset();
        fail(QString("line %1: %2").arg(line).arg(QString::fromUtf8(failure.what())));
        return;
    }
    if (value && *value == waiting_->expected) {
        poll_.stop();
        waiting_.reset();
        QTimer::singleShot(0, this, &ScriptRunner::step);
        return;
    }
    if (waiting_->clock.elapsed() < waiting_->timeoutMs) return;
    poll_.stop();
    const Waiting w = std::move(*waiting_);
    waiting_.reset();
    fail(QString("line %1: timed out waiting for %2 = %3 (%4)")
             .arg(w.lineNumber)
             .arg(dotted(w.path), w.expected, value ? "last value: " + *value : missing));
}

void ScriptRunner::fail(const QString& why) {
    failed_ = true;
    std::fprintf(stderr, "script error: %s\n", why.toUtf8().constData());
    std::fflush(stderr);
    QApplication::exit(2);
}

void ScriptRunner::finish() {
    failed_ = true;  // nothing more runs
    // The run ends as the program does when its main window is closed.
    if (Main) Main->close();
    QApplication::exit(0);
}

QObject* ScriptRunner::window(const std::string& name) {
    const QString wanted = QString::fromStdString(name);
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == wanted) return widget;
    throw ScriptFailure("unknown window '" + name + "'");
}

QObject* ScriptRunner::control(const std::string& windowName, const std::string& controlName) {
    QObject* owner = window(windowName);
    if (QObject* found = owner->findChild<QObject*>(QString::fromStdString(controlName))) return found;
    throw ScriptFailure("unknown control '" + windowName + "." + controlName + "'");
}

// The object named by the first depth names of path: a window, or a window's control.
QObject* ScriptRunner::target(const std::vector<std::string>& path, std::size_t depth) {
    return depth == 1 ? window(path[0]) : control(path[0], path[1]);
}

void ScriptRunner::execute(const ScriptCommand& command) {
    using Kind = ScriptCommand::Kind;
    switch (command.kind) {
    case Kind::Call:
        call(target(command.path, command.path.size() - 1), command.path.back(), command.args);
        break;
    case Kind::SetProperty:
        setProperty(target(command.path, command.path.size() - 1), command.path.back(), command.args[0]);
        break;
    case Kind::Print: print(command); break;
    case Kind::Save: save(command); break;
    case Kind::AnswerOpen:
    case Kind::AnswerSave: {
        ScriptedPlatform::DialogAnswer answer;
        answer.kind = command.kind == Kind::AnswerOpen ? ScriptedPlatform::DialogKind::Open : ScriptedPlatform::DialogKind::Save;
        answer.file.path = QString::fromStdString(std::get<std::string>(command.args[0]));
        answer.file.filterIndex = static_cast<int>(std::get<long long>(command.args[1]));
        platform_->queueDialogAnswer(answer);
        break;
    }
    case Kind::AnswerCancel: platform_->queueDialogAnswer({}); break;
    case Kind::AnswerColor: {
        ScriptedPlatform::DialogAnswer answer;
        answer.kind = ScriptedPlatform::DialogKind::Color;
        answer.color = QColor(static_cast<int>(std::get<long long>(command.args[0])),
                              static_cast<int>(std::get<long long>(command.args[1])),
                              static_cast<int>(std::get<long long>(command.args[2])));
        platform_->queueDialogAnswer(answer);
        break;
    }
    case Kind::AnswerShow: platform_->queueShowPicker(); break;
    case Kind::AnswerButton: {
        const std::string& w = command.word;
        platform_->queueButton(w == "Yes" ? MessageResult::Yes
                               : w == "No" ? MessageResult::No
                               : w == "Cancel" ? MessageResult::Cancel
                                               : MessageResult::Ok);
        break;
    }
    case Kind::Drop: drop(command); break;
    case Kind::Wait:
    case Kind::WaitUntil:
    case Kind::Quit: break;
    }
}

void ScriptRunner::call(QObject* object, const std::string& method, const std::vector<ScriptValue>& args) {
    const QMetaObject* meta = object->metaObject();
    for (int i = meta->methodCount() - 1; i >= 0; --i) {
        const QMetaMethod m = meta->method(i);
        if (m.name() != method.c_str() || m.parameterCount() != static_cast<int>(args.size())) continue;
        if (m.methodType() == QMetaMethod::Signal) continue;
        QVariantList values;
        for (std::size_t a = 0; a < args.size(); ++a) {
            QVariant value = toVariant(args[a]);
            if (!value.convert(m.parameterMetaType(static_cast<int>(a))))
                throw ScriptFailure("argument " + std::to_string(a + 1) + " of '" + method + "' has the wrong type");
            values << value;
        }
        QGenericArgument generic[10];
        for (int a = 0; a < values.size(); ++a)
            generic[a] = QGenericArgument(values[a].typeName(), values[a].constData());
        runGuarded([&] {
            m.invoke(object, Qt::DirectConnection, generic[0], generic[1], generic[2], generic[3], generic[4], generic[5],
                     generic[6], generic[7], generic[8], generic[9]);
        });
        return;
    }
    throw ScriptFailure("unknown handler or method '" + object->objectName().toStdString() + "." + method + "' with " +
                        std::to_string(args.size()) + " argument(s)");
}

void ScriptRunner::setProperty(QObject* object, const std::string& name, const ScriptValue& value) {
    const QMetaObject* meta = object->metaObject();
    const int index = meta->indexOfProperty(name.c_str());
    if (index < 0) throw ScriptFailure("unknown property '" + object->objectName().toStdString() + "." + name + "'");
    const QMetaProperty property = meta->property(index);
    QVariant converted = toVariant(value);
    if (!converted.convert(property.metaType()))
        throw ScriptFailure("value of the wrong type for '" + name + "'");
    bool written = false;
    runGuarded([&] { written = property.write(object, converted); });
    if (!written) throw ScriptFailure("property '" + name + "' cannot be set");
}

std::optional<QString> ScriptRunner::readValue(const std::vector<std::string>& path, QString& missing) {
    try {
        target(path, path.size() - 1);
    } catch (const ScriptFailure& failure) {
        missing = QString::fromUtf8(failure.what());
        return std::nullopt;
    }
    return valueOf(path);
}

QString ScriptRunner::valueOf(const std::vector<std::string>& path) {
    QObject* object = target(path, path.size() - 1);
    const std::string& name = path.back();
    QVariant value;
    auto* topLevel = qobject_cast<QWidget*>(object);
    if (path.size() == 2 && topLevel && (name == "width" || name == "height")) {
        // A window's size is its outer frame size.
        const QRect frame = topLevel->frameGeometry();
        value = name == "width" ? frame.width() : frame.height();
    } else {
        const int index = object->metaObject()->indexOfProperty(name.c_str());
        if (index < 0) throw ScriptFailure("unknown property '" + dotted(path).toStdString() + "'");
        value = object->metaObject()->property(index).read(object);
    }
    return formatValue(value);
}

void ScriptRunner::print(const ScriptCommand& command) { writeOut(dotted(command.path) + " = " + valueOf(command.path)); }

void ScriptRunner::save(const ScriptCommand& command) {
    const QImage picture = pictureOf(control(command.path[0], command.path[1])).convertToFormat(QImage::Format_BGR888);
    const QString path = QString::fromStdString(std::get<std::string>(command.args[0]));
    if (picture.isNull()) throw ScriptFailure("'" + command.path[1] + "' shows no picture");
    Bitmap24 bitmap(picture.width(), picture.height());
    for (int y = 0; y < picture.height(); ++y)
        std::copy_n(picture.constScanLine(y), static_cast<std::size_t>(picture.width()) * 3, bitmap.row(y));
    const std::vector<std::uint8_t> bytes = encodeBmp24(bitmap);
    if (const std::optional<QString> error =
            writeFileAtomically(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size())))
        throw ScriptFailure("cannot write '" + path.toStdString() + "': " + error->toStdString());
}

void ScriptRunner::drop(const ScriptCommand& command) {
    QObject* target = window(command.path[0]);
    QStringList paths;
    for (const ScriptValue& value : command.args) paths << QString::fromStdString(std::get<std::string>(value));
    const QMetaObject* meta = target->metaObject();
    if (meta->indexOfMethod("FilesDropped(QStringList)") < 0)
        throw ScriptFailure("window '" + command.path[0] + "' takes no dropped files");
    runGuarded([&] { QMetaObject::invokeMethod(target, "FilesDropped", Qt::DirectConnection, Q_ARG(QStringList, paths)); });
}

}  // namespace veltrane
