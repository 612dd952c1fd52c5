#pragma once

#include <cstdint>

namespace tw {

// The tester's random numbers: the classic C library generator (the same sequence on
// every machine for a given seed), so a seeded run can be replayed exactly.
class RandomSource {
public:
    static constexpr int kMax = 0x7FFF;

    explicit RandomSource(std::uint32_t seed) : state_(seed) {}
    // Seeded with the current time in seconds, as the program does at start-up.
    static RandomSource SeededWithTime();

    void Seed(std::uint32_t seed) { state_ = seed; }
    // Where the sequence stands; Seed with it resumes from there.
    std::uint32_t State() const { return state_; }
    // 0 to kMax, like rand().
    int Next();

private:
    std::uint32_t state_;
};

}  // namespace tw
