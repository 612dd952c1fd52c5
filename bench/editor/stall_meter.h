#pragma once

// How long the window's thread stays away from its event loop: a 1 ms timer ticks on the
// loop while an interaction runs, and the longest stretch between two ticks is the longest
// stall, with the CPU time the thread spent in it. The interaction is not timed as a call:
// work it leaves for later turns of the loop (paints, timers, results from other threads)
// is measured where it runs.

#include <functional>

namespace tw::bench {

struct Stall {
    double wallMs = 0;              // the longest stretch between two ticks
    double cpuMs = 0;               // the most CPU time the thread used between two ticks
    void Keep(const Stall& other);  // the worse of each
};

// Runs the interaction from the event loop and keeps the loop turning until done() holds
// (at once without it), then 50 ms more for what it left to the loop. Throws after a minute.
Stall LongestStall(const std::function<void()>& interaction,
                   const std::function<bool()>& done = {});

}  // namespace tw::bench
