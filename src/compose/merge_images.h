#pragma once
// Merging a second picture into the working bitmap pixel by pixel where the two overlap.
#include <cstdint>

#include "image/bitmap24.h"

namespace veltrane {

// The rules of "合成方法", in the order of its radio buttons.
enum class MergeRule {
    Transparent,  // "透過率を設定する(0～100％)": trunc((m − s) × (t × 0.01) + s)
    Bright,       // "明るい画素優先": max(m, s)
    Dark,         // "暗い画素優先": min(m, s)
    Add,          // "加算": m AND s
    Sub,          // "減算": m OR s
    Xor1,         // "XOR1": (NOT m) OR (NOT s) on the byte
    Xor2,         // "XOR2": (NOT m) AND (NOT s) on the byte
};

// Replaces each byte m of working (B, G and R alike) by the rule applied to m and the byte s
// of second at the same place, for rows y < min(H1, H2) and columns x < min(W1, W2). The rest
// of working keeps its values; the rest of second is ignored; the size does not change.
// t is the weight of the working picture in the transparency rule, the track bar's position
// 0..100 (t = 100 keeps working, t = 0 takes second); values outside are taken as the
// nearer end. Other rules ignore t.
void MergeImages(Bitmap24& working, const Bitmap24& second, MergeRule rule, int t);

// One byte of the transparency rule, in double arithmetic in the written order.
std::uint8_t transparentByte(int m, int s, int t);

}  // namespace veltrane
