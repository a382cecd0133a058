#pragma once
// Outer sizes: the program sizes its windows by their frames included, as the desktop shows them.
#include <QSize>
#include <QWidget>
#include <algorithm>

namespace veltrane {

// What the window's frame adds around its client area (nothing before the window is shown).
inline QSize frameExtra(const QWidget& window) { return window.frameGeometry().size() - window.geometry().size(); }

// The client size that gives the window the outer size `outer`, at least 1 × 1.
inline QSize clientSizeFor(const QWidget& window, const QSize& outer) {
    const QSize extra = frameExtra(window);
    return {std::max(1, outer.width() - extra.width()), std::max(1, outer.height() - extra.height())};
}

}  // namespace veltrane
