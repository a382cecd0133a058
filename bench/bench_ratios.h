#pragma once
// Ratios of the program's operations to their yardsticks, computed at the end of a run from the
// CPU-time medians that run measured, so one run shows them. Each benchmark file registers its
// own pairs next to the benchmarks:
//
//   [[maybe_unused]] const bool kContrastRatio = addRatio("BM_AdjustFinalContrast", "BM_AdjustOpenCvTransform", 1.2);
//
// Names are benchmark names without their settings ("BM_OpenIntoDocument/sunset_12MP", not
// ".../min_time:1.000/repeats:3").
#include <map>
#include <string>

namespace veltrane::bench {

// Registers ours / yardstick; a goal above 0 is printed beside the ratio with whether it was met.
bool addRatio(const char* ours, const char* yardstick, double goal = 0);

// Prints every registered ratio whose two benchmarks both have a median in `medianSeconds`, and
// says which were not measured in this run (filtered out, or skipped for a missing picture).
void printRatios(const std::map<std::string, double>& medianSeconds);

}  // namespace veltrane::bench
