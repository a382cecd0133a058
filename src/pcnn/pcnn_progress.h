#pragma once
// What the PCNN window shows after each pass: the progress bar (0 to 100) and Label2.
#include <string>

namespace veltrane {

// The bar after pass k (0-based) of N: trunc(k × 100 / (N − 1)) in integer arithmetic, so ten
// passes show 0, 11, 22, …, 88, 100. A run of one pass shows 100 (there is no N − 1 to divide by).
int pcnnProgress(int k, int passes);

// Label2 after passNumber (1-based) of N passes: "処理回数3/20".
std::string pcnnPassLabel(int passNumber, int passes);

}  // namespace veltrane
