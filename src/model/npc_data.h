#pragma once

#include <cstdint>
#include <string>

namespace tw {

enum Gender : std::int32_t { kMale = 0, kFemale = 1 };

// The NPC a dialogue belongs to.
struct NPCData {
    std::int32_t id = 0;
    std::string name = "Untitled";
    std::int32_t gender = kMale;
};

}  // namespace tw
