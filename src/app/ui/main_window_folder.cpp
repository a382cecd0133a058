// Stepping through the pictures of the opened file's folder.
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QWheelEvent>

#include "app/ui/main_window.h"
#include "image/image_file.h"
#include "widgets/ui/picture_view.h"

namespace veltrane {

namespace {

// Windows virtual-key codes of the keys the counter field tells apart.
int virtualKeyOf(const QKeyEvent* event) {
    const int key = event->key();
    if (event->modifiers() & Qt::KeypadModifier) {
        if (key >= Qt::Key_0 && key <= Qt::Key_9) return 0x60 + (key - Qt::Key_0);  // numeric keypad
    }
    switch (key) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Delete: return 46;
    default: break;
    }
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z)) return key;
    return 0xFF;  // any other key
}

}  // namespace

void TMain::SetCounterText(const QString& text) {
    counterText_ = text;
    Edit1->setText(text);
}

void TMain::ScanFolder() {
    const QFileInfo info(QFile::decodeName(doc_.fileName.c_str()));
    folderPath_ = info.absolutePath() + "/";
    FolderScan scan = scanFolder(QFile::encodeName(info.absolutePath()).toStdString(),
                                 QFile::encodeName(info.fileName()).toStdString());
    folderList_ = std::move(scan.names);
    folderCount_ = static_cast<int>(folderList_.size());
    folderPosition_ = scan.position;
    SetCounterText(QString::fromStdString(counterText(folderPosition_, folderCount_)));
}

void TMain::Navigate(NavStep step) {
    const int previous = folderPosition_;
    folderPosition_ = step.position;
    if (step.load) LoadFolderEntry(previous);
}

void TMain::LoadFolderEntry(int previousPosition) {
    if (folderPosition_ < 1 || folderPosition_ > static_cast<int>(folderList_.size())) return;
    const std::string path = QFile::encodeName(folderPath_).toStdString() + folderList_[folderPosition_ - 1];
    DecodedImage decoded;
    try {
        decoded = loadImageFile(path, classifyFile(path));
        AdoptPicture(std::move(decoded.bitmap), path);
    } catch (...) {
        // A file that vanished, fails to decode or does not fit in memory leaves the picture,
        // position and counter as they were.
        folderPosition_ = previousPosition;
        SetCounterText(counterText_);
        throw;
    }
    SetCounterText(QString::fromStdString(counterText(folderPosition_, folderCount_)));
    setWindowTitle(QString::fromStdString(imageCaption(ShortFileName().toStdString(), doc_.width(), doc_.height())));
    if (decoded.bitsPerPixel == 1)
        DisableImageCommands();
    else
        EnableImageCommands();
    EnableFolderCommands();
    ApplyDisplayMode();
}

void TMain::NextFileN1Click() { Navigate(nextFile(folderPosition_, folderCount_)); }
void TMain::PreviousFileP1Click() { Navigate(previousFile(folderPosition_, folderCount_)); }
void TMain::FisrtFileF1Click() { Navigate(firstFile(folderPosition_, folderCount_)); }
void TMain::LastFileL1Click() { Navigate(lastFile(folderPosition_, folderCount_)); }

void TMain::FormMouseWheelDown(bool rightButtonHeld) { Navigate(wheelDown(folderPosition_, folderCount_, rightButtonHeld)); }
void TMain::FormMouseWheelUp(bool rightButtonHeld) { Navigate(wheelUp(folderPosition_, folderCount_, rightButtonHeld)); }

void TMain::wheelEvent(QWheelEvent* event) {
    const bool right = event->buttons() & Qt::RightButton;
    runGuarded([&] { event->angleDelta().y() < 0 ? FormMouseWheelDown(right) : FormMouseWheelUp(right); });
    event->accept();
}

void TMain::Edit1KeyDown(int virtualKey) {
    switch (counterKeyAction(virtualKey)) {
    case CounterKeyAction::Ignore: break;
    case CounterKeyAction::TakeEditText: counterText_ = Edit1->text(); break;
    case CounterKeyAction::RestoreCounterText: Edit1->setText(counterText_); break;
    }
}

bool TMain::IsMenuShortcut(const QKeyEvent* event) const {
    const QKeySequence pressed(event->keyCombination());
    for (const QAction* action : findChildren<QAction*>())
        if (action->isEnabled() && action->shortcutContext() == Qt::WindowShortcut && !action->shortcut().isEmpty() &&
            action->shortcut().matches(pressed) == QKeySequence::ExactMatch)
            return true;
    return false;
}

bool TMain::eventFilter(QObject* watched, QEvent* event) {
    // The counter field would take Ctrl+C and the like for itself; a menu command comes first.
    if (watched == Edit1 && event->type() == QEvent::ShortcutOverride && IsMenuShortcut(static_cast<QKeyEvent*>(event))) {
        event->ignore();
        return true;
    }
    if (watched == Edit1 && event->type() == QEvent::KeyPress) {
        const int key = virtualKeyOf(static_cast<QKeyEvent*>(event));
        runGuarded([&] { Edit1KeyDown(key); });
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace veltrane
