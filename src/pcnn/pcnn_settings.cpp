#include "pcnn/pcnn_settings.h"

namespace veltrane {

PcnnStrength pcnnStrength(PcnnChange change) {
    switch (change) {
        case PcnnChange::Large: return {0.5, 1.5};
        case PcnnChange::Small: return {0.2, 2.5};
        case PcnnChange::Medium: break;
    }
    return {0.3, 2.0};
}

int pcnnPassesForIndex(int index) {
    if (index < 0 || index >= static_cast<int>(kPcnnPassItems.size())) return 20;
    return kPcnnPassItems[static_cast<std::size_t>(index)];
}

const std::array<PcnnColourPair, 7> kPcnnColourPairs = {{
    {"白⇔黒", {255, 255, 255}, {0, 0, 0}},
    {"赤⇔黒", {255, 0, 0}, {0, 0, 0}},
    {"黄⇔黒", {255, 255, 0}, {0, 0, 0}},
    {"緑⇔黒", {0, 255, 0}, {0, 0, 0}},
    {"青⇔黒", {0, 0, 255}, {0, 0, 0}},
    {"赤⇔青", {255, 0, 0}, {0, 0, 255}},
    {"黄⇔緑", {255, 255, 0}, {0, 255, 0}},
}};

int pcnnColourPairForIndex(int index) {
    if (index < 0 || index >= static_cast<int>(kPcnnColourPairs.size())) return 0;
    return index;
}

}  // namespace veltrane
