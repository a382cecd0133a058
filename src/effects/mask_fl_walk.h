#pragma once
// The walk of the "FLマスク". Per channel the picture is cropped to H8 × W8 (whole multiples
// of 8) and its pixels are read in row order into a sequence S. Walks over rings 8 pixels
// apart (top, left from 0 growing by 8; bottom = H8, right = W8 exclusive, shrinking by 8) then
// write S[n], S[n + 1], … in four steps whose loop variables carry over:
//   1. down column left, rows top .. bottom − 1 (i ends at bottom, or at top if nothing ran);
//   2. along row r = i − 1, columns left .. right − 1 (j ends at right, or at left);
//   3. up column j − 1 from row r while the row is below top (r itself is written again);
//   4. back along the row where step 3 stopped, columns j − 1 down to left.
// Walking repeats while bottom ≥ 8 or right ≥ 8 (the first walk always runs). Each corner is
// written twice and keeps the later value.
//
// On a very wide or tall crop the later walks leave the picture and read past the end of S: such
// a write, or a read at n ≥ H8 × W8, is skipped while n still advances. When H8 or W8 is 0 the
// channel is unchanged.
#include <cstdint>
#include <vector>

namespace veltrane {

// One straight piece of a walk, already cut to what is written: pixels
// (row + k × rowStep, column + k × columnStep) receive S[n + k] for k = 0 .. count − 1.
struct FlRun {
    std::int64_t n;
    int row, column;
    int rowStep, columnStep;
    std::int64_t count;
};

// The runs of every walk over an h8 × w8 crop, in the order they are written.
std::vector<FlRun> FlWalkRuns(int h8, int w8);

// How many leading values of S the runs read.
std::int64_t FlSequenceLength(const std::vector<FlRun>& runs);

}  // namespace veltrane
