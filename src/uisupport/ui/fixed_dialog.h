#pragma once
// The frame every processing window has: a dialog of fixed size with a caption, a system menu
// and a close box, opened centred over the window that owns it.
#include <QWidget>

namespace veltrane {

inline constexpr Qt::WindowFlags kFixedDialogFlags = Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint |
                                                     Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                                     Qt::WindowCloseButtonHint;

// Moves window so its centre lies on the centre of owner's frame; nothing without an owner.
inline void centreOver(QWidget& window, const QWidget* owner) {
    if (owner) window.move(owner->frameGeometry().center() - window.rect().center());
}

}  // namespace veltrane
