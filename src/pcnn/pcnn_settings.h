#pragma once
// What a PCNN run reads from the window's settings when it starts: link strength β and
// threshold step V (group "変化"), the number of passes (ComboBox1), luminance or RGB input
// (group "計算方法") and the colour pair of the luminance picture (ComboBox2).
#include <array>
#include <cstdint>

namespace veltrane {

enum class PcnnInput { Luminance, Rgb };

struct PcnnParameters {
    double beta = 0.3;           // link strength β
    double thresholdStep = 2.0;  // V, added to a threshold when its pixel fires
    int passes = 20;             // N
    PcnnInput input = PcnnInput::Luminance;
    int colourPair = 0;          // index into kPcnnColourPairs; read in luminance mode only
};

// The three buttons of "変化": "大", "中" (checked at start), "小".
enum class PcnnChange { Large, Medium, Small };

struct PcnnStrength {
    double beta;
    double thresholdStep;
};

// 大: β 0.5, V 1.5; 中: β 0.3, V 2.0; 小: β 0.2, V 2.5.
PcnnStrength pcnnStrength(PcnnChange change);

// ComboBox1's items and the numbers they stand for; the box starts on "20" (index 2).
constexpr std::array<int, 5> kPcnnPassItems = {10, 15, 20, 25, 30};
constexpr int kPcnnDefaultPassIndex = 2;

// The passes for ComboBox1's index: the item's number, 20 when no item is selected (−1 or an
// index outside the items).
int pcnnPassesForIndex(int index);

struct PcnnRgb {
    std::uint8_t r, g, b;
};

struct PcnnColourPair {
    const char* item;  // ComboBox2's text
    PcnnRgb fired;
    PcnnRgb notFired;
};

// ComboBox2's items in order; the box starts on item 0.
extern const std::array<PcnnColourPair, 7> kPcnnColourPairs;

// The colour pair for ComboBox2's index: 0 when no item is selected (−1 or outside the items).
int pcnnColourPairForIndex(int index);

}  // namespace veltrane
