#pragma once
// The viewer-mode window: menus, a page tool bar, an image area and a status bar, none of
// which does anything yet.
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QRadioButton>
#include <QStatusBar>
#include <QToolBar>

namespace veltrane {

class TThumbnail : public QMainWindow {
    Q_OBJECT

public:
    // Resizable, 870 × 488 outside, not modal, released when closed.
    explicit TThumbnail(QWidget* parent = nullptr);
    ~TThumbnail() override;

    // Shows the window at its outer size of 870 × 488.
    void showAtStartSize();

    QMenu *FileMenu, *ViewMenu, *OptionMenu;
    QToolBar* ToolBar1;
    QRadioButton *OnePage, *TwoPages;
    QLabel* Image1;
    QStatusBar* StatusBar1;
};

// The newest viewer window; null when none is open.
extern TThumbnail* Thumbnail;

}  // namespace veltrane
