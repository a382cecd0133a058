#pragma once
// Building a window's controls: each a child named for the script, at its place in the window.
#include <QRect>
#include <QWidget>
#include <utility>

namespace veltrane {

// new Control(args..., parent), named and placed: namedChild<QLabel>(this, "Label1", {8, 8, 60, 15}, "text").
template <class Control, class... Args>
Control* namedChild(QWidget* parent, const char* name, const QRect& geometry, Args&&... args) {
    auto* control = new Control(std::forward<Args>(args)..., parent);
    control->setObjectName(name);
    control->setGeometry(geometry);
    return control;
}

}  // namespace veltrane
