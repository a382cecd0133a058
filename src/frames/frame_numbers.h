#pragma once
// Frame numbers of the frame-processing window: the frame a track-bar position stands for, and
// the frame a jump to a start or end point shows.
namespace veltrane {

// n = trunc(position × totalFrames / maximum), the product in 64 bits; once the maximum is
// totalFrames this is the position itself. A video without frames (or a bar without a range)
// gives the position.
int frameAtTrackPosition(int position, int totalFrames, int maximum);

// m = trunc(totalSeconds × point × 30 / totalFrames), the product in 64 bits, held within
// 0..totalFrames: for a video of 30 frames a second the point itself, for other rates the frame
// at the point's time counted at 30 a second. A video without frames gives the point.
int jumpFrame(int totalSeconds, int point, int totalFrames);

}  // namespace veltrane
