#pragma once
// The gradation map's 90 named gradients in five kinds. Each gradient is a table of 256
// colours; the tables are computed, not stored, every time the gradation map opens. Seven of
// them are drawn from the program's shared generator after fixed seeds, so they come out the
// same at every opening, and every opening leaves the generator in the same state.
#include <array>
#include <cstdint>
#include <string>

#include "common/random_generator.h"

namespace veltrane {

inline constexpr int kGradientKinds = 5;
inline constexpr int kGradientSlots = 30;
inline constexpr int kGradientEntries = 256;

// The names of the kinds, and how many of each kind's 30 slots hold a gradient.
inline constexpr std::array<const char*, kGradientKinds> kGradientKindNames = {
    "シンプル系", "ストライプ系", "複数色", "パステルカラー", "スペクトル"};
inline constexpr std::array<int, kGradientKinds> kGradientSlotsInUse = {20, 22, 22, 13, 13};

// 256 colours as three byte arrays: a catalogue gradient (entry → colour) or the gradation
// map's lookup (luminance → colour).
struct GradientTable {
    std::array<std::uint8_t, kGradientEntries> R{}, G{}, B{};
};

struct GradientCatalogue {
    // [kind][slot]; slots beyond a kind's slots in use stay black and unnamed.
    std::array<std::array<GradientTable, kGradientSlots>, kGradientKinds> tables{};
    std::array<std::array<std::string, kGradientSlots>, kGradientKinds> names{};

    const GradientTable& table(int kind, int slot) const { return tables[kind][slot]; }
};

// Fills every gradient of the catalogue in list order, kind by kind. The random gradients
// reseed and draw from `random` itself (not a copy), so the generator's state afterwards is
// the same whatever it was before.
void BuildGradientCatalogue(GradientCatalogue& catalogue, RandomGenerator& random);

}  // namespace veltrane
