#pragma once
// The user's 5 × 5 filter: each plane is correlated with the kernel as it is laid out (cell
// [0][0] weighs the pixel two rows up and two columns left), the borders mirrored with the edge
// pixel repeated ("ba|abc…yz|zy"), each sum divided by the divisor with truncation toward zero
// and clamped to 0..255. Every output comes from the original values.
#include <array>
#include <cstdint>

#include "image/color_planes.h"

namespace veltrane {

// Cells in row-major order, row 0 at the top: cells[5 * a + b] is row a, column b.
using FilterKernel = std::array<int, 25>;

// The ranges of the cells: the centre cell (index 12) −9..10, every other cell −5..5. Within
// them a sum never exceeds 255 × 130 = 33,150 in size and the divisor lies in −129..130.
constexpr int kFilterCellMin = -5;
constexpr int kFilterCellMax = 5;
constexpr int kFilterCentreMin = -9;
constexpr int kFilterCentreMax = 10;
constexpr int kFilterCentre = 12;

// True when every cell lies in its range.
bool FilterKernelInRange(const FilterKernel& kernel);

// The sum of the cells, or 1 when they sum to 0. A negative sum is kept.
int FilterDivisor(const FilterKernel& kernel);

// S / d truncated toward zero, taken as trunc(float(S) / float(d)): the same for every
// |S| ≤ 33,150 and d in −129..130, and what the row loop computes eight or sixteen at a time.
inline int FilterQuotient(int sum, int divisor) {
    return static_cast<int>(static_cast<float>(sum) / static_cast<float>(divisor));
}

// One output row of `width` bytes. rows[a] is the source row a − 2 rows from the output row,
// padded: rows[a][b + x] is the pixel at column x + b − 2, for −2 ≤ x + b − 2 < width + 2.
// Every cell must be in range (see FilterKernelInRange).
void CustomFilterRow(const std::uint8_t* const rows[5], const FilterKernel& kernel, int divisor, std::uint8_t* out,
                     int width);

// Filters the three planes in place, row by row top to bottom; progress(r) after row r of all
// three. A picture one pixel wide or high repeats its one column or row in the padding. The
// working memory (five padded rows per plane) is allocated before any pixel is written.
// Throws std::invalid_argument when a cell is out of range.
void CustomFilterPlanes(ColorPlanes& planes, const FilterKernel& kernel, const RowProgress& progress = {});

}  // namespace veltrane
