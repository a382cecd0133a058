#pragma once
// The six orders the colour channels can be exchanged in: the gradation map's "交換する色"
// list (modes 0–5) and the colour exchange window's five buttons (modes 1–5).
#include <array>
#include <cstdint>

namespace veltrane {

struct ChannelOrder {
    const char* name;
    // Output R, G, B take input channel from[0], from[1], from[2] (0 red, 1 green, 2 blue).
    std::array<int, 3> from;
};

inline constexpr int kChannelOrderCount = 6;

inline constexpr std::array<ChannelOrder, kChannelOrderCount> kChannelOrders = {{
    {"RGB⇔RGB", {0, 1, 2}},
    {"RGB⇔RBG", {0, 2, 1}},
    {"RGB⇔GRB", {1, 0, 2}},
    {"RGB⇔GBR", {1, 2, 0}},
    {"RGB⇔BRG", {2, 0, 1}},
    {"RGB⇔BGR", {2, 1, 0}},
}};

// The colour (r, g, b) with its channels rearranged by mode (0..5).
inline std::array<std::uint8_t, 3> exchangeChannels(int mode, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    const std::array<std::uint8_t, 3> in{r, g, b};
    const std::array<int, 3>& from = kChannelOrders[mode].from;
    return {in[from[0]], in[from[1]], in[from[2]]};
}

}  // namespace veltrane
