#include "compose/join_images.h"

#include <algorithm>
#include <cstring>

namespace veltrane {

namespace {

constexpr std::uint8_t kWhite = 255;

// Writes `width` pixels of source (or white beyond sourceWidth) to target: the row of a
// picture padded on its right.
void copyPaddedRow(std::uint8_t* target, const std::uint8_t* source, int sourceWidth, std::int64_t width) {
    const std::size_t used = static_cast<std::size_t>(sourceWidth) * 3;
    if (used > 0) std::memcpy(target, source, used);
    std::memset(target + used, kWhite, static_cast<std::size_t>(width) * 3 - used);
}

// The row y of a picture padded at its bottom: beyond its height the row is all white.
const std::uint8_t* rowOrNull(const Bitmap24& picture, int y) { return y < picture.height() ? picture.row(y) : nullptr; }

void joinVertically(const Bitmap24& top, const Bitmap24& bottom, Bitmap24& result) {
    for (int y = 0; y < top.height(); ++y) copyPaddedRow(result.row(y), top.row(y), top.width(), result.width());
    for (int y = 0; y < bottom.height(); ++y)
        copyPaddedRow(result.row(top.height() + y), bottom.row(y), bottom.width(), result.width());
}

void joinHorizontally(const Bitmap24& left, const Bitmap24& right, Bitmap24& result) {
    for (int y = 0; y < result.height(); ++y) {
        std::uint8_t* target = result.row(y);
        const std::uint8_t* leftRow = rowOrNull(left, y);
        const std::uint8_t* rightRow = rowOrNull(right, y);
        copyPaddedRow(target, leftRow, leftRow ? left.width() : 0, left.width());
        copyPaddedRow(target + static_cast<std::size_t>(left.width()) * 3, rightRow, rightRow ? right.width() : 0,
                      right.width());
    }
}

}  // namespace

JoinSize joinSize(int currentWidth, int currentHeight, int secondWidth, int secondHeight, JoinDirection direction) {
    const std::int64_t w1 = currentWidth, h1 = currentHeight, w2 = secondWidth, h2 = secondHeight;
    if (direction == JoinDirection::Up || direction == JoinDirection::Down) {
        const std::int64_t width = std::max(w1, w2);
        return {width, h1 + h2, width, h2};
    }
    const std::int64_t height = std::max(h1, h2);
    return {w1 + w2, height, w2, height};
}

JoinResult JoinImages(const Bitmap24& current, const Bitmap24& second, JoinDirection direction) {
    JoinResult result;
    result.size = joinSize(current.width(), current.height(), second.width(), second.height(), direction);
    if (!isAllocatable(result.size.width, result.size.height)) return result;
    result.fits = true;
    result.picture = Bitmap24::forOverwrite(static_cast<int>(result.size.width), static_cast<int>(result.size.height));
    switch (direction) {
        case JoinDirection::Up: joinVertically(second, current, result.picture); break;
        case JoinDirection::Down: joinVertically(current, second, result.picture); break;
        case JoinDirection::Left: joinHorizontally(second, current, result.picture); break;
        case JoinDirection::Right: joinHorizontally(current, second, result.picture); break;
    }
    return result;
}

std::string joinTooLargeMessage(const JoinSize& size) {
    return "連結後の画像が大きすぎます（幅 " + std::to_string(size.width) + " × 高さ " + std::to_string(size.height) +
           "）";
}

}  // namespace veltrane
