#pragma once
// How the main window's commands run a processing window: created with the main window as its
// host and owner, its global set, set up, then run modally. The window is destroyed when the run
// ends, every way it ends, which frees its planes and bitmaps and clears the global.
#include <memory>

#include "app/ui/main_window.h"

namespace veltrane {

template <class Window, class Prepare>
void runModalWindow(TMain& main, Window*& global, Prepare prepare) {
    auto window = std::make_unique<Window>(main, &main);
    global = window.get();
    prepare(*window);
    window->exec();
}

}  // namespace veltrane
