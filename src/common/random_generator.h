#pragma once
// The program's one pseudo-random generator, shared by the whole process: a linear
// congruential generator starting from state 1. Operations that draw receive it by reference;
// what they draw depends on everything drawn before.
#include <cstdint>

namespace veltrane {

class RandomGenerator {
public:
    // state = state × 22695477 + 1 modulo 2^32; the result is bits 16 to 30 (0..32767).
    int next() {
        state_ = state_ * 22695477u + 1u;
        return static_cast<int>((state_ >> 16) & 0x7FFFu);
    }
    void seed(std::uint32_t state) { state_ = state; }
    std::uint32_t state() const { return state_; }

private:
    std::uint32_t state_ = 1;
};

}  // namespace veltrane
