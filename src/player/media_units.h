#pragma once
// The player's units and scales: positions in counts of 100 ns, the classic volume and balance
// scales, and frame numbers against nanoseconds at a frame rate.
#include <cstdint>

namespace veltrane {

// Positions and durations in time are counts of 100 ns.
inline constexpr std::int64_t kUnitsPerSecond = 10'000'000;
inline constexpr std::int64_t kNanosecondsPerSecond = 1'000'000'000;

// The classic volume scale −10000 (silence) .. 0 (full) as a linear gain: 10^(v / 2000), so a
// step of 100 is 1 dB; −10000 and below give 0, 0 and above give 1.
double volumeToGain(int volume);

// The classic balance −10000 (left only) .. 10000 (right only) as a panorama −1 .. 1 for a
// simple panner that attenuates the opposite channel: sign(b) · (1 − 10^(−|b| / 2000)), so the
// opposite channel loses |b| / 100 dB. Values beyond ±10000 count as ±10000.
double balanceToPanorama(int balance);

// Frame number ↔ nanoseconds at a frame rate of num / den frames per second, both rounded to
// the nearest: frame n starts at n · den / num seconds. 0 for a missing rate or a negative input.
std::int64_t framesToNanoseconds(std::int64_t frames, int rateNum, int rateDen);
std::int64_t nanosecondsToFrames(std::int64_t nanoseconds, int rateNum, int rateDen);

// 100 ns units ↔ nanoseconds; negative units count as 0.
inline std::int64_t unitsToNanoseconds(std::int64_t units) { return units <= 0 ? 0 : units * 100; }
inline std::int64_t nanosecondsToUnits(std::int64_t nanoseconds) { return nanoseconds / 100; }

}  // namespace veltrane
