#pragma once
// Packing rows of 4-byte pixels (B, G, R, unused) into the working bitmap's 3-byte pixels.
#include <cstdint>

namespace veltrane {

// Copies width pixels B, G, R, X from bgrx to B, G, R at bgr; the fourth byte is dropped.
void packBgrxRow(const std::uint8_t* bgrx, std::uint8_t* bgr, int width);

}  // namespace veltrane
