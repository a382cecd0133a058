// The two commands that open the join and merge window, each on its own page.
#include "app/ui/modal_window.h"
#include "compose/ui/marge_joint_dialog.h"

namespace veltrane {

namespace {

// Creates the window on the given page, says above the path box what the file is for and
// runs it modally. Nothing of the window outlives the command.
void RunMargeJoint(TMain& main, int page, const QString& purpose) {
    if (!main.document().imageLoaded) return;
    runModalWindow(main, MargeJoint, [&](TMargeJoint& dialog) {
        dialog.PageControl1->setCurrentIndex(page);
        dialog.LabelDisp->setText(purpose);
    });
}

}  // namespace

void TMain::JointClick() { RunMargeJoint(*this, 0, "連結する画像ファイル"); }
void TMain::MargeClick() { RunMargeJoint(*this, 1, "合成する画像ファイル"); }

}  // namespace veltrane
