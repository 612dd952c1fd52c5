#pragma once

#include <chrono>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "tester/random_source.h"

namespace tw {

class CTalkwrightDlg;
class PlatformServices;

// The editor application: the start-up steps, in their order, and the run of the main
// window. What it keeps (the random numbers, the start-up directory) lasts the whole run.
class CTalkwrightApp {
public:
    using Pause = std::function<void(std::chrono::milliseconds)>;
    static constexpr std::chrono::milliseconds kStartupPause{1000};

    // pause is how the start-up waits; tests pass one that only records.
    explicit CTalkwrightApp(PlatformServices& services, Pause pause = SleepFor);

    // Seeds the random numbers with the time, pauses, and remembers the working directory.
    void InitInstance(std::time_t now);
    // Hands the window the random numbers, opens the files named on the command line, then
    // runs the window until it closes; answers the exit status.
    int Run(CTalkwrightDlg& window, const std::vector<std::string>& files);

    // The tester's random numbers: seeded with the start-up time, so that the random
    // values of a test differ from run to run.
    RandomSource& Random() { return random_; }
    // Where the state editor looks for its default state file.
    const std::string& StartupDirectory() const { return startupDirectory_; }

    static void SleepFor(std::chrono::milliseconds duration);

private:
    PlatformServices& services_;
    Pause pause_;
    RandomSource random_{0};
    std::string startupDirectory_;
};

}  // namespace tw
