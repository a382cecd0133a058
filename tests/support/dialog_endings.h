#pragma once
// The ways a person ends a dialog without OK, for window tests that check each of them.
#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <functional>
#include <utility>
#include <vector>

namespace veltrane::test {

// The Esc key as the window receives it.
inline void pressEscape(QWidget& window) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&window, &press);
}

// "Cancel" (the dialog's CancelBtn), "Esc" and "close box", each with how to do it.
template <class Dialog>
std::vector<std::pair<const char*, std::function<void(Dialog&)>>> cancellingEndings() {
    return {
        {"Cancel", [](Dialog& d) { d.CancelBtn->click(); }},
        {"Esc", [](Dialog& d) { pressEscape(d); }},
        {"close box", [](Dialog& d) { d.close(); }},
    };
}

}  // namespace veltrane::test
