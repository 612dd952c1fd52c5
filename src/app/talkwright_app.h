#pragma once

#include <chrono>
#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

namespace tw {

class CTalkwrightDlg;
class PlatformServices;

// The editor application: the start-up steps, in their order, and the run of the main
// window. What it keeps (the random seed, the start-up directory) lasts the whole run.
class CTalkwrightApp {
public:
    using Pause = std::function<void(std::chrono::milliseconds)>;
    static constexpr std::chrono::milliseconds kStartupPause{1000};

    // pause is how the start-up waits; tests pass one that only records.
    explicit CTalkwrightApp(PlatformServices& services, Pause pause = SleepFor);

    // Seeds the random numbers with the time, pauses, and remembers the working directory.
    void InitInstance(std::time_t now);
    // Opens the files named on the command line, then runs the window until it closes;
    // answers the exit status.
    int Run(CTalkwrightDlg& window, const std::vector<std::string>& files);

    // The tester's random source is seeded with this, so that a run's random party
    // members and values differ from run to run.
    std::uint32_t RandomSeed() const { return randomSeed_; }
    // Where the state editor looks for its default state file.
    const std::string& StartupDirectory() const { return startupDirectory_; }

    static void SleepFor(std::chrono::milliseconds duration);

private:
    PlatformServices& services_;
    Pause pause_;
    std::uint32_t randomSeed_ = 0;
    std::string startupDirectory_;
};

}  // namespace tw
