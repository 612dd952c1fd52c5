#include "editor/stall_meter.h"

#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <ctime>
#include <stdexcept>

namespace tw::bench {
namespace {

constexpr double kTailMs = 50;
constexpr double kTimeoutMs = 60'000;

double WallMs() {
    using Ms = std::chrono::duration<double, std::milli>;
    return Ms(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double ThreadCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

}  // namespace

void Stall::Keep(const Stall& other) {
    wallMs = std::max(wallMs, other.wallMs);
    cpuMs = std::max(cpuMs, other.cpuMs);
}

Stall LongestStall(const std::function<void()>& interaction, const std::function<bool()>& done) {
    QEventLoop loop;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    tick.setInterval(1);
    Stall longest;
    const double start = WallMs();
    double lastWall = start;
    double lastCpu = ThreadCpuMs();
    double doneAt = -1;
    QObject::connect(&tick, &QTimer::timeout, &loop, [&] {
        const double wall = WallMs();
        const double cpu = ThreadCpuMs();
        longest.Keep({wall - lastWall, cpu - lastCpu});
        lastWall = wall;
        lastCpu = cpu;
        if (doneAt < 0 && (!done || done())) {
            doneAt = wall;
        }
        if ((doneAt >= 0 && wall - doneAt > kTailMs) || wall - start > kTimeoutMs) {
            loop.quit();
        }
    });
    tick.start();
    QTimer::singleShot(0, &loop, interaction);
    loop.exec();
    if (doneAt < 0) {
        throw std::runtime_error("the interaction did not finish within a minute");
    }
    return longest;
}

}  // namespace tw::bench
