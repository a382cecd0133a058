#pragma once
// Joining the current picture with a second one: side by side or one above the other, the
// smaller side padded with white so both parts share the joined edge's length.
#include <cstdint>
#include <string>

#include "image/bitmap24.h"

namespace veltrane {

// Where the second picture goes relative to the current one ("上", "下", "左", "右").
enum class JoinDirection { Up, Down, Left, Right };

// Sizes of a join, all 64-bit so that no sum overflows before the size check.
struct JoinSize {
    std::int64_t width = 0;   // the joined picture
    std::int64_t height = 0;
    std::int64_t secondWidth = 0;  // the second picture after padding (named in the caption)
    std::int64_t secondHeight = 0;
};

// Up and down: W = max(W1, W2), result W × (H1 + H2), second padded to W × H2.
// Left and right: H = max(H1, H2), result (W1 + W2) × H, second padded to W2 × H.
JoinSize joinSize(int currentWidth, int currentHeight, int secondWidth, int secondHeight,
                  JoinDirection direction);

struct JoinResult {
    // False when the joined picture would be larger than the document can hold
    // (isAllocatable); picture is then empty and nothing was allocated.
    bool fits = false;
    Bitmap24 picture;
    JoinSize size;
};

// Builds the joined picture without touching either input. Rows and columns added by the
// padding are white (255, 255, 255). "上" puts the second picture's rows first, "下" after the
// current picture's; "左" puts its columns first in every row, "右" after the current's.
JoinResult JoinImages(const Bitmap24& current, const Bitmap24& second, JoinDirection direction);

// The error box's text for a join that does not fit:
// "連結後の画像が大きすぎます（幅 W × 高さ H）" with the joined size.
std::string joinTooLargeMessage(const JoinSize& size);

}  // namespace veltrane
