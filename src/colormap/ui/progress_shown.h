#pragma once
// The progress window shown for a final pass and hidden again on every way out of it, an
// allocation failure on its way to the error box included.
#include "widgets/ui/progress_window.h"

namespace veltrane {

class ProgressShown {
public:
    // Shows the window (if there is one) with its bar at 0 of maximum.
    ProgressShown(TProgress* window, int maximum) : window_(window) {
        if (window_) window_->start(maximum);
    }
    ~ProgressShown() {
        if (window_) window_->finish();
    }
    ProgressShown(const ProgressShown&) = delete;
    ProgressShown& operator=(const ProgressShown&) = delete;

    void setPosition(int position) {
        if (window_) window_->setPosition(position);
    }

private:
    TProgress* window_;
};

}  // namespace veltrane
