// Kind 7 (pencil levels) and the one entry point that runs a kind with its option.
#include "effects/art_effects.h"

#include <array>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "image/histogram.h"

namespace veltrane {

void PencilLevels(ColorPlanes& planes, const RowProgress& progress) {
    const int h = planes.height;
    const int w = planes.width;
    std::vector<std::uint8_t> luminance(static_cast<std::size_t>(w > 0 ? w : 0));
    std::array<std::uint8_t, 256> level{};
    for (int v = 0; v < 256; ++v) level[v] = static_cast<std::uint8_t>(255 - 51 * ((v > 51) + (v > 102) + (v > 153) + (v > 204)));
    for (int y = 0; y < h; ++y) {
        LuminanceRow(planes.R[y], planes.G[y], planes.B[y], luminance.data(), w);
        for (int x = 0; x < w; ++x) planes.R[y][x] = planes.G[y][x] = planes.B[y][x] = level[luminance[x]];
        if (progress) progress(y);
    }
}

void ArtEffect(ColorPlanes& planes, int kind, const ArtOptions& options, RandomGenerator& random,
               const RowProgress& progress) {
    if (kind == 8) {
        Diffusion(planes, options.diffusionRadius, random, progress);
        return;
    }
    ArtEffect(planes, kind, options, progress);
}

void ArtEffect(ColorPlanes& planes, int kind, const ArtOptions& options, const RowProgress& progress) {
    switch (kind) {
        case 0: return Shake(planes, progress);
        case 1: return Emboss(planes, options.emboss, progress);
        case 2: return Mosaic(planes, options.mosaicCell, progress);
        case 3: return Offset3D(planes, options.offset, progress);
        case 4: return Bricks(planes, options.brick, progress);
        case 5: return Beads(planes, progress);
        case 6: return Painting(planes, options.brush, progress);
        case 7: return PencilLevels(planes, progress);
        case 8: throw std::invalid_argument("diffusion draws from the shared generator: pass it");
        default: throw std::invalid_argument("art effect kind outside 0..8");
    }
}

}  // namespace veltrane
