#include "tester/random_source.h"

#include <ctime>

namespace tw {

RandomSource RandomSource::SeededWithTime() {
    return RandomSource(static_cast<std::uint32_t>(std::time(nullptr)));
}

int RandomSource::Next() {
    // Unsigned arithmetic wraps modulo 2^32, which is exactly the generator's rule.
    state_ = state_ * 214013u + 2531011u;
    return static_cast<int>((state_ >> 16) & 0x7FFFu);
}

}  // namespace tw
